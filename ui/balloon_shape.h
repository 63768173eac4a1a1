// The outline of a placed balloon: a rounded body and a right-angled stem pointing at the hint
// point, as corner points and as the pixels the window is cut to.
#pragma once

#include <array>
#include <vector>

#include "ui/balloon_layout.h"
#include "ui/geometry.h"

namespace tarnwick::ui {

struct BalloonShape {
  Rect body;
  int cornerDiameter = 11;
  // The stem's corners; the first or last is the tip, the far end of its vertical side.
  std::array<Point, 3> stem;
  Point tip;
};

// The shape of a balloon whose inside is arranged for its final placement.
BalloonShape ShapeOf(const BalloonLayout& placed);

// A set of pixels as runs one pixel high, row by row from the top, left to right within a row;
// a window shell turns it into its system's region.
struct PixelRegion {
  std::vector<Rect> runs;

  bool contains(Point p) const;
  Rect bounds() const;
};

// The window's region: the rounded body united with the stem triangle. A pixel belongs to it when
// its centre lies inside the shape.
PixelRegion BalloonRegion(const BalloonShape& shape);

// The pixels of the region that touch its outside: the one-pixel frame drawn around a balloon.
PixelRegion BalloonOutline(const PixelRegion& region);

}  // namespace tarnwick::ui
