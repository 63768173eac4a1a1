// survey --compare against an earlier survey's JSON document or CSV report, and the files it
// refuses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/commands.h"
#include "cli/json_reader.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/temp_folder.h"

namespace tarnwick::cli {
namespace {

using platform::FakeNode;
using platform::FakePlatform;
using ::testing::HasSubstr;

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;
constexpr std::uint64_t kMiB = 1024 * 1024;

// A POSIX system whose folders change between two surveys: Temp grows by 1.5 GB, Common Files
// shrinks by 340 KB, Windows stays as it was, Fonts moves, Favorites goes and Program Files comes.
class CompareCommandTest : public ::testing::Test {
 protected:
  CompareCommandTest() {
    dir = testing::MakeTemporaryFolder("tarnwick-compare-");
    fake->windowsDir = "/srv/win";
    fake->registry["CommonFilesDir"] = platform::WideString("/srv/share");
    fake->environment["TMP"] = "/srv/temp";
    Earlier();
  }
  ~CompareCommandTest() override { std::filesystem::remove_all(dir); }

  void Earlier() {
    FakeNode& srv = fake->tree.emplace().children["srv"];
    srv.children["temp"].files = {{"a", kGiB + 1}};
    srv.children["share"].files = {{"b", 2 * kMiB + 1}};
    srv.children["win"].files = {{"c", 123456789}};
    srv.children["fonts"].files = {{"d", 10}};
    srv.children["fav"].files = {{"e", 20}};
    fake->shellFolders[20] = "/srv/fonts";
    fake->shellFolders[6] = "/srv/fav";
  }
  void Later() {
    FakeNode& srv = fake->tree->children["srv"];
    srv.children["temp"].files["grown"] = kGiB + kGiB / 2;
    srv.children["share"].files["b"] -= 340 * 1024;
    srv.children["fonts2"] = srv.children["fonts"];
    srv.children["prog"].files = {{"f", 30}};
    fake->shellFolders[20] = "/srv/fonts2";
    fake->shellFolders.erase(6);
    fake->registry["ProgramFilesDir"] = platform::WideString("/srv/prog");
  }

  int run(std::vector<std::string> args) {
    out.str("");
    err.str("");
    Context context{*fake, out, err};
    return cli::Run(context, args);
  }
  void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  // Each folder's change text as the JSON document gives it ("" where it is null), then the
  // total's, and whether the document calls them approximate.
  std::string Changes(const std::string& json) {
    const std::optional<JsonValue> document = ParseJson(json);
    if (!document) return "not JSON";
    std::string text;
    for (const JsonValue& folder : document->member("folders")->items) {
      const JsonValue* change = folder.member("change");
      text += folder.member("caption")->text + ": " +
              (change->kind == JsonValue::Kind::Null ? "" : change->member("size")->text) + "\n";
    }
    text += "total: " + document->member("total")->member("change")->member("size")->text;
    text += document->member("compare")->member("approximate")->boolean ? " (approximate)" : "";
    return text;
  }

  const std::vector<std::string> folders = {"Temp",      "Common Files",  "Windows", "Fonts",
                                            "Favorites", "Program Files", "Cookies"};
  std::vector<std::string> Survey(std::vector<std::string> options) {
    std::vector<std::string> args{"survey"};
    args.insert(args.end(), folders.begin(), folders.end());
    args.insert(args.end(), options.begin(), options.end());
    return args;
  }

