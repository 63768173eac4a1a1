// A text writer with a buffer of 128 bytes in front of a file: bytes reach the file when the
// buffer is full and at the close, not line by line.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/platform.h"

namespace tarnwick {

class BufferedWriter {
 public:
  static constexpr std::size_t kBufferSize = 128;

  explicit BufferedWriter(platform::WritableFile& file) : file_(file) {}

  // Takes `text` into the buffer, handing every full buffer to the file; the result is the code
  // of the first failing write (0 when none failed). After a failure the writer takes nothing.
  platform::FileErrorCode write(std::string_view text);
  // Hands the rest of the buffer to the file, then closes it; the first failure's code.
  platform::FileErrorCode close();

 private:
  void flush();

  platform::WritableFile& file_;
  std::array<char, kBufferSize> buffer_{};
  std::size_t used_ = 0;
  platform::FileErrorCode failure_ = 0;
};

}  // namespace tarnwick
