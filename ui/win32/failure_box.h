// The program's default handling of failures that no handler catches, and the box of a failure
// before the message loop runs.
#pragma once

#include <exception>
#include <string>

namespace tarnwick::ui::win32 {

// The default failure handler: releases the mouse and shows one error box with the failure's
// message, owned by the active window; returns when the user has closed it.
void ShowFailure(const std::string& message);
void ShowFailure(const std::exception& failure);

// Runs `handler`, showing what it throws, so that no failure unwinds through the system's
// frames of the window procedure.
template <typename Handler>
void Guarded(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& failure) {
    ShowFailure(failure);
  }
}

// Shows the "Application Error" box of a failure before the message loop; the caller then ends
// the program with exit code 1.
void ShowStartupFailure(const std::exception& failure, const void* address);

}  // namespace tarnwick::ui::win32
