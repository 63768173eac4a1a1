#include "ui/win32/about_box.h"

#include <windowsx.h>

#include "platform/win32/win32_platform.h"
#include "report/credit_line.h"
#include "ui/win32/picture_resources.h"
#include "ui/win32/shadow_label.h"

namespace tarnwick::ui::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TarnwickAboutBox";
constexpr COLORREF kLinkHoverColour = RGB(0, 0, 255);
constexpr COLORREF kLinkIdleColour = RGB(0, 0, 0);
constexpr int kClientWidth = 298;
constexpr int kClientHeight = 287;
constexpr char kCreditText[] = "Tarnwick, freeware by The Tarnwick Project 2026";

std::wstring Wide(const char* text) { return platform::win32::WideFromAnsi(text); }

// A fixed dialog frame with a close box and nothing else in its title bar.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;

RECT Box(int left, int top, int width, int height) {
  return RECT{left, top, left + width, top + height};
}

// "MS Sans Serif" where the system has it; the font mapper picks its nearest face otherwise.
HFONT AboutFont(int pixelHeight, bool bold) {
  LOGFONTW font{};
  font.lfHeight = -pixelHeight;
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfQuality = DEFAULT_QUALITY;
  lstrcpynW(font.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
  return CreateFontIndirectW(&font);
}

void RegisterWindowClass(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW cls{};
  cls.cbSize = sizeof cls;
  if (GetClassInfoExW(instance, kClassName, &cls)) return;
  cls.style = CS_HREDRAW | CS_VREDRAW;
  cls.lpfnWndProc = proc;
  cls.hInstance = instance;
  cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  cls.hbrBackground = nullptr;  // the window paints all of its client area
  cls.lpszClassName = kClassName;
  RegisterClassExW(&cls);
}

}  // namespace

