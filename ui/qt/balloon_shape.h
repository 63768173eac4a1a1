// The outline of a placed balloon: a rounded body and a right-angled stem pointing at the hint
// point, as plain corner points and as the region the window is cut to.
#pragma once

#include <QRegion>
#include <array>

#include "ui/qt/balloon_layout.h"

namespace tarnwick::ui {

struct BalloonShape {
  BalloonRect body;
  int cornerDiameter = 11;
  // The stem's corners; the first or last is the tip, the far end of its vertical side.
  std::array<BalloonPoint, 3> stem;
  BalloonPoint tip;
};

// The shape of a balloon whose inside is arranged for its final placement.
BalloonShape ShapeOf(const BalloonLayout& placed);

// The window's region: the rounded body united with the stem triangle.
QRegion BalloonRegion(const BalloonShape& shape);

// The pixels of the region that touch its outside: the one-pixel frame drawn around a balloon.
QRegion BalloonOutline(const QRegion& region);

}  // namespace tarnwick::ui
