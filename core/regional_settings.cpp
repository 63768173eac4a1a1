#include "core/regional_settings.h"

namespace tarnwick {

namespace {

using platform::LocaleItem;

// A flag item reads "0" or "1"; anything else counts as unreadable.
bool Flag(platform::Platform& platform, LocaleItem item, bool fallback) {
  auto text = platform.localeItem(item);
  if (text == "1") return true;
  if (text == "0") return false;
  return fallback;
}

}  // namespace

RegionalSettings ReadRegionalSettings(platform::Platform& platform) {
  RegionalSettings settings;
  auto text = [&platform](LocaleItem item, std::string& field) {
    if (auto value = platform.localeItem(item)) field = std::move(*value);
  };
  // The size text has room for one character of separator; a longer one falls back to ".".
  if (auto separator = platform.localeItem(LocaleItem::DecimalSeparator);
      separator && separator->size() == 1)
    settings.decimalSeparator = (*separator)[0];
  text(LocaleItem::ShortDatePattern, settings.shortDatePattern);
  text(LocaleItem::DateSeparator, settings.dateSeparator);
  text(LocaleItem::TimeSeparator, settings.timeSeparator);
  text(LocaleItem::AmText, settings.amText);
  text(LocaleItem::PmText, settings.pmText);
  settings.hoursLeadingZero =
      Flag(platform, LocaleItem::HoursLeadingZero, settings.hoursLeadingZero);
  settings.twentyFourHour = Flag(platform, LocaleItem::TimeFormat, settings.twentyFourHour);
  settings.markerBeforeTime =
      Flag(platform, LocaleItem::TimeMarkerPosition, settings.markerBeforeTime);
  return settings;
}

}  // namespace tarnwick
