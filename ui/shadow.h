// The soft shadow of a caption: an intensity map blurred over a mask of the text, and the blend
// of the shadow colour into a picture by that map, on plain 32-bit pictures that either window
// draws its text into and puts on the screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarnwick::ui {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Pixels as 32-bit values 0xAARRGGBB, rows from the top: in memory blue, green, red, alpha, the
// layout of a top-down 32-bit device-independent bitmap and of 32-bit pictures in Qt.
class RgbaPicture {
 public:
  RgbaPicture(int width, int height, std::uint32_t fill = 0xFF000000u);

  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t pixel(int x, int y) const { return pixels_[index(x, y)]; }
  void setPixel(int x, int y, std::uint32_t value) { pixels_[index(x, y)] = value; }
  std::uint32_t* data() { return pixels_.data(); }
  const std::uint32_t* data() const { return pixels_.data(); }

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }

  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

constexpr std::uint32_t OpaquePixel(Rgb c) {
  return 0xFF000000u | (std::uint32_t{c.red} << 16) | (std::uint32_t{c.green} << 8) | c.blue;
}
constexpr Rgb ColourOf(std::uint32_t pixel) {
  return {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
          static_cast<std::uint8_t>(pixel)};
}

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
ShadowMap BlurShadowMask(const RgbaPicture& mask, int blurCount);

// Blends `shadow` into every pixel of `picture` by the map value a of that pixel:
// channel = (channel * (255 - a) + shadow channel * a) >> 8. The map must match the picture's
// size; every pixel ends up opaque.
void ComposeShadow(RgbaPicture& picture, const ShadowMap& map, Rgb shadow);

// How a shadow label draws: the shadow's settings and where its text colour comes from.
enum class ShadowMode { None, Soft };

struct LabelShadow {
  ShadowMode mode = ShadowMode::Soft;
  Rgb color{0, 0, 0};
  int blurCount = 4;
  int distance = 1;  // the mask's caption lies this far right and down of the caption
};

// The font colour, or the colour an appearance scheme would give, which with no scheme active
// (the program never has one) is the kind's own colour.
enum class TextKind { Font, Scheme };

struct LabelKind {
  TextKind kindType = TextKind::Scheme;
  Rgb color{255, 255, 255};
};

Rgb LabelTextColor(const LabelKind& kind, Rgb fontColor);

// The label's picture under its caption: `backdrop` (what lies beneath the transparent label)
// with the shadow of `mask` (the caption in white on black, moved by the distance) composed in.
// With the shadow off the backdrop comes back as it was.
RgbaPicture SoftShadowPicture(RgbaPicture backdrop, const RgbaPicture& mask,
                              const LabelShadow& shadow);

}  // namespace tarnwick::ui
