// The picture of the program's balloons and the image list `il1` that holds it.
#pragma once

#include <QPixmap>

#include "ui/qt/image_list.h"

namespace tarnwick::ui {

// The balloon picture drawn at 32 by 32 pixels.
QPixmap BalloonIconPicture();

// The image list of 32 by 32 pictures with the balloon picture as picture 0.
ImageList* MakeBalloonImageList(QObject* parent);

}  // namespace tarnwick::ui
