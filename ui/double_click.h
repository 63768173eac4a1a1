// Which folder a double-click on the list opens: the selected row's first location, when the
// row is ticked and the survey has written it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "core/folder_list.h"
#include "platform/platform.h"
#include "ui/launcher.h"

namespace tarnwick::ui {

// The location a double-click would open, or nothing: no row selected, the row not ticked, or
// the row not surveyed. A row holding entries counts as surveyed even when its first is empty.
std::optional<std::string> DoubleClickTarget(const std::vector<FolderRow>& rows,
                                             std::optional<std::size_t> selectedRow);

// The list's double-click: hands the target to the launcher, provided it is still a directory;
// a folder replaced by a file or a program since the survey would otherwise be opened or run.
// The rows and the status line stay as they are.
void OpenDoubleClickedFolder(const std::vector<FolderRow>& rows,
                             std::optional<std::size_t> selectedRow, platform::Platform& platform,
                             Launcher& launcher);

}  // namespace tarnwick::ui
