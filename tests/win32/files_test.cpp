// The files of the report through the Windows binding: sharing as the report needs it and the
// system's error codes.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/win32/win32_support.h"

namespace tarnwick::platform {
namespace {

using testing::ScratchFolder;

class Win32Files : public ::testing::Test {
 protected:
  std::unique_ptr<Platform> platform = makeSystemPlatform();
  ScratchFolder scratch;
  std::string path = scratch.ansi() + "\\report.csv";
};

TEST_F(Win32Files, CreateReplacesAndAppendGoesToTheEnd) {
  FileOpenResult created = platform->createFile(path);
  ASSERT_TRUE(created.file) << created.error;
  EXPECT_EQ(created.file->write("first\r\n"), 0);
  EXPECT_EQ(created.file->close(), 0);

  created = platform->createFile(path);
  ASSERT_TRUE(created.file);
  EXPECT_EQ(created.file->write("rows\r\n"), 0);
  EXPECT_EQ(created.file->close(), 0);

  FileOpenResult appended = platform->openForAppend(path);
  ASSERT_TRUE(appended.file) << appended.error;
  EXPECT_EQ(appended.file->write("footer\r\n"), 0);
  EXPECT_EQ(appended.file->close(), 0);
  EXPECT_EQ(testing::FileContents(path), "rows\r\nfooter\r\n");
}

TEST_F(Win32Files, AFileOpenWithoutSharingRefusesWithCode32) {
  FileOpenResult held = platform->createFile(path);
  ASSERT_TRUE(held.file);
  FileOpenResult append = platform->openForAppend(path);
  EXPECT_FALSE(append.file);
  EXPECT_EQ(append.error, 32);
  EXPECT_EQ(platform->createFile(path).error, 32);
}

TEST_F(Win32Files, WhileTheFooterIsWrittenOthersMayReadButNotWrite) {
  platform->createFile(path).file->close();
  FileOpenResult appending = platform->openForAppend(path);
  ASSERT_TRUE(appending.file);
  HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_EQ(writer, INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
}

TEST_F(Win32Files, FailuresCarryTheSystemsCodes) {
  struct Case {
    const char* what;
    FileOpenResult result;
    FileErrorCode code;
  };
  Case cases[] = {
      {"append to a missing file", platform->openForAppend(path), 2},
      {"append in a missing folder", platform->openForAppend(scratch.ansi() + "\\no\\r.csv"), 3},
      {"create in a missing folder", platform->createFile(scratch.ansi() + "\\no\\r.csv"), 3},
      {"create over a folder", platform->createFile(scratch.ansi()), 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_FALSE(c.result.file);
    EXPECT_EQ(c.result.error, c.code);
  }
  // Appending creates nothing.
  EXPECT_FALSE(platform->fileExists(path));
}

TEST_F(Win32Files, RenameNeverReplacesAndExistsMeansAFile) {
  std::string backup = scratch.ansi() + "\\report.bak";
  platform->createFile(path).file->close();
  platform->createFile(backup).file->close();
  EXPECT_FALSE(platform->renameFile(path, backup));
  EXPECT_TRUE(platform->deleteFile(backup));
  EXPECT_FALSE(platform->deleteFile(backup));
  EXPECT_TRUE(platform->renameFile(path, backup));
  EXPECT_FALSE(platform->fileExists(path));
  EXPECT_TRUE(platform->fileExists(backup));
  EXPECT_FALSE(platform->fileExists(scratch.ansi()));
}

TEST_F(Win32Files, TheModuleFileNameIsThisProgram) {
  std::string module = platform->moduleFileName();
  ASSERT_GT(module.size(), 15u);
  EXPECT_EQ(module.substr(module.size() - 15), "\\test_win32.exe");
  EXPECT_TRUE(platform->fileExists(module));
}

}  // namespace
}  // namespace tarnwick::platform
