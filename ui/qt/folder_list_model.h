// The folder list as the list view shows it: three columns over the core's rows, with the
// row's check box in the "Folder" column.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <cstddef>

#include "core/folder_list.h"
#include "ui/survey_runner.h"

namespace tarnwick::ui {

class FolderListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  FolderListModel(FolderList& list, QObject* parent = nullptr);
  // While a run lasts, the rows are read as `runner` shows them, and ticks are refused.
  void setRunner(const SurveyRunner* runner) { runner_ = runner; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  // Fills the list with the catalogue's rows.
  void createBasicList();
  // Rows `first` to `last` changed: ticks set by a command, or values a run handed back.
  void rowsChanged(std::size_t first, std::size_t last);
  void rowsChanged();

 private:
  ShownRow shown(std::size_t row) const;
  bool running() const { return runner_ && runner_->running(); }

  FolderList& list_;
  const SurveyRunner* runner_ = nullptr;
};

}  // namespace tarnwick::ui
