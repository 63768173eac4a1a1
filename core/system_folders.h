// Where a special folder lies and what the computer is called. Every answer is asked of the
// system afresh; every failure is the empty text.
#pragma once

#include <memory>
#include <string>

#include "core/folder_catalogue.h"
#include "platform/platform.h"

namespace tarnwick {

// Removes one trailing delimiter that is a character of its own (not the trail byte of a
// double-byte character); a POSIX root "/" is kept.
std::string RemoveTrailingDelimiter(platform::Platform& platform, std::string text);

class SystemFolders {
 public:
  explicit SystemFolders(platform::Platform& platform) : platform_(platform) {}

  bool TrailingPathDelimiter = false;

  std::string CommonFiles();
  std::string ProgramFiles();
  std::string Windows();
  std::string System();
  std::string Temp();
  // The shell folder with this CSIDL number; the 24 shell folder properties all read through it.
  std::string ShellFolder(int csidl);

 private:
  std::string registryFolder(std::string_view valueName);
  // The delimiter rule, as `TrailingPathDelimiter` asks for it.
  std::string finish(std::string path);
  std::string longForm(const std::string& path);
  platform::Platform& platform_;
};

class ComputerIdentification {
 public:
  explicit ComputerIdentification(platform::Platform& platform) : platform_(platform) {}
  std::string LocalComputerName();

 private:
  platform::Platform& platform_;
};

class ComputerInfo {
 public:
  explicit ComputerInfo(platform::Platform& platform) : platform_(platform) {}
  SystemFolders& Folders();
  ComputerIdentification& Identification();

 private:
  platform::Platform& platform_;
  std::unique_ptr<SystemFolders> folders_;
  std::unique_ptr<ComputerIdentification> identification_;
};

std::string LocateFolder(ComputerInfo& computerInfo, FolderSource source);

}  // namespace tarnwick
