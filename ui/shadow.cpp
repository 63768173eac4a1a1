#include "ui/shadow.h"

#include <cassert>

namespace tarnwick::ui {

RgbaPicture::RgbaPicture(int width, int height, std::uint32_t fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

ShadowMap::ShadowMap(int width, int height)
    : width_(width),
      height_(height),
      cells_(static_cast<std::size_t>(width + 2) * static_cast<std::size_t>(height + 2), 0) {}

ShadowMap BlurShadowMask(const RgbaPicture& mask, int blurCount) {
  const int width = mask.width();
  const int height = mask.height();
  ShadowMap map(width, height);
  for (int pass = 0; pass < blurCount; ++pass) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        if (ColourOf(mask.pixel(x, y)).blue != 0) map.at(x, y) = 255;
      }
    }
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const int sum = map.at(x, y - 1) + map.at(x, y + 1) + map.at(x - 1, y) + map.at(x + 1, y);
        map.at(x, y) = static_cast<std::uint8_t>(sum >> 2);
      }
    }
  }
  return map;
}

void ComposeShadow(RgbaPicture& picture, const ShadowMap& map, Rgb shadow) {
  assert(picture.width() == map.width() && picture.height() == map.height());
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const int a = map.at(x, y);
      const auto blend = [a](int channel, int shadowChannel) {
        return static_cast<std::uint8_t>((channel * (255 - a) + shadowChannel * a) >> 8);
      };
      const Rgb under = ColourOf(picture.pixel(x, y));
      picture.setPixel(x, y,
                       OpaquePixel({blend(under.red, shadow.red), blend(under.green, shadow.green),
                                    blend(under.blue, shadow.blue)}));
    }
  }
}

Rgb LabelTextColor(const LabelKind& kind, Rgb fontColor) {
  return kind.kindType == TextKind::Scheme ? kind.color : fontColor;
}

RgbaPicture SoftShadowPicture(RgbaPicture backdrop, const RgbaPicture& mask,
                              const LabelShadow& shadow) {
  if (shadow.mode == ShadowMode::Soft)
    ComposeShadow(backdrop, BlurShadowMask(mask, shadow.blurCount), shadow.color);
  return backdrop;
}

}  // namespace tarnwick::ui
