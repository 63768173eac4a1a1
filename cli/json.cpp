#include "cli/json.h"

#include <cstdio>

namespace tarnwick::cli {

namespace {

// Length of the well-formed UTF-8 sequence at `text[i]`, or 0 when it is not one.
std::size_t Utf8Length(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  std::size_t length;
  unsigned char low = 0x80, high = 0xBF;  // range of the second byte
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (i + length > text.size()) return 0;
  if (byte(i + 1) < low || byte(i + 1) > high) return 0;
  for (std::size_t k = 2; k < length; ++k)
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  return length;
}

void WriteChange(std::ostream& out, const FolderChange& change) {
  out << "\"change\": {\"state\": " << JsonString(ChangeStateName(change.state)) << ", \"bytes\": ";
  if (change.state == ChangeState::New || change.state == ChangeState::Gone)
    out << "null";
  else
    out << change.bytes;
  out << ", \"size\": " << JsonString(change.text) << "}";
}

// The members every folder or directory has after its location or path.
void WriteMeasure(std::ostream& out, const JsonFolder& folder) {
  out << ", \"bytes\": " << folder.bytes << ", \"size\": " << JsonString(folder.size)
      << ", \"files\": " << folder.files << ", \"directories\": " << folder.directories;
}

void WriteSummary(std::ostream& out, const JsonDocument& document) {
  out << "  \"total\": {\"bytes\": " << document.totalBytes
      << ", \"size\": " << JsonString(document.totalSize) << ", \"files\": " << document.totalFiles
      << ", \"directories\": " << document.totalDirectories;
  if (document.compareFile) {
    out << ", ";
    WriteChange(out, document.totalChange);
  }
  out << "},\n"
      << "  \"not_counted\": {\"unreadable_directories\": " << document.report.unreadableDirectories
      << ", \"pseudo_file_systems\": " << document.report.pseudoFileSystems
      << ", \"loops\": " << document.report.loops << "},\n"
      << "  \"stopped\": " << (document.report.stopped ? "true" : "false") << ",\n"
      << "  \"disk_usage\": " << (document.diskUsage ? "true" : "false") << ",\n"
      << "  \"count_links_once\": " << (document.countLinksOnce ? "true" : "false");
  if (document.compareFile)
    out << ",\n  \"compare\": {\"file\": " << JsonString(*document.compareFile)
        << ", \"approximate\": " << (document.compareApproximate ? "true" : "false") << "}";
  out << "\n}\n";
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const std::size_t length = Utf8Length(text, i);
    if (length == 0) {
      json += "\xEF\xBF\xBD";
      ++i;
      continue;
    }
    if (c == '"' || c == '\\') {
      json += '\\';
      json += static_cast<char>(c);
    } else if (c < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", c);
      json += escape;
    } else {
      json.append(text.substr(i, length));
    }
    i += length;
  }
  return json + "\"";
}

void WriteSurveyJson(std::ostream& out, const JsonDocument& document) {
  out << "{\n  \"version\": 1,\n  \"folders\": [";
  const char* separator = "\n";
  for (const JsonFolder& folder : document.folders) {
    out << separator << "    {\"caption\": " << JsonString(folder.caption) << ", \"location\": ";
    if (folder.location) {
      out << JsonString(*folder.location);
      WriteMeasure(out, folder);
    } else {
      out << "null, \"bytes\": null, \"size\": null, \"files\": null, \"directories\": null";
    }
    if (document.compareFile) {
      out << ", ";
      if (folder.change)
        WriteChange(out, *folder.change);
      else
        out << "\"change\": null";
    }
    out << "}";
    separator = ",\n";
  }
  out << "\n  ],\n";
  WriteSummary(out, document);
}

void WriteSizeJson(std::ostream& out, const JsonDocument& document) {
  out << "{\n  \"version\": 1,\n  \"directories\": [";
  const char* separator = "\n";
  for (const JsonFolder& folder : document.folders) {
    out << separator << "    {\"path\": " << JsonString(folder.location.value_or(""));
    WriteMeasure(out, folder);
    out << "}";
    separator = ",\n";
  }
  out << "\n  ],\n";
  WriteSummary(out, document);
}

void WriteListJson(std::ostream& out, const std::vector<JsonFolder>& folders) {
  out << "{\n  \"version\": 1,\n  \"folders\": [";
  const char* separator = "\n";
  for (const JsonFolder& folder : folders) {
    out << separator << "    {\"caption\": " << JsonString(folder.caption)
        << ", \"location\": " << (folder.location ? JsonString(*folder.location) : "null") << "}";
    separator = ",\n";
  }
  out << "\n  ]\n}\n";
}

}  // namespace tarnwick::cli
