#include "tests/ui/win32/message_boxes.h"

namespace tarnwick::ui::win32::testing {

namespace {

std::string TextOf(HWND window) {
  char text[2048] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK CollectBox(HWND window, LPARAM found) {
  if (ClassOf(window) != "#32770" || !IsWindowVisible(window)) return TRUE;
  MessageBoxSeen box{window, TextOf(window), {}};
  // The message is the box's static text that is not its icon.
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (ClassOf(child) != "Static") continue;
    const std::string text = TextOf(child);
    if (!text.empty()) box.text = text;
  }
  reinterpret_cast<std::vector<MessageBoxSeen>*>(found)->push_back(box);
  return TRUE;
}

}  // namespace

std::vector<MessageBoxSeen> OpenMessageBoxes(DWORD threadId) {
  std::vector<MessageBoxSeen> found;
  EnumThreadWindows(threadId, CollectBox, reinterpret_cast<LPARAM>(&found));
  return found;
}

void PressOk(const MessageBoxSeen& box) {
  PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(box.window, IDOK)));
}

}  // namespace tarnwick::ui::win32::testing
