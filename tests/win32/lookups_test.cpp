// The lookups of the Windows binding against the Windows API itself (a fresh Wine prefix in the
// build): answers as the system's own functions give them.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "platform/platform.h"
#include "tests/win32/win32_support.h"

namespace tarnwick::platform {
namespace {

using testing::EnvironmentGuard;
using testing::ScratchFolder;

std::string CutAtNul(const std::string& text) { return text.substr(0, text.find('\0')); }

std::string Lower(std::string text) {
  CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::string Utf16ToAscii(const std::vector<std::uint8_t>& data) {
  std::string text;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2)
    text += data[i + 1] == 0 ? static_cast<char>(data[i]) : '?';
  return text;
}

class Win32Lookups : public ::testing::Test {
 protected:
  std::unique_ptr<Platform> platform = makeSystemPlatform();
};

TEST_F(Win32Lookups, RegistryFoldersAreReadThroughTheWideFunctionsWithTheirTerminator) {
  struct Case {
    const char* name;
    const char* expected;
  };
  for (const Case& c : {Case{"ProgramFilesDir", "C:\\Program Files"},
                        Case{"CommonFilesDir", "C:\\Program Files\\Common Files"}}) {
    SCOPED_TRACE(c.name);
    auto value = platform->readCurrentVersionValue(c.name);
    ASSERT_TRUE(value.has_value());
    EXPECT_TRUE(value->wide);
    EXPECT_EQ(value->type, RegistryType::String);
    EXPECT_EQ(Lower(Utf16ToAscii(value->data)), Lower(std::string(c.expected) + '\0'));
  }
  EXPECT_FALSE(platform->readCurrentVersionValue("NoSuchValueOfTarnwick").has_value());
}

TEST_F(Win32Lookups, WindowsAndSystemDirectoriesFillTheBufferTheyAskedFor) {
  auto windows = platform->windowsDirectory();
  auto system = platform->systemDirectory();
  ASSERT_TRUE(windows && system);
  // The buffer holds the text and its terminator, nothing else.
  EXPECT_EQ(Lower(*windows), std::string("c:\\windows") + '\0');
  EXPECT_EQ(Lower(*system), std::string("c:\\windows\\system32") + '\0');
}

TEST_F(Win32Lookups, EnvironmentVariablesAreReadUnexpandedAndEmptyCountsAsUnset) {
  {
    EnvironmentGuard tmp("TARNWICK_TEST_VARIABLE", "%SystemRoot%\\x\\");
    EXPECT_EQ(platform->environmentVariable("TARNWICK_TEST_VARIABLE"), "%SystemRoot%\\x\\");
  }
  {
    EnvironmentGuard tmp("TARNWICK_TEST_VARIABLE", std::string(5000, 'a'));
    EXPECT_EQ(platform->environmentVariable("TARNWICK_TEST_VARIABLE"), std::string(5000, 'a'));
  }
  {
    EnvironmentGuard tmp("TARNWICK_TEST_VARIABLE", "");
    EXPECT_FALSE(platform->environmentVariable("TARNWICK_TEST_VARIABLE").has_value());
  }
  EnvironmentGuard unset("TARNWICK_TEST_VARIABLE", std::nullopt);
  EXPECT_FALSE(platform->environmentVariable("TARNWICK_TEST_VARIABLE").has_value());
}

TEST_F(Win32Lookups, TheDefaultTempDirectoryIsTheCurrentDirectory) {
  ScratchFolder scratch;
  char old[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(sizeof old, old);
  ASSERT_TRUE(SetCurrentDirectoryA(scratch.ansi().c_str()));
  std::string answer = platform->defaultTempDirectory();
  SetCurrentDirectoryA(old);
  EXPECT_EQ(answer.size(), MAX_PATH + 1u);
  EXPECT_EQ(CutAtNul(answer), scratch.ansi());
}

TEST_F(Win32Lookups, LongPathNameTurnsAShortFormIntoTheLongOne) {
  ScratchFolder scratch;
  std::string longForm = scratch.ansi() + "\\A folder with a rather long name";
  ASSERT_TRUE(CreateDirectoryA(longForm.c_str(), nullptr));
  char shortForm[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(longForm.c_str(), shortForm, MAX_PATH), 0u);
  ASSERT_NE(std::string(shortForm), longForm);

  EXPECT_EQ(platform->longPathName(shortForm), longForm);
  EXPECT_EQ(platform->longPathName(longForm + "\\"), longForm + "\\");
  // A path that does not exist has no long form: the empty text.
  EXPECT_EQ(platform->longPathName(scratch.ansi() + "\\missing"), "");
}

TEST_F(Win32Lookups, TheShellConvertsAPathThroughAnItemList) {
  ScratchFolder scratch;
  auto parsed = platform->shellParsePath(scratch.ansi());
  ASSERT_TRUE(parsed.has_value());
  EXPECT_EQ(Lower(CutAtNul(*parsed)), Lower(scratch.ansi()));
  EXPECT_FALSE(platform->shellParsePath("Q:\\no\\such\\drive").has_value());
}

TEST_F(Win32Lookups, ShellFoldersGiveTheirFileSystemPathOrNothing) {
  auto fonts = platform->shellFolderPath(CSIDL_FONTS);
  ASSERT_TRUE(fonts.has_value());
  EXPECT_EQ(fonts->size(), static_cast<std::size_t>(MAX_PATH));
  EXPECT_EQ(Lower(CutAtNul(*fonts)), "c:\\windows\\fonts");

  auto profile = platform->shellFolderPath(CSIDL_PROFILE);
  ASSERT_TRUE(profile.has_value());
  EXPECT_EQ(Lower(CutAtNul(*profile)),
            Lower(platform->environmentVariable("USERPROFILE").value_or("?")));

  // "My Computer" is a shell folder without a file-system path; 0x7F is no folder at all.
  EXPECT_FALSE(platform->shellFolderPath(CSIDL_DRIVES).has_value());
  EXPECT_FALSE(platform->shellFolderPath(0x7F).has_value());
}

TEST_F(Win32Lookups, TheComputerNameComesInItsSixteenCharacterBuffer) {
  auto name = platform->computerName();
  ASSERT_TRUE(name.has_value());
  EXPECT_EQ(name->size(), 16u);
  std::string text = CutAtNul(*name);
  EXPECT_FALSE(text.empty());
  EXPECT_LE(text.size(), 15u);
  EXPECT_EQ(text, platform->environmentVariable("COMPUTERNAME").value_or(text));
}

TEST_F(Win32Lookups, DirectoryExistsAsTheAttributesSay) {
  ScratchFolder scratch;
  scratch.makeFile(L"file.txt", 3);
  struct Case {
    std::string path;
    bool exists;
  };
  for (const Case& c : {Case{scratch.ansi(), true}, Case{scratch.ansi() + "\\", true},
                        Case{"C:\\", true}, Case{scratch.ansi() + "\\file.txt", false},
                        Case{scratch.ansi() + "\\missing", false}, Case{"", false}}) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(platform->directoryExists(c.path), c.exists);
  }
}

}  // namespace
}  // namespace tarnwick::platform
