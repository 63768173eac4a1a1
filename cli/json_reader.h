// Reading a JSON text back, for the earlier survey a new one is compared with.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::cli {

struct JsonValue {
  enum class Kind { Null, Boolean, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  std::string text;                // a string's value (UTF-8), or a number as written
  std::vector<JsonValue> items;    // an array's, or an object's member values
  std::vector<std::string> names;  // an object's member names, one per item

  // The member of an object, nothing when there is none or this is not an object.
  const JsonValue* member(std::string_view name) const;
  // A number that is a whole count from 0 to 2^64 - 1, as the documents' byte counts are.
  std::optional<std::uint64_t> count() const;
};

// Nothing when the text is not one well-formed JSON value (nesting deeper than 64 included).
std::optional<JsonValue> ParseJson(std::string_view text);

}  // namespace tarnwick::cli
