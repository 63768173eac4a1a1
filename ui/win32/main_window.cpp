#include "ui/win32/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "report/report.h"
#include "ui/double_click.h"
#include "ui/win32/checked.h"
#include "ui/win32/failure_box.h"
#include "ui/win32/picture_button.h"

namespace tarnwick::ui::win32 {

namespace {

constexpr int PictureSize = 32;
constexpr int PictureGap = 4;
constexpr int ProgressGap = 8;
// The panels' raised bevel stays one pixel wide at every resolution.
constexpr int Bevel = 1;

constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr UINT_PTR ProgressTimer = 1;

// The control identifier of a toolbar button: 101 for "btn1".
int ButtonId(const ToolbarButton& spec) { return 100 + (spec.name[3] - '0'); }

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXA windowClass{};
  if (GetClassInfoExA(instance, MainWindow::ClassName, &windowClass)) return;
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = MainWindow::ClassName;
  // The class's icons are shared resources, freed with the program.
  windowClass.hIcon =
      static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                    GetSystemMetrics(SM_CYICON), LR_SHARED));
  windowClass.hIconSm =
      static_cast<HICON>(LoadImageA(instance, "MAINICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  windowClass.lpfnWndProc = procedure;
  Checked(RegisterClassExA(&windowClass), "Registering the main window's class");
}

OwnedFont MakeStatusFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return OwnedFont(nullptr);  // the status bar then keeps the font it chose itself
  return OwnedFont(CreateFontIndirectA(&metrics.lfStatusFont));
}

std::string WindowText(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), int(text.size()))));
  return text;
}

}  // namespace

MainWindow::MainWindow(platform::Platform& platform)
    : platform_(platform),
      computerInfo_(platform),
      list_(platform, computerInfo_),
      launcher_(platform),
      buttons_{{
          {ToolbarButtons[0], ButtonId(ToolbarButtons[0]), &MainWindow::btn1Click, nullptr, {}},
          {ToolbarButtons[1], ButtonId(ToolbarButtons[1]), &MainWindow::btn2Click, nullptr, {}},
          {ToolbarButtons[2], ButtonId(ToolbarButtons[2]), &MainWindow::btn3Click, nullptr, {}},
          {ToolbarButtons[3], ButtonId(ToolbarButtons[3]), &MainWindow::btn6Click, nullptr, {}},
          {ToolbarButtons[4], ButtonId(ToolbarButtons[4]), &MainWindow::btn7Click, nullptr, {}},
          {ToolbarButtons[5], ButtonId(ToolbarButtons[5]), &MainWindow::btn5Click, nullptr, {}},
          {ToolbarButtons[6], ButtonId(ToolbarButtons[6]), &MainWindow::btn4Click, nullptr, {}},
      }} {
  launcher_.Action = "Explore";
  font_ = MakeWindowFont();
  scale_ = DisplayScale(font_.textHeight);
  statusFont_ = MakeStatusFont();

  const HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClass(instance, &MainWindow::Procedure);
  RECT outer{0, 0, scale_(DesignClientWidth), scale_(DesignClientHeight)};
  AdjustWindowRectEx(&outer, WindowStyle, FALSE, 0);
  Checked(CreateWindowExA(0, ClassName, WindowCaption, WindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                          instance, this),
          "Creating the main window");
  // The procedure set hwnd_ while the window was being created.
  createControls();
  windowThread_ = std::make_unique<Win32WindowThread>(hwnd_, SurveyWakeMessage);
  sampler_ = std::make_unique<Win32RepeatingTimer>(hwnd_, ProgressTimer);
  SurveyRunner::Events events;
  events.status = [this](const std::string& text) { setStatusText(text); };
  events.rowsHandedBack = [this](std::size_t first, std::size_t last) {
    onRowsHandedBack(first, last);
  };
  events.progress = [this](const std::string& text) { setProgressText(text); };
  events.finished = [this](std::exception_ptr failure) { onSurveyFinished(failure); };
  runner_ = std::make_unique<SurveyRunner>(list_, *windowThread_, *sampler_, std::move(events));
  FormCreate();
  layout();
  lastFocus_ = buttonById(btn1Id)->hwnd;
}

MainWindow::~MainWindow() {
  // The run's thread writes the rows; it must be gone before they are.
  runner_.reset();
  // Destroyed by its owner, not closed: the message loop (or a failure box's) goes on.
  endLoopOnDestroy_ = false;
  if (hwnd_) DestroyWindow(hwnd_);
}

