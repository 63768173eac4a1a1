#include "ui/qt/folder_list_model.h"

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

FolderListModel::ShownRow FolderListModel::shown(std::size_t row) const {
  if (running_ && row >= handedBack_) return before_[row];
  const FolderRow& r = list_.rows()[row];
  ShownRow result;
  result.checked = r.Checked;
  if (!r.SubItems.empty()) result.location = ToQString(r.SubItems[0]);
  if (r.SubItems.size() > 1) result.size = ToQString(r.SubItems[1]);
  return result;
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
        return shown(row).location;
      case SizeColumn:
        return shown(row).size;
    }
  }
  if (role == Qt::CheckStateRole && index.column() == FolderColumn)
    return shown(row).checked ? Qt::Checked : Qt::Unchecked;
  return {};
}

QVariant FolderListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return {};
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
  if (role != Qt::DisplayRole) return {};
  switch (section) {
    case FolderColumn:
      return QStringLiteral("Folder");
    case LocationColumn:
      return QStringLiteral("Location");
    case SizeColumn:
      return QStringLiteral("Size");
  }
  return {};
}

Qt::ItemFlags FolderListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == FolderColumn) flags |= Qt::ItemIsUserCheckable;
  return flags;
}

bool FolderListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (running_ || !index.isValid() || role != Qt::CheckStateRole) return false;
  FolderRow& row = list_.rows()[static_cast<std::size_t>(index.row())];
  row.Checked = value.toInt() == Qt::Checked;
  const QModelIndex first = this->index(index.row(), FolderColumn);
  emit dataChanged(first, first, {Qt::CheckStateRole});
  return true;
}

void FolderListModel::beginRun() {
  before_.clear();
  handedBack_ = 0;
  for (std::size_t row = 0; row < list_.rows().size(); ++row) before_.push_back(shown(row));
  running_ = true;
}

void FolderListModel::rowsHandedBack(std::size_t row) {
  if (!running_ || row + 1 <= handedBack_) return;
  const std::size_t first = handedBack_;
  handedBack_ = row + 1;
  emit dataChanged(index(static_cast<int>(first), 0),
                   index(static_cast<int>(row), ColumnCount - 1));
}

void FolderListModel::endRun() {
  running_ = false;
  before_.clear();
  rowsChanged();
}

void FolderListModel::createBasicList() {
  beginResetModel();
  list_.CreateBasicList();
  endResetModel();
}

void FolderListModel::rowsChanged() {
  if (list_.rows().empty()) return;
  emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

}  // namespace tarnwick::ui
