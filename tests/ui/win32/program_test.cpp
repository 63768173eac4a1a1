// tarnwick.exe itself, started as a user starts it: its first show, its report beside it, its
// end, and its size at other screen resolutions.
#include <windows.h>
// After windows.h, which they need.
#include <commctrl.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/ui/win32/window_test.h"
#include "ui/main_window_layout.h"

namespace tarnwick::ui::win32::testing {
namespace {

namespace fs = std::filesystem;
using Id = MainWindow::ControlId;

fs::path ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return fs::path(path).parent_path();
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A running tarnwick.exe and its main window.
class Program {
 public:
  explicit Program(const fs::path& exe, int showCommand = -1) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (showCommand >= 0) {
      startup.dwFlags = STARTF_USESHOWWINDOW;
      startup.wShowWindow = static_cast<WORD>(showCommand);
    }
    std::string commandLine = "\"" + exe.string() + "\"";
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        exe.parent_path().string().c_str(), &startup, &process_)) {
      ADD_FAILURE() << "cannot start " << exe << ": error " << GetLastError();
      return;
    }
    WaitUntil([this] {
      EnumWindows(&Program::Find, reinterpret_cast<LPARAM>(this));
      return window_ != nullptr;
    });
    EXPECT_NE(window_, nullptr) << "no main window";
  }
  ~Program() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.hProcess, 99);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  HWND window() const { return window_; }
  HWND control(int id) const { return GetDlgItem(window_, id); }
  DWORD threadId() const { return GetWindowThreadProcessId(window_, nullptr); }
  // The program's exit code once it has ended, or -1 when it has not within the time.
  int exitCode(DWORD milliseconds = 10000) const {
    if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
  }

 private:
  static BOOL CALLBACK Find(HWND window, LPARAM self) {
    auto* program = reinterpret_cast<Program*>(self);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (owner == program->process_.dwProcessId && IsWindowVisible(window) &&
        std::string(name) == MainWindow::ClassName) {
      program->window_ = window;
      return FALSE;
    }
    return TRUE;
  }

  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveDisplay()) GTEST_SKIP() << "needs a display (DISPLAY), such as Xvfb's";
  }
  fs::path exe = ProgramFolder() / "tarnwick.exe";
};

