#include "ui/win32/main_window.h"

#include <commctrl.h>

#include <algorithm>

#include "report/report.h"
#include "ui/win32/checked.h"
#include "ui/win32/failure_box.h"
#include "ui/win32/picture_button.h"

namespace tarnwick::ui::win32 {

namespace {

// The design, at 96 dots per inch.
constexpr int DesignClientWidth = 534;
constexpr int DesignClientHeight = 365;
constexpr int MinimumOuterWidth = 550;
constexpr int MinimumOuterHeight = 250;
constexpr int ToolbarHeight = 73;
constexpr int ButtonWidth = 70;
constexpr int ButtonHeight = 65;
constexpr int ButtonMargin = 3;
constexpr int PictureSize = 32;
constexpr int PictureGap = 4;
constexpr int StatusHeight = 19;
constexpr int ProgressGap = 8;
// The panels' raised bevel stays one pixel wide at every resolution.
constexpr int Bevel = 1;

constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr UINT_PTR ProgressTimer = 1;

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

POINT DesktopCenter(const RECT& desktop, SIZE window) {
  const LONG width = desktop.right - desktop.left;
  const LONG height = desktop.bottom - desktop.top;
  const LONG left = width / 2 + desktop.left - window.cx / 2;
  const LONG top = height / 2 + desktop.top - window.cy / 2;
  return {std::max(left, desktop.left), std::max(top, desktop.top)};
}

}  // namespace

MainWindow::MainWindow(platform::Platform& platform)
    : platform_(platform),
      computerInfo_(platform),
      list_(platform, computerInfo_),
      launcher_(platform),
      buttons_{{
          {btn1Id,
           "Get Data",
           "GET_DATA",
           "Retrieve information for selected special folders",
           &MainWindow::btn1Click,
           nullptr,
           {}},
          {btn2Id,
           "Select All",
           "SELECT_ALL",
           "Select all folders",
           &MainWindow::btn2Click,
           nullptr,
           {}},
          {btn3Id,
           "Select None",
           "SELECT_NONE",
           "Unselect folders",
           &MainWindow::btn3Click,
           nullptr,
           {}},
          {btn4Id, "Exit", "EXIT", "Exit Tarnwick", &MainWindow::btn4Click, nullptr, {}},
          {btn5Id, "About...", "ABOUT", "About Tarnwick", &MainWindow::btn5Click, nullptr, {}},
          {btn6Id,
           "Export",
           "EXPORT",
           "Export selected folders information to a csv file",
           &MainWindow::btn6Click,
           nullptr,
           {}},
          {btn7Id, "Clear", "CLEAR", "Clear the listview", &MainWindow::btn7Click, nullptr, {}},
      }} {
  launcher_.Action = "Explore";
  launcher_.Timeout = -1;
  font_ = MakeWindowFont();
  scale_ = DisplayScale(font_.textHeight);
  statusFont_ = MakeStatusFont();

  const HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterWindowClass(instance, &MainWindow::Procedure);
  RECT outer{0, 0, scale_(DesignClientWidth), scale_(DesignClientHeight)};
  AdjustWindowRectEx(&outer, WindowStyle, FALSE, 0);
  Checked(CreateWindowExA(0, ClassName, "Tarnwick 1.0", WindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                          instance, this),
          "Creating the main window");
  // The procedure set hwnd_ while the window was being created.
  createControls();
  runner_ = std::make_unique<SurveyThread>(
      list_, hwnd_, SurveyWakeMessage,
      SurveyThread::Events{[this](std::size_t row) { onRowsHandedBack(row); },
                           [this](std::exception_ptr failure) { onSurveyFinished(failure); }});
  // Status texts come from this thread, or from the survey's in the order the run sets them.
  list_.setStatusSink([this](const std::string& text) {
    if (runner_ && runner_->onThisThread())
      runner_->post([this, text] { setStatusText(text); });
    else
      setStatusText(text);
  });
  FormCreate();
  layout();
  lastFocus_ = buttons_[0].hwnd;
}

MainWindow::~MainWindow() {
  // The run's thread writes the rows; it must be gone before they are.
  runner_.reset();
  list_.setStatusSink({});
  if (hwnd_) DestroyWindow(hwnd_);
}

void MainWindow::createControls() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const int pictureSize = scale_(PictureSize);
  // Created in Tab order: the dialog manager visits the controls in the order they were made.
  for (Button& button : buttons_) {
    button.hwnd = Checked(
        CreateWindowExA(0, WC_BUTTONA, button.caption,
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, 0, 0, 0, 0, hwnd_,
                        reinterpret_cast<HMENU>(INT_PTR(button.id)), instance, nullptr),
        "Creating a toolbar button");
    SendMessageA(button.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.font.get()), FALSE);
    button.icon.reset(static_cast<HICON>(
        LoadImageA(instance, button.picture, IMAGE_ICON, pictureSize, pictureSize, 0)));
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
  for (const Button& button : buttons_) controls.push_back({button.hwnd, button.hint});
  controls.push_back(
      {lv1_->hwnd(), "Special folders list, double click on a populated folder to explore it"});
  return controls;
}

