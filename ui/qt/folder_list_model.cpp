#include "ui/qt/folder_list_model.h"

#include "ui/main_window_layout.h"
#include "ui/qt/text.h"

namespace tarnwick::ui {

namespace {

enum Column { FolderColumn, LocationColumn, SizeColumn, ColumnCount };

}  // namespace

FolderListModel::FolderListModel(FolderList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

int FolderListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(list_.rows().size());
}

int FolderListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

ShownRow FolderListModel::shown(std::size_t row) const {
  return runner_ ? runner_->shownRow(row) : ShownRowOf(list_.rows()[row]);
}

QVariant FolderListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  if (role == Qt::DisplayRole) {
    switch (index.column()) {
      case FolderColumn:
        // The caption never changes after the list is made, so it is safe to read at any time.
        return ToQString(list_.rows()[row].Caption);
      case LocationColumn:
        return ToQString(shown(row).location);
      case SizeColumn:
        return ToQString(shown(row).size);
    }
  }
  if (role == Qt::CheckStateRole && index.column() == FolderColumn)
    return shown(row).checked ? Qt::Checked : Qt::Unchecked;
  return {};
}

QVariant FolderListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  if (role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
  return QString::fromLatin1(ListColumns[static_cast<std::size_t>(section)]);
}

Qt::ItemFlags FolderListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == FolderColumn) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

bool FolderListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (running() || !index.isValid() || role != Qt::CheckStateRole) return false;
  FolderRow& row = list_.rows()[static_cast<std::size_t>(index.row())];
  row.Checked = value.toInt() == Qt::Checked;
  const QModelIndex first = this->index(index.row(), FolderColumn);
  emit dataChanged(first, first, {Qt::CheckStateRole});
  return true;
}

void FolderListModel::createBasicList() {
  beginResetModel();
  list_.CreateBasicList();
  endResetModel();
}

void FolderListModel::rowsChanged(std::size_t first, std::size_t last) {
  emit dataChanged(index(static_cast<int>(first), 0),
                   index(static_cast<int>(last), ColumnCount - 1));
}

void FolderListModel::rowsChanged() {
  if (!list_.rows().empty()) rowsChanged(0, list_.rows().size() - 1);
}

}  // namespace tarnwick::ui
