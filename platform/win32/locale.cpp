// Windows API: the regional settings of the thread's locale, read with GetLocaleInfoA.
#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace tarnwick::platform {

namespace {

LCTYPE ItemOf(LocaleItem item) {
  switch (item) {
    case LocaleItem::DecimalSeparator:
      return LOCALE_SDECIMAL;
    case LocaleItem::ShortDatePattern:
      return LOCALE_SSHORTDATE;
    case LocaleItem::DateSeparator:
      return LOCALE_SDATE;
    case LocaleItem::TimeSeparator:
      return LOCALE_STIME;
    case LocaleItem::AmText:
      return LOCALE_S1159;
    case LocaleItem::PmText:
      return LOCALE_S2359;
    case LocaleItem::HoursLeadingZero:
      return LOCALE_ITLZERO;
    case LocaleItem::TimeFormat:
      return LOCALE_ITIME;
    case LocaleItem::TimeMarkerPosition:
      return LOCALE_ITIMEMARKPOSN;
  }
  return 0;
}

}  // namespace

std::optional<std::string> Win32Platform::localeItem(LocaleItem item) {
  const LCID locale = GetThreadLocale();
  const LCTYPE type = ItemOf(item);
  int size = GetLocaleInfoA(locale, type, nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::string text(static_cast<std::size_t>(size), '\0');
  int count = GetLocaleInfoA(locale, type, text.data(), size);
  if (count <= 0) return std::nullopt;
  // The count includes the terminator.
  text.resize(static_cast<std::size_t>(count - 1));
  return text;
}

}  // namespace tarnwick::platform
