// The text form of a byte count: "0 bytes", "1.5 KB", "117.74 MB", "4 GB".
#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

// `decimalSeparator` is the regional settings' one-character separator.
std::string SizeToText(std::int64_t count, char decimalSeparator = '.');

}  // namespace tarnwick
