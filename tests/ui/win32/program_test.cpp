// tarnwick.exe itself under Wine on a display: a balloon over "Get Data" after the pointer rests
// there, and the About window shown modally by "About..." and closed by its check mark.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "window_test_support.h"

namespace tarnwick::testing {
namespace {

constexpr int kGetDataId = 101;
constexpr int kAboutId = 105;

// tarnwick.exe from this test's own folder, ended when the test ends.
class RunningProgram {
 public:
  RunningProgram() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring program(path);
    program.resize(program.find_last_of(L'\\') + 1);
    program += L"tarnwick.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process_)) {
      WaitForInputIdle(process_.hProcess, 10000);
      for (int i = 0; i < 100 && !mainWindow_; ++i) {
        mainWindow_ = FindWindowA("TarnwickMainWindow", nullptr);
        if (!mainWindow_) Sleep(100);
      }
    }
  }
  ~RunningProgram() {
    if (mainWindow_) PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
    if (process_.hProcess) {
      if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 1);
      }
      CloseHandle(process_.hThread);
      CloseHandle(process_.hProcess);
    }
  }
  HWND mainWindow() const { return mainWindow_; }
  HWND control(int id) const { return GetDlgItem(mainWindow_, id); }

 private:
  PROCESS_INFORMATION process_{};
  HWND mainWindow_ = nullptr;
};

POINT CentreOfWindow(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return CentreOf(r);
}

HWND VisibleWindowOfClass(const wchar_t* name) {
  const HWND found = FindWindowW(name, nullptr);
  return found && IsWindowVisible(found) ? found : nullptr;
}

TEST(ProgramTest, BalloonOverGetDataAfterTheRest) {
  RunningProgram program;
  ASSERT_TRUE(program.mainWindow());
  MovePointer(POINT{2, 2});
  Sleep(300);
  const POINT getData = CentreOfWindow(program.control(kGetDataId));
  MovePointer(POINT{getData.x - 4, getData.y});
  Sleep(50);
  MovePointer(getData);
  Sleep(300);
  EXPECT_FALSE(VisibleWindowOfClass(L"TarnwickBalloonWindow"));
  Sleep(500);
  const HWND balloon = VisibleWindowOfClass(L"TarnwickBalloonWindow");
  ASSERT_TRUE(balloon) << "no balloon after the pointer rested on \"Get Data\"";
  RECT r;
  GetWindowRect(balloon, &r);
  EXPECT_LE(r.bottom - 4, getData.y)
      << "the toolbar lies in the upper half: the balloon opens above";
  Sleep(2600);
  EXPECT_FALSE(VisibleWindowOfClass(L"TarnwickBalloonWindow"));
}

TEST(ProgramTest, AboutIsModalAndClosesByItsCheckMark) {
  RunningProgram program;
  ASSERT_TRUE(program.mainWindow());
  ClickAt(CentreOfWindow(program.control(kAboutId)));
  HWND about = nullptr;
  for (int i = 0; i < 50 && !about; ++i) {
    Sleep(100);
    about = VisibleWindowOfClass(L"TarnwickAboutBox");
  }
  ASSERT_TRUE(about);
  EXPECT_FALSE(IsWindowEnabled(program.mainWindow()));
  EXPECT_EQ(GetWindow(about, GW_OWNER), program.mainWindow());
  // The check mark, 48 by 48 at 128, 233 of the client area.
  ClickAt(ToScreen(about, POINT{152, 257}));
  Sleep(500);
  EXPECT_FALSE(IsWindowVisible(about));
  EXPECT_TRUE(IsWindowEnabled(program.mainWindow()));
  // Kept, not destroyed: "About..." shows the same window again.
  ClickAt(CentreOfWindow(program.control(kAboutId)));
  Sleep(800);
  EXPECT_EQ(VisibleWindowOfClass(L"TarnwickAboutBox"), about);
  PressKey(VK_ESCAPE);
  Sleep(300);
  EXPECT_FALSE(IsWindowVisible(about));
}

}  // namespace
}  // namespace tarnwick::testing
