#include "cli/arguments.h"

#include <gtest/gtest.h>

#include "cli/table.h"

namespace tarnwick::cli {
namespace {

const std::vector<CommandSyntax> commands{
    {"report", "[FOLDER...]", "", "", {{"--csv", "FILE", ""}, {"--all", "", ""}}},
};

TEST(ParseArguments, TakesOptionsAnywhereInBothValueForms) {
  const struct {
    std::vector<std::string> args;
    std::string csv;
    std::vector<std::string> operands;
  } cases[] = {
      {{"report", "--csv", "out.csv", "Temp"}, "out.csv", {"Temp"}},
      {{"report", "Temp", "--csv=a=b.csv"}, "a=b.csv", {"Temp"}},
      {{"report", "--csv", "--all"}, "--all", {}},  // a value is taken as it comes
      {{"report", "--csv=", "--", "--all", "-"}, "", {"--all", "-"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    ParseResult result = ParseArguments(commands, c.args);
    ASSERT_EQ(result.error, "");
    EXPECT_EQ(result.arguments.value("--csv"), c.csv);
    EXPECT_EQ(result.arguments.operands, c.operands);
  }
}

TEST(ParseArguments, RejectsWhatTheCommandDoesNotDeclare) {
  const struct {
    std::vector<std::string> args;
    std::string error;
  } cases[] = {
      {{}, "no command given"},
      {{"export"}, "unknown command \"export\""},
      {{"report", "--json"}, "unknown option \"--json\" for report"},
      {{"report", "--csv"}, "option --csv needs a value (FILE)"},
      {{"report", "--all=yes"}, "option --all takes no value"},
      {{"help", "export"}, "unknown command \"export\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    EXPECT_EQ(ParseArguments(commands, c.args).error, c.error);
  }
}

TEST(FormatTable, PadsColumnsByCharactersAndLeavesNoTrailingBlanks) {
  EXPECT_EQ(
      FormatTable({"Folder", "Location", "Size"}, {{"Temp", "/tmp", "1 KB"},
                                                   {"Caf\xC3\xA9", "", ""},
                                                   {"Common Files", "/usr/share", "12.5 MB"}}),
      "Folder        Location    Size\n"
      "Temp          /tmp        1 KB\n"
      "Caf\xC3\xA9\n"
      "Common Files  /usr/share  12.5 MB\n");
}

}  // namespace
}  // namespace tarnwick::cli
