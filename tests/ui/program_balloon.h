// The content settings of the program's own balloons, shared by the balloon geometry tests.
#pragma once

#include "ui/balloon_layout.h"

namespace tarnwick::ui::testing {

// Header "Tarnwick" beside the program's 32-pixel picture, the one image of its list.
inline BalloonContentSettings ProgramSettings() {
  BalloonContentSettings s;
  s.header = "Tarnwick";
  s.icon = IconKind::Custom;
  s.imageIndex = 0;
  s.imageCount = 1;
  s.pictureSize = {32, 32};
  return s;
}

}  // namespace tarnwick::ui::testing
