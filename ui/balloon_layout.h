// What a balloon shows and where its parts lie inside it, decided from the hint text and the
// settings of the balloon hint component alone; the window only paints what this says.
#pragma once

#include <functional>
#include <string>

#include "ui/balloon_position.h"
#include "ui/geometry.h"

namespace tarnwick::ui {

enum class IconKind { Custom, None, Application, Error, Information, Question, Warning };

enum class HintOption : unsigned { ShowHeader = 0x1, ShowIcon = 0x2, PlaySound = 0x4 };

// A set of hint options.
class HintOptions {
 public:
  constexpr HintOptions() = default;
  constexpr HintOptions(HintOption option) : bits_(static_cast<unsigned>(option)) {}
  constexpr bool has(HintOption option) const {
    return (bits_ & static_cast<unsigned>(option)) != 0;
  }
  friend constexpr HintOptions operator|(HintOptions a, HintOptions b) {
    HintOptions both;
    both.bits_ = a.bits_ | b.bits_;
    return both;
  }
  friend constexpr bool operator==(HintOptions, HintOptions) = default;

 private:
  unsigned bits_ = 0;
};
constexpr HintOptions operator|(HintOption a, HintOption b) {
  return HintOptions(a) | HintOptions(b);
}

// The settings of the balloon hint component that shape a balloon.
struct BalloonContentSettings {
  HintOptions options = HintOption::ShowHeader | HintOption::ShowIcon;
  std::string header;
  IconKind icon = IconKind::Information;
  int imageIndex = -1;
  int imageCount = 0;  // pictures in the image list; 0 when there is none
  Size pictureSize;    // the image list's picture size
  BalloonPosition position = BalloonPosition::Auto;
};

// The program's own balloons: header "Tarnwick" beside picture 0 of a list of one 32 by 32
// picture, placed by where the hint point lies.
BalloonContentSettings ProgramBalloonContent();

enum class BalloonText { Header, Message };

// The size a text takes in the header or message font, wrapped at the given width.
using BalloonTextMeasure =
    std::function<Size(BalloonText which, const std::string& text, int maxWidth)>;

struct BalloonLayout {
  BalloonPosition placement = BalloonPosition::LeftDown;
  int cursorClearance = 0;
  bool hasIcon = false;
  bool hasHeader = false;
  std::string headerText;
  std::string messageText;
  bool multiLineMessage = false;
  Size iconSize;
  Point iconOrigin;
  Rect headerArea;
  Rect messageArea;
  Rect bodyArea;
  Rect stemArea;
  int stemHeight = 0;
  int stemWidth = 0;
  int stemInset = 16;
  // The window rectangle for the starting placement, relative to the hint point.
  Rect rect;
};

// True when the text holds a line break followed by more text; CR LF counts as one break. Line
// and paragraph separators count in their UTF-8 form.
bool IsMultiLineMessage(const std::string& text);

// Lays a balloon out for the hint text (the unthemed rules of the current set of spacings).
BalloonLayout MeasureBalloon(const BalloonContentSettings& settings, const std::string& hintText,
                             int maxWidth, int cursorHeight, const BalloonTextMeasure& measure);

}  // namespace tarnwick::ui
