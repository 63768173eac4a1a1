// The CSV report beside the program: the row section, written after the previous report is moved
// to the backup, and the six-line footer.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/folder_list.h"
#include "core/regional_settings.h"
#include "core/system_folders.h"
#include "platform/platform.h"
#include "report/comma_text.h"
#include "report/credit_line.h"
#include "report/date_time_text.h"
#include "report/io_failure.h"
#include "report/report_path.h"

namespace tarnwick {

// The lines of the row section, each followed by CR LF: one line per row, its caption and then
// every text of its sub-items, as comma text.
std::string ReportRowSection(const platform::Platform& platform,
                             const std::vector<FolderRow>& rows);

// Moves the previous report to the backup and writes the row section with one write. Never fails
// outward; the result is 0 when the whole section was written, else the code of the failure.
platform::FileErrorCode WriteReportRows(platform::Platform& platform, const std::string& reportPath,
                                        const std::vector<FolderRow>& rows);

// What one export writes, each value read at the moment the export needs it.
struct ReportSubject {
  const std::vector<FolderRow>& rows;
  std::uint64_t totalSize = 0;
  const RegionalSettings& settings;
  std::function<std::string()> computerName;               // asked for footer line 2
  std::function<void(const std::string& text)> setStatus;  // the status line
};

// The whole export to `reportPath`, its backup beside it. Throws IoFailure from the footer stage,
// and the rows stage's failure when the new row section was not written whole.
void ExportReportTo(platform::Platform& platform, const std::string& reportPath,
                    const ReportSubject& subject);
void ExportReportTo(platform::Platform& platform, const std::string& reportPath, FolderList& list,
                    ComputerInfo& computerInfo);

// The export beside the program, as "Export" runs it.
void ExportReport(platform::Platform& platform, FolderList& list, ComputerInfo& computerInfo);

}  // namespace tarnwick
