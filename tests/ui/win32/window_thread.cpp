#include "tests/ui/win32/window_thread.h"

#include <gtest/gtest.h>

#include <future>

#include "ui/win32/application.h"

namespace tarnwick::ui::win32::testing {

namespace {

// A thread message that carries a task for the window's thread.
constexpr UINT RunTaskMessage = WM_APP + 77;

std::string LongText(HWND window, UINT lengthMessage, UINT textMessage, WPARAM part = 0) {
  const auto length = LOWORD(SendMessageA(window, lengthMessage, part, 0));
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(window, textMessage, part, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length);
  return text;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    Sleep(10);
  }
  return true;
}

WindowThread::WindowThread(platform::Platform& platform, platform::ShowCommand show) {
  thread_ = std::thread([this, &platform, show] { main(platform, show); });
  WaitUntil([this] { return ready_.load(); });
  if (!failure_.empty()) ADD_FAILURE() << "the window could not be made: " << failure_;
}

WindowThread::~WindowThread() {
  if (hwnd_ && !ended_) PostMessageA(hwnd_, WM_CLOSE, 0, 0);
  if (thread_.joinable()) thread_.join();
}

void WindowThread::main(platform::Platform& platform, platform::ShowCommand show) {
  threadId_ = GetCurrentThreadId();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    window_ = std::make_unique<MainWindow>(platform);
    window_->show(show);
    hwnd_ = window_->hwnd();
  } catch (const std::exception& failure) {
    failure_ = failure.what();
    ended_ = true;
    ready_ = true;
    return;
  }
  ready_ = true;
  exitCode_ = RunMessageLoop(hwnd_, [](MSG& message) {
    if (message.hwnd || message.message != RunTaskMessage) return false;
    (*reinterpret_cast<std::function<void()>*>(message.lParam))();
    return true;
  });
  window_.reset();
  ended_ = true;
}

void WindowThread::run(const std::function<void()>& task) {
  std::promise<void> done;
  std::function<void()> wrapped = [&] {
    task();
    done.set_value();
  };
  auto finished = done.get_future();
  while (!PostThreadMessageA(threadId_, RunTaskMessage, 0, reinterpret_cast<LPARAM>(&wrapped)))
    Sleep(1);
  finished.wait();
}

std::string WindowThread::status() const {
  return LongText(control(MainWindow::stat1Id), SB_GETTEXTLENGTHA, SB_GETTEXTA);
}

std::string WindowThread::progress() const {
  const HWND stat1 = control(MainWindow::stat1Id);
  const HWND label = GetDlgItem(stat1, MainWindow::progress1Id);
  if (!IsWindowVisible(label)) return {};
  char text[512] = {};
  GetWindowTextA(label, text, sizeof text);
  return text;
}

std::string WindowThread::itemText(int row, int column) const {
  char buffer[1024] = {};
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = sizeof buffer;
  SendMessageA(control(MainWindow::lv1Id), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
  return buffer;
}

bool WindowThread::itemChecked(int row) const {
  const auto state =
      SendMessageA(control(MainWindow::lv1Id), LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK);
  return static_cast<UINT>(state) == INDEXTOSTATEIMAGEMASK(2);
}

int WindowThread::itemCount() const {
  return static_cast<int>(SendMessageA(control(MainWindow::lv1Id), LVM_GETITEMCOUNT, 0, 0));
}

HWND WindowThread::focus() const {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(threadId_, &info);
  return info.hwndFocus;
}

bool WindowThread::surveyRunning() {
  bool running = false;
  run([&] { running = window_->surveyRunning(); });
  return running;
}

void WindowThread::click(int buttonId) const { SendMessageA(control(buttonId), BM_CLICK, 0, 0); }

void WindowThread::clickLater(int buttonId) const {
  PostMessageA(control(buttonId), BM_CLICK, 0, 0);
}

void WindowThread::clickAndWait(int buttonId) {
  click(buttonId);
  ASSERT_TRUE(WaitUntil([this] { return !surveyRunning(); })) << "button " << buttonId;
}

void WindowThread::pressKey(WPARAM key) const {
  const HWND target = focus() ? focus() : hwnd_;
  PostMessageA(target, WM_KEYDOWN, key, 1);
  PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

void WindowThread::doubleClickRow(int row) const {
  const HWND list = control(MainWindow::lv1Id);
  LVITEMA state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  SendMessageA(list, LVM_ENSUREVISIBLE, row, FALSE);
  RECT bounds{};
  bounds.left = LVIR_LABEL;
  SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
  const LPARAM at = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
  // Only the second press's message: a first WM_LBUTTONDOWN would start the list's watch for a
  // drag, which waits for a real mouse.
  SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  SendMessageA(list, WM_LBUTTONUP, 0, at);
}

}  // namespace tarnwick::ui::win32::testing
