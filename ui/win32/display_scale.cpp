#include "ui/win32/display_scale.h"

#include "ui/win32/checked.h"

namespace tarnwick::ui::win32 {

WindowFont MakeWindowFont() {
  ScreenContext screen;
  const int dpi = GetDeviceCaps(screen.dc(), LOGPIXELSY);
  LOGFONTA face{};
  face.lfHeight = ScaledFontHeight(dpi);
  face.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(face.lfFaceName, "Tahoma", LF_FACESIZE);
  WindowFont result;
  result.font.reset(Checked(CreateFontIndirectA(&face), "Creating the window's font"));
  GdiSelection selected(screen.dc(), result.font.get());
  TEXTMETRICA metrics{};
  if (GetTextMetricsA(screen.dc(), &metrics)) result.textHeight = metrics.tmHeight;
  return result;
}

}  // namespace tarnwick::ui::win32
