#include "ui/double_click.h"

namespace tarnwick::ui {

std::optional<std::string> DoubleClickTarget(const std::vector<FolderRow>& rows,
                                             std::optional<std::size_t> selectedRow) {
  if (!selectedRow || *selectedRow >= rows.size()) return std::nullopt;
  const FolderRow& row = rows[*selectedRow];
  if (!row.Checked || row.SubItems.empty()) return std::nullopt;
  return row.SubItems.front();
}

void OpenDoubleClickedFolder(const std::vector<FolderRow>& rows,
                             std::optional<std::size_t> selectedRow, platform::Platform& platform,
                             Launcher& launcher) {
  const std::optional<std::string> target = DoubleClickTarget(rows, selectedRow);
  if (!target || !platform.directoryExists(*target)) return;
  launcher.FileName = *target;
  launcher.OpenWithShell();  // a launch the shell refuses shows nothing
}

}  // namespace tarnwick::ui
