// What a balloon shows and where its parts lie inside it, decided from the hint text and the
// settings of the balloon hint component alone; the window only paints what this says.
#pragma once

#include <QFlags>
#include <QString>
#include <functional>

#include "ui/balloon_geometry.h"

namespace tarnwick::ui {

enum class IconKind { Custom, None, Application, Error, Information, Question, Warning };

enum class HintOption { ShowHeader = 0x1, ShowIcon = 0x2, PlaySound = 0x4 };
Q_DECLARE_FLAGS(HintOptions, HintOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(HintOptions)

// The settings of the balloon hint component that shape a balloon.
struct BalloonContentSettings {
  HintOptions options = HintOption::ShowHeader | HintOption::ShowIcon;
  QString header;
  IconKind icon = IconKind::Information;
  int imageIndex = -1;
  int imageCount = 0;       // pictures in the image list; 0 when there is none
  BalloonSize pictureSize;  // the image list's picture size
  BalloonPosition position = BalloonPosition::Auto;
};

enum class BalloonText { Header, Message };

// The size a text takes in the header or message font, wrapped at the given width.
using BalloonTextMeasure =
    std::function<BalloonSize(BalloonText which, const QString& text, int maxWidth)>;

struct BalloonLayout {
  BalloonPosition placement = BalloonPosition::LeftDown;
  int cursorClearance = 0;
  bool hasIcon = false;
  bool hasHeader = false;
  QString headerText;
  QString messageText;
  bool multiLineMessage = false;
  BalloonSize iconSize;
  BalloonPoint iconOrigin;
  BalloonRect headerArea;
  BalloonRect messageArea;
  BalloonRect bodyArea;
  BalloonRect stemArea;
  int stemHeight = 0;
  int stemWidth = 0;
  int stemInset = 16;
  // The window rectangle for the starting placement, relative to the hint point.
  BalloonRect rect;
};

// True when the text holds a line break followed by more text; CR LF counts as one break.
bool IsMultiLineMessage(const QString& text);

// Lays a balloon out for the hint text (the unthemed rules of the current set of spacings).
BalloonLayout MeasureBalloon(const BalloonContentSettings& settings, const QString& hintText,
                             int maxWidth, int cursorHeight, const BalloonTextMeasure& measure);

}  // namespace tarnwick::ui
