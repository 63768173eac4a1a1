#include "report/comma_text.h"

#include "report/code_page.h"

namespace tarnwick {

namespace {

constexpr char kQuote = '"';
constexpr char kDelimiter = ',';

bool IsSpecial(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x01 && byte <= 0x20) || c == kQuote || c == kDelimiter;
}

void AppendField(const platform::Platform& platform, const std::string& field, std::string& line) {
  bool needsQuotes = false;
  for (std::size_t at = 0; at < field.size() && !needsQuotes;) {
    const std::size_t length = CharacterLength(platform, field, at);
    needsQuotes = length == 1 && IsSpecial(field[at]);
    at += length;
  }
  if (!needsQuotes) {
    line += field;
    return;
  }
  line += kQuote;
  for (std::size_t at = 0; at < field.size();) {
    const std::size_t length = CharacterLength(platform, field, at);
    if (length == 1 && field[at] == kQuote) line += kQuote;
    line.append(field, at, length);
    at += length;
  }
  line += kQuote;
}

}  // namespace

std::string CommaText(const platform::Platform& platform, const std::vector<std::string>& fields) {
  if (fields.size() == 1 && fields[0].empty()) return {kQuote, kQuote};
  std::string line;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) line += kDelimiter;
    AppendField(platform, fields[i], line);
  }
  return line;
}

}  // namespace tarnwick
