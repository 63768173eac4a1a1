#include "ui/win32/balloon_window.h"

#include <vssym32.h>

#include <algorithm>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace tarnwick::ui::win32 {

namespace {

// Texts wrap at word boundaries, expand tabs and show "&" as itself.
constexpr UINT kTextFormat = DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

// The status bar's font, the hint font of the system, plain or bold.
HFONT HintFont(bool bold) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return CreateFontW(-11, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0,
                       0, L"Tahoma");
  }
  metrics.lfStatusFont.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  return CreateFontIndirectW(&metrics.lfStatusFont);
}

OwnedRegion RegionOf(const PixelRegion& pixels) {
  std::vector<char> buffer(sizeof(RGNDATAHEADER) + pixels.runs.size() * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(pixels.runs.size());
  data->rdh.nRgnSize = static_cast<DWORD>(pixels.runs.size() * sizeof(RECT));
  const Rect bounds = pixels.bounds();
  data->rdh.rcBound = RECT{bounds.left, bounds.top, bounds.right, bounds.bottom};
  auto* rects = reinterpret_cast<RECT*>(data->Buffer);
  for (std::size_t i = 0; i < pixels.runs.size(); ++i) {
    const Rect& r = pixels.runs[i];
    rects[i] = RECT{r.left, r.top, r.right, r.bottom};
  }
  return OwnedRegion(ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data));
}

// The theme of tool tips, if visual styles are on and it draws balloons. Wine's own theme has the
// class without the balloon's parts: there the balloon is drawn by the plain rules.
HTHEME BalloonTheme(HWND window) {
  if (!IsThemeActive() || !IsAppThemed()) return nullptr;
  HTHEME theme = OpenThemeData(window, L"TOOLTIP");
  if (theme && !IsThemePartDefined(theme, TTP_BALLOON, 0)) {
    CloseThemeData(theme);
    theme = nullptr;
  }
  return theme;
}

RECT ToRect(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

void RegisterWindowClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  if (GetClassInfoExW(instance, BalloonWindow::ClassName, &cls)) return;
  // The drop shadow of tool-tip windows, where the system draws one.
  cls.style = CS_DROPSHADOW | CS_SAVEBITS;
  cls.lpfnWndProc = proc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  cls.lpszClassName = BalloonWindow::ClassName;
  RegisterClassExW(&cls);
}

}  // namespace

BalloonScreen SystemBalloonScreen() {
  BalloonScreen screen;
  RECT work{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) {
    work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  screen.workArea = Rect{work.left, work.top, work.right, work.bottom};
  screen.desktop =
      Rect::fromSize(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                     GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  screen.maxTextWidth = GetSystemMetrics(SM_CXSCREEN);
  screen.cursorHeight = GetSystemMetrics(SM_CYCURSOR);
  BOOL on = FALSE;
  screen.animationOn = SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &on, 0) && on;
  on = FALSE;
  screen.fadeOn = SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &on, 0) && on;
  return screen;
}

std::wstring WideText(const std::string& text) { return platform::win32::WideFromAnsi(text); }

