#include "ui/qt/balloon_icon.h"

#include <QPainter>
#include <QSvgRenderer>

// Resources of a static library are linked in only when something names them.
static void InitBalloonResources() { Q_INIT_RESOURCE(balloon); }

namespace tarnwick::ui {

QPixmap BalloonIconPicture() {
  InitBalloonResources();
  QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QSvgRenderer renderer(QStringLiteral(":/balloon/balloon_icon.svg"));
  QPainter painter(&image);
  renderer.render(&painter, QRectF(0, 0, 32, 32));
  painter.end();
  return QPixmap::fromImage(image);
}

ImageList* MakeBalloonImageList(QObject* parent) {
  auto* list = new ImageList(QSize(32, 32), parent);
  list->setObjectName("il1");
  list->add(BalloonIconPicture());
  return list;
}

}  // namespace tarnwick::ui
