// Where the report and its backup lie: beside the program, named after its file.
#pragma once

#include <string>

#include "platform/platform.h"

namespace tarnwick {

// Replaces the extension of `path` by `extension` (".csv"), or appends it when there is none. The
// extension starts at the last ".", unless a path delimiter or ":" comes after it.
std::string ChangeExtension(const platform::Platform& platform, const std::string& path,
                            const std::string& extension);

// The report beside the program: its own file with the extension ".csv".
std::string ReportPath(platform::Platform& platform);

// The backup of a report: the same path with the extension ".bak".
std::string BackupPath(const platform::Platform& platform, const std::string& reportPath);

}  // namespace tarnwick
