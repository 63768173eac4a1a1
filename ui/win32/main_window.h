// The main window: the toolbar of seven picture buttons, the folder list and the status line.
// One C++ object per window; its window procedure hands each message to a named member.
#pragma once

#include <windows.h>

#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/folder_list.h"
#include "core/system_folders.h"
#include "platform/platform.h"
#include "ui/launcher.h"
#include "ui/main_window_layout.h"
#include "ui/survey_runner.h"
#include "ui/win32/display_scale.h"
#include "ui/win32/folder_list_view.h"
#include "ui/win32/handles.h"
#include "ui/win32/window_services.h"

namespace tarnwick::ui::win32 {

// A control of the window and the hint it explains itself with.
struct HintedControl {
  HWND control;
  const char* hint;
};

class MainWindow {
 public:
  static constexpr const char* ClassName = "TarnwickMainWindow";

  explicit MainWindow(platform::Platform& platform);
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;
  ~MainWindow();  // stops a run and waits for it, then destroys the window if it still exists

  // The first show: centred on the whole desktop, in the state the program was started with,
  // the focus on "Get Data".
  void show(platform::ShowCommand command);

  HWND hwnd() const { return hwnd_; }
  bool alive() const { return hwnd_ != nullptr; }
  FolderList& folderList() { return list_; }
  Launcher& launcher() { return launcher_; }
  bool surveyRunning() const { return runner_ && runner_->running(); }

  // Shows the About window modally; set by whoever builds it. Until then "About..." does nothing.
  std::function<void()> showAbout;
  // The controls that carry hints, for the hint machinery.
  std::vector<HintedControl> hintedControls() const;

  // Handlers, named after the control and the event.
  void FormCreate();
  void btn1Click();  // Get Data
  void btn2Click();  // Select All
  void btn3Click();  // Select None
  void btn4Click();  // Exit
  void btn5Click();  // About...
  void btn6Click();  // Export
  void btn7Click();  // Clear
  void lv1DblClick();

  // Control identifiers, for WM_COMMAND and for tests that look the controls up.
  enum ControlId : int {
    btn1Id = 101,
    btn2Id,
    btn3Id,
    btn4Id,
    btn5Id,
    btn6Id,
    btn7Id,
    lv1Id = 110,
    stat1Id,
    progress1Id,
  };
  // Posted to the window whenever the survey's thread has handed something back.
  static constexpr UINT SurveyWakeMessage = WM_APP + 1;

 private:
  struct Button {
    const ToolbarButton& spec;
    int id;
    void (MainWindow::*handler)();
    HWND hwnd = nullptr;
    OwnedIcon icon;
  };

  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void createControls();
  void layout();
  void paintPanels();
  void onCommand(int id, int code);
  LRESULT onNotify(const NMHDR& header);
  void onDrawItem(const DRAWITEMSTRUCT& item);
  void onClose();
  void onSurveyFinished(std::exception_ptr failure);
  void onRowsHandedBack(std::size_t first, std::size_t last);
  void onSettingChange(const char* area);
  void readRegionalSettings();
  void setStatusText(const std::string& text);
  void setProgressText(const std::string& text);
  void showRow(std::size_t index);
  void showAllRows();
  Button* buttonById(int id);

  platform::Platform& platform_;
  ComputerInfo computerInfo_;
  FolderList list_;
  Launcher launcher_;
  WindowFont font_;
  OwnedFont statusFont_;
  DisplayScale scale_{DesignTextHeight};
  HWND hwnd_ = nullptr;
  std::array<Button, 7> buttons_;
  std::unique_ptr<FolderListView> lv1_;
  HWND stat1_ = nullptr;
  HWND progress1_ = nullptr;
  std::unique_ptr<Win32WindowThread> windowThread_;
  std::unique_ptr<Win32RepeatingTimer> sampler_;
  std::unique_ptr<SurveyRunner> runner_;
  HWND lastFocus_ = nullptr;
  bool updatingList_ = false;  // the window itself is setting check boxes
  bool closeAfterRun_ = false;
  bool endLoopOnDestroy_ = true;
  bool settingsChangedDuringRun_ = false;
};

}  // namespace tarnwick::ui::win32
