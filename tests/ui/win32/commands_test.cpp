// The toolbar's commands on the real window, over a fake system.
#include <gtest/gtest.h>

#include "core/folder_catalogue.h"
#include "core/size_text.h"
#include "tests/ui/win32/message_boxes.h"
#include "tests/ui/win32/window_test.h"

namespace tarnwick::ui::win32::testing {
namespace {

using Id = MainWindow::ControlId;
constexpr int Rows = static_cast<int>(FolderCatalogue.size());

TEST_F(FakeWindowTest, StartsWithTwentyNineEmptyUntickedRowsAndNoStatus) {
  ASSERT_EQ(ui().itemCount(), Rows);
  for (int row = 0; row < Rows; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(ui().itemText(row, 0), FolderCatalogue[static_cast<std::size_t>(row)].Caption);
    EXPECT_FALSE(ui().itemChecked(row));
    EXPECT_EQ(ui().itemText(row, 1), "");
    EXPECT_EQ(ui().itemText(row, 2), "");
  }
  EXPECT_EQ(ui().status(), "");
  EXPECT_EQ(ui().focus(), ui().control(Id::btn1Id));
  EXPECT_EQ(ui().progress(), "");
}

TEST_F(FakeWindowTest, SelectAllGetDataSelectNoneAndClear) {
  ui().click(Id::btn2Id);
  EXPECT_EQ(ui().status(), "All System Folders are Selected");
  for (int row = 0; row < Rows; ++row) EXPECT_TRUE(ui().itemChecked(row)) << row;

  ui().clickAndWait(Id::btn1Id);
  EXPECT_EQ(ui().status(), "Done");
  for (int row = 0; row < Rows; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(ui().itemText(row, 1), RowFolder(static_cast<std::size_t>(row)));
    EXPECT_EQ(ui().itemText(row, 2), SizeToText(row + 1, '.'));
  }

  // The values stay until the next run; only the ticks go.
  ui().click(Id::btn3Id);
  EXPECT_EQ(ui().status(), "All System Folders are Unselected");
  EXPECT_FALSE(ui().itemChecked(5));
  EXPECT_EQ(ui().itemText(5, 1), RowFolder(5));

  ui().click(Id::btn2Id);
  ui().clickAndWait(Id::btn7Id);
  EXPECT_EQ(ui().status(), "All Cleared");
  for (int row = 0; row < Rows; ++row) {
    SCOPED_TRACE(row);
    EXPECT_FALSE(ui().itemChecked(row));
    EXPECT_EQ(ui().itemText(row, 1), "");
    EXPECT_EQ(ui().itemText(row, 2), "");
  }
  EXPECT_EQ(ui().window().folderList().TotalSize(), 0u);
}

TEST_F(FakeWindowTest, ATickInTheListIsTheRowsTickAndGetDataMeasuresOnlyTickedRows) {
  const HWND list = ui().control(Id::lv1Id);
  LVITEMA tick{};
  tick.stateMask = LVIS_STATEIMAGEMASK;
  tick.state = INDEXTOSTATEIMAGEMASK(2);
  SendMessageA(list, LVM_SETITEMSTATE, 7, reinterpret_cast<LPARAM>(&tick));
  ui().clickAndWait(Id::btn1Id);
  EXPECT_EQ(ui().itemText(7, 1), RowFolder(7));
  EXPECT_EQ(ui().itemText(8, 1), "");
  EXPECT_EQ(ui().window().folderList().TotalSize(), 8u);
}

TEST_F(FakeWindowTest, TabVisitsTheButtonsInTheirOrderThenTheList) {
  const int order[] = {Id::btn2Id, Id::btn3Id, Id::btn4Id, Id::btn5Id,
                       Id::btn6Id, Id::btn7Id, Id::lv1Id,  Id::btn1Id};
  ASSERT_EQ(ui().focus(), ui().control(Id::btn1Id));
  for (int id : order) {
    const HWND before = ui().focus();
    ui().pressKey(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return ui().focus() != before; }, std::chrono::seconds(2)));
    EXPECT_EQ(GetDlgCtrlID(ui().focus()), id);
  }
}

