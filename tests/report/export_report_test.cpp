// The whole export: rows, footer, backup, and what the user is told when files fail.
#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "report/report.h"
#include "tests/report/report_test_support.h"

namespace tarnwick {
namespace {

using platform::FakePlatform;
using namespace tarnwick::testing;

// The four folders of the worked example, in bytes; their sum reads 9.43 GB.
constexpr std::uint64_t kCommonFiles = 327680000, kWindows = 8407399137, kPersonal = 1288490189,
                        kFonts = 103399997;

class ExportReportTest : public ::testing::Test {
 protected:
  ExportReportTest() {
    platform->computer = "WORKSTATION7";
    platform->now = {2011, 1, 15, 15, 42, 7, 0};
  }

  ReportSubject Subject() {
    return {rows, total, settings, [this] { return computerName; },
            [this](const std::string& text) { statuses.push_back(text); }};
  }

  // Runs the export and gives the message the user sees, or nothing when it succeeded.
  std::optional<std::string> Export() {
    try {
      ExportReportTo(*platform, report, Subject());
    } catch (const IoFailure& failure) {
      return WithFullStop(failure.what());
    }
    return std::nullopt;
  }

  void SurveyWorkedExample() {
    Row(rows, "Common Files").SubItems = {"C:\\Program Files\\Common Files", "312.5 MB"};
    Row(rows, "Windows").SubItems = {"C:\\WINDOWS", "7.83 GB"};
    Row(rows, "Personal").SubItems = {"C:\\Documents and Settings\\user1\\My Documents", "1.2 GB"};
    Row(rows, "Fonts").SubItems = {"C:\\WINDOWS\\Fonts", "98.61 MB"};
    total = kCommonFiles + kWindows + kPersonal + kFonts;
  }

  std::unique_ptr<FakePlatform> platform = FakePlatform::Windows();
  TempDir dir;
  std::string report = dir / "Tarnwick.csv";
  std::string backup = dir / "Tarnwick.bak";
  std::vector<FolderRow> rows = CatalogueRows();
  std::uint64_t total = 0;
  RegionalSettings settings = UnitedStates();
  std::string computerName = "WORKSTATION7";
  std::vector<std::string> statuses;
};

const char* const kWorkedExample =
    "\"Common Files\",\"C:\\Program Files\\Common Files\",\"312.5 MB\"\r\n"
    "\"Program Files\"\r\n"
    "Windows,C:\\WINDOWS,\"7.83 GB\"\r\n"
    "System\r\n"
    "Temp\r\n"
    "Desktop\r\n"
    "Programs\r\n"
    "Personal,\"C:\\Documents and Settings\\user1\\My Documents\",\"1.2 GB\"\r\n"
    "Favorites\r\n"
    "Startup\r\n"
    "Recent\r\n"
    "\"Send to\"\r\n"
    "\"Start Menu\"\r\n"
    "\"Desktop Folder\"\r\n"
    "\"Net Hood\"\r\n"
    "Fonts,C:\\WINDOWS\\Fonts,\"98.61 MB\"\r\n"
    "\"Common Start Menu\"\r\n"
    "\"Common Programs\"\r\n"
    "\"Common Startup\"\r\n"
    "\"Common Desktop Folder\"\r\n"
    "\"Common App Data\"\r\n"
    "\"App Data\"\r\n"
    "\"Print Hood\"\r\n"
    "\"Common Favorites\"\r\n"
    "Templates\r\n"
    "\"Internet Cache\"\r\n"
    "Cookies\r\n"
    "History\r\n"
    "Profile\r\n"
    "******************************************\r\n"
    "Report for computer,WORKSTATION7\r\n"
    "Estimated total size,9.43 GB\r\n"
    "Generated with Tarnwick at,1/15/2011 3:42:07 PM\r\n"
    "Tarnwick is freeware, written by, The Tarnwick Project 2026, https://tarnwick.example/\r\n"
    "******************************************\r\n";

TEST_F(ExportReportTest, WritesTheWorkedExampleByteForByte) {
  SurveyWorkedExample();
  EXPECT_EQ(Export(), std::nullopt);
  const std::string written = ReadFile(report);
  EXPECT_EQ(written, kWorkedExample);
  std::size_t lines = 0;
  for (std::size_t at = 0; (at = written.find("\r\n", at)) != std::string::npos; at += 2) ++lines;
  EXPECT_EQ(lines, 35u);
  EXPECT_EQ(statuses, std::vector<std::string>{"Data Exported to: " + report});
  EXPECT_FALSE(platform->fileExists(backup));
}

TEST_F(ExportReportTest, WritesEveryPairOfARowSurveyedTwice) {
  Row(rows, "Windows").SubItems = {"C:\\WINDOWS", "7.83 GB", "C:\\WINDOWS", "7.83 GB"};
  const std::string section = ReportRowSection(*platform, rows);
  EXPECT_NE(section.find("\r\nWindows,C:\\WINDOWS,\"7.83 GB\",C:\\WINDOWS,\"7.83 GB\"\r\n"),
            std::string::npos);
}

TEST_F(ExportReportTest, BeforeAnySurveyWritesCaptionsAloneAndAnEmptyComputerName) {
  computerName.clear();
  EXPECT_EQ(Export(), std::nullopt);
  const std::string written = ReadFile(report);
  EXPECT_EQ(written.substr(0, 33), "\"Common Files\"\r\n\"Program Files\"\r\n");
  EXPECT_NE(written.find("\r\nProfile\r\n****"), std::string::npos);
  EXPECT_NE(written.find("\r\nReport for computer,\r\nEstimated total size,0 bytes\r\n"),
            std::string::npos);
}

TEST_F(ExportReportTest, QuotesACommaDecimalSeparatorInRowsButNotInTheTotalLine) {
  SurveyWorkedExample();
  Row(rows, "Windows").SubItems = {"C:\\WINDOWS", "7,83 GB"};
  settings = German();
  EXPECT_EQ(Export(), std::nullopt);
  const std::string written = ReadFile(report);
  EXPECT_NE(written.find("\r\nWindows,C:\\WINDOWS,\"7,83 GB\"\r\n"), std::string::npos);
  EXPECT_NE(written.find("\r\nEstimated total size,9,43 GB\r\n"), std::string::npos);
  EXPECT_NE(written.find("\r\nGenerated with Tarnwick at,15.01.2011 15:42:07\r\n"),
            std::string::npos);
}

TEST_F(ExportReportTest, WritesTheDateAloneAtMidnight) {
  platform->now = {2011, 1, 16, 0, 0, 0, 500};
  EXPECT_EQ(Export(), std::nullopt);
  EXPECT_NE(ReadFile(report).find("\r\nGenerated with Tarnwick at,1/16/2011\r\n"),
            std::string::npos);
}

TEST_F(ExportReportTest, KeepsThePreviousReportAsTheBackupOverThreeExports) {
  for (const char* location : {"first", "second", "third"}) {
    Row(rows, "Temp").SubItems = {location, "1 KB"};
    ASSERT_EQ(Export(), std::nullopt);
  }
  EXPECT_NE(ReadFile(report).find("Temp,third,\"1 KB\"\r\n"), std::string::npos);
  EXPECT_NE(ReadFile(backup).find("Temp,second,\"1 KB\"\r\n"), std::string::npos);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path)) ++files;
  EXPECT_EQ(files, 2u);  // the first report is gone
}

