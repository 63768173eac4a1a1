#include "ui/balloon_shape.h"

#include <algorithm>
#include <cstddef>

namespace tarnwick::ui {

namespace {

// One flag per pixel of a rectangle, from which the runs of a region are read.
class PixelMask {
 public:
  explicit PixelMask(const Rect& area)
      : area_(area),
        bits_(static_cast<std::size_t>(std::max(area.width(), 0)) *
                  static_cast<std::size_t>(std::max(area.height(), 0)),
              false) {}

  bool at(int x, int y) const { return area_.contains({x, y}) && bits_[index(x, y)]; }
  void set(int x, int y) {
    if (area_.contains({x, y})) bits_[index(x, y)] = true;
  }
  const Rect& area() const { return area_; }

  PixelRegion runs() const {
    PixelRegion region;
    for (int y = area_.top; y < area_.bottom; ++y) {
      for (int x = area_.left; x < area_.right;) {
        if (!at(x, y)) {
          ++x;
          continue;
        }
        const int start = x;
        while (x < area_.right && at(x, y)) ++x;
        region.runs.push_back({start, y, x, y + 1});
      }
    }
    return region;
  }

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y - area_.top) * static_cast<std::size_t>(area_.width()) +
           static_cast<std::size_t>(x - area_.left);
  }

  Rect area_;
  std::vector<bool> bits_;
};

// Whether the centre of pixel (x, y) lies in the ellipse that fills the d by d box at `box`.
bool InEllipse(Point box, int d, int x, int y) {
  const long dx = 2L * (x - box.x) + 1 - d;
  const long dy = 2L * (y - box.y) + 1 - d;
  return dx * dx + dy * dy <= static_cast<long>(d) * d;
}

bool InRoundedBody(const Rect& b, int d, int x, int y) {
  if (!b.contains({x, y})) return false;
  const int r = d / 2;
  if (b.width() <= d || b.height() <= d) return true;
  const bool left = x < b.left + r;
  const bool right = x >= b.right - r;
  const bool top = y < b.top + r;
  const bool bottom = y >= b.bottom - r;
  if (!(left || right) || !(top || bottom)) return true;
  const Point box{left ? b.left : b.right - d, top ? b.top : b.bottom - d};
  return InEllipse(box, d, x, y);
}

// Whether the centre of pixel (x, y) lies in the right triangle whose right angle is at `corner`,
// whose vertical side ends at `tip` and whose horizontal side ends at `base`.
bool InStem(Point tip, Point corner, Point base, int x, int y) {
  const double cx = x + 0.5;
  const double cy = y + 0.5;
  const double height = corner.y - tip.y;  // signed: negative when the tip lies below
  if (height == 0 || base.x == corner.x) return false;
  const double t = (cy - tip.y) / height;  // 0 at the tip, 1 at the horizontal side
  if (t < 0 || t > 1) return false;
  const double edge = corner.x + (base.x - corner.x) * t;
  return std::min<double>(corner.x, edge) <= cx && cx <= std::max<double>(corner.x, edge);
}

}  // namespace

BalloonShape ShapeOf(const BalloonLayout& placed) {
  BalloonShape shape;
  shape.body = placed.bodyArea;
  const Rect& s = placed.stemArea;
  const bool left = IsLeft(placed.placement);
  const int side = left ? s.right : s.left;  // x of the vertical side
  const int other = left ? s.left : s.right;
  if (IsDownward(placed.placement)) {
    shape.tip = {side, s.top};
    shape.stem = {shape.tip, Point{side, s.bottom}, Point{other, s.bottom}};
  } else {
    shape.tip = {side, s.bottom};
    shape.stem = {Point{other, s.top}, Point{side, s.top}, shape.tip};
  }
  return shape;
}

bool PixelRegion::contains(Point p) const {
  return std::any_of(runs.begin(), runs.end(), [p](const Rect& run) { return run.contains(p); });
}

Rect PixelRegion::bounds() const {
  Rect all;
  for (const Rect& run : runs) all = all.united(run);
  return all;
}

PixelRegion BalloonRegion(const BalloonShape& shape) {
  const Point tip = shape.tip;
  const Point corner = shape.stem[1];
  const Point base = shape.stem[0] == tip ? shape.stem[2] : shape.stem[0];
  const Rect stemBox{std::min(corner.x, base.x), std::min(tip.y, corner.y),
                     std::max(corner.x, base.x), std::max(tip.y, corner.y)};
  PixelMask mask(shape.body.united(stemBox));
  const Rect& area = mask.area();
  for (int y = area.top; y < area.bottom; ++y) {
    for (int x = area.left; x < area.right; ++x) {
      if (InRoundedBody(shape.body, shape.cornerDiameter, x, y) || InStem(tip, corner, base, x, y))
        mask.set(x, y);
    }
  }
  return mask.runs();
}

PixelRegion BalloonOutline(const PixelRegion& region) {
  const Rect bounds = region.bounds();
  PixelMask inside(bounds);
  for (const Rect& run : region.runs)
    for (int x = run.left; x < run.right; ++x) inside.set(x, run.top);
  PixelMask frame(bounds);
  for (int y = bounds.top; y < bounds.bottom; ++y) {
    for (int x = bounds.left; x < bounds.right; ++x) {
      if (inside.at(x, y) && !(inside.at(x - 1, y) && inside.at(x + 1, y) && inside.at(x, y - 1) &&
                               inside.at(x, y + 1)))
        frame.set(x, y);
    }
  }
  return frame.runs();
}

}  // namespace tarnwick::ui
