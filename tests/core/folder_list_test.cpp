#include "core/folder_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "core/size_text.h"
#include "platform/fake/fake_platform.h"

namespace tarnwick {
namespace {

using platform::FakeNode;
using platform::FakePlatform;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr std::size_t CommonFilesRow = 0, ProgramFilesRow = 1, WindowsRow = 2, SystemRow = 3,
                      TempRow = 4, DesktopRow = 5;

// A small Windows system on drive C: whose folders lie in the fake's tree; the desktop's folder
// is named but missing. Common Files holds 1536 bytes ("1.5 KB"), Program Files 1636 in all,
// WINDOWS 1050624 ("1 MB") and Temp 1.
class FolderListTest : public ::testing::Test {
 protected:
  FolderListTest() {
    FakeNode common;
    common.files = {{"shared.dll", 1536}};
    FakeNode programFiles;
    programFiles.children["Common Files"] = common;
    programFiles.files = {{"setup.log", 100}};
    FakeNode system32;
    system32.files = {{"kernel32.dll", 1048577}};
    FakeNode windows;
    windows.children["system32"] = system32;
    windows.files = {{"win.ini", 2047}};
    FakeNode temp;
    temp.files = {{"~tmp1", 1}};
    FakeNode drive;
    drive.children = {{"Program Files", programFiles}, {"WINDOWS", windows}, {"Temp", temp}};
    fake->tree = drive;
    fake->treeRoot = "C:";
    fake->registry["CommonFilesDir"] = platform::WideString("C:\\Program Files\\Common Files");
    fake->registry["ProgramFilesDir"] = platform::WideString("C:\\Program Files");
    fake->windowsDir = "C:\\WINDOWS";
    fake->systemDir = "C:\\WINDOWS\\system32";
    fake->environment["TMP"] = "C:\\Temp\\";
    fake->shellFolders[0] = "C:\\Desktop";
    list.setStatusSink([this](const std::string& text) { statuses.push_back(text); });
    list.CreateBasicList();
  }

  void tick(std::initializer_list<std::size_t> rows) {
    for (std::size_t r : rows) list.rows()[r].Checked = true;
  }