void MainWindow::createControls() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const int pictureSize = scale_(PictureSize);
  // Created in Tab order: the dialog manager visits the controls in the order they were made.
  std::array<Button*, 7> tabOrder{};
  for (Button& button : buttons_)
    tabOrder[static_cast<std::size_t>(button.spec.tabOrder)] = &button;
  for (Button* button : tabOrder) {
    button->hwnd = Checked(
        CreateWindowExA(0, WC_BUTTONA, button->spec.caption,
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(INT_PTR(button->id)), instance, nullptr),
        "Creating a toolbar button");
    SendMessageA(button->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.font.get()), FALSE);
    // Resource names ignore case: "get_data" is the icon GET_DATA.
    button->icon.reset(static_cast<HICON>(
        LoadImageA(instance, button->spec.picture, IMAGE_ICON, pictureSize, pictureSize, 0)));
  }
  lv1_ = std::make_unique<FolderListView>(hwnd_, lv1Id, font_.font.get());
  stat1_ = Checked(
      CreateWindowExA(0, STATUSCLASSNAMEA, "",
                      WS_CHILD | WS_VISIBLE | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0,
                      0, 0, 0, hwnd_, reinterpret_cast<HMENU>(INT_PTR(stat1Id)), instance, nullptr),
      "Creating the status line");
  if (statusFont_)
    SendMessageA(stat1_, WM_SETFONT, reinterpret_cast<WPARAM>(statusFont_.get()), FALSE);
  SendMessageA(stat1_, SB_SIMPLE, TRUE, 0);
  // What a run is doing, or what it could not read, at the right end of the status line.
  progress1_ =
      Checked(CreateWindowExA(0, WC_STATICA, "", WS_CHILD | SS_RIGHT | SS_NOPREFIX | SS_CENTERIMAGE,
                              0, 0, 0, 0, stat1_, reinterpret_cast<HMENU>(INT_PTR(progress1Id)),
                              instance, nullptr),
              "Creating the progress text");
  SendMessageA(progress1_, WM_SETFONT,
               reinterpret_cast<WPARAM>(
                   statusFont_ ? statusFont_.get()
                               : reinterpret_cast<HFONT>(SendMessageA(stat1_, WM_GETFONT, 0, 0))),
               FALSE);
}

std::vector<HintedControl> MainWindow::hintedControls() const {
  std::vector<HintedControl> controls;
  for (const Button& button : buttons_) controls.push_back({button.hwnd, button.spec.hint});
  controls.push_back({lv1_->hwnd(), ListHint});
  return controls;
}

void MainWindow::show(platform::ShowCommand command) {
  const Rect desktop =
      Rect::fromSize(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                     GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  RECT outer{};
  GetWindowRect(hwnd_, &outer);
  const Point place = DesktopCenter(desktop, {outer.right - outer.left, outer.bottom - outer.top});
  SetWindowPos(hwnd_, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  switch (command) {
    case platform::ShowCommand::Maximized:
      ShowWindow(hwnd_, SW_SHOWMAXIMIZED);
      break;
    case platform::ShowCommand::Minimized:
      ShowWindow(hwnd_, SW_SHOWMINNOACTIVE);
      break;
    default:
      ShowWindow(hwnd_, SW_SHOWNORMAL);
  }
  UpdateWindow(hwnd_);
  if (GetActiveWindow() == hwnd_) SetFocus(lastFocus_);
}

// ---- Messages ------------------------------------------------------------------------------

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->hwnd_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  try {
    return self->handleMessage(message, wParam, lParam);
  } catch (const std::exception& failure) {
    // Nothing unwinds through the system's frames: what a handler did not catch is shown here.
    ShowFailure(failure);
    return 0;
  }
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      layout();
      return 0;
    case WM_PAINT:
      paintPanels();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = {scale_(MinimumOuterWidth), scale_(MinimumOuterHeight)};
      return 0;
    }
    case WM_COMMAND:
      onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY:
      return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_DRAWITEM:
      onDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_ACTIVATE:
      // The focus returns to the control that had it when the window was last left.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      } else if (!HIWORD(wParam) && lastFocus_) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    case WM_SETFOCUS:
      if (lastFocus_) SetFocus(lastFocus_);
      return 0;
    case WM_TIMER:
      if (sampler_ && wParam == sampler_->id()) sampler_->tick();
      return 0;
    case SurveyWakeMessage:
      if (windowThread_) windowThread_->runPending();
      return 0;
    case WM_SETTINGCHANGE:
      if (lParam) onSettingChange(reinterpret_cast<const char*>(lParam));
      break;
    case WM_CLOSE:
      onClose();
      return 0;
    case WM_QUERYENDSESSION:
      // Nothing is saved, so the program agrees to end at once.
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) {
        runner_.reset();
        if (hwnd_) DestroyWindow(hwnd_);
      }
      return 0;
    case WM_DESTROY:
      if (endLoopOnDestroy_) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