// The icon with its sizes, every toolbar picture, the manifest and the version, read from the
// file as Explorer reads them.
TEST_F(ProgramTest, CarriesItsIconPicturesManifestAndVersion) {
  for (const fs::path& program :
       {exe, ProgramFolder().parent_path().parent_path() / "cli" / "tarnwick-cli.exe"}) {
    SCOPED_TRACE(program.string());
    HMODULE file = LoadLibraryExA(program.string().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(file, nullptr);
    for (int size : {16, 32, 48, 256}) {
      HICON icon = static_cast<HICON>(LoadImageA(file, "MAINICON", IMAGE_ICON, size, size, 0));
      EXPECT_NE(icon, nullptr) << size;
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(icon, &info));
      BITMAP colour{};
      GetObjectA(info.hbmColor, sizeof colour, &colour);
      EXPECT_EQ(colour.bmWidth, size) << "an image of its own at this size";
      DeleteObject(info.hbmColor);
      DeleteObject(info.hbmMask);
      DestroyIcon(icon);
    }
    EXPECT_NE(FindResourceA(file, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)), nullptr)
        << "manifest";
    if (program == exe) {
      for (const ToolbarButton& button : ToolbarButtons) {
        HICON picture = static_cast<HICON>(LoadImageA(file, button.picture, IMAGE_ICON, 32, 32, 0));
        EXPECT_NE(picture, nullptr) << button.picture;
        DestroyIcon(picture);
      }
    }
    FreeLibrary(file);

    DWORD ignored = 0;
    std::string version(GetFileVersionInfoSizeA(program.string().c_str(), &ignored), '\0');
    ASSERT_FALSE(version.empty());
    ASSERT_TRUE(
        GetFileVersionInfoA(program.string().c_str(), 0, DWORD(version.size()), version.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    char* product = nullptr;
    ASSERT_TRUE(VerQueryValueA(version.data(), "\\StringFileInfo\\040904B0\\ProductName",
                               reinterpret_cast<void**>(&product), &length));
    EXPECT_STREQ(product, "Tarnwick");
  }
}

TEST_F(ProgramTest, OpensCentredWithItsCaptionSizeRowsAndFocusThenEachWayOfClosingEndsWithZero) {
  struct Way {
    const char* name;
    void (*close)(const Program&);
  };
  const Way ways[] = {
      {"Exit", [](const Program& p) { PostMessageA(p.control(Id::btn4Id), BM_CLICK, 0, 0); }},
      {"close box", [](const Program& p) { PostMessageA(p.window(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"Alt+F4",
       [](const Program& p) {
         SetForegroundWindow(p.window());
         INPUT keys[4] = {};
         for (INPUT& key : keys) key.type = INPUT_KEYBOARD;
         keys[0].ki.wVk = VK_MENU;
         keys[1].ki.wVk = VK_F4;
         keys[2].ki.wVk = VK_F4;
         keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
         keys[3].ki.wVk = VK_MENU;
         keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
         SendInput(4, keys, sizeof(INPUT));
       }},
      {"log-off", [](const Program& p) {
         EXPECT_TRUE(SendMessageA(p.window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
         SendMessageA(p.window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
       }}};
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    Program program(exe);
    ASSERT_NE(program.window(), nullptr);
    char caption[64] = {};
    GetWindowTextA(program.window(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Tarnwick 1.0");
    RECT client{};
    GetClientRect(program.window(), &client);
    EXPECT_EQ(client.right, 534);
    EXPECT_EQ(client.bottom, 365);

    RECT outer{};
    GetWindowRect(program.window(), &outer);
    const int desktopLeft = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int desktopTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int desktopWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int desktopHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    EXPECT_EQ(outer.left, desktopWidth / 2 + desktopLeft - (outer.right - outer.left) / 2);
    EXPECT_EQ(outer.top, desktopHeight / 2 + desktopTop - (outer.bottom - outer.top) / 2);

    const HWND list = program.control(Id::lv1Id);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 29);
    for (int row = 0; row < 29; ++row)
      EXPECT_EQ(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK),
                LRESULT(INDEXTOSTATEIMAGEMASK(1)));
    EXPECT_EQ(LOWORD(SendMessageA(program.control(Id::stat1Id), SB_GETTEXTLENGTHA, 0, 0)), 0);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(program.threadId(), &info);
    EXPECT_EQ(info.hwndFocus, program.control(Id::btn1Id));
    EXPECT_EQ(GetWindow(program.window(), GW_OWNER), nullptr) << "its own taskbar button";

    way.close(program);
    EXPECT_EQ(program.exitCode(), 0);
  }
}

TEST_F(ProgramTest, OpensMaximisedOrMinimisedAsItWasStarted) {
  {
    Program program(exe, SW_SHOWMAXIMIZED);
    ASSERT_NE(program.window(), nullptr);
    EXPECT_TRUE(IsZoomed(program.window()));
    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(), 0);
  }
  {
    Program program(exe, SW_SHOWMINNOACTIVE);
    ASSERT_NE(program.window(), nullptr);
    EXPECT_TRUE(IsIconic(program.window()));
    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(), 0);
  }
}

TEST_F(ProgramTest, ExportWritesTheReportBesideTheProgramAndKeepsTheLastAsBackup) {
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const fs::path folder =
      fs::path(temp) / ("tarnwick-export-" + std::to_string(GetCurrentProcessId()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  fs::copy_file(exe, folder / "tarnwick.exe");
  {
    Program program(folder / "tarnwick.exe");
    ASSERT_NE(program.window(), nullptr);
    SendMessageA(program.control(Id::btn6Id), BM_CLICK, 0, 0);
    const std::string first = ReadFile(folder / "tarnwick.csv");
    EXPECT_EQ(first.rfind("\"Common Files\"\r\n\"Program Files\"\r\nWindows\r\n", 0), 0u) << first;
    EXPECT_NE(first.find("Estimated total size,0 bytes\r\n"), std::string::npos) << first;
    EXPECT_FALSE(fs::exists(folder / "tarnwick.bak"));

    SendMessageA(program.control(Id::btn6Id), BM_CLICK, 0, 0);
    EXPECT_EQ(ReadFile(folder / "tarnwick.bak"), first);
    EXPECT_TRUE(fs::exists(folder / "tarnwick.csv"));
    PostMessageA(program.control(Id::btn4Id), BM_CLICK, 0, 0);
    EXPECT_EQ(program.exitCode(), 0);
  }
  fs::remove_all(folder);
}

// The screen's resolution comes from the prefix's settings, read when a program starts.
class DotsPerInch {
 public:
  explicit DotsPerInch(DWORD dpi) { set(dpi); }
  ~DotsPerInch() { set(96); }

 private:
  static void set(DWORD dpi) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_SET_VALUE, &key),
              ERROR_SUCCESS);
    RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
    RegCloseKey(key);
  }
};

// The cell height of Tahoma at the window's font height for `dpi`, measured here.
int TahomaTextHeight(int dpi) {
  HDC screen = GetDC(nullptr);
  HFONT font = CreateFontA(-MulDiv(11, dpi, 96), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                           0, 0, "Tahoma");
  HGDIOBJ previous = SelectObject(screen, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  SelectObject(screen, previous);
  DeleteObject(font);
  ReleaseDC(nullptr, screen);
  return metrics.tmHeight;
}

TEST_F(ProgramTest, ClientAreaAndMinimumGrowWithTheTextHeightAtHigherResolutions) {
  ASSERT_EQ(TahomaTextHeight(96), 13) << "Tahoma is missing from the prefix";
  for (int dpi : {120, 144}) {
    SCOPED_TRACE(dpi);
    const int textHeight = TahomaTextHeight(dpi);
    DotsPerInch resolution(static_cast<DWORD>(dpi));
    Program program(exe);
    ASSERT_NE(program.window(), nullptr);
    RECT client{};
    GetClientRect(program.window(), &client);
    EXPECT_EQ(client.right, MulDiv(534, textHeight, 13));
    EXPECT_EQ(client.bottom, MulDiv(365, textHeight, 13));
    SetWindowPos(program.window(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    RECT outer{};
    GetWindowRect(program.window(), &outer);
    EXPECT_EQ(outer.right - outer.left, MulDiv(550, textHeight, 13));
    EXPECT_EQ(outer.bottom - outer.top, MulDiv(250, textHeight, 13));
    PostMessageA(program.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(program.exitCode(), 0);
  }
}

}  // namespace
}  // namespace tarnwick::ui::win32::testing
