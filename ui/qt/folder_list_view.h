// The list view of the folders: report style with grid lines and check boxes, whole rows
// selected, one at most, nothing edited or sorted, columns re-divided whenever its width changes.
#pragma once

#include <QTableView>

namespace tarnwick::ui {

class FolderListView : public QTableView {
  Q_OBJECT

 public:
  explicit FolderListView(QWidget* parent = nullptr);

  // The three columns share the client width; "Folder" also takes what the division leaves.
  void divideColumns();

 signals:
  // A double-click anywhere in the list, on a row or not.
  void listDoubleClicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int dividedWidth_ = -1;
};

}  // namespace tarnwick::ui
