#include "report/date_time_text.h"

#include <array>
#include <chrono>
#include <cstdio>

#include "report/code_page.h"

namespace tarnwick {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};

std::string Number(int value, int digits) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", digits, value);
  return text;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Abbreviated(const char* name) { return std::string(name, 3); }

int Weekday(const platform::LocalTime& time) {
  using namespace std::chrono;
  const year_month_day date{year{time.year}, month{static_cast<unsigned>(time.month)},
                            day{static_cast<unsigned>(time.day)}};
  return static_cast<int>(weekday{sys_days{date}}.c_encoding());
}

// One run of a pattern letter: `count` letters `letter` (already lower case).
std::string DatePart(char letter, std::size_t count, const platform::LocalTime& time) {
  const char* month = time.month >= 1 && time.month <= 12 ? kMonthNames[time.month - 1] : "";
  switch (letter) {
    case 'd':
      if (count == 1) return std::to_string(time.day);
      if (count == 2) return Number(time.day, 2);
      if (count == 3) return Abbreviated(kDayNames[Weekday(time)]);
      return kDayNames[Weekday(time)];
    case 'm':
      if (count == 1) return std::to_string(time.month);
      if (count == 2) return Number(time.month, 2);
      if (count == 3) return *month ? Abbreviated(month) : "";
      return month;
    case 'y':
      return count <= 2 ? Number(time.year % 100, 2) : Number(time.year, 4);
    default:  // 'g': the era, and the calendar is always the Gregorian one
      return "A.D.";
  }
}

std::string DateText(const platform::Platform& platform, const platform::LocalTime& time,
                     const RegionalSettings& settings) {
  const std::string& pattern = settings.shortDatePattern;
  std::string text;
  std::size_t at = 0;
  while (at < pattern.size()) {
    const std::size_t length = CharacterLength(platform, pattern, at);
    const char c = pattern[at];
    const char letter = Lower(c);
    if (length == 2) {
      text.append(pattern, at, 2);
      at += 2;
    } else if (letter == 'd' || letter == 'm' || letter == 'y' || letter == 'g') {
      std::size_t end = at + 1;
      while (end < pattern.size() && Lower(pattern[end]) == letter) ++end;
      text += DatePart(letter, end - at, time);
      at = end;
    } else if (c == '/') {
      text += settings.dateSeparator;
      ++at;
    } else if ((c == '\'' || c == '"') && at + 1 < pattern.size() && pattern[at + 1] == c) {
      text += c;  // a doubled quote stands for the quote itself, inside quoted text or not
      at += 2;
    } else if (c == '\'' || c == '"') {
      ++at;
      while (at < pattern.size()) {
        const std::size_t inner = CharacterLength(platform, pattern, at);
        if (inner == 1 && pattern[at] == c) {
          if (at + 1 < pattern.size() && pattern[at + 1] == c) {
            text += c;
            at += 2;
            continue;
          }
          ++at;
          break;
        }
        text.append(pattern, at, inner);
        at += inner;
      }
    } else {
      text += c;
      ++at;
    }
  }
  return text;
}

std::string TimeText(const platform::LocalTime& time, const RegionalSettings& settings) {
  int hour = time.hour;
  if (!settings.twentyFourHour) hour = hour % 12 == 0 ? 12 : hour % 12;
  std::string text = settings.hoursLeadingZero ? Number(hour, 2) : std::to_string(hour);
  text += settings.timeSeparator + Number(time.minute, 2) + settings.timeSeparator +
          Number(time.second, 2);
  if (settings.twentyFourHour) return text;
  const std::string& marker = time.hour < 12 ? settings.amText : settings.pmText;
  if (marker.empty()) return text;
  return settings.markerBeforeTime ? marker + " " + text : text + " " + marker;
}

}  // namespace

std::string DateTimeText(const platform::Platform& platform, const platform::LocalTime& time,
                         const RegionalSettings& settings) {
  std::string text = DateText(platform, time, settings);
  if (time.hour != 0 || time.minute != 0 || time.second != 0)
    text.append(1, ' ').append(TimeText(time, settings));
  return text;
}

}  // namespace tarnwick
