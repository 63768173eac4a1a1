// The texts of the report: comma text, the extension rule, the date and time, the messages.
#include <gtest/gtest.h>

#include "platform/fake/fake_platform.h"
#include "report/report.h"
#include "report/report_reader.h"
#include "tests/report/report_test_support.h"

namespace tarnwick {
namespace {

using platform::FakePlatform;
using testing::German;
using testing::UnitedStates;

TEST(CommaText, QuotesFieldsWithBlanksControlBytesCommasAndQuotes) {
  auto single = FakePlatform::Windows();
  struct Case {
    std::vector<std::string> fields;
    std::string line;
  };
  const Case cases[] = {
      {{"Windows", "C:\\WINDOWS", "7.83 GB"}, "Windows,C:\\WINDOWS,\"7.83 GB\""},
      {{"Send to"}, "\"Send to\""},
      {{"a,b"}, "\"a,b\""},
      {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
      {{"\"\""}, "\"\"\"\"\"\""},
      {{"tab\there"}, "\"tab\there\""},
      {{"\x01"}, "\"\x01\""},
      {{"line\r\nbreak"}, "\"line\r\nbreak\""},
      {{"\x1f"
        "x"},
       "\"\x1f"
       "x\""},
      {{"!~\x7f"}, "!~\x7f"},  // 0x21 and above are no reason to quote
      {{std::string("a\0b", 3)}, std::string("a\0b", 3)},
      {{"C:\\Program Files\\Common Files"}, "\"C:\\Program Files\\Common Files\""},
      {{""}, "\"\""},  // a line whose only field is empty
      {{"", ""}, ","},
      {{"a", ""}, "a,"},
      {{"", "b"}, ",b"},
      {{}, ""},
      // A single-byte code page takes every byte for itself.
      {{"\x81\x22"}, "\"\x81\"\"\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(CommaText(*single, c.fields), c.line);
  }
}

TEST(CommaText, NeverTakesATrailByteForAQuoteOrComma) {
  auto doubleByte = FakePlatform::Windows();
  doubleByte->leadBytes = {0x81, 0x82};
  struct Case {
    std::string field;
    std::string line;
  };
  const Case cases[] = {
      {"\x81\x22", "\x81\x22"},
      {"\x81\x2c", "\x81\x2c"},
      {"\x82\x20", "\x82\x20"},
      {"x \x81\x22", "\"x \x81\x22\""},      // quoted for the blank; the trail byte is not doubled
      {"\x81\x22\"", "\"\x81\x22\"\"\""},    // a quote after the character is one of its own
      {"ab\x81", "ab\x81"},                  // a lead byte at the end stands alone
      {"\x81\x81\x22", "\"\x81\x81\"\"\""},  // lead, trail, then a quote of its own
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(CommaText(*doubleByte, {c.field}), c.line);
  }
}

TEST(ChangeExtension, ReplacesTheLastExtensionOfTheFileNameOnly) {
  auto windows = FakePlatform::Windows();
  auto doubleByte = FakePlatform::Windows();
  doubleByte->leadBytes = {0x81};
  auto posix = FakePlatform::Posix();
  struct Case {
    platform::Platform& platform;
    std::string path;
    std::string report;
  };
  const Case cases[] = {
      {*windows, "C:\\Tools\\Tarnwick.exe", "C:\\Tools\\Tarnwick.csv"},
      {*windows, "C:\\Tools\\tarnwick", "C:\\Tools\\tarnwick.csv"},
      {*windows, "C:\\my.tools\\tarnwick", "C:\\my.tools\\tarnwick.csv"},
      {*windows, "C:\\Tools\\Tarnwick.tar.exe", "C:\\Tools\\Tarnwick.tar.csv"},
      {*windows, "C:\\Tools\\tarnwick.", "C:\\Tools\\tarnwick.csv"},
      {*windows, "C:tarnwick", "C:tarnwick.csv"},
      {*windows, "C:.x\\", "C:.x\\.csv"},
      {*windows, "", ".csv"},
      // A trail byte that reads "\" or "." is part of its character.
      {*windows, "C:\\a.b\x81\\tool", "C:\\a.b\x81\\tool.csv"},
      {*doubleByte, "C:\\a.b\x81\\tool", "C:\\a.csv"},
      {*doubleByte, "C:\\ab\\x\x81.", "C:\\ab\\x\x81..csv"},
      {*posix, "/opt/tarnwick/bin/tarnwick", "/opt/tarnwick/bin/tarnwick.csv"},
      {*posix, "/opt/tarn.wick/bin/tarnwick", "/opt/tarn.wick/bin/tarnwick.csv"},
      {*posix, "/opt/tarnwick/bin/tarnwick.bin", "/opt/tarnwick/bin/tarnwick.csv"},
      {*posix, "/home/u/odd.dir\\tarnwick", "/home/u/odd.csv"},  // "\" is a name's byte here
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(ChangeExtension(c.platform, c.path, ".csv"), c.report);
  }
  EXPECT_EQ(BackupPath(*windows, "C:\\Tools\\Tarnwick.csv"), "C:\\Tools\\Tarnwick.bak");
  EXPECT_EQ(BackupPath(*windows, "C:\\Tools\\tarnwick.csv"), "C:\\Tools\\tarnwick.bak");
  windows->modulePath = "C:\\Tools\\tarnwick";
  EXPECT_EQ(ReportPath(*windows), "C:\\Tools\\tarnwick.csv");
}

TEST(DateTimeText, FollowsTheRegionalSettings) {
  auto single = FakePlatform::Windows();
  const RegionalSettings us = UnitedStates();
  const RegionalSettings de = German();
  const RegionalSettings fallback;  // what the program uses when nothing can be read
  RegionalSettings korean = us;
  korean.shortDatePattern = "yyyy-MM-dd";
  korean.markerBeforeTime = true;
  korean.amText = "\xec\x98\xa4\xec\xa0\x84";
  korean.pmText = "\xec\x98\xa4\xed\x9b\x84";
  RegionalSettings dashes = de;
  dashes.dateSeparator = "-";
  dashes.shortDatePattern = "dd/MM/yy";
  RegionalSettings names = us;
  names.shortDatePattern = "dddd, MMMM dd, yyyy";
  RegionalSettings shortNames = us;
  shortNames.shortDatePattern = "ddd dd-MMM-yy";
  RegionalSettings quoted = us;
  quoted.shortDatePattern = "d 'de' MMMM 'de' yyyy";
  RegionalSettings doubledQuote = us;
  doubledQuote.shortDatePattern = "d''M\"y/\"yy";
  RegionalSettings noMarkers = us;
  noMarkers.amText = noMarkers.pmText = "";

  struct Case {
    const RegionalSettings& settings;
    platform::LocalTime time;
    std::string text;
  };
  const Case cases[] = {
      {us, {2011, 1, 15, 15, 42, 7, 0}, "1/15/2011 3:42:07 PM"},
      {us, {2011, 1, 15, 0, 0, 1, 0}, "1/15/2011 12:00:01 AM"},
      {us, {2011, 1, 15, 12, 0, 0, 0}, "1/15/2011 12:00:00 PM"},
      {us, {2011, 1, 15, 11, 59, 59, 999}, "1/15/2011 11:59:59 AM"},
      {us, {2011, 1, 15, 0, 0, 0, 999}, "1/15/2011"},  // midnight: the milliseconds do not count
      {de, {2011, 1, 15, 15, 42, 7, 0}, "15.01.2011 15:42:07"},
      {de, {2011, 1, 5, 9, 5, 3, 0}, "05.01.2011 09:05:03"},
      {de, {2011, 1, 5, 0, 0, 0, 0}, "05.01.2011"},
      {fallback, {2011, 1, 15, 15, 42, 7, 0}, "1/15/11 3:42:07 pm"},
      {fallback, {2009, 12, 31, 9, 0, 0, 0}, "12/31/09 9:00:00 am"},
      {korean, {2011, 1, 15, 15, 42, 7, 0}, "2011-01-15 \xec\x98\xa4\xed\x9b\x84 3:42:07"},
      {dashes, {2011, 1, 15, 15, 42, 7, 0}, "15-01-11 15:42:07"},
      {names, {2011, 1, 15, 0, 0, 0, 0}, "Saturday, January 15, 2011"},
      {shortNames, {2011, 9, 4, 0, 0, 0, 0}, "Sun 04-Sep-11"},
      {quoted, {2011, 1, 15, 0, 0, 0, 0}, "15 de January de 2011"},
      {doubledQuote, {2011, 1, 15, 0, 0, 0, 0}, "15'1y/11"},
      {noMarkers, {2011, 1, 15, 15, 42, 7, 0}, "1/15/2011 3:42:07"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(DateTimeText(*single, c.time, c.settings), c.text);
  }
}

TEST(DateTimeText, NeverTakesATrailByteForAPatternLetter) {
  auto doubleByte = FakePlatform::Windows();
  doubleByte->leadBytes = {0x94};
  auto single = FakePlatform::Windows();
  RegionalSettings settings = UnitedStates();
  settings.shortDatePattern =
      "yyyy\x94"
      "dM";
  const platform::LocalTime time{2011, 1, 15, 0, 0, 0, 0};
  EXPECT_EQ(DateTimeText(*doubleByte, time, settings),
            "2011\x94"
            "d1");
  EXPECT_EQ(DateTimeText(*single, time, settings),
            "2011\x94"
            "151");
}

TEST(IoFailure, CarriesTheFixedMessageOfItsCode) {
  struct Case {
    int code;
    std::string message;
  };
  const Case cases[] = {
      {2, "File not found"},
      {3, "Invalid filename"},
      {4, "Too many open files"},
      {5, "File access denied"},
      {100, "Read beyond end of file"},
      {101, "Disk full"},
      {106, "Invalid numeric input"},
      {32, "I/O error 32"},
      {1117, "I/O error 1117"},
      {0, "I/O error 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const IoFailure failure(c.code);
    EXPECT_EQ(failure.code(), c.code);
    EXPECT_EQ(failure.what(), c.message);
  }
}

TEST(WithFullStop, AppendsAFullStopAfterACharacterThatSortsAfterIt) {
  EXPECT_EQ(WithFullStop("File not found"), "File not found.");
  EXPECT_EQ(WithFullStop("I/O error 32"), "I/O error 32.");
  EXPECT_EQ(WithFullStop(""), "");
  EXPECT_EQ(WithFullStop("Done."), "Done.");
  EXPECT_EQ(WithFullStop("range -"), "range -");  // "-" sorts before "."
  EXPECT_EQ(WithFullStop("a/"), "a/.");
  EXPECT_EQ(WithFullStop("caf\xc3\xa9"), "caf\xc3\xa9.");  // bytes above 0x7f sort after "."
}

TEST(CreditLine, NamesTheProgramItsMakerAndItsAddress) {
  EXPECT_EQ(
      CreditLine(),
      "Tarnwick is freeware, written by, The Tarnwick Project 2026, https://tarnwick.example/");
  EXPECT_STREQ(ProjectWebHost, "tarnwick.example");
}

// The rows as the report writes them read back: the last pair of each row, whatever its
// locations hold, trail bytes that look like a quote or a comma included.
TEST(ReadReportText, ReadsTheRowsAndTotalTheReportWrote) {
  auto doubleByte = FakePlatform::Windows();
  doubleByte->leadBytes = {0x81};
  std::vector<FolderRow> rows;
  for (const CatalogueEntry& entry : FolderCatalogue)
    rows.push_back({std::string(entry.Caption), false, {}});
  rows[0].SubItems = {"C:\\old", "1 KB", "C:\\a,b \"c\"\r\nd", "7,83 GB"};
  rows[4].SubItems = {"C:\\\x81\x22\x81\x2c", "0 bytes"};
  const std::string footer =
      "******************************************\r\n"
      "Report for computer,WS\r\nEstimated total size,9,43 GB\r\n"
      "Generated with Tarnwick at,1/15/2011\r\ncredit\r\n"
      "******************************************\r\n";
  const std::optional<ReportRead> read =
      ReadReportText(*doubleByte, ReportRowSection(*doubleByte, rows) + footer);
  ASSERT_TRUE(read);
  ASSERT_EQ(read->rows.size(), 29u);
  EXPECT_EQ(read->rows[0].location, "C:\\a,b \"c\"\r\nd");
  EXPECT_EQ(read->rows[0].size, "7,83 GB");
  EXPECT_EQ(read->rows[4].location, "C:\\\x81\x22\x81\x2c");
  EXPECT_EQ(read->rows[1].location, std::nullopt);
  EXPECT_EQ(read->totalSize, "9,43 GB");
  // The same report with line feeds alone, as an editor may leave it.
  std::string lineFeeds = ReportRowSection(*doubleByte, rows) + footer;
  for (std::size_t at; (at = lineFeeds.find("\r\n")) != std::string::npos;) lineFeeds.erase(at, 1);
  const std::optional<ReportRead> fed = ReadReportText(*doubleByte, lineFeeds);
  ASSERT_TRUE(fed);
  EXPECT_EQ(fed->rows[0].location, "C:\\a,b \"c\"\nd");
  EXPECT_EQ(fed->totalSize, "9,43 GB");
}

}  // namespace
}  // namespace tarnwick
