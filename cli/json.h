// The command line's JSON documents: one object per run, its schema described in the README and
// kept stable (new members may be added, none is renamed or removed).
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/compare.h"
#include "core/folder_size.h"

namespace tarnwick::cli {

// A JSON string literal. Bytes that are not UTF-8 become U+FFFD, since a JSON text is Unicode.
std::string JsonString(std::string_view text);

struct JsonFolder {
  std::string caption;                  // empty for "size", which names paths only
  std::optional<std::string> location;  // nothing when the folder was not found
  std::uint64_t bytes = 0;              // logical, or allocated with --disk-usage
  std::string size;
  std::uint64_t files = 0;
  std::uint64_t directories = 0;
  std::optional<FolderChange> change;  // with --compare, where there is one
};

struct JsonDocument {
  std::vector<JsonFolder> folders;
  std::uint64_t totalBytes = 0;
  std::string totalSize;
  std::uint64_t totalFiles = 0;
  std::uint64_t totalDirectories = 0;
  WalkReport report;
  bool diskUsage = false;
  bool countLinksOnce = false;
  // With --compare: the file compared with, whether its sizes were read from size texts, and
  // the change of the total.
  std::optional<std::string> compareFile;
  bool compareApproximate = false;
  FolderChange totalChange;
};

// "survey" writes captions and locations; "size" writes paths.
void WriteSurveyJson(std::ostream& out, const JsonDocument& document);
void WriteSizeJson(std::ostream& out, const JsonDocument& document);
// "list": the folders with caption and location, null where there is none.
void WriteListJson(std::ostream& out, const std::vector<JsonFolder>& folders);

}  // namespace tarnwick::cli
