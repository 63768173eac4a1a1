#include "cli/json_reader.h"

#include <charconv>

#include "platform/utf8.h"

namespace tarnwick::cli {

namespace {

constexpr int kMaxDepth = 64;

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::optional<JsonValue> document() {
    JsonValue value;
    if (!parse(value, 0)) return std::nullopt;
    skipBlanks();
    if (at_ != text_.size()) return std::nullopt;
    return value;
  }

 private:
  void skipBlanks() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r'))
      ++at_;
  }
  bool take(char c) {
    skipBlanks();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool word(std::string_view w) {
    if (text_.substr(at_, w.size()) != w) return false;
    at_ += w.size();
    return true;
  }

  bool parse(JsonValue& value, int depth) {
    if (depth > kMaxDepth) return false;
    skipBlanks();
    if (at_ >= text_.size()) return false;
    const char c = text_[at_];
    if (c == '{') return object(value, depth);
    if (c == '[') return array(value, depth);
    if (c == '"') {
      value.kind = JsonValue::Kind::String;
      return string(value.text);
    }
    if (word("null")) return true;
    if (word("true") || word("false")) {
      value.kind = JsonValue::Kind::Boolean;
      value.boolean = text_[at_ - 1] == 'e' && text_[at_ - 2] == 'u';  // "true", not "false"
      return true;
    }
    return number(value);
  }

  bool object(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::Object;
    ++at_;
    if (take('}')) return true;
    do {
      skipBlanks();
      std::string name;
      if (at_ >= text_.size() || text_[at_] != '"' || !string(name) || !take(':')) return false;
      JsonValue member;
      if (!parse(member, depth + 1)) return false;
      value.names.push_back(std::move(name));
      value.items.push_back(std::move(member));
    } while (take(','));
    return take('}');
  }

  bool array(JsonValue& value, int depth) {
    value.kind = JsonValue::Kind::Array;
    ++at_;
    if (take(']')) return true;
    do {
      JsonValue item;
      if (!parse(item, depth + 1)) return false;
      value.items.push_back(std::move(item));
    } while (take(','));
    return take(']');
  }

  bool number(JsonValue& value) {
    const std::size_t start = at_;
    const auto digits = [&] {
      const std::size_t from = at_;
      while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
      return at_ > from;
    };
    if (at_ < text_.size() && text_[at_] == '-') ++at_;
    if (!digits()) return false;
    if (at_ < text_.size() && text_[at_] == '.' && (++at_, !digits())) return false;
    if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
      ++at_;
      if (at_ < text_.size() && (text_[at_] == '+' || text_[at_] == '-')) ++at_;
      if (!digits()) return false;
    }
    value.kind = JsonValue::Kind::Number;
    value.text = text_.substr(start, at_ - start);
    return true;
  }

  bool hex4(unsigned& unit) {
    if (at_ + 4 > text_.size()) return false;
    auto [end, error] = std::from_chars(text_.data() + at_, text_.data() + at_ + 4, unit, 16);
    if (error != std::errc() || end != text_.data() + at_ + 4) return false;
    at_ += 4;
    return true;
  }

  bool string(std::string& out) {
    ++at_;  // the opening quote
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) return false;
      const char e = text_[at_++];
      switch (e) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          unsigned unit = 0;
          if (!hex4(unit)) return false;
          char32_t c32 = unit;
          if (unit >= 0xD800 && unit < 0xE000) {
            c32 = 0xFFFD;  // a lone surrogate names no character
            const std::size_t next = at_;
            unsigned low = 0;
            if (unit < 0xDC00 && word("\\u") && hex4(low) && low >= 0xDC00 && low < 0xE000)
              c32 = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            else
              at_ = next;
          }
          platform::AppendUtf8(out, c32);
          break;
        }
        default:
          return false;
      }
    }
    return false;
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

}  // namespace

const JsonValue* JsonValue::member(std::string_view name) const {
  if (kind != Kind::Object) return nullptr;
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return &items[i];
  return nullptr;
}

std::optional<std::uint64_t> JsonValue::count() const {
  if (kind != Kind::Number) return std::nullopt;
  std::uint64_t n = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return n;
}

std::optional<JsonValue> ParseJson(std::string_view text) { return Parser(text).document(); }

}  // namespace tarnwick::cli
