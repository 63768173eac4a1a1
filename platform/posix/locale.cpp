// POSIX: regional settings from the environment's locale (newlocale and nl_langinfo_l), asked
// afresh on every call so that a changed environment counts at once.
#include <langinfo.h>
#include <locale.h>

#include "platform/posix/locale_formats.h"
#include "platform/posix/posix_platform.h"

namespace tarnwick::platform {

namespace {

class EnvironmentLocale {
 public:
  EnvironmentLocale() : locale_(::newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0))) {}
  ~EnvironmentLocale() {
    if (locale_) ::freelocale(locale_);
  }
  EnvironmentLocale(const EnvironmentLocale&) = delete;
  EnvironmentLocale& operator=(const EnvironmentLocale&) = delete;

  explicit operator bool() const { return locale_ != static_cast<locale_t>(0); }
  std::string operator[](nl_item item) const { return ::nl_langinfo_l(item, locale_); }

 private:
  locale_t locale_;
};

std::string Flag(bool value) { return value ? "1" : "0"; }

}  // namespace

std::optional<std::string> PosixPlatform::localeItem(LocaleItem item) {
  // A locale the environment names but the system lacks cannot be read: the program's own
  // defaults stand in for every item.
  const EnvironmentLocale locale;
  if (!locale) return std::nullopt;
  switch (item) {
    case LocaleItem::DecimalSeparator: {
      std::string radix = locale[RADIXCHAR];
      if (radix.empty()) return std::nullopt;
      return radix;
    }
    case LocaleItem::ShortDatePattern:
    case LocaleItem::DateSeparator: {
      const auto date = DateConventionsFromStrftime(locale[D_FMT]);
      if (!date) return std::nullopt;
      return item == LocaleItem::ShortDatePattern ? date->pattern : date->separator;
    }
    case LocaleItem::AmText:
      return locale[AM_STR];
    case LocaleItem::PmText:
      return locale[PM_STR];
    case LocaleItem::TimeSeparator:
    case LocaleItem::HoursLeadingZero:
    case LocaleItem::TimeFormat:
    case LocaleItem::TimeMarkerPosition:
      break;
  }
  const auto time = TimeConventionsFromStrftime(locale[T_FMT], locale[T_FMT_AMPM]);
  if (!time) return std::nullopt;
  switch (item) {
    case LocaleItem::TimeSeparator:
      return time->separator;
    case LocaleItem::HoursLeadingZero:
      return Flag(time->hoursLeadingZero);
    case LocaleItem::TimeFormat:
      return Flag(!time->twelveHour);
    default:
      return Flag(time->markerBeforeTime);
  }
}

}  // namespace tarnwick::platform
