#include "cli/json.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tarnwick::cli
