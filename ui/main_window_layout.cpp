#include "ui/main_window_layout.h"

#include <algorithm>
#include <cstdint>

namespace tarnwick::ui {

Point DesktopCenter(const Rect& desktop, Size window) {
  const int left = desktop.width() / 2 + desktop.left - window.width / 2;
  const int top = desktop.height() / 2 + desktop.top - window.height / 2;
  return {std::max(left, desktop.left), std::max(top, desktop.top)};
}

int MulDiv(int value, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = std::int64_t{value} * numerator;
  const std::int64_t half = (denominator < 0 ? -denominator : denominator) / 2;
  const bool negative = (product < 0) != (denominator < 0);
  const std::int64_t magnitude = ((product < 0 ? -product : product) + half) /
                                 (denominator < 0 ? -std::int64_t{denominator} : denominator);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

int ScaledFontHeight(int screenDpi) { return MulDiv(DesignFontHeight, screenDpi, DesignDpi); }

int ScaleToTextHeight(int designValue, int textHeight) {
  return MulDiv(designValue, textHeight, DesignTextHeight);
}

std::array<int, 3> ColumnWidths(int clientWidth) {
  const int width = std::max(clientWidth, 0);
  const int third = width / 3;
  return {third + width % 3, third, third};
}

}  // namespace tarnwick::ui