void MainWindow::layout() {
  if (!lv1_) return;
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int width = client.right;
  const int height = client.bottom;
  const int toolbar = scale_(ToolbarHeight);
  const int margin = scale_(ButtonMargin);
  const int buttonWidth = scale_(ButtonWidth);
  const int buttonHeight = scale_(ButtonHeight);
  const int status = scale_(StatusHeight);

  HDWP moves = BeginDeferWindowPos(static_cast<int>(buttons_.size()) + 2);
  const auto place = [&moves](HWND window, int x, int y, int w, int h) {
    if (moves)
      moves = DeferWindowPos(moves, window, nullptr, x, y, std::max(w, 0), std::max(h, 0),
                             SWP_NOZORDER | SWP_NOACTIVATE);
  };
  // The buttons from the left edge in the order they read; those that follow the right edge are
  // laid out from it, the last one nearest it.
  int left = Bevel + margin;
  int right = width - Bevel - margin;
  for (const Button& button : buttons_) {
    if (button.spec.followsRightEdge) continue;
    place(button.hwnd, left, Bevel + margin, buttonWidth, buttonHeight);
    left += buttonWidth + 2 * margin;
  }
  for (auto button = buttons_.rbegin(); button != buttons_.rend(); ++button) {
    if (!button->spec.followsRightEdge) continue;
    place(button->hwnd, right - buttonWidth, Bevel + margin, buttonWidth, buttonHeight);
    right -= buttonWidth + 2 * margin;
  }
  place(lv1_->hwnd(), Bevel, toolbar + Bevel, width - 2 * Bevel,
        height - toolbar - 2 * Bevel - status);
  place(stat1_, Bevel, height - Bevel - status, width - 2 * Bevel, status);
  if (moves) EndDeferWindowPos(moves);
  lv1_->divideColumns();
  setProgressText(WindowText(progress1_));
  // The bevels move with the edges.
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void MainWindow::paintPanels() {
  PaintContext paint(hwnd_);
  RECT client{};
  GetClientRect(hwnd_, &client);
  const int toolbar = scale_(ToolbarHeight);
  RECT pnl1{0, 0, client.right, toolbar};
  RECT pnl2{0, toolbar, client.right, client.bottom};
  DrawEdge(paint.dc(), &pnl1, BDR_RAISEDINNER, BF_RECT);
  DrawEdge(paint.dc(), &pnl2, BDR_RAISEDINNER, BF_RECT);
}

MainWindow::Button* MainWindow::buttonById(int id) {
  for (Button& button : buttons_)
    if (button.id == id) return &button;
  return nullptr;
}

void MainWindow::onCommand(int id, int code) {
  if (id == IDCANCEL) {
    // Esc, through the dialog manager: it stops a run and does nothing else.
    if (surveyRunning()) runner_->stop();
    return;
  }
  Button* button = buttonById(id);
  if (!button || code != BN_CLICKED) return;
  // While a run lasts the commands are not taken; "Exit" closes, which stops the run.
  if (surveyRunning() && id != btn4Id) return;
  Guarded([this, button] { (this->*(button->handler))(); });
}

LRESULT MainWindow::onNotify(const NMHDR& header) {
  if (header.idFrom != static_cast<UINT_PTR>(lv1Id)) return 0;
  switch (header.code) {
    case NM_DBLCLK:
      if (!surveyRunning()) Guarded([this] { lv1DblClick(); });
      return 0;
    case LVN_ITEMCHANGING: {
      // The rows belong to the run while it lasts: the user's ticks wait for its end.
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      return CheckChangeOf(change) && surveyRunning() && !updatingList_ ? TRUE : FALSE;
    }
    case LVN_ITEMCHANGED: {
      const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
      const auto ticked = CheckChangeOf(change);
      if (ticked && !updatingList_ && !surveyRunning() && change.iItem >= 0 &&
          static_cast<std::size_t>(change.iItem) < list_.rows().size())
        list_.rows()[static_cast<std::size_t>(change.iItem)].Checked = *ticked;
      return 0;
    }
  }
  return 0;
}

void MainWindow::onDrawItem(const DRAWITEMSTRUCT& item) {
  for (const Button& button : buttons_)
    if (button.hwnd == item.hwndItem)
      DrawPictureButton(item, button.icon.get(), font_.font.get(),
                        {scale_(PictureSize), scale_(PictureGap)});
}

void MainWindow::onClose() {
  if (surveyRunning()) {
    // The run stops first; the window closes as soon as it has.
    closeAfterRun_ = true;
    runner_->stop();
    return;
  }
  DestroyWindow(hwnd_);
}

void MainWindow::onSettingChange(const char* area) {
  if (lstrcmpiA(area, "intl") == 0) readRegionalSettings();
}

void MainWindow::readRegionalSettings() {
  // The run's thread reads the settings; a change announced meanwhile waits for its end.
  settingsChangedDuringRun_ = surveyRunning();
  if (!settingsChangedDuringRun_) list_.setRegionalSettings(ReadRegionalSettings(platform_));
}

void MainWindow::setStatusText(const std::string& text) {
  SendMessageA(stat1_, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

void MainWindow::setProgressText(const std::string& text) {
  SetWindowTextA(progress1_, text.c_str());
  if (text.empty()) {
    ShowWindow(progress1_, SW_HIDE);
    return;
  }
  RECT bar{};
  GetClientRect(stat1_, &bar);
  HDC dc = GetDC(progress1_);
  SIZE extent{};
  {
    GdiSelection selected(dc, reinterpret_cast<HFONT>(SendMessageA(progress1_, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  }
  ReleaseDC(progress1_, dc);
  const int gap = scale_(ProgressGap);
  const int width = std::min<int>(extent.cx + gap, bar.right / 2);
  SetWindowPos(progress1_, nullptr, bar.right - width - gap / 2, 0, width, bar.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  InvalidateRect(progress1_, nullptr, TRUE);
}

void MainWindow::showRow(std::size_t index) {
  updatingList_ = true;
  lv1_->showRow(index, runner_ ? runner_->shownRow(index) : ShownRowOf(list_.rows()[index]));
  updatingList_ = false;
}

void MainWindow::showAllRows() {
  for (std::size_t index = 0; index < list_.rows().size(); ++index) showRow(index);
}

// ---- Handlers ------------------------------------------------------------------------------

void MainWindow::FormCreate() {
  readRegionalSettings();
  list_.CreateBasicList();
  updatingList_ = true;
  lv1_->createRows(list_.rows());
  updatingList_ = false;
}

void MainWindow::btn1Click() { runner_->start(SurveyRunner::Job::Survey); }

void MainWindow::btn2Click() {
  list_.SelectAll();
  showAllRows();
}

void MainWindow::btn3Click() {
  list_.SelectNone();
  showAllRows();
}

void MainWindow::btn4Click() { SendMessageA(hwnd_, WM_CLOSE, 0, 0); }

void MainWindow::btn5Click() {
  if (showAbout) showAbout();
}

void MainWindow::btn6Click() { ExportReport(platform_, list_, computerInfo_); }

void MainWindow::btn7Click() { runner_->start(SurveyRunner::Job::Clear); }

void MainWindow::lv1DblClick() {
  OpenDoubleClickedFolder(list_.rows(), lv1_->selectedRow(), platform_, launcher_);
}

void MainWindow::onRowsHandedBack(std::size_t first, std::size_t last) {
  for (std::size_t index = first; index <= last && index < list_.rows().size(); ++index)
    showRow(index);
}

void MainWindow::onSurveyFinished(std::exception_ptr failure) {
  showAllRows();
  if (settingsChangedDuringRun_) readRegionalSettings();
  if (failure) Guarded([failure] { std::rethrow_exception(failure); });
  if (closeAfterRun_) DestroyWindow(hwnd_);
}

}  // namespace tarnwick::ui::win32
