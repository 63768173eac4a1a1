// Message boxes a thread has open: their caption and text, and closing them as the user would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tarnwick::ui::win32::testing {

struct MessageBoxSeen {
  HWND window = nullptr;
  std::string caption;
  std::string text;
};

// The dialog boxes open on `threadId` (message boxes are dialogs of the system's class
// "#32770"), with the text of their message.
std::vector<MessageBoxSeen> OpenMessageBoxes(DWORD threadId);
// Presses the box's OK button.
void PressOk(const MessageBoxSeen& box);

}  // namespace tarnwick::ui::win32::testing
