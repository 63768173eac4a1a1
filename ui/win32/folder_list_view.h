// The list view lv1 over the folder list: report view with check boxes, grid lines and
// full-row selection, three columns, one item per FolderRow. The view keeps its own copy of what
// it shows, so a row a survey's thread is writing is never read until the run hands it back.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <cstddef>
#include <optional>
#include <vector>

#include "core/folder_list.h"
#include "ui/survey_runner.h"

namespace tarnwick::ui::win32 {

class FolderListView {
 public:
  FolderListView(HWND parent, int id, HFONT font);

  HWND hwnd() const { return hwnd_; }

  // Adds one item per row, showing each as it is.
  void createRows(const std::vector<FolderRow>& rows);
  // Shows the row's check box, its first location and its first size text.
  void showRow(std::size_t index, const ShownRow& row);

  bool checked(std::size_t index) const;
  std::optional<std::size_t> selectedRow() const;

  // Shares the list's client width among the three columns, the remainder to "Folder".
  void divideColumns();

 private:
  HWND hwnd_ = nullptr;
};

// The check box state carried by an LVN_ITEMCHANGING or LVN_ITEMCHANGED notification, if the
// notification changes it.
std::optional<bool> CheckChangeOf(const NMLISTVIEW& change);

}  // namespace tarnwick::ui::win32
