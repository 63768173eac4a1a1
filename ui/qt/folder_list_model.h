// The folder list as the list view shows it: three columns over the core's rows, with the
// row's check box in the "Folder" column.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <cstddef>
#include <vector>

#include "core/folder_list.h"

namespace tarnwick::ui {

class FolderListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  FolderListModel(FolderList& list, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // A run on another thread is about to write the rows. Until it hands a row back, the view
  // shows that row as it was when the run began, so that painting never reads a row being
  // written; ticks are refused meanwhile.
  void beginRun();
  // The run is done with every row up to and including `row`.
  void rowsHandedBack(std::size_t row);
  void endRun();
  bool running() const { return running_; }

  // Fills the list with the catalogue's rows.
  void createBasicList();
  // The rows changed on this thread (ticks set or cleared by a command).
  void rowsChanged();

 private:
  struct ShownRow {
    bool checked = false;
    QString location, size;
  };
  ShownRow shown(std::size_t row) const;

  FolderList& list_;
  bool running_ = false;
  std::size_t handedBack_ = 0;  // rows below this index are read from the list again
  std::vector<ShownRow> before_;
};

}  // namespace tarnwick::ui
