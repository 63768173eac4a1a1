#include "core/system_folders.h"

#include <string_view>

namespace tarnwick {

namespace {

using platform::RegistryType;

// A text the system wrote into a fixed-size buffer ends at its first NUL; without one it keeps the
// buffer's full length.
std::string CutAtNul(std::string text) {
  if (auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  return text;
}

std::string CutAtNul(std::optional<std::string> text) {
  return text ? CutAtNul(std::move(*text)) : std::string();
}

// The registry value's data as text, less its last character (the stored terminator).
std::string RegistryText(const platform::Platform& platform, const platform::RegistryValue& value) {
  if (value.wide) {
    std::u16string wide(value.data.size() / 2, u'\0');
    for (std::size_t i = 0; i < wide.size(); ++i)
      wide[i] = static_cast<char16_t>(value.data[2 * i] | (value.data[2 * i + 1] << 8));
    if (!wide.empty()) wide.pop_back();
    if (auto nul = wide.find(u'\0'); nul != std::u16string::npos) wide.resize(nul);
    return platform.wideToCodePage(wide);
  }
  std::string narrow(value.data.begin(), value.data.end());
  if (!narrow.empty()) narrow.pop_back();
  return CutAtNul(std::move(narrow));
}

}  // namespace

std::string RemoveTrailingDelimiter(platform::Platform& platform, std::string text) {
  const platform::PathStyle style = platform.pathStyle();
  if (text.empty()) return text;
  if (style.loneDelimiterIsRoot && text.size() == 1 && text[0] == style.delimiter) return text;
  // Find where the last character starts: a delimiter byte that trails a lead byte is part of a
  // double-byte character, not a delimiter.
  std::size_t last = 0;
  for (std::size_t i = 0; i < text.size();) {
    last = i;
    i += (platform.isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
  }
  if (last == text.size() - 1 && text[last] == style.delimiter) text.pop_back();
  return text;
}

std::string SystemFolders::registryFolder(std::string_view valueName) {
  std::string text;
  try {
    auto value = platform_.readCurrentVersionValue(valueName);
    if (!value) return {};
    // Environment references in an expandable string stay as stored.
    if (value->type != RegistryType::String && value->type != RegistryType::ExpandString &&
        value->type != RegistryType::Binary)
      return {};
    text = RegistryText(platform_, *value);
  } catch (...) {
    return {};
  }
  return finish(std::move(text));
}

std::string SystemFolders::finish(std::string path) {
  return TrailingPathDelimiter ? path : RemoveTrailingDelimiter(platform_, std::move(path));
}

std::string SystemFolders::CommonFiles() { return registryFolder("CommonFilesDir"); }

std::string SystemFolders::ProgramFiles() { return registryFolder("ProgramFilesDir"); }

std::string SystemFolders::Windows() { return finish(CutAtNul(platform_.windowsDirectory())); }

std::string SystemFolders::System() { return finish(CutAtNul(platform_.systemDirectory())); }

std::string SystemFolders::Temp() {
  // A variable that is set but empty counts as unset.
  auto variable = [this](std::string_view name) {
    return CutAtNul(platform_.environmentVariable(name));
  };
  std::string path = variable("TMP");
  if (path.empty()) path = variable("TEMP");
  if (path.empty()) path = CutAtNul(platform_.defaultTempDirectory());
  if (path.empty()) return path;
  return finish(longForm(path));
}

std::string SystemFolders::longForm(const std::string& path) {
  std::string converted;
  std::optional<std::string> longName;
  // A path holding "::" names a shell namespace item, which only the shell can convert.
  if (path.find("::") == std::string::npos) longName = platform_.longPathName(path);
  if (longName) {
    converted = CutAtNul(std::move(*longName));
  } else {
    converted = CutAtNul(platform_.shellParsePath(path).value_or(path));
  }
  return converted.empty() ? path : converted;
}

std::string SystemFolders::ShellFolder(int csidl) {
  return finish(CutAtNul(platform_.shellFolderPath(csidl)));
}

std::string ComputerIdentification::LocalComputerName() {
  return CutAtNul(platform_.computerName());
}

SystemFolders& ComputerInfo::Folders() {
  if (!folders_) folders_ = std::make_unique<SystemFolders>(platform_);
  return *folders_;
}

ComputerIdentification& ComputerInfo::Identification() {
  if (!identification_) identification_ = std::make_unique<ComputerIdentification>(platform_);
  return *identification_;
}

std::string LocateFolder(ComputerInfo& computerInfo, FolderSource source) {
  SystemFolders& folders = computerInfo.Folders();
  switch (source.kind) {
    case FolderKind::CommonFiles:
      return folders.CommonFiles();
    case FolderKind::ProgramFiles:
      return folders.ProgramFiles();
    case FolderKind::Windows:
      return folders.Windows();
    case FolderKind::System:
      return folders.System();
    case FolderKind::Temp:
      return folders.Temp();
    case FolderKind::ShellFolder:
      return folders.ShellFolder(source.csidl);
  }
  return {};
}

}  // namespace tarnwick