  std::unique_ptr<FakePlatform> fake = FakePlatform::Windows();
  ComputerInfo info{*fake};
  FolderList list{*fake, info};
  std::vector<std::string> statuses;
};

TEST_F(FolderListTest, CreateBasicListHoldsTheCatalogueUntickedAndEmpty) {
  ASSERT_EQ(list.rows().size(), 29u);
  for (std::size_t r = 0; r < 29; ++r) {
    SCOPED_TRACE(r);
    EXPECT_EQ(list.rows()[r].Caption, FolderCatalogue[r].Caption);
    EXPECT_FALSE(list.rows()[r].Checked);
    EXPECT_THAT(list.rows()[r].SubItems, IsEmpty());
  }
  EXPECT_EQ(list.TotalSize(), 0u);
}

TEST_F(FolderListTest, EachOperationSetsItsStatusTextsInOrder) {
  const struct {
    const char* name;
    std::function<void(FolderList&)> operation;
    std::vector<std::string> texts;
  } cases[] = {
      {"RunSurvey", [](FolderList& l) { l.RunSurvey(); }, {"Retriving Data...", "Done"}},
      {"SelectAll", [](FolderList& l) { l.SelectAll(); }, {"All System Folders are Selected"}},
      {"SelectNone", [](FolderList& l) { l.SelectNone(); }, {"All System Folders are Unselected"}},
      {"ClearList",
       [](FolderList& l) { l.ClearList(); },
       {"All System Folders are Unselected", "Retriving Data...", "Done", "All Cleared"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    statuses.clear();
    c.operation(list);
    EXPECT_EQ(statuses, c.texts);
    EXPECT_EQ(list.statusText(), c.texts.back());
  }
}

TEST_F(FolderListTest, SurveyFillsTickedRowsWhoseFolderExists) {
  tick({CommonFilesRow, WindowsRow, TempRow, DesktopRow});
  EXPECT_TRUE(list.RunSurvey());
  const auto& rows = list.rows();
  EXPECT_THAT(rows[CommonFilesRow].SubItems,
              ElementsAre("C:\\Program Files\\Common Files", "1.5 KB"));
  EXPECT_THAT(rows[WindowsRow].SubItems, ElementsAre("C:\\WINDOWS", "1 MB"));
  EXPECT_THAT(rows[TempRow].SubItems, ElementsAre("C:\\Temp", "1 bytes"));
  EXPECT_THAT(rows[DesktopRow].SubItems, IsEmpty());  // its folder is missing
  EXPECT_THAT(rows[ProgramFilesRow].SubItems, IsEmpty());
  EXPECT_EQ(list.TotalSize(), 1536u + 1050624u + 1u);
}

TEST_F(FolderListTest, ARowTickedInTwoRunsHoldsBothPairsAndTheTotalIsTheSecondRunsSum) {
  tick({WindowsRow, SystemRow});
  list.RunSurvey();
  fake->tree->children["WINDOWS"].files["new.log"] = 5368709120;
  list.rows()[SystemRow].Checked = false;
  list.RunSurvey();
  EXPECT_THAT(list.rows()[WindowsRow].SubItems,
              ElementsAre("C:\\WINDOWS", "1 MB", "C:\\WINDOWS", "5 GB"));
  EXPECT_THAT(list.rows()[SystemRow].SubItems, IsEmpty());  // unticked rows are emptied
  EXPECT_EQ(list.TotalSize(), 1050624u + 5368709120u);
}

TEST_F(FolderListTest, ATickedRowWhoseFolderVanishedKeepsItsEarlierValues) {
  tick({TempRow, ProgramFilesRow});
  list.RunSurvey();
  const auto before = list.rows()[TempRow].SubItems;
  fake->tree->children.erase("Temp");
  list.RunSurvey();
  EXPECT_EQ(list.rows()[TempRow].SubItems, before);
  EXPECT_EQ(list.TotalSize(), 1636u);

  // A location the system does not give at all (here an unset registry value) is no failure.
  fake->registry.erase("ProgramFilesDir");
  list.RunSurvey();
  EXPECT_EQ(list.rows()[ProgramFilesRow].SubItems.size(), 4u);
  EXPECT_EQ(list.TotalSize(), 0u);
  EXPECT_EQ(list.statusText(), "Done");
}

TEST_F(FolderListTest, SelectNoneKeepsValuesUntilTheNextRunAndClearEmptiesEverything) {
  list.SelectAll();
  for (const FolderRow& row : list.rows()) EXPECT_TRUE(row.Checked);
  list.RunSurvey();
  const auto windows = list.rows()[WindowsRow].SubItems;
  ASSERT_EQ(windows.size(), 2u);

  list.SelectNone();
  EXPECT_EQ(list.rows()[WindowsRow].SubItems, windows);
  EXPECT_FALSE(list.rows()[WindowsRow].Checked);

  list.SelectAll();
  list.RunSurvey();
  list.ClearList();
  for (const FolderRow& row : list.rows()) {
    EXPECT_FALSE(row.Checked);
    EXPECT_THAT(row.SubItems, IsEmpty());
  }
  EXPECT_EQ(list.TotalSize(), 0u);
  EXPECT_EQ(list.statusText(), "All Cleared");
}

TEST_F(FolderListTest, AStopRequestEndsTheRunAtTheRowBeingMeasured) {
  list.SelectAll();
  list.RunSurvey();
  std::vector<std::vector<std::string>> before;
  for (const FolderRow& row : list.rows()) before.push_back(row.SubItems);

  std::atomic<bool> stop{false};
  SurveyOptions options;
  options.walk.stop = &stop;
  std::vector<std::size_t> started, finished;
  options.observer.rowStarted = [&](std::size_t row) {
    started.push_back(row);
    if (row == SystemRow) stop = true;  // while the system directory is being measured
  };
  options.observer.rowFinished = [&](std::size_t row) { finished.push_back(row); };
  statuses.clear();

  EXPECT_FALSE(list.RunSurvey(options));
  EXPECT_THAT(statuses, ElementsAre("Retriving Data...", "Stopped"));
  EXPECT_THAT(started, ElementsAre(0, 1, 2, 3));
  EXPECT_THAT(finished, ElementsAre(0, 1, 2));
  for (std::size_t r = 0; r < 29; ++r) {
    SCOPED_TRACE(r);
    if (r < SystemRow) {
      EXPECT_EQ(list.rows()[r].SubItems.size(), before[r].size() + 2);  // this run's pair appended
    } else {
      EXPECT_EQ(list.rows()[r].SubItems, before[r]);  // untouched
    }
  }
  EXPECT_EQ(list.TotalSize(), 1536u + 1636u + 1050624u);

  // Clearing never stops half way, even with the request still set.
  SurveyOptions stale;
  stale.walk.stop = &stop;
  EXPECT_TRUE(list.ClearList(stale));
  for (const FolderRow& row : list.rows()) EXPECT_THAT(row.SubItems, IsEmpty());
}

// Program Files holds Common Files, the Windows folder the system folder; Programs, Start Menu and
// Profile are one folder spelled three ways, one of them through a mount. Each row measures in
// full, and no directory is listed twice.
TEST_F(FolderListTest, NestedAndCoincidingRowsAreMeasuredWholeFromOneListingEach) {
  constexpr std::size_t ProgramsRow = 6, StartMenuRow = 12, ProfileRow = 28;
  fake->tree->children["Users"].children["Ann"].files = {{"ntuser.dat", 262144}};
  fake->tree->children["Users"].children["Ann"].children["Menu"].files = {{"app.lnk", 900}};
  fake->tree->children["Mounted"].shows = "C:\\Users\\Ann";
  fake->shellFolders[2] = "C:\\Users\\Ann";
  fake->shellFolders[11] = "C:\\Users\\Ann\\";
  fake->shellFolders[40] = "C:\\Mounted";
  list.SelectAll();
  const std::pair<std::size_t, std::string> rows[] = {
      {CommonFilesRow, "C:\\Program Files\\Common Files"},
      {ProgramFilesRow, "C:\\Program Files"},
      {WindowsRow, "C:\\WINDOWS"},
      {SystemRow, "C:\\WINDOWS\\system32"},
      {TempRow, "C:\\Temp"},
      {ProgramsRow, "C:\\Users\\Ann"},
      {StartMenuRow, "C:\\Users\\Ann"},  // the lookup drops the delimiter
      {ProfileRow, "C:\\Mounted"},
  };
  fake->listings.clear();
  std::vector<std::size_t> finished;
  SurveyOptions options;
  options.observer.rowFinished = [&](std::size_t row) { finished.push_back(row); };
  for (unsigned threads : {1u, 4u}) {
    SCOPED_TRACE(threads);
    for (FolderRow& row : list.rows()) row.SubItems.clear();
    fake->listings.clear();
    finished.clear();
    options.walk.threads = threads;
    ASSERT_TRUE(list.RunSurvey(options));
    EXPECT_EQ(finished.size(), 29u);
    EXPECT_TRUE(std::is_sorted(finished.begin(), finished.end()));
    for (const auto& [node, count] : fake->listings) EXPECT_EQ(count, 1);
    EXPECT_EQ(fake->listings.size(), 7u);  // the drive itself is not asked for
    std::uint64_t total = 0;
    for (const auto& [row, location] : rows) {
      SCOPED_TRACE(location);
      const std::uint64_t alone = GetFolderSize(*fake, location, true);
      EXPECT_THAT(list.rows()[row].SubItems,
                  ElementsAre(location, SizeToText(static_cast<std::int64_t>(alone))));
      total += alone;
    }
    EXPECT_EQ(list.TotalSize(), total);
  }
}

TEST_F(FolderListTest, SizeTextsFollowTheRegionalDecimalSeparator) {
  RegionalSettings settings;
  settings.decimalSeparator = ',';
  list.setRegionalSettings(settings);
  tick({CommonFilesRow});
  list.RunSurvey();
  EXPECT_EQ(list.rows()[CommonFilesRow].SubItems.at(1), "1,5 KB");
}

TEST(DirectoryExists, IsFalseForTheEmptyTextAndMissingPaths) {
  auto fake = FakePlatform::Windows();
  fake->tree = FakeNode{};
  fake->treeRoot = "C:";
  fake->tree->children["Data"] = FakeNode{};
  fake->tree->files["file.txt"] = 3;
  EXPECT_TRUE(DirectoryExists(*fake, "C:\\Data"));
  EXPECT_TRUE(DirectoryExists(*fake, "C:\\Data\\"));
  EXPECT_FALSE(DirectoryExists(*fake, ""));
  EXPECT_FALSE(DirectoryExists(*fake, "C:\\Missing"));
  EXPECT_FALSE(DirectoryExists(*fake, "C:\\file.txt"));
}

}  // namespace
}  // namespace tarnwick

namespace tarnwick {
namespace {

// The same system measured for real: the texts and the sums as the user sees them.
TEST_F(FolderListTest, SizesAndTotalsOfTwoRuns) {
  tick({CommonFilesRow, ProgramFilesRow, WindowsRow});
  list.RunSurvey();
  EXPECT_EQ(list.rows()[CommonFilesRow].SubItems.at(1), "1.5 KB");  // 1536
  EXPECT_EQ(list.rows()[ProgramFilesRow].SubItems.at(1),
            "1.6 KB");  // 100 + 1536, nested rows count in full
  EXPECT_EQ(list.rows()[WindowsRow].SubItems.at(1), "1 MB");  // 2047 + 1048577
  EXPECT_EQ(list.TotalSize(), 1536u + 1636u + 1050624u);

  fake->tree->children["WINDOWS"].files["new.log"] = 5368709120;
  list.rows()[CommonFilesRow].Checked = false;
  list.rows()[ProgramFilesRow].Checked = false;
  list.RunSurvey();
  EXPECT_THAT(list.rows()[WindowsRow].SubItems,
              ElementsAre("C:\\WINDOWS", "1 MB", "C:\\WINDOWS", "5 GB"));
  EXPECT_EQ(list.TotalSize(), 1050624u + 5368709120u);
}

}  // namespace
}  // namespace tarnwick
