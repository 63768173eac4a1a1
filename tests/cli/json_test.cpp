#include "cli/json.h"

#include <gtest/gtest.h>

#include "cli/json_reader.h"

namespace tarnwick::cli {
namespace {

TEST(JsonString, EscapesWhatJsonRequiresAndKeepsUtf8) {
  const struct {
    std::string text, json;
  } cases[] = {
      {"", R"("")"},
      {"C:\\Tools", R"("C:\\Tools")"},
      {"say \"hi\"", R"("say \"hi\"")"},
      {"line\nbreak\ttab\x01", R"("line\u000abreak\u0009tab\u0001")"},
      {"Gr\xC3\xBC\xC3\x9F"
       "e \xE2\x82\xAC \xF0\x9F\x93\x81",
       "\"Gr\xC3\xBC\xC3\x9F"
       "e \xE2\x82\xAC \xF0\x9F\x93\x81\""},
      // Bytes that are not UTF-8: a lone continuation, a cut sequence, an overlong form and a
      // surrogate each become one replacement character per byte.
      {"a\x80z", "\"a\xEF\xBF\xBDz\""},
      {"\xE2\x82", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
      {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},
      {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(JsonString(c.text), c.json);
  }
}

TEST(ParseJson, ReadsBackWhatTheDocumentsHold) {
  const std::string text = "{\"name\": " + JsonString("caf\xC3\xA9 \"\\\x01") +
                           ", \"big\": 18446744073709551615, \"list\": [true, false, null, -1.5e3],"
                           " \"escaped\": \"\\u00e9\\ud83d\\udcc1\\/\\n\", \"lone\": \"\\ud800x\"}";
  const std::optional<JsonValue> value = ParseJson(text);
  ASSERT_TRUE(value);
  EXPECT_EQ(value->member("name")->text, "caf\xC3\xA9 \"\\\x01");
  EXPECT_EQ(value->member("big")->count(), 18446744073709551615ull);
  const auto& list = value->member("list")->items;
  ASSERT_EQ(list.size(), 4u);
  EXPECT_TRUE(list[0].boolean);
  EXPECT_FALSE(list[1].boolean);
  EXPECT_EQ(list[2].kind, JsonValue::Kind::Null);
  EXPECT_FALSE(list[3].count());  // not a whole count
  EXPECT_EQ(value->member("escaped")->text, "\xC3\xA9\xF0\x9F\x93\x81/\n");
  EXPECT_EQ(value->member("lone")->text, "\xEF\xBF\xBDx");
  EXPECT_EQ(value->member("missing"), nullptr);
}

TEST(ParseJson, RefusesWhatIsNotOneWellFormedValue) {
  const std::string deep = std::string(100, '[') + std::string(100, ']');
  for (const std::string& text :
       {std::string(""), std::string("{"), std::string("{\"a\" 1}"), std::string("[1,]"),
        std::string("{} {}"), std::string("\"tab\there\""), std::string("01x"), std::string("tru"),
        std::string("\"\\x\""), std::string("\"\\u12\""), deep}) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(ParseJson(text));
  }
  EXPECT_TRUE(ParseJson(std::string(60, '[') + std::string(60, ']')));
}

}  // namespace
}  // namespace tarnwick::cli
