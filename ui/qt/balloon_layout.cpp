#include "ui/qt/balloon_layout.h"

#include "ui/qt/balloon_placement.h"

namespace tarnwick::ui {

namespace {

bool IsLineBreak(QChar c) {
  return c == u'\r' || c == u'\n' || c == u'\v' || c == u'\f' || c == QChar(0x2028) ||
         c == QChar(0x2029);
}

constexpr int kStemInset = 16;

}  // namespace

bool IsMultiLineMessage(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (!IsLineBreak(text[i])) continue;
    qsizetype next = i + 1;
    if (text[i] == u'\r' && next < text.size() && text[next] == u'\n') ++next;
    return next < text.size();
  }
  return false;
}

BalloonLayout MeasureBalloon(const BalloonContentSettings& settings, const QString& hintText,
                             int maxWidth, int cursorHeight, const BalloonTextMeasure& measure) {
  BalloonLayout b;
  const bool custom = settings.icon == IconKind::Custom;
  b.hasIcon = settings.options.testFlag(HintOption::ShowIcon) && settings.icon != IconKind::None &&
              !(custom && settings.imageIndex < 0);
  b.hasHeader = settings.options.testFlag(HintOption::ShowHeader) && !settings.header.isEmpty();
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
    const BalloonSize s = measure(BalloonText::Header, b.headerText, maxWidth);
    b.headerArea = BalloonRect::fromSize(12, 9, s.width, s.height);
  }
  if (!b.messageText.isEmpty()) {
    const BalloonSize s = measure(BalloonText::Message, b.messageText, maxWidth);
    b.messageArea = BalloonRect::fromSize(12, b.headerArea.bottom + 3, s.width, s.height);
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
  b.stemArea = BalloonRect::fromSize(b.stemInset, h - 1, b.stemWidth, b.stemHeight);

  const BalloonRect window = b.bodyArea.united(b.stemArea);
  const BalloonPoint offset = PlacementOffset(b.placement, {window.width(), window.height()},
                                              b.stemInset, b.cursorClearance);
  b.rect = window.moved(offset.x, offset.y);
  return b;
}

}  // namespace tarnwick::ui