TEST_F(ExportReportTest, AReportHeldOpenByAnotherWriterStaysAsItWas) {
  WriteFile(report, "earlier report\r\n");
  const platform::FileOpenResult held = platform->fallback->openForAppend(report);
  ASSERT_TRUE(held.file);
  EXPECT_EQ(Export(), "I/O error 32.");
  EXPECT_EQ(ReadFile(report), "earlier report\r\n");
  EXPECT_FALSE(platform->fileExists(backup));
  EXPECT_EQ(statuses, std::vector<std::string>{"Data Exported to: " + report});
}

TEST_F(ExportReportTest, AFolderThatDoesNotExistGivesFileNotFound) {
  report = dir / "missing/Tarnwick.csv";
  // Windows finds no path there (3), POSIX no file (2).
  const bool windows = platform->fallback->pathStyle().delimiter == '\\';
  EXPECT_EQ(Export(), windows ? "Invalid filename." : "File not found.");
  EXPECT_EQ(statuses, std::vector<std::string>{"Data Exported to: " + report});
}

// The rows stage failing while the open for appending works: the export says so and appends
// nothing, where a footer would make a cut or stale report look like a new one.
TEST_F(ExportReportTest, ACutRowSectionGetsNoFooterAndTheUserIsTold) {
  WriteFile(report, "previous report\r\n");
  platform->diskSpaceLeft = 100;
  EXPECT_EQ(Export(), "Disk full.");
  const std::string written = ReadFile(report);
  EXPECT_EQ(written, ReportRowSection(*platform, rows).substr(0, 100));
  EXPECT_EQ(ReadFile(backup), "previous report\r\n");
}

TEST_F(ExportReportTest, AnEarlierReportThatCouldNotBeReplacedGetsNoSecondFooter) {
  WriteFile(report, "earlier report\r\n");
  WriteFile(backup, "earlier backup\r\n");
  platform->fileFault = [](std::string_view operation, const std::string&) {
    return operation == "delete" || operation == "rename" || operation == "create" ? 5 : 0;
  };
  EXPECT_EQ(Export(), "File access denied.");
  EXPECT_EQ(ReadFile(report), "earlier report\r\n");
  EXPECT_EQ(ReadFile(backup), "earlier backup\r\n");
}

TEST_F(ExportReportTest, ABackupThatCannotGoLeavesTheReportToBeOverwritten) {
  WriteFile(report, "earlier report\r\n");
  WriteFile(backup, "earlier backup\r\n");
  platform->fileFault = [](std::string_view operation, const std::string&) {
    return operation == "delete" ? 5 : 0;
  };
  EXPECT_EQ(Export(), std::nullopt);
  EXPECT_EQ(ReadFile(report).substr(0, 16), "\"Common Files\"\r\n");
  EXPECT_EQ(ReadFile(backup), "earlier backup\r\n");
}

TEST_F(ExportReportTest, AFullDiskInTheFooterNeverLeavesAReportThatLooksComplete) {
  const std::size_t rowBytes = ReportRowSection(*platform, rows).size();
  struct Case {
    const char* where;
    std::uint64_t space;
  };
  // The footer reaches the file 128 bytes at a time: at the first full buffer, or at the close.
  for (const Case& c : {Case{"first buffer", rowBytes + 100}, Case{"close", rowBytes + 256}}) {
    SCOPED_TRACE(c.where);
    std::filesystem::remove(report);
    platform->diskSpaceLeft = c.space;
    EXPECT_EQ(Export(), "Disk full.");
    const std::string written = ReadFile(report);
    EXPECT_EQ(written.size(), c.space);
    EXPECT_FALSE(written.ends_with(CreditLine() + "\r\n" + std::string(42, '*') + "\r\n"));
  }
}

}  // namespace
}  // namespace tarnwick
