#include "report/report_reader.h"

#include <algorithm>

#include "core/folder_catalogue.h"
#include "core/size_text.h"
#include "report/code_page.h"
#include "report/footer_text.h"

namespace tarnwick {

namespace {

constexpr char kQuote = '"';
constexpr char kDelimiter = ',';

// Reads one line of comma text from `text` at `at`, up to an end of line outside quotes; `at`
// then stands at the next line. Nothing when a quote is left open.
std::optional<std::vector<std::string>> ReadCommaLine(const platform::Platform& platform,
                                                      std::string_view text, std::size_t& at) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  bool fieldQuoted = false;
  while (at < text.size()) {
    const std::size_t length = CharacterLength(platform, text, at);
    const char c = length == 1 ? text[at] : '\0';
    if (quoted) {
      if (c == kQuote && at + 1 < text.size() && text[at + 1] == kQuote) {
        fields.back() += kQuote;
        at += 2;
        continue;
      }
      if (c == kQuote) {
        quoted = false;
      } else {
        fields.back().append(text.substr(at, length));
      }
      at += length;
      continue;
    }
    if (c == '\n' || (c == '\r' && at + 1 < text.size() && text[at + 1] == '\n')) {
      at += c == '\r' ? 2 : 1;
      return fields;
    }
    if (c == kDelimiter) {
      fields.emplace_back();
      fieldQuoted = false;
    } else if (c == kQuote && fields.back().empty() && !fieldQuoted) {
      quoted = fieldQuoted = true;
    } else {
      fields.back().append(text.substr(at, length));
    }
    at += length;
  }
  if (quoted) return std::nullopt;
  return fields;
}

// The plain line at `at`, without its end; `at` then stands at the next line.
std::string_view ReadPlainLine(std::string_view text, std::size_t& at) {
  const std::size_t end = std::min(text.find('\n', at), text.size());
  std::string_view line = text.substr(at, end - at);
  if (line.ends_with('\r')) line.remove_suffix(1);
  at = end < text.size() ? end + 1 : end;
  return line;
}

bool IsCatalogueCaption(std::string_view caption) {
  return std::any_of(FolderCatalogue.begin(), FolderCatalogue.end(),
                     [&](const CatalogueEntry& entry) { return entry.Caption == caption; });
}

}  // namespace

std::optional<ReportRead> ReadReportText(const platform::Platform& platform,
                                         std::string_view text) {
  ReportRead report;
  std::size_t at = 0;
  for (;;) {
    if (at >= text.size()) return std::nullopt;  // no footer
    std::size_t lineEnd = at;
    if (ReadPlainLine(text, lineEnd) == kFooterAsterisks) break;
    const auto fields = ReadCommaLine(platform, text, at);
    // Every row is a caption of the catalogue and then pairs of location and size.
    if (!fields || !IsCatalogueCaption(fields->front()) || fields->size() % 2 == 0)
      return std::nullopt;
    ReportRowRead row{fields->front(), std::nullopt, {}};
    if (fields->size() > 1) {
      row.location = (*fields)[fields->size() - 2];
      row.size = fields->back();
      if (!ReadSizeText(row.size)) return std::nullopt;
    }
    report.rows.push_back(std::move(row));
  }
  if (report.rows.empty()) return std::nullopt;
  ReadPlainLine(text, at);  // the asterisks
  // The footer is plain text: the total's own comma, if its separator is one, is part of it.
  if (!ReadPlainLine(text, at).starts_with(kComputerLine)) return std::nullopt;
  const std::string_view total = ReadPlainLine(text, at);
  if (!total.starts_with(kTotalLine)) return std::nullopt;
  report.totalSize = total.substr(kTotalLine.size());
  if (!ReadSizeText(report.totalSize)) return std::nullopt;
  if (!ReadPlainLine(text, at).starts_with(kGeneratedLine)) return std::nullopt;
  return report;
}

}  // namespace tarnwick
