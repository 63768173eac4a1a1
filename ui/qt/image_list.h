// A list of pictures of one size, as the balloon hint component takes its icon from.
#pragma once

#include <QList>
#include <QObject>
#include <QPixmap>
#include <QSize>

namespace tarnwick::ui {

class ImageList : public QObject {
  Q_OBJECT
 public:
  explicit ImageList(QSize pictureSize, QObject* parent = nullptr)
      : QObject(parent), size_(pictureSize) {}

  QSize pictureSize() const { return size_; }
  int count() const { return static_cast<int>(pictures_.size()); }
  // Adds a picture, scaled to the list's size where it has another; returns its index.
  int add(const QPixmap& picture);
  // The picture at the index, or a null pixmap outside the list.
  QPixmap picture(int index) const;

 private:
  QSize size_;
  QList<QPixmap> pictures_;
};

}  // namespace tarnwick::ui
