// The POSIX files of the report: existence, delete, a rename that never replaces, exclusive
// create and append, and errno in the program's codes.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/posix/file_errors.h"
#include "platform/posix/posix_platform.h"

namespace tarnwick::platform {
namespace {

std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void Write(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class PosixFilesTest : public ::testing::Test {
 protected:
  PosixFilesTest() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tarnwick-files-XXXXXX").string();
    dir = ::mkdtemp(pattern.data()) ? pattern : "";
  }
  ~PosixFilesTest() override { std::filesystem::remove_all(dir); }

  std::string At(const std::string& name) const { return dir + "/" + name; }

  PosixPlatform posix;
  std::string dir;
};

TEST(FileErrorFromErrno, MapsErrnoIntoTheTable) {
  struct Case {
    int error;
    FileErrorCode code;
  };
  const Case cases[] = {
      {ENOENT, 2},      {ENOTDIR, 3},   {ENAMETOOLONG, 3}, {ELOOP, 3},    {EMFILE, 4},
      {ENFILE, 4},      {EACCES, 5},    {EPERM, 5},        {EROFS, 5},    {ENOSPC, 101},
      {EDQUOT, 101},    {EFBIG, 101},   {EBUSY, 32},       {ETXTBSY, 32}, {EWOULDBLOCK, 32},
      {EISDIR, EISDIR}, {ENXIO, ENXIO}, {EINVAL, EINVAL},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    EXPECT_EQ(FileErrorFromErrno(c.error), c.code);
  }
}

TEST_F(PosixFilesTest, AFileExistsWhenItIsNoDirectory) {
  Write(At("file"), "x");
  std::filesystem::create_directory(At("folder"));
  std::filesystem::create_symlink(At("file"), At("link-to-file"));
  std::filesystem::create_symlink(At("folder"), At("link-to-folder"));
  std::filesystem::create_symlink(At("nowhere"), At("dangling"));
  struct Case {
    const char* name;
    bool exists;
  };
  for (const Case& c :
       {Case{"file", true}, Case{"link-to-file", true}, Case{"folder", false},
        Case{"link-to-folder", false}, Case{"dangling", false}, Case{"missing", false}}) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(posix.fileExists(At(c.name)), c.exists);
  }
}

TEST_F(PosixFilesTest, RenameNeverReplacesAFile) {
  Write(At("report"), "new");
  Write(At("backup"), "old");
  EXPECT_FALSE(posix.renameFile(At("report"), At("backup")));
  EXPECT_EQ(Read(At("report")), "new");
  EXPECT_EQ(Read(At("backup")), "old");
  EXPECT_TRUE(posix.deleteFile(At("backup")));
  EXPECT_FALSE(posix.deleteFile(At("backup")));
  EXPECT_TRUE(posix.renameFile(At("report"), At("backup")));
  EXPECT_EQ(Read(At("backup")), "new");
  EXPECT_FALSE(posix.fileExists(At("report")));
  EXPECT_FALSE(posix.renameFile(At("report"), At("other")));
}

TEST_F(PosixFilesTest, CreateReplacesTheContentAndAppendAddsToTheEnd) {
  Write(At("report"), "a longer earlier content");
  FileOpenResult created = posix.createFile(At("report"));
  ASSERT_TRUE(created.file) << created.error;
  EXPECT_EQ(created.file->write("rows\r\n"), 0);
  EXPECT_EQ(created.file->close(), 0);
  FileOpenResult appended = posix.openForAppend(At("report"));
  ASSERT_TRUE(appended.file) << appended.error;
  EXPECT_EQ(appended.file->write("footer\r\n"), 0);
  EXPECT_EQ(appended.file->close(), 0);
  EXPECT_EQ(Read(At("report")), "rows\r\nfooter\r\n");
}

TEST_F(PosixFilesTest, OpeningFailuresCarryTheirCodes) {
  Write(At("file"), "x");
  std::filesystem::create_directory(At("folder"));
  ASSERT_EQ(::mkfifo(At("fifo").c_str(), 0644), 0);
  struct Case {
    const char* what;
    bool append;
    std::string path;
    FileErrorCode code;
  };
  const Case cases[] = {
      {"append to a missing file", true, At("missing"), 2},
      {"create in a missing folder", false, At("missing/report"), 2},
      {"create below a file", false, At("file/report"), 3},
      {"create with too long a name", false, At(std::string(300, 'n')), 3},
      {"create over a folder", false, At("folder"), EISDIR},
      {"create on a FIFO nobody reads", false, At("fifo"), ENXIO},  // and does not hang
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const FileOpenResult opened = c.append ? posix.openForAppend(c.path) : posix.createFile(c.path);
    EXPECT_FALSE(opened.file);
    EXPECT_EQ(opened.error, c.code);
  }
  EXPECT_FALSE(posix.fileExists(At("missing")));  // the open for appending creates nothing
}

TEST_F(PosixFilesTest, AFileHeldByAnotherWriterIsNeitherOpenedMovedNorDeleted) {
  Write(At("report"), "earlier report");
  FileOpenResult held = posix.openForAppend(At("report"));
  ASSERT_TRUE(held.file);
  EXPECT_EQ(posix.createFile(At("report")).error, 32);
  EXPECT_EQ(posix.openForAppend(At("report")).error, 32);
  EXPECT_FALSE(posix.renameFile(At("report"), At("backup")));
  EXPECT_FALSE(posix.deleteFile(At("report")));
  EXPECT_EQ(Read(At("report")), "earlier report");  // not even cut short
  EXPECT_EQ(held.file->close(), 0);
  EXPECT_TRUE(posix.createFile(At("report")).file);
}

TEST_F(PosixFilesTest, AFullDeviceGivesDiskFull) {
  FileOpenResult full = posix.openForAppend("/dev/full");
  if (!full.file) GTEST_SKIP() << "no /dev/full here";
  EXPECT_EQ(full.file->write("footer"), 101);
}

TEST(PosixPlatform, NamesTheRunningProgramsFile) {
  PosixPlatform posix;
  const std::string path = posix.moduleFileName();
  EXPECT_EQ(path, std::filesystem::canonical("/proc/self/exe").string());
  EXPECT_EQ(std::filesystem::path(path).filename(), "test_platform");
}

TEST(PosixPlatform, GivesTheLocalTimeToTheMillisecond) {
  PosixPlatform posix;
  const time_t before = ::time(nullptr);
  const LocalTime now = posix.localTime();
  tm expected{};
  ::localtime_r(&before, &expected);
  EXPECT_EQ(now.year, expected.tm_year + 1900);
  EXPECT_EQ(now.month, expected.tm_mon + 1);
  EXPECT_GE(now.millisecond, 0);
  EXPECT_LE(now.millisecond, 999);
  const int seconds = now.hour * 3600 + now.minute * 60 + now.second;
  const int expectedSeconds = expected.tm_hour * 3600 + expected.tm_min * 60 + expected.tm_sec;
  EXPECT_LE((seconds - expectedSeconds + 86400) % 86400, 2);
}

}  // namespace
}  // namespace tarnwick::platform
