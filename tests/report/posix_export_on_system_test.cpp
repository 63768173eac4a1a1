// The export against the system's own refusals: folders and files the user may not change, a
// backup nobody may delete, a disk that fills up. Some need root to set up and say so.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "platform/fake/fake_platform.h"
#include "report/report.h"
#include "tests/report/report_test_support.h"

namespace tarnwick {
namespace {

using platform::FakePlatform;
using namespace tarnwick::testing;

constexpr uid_t kNobody = 65534;

// Runs `work` as the unprivileged user "nobody" when the tests run as root (in a child, so that
// the test goes on as root), else right here; gives what `work` returns, or nothing when the
// user could not be changed.
std::optional<std::string> AsUnprivilegedUser(const std::function<std::string()>& work) {
  if (::geteuid() != 0) return work();
  int channel[2];
  if (::pipe(channel) != 0) return std::nullopt;
  const pid_t child = ::fork();
  if (child < 0) return std::nullopt;
  if (child == 0) {
    ::close(channel[0]);
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
      ::_exit(2);
    const std::string answer = work();
    const bool sent =
        ::write(channel[1], answer.data(), answer.size()) == static_cast<ssize_t>(answer.size());
    ::_exit(sent ? 0 : 3);
  }
  ::close(channel[1]);
  std::string answer;
  char buffer[256];
  for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;)
    answer.append(buffer, got);
  ::close(channel[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return answer;
}

class ExportOnSystemTest : public ::testing::Test {
 protected:
  ExportOnSystemTest() { platform->computer = "WORKSTATION7"; }

  // The message the user sees, "" when the export succeeded.
  std::string Export(const std::string& report) {
    const RegionalSettings settings = UnitedStates();
    const ReportSubject subject{rows, 0, settings, [] { return std::string("WORKSTATION7"); },
                                [this](const std::string& text) { status = text; }};
    try {
      ExportReportTo(*platform, report, subject);
    } catch (const IoFailure& failure) {
      return WithFullStop(failure.what());
    }
    return {};
  }

  std::unique_ptr<FakePlatform> platform = FakePlatform::Posix();
  TempDir dir;
  std::vector<FolderRow> rows = CatalogueRows();
  std::string status;
};

TEST_F(ExportOnSystemTest, AFolderWhereTheReportCannotBeCreatedGivesFileNotFound) {
  const std::string folder = dir / "protected";
  ASSERT_EQ(::mkdir(folder.c_str(), 0555), 0);
  const std::string report = folder + "/tarnwick.csv";
  const std::optional<std::string> message =
      AsUnprivilegedUser([&] { return Export(report) + "|" + status; });
  if (!message) GTEST_SKIP() << "cannot become an unprivileged user here";
  EXPECT_EQ(*message, "File not found.|Data Exported to: " + report);
  EXPECT_TRUE(std::filesystem::is_empty(folder));
}

TEST_F(ExportOnSystemTest, AnEarlierReportTheUserMayNotChangeGivesFileAccessDenied) {
  const std::string folder = dir / "protected";
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  const std::string report = folder + "/tarnwick.csv", backup = folder + "/tarnwick.bak";
  WriteFile(report, "earlier report\r\n");
  WriteFile(backup, "earlier backup\r\n");
  ::chmod(report.c_str(), 0444);
  ::chmod(folder.c_str(), 0555);
  const std::optional<std::string> message = AsUnprivilegedUser([&] { return Export(report); });
  if (!message) GTEST_SKIP() << "cannot become an unprivileged user here";
  EXPECT_EQ(*message, "File access denied.");
  EXPECT_EQ(ReadFile(report), "earlier report\r\n");
  EXPECT_EQ(ReadFile(backup), "earlier backup\r\n");
}

// A backup that may be neither deleted nor replaced: the report is written over in its place.
TEST_F(ExportOnSystemTest, AReadOnlyBackupStaysAndTheReportIsOverwritten) {
  const std::string report = dir / "tarnwick.csv", backup = dir / "tarnwick.bak";
  WriteFile(report, "earlier report\r\n");
  WriteFile(backup, "earlier backup\r\n");
  const int fd = ::open(backup.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  int flags = 0;
  const bool immutable = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                         (flags |= FS_IMMUTABLE_FL, ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
  if (!immutable) {
    ::close(fd);
    GTEST_SKIP() << "files cannot be made immutable here (needs root and a file system with it)";
  }
  const std::string message = Export(report);
  flags &= ~FS_IMMUTABLE_FL;
  ::ioctl(fd, FS_IOC_SETFLAGS, &flags);
  ::close(fd);
  EXPECT_EQ(message, "");
  EXPECT_EQ(ReadFile(backup), "earlier backup\r\n");
  const std::string written = ReadFile(report);
  EXPECT_TRUE(written.starts_with("\"Common Files\"\r\n")) << written;
  EXPECT_TRUE(written.ends_with(std::string(42, '*') + "\r\n"));
}

// A small file system of its own that a test fills to the last page.
class FullDiskTest : public ExportOnSystemTest {
 protected:
  void SetUp() override {
    mountPoint = dir / "disk";
    ASSERT_EQ(::mkdir(mountPoint.c_str(), 0755), 0);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") != 0)
      GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    mounted = true;
  }
  void TearDown() override {
    if (mounted) ::umount2(mountPoint.c_str(), MNT_DETACH);
  }

  // Fills the disk, then frees `pages` pages of it again.
  void FillLeaving(int pages) {
    const int fd = ::open((mountPoint + "/filler").c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    const std::string chunk(kPage, 'f');
    off_t size = 0;
    for (ssize_t written; (written = ::write(fd, chunk.data(), chunk.size())) > 0;) size += written;
    ASSERT_GE(size, pages * kPage);
    ASSERT_EQ(::ftruncate(fd, size - pages * kPage), 0);
    ::close(fd);
  }

  const long kPage = ::sysconf(_SC_PAGESIZE);
  std::string mountPoint;
  bool mounted = false;
};

TEST_F(FullDiskTest, AFullDiskBeforeTheRowsIsToldAndThePreviousReportStaysInTheBackup) {
  const std::string report = mountPoint + "/tarnwick.csv";
  WriteFile(report, "previous report\r\n");
  FillLeaving(0);
  EXPECT_EQ(Export(report), "Disk full.");
  EXPECT_EQ(ReadFile(mountPoint + "/tarnwick.bak"), "previous report\r\n");
  EXPECT_EQ(ReadFile(report), "");
}

TEST_F(FullDiskTest, AFullDiskFoundAtTheCloseOfTheFooterIsTold) {
  // Rows that leave room for exactly two buffers of the footer in the last free page.
  const std::size_t rowBytes = ReportRowSection(*platform, rows).size();
  ASSERT_LT(rowBytes + 256, static_cast<std::size_t>(kPage));
  rows[4].SubItems = {std::string(kPage - 256 - rowBytes - 1, 'x')};
  ASSERT_EQ(ReportRowSection(*platform, rows).size(), static_cast<std::size_t>(kPage - 256));
  FillLeaving(1);
  const std::string report = mountPoint + "/tarnwick.csv";
  EXPECT_EQ(Export(report), "Disk full.");
  const std::string written = ReadFile(report);
  EXPECT_EQ(written.size(), static_cast<std::size_t>(kPage));
  EXPECT_FALSE(written.ends_with(CreditLine() + "\r\n" + std::string(42, '*') + "\r\n"));
}

}  // namespace
}  // namespace tarnwick
