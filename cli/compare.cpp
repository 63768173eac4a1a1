#include "cli/compare.h"

#include "cli/json_reader.h"
#include "core/size_text.h"
#include "report/report_reader.h"

namespace tarnwick::cli {

namespace {

const std::string kNeither = "is neither a \"survey --json\" document nor a Tarnwick report";

std::variant<EarlierSurvey, std::string> FromJson(std::string_view text) {
  const std::optional<JsonValue> document = ParseJson(text);
  if (!document) return "is not well-formed JSON, so " + kNeither;
  const JsonValue* version = document->member("version");
  const JsonValue* folders = document->member("folders");
  if (document->member("directories") && !folders)
    return "is a \"size --json\" document; compare with a \"survey --json\" one";
  if (!version || !version->count() || !folders || folders->kind != JsonValue::Kind::Array)
    return kNeither;
  if (*version->count() != 1)
    return "was written by a later Tarnwick (JSON version " + version->text + ")";
  EarlierSurvey earlier;
  const auto flag = [&](std::string_view name) {
    const JsonValue* value = document->member(name);
    return value && value->kind == JsonValue::Kind::Boolean && value->boolean;
  };
  earlier.diskUsage = flag("disk_usage");
  earlier.countLinksOnce = flag("count_links_once");
  for (const JsonValue& folder : folders->items) {
    const JsonValue* caption = folder.member("caption");
    const JsonValue* location = folder.member("location");
    const JsonValue* bytes = folder.member("bytes");
    if (!caption || caption->kind != JsonValue::Kind::String || !location || !bytes)
      return kNeither;
    EarlierFolder& entry = earlier.folders[caption->text];
    if (location->kind == JsonValue::Kind::Null) continue;
    if (location->kind != JsonValue::Kind::String || !bytes->count()) return kNeither;
    entry.location = location->text;
    entry.bytes = *bytes->count();
  }
  const JsonValue* total = document->member("total");
  const JsonValue* totalBytes = total ? total->member("bytes") : nullptr;
  if (!totalBytes || !totalBytes->count()) return kNeither;
  earlier.totalBytes = *totalBytes->count();
  return earlier;
}

std::variant<EarlierSurvey, std::string> FromReport(const platform::Platform& platform,
                                                    std::string_view text) {
  const std::optional<ReportRead> report = ReadReportText(platform, text);
  if (!report) return kNeither;
  EarlierSurvey earlier;
  earlier.fromReport = true;
  for (const ReportRowRead& row : report->rows) {
    EarlierFolder& entry = earlier.folders[row.caption];
    if (!row.location) continue;
    const SizeFromText size = *ReadSizeText(row.size);  // the reader checked every size text
    entry = {row.location, size.bytes, size.margin};
  }
  const SizeFromText total = *ReadSizeText(report->totalSize);
  earlier.totalBytes = total.bytes;
  earlier.totalMargin = total.margin;
  return earlier;
}

FolderChange Difference(std::uint64_t now, std::uint64_t then, std::uint64_t margin,
                        char decimalSeparator) {
  const std::uint64_t distance = now >= then ? now - then : then - now;
  FolderChange change;
  if (distance <= margin) {
    change.text = SizeToText(0, decimalSeparator);
    return change;
  }
  change.bytes =
      now >= then ? static_cast<std::int64_t>(distance) : -static_cast<std::int64_t>(distance);
  // The sign goes in as a character: GCC 12 at -O3 reports a false overlap (-Wrestrict) when a
  // one-character literal is copied here.
  change.text.push_back(now >= then ? '+' : '-');
  change.text += SizeToText(static_cast<std::int64_t>(distance), decimalSeparator);
  return change;
}

}  // namespace

std::variant<EarlierSurvey, std::string> ReadEarlierSurvey(const platform::Platform& platform,
                                                           std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return "is empty, so " + kNeither;
  if (text[first] == '{') return FromJson(text);
  return FromReport(platform, text);
}

std::optional<FolderChange> CompareFolder(const EarlierSurvey& earlier, std::string_view caption,
                                          const std::optional<std::string>& location,
                                          std::uint64_t bytes, char decimalSeparator) {
  const auto found = earlier.folders.find(caption);
  const EarlierFolder* then =
      found != earlier.folders.end() && found->second.location ? &found->second : nullptr;
  if (!location && !then) return std::nullopt;
  if (!then) return FolderChange{ChangeState::New, 0, "new"};
  if (!location) return FolderChange{ChangeState::Gone, 0, "gone"};
  FolderChange change = Difference(bytes, then->bytes, then->margin, decimalSeparator);
  if (*location != *then->location) {
    change.state = ChangeState::Moved;
    change.text = "moved";
  }
  return change;
}

FolderChange CompareTotal(const EarlierSurvey& earlier, std::uint64_t bytes,
                          char decimalSeparator) {
  return Difference(bytes, earlier.totalBytes, earlier.totalMargin, decimalSeparator);
}

std::string_view ChangeStateName(ChangeState state) {
  switch (state) {
    case ChangeState::Changed:
      return "changed";
    case ChangeState::New:
      return "new";
    case ChangeState::Gone:
      return "gone";
    case ChangeState::Moved:
      return "moved";
  }
  return "changed";
}

}  // namespace tarnwick::cli
