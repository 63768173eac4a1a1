#include "ui/balloon_layout.h"

#include <algorithm>

namespace tarnwick::ui {

namespace {

constexpr int kStemInset = 16;

// The length of the line break that starts at `i`, or 0 when none does.
std::size_t LineBreakAt(const std::string& text, std::size_t i) {
  switch (text[i]) {
    case '\r':
      return i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
    case '\n':
    case '\v':
    case '\f':
      return 1;
    default:
      break;
  }
  // U+2028 and U+2029 in UTF-8.
  if (text.compare(i, 3, "\xE2\x80\xA8") == 0 || text.compare(i, 3, "\xE2\x80\xA9") == 0) return 3;
  return 0;
}

}  // namespace

BalloonContentSettings ProgramBalloonContent() {
  BalloonContentSettings s;
  s.header = "Tarnwick";
  s.icon = IconKind::Custom;
  s.imageIndex = 0;
  s.imageCount = 1;
  s.pictureSize = {32, 32};
  return s;
}

bool IsMultiLineMessage(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (const std::size_t length = LineBreakAt(text, i)) return i + length < text.size();
  }
  return false;
}

BalloonLayout MeasureBalloon(const BalloonContentSettings& settings, const std::string& hintText,
                             int maxWidth, int cursorHeight, const BalloonTextMeasure& measure) {
  BalloonLayout b;
  const bool custom = settings.icon == IconKind::Custom;
  b.hasIcon = settings.options.has(HintOption::ShowIcon) && settings.icon != IconKind::None &&
              !(custom && settings.imageIndex < 0);
  b.hasHeader = settings.options.has(HintOption::ShowHeader) && !settings.header.empty();
  b.headerText = settings.header;
  b.placement = settings.position;
  b.cursorClearance = cursorHeight;
  if (custom && settings.imageCount > 0 && settings.imageIndex >= 0 &&
      settings.imageIndex < settings.imageCount) {
    b.iconSize = settings.pictureSize;
  } else if (settings.icon == IconKind::None) {
    b.iconSize = {0, 0};
  } else {
    b.iconSize = {16, 16};
  }
  b.messageText = hintText;
  b.multiLineMessage = IsMultiLineMessage(hintText);

  if (b.hasIcon) b.iconOrigin = {12, 12};
  if (b.hasHeader) {
    const Size s = measure(BalloonText::Header, b.headerText, maxWidth);
    b.headerArea = Rect::fromSize(12, 9, s.width, s.height);
  }
  if (!b.messageText.empty()) {
    const Size s = measure(BalloonText::Message, b.messageText, maxWidth);
    b.messageArea = Rect::fromSize(12, b.headerArea.bottom + 3, s.width, s.height);
  }
  if (b.hasIcon) {
    b.headerArea = b.headerArea.moved(b.iconSize.width + 5, 0);
    b.messageArea = b.messageArea.moved(b.iconSize.width + 5, 0);
  }

  b.stemInset = kStemInset;
  b.stemHeight = !b.hasHeader ? 12 : b.multiLineMessage ? 21 : 19;
  b.stemWidth = b.stemHeight;
  const int w = std::max(b.messageArea.right, b.headerArea.right) + 13;
  const int h = std::max(b.messageArea.bottom, b.headerArea.bottom) + 10;
  b.bodyArea = {0, 0, w, h};
  b.stemArea = Rect::fromSize(b.stemInset, h - 1, b.stemWidth, b.stemHeight);

  const Rect window = b.bodyArea.united(b.stemArea);
  const Point offset = PlacementOffset(b.placement, window.size(), b.stemInset, b.cursorClearance);
  b.rect = window.moved(offset.x, offset.y);
  return b;
}

}  // namespace tarnwick::ui
