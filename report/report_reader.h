// A report read back, to compare a survey with an earlier one: the rows' last values and the
// footer's total, as the text holds them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace tarnwick {

struct ReportRowRead {
  std::string caption;
  // The last location and size text of the row (those of the latest survey), when it has any.
  std::optional<std::string> location;
  std::string size;
};

struct ReportRead {
  std::vector<ReportRowRead> rows;
  std::string totalSize;  // the footer's size text
};

// Nothing when the text is not a report: rows of known captions with location and size pairs,
// then the footer's asterisks, computer, total and date lines. Lines may end in CR LF or LF.
std::optional<ReportRead> ReadReportText(const platform::Platform& platform, std::string_view text);

}  // namespace tarnwick
