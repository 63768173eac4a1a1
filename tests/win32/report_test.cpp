// The CSV report written through the Windows API: the backup sequence over three exports, and a
// report that another writer holds open without sharing.
#include "report/report.h"

#include <gtest/gtest.h>

#include <fstream>

#include "core/folder_list.h"
#include "core/system_folders.h"
#include "tests/win32/win32_support.h"

namespace tarnwick {
namespace {

class Win32Report : public ::testing::Test {
 protected:
  Win32Report() { list.CreateBasicList(); }

  // The export's failure message as the window shows it, or the empty text.
  std::string Export() {
    try {
      ExportReportTo(*platform, report, list, computerInfo);
    } catch (const IoFailure& failure) {
      return WithFullStop(failure.what());
    }
    return {};
  }

  std::unique_ptr<platform::Platform> platform = platform::makeSystemPlatform();
  ComputerInfo computerInfo{*platform};
  FolderList list{*platform, computerInfo};
  testing::ScratchFolder scratch;
  std::string report = scratch.ansi() + "\\Tarnwick.csv";
  std::string backup = scratch.ansi() + "\\Tarnwick.bak";
};

TEST_F(Win32Report, EachExportMovesThePreviousReportToTheBackup) {
  ASSERT_EQ(Export(), "");
  const std::string first = testing::FileContents(report);
  EXPECT_EQ(first.substr(0, 16), "\"Common Files\"\r\n");
  EXPECT_NE(first.find("\r\nReport for computer," +
                       computerInfo.Identification().LocalComputerName() + "\r\n"),
            std::string::npos);
  EXPECT_EQ(first.substr(first.size() - 44), std::string(42, '*') + "\r\n");
  EXPECT_FALSE(platform->fileExists(backup));

  // Each report is marked, so that the backup shows which one it is.
  std::ofstream(report, std::ios::binary | std::ios::app) << "first";
  ASSERT_EQ(Export(), "");
  EXPECT_EQ(testing::FileContents(backup), first + "first");
  std::ofstream(report, std::ios::binary | std::ios::app) << "second";
  const std::string second = testing::FileContents(report);

  ASSERT_EQ(Export(), "");
  EXPECT_EQ(testing::FileContents(backup), second);
  EXPECT_EQ(testing::FileContents(report).find("second"), std::string::npos);
}

TEST_F(Win32Report, AReportHeldOpenWithoutSharingGivesIoError32) {
  ASSERT_EQ(Export(), "");
  ASSERT_EQ(Export(), "");
  const std::string earlierReport = testing::FileContents(report);

  HANDLE held = CreateFileA(report.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Export(), "I/O error 32.");
  EXPECT_EQ(list.statusText(), "Data Exported to: " + report);
  CloseHandle(held);

  // The backup was deleted before the rename failed; the report is as it was.
  EXPECT_EQ(testing::FileContents(report), earlierReport);
  EXPECT_FALSE(platform->fileExists(backup));
}

}  // namespace
}  // namespace tarnwick
