// Scanning a text of the system's code page character by character, so that the trail byte of a
// double-byte character is never read as a character of its own.
#pragma once

#include <cstddef>
#include <string_view>

#include "platform/platform.h"

namespace tarnwick {

// The number of bytes of the character that starts at `text[at]`: 2 for a lead byte with its trail
// byte, else 1 (a lead byte at the very end stands alone).
inline std::size_t CharacterLength(const platform::Platform& platform, std::string_view text,
                                   std::size_t at) {
  return platform.isLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

}  // namespace tarnwick
