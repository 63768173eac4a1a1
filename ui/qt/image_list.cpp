#include "ui/qt/image_list.h"

namespace tarnwick::ui {

int ImageList::add(const QPixmap& picture) {
  pictures_.append(picture.size() == size_
                       ? picture
                       : picture.scaled(size_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  return count() - 1;
}

QPixmap ImageList::picture(int index) const {
  if (index < 0 || index >= count()) return {};
  return pictures_[index];
}

}  // namespace tarnwick::ui
