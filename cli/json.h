// The command line's JSON documents: one object per run, its schema described in the README and
// kept stable (new members may be added, none is renamed or removed).
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/folder_size.h"

namespace tarnwick::cli {

// A JSON string literal. Bytes that are not UTF-8 become U+FFFD, since a JSON text is Unicode.
std::string JsonString(std::string_view text);

struct JsonFolder {
  std::string caption;                  // empty for "size", which names paths only
  std::optional<std::string> location;  // nothing when the folder was not found
  std::uint64_t bytes = 0;
  std::string size;
};

struct JsonDocument {
  std::vector<JsonFolder> folders;
  std::uint64_t totalBytes = 0;
  std::string totalSize;
  WalkReport report;
};

// "survey" writes captions and locations; "size" writes paths.
void WriteSurveyJson(std::ostream& out, const JsonDocument& document);
void WriteSizeJson(std::ostream& out, const JsonDocument& document);

}  // namespace tarnwick::cli
