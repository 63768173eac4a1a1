// One line of comma text, as the report's rows are written.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace tarnwick {

// The fields joined by commas, each quoted where it holds a byte from 0x01 to 0x20, a comma or a
// double quote (quotes inside doubled); a line whose only field is empty reads "".
std::string CommaText(const platform::Platform& platform, const std::vector<std::string>& fields);

}  // namespace tarnwick
