// The texts of the program's failure messages: the default failure handler's box while the
// window runs, and the box of a failure before it runs.
#pragma once

#include <exception>
#include <string>

namespace tarnwick::ui {

// The caption of every failure message while the window runs.
inline constexpr const char* ApplicationTitle = "Get special folders location and size";
// The caption of the box of a failure before the window runs.
inline constexpr const char* StartupFailureCaption = "Application Error";

// The failure's message with "." appended when it is not empty and its last character sorts
// after ".".
std::string FailureMessageText(const std::string& message);

// The failure's kind as the program names it: its class, readable.
std::string FailureKind(const std::exception& failure);

// The last part of a path, after its last slash or backslash.
std::string FileNameOf(const std::string& path);

// "Exception <kind> in module <module> at <address>.\r\n<message><.>\r\n", the address in eight
// or more upper-case hexadecimal digits, "." appended when the message is not empty and does not
// already end in one.
std::string StartupFailureText(const std::string& kind, const std::string& module,
                               const void* address, const std::string& message);

}  // namespace tarnwick::ui
