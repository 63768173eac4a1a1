#include "report/buffered_writer.h"

#include <algorithm>

namespace tarnwick {

platform::FileErrorCode BufferedWriter::write(std::string_view text) {
  while (failure_ == 0 && !text.empty()) {
    const std::size_t part = std::min(text.size(), kBufferSize - used_);
    std::copy_n(text.data(), part, buffer_.data() + used_);
    used_ += part;
    text.remove_prefix(part);
    if (used_ == kBufferSize) flush();
  }
  return failure_;
}

platform::FileErrorCode BufferedWriter::close() {
  if (failure_ == 0 && used_ > 0) flush();
  const platform::FileErrorCode closed = file_.close();
  return failure_ != 0 ? failure_ : closed;
}

void BufferedWriter::flush() {
  failure_ = file_.write(std::string_view(buffer_.data(), used_));
  used_ = 0;
}

}  // namespace tarnwick
