#include "core/system_folders.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace tarnwick {
namespace {

using platform::FakePlatform;
using platform::RegistryType;
using platform::RegistryValue;
using platform::WideString;

// A value as the ANSI registry functions store it: bytes with their terminator.
RegistryValue NarrowValue(const std::string& text, RegistryType type = RegistryType::String) {
  RegistryValue value{type, {text.begin(), text.end()}, false};
  value.data.push_back(0);
  return value;
}

// Shift JIS: lead bytes 0x81-0x9F and 0xE0-0xFC; 0x95 0x5C is one character whose second byte
// is the backslash.
std::vector<unsigned char> ShiftJisLeadBytes() {
  std::vector<unsigned char> bytes;
  for (int b = 0x81; b <= 0x9F; ++b) bytes.push_back(static_cast<unsigned char>(b));
  for (int b = 0xE0; b <= 0xFC; ++b) bytes.push_back(static_cast<unsigned char>(b));
  return bytes;
}

TEST(RemoveTrailingDelimiter, WindowsPaths) {
  auto fake = FakePlatform::Windows();
  fake->leadBytes = ShiftJisLeadBytes();
  const struct {
    std::string in, out;
  } cases[] = {
      {"C:\\Windows\\", "C:\\Windows"},
      {"C:\\Windows", "C:\\Windows"},
      {"C:\\", "C:"},
      {"", ""},
      {"\\", ""},
      {"C:\\Temp\\\\", "C:\\Temp\\"},    // only one is removed
      {"C:\\\x95\x5C", "C:\\\x95\x5C"},  // the trail byte of a double-byte character stays
      {"C:\\\x95\x5C\\", "C:\\\x95\x5C"},
      {"C:\\a\x95\x5C\x95\x5C", "C:\\a\x95\x5C\x95\x5C"},
      {"C:\\\x95", "C:\\\x95"},  // a lead byte cut off at the end is a character of its own
      {"C:\\a/", "C:\\a/"},      // "/" is no delimiter on Windows
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(RemoveTrailingDelimiter(*fake, c.in), c.out);
  }
}

TEST(RemoveTrailingDelimiter, WithoutLeadBytesABackslashAfterAHighByteCounts) {
  auto fake = FakePlatform::Windows();
  EXPECT_EQ(RemoveTrailingDelimiter(*fake, "C:\\\x95\x5C"), "C:\\\x95");
}

TEST(RemoveTrailingDelimiter, PosixKeepsTheRoot) {
  auto fake = FakePlatform::Posix();
  const struct {
    std::string in, out;
  } cases[] = {{"/", "/"},  {"/usr/", "/usr"}, {"/usr", "/usr"},
               {"//", "/"}, {"", ""},          {"a\\", "a\\"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(RemoveTrailingDelimiter(*fake, c.in), c.out);
  }
}

class SystemFoldersTest : public ::testing::Test {
 protected:
  std::unique_ptr<FakePlatform> fake = FakePlatform::Windows();
  ComputerInfo info{*fake};
  SystemFolders& folders = info.Folders();
};

TEST_F(SystemFoldersTest, TempFallsBackFromTmpToTempToTheDefault) {
  const struct {
    const char* name;
    std::optional<std::string> tmp, temp;
    std::string fallback;
    std::string expected;
  } cases[] = {
      {"TMP wins and loses its backslash", "C:\\Temp\\", "D:\\Other", "C:\\Cwd", "C:\\Temp"},
      {"TEMP when TMP is unset", std::nullopt, "D:\\Other", "C:\\Cwd", "D:\\Other"},
      {"an empty TMP counts as unset", "", "D:\\Other", "C:\\Cwd", "D:\\Other"},
      {"both empty", "", "", "C:\\Cwd\\", "C:\\Cwd"},
      {"the current directory", std::nullopt, std::nullopt, "C:\\Work\\Dir", "C:\\Work\\Dir"},
      {"a drive root as current directory", std::nullopt, std::nullopt, "C:\\", "C:"},
      {"the buffer ends at its first NUL", std::nullopt, std::nullopt,
       std::string("C:\\Cwd\0junk", 10), "C:\\Cwd"},
      {"nothing at all", std::nullopt, std::nullopt, "", ""},
      {"references stay unexpanded", "%SystemRoot%\\Temp", std::nullopt, "", "%SystemRoot%\\Temp"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake->environment.clear();
    if (c.tmp) fake->environment["TMP"] = *c.tmp;
    if (c.temp) fake->environment["TEMP"] = *c.temp;
    fake->tempFallback = c.fallback;
    EXPECT_EQ(folders.Temp(), c.expected);
  }
}

TEST_F(SystemFoldersTest, TempTakesTheLongFormOfAnExistingPath) {
  fake->longNames["C:\\PROGRA~1\\TEMP~1\\"] = "C:\\Program Files\\Temp Files\\";
  fake->environment["TMP"] = "C:\\PROGRA~1\\TEMP~1\\";
  EXPECT_EQ(folders.Temp(), "C:\\Program Files\\Temp Files");

  // A path that does not exist has no long form and is given back as it was, less the backslash.
  fake->environment["TMP"] = "C:\\NOWHER~1\\";
  EXPECT_EQ(folders.Temp(), "C:\\NOWHER~1");
}

TEST_F(SystemFoldersTest, TempUsesTheShellForNamespacePathsAndWhenLongNamesAreMissing) {
  const std::string item = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\C:\\TEMP~1";
  fake->longNames[item] = "C:\\wrong";  // never asked: the path holds "::"
  fake->shellPaths[item] = "C:\\Temp Files\\";
  fake->environment["TMP"] = item;
  EXPECT_EQ(folders.Temp(), "C:\\Temp Files");

  fake->hasLongPathName = false;
  fake->environment["TMP"] = "C:\\PROGRA~1";
  fake->shellPaths["C:\\PROGRA~1"] = "C:\\Program Files";
  EXPECT_EQ(folders.Temp(), "C:\\Program Files");

  // The shell failing, or answering the empty text, keeps the path.
  fake->environment["TMP"] = "C:\\UNKNOWN\\";
  EXPECT_EQ(folders.Temp(), "C:\\UNKNOWN");
  fake->shellPaths["C:\\EMPTY"] = "";
  fake->environment["TMP"] = "C:\\EMPTY";
  EXPECT_EQ(folders.Temp(), "C:\\EMPTY");
}

TEST_F(SystemFoldersTest, RegistryFoldersAcceptOnlyTextTypes) {
  const struct {
    const char* name;
    std::optional<RegistryValue> value;
    std::string expected;
  } cases[] = {
      {"missing", std::nullopt, ""},
      {"wide string", WideString("C:\\Program Files"), "C:\\Program Files"},
      {"wide string with a backslash", WideString("C:\\Program Files\\"), "C:\\Program Files"},
      {"ANSI string", NarrowValue("C:\\Program Files\\"), "C:\\Program Files"},
      {"expandable string, unexpanded",
       WideString("%SystemDrive%\\Program Files", RegistryType::ExpandString),
       "%SystemDrive%\\Program Files"},
      {"binary", NarrowValue("C:\\Bin", RegistryType::Binary), "C:\\Bin"},
      {"DWORD", RegistryValue{RegistryType::DWord, {1, 0, 0, 0}, false}, ""},
      {"multi-string", WideString("C:\\A", RegistryType::MultiString), ""},
      {"stored without terminator: the last character goes",
       RegistryValue{RegistryType::String, {'C', ':', 'x'}, false}, "C:"},
      {"a NUL inside ends the text", NarrowValue(std::string("C:\\Apps\0old", 11)), "C:\\Apps"},
      {"empty data", RegistryValue{RegistryType::String, {}, true}, ""},
      {"a drive root", WideString("D:\\"), "D:"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fake->registry.clear();
    if (c.value) fake->registry["ProgramFilesDir"] = *c.value;
    EXPECT_EQ(folders.ProgramFiles(), c.expected);
    EXPECT_EQ(folders.CommonFiles(), "");  // its own value, which is missing
  }
}

TEST_F(SystemFoldersTest, WideRegistryTextIsConvertedToTheCodePage) {
  RegistryValue value{
      RegistryType::String, {'C', 0, ':', 0, '\\', 0, 0xE9, 0, 0, 0}, true};  // "C:\é"
  fake->registry["CommonFilesDir"] = value;
  EXPECT_EQ(folders.CommonFiles(), "C:\\\xC3\xA9");
}

TEST_F(SystemFoldersTest, SystemDirectoriesAndShellFoldersEndAtTheFirstNul) {
  fake->windowsDir = std::string("C:\\WINDOWS\0\0", 12);
  fake->systemDir = std::nullopt;
  fake->shellFolders[5] = std::string("C:\\Documents and Settings\\user1\\My Documents\\\0x", 47);
  fake->shellFolders[40] = "E:\\";
  EXPECT_EQ(folders.Windows(), "C:\\WINDOWS");
  EXPECT_EQ(folders.System(), "");
  EXPECT_EQ(folders.ShellFolder(5), "C:\\Documents and Settings\\user1\\My Documents");
  EXPECT_EQ(folders.ShellFolder(40), "E:");
  EXPECT_EQ(folders.ShellFolder(6), "");  // a folder this system lacks
}

TEST_F(SystemFoldersTest, EveryReadAsksTheSystemAgain) {
  fake->environment["TMP"] = "C:\\One";
  EXPECT_EQ(folders.Temp(), "C:\\One");
  fake->environment["TMP"] = "C:\\Two";
  EXPECT_EQ(folders.Temp(), "C:\\Two");
  EXPECT_EQ(&info.Folders(), &folders);
  EXPECT_EQ(&info.Identification(), &info.Identification());
}

TEST_F(SystemFoldersTest, LocalComputerNameIsTheNameAsReported) {
  fake->computer = std::string("WORKSTATION7\0\0\0\0", 16);
  EXPECT_EQ(info.Identification().LocalComputerName(), "WORKSTATION7");
  fake->computer = "ABCDEFGHIJKLMNO";
  EXPECT_EQ(info.Identification().LocalComputerName(), "ABCDEFGHIJKLMNO");
  fake->computer = std::nullopt;
  EXPECT_EQ(info.Identification().LocalComputerName(), "");
}

TEST_F(SystemFoldersTest, LocateFolderReadsThePropertyOfEachKind) {
  fake->registry["CommonFilesDir"] = WideString("C:\\Program Files\\Common Files");
  fake->registry["ProgramFilesDir"] = WideString("C:\\Program Files");
  fake->windowsDir = "C:\\WINDOWS";
  fake->systemDir = "C:\\WINDOWS\\system32";
  fake->environment["TMP"] = "C:\\Temp";
  fake->shellFolders[35] = "C:\\All Users\\Application Data";
  EXPECT_EQ(LocateFolder(info, {FolderKind::CommonFiles}), "C:\\Program Files\\Common Files");
  EXPECT_EQ(LocateFolder(info, {FolderKind::ProgramFiles}), "C:\\Program Files");
  EXPECT_EQ(LocateFolder(info, {FolderKind::Windows}), "C:\\WINDOWS");
  EXPECT_EQ(LocateFolder(info, {FolderKind::System}), "C:\\WINDOWS\\system32");
  EXPECT_EQ(LocateFolder(info, {FolderKind::Temp}), "C:\\Temp");
  EXPECT_EQ(LocateFolder(info, {FolderKind::ShellFolder, 35}), "C:\\All Users\\Application Data");
  EXPECT_EQ(LocateFolder(info, {FolderKind::ShellFolder, 26}), "");
}

}  // namespace
}  // namespace tarnwick
