// The date and time of the report's footer, written by the user's regional settings.
#pragma once

#include <string>

#include "core/regional_settings.h"
#include "platform/platform.h"

namespace tarnwick {

// The date by the short date pattern, then, unless the time is midnight to the second, one blank
// and the time by the long time format the settings describe. In the pattern d, m and y in any
// case are day, month and year ("d", "dd", "ddd", "dddd"; "M" to "MMMM"; "yy", "yyyy"), g is the
// era, "/" the date separator, text in single or double quotes is written as it stands (a doubled
// quote is one quote), and every other character too.
std::string DateTimeText(const platform::Platform& platform, const platform::LocalTime& time,
                         const RegionalSettings& settings);

}  // namespace tarnwick
