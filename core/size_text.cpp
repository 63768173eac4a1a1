#include "core/size_text.h"

namespace tarnwick {

std::string SizeToText(std::int64_t count, char) { return std::to_string(count) + " bytes"; }

}  // namespace tarnwick
