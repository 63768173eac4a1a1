// The locale's strftime formats turned into the program's date pattern and time conventions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::platform {

struct DateConventions {
  std::string pattern;    // "MM/dd/yy": d, dd, M, MM, MMM, MMMM, ddd, dddd, yy, yyyy, quoted text
  std::string separator;  // the text between the first two fields, "/" when there is none
};

struct TimeConventions {
  bool twelveHour = false;
  bool hoursLeadingZero = true;
  bool markerBeforeTime = false;
  std::string separator = ":";
};

// From d_fmt ("%m/%d/%y" gives "MM/dd/yy" and "/"); nothing when the format names no field.
std::optional<DateConventions> DateConventionsFromStrftime(std::string_view dateFormat);

// From t_fmt, with t_fmt_ampm for %r and for where the marker stands when t_fmt has none;
// nothing when t_fmt names no hour.
std::optional<TimeConventions> TimeConventionsFromStrftime(std::string_view timeFormat,
                                                           std::string_view amPmFormat);

}  // namespace tarnwick::platform