TEST_F(FakeWindowTest, TheWindowKeepsItsMinimumAndTheColumnsShareTheListsWidth) {
  const HWND window = ui().hwnd();
  const HWND list = ui().control(Id::lv1Id);
  struct Case {
    int width, height, expectedWidth, expectedHeight;
  };
  for (const Case& c : {Case{100, 100, 550, 250}, Case{801, 600, 801, 600},
                        Case{640, 480, 640, 480}, Case{560, 260, 560, 260}}) {
    SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
    SetWindowPos(window, nullptr, 0, 0, c.width, c.height, SWP_NOMOVE | SWP_NOZORDER);
    RECT outer{};
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, c.expectedWidth);
    EXPECT_EQ(outer.bottom - outer.top, c.expectedHeight);

    RECT client{};
    GetClientRect(list, &client);
    const int width = client.right;
    const int folder = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0));
    const int location = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, 1, 0));
    const int size = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, 2, 0));
    EXPECT_EQ(location, width / 3);
    EXPECT_EQ(size, width / 3);
    EXPECT_EQ(folder, width / 3 + width % 3);

    // "About..." and "Exit" keep to the right edge: Exit's right side 4 pixels inside it.
    RECT windowClient{}, exit{}, about{};
    GetClientRect(window, &windowClient);
    GetWindowRect(ui().control(Id::btn4Id), &exit);
    GetWindowRect(ui().control(Id::btn5Id), &about);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&exit), 2);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&about), 2);
    EXPECT_EQ(exit.right, windowClient.right - 4);
    EXPECT_EQ(about.right, exit.left - 6);
  }
}

TEST_F(FakeWindowTest, SettingsChangeOfIntlRereadsTheDecimalSeparator) {
  fake->tree->children["r00"].files["data"] = 1536;
  ui().click(Id::btn2Id);
  ui().clickAndWait(Id::btn1Id);
  EXPECT_EQ(ui().itemText(0, 2), "1.5 KB");

  fake->locale[platform::LocaleItem::DecimalSeparator] = ",";
  // Another area's change leaves the settings alone.
  SendMessageA(ui().hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("WindowMetrics"));
  ui().click(Id::btn7Id);
  WaitUntil([&] { return !ui().surveyRunning(); });
  ui().click(Id::btn2Id);
  ui().clickAndWait(Id::btn1Id);
  EXPECT_EQ(ui().itemText(0, 2), "1.5 KB");

  SendMessageA(ui().hwnd(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
  ui().click(Id::btn7Id);
  WaitUntil([&] { return !ui().surveyRunning(); });
  ui().click(Id::btn2Id);
  ui().clickAndWait(Id::btn1Id);
  EXPECT_EQ(ui().itemText(0, 2), "1,5 KB");
}

TEST_F(FakeWindowTest, AFailureInAHandlerShowsOneBoxAndTheWindowGoesOn) {
  // The report cannot be opened for its footer: access denied.
  fake->fileFault = [](std::string_view operation, const std::string&) {
    return operation == "append" ? 5 : 0;
  };
  ui().clickLater(Id::btn6Id);
  std::vector<MessageBoxSeen> boxes;
  ASSERT_TRUE(WaitUntil([&] {
    boxes = OpenMessageBoxes(ui().threadId());
    return !boxes.empty();
  }));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Get special folders location and size");
  EXPECT_EQ(boxes[0].text, "File access denied.");
  EXPECT_EQ(GetWindow(boxes[0].window, GW_OWNER), ui().hwnd());
  EXPECT_EQ(ui().status().rfind("Data Exported to: ", 0), 0u) << ui().status();
  PressOk(boxes[0]);
  ASSERT_TRUE(WaitUntil([&] { return OpenMessageBoxes(ui().threadId()).empty(); }));

  Sleep(200);
  EXPECT_TRUE(OpenMessageBoxes(ui().threadId()).empty()) << "a second box";
  ui().click(Id::btn2Id);
  EXPECT_EQ(ui().status(), "All System Folders are Selected");
}

}  // namespace
}  // namespace tarnwick::ui::win32::testing
