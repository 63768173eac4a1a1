// Records and closes every message box that opens while it lives, so that a test can click a
// command that shows one and count what appeared.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <vector>

namespace tarnwick::ui::testing {

class MessageBoxWatch {
 public:
  MessageBoxWatch() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (!box || !box->isVisible()) continue;
        texts_.push_back(box->text());
        titles_.push_back(box->windowTitle());
        icons_.push_back(box->icon());
        box->done(QMessageBox::Ok);
      }
    });
    timer_.start(20);
  }
  const std::vector<QString>& texts() const { return texts_; }
  const std::vector<QString>& titles() const { return titles_; }
  const std::vector<QMessageBox::Icon>& icons() const { return icons_; }

 private:
  QTimer timer_;
  std::vector<QString> texts_, titles_;
  std::vector<QMessageBox::Icon> icons_;
};

}  // namespace tarnwick::ui::testing
