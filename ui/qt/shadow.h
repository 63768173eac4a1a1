// The soft shadow of a caption: a mask of the text, an intensity map blurred over it, and the
// blend of the shadow colour into a picture by that map.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

namespace tarnwick::ui {

// The blurred intensities: (width + 2) x (height + 2) bytes. The inner cells stand for the pixels
// of the mask; the ring of border cells stays 0 so that the blur never reads outside the map.
class ShadowMap {
 public:
  ShadowMap(int width, int height);

  int width() const { return width_; }
  int height() const { return height_; }

  // Cells by pixel position; -1 and width (or height) are the border.
  std::uint8_t at(int x, int y) const { return cells_[index(x, y)]; }
  std::uint8_t& at(int x, int y) { return cells_[index(x, y)]; }

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y + 1) * static_cast<std::size_t>(width_ + 2) +
           static_cast<std::size_t>(x + 1);
  }

  int width_;
  int height_;
  std::vector<std::uint8_t> cells_;
};

// Blurs the mask `blurCount` times. Each pass first sets every cell whose mask pixel has a
// non-zero blue channel to 255, then replaces the inner cells row by row, top to bottom and left
// to right, by (above + below + left + right) >> 2. A pass reads the cells it has already
// replaced, which is what makes the shadow trail towards the lower right.
ShadowMap BlurShadowMask(const QImage& mask, int blurCount);

// Blends `shadow` into every pixel of `picture` by the map value a of that pixel:
// channel = (channel * (255 - a) + shadow channel * a) >> 8. The map must match the picture's
// size; the picture ends up in 32-bit RGB.
void ComposeShadow(QImage& picture, const ShadowMap& map, QColor shadow);

// The mask of a caption: `size` pixels of black with `text` drawn in white in `font` with the
// alignment `flags`, moved right and down by `distance` pixels.
QImage ShadowMask(QSize size, const QFont& font, const QString& text, int flags, int distance);

}  // namespace tarnwick::ui