BalloonWindow::BalloonWindow(HINSTANCE instance, HWND owner)
    : messageFont_(HintFont(false)), headerFont_(HintFont(true)) {
  RegisterWindowClass(instance, &BalloonWindow::WindowProc);
  // Layered and transparent together: a click on the balloon reaches the window beneath it.
  constexpr DWORD kExStyle =
      WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_TRANSPARENT;
  window_.reset(CreateWindowExW(kExStyle, ClassName, L"", WS_POPUP, 0, 0, 0, 0, owner, nullptr,
                                instance, this));
  if (window_) {
    theme_.reset(BalloonTheme(window_.get()));
    if (theme_) {
      LOGFONTW title{};
      if (SUCCEEDED(GetThemeFont(theme_.get(), nullptr, TTP_BALLOONTITLE, 0, TMT_FONT, &title))) {
        headerFont_.reset(CreateFontIndirectW(&title));
      }
    }
    SetLayeredWindowAttributes(window_.get(), 0, 255, LWA_ALPHA);
    SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
}

BalloonWindow::~BalloonWindow() {
  if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

BalloonTextMeasure BalloonWindow::textMeasure() const {
  return [this](BalloonText which, const std::string& text, int maxWidth) {
    HDC dc = GetDC(window());
    GdiSelection font(dc, which == BalloonText::Header ? headerFont_.get() : messageFont_.get());
    const std::wstring wide = WideText(text);
    RECT r{0, 0, maxWidth, 0};
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, kTextFormat | DT_CALCRECT);
    ReleaseDC(window(), dc);
    return Size{r.right - r.left, r.bottom - r.top};
  };
}

void BalloonWindow::show(const PreparedBalloon& balloon, const PngPicture* icon) {
  if (IsWindowVisible(window())) hide();
  balloon_ = balloon;
  icon_ = icon;
  const Rect& w = balloon_.window;
  SetWindowPos(window(), HWND_TOPMOST, w.left, w.top, w.width(), w.height(),
               SWP_NOACTIVATE | SWP_HIDEWINDOW);
  // The system owns the region from here on.
  SetWindowRgn(window(), RegionOf(balloon_.region).release(), FALSE);

  DWORD animation = 0;
  switch (balloon_.animation) {
    case BalloonAnimation::Fade:
      animation = AW_BLEND;
      break;
    case BalloonAnimation::SlideDown:
      animation = AW_SLIDE | AW_VER_POSITIVE;
      break;
    case BalloonAnimation::SlideUp:
      animation = AW_SLIDE | AW_VER_NEGATIVE;
      break;
    case BalloonAnimation::None:
      break;
  }
  if (animation) AnimateWindow(window(), kBalloonAnimationMs, animation);
  // Some systems animate without showing the window at the end, or not at all.
  if (!IsWindowVisible(window())) ShowWindow(window(), SW_SHOWNOACTIVATE);
  RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void BalloonWindow::hide() { ShowWindow(window(), SW_HIDE); }

LRESULT CALLBACK BalloonWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
  auto* self = reinterpret_cast<BalloonWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  switch (message) {
    case WM_PAINT:
      if (self) {
        PaintContext paint(window);
        self->paint(paint.dc());
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void BalloonWindow::paint(HDC dc) {
  const BalloonLayout& layout = balloon_.layout;
  OwnedRegion shape = RegionOf(balloon_.region);
  OwnedRegion outline = RegionOf(balloon_.outline);
  if (theme_) {
    SelectClipRgn(dc, shape.get());
    const RECT all = ToRect(layout.bodyArea.united(layout.stemArea));
    DrawThemeBackground(theme_.get(), dc, TTP_BALLOON, 0, &all, nullptr);
    SelectClipRgn(dc, nullptr);
  } else {
    OwnedBrush fill(CreateSolidBrush(GetSysColor(COLOR_INFOBK)));
    FillRgn(dc, shape.get(), fill.get());
  }
  FillRgn(dc, outline.get(), static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  if (layout.hasIcon && icon_) {
    icon_->drawScaled(dc, RECT{layout.iconOrigin.x, layout.iconOrigin.y,
                               layout.iconOrigin.x + layout.iconSize.width,
                               layout.iconOrigin.y + layout.iconSize.height});
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
  const auto draw = [dc](HFONT font, const std::string& text, const Rect& area) {
    GdiSelection selected(dc, font);
    const std::wstring wide = WideText(text);
    RECT r = ToRect(area);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, kTextFormat);
  };
  draw(messageFont_.get(), layout.messageText, layout.messageArea);
  COLORREF titleColour = 0;
  if (theme_ &&
      SUCCEEDED(GetThemeColor(theme_.get(), TTP_BALLOONTITLE, 0, TMT_TEXTCOLOR, &titleColour))) {
    SetTextColor(dc, titleColour);
  }
  if (layout.hasHeader) draw(headerFont_.get(), layout.headerText, layout.headerArea);
}

}  // namespace tarnwick::ui::win32
