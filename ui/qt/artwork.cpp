#include "ui/qt/artwork.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// Resources built into a static library are only linked when something names them.
static void InitMainWindowResources() { Q_INIT_RESOURCE(main_window); }

namespace tarnwick::ui {

std::unique_ptr<QSvgRenderer> LoadPicture(const QString& name) {
  InitMainWindowResources();
  return std::make_unique<QSvgRenderer>(QStringLiteral(":/main_window/") + name);
}

QIcon ProgramIcon() {
  auto renderer = LoadPicture(QStringLiteral("tarnwick.svg"));
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer->render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace tarnwick::ui
