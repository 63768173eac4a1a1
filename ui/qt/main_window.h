// The main window: the toolbar of seven commands, the folder list and the status line.
#pragma once

#include <QWidget>
#include <exception>
#include <functional>

#include "core/folder_list.h"
#include "core/system_folders.h"
#include "platform/platform.h"
#include "ui/launcher.h"

class QFrame;
class QLabel;

namespace tarnwick::ui {

class FolderListModel;
class FolderListView;
class PictureButton;
class BalloonHint;
class ImageList;
class SurveyRunner;

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

  // The client size the window opens with, at 96 dots per inch.
  static constexpr int DesignWidth = 534;
  static constexpr int DesignHeight = 365;
  // The smallest outer size, frame included.
  static constexpr int MinimumOuterWidth = 550;
  static constexpr int MinimumOuterHeight = 250;

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
  PictureButton* addButton(const char* name, const QString& caption, const QString& picture,
                           const QString& hint, void (MainWindow::*handler)());
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
  SurveyRunner* runner_ = nullptr;
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

// Where a window of outer size `window` goes so that it is centred on `desktop`, the rectangle
// spanning all monitors; halves are rounded down and the result kept inside the top left.
QPoint DesktopCenter(const QRect& desktop, const QSize& window);

}  // namespace tarnwick::ui
