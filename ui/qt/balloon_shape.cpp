#include "ui/qt/balloon_shape.h"

#include <QPolygon>

namespace tarnwick::ui {

BalloonShape ShapeOf(const BalloonLayout& placed) {
  BalloonShape shape;
  shape.body = placed.bodyArea;
  const BalloonRect& s = placed.stemArea;
  const bool left = IsLeft(placed.placement);
  const int side = left ? s.right : s.left;  // x of the vertical side
  const int other = left ? s.left : s.right;
  if (IsDownward(placed.placement)) {
    shape.tip = {side, s.top};
    shape.stem = {shape.tip, BalloonPoint{side, s.bottom}, BalloonPoint{other, s.bottom}};
  } else {
    shape.tip = {side, s.bottom};
    shape.stem = {BalloonPoint{other, s.top}, BalloonPoint{side, s.top}, shape.tip};
  }
  return shape;
}

QRegion BalloonRegion(const BalloonShape& shape) {
  const BalloonRect& b = shape.body;
  const int d = shape.cornerDiameter;
  const int r = d / 2;
  QRegion body;
  if (b.width() > d && b.height() > d) {
    body += QRect(b.left + r, b.top, b.width() - 2 * r, b.height());
    body += QRect(b.left, b.top + r, b.width(), b.height() - 2 * r);
    for (const QPoint corner : {QPoint(b.left, b.top), QPoint(b.right - d, b.top),
                                QPoint(b.left, b.bottom - d), QPoint(b.right - d, b.bottom - d)}) {
      body += QRegion(QRect(corner, QSize(d, d)), QRegion::Ellipse);
    }
  } else {
    body = QRect(b.left, b.top, b.width(), b.height());
  }
  QPolygon stem;
  for (const BalloonPoint& p : shape.stem) stem << QPoint(p.x, p.y);
  return body.united(QRegion(stem));
}

QRegion BalloonOutline(const QRegion& region) {
  const QRegion inner = region.translated(1, 0) & region.translated(-1, 0) &
                        region.translated(0, 1) & region.translated(0, -1);
  return region - inner;
}

}  // namespace tarnwick::ui
