// The main window: the toolbar of seven commands, the folder list and the status line.
#pragma once

#include <QWidget>
#include <exception>
#include <functional>
#include <memory>

#include "core/folder_list.h"
#include "core/system_folders.h"
#include "platform/platform.h"
#include "ui/launcher.h"
#include "ui/main_window_layout.h"
#include "ui/qt/window_thread.h"
#include "ui/survey_runner.h"

class QFrame;
class QLabel;

namespace tarnwick::ui {

class FolderListModel;
class FolderListView;
class PictureButton;
class BalloonHint;
class ImageList;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(platform::Platform& platform, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Shows the About window modally; set by whoever builds it. Until then "About..." does nothing.
  std::function<void()> showAbout;

  FolderList& folderList() { return list_; }
  Launcher& launcher() { return launcher_; }
  BalloonHint* balloonHint() const { return balloonHint_; }
  bool surveyRunning() const;

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

 signals:
  // A survey or clear run has ended (its rows and status text are in place).
  void surveyFinished();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void buildToolbar();
  void buildListPanel();
  void setTabOrder();
  PictureButton* addButton(const ToolbarButton& button, void (MainWindow::*handler)());
  void applyOuterMinimum();
  void placeOnDesktop();
  void onSurveyFinished(std::exception_ptr failure);
  void readRegionalSettings();

  platform::Platform& platform_;
  ComputerInfo computerInfo_;
  FolderList list_;
  Launcher launcher_;
  ImageList* il1_ = nullptr;
  BalloonHint* balloonHint_ = nullptr;
  FolderListModel* model_ = nullptr;
  QtWindowThread windowThread_{this};
  QtRepeatingTimer sampler_;
  std::unique_ptr<SurveyRunner> runner_;
  QFrame* pnl1_ = nullptr;
  QFrame* pnl2_ = nullptr;
  FolderListView* lv1_ = nullptr;
  QLabel* stat1_ = nullptr;
  QLabel* progress1_ = nullptr;
  PictureButton* btn1_ = nullptr;
  PictureButton* btn2_ = nullptr;
  PictureButton* btn3_ = nullptr;
  PictureButton* btn4_ = nullptr;
  PictureButton* btn5_ = nullptr;
  PictureButton* btn6_ = nullptr;
  PictureButton* btn7_ = nullptr;
  bool placed_ = false;
  bool closeAfterRun_ = false;
  bool settingsChangedDuringRun_ = false;
};

}  // namespace tarnwick::ui
