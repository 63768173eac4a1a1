// Windows API, NT family and later for the wide listing; every text the program sees stays in the
// ANSI code page.
#pragma once

#include <mutex>
#include <string>
#include <string_view>

#include "platform/platform.h"

namespace tarnwick::platform {

class Win32Platform : public Platform {
 public:
  ~Win32Platform() override;

  PathStyle pathStyle() const override { return {'\\', false}; }
  bool isLeadByte(unsigned char byte) const override;
  std::string wideToCodePage(std::u16string_view text) const override;
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

 private:
  // The process handle the shell gave the last launch, kept until the next launch replaces it.
  std::mutex launchMutex_;
  void* lastProcess_ = nullptr;
};

namespace win32 {

// Text in the ANSI code page to UTF-16 and back; characters the code page lacks become its
// default character, as the ANSI functions of the system write them.
std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

// Names in a listing whose characters the ANSI code page cannot all hold are carried as
// 0x01, four hexadecimal digits per UTF-16 unit, 0x01. No Windows file name holds the control
// character 0x01 and no ANSI code page uses it as a trail byte, so a path mixing ANSI text and
// such names converts back to the exact wide path, whatever the walk appended to it.
std::string ListingName(std::wstring_view name);
std::wstring WidePath(std::string_view path);

// A directory path as the wide functions take it beyond MAX_PATH: absolute, "\\?\"-prefixed,
// ending in a backslash.
std::wstring ExtendedDirectoryPath(std::string_view path);

}  // namespace win32

}  // namespace tarnwick::platform