AboutBox::AboutBox(HINSTANCE instance, HWND owner, platform::Platform& platform)
    : instance_(instance),
      owner_(owner),
      platform_(platform),
      commentsColour_(GetSysColor(COLOR_WINDOWTEXT)) {
  if (HDC screen = GetDC(nullptr)) {
    dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  const HCURSOR arrow = LoadCursorA(nullptr, IDC_ARROW);
  const std::string address = ProjectWebAddress;
  control(AboutControl::image3) = {Box(128, 233, 48, 48), false, true, arrow, {}};
  control(AboutControl::Panel1) = {Box(9, 8, 281, 218), false, true, arrow, {}};
  control(AboutControl::CreditLabel) = {Box(3, 34, 273, 13), true, true, arrow, {}};
  control(AboutControl::Comments) = {Box(3, 69, 273, 13), true, true, arrow, address};
  control(AboutControl::Image1) = {Box(71, 95, 145, 105), true, true, arrow, address};
  control(AboutControl::titleLabel) = {Box(3, 0, 273, 32), true, true, arrow, {}};
  control(AboutControl::descriptionLabel) = {Box(3, 53, 273, 13), true, true, arrow, {}};
  // Decoration only: the pointer over the frame is over the picture beneath it.
  control(AboutControl::image4) = {Box(59, 83, 168, 128), true, false, arrow, {}};

  font_.reset(AboutFont(scaled(11), false));
  titleFont_.reset(AboutFont(scaled(19), true));
  const HMODULE module = instance;
  checkMark_ = PngPicture::FromResource(module, TARNWICK_PNG_CHECK_MARK);
  makerPicture_ = PngPicture::FromResource(module, TARNWICK_PNG_MAKER);
  goldenFrame_ = PngPicture::FromResource(module, TARNWICK_PNG_GOLDEN_FRAME);

  RegisterWindowClass(instance, &AboutBox::WindowProc);
  RECT frame{0, 0, scaled(kClientWidth), scaled(kClientHeight)};
  AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
  CreateWindowExW(kExStyle, kClassName, L"About Tarnwick 1.0", kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                  frame.right - frame.left, frame.bottom - frame.top, owner, nullptr, instance,
                  this);
}

AboutBox::~AboutBox() {
  if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

int AboutBox::scaled(int pixels) const { return MulDiv(pixels, dpi_, 96); }

RECT AboutBox::scaled(const RECT& r) const {
  return RECT{scaled(r.left), scaled(r.top), scaled(r.right), scaled(r.bottom)};
}

RECT AboutBox::controlBounds(AboutControl which) const {
  const Control& c = control(which);
  RECT box = c.bounds;
  if (c.inPanel) {
    const RECT& panel = control(AboutControl::Panel1).bounds;
    OffsetRect(&box, panel.left, panel.top);
  }
  return scaled(box);
}

HCURSOR AboutBox::controlCursor(AboutControl which) const { return control(which).cursor; }

const std::string& AboutBox::hintOf(AboutControl which) const { return control(which).hint; }

int AboutBox::showModal() {
  // Centred on the primary screen each time it is shown.
  RECT frame;
  GetWindowRect(window(), &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(window(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const bool ownerWasEnabled = owner_ && IsWindowEnabled(owner_);
  if (ownerWasEnabled) EnableWindow(owner_, FALSE);
  modal_ = true;
  modalResult_ = 0;
  ShowWindow(window(), SW_SHOW);
  SetForegroundWindow(window());
  SetFocus(window());
  MSG message;
  while (modal_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The program is ending: the loop that runs it must see the quit too.
      PostQuitMessage(static_cast<int>(message.wParam));
      modal_ = false;
      modalResult_ = IDCANCEL;
      break;
    }
    if (got == -1) break;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // The owner takes input again before this window hides, so that the system activates it.
  if (ownerWasEnabled) EnableWindow(owner_, TRUE);
  ShowWindow(window(), SW_HIDE);
  if (owner_) SetActiveWindow(owner_);
  return modalResult_;
}

void AboutBox::close() {
  if (!modal_) {
    ShowWindow(window(), SW_HIDE);
    return;
  }
  modalResult_ = IDCANCEL;
  modal_ = false;
  // Wakes the modal loop, which is waiting for a message.
  PostMessageW(window(), WM_NULL, 0, 0);
}

LRESULT CALLBACK AboutBox::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<AboutBox*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_.reset(window);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<AboutBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

LRESULT AboutBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PaintContext scope(window());
      RECT client;
      GetClientRect(window(), &client);
      // Drawn offscreen first: the controls overlap, and the window must not flicker through
      // their layers.
      OwnedMemoryDc buffer(CreateCompatibleDC(scope.dc()));
      OwnedBitmap pixels(CreateCompatibleBitmap(scope.dc(), client.right, client.bottom));
      if (!buffer || !pixels) {
        paint(scope.dc());
        return 0;
      }
      GdiSelection selected(buffer.get(), pixels.get());
      paint(buffer.get());
      BitBlt(scope.dc(), 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      pointerMoved(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      pointerLeft();
      return 0;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        SetCursor(hovered_ ? control(*hovered_).cursor : LoadCursorA(nullptr, IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      pressed_ = controlAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      SetCapture(window());
      return 0;
    case WM_LBUTTONUP: {
      const auto released = controlAt(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      const auto pressed = std::exchange(pressed_, std::nullopt);
      if (GetCapture() == window()) ReleaseCapture();
      if (released && released == pressed) click(*released);
      return 0;
    }
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        close();
        return 0;
      }
      break;
    case WM_CLOSE:
      close();
      return 0;
    case WM_SHOWWINDOW:
      if (!wParam && hovered_) {
        // A click that closes the window leaves the pointer over the check mark, and no leave
        // follows for a hidden window: it is answered here, so the mark is back for the next show.
        leave(*std::exchange(hovered_, std::nullopt));
      }
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window_.release(), GWLP_USERDATA, 0);
      break;
    default:
      break;
  }
  return DefWindowProcW(window(), message, wParam, lParam);
}

std::optional<AboutControl> AboutBox::controlAt(POINT client) const {
  const RECT panel = controlBounds(AboutControl::Panel1);
  for (int i = kAboutControlCount - 1; i >= 0; --i) {
    const auto which = static_cast<AboutControl>(i);
    const Control& c = control(which);
    if (!c.takesMouse) continue;
    if (c.inPanel && !PtInRect(&panel, client)) continue;
    const RECT box = controlBounds(which);
    if (PtInRect(&box, client)) return which;
  }
  return std::nullopt;
}

void AboutBox::pointerMoved(POINT client) {
  if (!trackingLeave_) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window(), 0};
    trackingLeave_ = TrackMouseEvent(&track) != FALSE;
  }
  const auto under = controlAt(client);
  if (under != hovered_) {
    if (hovered_) leave(*hovered_);
    hovered_ = under;
    if (under) enter(*under);
  }
  if (hovered_ == AboutControl::Comments) CommentsMouseMove();
  if (hovered_ == AboutControl::Image1) Image1MouseMove();
  SetCursor(hovered_ ? control(*hovered_).cursor : LoadCursorA(nullptr, IDC_ARROW));
}

void AboutBox::pointerLeft() {
  if (hovered_) leave(*std::exchange(hovered_, std::nullopt));
}

void AboutBox::enter(AboutControl which) {
  if (which == AboutControl::image3) image3MouseEnter();
}

void AboutBox::leave(AboutControl which) {
  switch (which) {
    case AboutControl::Comments:
      CommentsMouseLeave();
      break;
    case AboutControl::Image1:
      Image1MouseLeave();
      break;
    case AboutControl::image3:
      image3MouseLeave();
      break;
    default:
      break;
  }
}

void AboutBox::click(AboutControl which) {
  switch (which) {
    case AboutControl::Comments:
      CommentsClick();
      break;
    case AboutControl::Image1:
      Image1Click();
      break;
    case AboutControl::image3:
      image3Click();
      break;
    default:
      break;
  }
}

void AboutBox::CommentsMouseMove() {
  control(AboutControl::Comments).cursor = LoadCursorA(nullptr, IDC_HAND);
  if (commentsColour_ != kLinkHoverColour) {
    commentsColour_ = kLinkHoverColour;
    invalidate(AboutControl::Comments);
  }
}

void AboutBox::CommentsMouseLeave() {
  control(AboutControl::Comments).cursor = LoadCursorA(nullptr, IDC_ARROW);
  commentsColour_ = kLinkIdleColour;
  invalidate(AboutControl::Comments);
}

void AboutBox::CommentsClick() { openHint(AboutControl::Comments); }

void AboutBox::Image1MouseMove() {
  control(AboutControl::Image1).cursor = LoadCursorA(nullptr, IDC_HAND);
}

void AboutBox::Image1MouseLeave() {
  control(AboutControl::Image1).cursor = LoadCursorA(nullptr, IDC_ARROW);
}

void AboutBox::Image1Click() { openHint(AboutControl::Image1); }

void AboutBox::image3MouseEnter() {
  if (image3Hovered_) return;
  image3Hovered_ = true;
  invalidate(AboutControl::image3);
  OffsetRect(&control(AboutControl::image3).bounds, 2, 2);
  control(AboutControl::image3).cursor = LoadCursorA(nullptr, IDC_HAND);
  invalidate(AboutControl::image3);
}

void AboutBox::image3MouseLeave() {
  if (!image3Hovered_) return;
  image3Hovered_ = false;
  invalidate(AboutControl::image3);
  OffsetRect(&control(AboutControl::image3).bounds, -2, -2);
  control(AboutControl::image3).cursor = LoadCursorA(nullptr, IDC_ARROW);
  invalidate(AboutControl::image3);
}

void AboutBox::image3Click() { close(); }

void AboutBox::openHint(AboutControl which) {
  platform::ShellRequest request;
  request.verb = "Open";
  request.file = hintOf(which);
  request.show = platform::ShowCommand::Normal;
  // Nothing is shown when the shell refuses: the result is not looked at.
  platform_.shellExecute(request);
}

void AboutBox::invalidate(AboutControl which) {
  const RECT box = controlBounds(which);
  InvalidateRect(window(), &box, FALSE);
}

void AboutBox::paint(HDC dc) {
  RECT client;
  GetClientRect(window(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (checkMark_) checkMark_->drawScaled(dc, controlBounds(AboutControl::image3));

  const RECT panel = controlBounds(AboutControl::Panel1);
  paintPanel(dc, panel);
  // The panel's controls are cut to the panel.
  OwnedRegion clip(CreateRectRgnIndirect(&panel));
  SelectClipRgn(dc, clip.get());
  constexpr UINT kLabel = DT_CENTER | DT_TOP | DT_EXPANDTABS;
  const COLORREF windowText = GetSysColor(COLOR_WINDOWTEXT);
  paintLabel(dc, AboutControl::CreditLabel, Wide(kCreditText), font_.get(), windowText, kLabel);
  paintLabel(dc, AboutControl::Comments, Wide(ProjectWebHost), font_.get(), commentsColour_,
             kLabel | DT_WORDBREAK);
  if (makerPicture_) makerPicture_->drawCut(dc, controlBounds(AboutControl::Image1));
  paintTitle(dc);
  paintLabel(dc, AboutControl::descriptionLabel, L"Get special folders location and size",
             font_.get(), RGB(0, 0, 0), kLabel);
  if (goldenFrame_) goldenFrame_->drawScaled(dc, controlBounds(AboutControl::image4));
  SelectClipRgn(dc, nullptr);
}

void AboutBox::paintPanel(HDC dc, const RECT& box) {
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
  // A lowered bevel outside a raised one, each two rings of one pixel.
  const auto ring = [dc](RECT r, COLORREF topLeft, COLORREF bottomRight) {
    const auto line = [dc](int left, int top, int right, int bottom, COLORREF colour) {
      const RECT r{left, top, right, bottom};
      SetBkColor(dc, colour);
      ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    };
    line(r.left, r.top, r.right - 1, r.top + 1, topLeft);
    line(r.left, r.top, r.left + 1, r.bottom - 1, topLeft);
    line(r.left, r.bottom - 1, r.right, r.bottom, bottomRight);
    line(r.right - 1, r.top, r.right, r.bottom, bottomRight);
  };
  const int width = scaled(2);
  RECT r = box;
  for (int i = 0; i < width; ++i, InflateRect(&r, -1, -1)) ring(r, shadow, highlight);
  for (int i = 0; i < width; ++i, InflateRect(&r, -1, -1)) ring(r, highlight, shadow);
}

void AboutBox::paintLabel(HDC dc, AboutControl which, const std::wstring& text, HFONT font,
                          COLORREF colour, UINT format) {
  RECT box = controlBounds(which);
  GdiSelection selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format);
}

void AboutBox::paintTitle(HDC dc) {
  const RECT box = controlBounds(AboutControl::titleLabel);
  // The title's kind and shadow keep their defaults: white text over a soft black shadow.
  PaintShadowLabel(dc, box, L"Tarnwick 1.0", titleFont_.get(), LabelShadow{}, LabelKind{},
                   RGB(0, 0, 0));
}

}  // namespace tarnwick::ui::win32
