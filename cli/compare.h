// survey --compare: an earlier survey, read from its JSON document or its CSV report, and the
// change of each folder and of the total since.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "platform/platform.h"

namespace tarnwick::cli {

struct EarlierFolder {
  std::optional<std::string> location;  // nothing when the folder was not found then
  std::uint64_t bytes = 0;
  std::uint64_t margin = 0;  // how far `bytes` may lie from the count measured then
};

struct EarlierSurvey {
  std::map<std::string, EarlierFolder, std::less<>> folders;  // by caption
  std::uint64_t totalBytes = 0;
  std::uint64_t totalMargin = 0;
  bool fromReport = false;  // sizes read back from size texts, so the changes are approximate
  bool diskUsage = false;
  bool countLinksOnce = false;
};

// The earlier survey in `text`, or the message that says why it is neither a survey --json
// document nor a report.
std::variant<EarlierSurvey, std::string> ReadEarlierSurvey(const platform::Platform& platform,
                                                           std::string_view text);

enum class ChangeState { Changed, New, Gone, Moved };

struct FolderChange {
  ChangeState state = ChangeState::Changed;
  std::int64_t bytes = 0;  // now less then; 0 when it is within what the earlier text can tell
  std::string text;        // "+1.5 GB", "-340 KB", "0 bytes", "new", "gone", "moved"
};

// The change of a folder asked for now, found (`location`) or not; nothing when it was found
// neither now nor then.
std::optional<FolderChange> CompareFolder(const EarlierSurvey& earlier, std::string_view caption,
                                          const std::optional<std::string>& location,
                                          std::uint64_t bytes, char decimalSeparator);
FolderChange CompareTotal(const EarlierSurvey& earlier, std::uint64_t bytes, char decimalSeparator);

std::string_view ChangeStateName(ChangeState state);  // "changed", "new", "gone", "moved"

}  // namespace tarnwick::cli
