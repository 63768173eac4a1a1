#include "ui/win32/folder_list_view.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "ui/main_window_layout.h"
#include "ui/win32/checked.h"

namespace tarnwick::ui::win32 {

namespace {

enum Column { FolderColumn, LocationColumn, SizeColumn, ColumnCount };

void SetText(HWND list, std::size_t index, int column, const std::string& text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = const_cast<char*>(text.c_str());
  SendMessageA(list, LVM_SETITEMTEXTA, index, reinterpret_cast<LPARAM>(&item));
}

// State image 1 is the empty box, 2 the ticked one.
constexpr UINT CheckStateImage(bool checked) { return INDEXTOSTATEIMAGEMASK(checked ? 2 : 1); }

}  // namespace

std::optional<bool> CheckChangeOf(const NMLISTVIEW& change) {
  if (!(change.uChanged & LVIF_STATE)) return std::nullopt;
  const UINT now = change.uNewState & LVIS_STATEIMAGEMASK;
  if (now == 0 || now == (change.uOldState & LVIS_STATEIMAGEMASK)) return std::nullopt;
  return now == CheckStateImage(true);
}

FolderListView::FolderListView(HWND parent, int id, HFONT font) {
  // No LVS_SHOWSELALWAYS: the highlight shows only while the list has the focus. No sorting
  // style and no label editing; the header stays clickable and sorts nothing.
  hwnd_ = Checked(CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                                  WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL,
                                  0, 0, 0, 0, parent, reinterpret_cast<HMENU>(INT_PTR(id)),
                                  GetModuleHandleA(nullptr), nullptr),
                  "Creating the folder list");
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  const DWORD extended =
      LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER;
  SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  for (int column = 0; column < ColumnCount; ++column) {
    LVCOLUMNA header{};
    header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
    header.fmt = LVCFMT_LEFT;
    header.cx = 100;
    header.pszText = const_cast<char*>(ListColumns[static_cast<std::size_t>(column)]);
    header.iSubItem = column;
    if (SendMessageA(hwnd_, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&header)) < 0)
      ThrowLastError("Adding a column to the folder list");
  }
}

void FolderListView::createRows(const std::vector<FolderRow>& rows) {
  for (std::size_t index = 0; index < rows.size(); ++index) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(index);
    item.pszText = const_cast<char*>(rows[index].Caption.c_str());
    if (SendMessageA(hwnd_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)) < 0)
      ThrowLastError("Adding a row to the folder list");
    showRow(index, ShownRowOf(rows[index]));
  }
}

void FolderListView::showRow(std::size_t index, const ShownRow& row) {
  LVITEMA state{};
  state.stateMask = LVIS_STATEIMAGEMASK;
  state.state = CheckStateImage(row.checked);
  SendMessageA(hwnd_, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(&state));
  SetText(hwnd_, index, LocationColumn, row.location);
  SetText(hwnd_, index, SizeColumn, row.size);
}

bool FolderListView::checked(std::size_t index) const {
  const auto state = SendMessageA(hwnd_, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK);
  return static_cast<UINT>(state) == CheckStateImage(true);
}

std::optional<std::size_t> FolderListView::selectedRow() const {
  const auto index = SendMessageA(hwnd_, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED);
  if (index < 0) return std::nullopt;
  return static_cast<std::size_t>(index);
}

void FolderListView::divideColumns() {
  RECT client{};
  GetClientRect(hwnd_, &client);
  const std::array<int, 3> widths = ColumnWidths(client.right - client.left);
  for (int column = 0; column < ColumnCount; ++column)
    SendMessageA(hwnd_, LVM_SETCOLUMNWIDTH, column, widths[static_cast<std::size_t>(column)]);
}

}  // namespace tarnwick::ui::win32