  std::string dir;
  std::unique_ptr<FakePlatform> fake = FakePlatform::Posix();
  std::ostringstream out, err;
};

TEST_F(CompareCommandTest, ComparesWithAnEarlierJsonDocumentExactly) {
  const std::string earlier = dir + "/earlier.json";
  ASSERT_EQ(run(Survey({"--json"})), ExitSuccess);
  Write(earlier, out.str());
  Later();
  ASSERT_EQ(run(Survey({"--json", "--compare", earlier})), ExitSuccess) << err.str();
  // Total then: 1 GiB + 2 MiB + 123456789 + 30 bytes; now 1.5 GiB more, 340 KiB less, 30 more.
  EXPECT_EQ(Changes(out.str()),
            "Common Files: -340 KB\nProgram Files: new\nWindows: 0 bytes\nTemp: +1.5 GB\n"
            "Favorites: gone\nFonts: moved\nCookies: \ntotal: +1.5 GB");
  EXPECT_THAT(out.str(), HasSubstr("\"change\": {\"state\": \"changed\", \"bytes\": -348160, "
                                   "\"size\": \"-340 KB\"}"));
  EXPECT_THAT(out.str(),
              HasSubstr("\"change\": {\"state\": \"new\", \"bytes\": null, \"size\": \"new\"}"));

  ASSERT_EQ(run(Survey({"--compare", earlier})), ExitSuccess);
  EXPECT_THAT(out.str(), HasSubstr("Size       Change\n"));
  EXPECT_THAT(out.str(), HasSubstr("/srv/temp    2.5 GB     +1.5 GB\n"));
}

// A report holds size texts in the separator of the settings it was written with; they are read
// back whatever the settings are now. Windows' 117.74 MB stands for a count that may lie a few
// KB either way, so the same count again is no change.
TEST_F(CompareCommandTest, ComparesWithAReportInEitherSeparatorApproximately) {
  const struct { std::string written, now; } cases[] = {{",", "."}, {".", ","}, {",", ","}};
  for (const auto& c : cases) {
    SCOPED_TRACE("written with " + c.written + ", read with " + c.now);
    Earlier();
    const std::string report = dir + "/report.csv";
    fake->locale[platform::LocaleItem::DecimalSeparator] = c.written;
    ASSERT_EQ(run(Survey({"--csv", report})), ExitSuccess);
    ASSERT_EQ(run(Survey({"--csv", report})), ExitSuccess);  // the first one becomes the .bak
    Later();
    fake->locale[platform::LocaleItem::DecimalSeparator] = c.now;
    ASSERT_EQ(run(Survey({"--json", "--compare", report})), ExitSuccess) << err.str();
    const std::string expected =
        "Common Files: -340 KB\nProgram Files: new\nWindows: 0 bytes\nTemp: +1.5 GB\n"
        "Favorites: gone\nFonts: moved\nCookies: \ntotal: +1.5 GB (approximate)";
    std::string changes = Changes(out.str());
    std::replace(changes.begin(), changes.end(), c.now[0], '.');
    EXPECT_EQ(changes, expected);
    // The backup of a report is a report too.
    ASSERT_EQ(run(Survey({"--compare", dir + "/report.bak"})), ExitSuccess) << err.str();
    EXPECT_THAT(out.str(), HasSubstr("Change (approximate)"));
  }
}

TEST_F(CompareCommandTest, RefusesAFileThatIsNeitherWithExitStatus2) {
  const std::string report = dir + "/good.csv";
  ASSERT_EQ(run(Survey({"--csv", report})), ExitSuccess);
  std::ifstream in(report, std::ios::binary);
  const std::string good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string footer = good.substr(good.find("*****"));
  const struct {
    std::string name, text, message;
  } cases[] = {
      {"empty", "", "is empty"},
      {"prose", "Dear diary,\r\n", "is neither"},
      {"bad JSON", "{\"version\": 1, \"folders\": [", "is not well-formed JSON"},
      {"size document", "{\"version\": 1, \"directories\": [], \"total\": {\"bytes\": 0}}",
       "is a \"size --json\" document"},
      {"later version", "{\"version\": 2, \"folders\": [], \"total\": {\"bytes\": 0}}",
       "was written by a later Tarnwick"},
      {"JSON of another shape", "[1, 2, 3]", "is neither"},
      {"unknown caption", "Downloads,/srv/dl,\"1 KB\"\r\n" + footer, "is neither"},
      {"size text of another shape", "Temp,/srv/temp,\"1 KiB\"\r\n" + footer, "is neither"},
      {"rows without footer", good.substr(0, good.find("*****")), "is neither"},
      {"footer cut short", good.substr(0, good.find("Generated")), "is neither"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = dir + "/bad";
    Write(path, c.text);
    EXPECT_EQ(run({"survey", "Temp", "--compare", path}), ExitUsage);
    EXPECT_THAT(err.str(), HasSubstr("--compare: " + path + " " + c.message));
    EXPECT_EQ(out.str(), "");
  }
  EXPECT_EQ(run({"survey", "Temp", "--compare", dir + "/missing"}), ExitUsage);
  EXPECT_THAT(err.str(), HasSubstr("File not found."));
  EXPECT_EQ(run({"survey", "Temp", "--compare", dir}), ExitUsage);
  // A report holds logical sizes: against the space allocated it would compare two measures.
  EXPECT_EQ(run({"survey", "Temp", "--disk-usage", "--compare", report}), ExitUsage);
  EXPECT_THAT(err.str(), HasSubstr("holds logical sizes"));
  EXPECT_EQ(run({"survey", "Temp", "--compare", report}), ExitSuccess);
}

TEST_F(CompareCommandTest, CountsAndListJson) {
  fake->tree->children["srv"].children["temp"].children["sub"].files = {{"x", 1}, {"y", 2}};
  ASSERT_EQ(run({"survey", "Temp", "Cookies", "--counts"}), ExitSuccess);
  EXPECT_EQ(out.str(),
            "Folder   Location   Size  Files  Directories\n"
            "Temp     /srv/temp  1 GB  3      1\n"
            "Cookies\n"
            "Total               1 GB  3      1\n");
  ASSERT_EQ(run({"size", "--counts", "--bytes", "/srv/temp", "/srv/win"}), ExitSuccess);
  EXPECT_EQ(out.str(), std::to_string(kGiB + 4) + "\t3\t1\t/srv/temp\n123456789\t1\t0\t/srv/win\n");
  ASSERT_EQ(run({"list", "--json"}), ExitSuccess);
  const std::optional<JsonValue> list = ParseJson(out.str());
  ASSERT_TRUE(list);
  const auto& rows = list->member("folders")->items;
  ASSERT_EQ(rows.size(), 29u);
  EXPECT_EQ(rows[0].member("caption")->text, "Common Files");
  EXPECT_EQ(rows[0].member("location")->text, "/srv/share");
  EXPECT_EQ(rows[1].member("location")->kind, JsonValue::Kind::Null);  // Program Files
}

}  // namespace
}  // namespace tarnwick::cli
