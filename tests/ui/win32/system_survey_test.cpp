// "Select All" and "Get Data" over the Windows API of the Wine prefix: every row whose folder
// exists shows its location and the size of its tree, as a walk of this test's own measures it.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/folder_catalogue.h"
#include "core/size_text.h"
#include "core/system_folders.h"
#include "tests/ui/win32/window_test.h"

namespace tarnwick::ui::win32::testing {
namespace {

using Id = MainWindow::ControlId;

// The sum of the lengths of every file beneath `folder`, through the wide listing functions;
// links are counted with their own length and not entered.
std::uint64_t TreeSize(const std::wstring& folder) {
  std::uint64_t sum = 0;
  WIN32_FIND_DATAW found{};
  HANDLE listing = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (listing == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const bool directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                           !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (directory)
      sum += TreeSize(folder + L"\\" + name);
    else
      sum += (std::uint64_t(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
  } while (FindNextFileW(listing, &found));
  FindClose(listing);
  return sum;
}

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(MultiByteToWideChar(
      CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), int(wide.size()))));
  return wide;
}

TEST(SystemSurveyTest, EveryFolderOfThePrefixIsShownWithTheSizeOfItsTree) {
  if (!HaveDisplay()) GTEST_SKIP() << "needs a display (DISPLAY), such as Xvfb's";
  // A temporary folder of the test's own, so that nothing else writes into it meanwhile.
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::filesystem::path folder =
      std::filesystem::path(temp) / ("tarnwick-survey-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(folder / "inner");
  std::ofstream(folder / "a.txt") << std::string(1500, 'a');
  std::ofstream(folder / "inner" / "b.txt") << std::string(700, 'b');
  SetEnvironmentVariableA("TMP", folder.string().c_str());

  auto platform = platform::makeSystemPlatform();
  ComputerInfo computerInfo(*platform);
  {
    WindowThread ui(*platform);
    ui.click(Id::btn2Id);
    ui.click(Id::btn1Id);
    ASSERT_TRUE(WaitUntil([&] { return !ui.surveyRunning(); }, std::chrono::minutes(3)));
    EXPECT_EQ(ui.status(), "Done");

    int measured = 0;
    for (std::size_t row = 0; row < FolderCatalogue.size(); ++row) {
      SCOPED_TRACE(FolderCatalogue[row].Caption);
      const std::string location = LocateFolder(computerInfo, FolderCatalogue[row].Source);
      const DWORD attributes =
          location.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(location.c_str());
      const int item = static_cast<int>(row);
      if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        EXPECT_EQ(ui.itemText(item, 1), "");
        EXPECT_EQ(ui.itemText(item, 2), "");
        continue;
      }
      ++measured;
      EXPECT_EQ(ui.itemText(item, 1), location);
      EXPECT_EQ(ui.itemText(item, 2), SizeToText(TreeSize(Wide(location)), '.'));
    }
    EXPECT_GE(measured, 10) << "the prefix has most of the folders";
    EXPECT_EQ(ui.itemText(4, 1), folder.string());
    EXPECT_EQ(ui.itemText(4, 2), SizeToText(2200, '.'));
  }
  SetEnvironmentVariableA("TMP", nullptr);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tarnwick::ui::win32::testing
