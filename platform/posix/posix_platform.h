// Generic POSIX with Linux's extras where they exist (statx, getdents64, renameat2, statfs).
#pragma once

#include "platform/platform.h"

namespace tarnwick::platform {

class PosixPlatform : public Platform {
 public:
  PathStyle pathStyle() const override { return {'/', true}; }
  // UTF-8 has no lead bytes in the double-byte sense: "/" never appears inside a character.
  bool isLeadByte(unsigned char) const override { return false; }
  std::optional<RegistryValue> readCurrentVersionValue(std::string_view name) override;
  std::optional<std::string> windowsDirectory() override;
  std::optional<std::string> systemDirectory() override;
  std::optional<std::string> environmentVariable(std::string_view name) override;
  std::string defaultTempDirectory() override;
  std::optional<std::string> longPathName(const std::string& path) override;
  std::optional<std::string> shellParsePath(const std::string& path) override;
  std::optional<std::string> shellFolderPath(int csidl) override;
  std::optional<std::string> computerName() override;
  bool directoryExists(const std::string& path) override;
  OpenResult openDirectory(const std::string& path, bool followLink) override;
  std::optional<std::string> localeItem(LocaleItem item) override;
  std::string moduleFileName() override;
  bool fileExists(const std::string& path) override;
  bool deleteFile(const std::string& path) override;
  bool renameFile(const std::string& from, const std::string& to) override;
  FileOpenResult createFile(const std::string& path) override;
  FileOpenResult openForAppend(const std::string& path) override;
  LocalTime localTime() override;
  FileReadResult readFile(const std::string& path, std::size_t limit) override;
  ShellResult shellExecute(const ShellRequest& request) override;
  bool standardErrorIsTerminal() const override;
};

}  // namespace tarnwick::platform
