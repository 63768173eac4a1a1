// The text form of a byte count: "0 bytes", "1.5 KB", "117.74 MB", "4 GB".
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnwick {

// `decimalSeparator` is the regional settings' one-character separator.
std::string SizeToText(std::int64_t count, char decimalSeparator = '.');

// A size text read back: the count it stands for, and how far the true count may lie from it
// since the text was rounded to two places of its unit (0 for a text in bytes).
struct SizeFromText {
  std::uint64_t bytes = 0;
  std::uint64_t margin = 0;
};

// Reads a text SizeToText wrote, with whatever one-character decimal separator it was written
// with; nothing when the text has another shape.
std::optional<SizeFromText> ReadSizeText(std::string_view text);

}  // namespace tarnwick