void MainWindow::show(platform::ShowCommand command) {
  RECT desktop{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
  desktop.right = desktop.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
  desktop.bottom = desktop.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  RECT outer{};
  GetWindowRect(hwnd_, &outer);
  const POINT place = DesktopCenter(desktop, {outer.right - outer.left, outer.bottom - outer.top});
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
      if (wParam == ProgressTimer && runner_) setProgressText(runner_->progressText());
      return 0;
    case SurveyWakeMessage:
      if (runner_) runner_->runPending();
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
        DestroyWindow(hwnd_);
      }
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
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
  // Five buttons from the left edge in the order they read, "About..." and "Exit" at the right.
  const int leftGroup[] = {btn1Id, btn2Id, btn3Id, btn6Id, btn7Id};
  int x = Bevel + margin;
  for (int id : leftGroup) {
    place(buttonById(id)->hwnd, x, Bevel + margin, buttonWidth, buttonHeight);
    x += buttonWidth + 2 * margin;
  }
  x = width - Bevel - margin - buttonWidth;
  place(buttonById(btn4Id)->hwnd, x, Bevel + margin, buttonWidth, buttonHeight);
  place(buttonById(btn5Id)->hwnd, x - 2 * margin - buttonWidth, Bevel + margin, buttonWidth,
        buttonHeight);
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
    if (runner_ && runner_->running()) runner_->stop();
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

void MainWindow::showAllRows() {
  updatingList_ = true;
  for (std::size_t index = 0; index < list_.rows().size(); ++index)
    lv1_->showRow(index, list_.rows()[index]);
  updatingList_ = false;
}

// ---- Handlers ------------------------------------------------------------------------------

void MainWindow::FormCreate() {
  readRegionalSettings();
  list_.CreateBasicList();
  updatingList_ = true;
  lv1_->createRows(list_.rows());
  updatingList_ = false;
}

void MainWindow::btn1Click() {
  shownRows_ = 0;
  runner_->start(SurveyThread::Job::Survey);
  SetTimer(hwnd_, ProgressTimer, SurveyThread::SampleMilliseconds, nullptr);
  setProgressText(runner_->progressText());
}

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

void MainWindow::btn7Click() {
  shownRows_ = 0;
  runner_->start(SurveyThread::Job::Clear);
  SetTimer(hwnd_, ProgressTimer, SurveyThread::SampleMilliseconds, nullptr);
  setProgressText(runner_->progressText());
}

void MainWindow::lv1DblClick() {
  const auto selected = lv1_->selectedRow();
  if (!selected) return;
  const FolderRow& row = list_.rows()[*selected];
  if (!row.Checked || row.SubItems.empty()) return;
  const std::string& location = row.SubItems.front();
  // The folder may have been replaced by a file or a program since the survey; the shell would
  // open or run that, so only a directory is handed over.
  if (!platform_.directoryExists(location)) return;
  launcher_.FileName = location;
  launcher_.OpenWithShell();
}

void MainWindow::onRowsHandedBack(std::size_t lastRow) {
  updatingList_ = true;
  for (; shownRows_ <= lastRow && shownRows_ < list_.rows().size(); ++shownRows_)
    lv1_->showRow(shownRows_, list_.rows()[shownRows_]);
  updatingList_ = false;
}

void MainWindow::onSurveyFinished(std::exception_ptr failure) {
  KillTimer(hwnd_, ProgressTimer);
  showAllRows();
  setProgressText(runner_->progressText());
  if (settingsChangedDuringRun_) readRegionalSettings();
  if (failure) Guarded([failure] { std::rethrow_exception(failure); });
  if (closeAfterRun_) DestroyWindow(hwnd_);
}

}  // namespace tarnwick::ui::win32
