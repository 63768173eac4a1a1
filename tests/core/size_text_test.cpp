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

// Every text written with any of these separators reads back to within the rounding it says, and
// a text in bytes exactly.
TEST(ReadSizeText, ReadsBackWhatSizeToTextWroteInItsSeparator) {
  const std::uint64_t counts[] = {0,
                                  1,
                                  1024,
                                  1025,
                                  1152,
                                  1048575,
                                  123456789,
                                  1073741825,
                                  5368709120,
                                  4398046511104,
                                  (1ull << 63) - 1};
  for (char separator : {'.', ',', '\''}) {
    for (std::uint64_t count : counts) {
      const std::string text = SizeToText(static_cast<std::int64_t>(count), separator);
      SCOPED_TRACE(text);
      const std::optional<SizeFromText> read = ReadSizeText(text);
      ASSERT_TRUE(read);
      const std::uint64_t off = read->bytes > count ? read->bytes - count : count - read->bytes;
      EXPECT_LE(off, read->margin);
      if (count <= 1024) {
        EXPECT_EQ(read->margin, 0u);
      }
    }
  }
  EXPECT_EQ(ReadSizeText("1,5 KB")->bytes, 1536u);
  EXPECT_EQ(ReadSizeText("117.74 MB")->bytes, 123459338u);  // 117.74 x 2^20, rounded
}

TEST(ReadSizeText, RefusesOtherShapes) {
  for (const char* text : {"", "1 KiB", "1.5KB", "KB", " 1 KB", "1.555 KB", "1. KB", "1.5 bytes",
                           "-1 KB", "1.5.5 KB", "12 3 KB", "99999999999999999999 GB", "1 kb"}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(ReadSizeText(text));
  }
}

}  // namespace
}  // namespace tarnwick
