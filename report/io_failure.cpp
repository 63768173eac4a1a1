#include "report/io_failure.h"

namespace tarnwick {

IoFailure::IoFailure(int code) : std::runtime_error(IoErrorMessage(code)), code_(code) {}

std::string IoErrorMessage(int code) {
  switch (code) {
    case 2:
      return "File not found";
    case 3:
      return "Invalid filename";
    case 4:
      return "Too many open files";
    case 5:
      return "File access denied";
    case 100:
      return "Read beyond end of file";
    case 101:
      return "Disk full";
    case 106:
      return "Invalid numeric input";
    default:
      return "I/O error " + std::to_string(code);
  }
}

std::string WithFullStop(const std::string& message) {
  // Characters compare as bytes of the code page, so every byte of 0x80 and above sorts after ".".
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

}  // namespace tarnwick
