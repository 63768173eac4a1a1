#include "core/regional_settings.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"

namespace tarnwick {
namespace {

using platform::FakePlatform;
using platform::LocaleItem;

TEST(ReadRegionalSettings, UnreadableItemsFallBackToTheirDefaults) {
  auto fake = FakePlatform::Windows();
  const RegionalSettings settings = ReadRegionalSettings(*fake);
  EXPECT_EQ(settings.decimalSeparator, '.');
  EXPECT_EQ(settings.shortDatePattern, "m/d/yy");
  EXPECT_EQ(settings.dateSeparator, "/");
  EXPECT_EQ(settings.timeSeparator, ":");
  EXPECT_EQ(settings.amText, "am");
  EXPECT_EQ(settings.pmText, "pm");
  EXPECT_FALSE(settings.hoursLeadingZero);
  EXPECT_FALSE(settings.twentyFourHour);
  EXPECT_FALSE(settings.markerBeforeTime);
}

TEST(ReadRegionalSettings, TakesWhatTheSystemGives) {
  auto fake = FakePlatform::Windows();
  fake->locale = {{LocaleItem::DecimalSeparator, ","},
                  {LocaleItem::ShortDatePattern, "dd.MM.yyyy"},
                  {LocaleItem::DateSeparator, "."},
                  {LocaleItem::TimeSeparator, "."},
                  {LocaleItem::AmText, ""},
                  {LocaleItem::PmText, ""},
                  {LocaleItem::HoursLeadingZero, "1"},
                  {LocaleItem::TimeFormat, "1"},
                  {LocaleItem::TimeMarkerPosition, "1"}};
  const RegionalSettings settings = ReadRegionalSettings(*fake);
  EXPECT_EQ(settings.decimalSeparator, ',');
  EXPECT_EQ(settings.shortDatePattern, "dd.MM.yyyy");
  EXPECT_EQ(settings.dateSeparator, ".");
  EXPECT_EQ(settings.timeSeparator, ".");
  EXPECT_EQ(settings.amText, "");  // an empty marker is a setting, not a failure
  EXPECT_EQ(settings.pmText, "");
  EXPECT_TRUE(settings.hoursLeadingZero);
  EXPECT_TRUE(settings.twentyFourHour);
  EXPECT_TRUE(settings.markerBeforeTime);
}

TEST(ReadRegionalSettings, TheDecimalSeparatorIsOneCharacterOrThePoint) {
  const struct {
    std::optional<std::string> item;
    char expected;
  } cases[] = {{",", ','}, {"", '.'}, {"::", '.'}, {"\xD9\xAB", '.'}, {std::nullopt, '.'}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item.value_or("(unreadable)"));
    auto fake = FakePlatform::Windows();
    if (c.item) fake->locale[LocaleItem::DecimalSeparator] = *c.item;
    EXPECT_EQ(ReadRegionalSettings(*fake).decimalSeparator, c.expected);
  }
}

TEST(ReadRegionalSettings, AFlagThatIsNeitherZeroNorOneCountsAsUnreadable) {
  auto fake = FakePlatform::Windows();
  fake->locale = {{LocaleItem::TimeFormat, "2"}, {LocaleItem::HoursLeadingZero, ""}};
  const RegionalSettings settings = ReadRegionalSettings(*fake);
  EXPECT_FALSE(settings.twentyFourHour);
  EXPECT_FALSE(settings.hoursLeadingZero);
}

}  // namespace
}  // namespace tarnwick
