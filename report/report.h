// The CSV report beside the program: the row section, written with its backup first, and the
// six-line footer.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "core/folder_list.h"
#include "core/regional_settings.h"
#include "core/system_folders.h"
#include "platform/platform.h"

namespace tarnwick {

// A file failure of the report, carrying the system's error code; what() is the fixed message
// of its code ("File not found", "Disk full", "I/O error 32"), without a full stop.
class IoFailure : public std::runtime_error {
 public:
  explicit IoFailure(int code);
  int code() const { return code_; }

 private:
  int code_;
};

std::string IoErrorMessage(int code);

// The message as the default failure handler shows it: a "." is appended when the message is
// not empty and its last character sorts after ".".
std::string WithFullStop(const std::string& message);

// Replaces the extension of `path` by `extension` (".csv"), or appends it when there is none.
std::string ChangeExtension(platform::Platform& platform, const std::string& path,
                            const std::string& extension);

// One line of comma text: fields joined by commas, each quoted where the quoting rule says.
std::string CommaText(platform::Platform& platform, const std::vector<std::string>& fields);

// The date and time of footer line 4.
std::string DateTimeText(const platform::LocalTime& time, const RegionalSettings& settings);

// The credit line of the footer and the project's web address, shared with the About window.
extern const char* const ProjectWebAddress;
extern const char* const ProjectWebHost;
std::string CreditLine();

// Moves the previous report to the backup and writes the row section. Never fails outward; the
// result is 0 when the whole section was written, else the code of the failure.
int WriteReportRows(platform::Platform& platform, const std::string& reportPath,
                    const std::vector<FolderRow>& rows);

// The whole export to `reportPath` (the backup beside it). Sets the status line through
// `list.setStatus` and throws IoFailure from the footer stage.
void ExportReportTo(platform::Platform& platform, const std::string& reportPath, FolderList& list,
                    ComputerInfo& computerInfo);

// The export beside the program, as "Export" runs it.
void ExportReport(platform::Platform& platform, FolderList& list, ComputerInfo& computerInfo);

}  // namespace tarnwick
