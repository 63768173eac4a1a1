// The user's regional settings for numbers, dates and times, as plain data read from the platform.
#pragma once

#include <string>

#include "platform/platform.h"

namespace tarnwick {

struct RegionalSettings {
  char decimalSeparator = '.';
  std::string shortDatePattern = "m/d/yy";
  std::string dateSeparator = "/";
  std::string timeSeparator = ":";
  std::string amText = "am";
  std::string pmText = "pm";
  bool hoursLeadingZero = false;
  bool twentyFourHour = false;
  bool markerBeforeTime = false;
};

// Reads every item, each falling back to its default when the platform cannot give it.
RegionalSettings ReadRegionalSettings(platform::Platform& platform);

}  // namespace tarnwick
