#include "core/system_folders.h"

namespace tarnwick {

std::string RemoveTrailingDelimiter(platform::Platform&, std::string text) { return text; }
std::string SystemFolders::CommonFiles() { return {}; }
std::string SystemFolders::ProgramFiles() { return {}; }
std::string SystemFolders::Windows() { return {}; }
std::string SystemFolders::System() { return {}; }
std::string SystemFolders::Temp() { return {}; }
std::string SystemFolders::ShellFolder(int) { return {}; }
std::string SystemFolders::registryFolder(std::string_view) { return {}; }
std::string SystemFolders::longForm(const std::string& path) { return path; }
std::string ComputerIdentification::LocalComputerName() { return {}; }
SystemFolders& ComputerInfo::Folders() {
  if (!folders_) folders_ = std::make_unique<SystemFolders>(platform_);
  return *folders_;
}
ComputerIdentification& ComputerInfo::Identification() {
  if (!identification_) identification_ = std::make_unique<ComputerIdentification>(platform_);
  return *identification_;
}
std::string LocateFolder(ComputerInfo&, FolderSource) { return {}; }

}  // namespace tarnwick
