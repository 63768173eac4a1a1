// File failures of the report's footer stage and the messages the user sees for them.
#pragma once

#include <stdexcept>
#include <string>

namespace tarnwick {

// A file failure of the report, carrying the system's error code; what() is the fixed message
// of its code ("File not found", "Disk full", "I/O error 32"), without a full stop.
class IoFailure : public std::runtime_error {
 public:
  explicit IoFailure(int code);
  int code() const { return code_; }

 private:
  int code_;
};

// The fixed message of an error code: 2, 3, 4, 5, 100, 101 and 106 have their own, any other
// code n reads "I/O error n".
std::string IoErrorMessage(int code);

// The message as the default failure handler shows it: a "." is appended when the message is
// not empty and its last character sorts after ".".
std::string WithFullStop(const std::string& message);

}  // namespace tarnwick
