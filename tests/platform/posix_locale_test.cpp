// The locale's strftime formats as the program's regional settings.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/posix/locale_formats.h"
#include "platform/posix/posix_platform.h"

namespace tarnwick::platform {
namespace {

TEST(DateConventionsFromStrftime, GivesThePatternAndTheSeparator) {
  struct Case {
    const char* format;
    const char* pattern;
    const char* separator;
  };
  const Case cases[] = {
      {"%m/%d/%y", "MM/dd/yy", "/"},       // C and POSIX
      {"%d.%m.%Y", "dd.MM.yyyy", "."},     // de_DE
      {"%D", "MM/dd/yy", "/"},             //
      {"%F", "yyyy-MM-dd", "-"},           // sv_SE, hu_HU
      {"%e/%-m/%Y", "d/M/yyyy", "/"},      //
      {"%Od.%Om.%EY", "dd.MM.yyyy", "."},  // modifiers change nothing here
      {"%d %b %Y", "dd MMM yyyy", " "},    //
      {"%A, %B %d, %Y", "dddd, MMMM dd, yyyy", ", "},
      {"%Y\xe5\xb9\xb4%m\xe6\x9c\x88%d\xe6\x97\xa5",  // ja_JP: literal text of UTF-8 bytes
       "yyyy\xe5\xb9\xb4MM\xe6\x9c\x88"
       "dd\xe6\x97\xa5",
       "\xe5\xb9\xb4"},
      {"%d de %B de %Y", "dd' de 'MMMM' de 'yyyy", " de "},  // letters are quoted
      {"%d.%m.%Y/%H", "dd.MM.yyyy'/'", "."},  // a "/" that is no separator is quoted; %H drops
      {"%Y-%m-%d %%", "yyyy-MM-dd %", "-"},
      {"%d", "dd", "/"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    const std::optional<DateConventions> date = DateConventionsFromStrftime(c.format);
    ASSERT_TRUE(date);
    EXPECT_EQ(date->pattern, c.pattern);
    EXPECT_EQ(date->separator, c.separator);
  }
  EXPECT_FALSE(DateConventionsFromStrftime(""));
  EXPECT_FALSE(DateConventionsFromStrftime("%H:%M"));
}

TEST(TimeConventionsFromStrftime, GivesClockLeadingZeroMarkerAndSeparator) {
  struct Case {
    const char* format;
    const char* amPm;
    bool twelveHour, leadingZero, markerBefore;
    const char* separator;
  };
  const Case cases[] = {
      {"%H:%M:%S", "%I:%M:%S %p", false, true, false, ":"},  // C and POSIX
      {"%r", "%I:%M:%S %p", true, true, false, ":"},         // en_US
      {"%T", "", false, true, false, ":"},                   // de_DE
      {"%k:%M:%S", "", false, false, false, ":"},
      {"%l:%M:%S %p", "", true, false, false, ":"},
      {"%-I.%M.%S %p", "", true, false, false, "."},
      {"%H.%M.%S", "", false, true, false, "."},                                       // fi_FI
      {"%p %I\xec\x8b\x9c %M\xeb\xb6\x84 %S\xec\xb4\x88", "", true, true, true, ":"},  // ko_KR
      {"%H:%M", "%p %I:%M:%S", false, true, true, ":"},  // the marker's place from t_fmt_ampm
      {"%R", "", false, true, false, ":"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    const std::optional<TimeConventions> time = TimeConventionsFromStrftime(c.format, c.amPm);
    ASSERT_TRUE(time);
    EXPECT_EQ(time->twelveHour, c.twelveHour);
    EXPECT_EQ(time->hoursLeadingZero, c.leadingZero);
    EXPECT_EQ(time->markerBeforeTime, c.markerBefore);
    EXPECT_EQ(time->separator, c.separator);
  }
  EXPECT_FALSE(TimeConventionsFromStrftime("", ""));
  EXPECT_FALSE(TimeConventionsFromStrftime("%M:%S", ""));
  EXPECT_TRUE(TimeConventionsFromStrftime("%r", "%r"));  // no endless expansion
}

// Sets LC_ALL for one test and puts back what was there.
class LocaleEnvironment {
 public:
  explicit LocaleEnvironment(const char* value) {
    if (const char* old = std::getenv("LC_ALL")) saved_ = old;
    ::setenv("LC_ALL", value, 1);
  }
  ~LocaleEnvironment() {
    if (saved_)
      ::setenv("LC_ALL", saved_->c_str(), 1);
    else
      ::unsetenv("LC_ALL");
  }

 private:
  std::optional<std::string> saved_;
};

TEST(PosixLocaleItems, TheCLocaleReadsLikeTheUnitedStatesWithA24HourClock) {
  const LocaleEnvironment c("C");
  PosixPlatform posix;
  struct Case {
    LocaleItem item;
    const char* text;
  };
  const Case cases[] = {
      {LocaleItem::DecimalSeparator, "."},
      {LocaleItem::ShortDatePattern, "MM/dd/yy"},
      {LocaleItem::DateSeparator, "/"},
      {LocaleItem::TimeSeparator, ":"},
      {LocaleItem::AmText, "AM"},
      {LocaleItem::PmText, "PM"},
      {LocaleItem::HoursLeadingZero, "1"},
      {LocaleItem::TimeFormat, "1"},
      {LocaleItem::TimeMarkerPosition, "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(posix.localeItem(c.item), c.text);
  }
}

TEST(PosixLocaleItems, ALocaleTheSystemLacksCannotBeRead) {
  const LocaleEnvironment missing("xx_NOWHERE.UTF-8");
  PosixPlatform posix;
  EXPECT_EQ(posix.localeItem(LocaleItem::ShortDatePattern), std::nullopt);
  EXPECT_EQ(posix.localeItem(LocaleItem::DecimalSeparator), std::nullopt);
}

}  // namespace
}  // namespace tarnwick::platform
