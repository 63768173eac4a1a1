// Regional settings of the thread's locale and the shell action, through the Windows binding.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>

#include "platform/platform.h"

namespace tarnwick::platform {
namespace {

// Switches the thread's locale for one test and back.
class ThreadLocale {
 public:
  explicit ThreadLocale(LANGID language)
      : old_(GetThreadLocale()), set_(SetThreadLocale(MAKELCID(language, SORT_DEFAULT)) != 0) {}
  ~ThreadLocale() { SetThreadLocale(old_); }
  bool set() const { return set_; }

 private:
  LCID old_;
  bool set_;
};

TEST(Win32Locale, ItemsComeFromTheThreadsLocale) {
  struct Case {
    const char* locale;
    LANGID language;
    std::map<LocaleItem, std::string> items;
  };
  const Case cases[] = {
      {"English (United States)",
       MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US),
       {{LocaleItem::DecimalSeparator, "."},
        {LocaleItem::ShortDatePattern, "M/d/yyyy"},
        {LocaleItem::DateSeparator, "/"},
        {LocaleItem::TimeSeparator, ":"},
        {LocaleItem::AmText, "AM"},
        {LocaleItem::PmText, "PM"},
        {LocaleItem::HoursLeadingZero, "0"},
        {LocaleItem::TimeFormat, "0"},
        {LocaleItem::TimeMarkerPosition, "0"}}},
      {"German (Germany)",
       MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN),
       {{LocaleItem::DecimalSeparator, ","},
        {LocaleItem::DateSeparator, "."},
        {LocaleItem::HoursLeadingZero, "1"},
        {LocaleItem::TimeFormat, "1"}}},
  };
  auto platform = makeSystemPlatform();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.locale);
    ThreadLocale locale(c.language);
    ASSERT_TRUE(locale.set());
    for (const auto& [item, text] : c.items) {
      SCOPED_TRACE(static_cast<int>(item));
      EXPECT_EQ(platform->localeItem(item), text);
    }
  }
}

TEST(Win32Shell, ARefusedLaunchGivesTheShellsErrorValue) {
  auto platform = makeSystemPlatform();
  ShellRequest request{"Explore", "Q:\\no\\such\\folder", "", "", ShowCommand::Normal};
  ShellResult result = platform->shellExecute(request);
  EXPECT_FALSE(result.ok);
  // Values up to 32 are the shell's error values.
  EXPECT_GE(result.instance, 0);
  EXPECT_LE(result.instance, 32);
  EXPECT_EQ(result.process, 0u);
}

}  // namespace
}  // namespace tarnwick::platform
