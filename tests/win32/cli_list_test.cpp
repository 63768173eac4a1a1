// `tarnwick-cli.exe list` on Windows itself: the lookups of every row through the Windows API,
// as a user of the command line sees them.
#include <gtest/gtest.h>

#include <map>

#include "tests/win32/win32_support.h"

namespace tarnwick::testing {
namespace {

std::string Lower(std::string text) {
  CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

std::string Variable(const char* name) {
  char buffer[MAX_PATH * 4] = {};
  DWORD count = GetEnvironmentVariableA(name, buffer, sizeof buffer);
  return count < sizeof buffer ? std::string(buffer, count) : std::string();
}

// The rows of the table that `list` prints: caption to location.
std::map<std::string, std::string> ListedFolders(const std::string& directory = {}) {
  ProcessOutput run = RunCli("list", directory);
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  std::vector<std::string> lines = Lines(run.output);
  std::map<std::string, std::string> folders;
  if (lines.empty()) return folders;
  const std::size_t column = lines[0].find("Location");
  EXPECT_NE(column, std::string::npos) << run.output;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::string caption = lines[i].substr(0, column);
    caption.erase(caption.find_last_not_of(' ') + 1);
    folders[caption] = lines[i].size() > column ? lines[i].substr(column) : std::string();
  }
  EXPECT_EQ(folders.size(), 29u) << run.output;
  return folders;
}

TEST(Win32CommandLine, ListAnswersThePrefixsOwnFolders) {
  const std::string profile = Variable("USERPROFILE");
  ASSERT_FALSE(profile.empty());
  const std::map<std::string, std::string> expected = {
      {"Common Files", "C:\\Program Files\\Common Files"},
      {"Program Files", "C:\\Program Files"},
      {"Windows", "C:\\windows"},
      {"System", "C:\\windows\\system32"},
      {"Fonts", "C:\\windows\\Fonts"},
      {"Profile", profile},
      {"Desktop", profile + "\\Desktop"},
      {"Desktop Folder", profile + "\\Desktop"},
      // Wine's shell gives this one with a trailing backslash, which the lookup removes.
      {"Personal", profile + "\\Documents"},
      {"App Data", Variable("APPDATA")},
      {"Common App Data", "C:\\ProgramData"},
      {"Internet Cache", Variable("LOCALAPPDATA") + "\\Microsoft\\Windows\\INetCache"},
  };
  std::map<std::string, std::string> listed = ListedFolders();
  for (const auto& [caption, location] : expected) {
    SCOPED_TRACE(caption);
    EXPECT_EQ(Lower(listed[caption]), Lower(location));
  }
  for (const auto& [caption, location] : listed) {
    SCOPED_TRACE(caption);
    EXPECT_FALSE(location.empty());
    EXPECT_NE(location.back(), '\\');
  }
}

TEST(Win32CommandLine, TheTemporaryFolderFollowsTmpTempAndTheCurrentDirectory) {
  ScratchFolder scratch;
  const std::string longForm = scratch.ansi() + "\\A temporary folder with a long name";
  ASSERT_TRUE(CreateDirectoryA(longForm.c_str(), nullptr));
  char shortForm[MAX_PATH] = {};
  ASSERT_GT(GetShortPathNameA(longForm.c_str(), shortForm, MAX_PATH), 0u);
  ASSERT_NE(Lower(shortForm), Lower(longForm));

  struct Case {
    const char* what;
    std::optional<std::string> tmp, temp;
    std::string expected;
  };
  const Case cases[] = {
      {"TMP with a trailing backslash", scratch.ansi() + "\\", "D:\\Other", scratch.ansi()},
      {"TMP in its short form", std::string(shortForm), std::nullopt, longForm},
      {"a drive root", "C:\\", std::nullopt, "C:"},
      {"TMP missing", std::nullopt, longForm + "\\", longForm},
      {"TMP empty", "", longForm, longForm},
      {"a folder that does not exist", "C:\\no\\such\\folder\\", std::nullopt,
       "C:\\no\\such\\folder"},
      // The child runs in the scratch folder.
      {"neither set", std::nullopt, std::nullopt, scratch.ansi()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EnvironmentGuard tmp("TMP", c.tmp);
    EnvironmentGuard temp("TEMP", c.temp);
    EXPECT_EQ(Lower(ListedFolders(scratch.ansi())["Temp"]), Lower(c.expected));
  }
}

// In a double-byte code page the trail byte of a character may be 0x5C, the backslash: "\u8868"
// is 0x95 0x5C in code page 932. Such a folder keeps its last byte, and its tree is measured.
TEST(Win32DoubleByte, ATrailByteThatLooksLikeABackslashIsKept) {
  if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page (run with LC_ALL=ja_JP.UTF-8)";
  ASSERT_TRUE(IsDBCSLeadByte(0x95));
  ScratchFolder scratch;
  scratch.makeDirectory(L"\u8868");
  scratch.makeFile(L"\u8868\\a.txt", 30);
  // "e" with an acute accent is not in code page 932: the walk still counts what lies below it.
  scratch.makeFile(L"\u8868\\caf\u00e9\\b.txt", 12);
  const std::string folder = scratch.ansi() + "\\\x95\x5c";
  ASSERT_EQ(GetFileAttributesA(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

  for (const std::string& tmp : {folder, folder + "\\"}) {
    SCOPED_TRACE(tmp);
    EnvironmentGuard guard("TMP", tmp);
    EXPECT_EQ(ListedFolders()["Temp"], folder);
  }
  {
    SCOPED_TRACE("the current directory");
    EnvironmentGuard tmp("TMP", std::nullopt);
    EnvironmentGuard temp("TEMP", std::nullopt);
    EXPECT_EQ(ListedFolders(folder)["Temp"], folder);
  }
  ProcessOutput run = RunCli("size --bytes \"" + folder + "\"");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_EQ(run.output.substr(0, run.output.find('\t')), "42") << run.output;
}

}  // namespace
}  // namespace tarnwick::testing
