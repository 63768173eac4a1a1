#include "core/size_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace tarnwick {
namespace {

TEST(SizeToText, WorkedExamples) {
  const struct {
    std::int64_t count;
    const char* text;
  } cases[] = {
      {0, "0 bytes"},
      {1, "1 bytes"},
      {1023, "1023 bytes"},
      {1024, "1024 bytes"},
      {1025, "1 KB"},
      {1030, "1.01 KB"},
      {1152, "1.13 KB"},
      {1536, "1.5 KB"},
      {2047, "2 KB"},
      {1048575, "1024 KB"},
      {1048576, "1024 KB"},
      {1048577, "1 MB"},
      {123456789, "117.74 MB"},
      {1073741824, "1024 MB"},
      {1073741825, "1 GB"},
      {1610612736, "1.5 GB"},
      {4294967296, "4 GB"},
      {5368709120, "5 GB"},
      {1000000000000, "931.32 GB"},
      {4398046511104, "4096 GB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    EXPECT_EQ(SizeToText(c.count), c.text);
  }
}

TEST(SizeToText, WritesTheRegionalDecimalSeparator) {
  EXPECT_EQ(SizeToText(1536, ','), "1,5 KB");
  EXPECT_EQ(SizeToText(123456789, ','), "117,74 MB");
  EXPECT_EQ(SizeToText(2047, ','), "2 KB");
}

TEST(SizeToText, RoundsHalfUpAfterEighteenSignificantDigits) {
  constexpr std::int64_t GiB = 1073741824;
  const struct {
    std::int64_t count;
    const char* text;
  } cases[] = {
      {10234, "9.99 KB"},  // 9.994140625
      {10235, "10 KB"},    // 9.9951171875 carries into the integer part
      // 1.00499999988824129...: eighteen digits still end in ...4999, so it rounds down.
      {GiB + 5368709, "1 GB"},
      // With ten digits before the point the eighteen digits end eight places after it:
      // ...91.00499999|988 becomes ...91.00500000, which rounds up.
      {8589934591 * GiB + 5368709, "8589934591.01 GB"},
      // 2^63 - 1 is 8589934591.99999999907 GB, eighteen digits of which are 8589934592.
      {std::numeric_limits<std::int64_t>::max(), "8589934592 GB"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.count);
    EXPECT_EQ(SizeToText(c.count), c.text);
  }
}

}  // namespace
}  // namespace tarnwick
