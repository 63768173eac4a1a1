// The About window: names the program and its version, says what it does, credits its maker and
// links to the project's web site. Created once, hidden, and shown modally on "About...".
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;

namespace tarnwick::ui {

class MainWindow;
class PictureBox;
class SchemeLabel;
class ShadowLabel;

class AboutBox : public QDialog {
  Q_OBJECT

 public:
  // Asks the system to open a link target; the result is not looked at.
  using Opener = std::function<void(const QString& target)>;

  explicit AboutBox(QWidget* parent = nullptr);

  void setOpener(Opener opener);

  // The link target a control holds; the links keep it in their hint, which this window never
  // shows.
  static QString HintOf(const QWidget* control);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void CommentsMouseMove();
  void CommentsMouseLeave();
  void CommentsClick();
  void Image1MouseMove();
  void Image1MouseLeave();
  void Image1Click();
  void image3MouseEnter();
  void image3MouseLeave();
  void image3Click();

  void openHint(const QWidget* control);

  Opener opener_;
  PictureBox* image3_ = nullptr;
  QWidget* panel1_ = nullptr;
  QLabel* creditLabel_ = nullptr;
  QLabel* comments_ = nullptr;
  PictureBox* image1_ = nullptr;
  ShadowLabel* titleLabel_ = nullptr;
  SchemeLabel* descriptionLabel_ = nullptr;
  PictureBox* image4_ = nullptr;
  // The check mark shifts once per entry and back once per leave, whatever the order in which
  // the system reports them.
  bool image3Hovered_ = false;
};

// Start-up's step after the main window: the one About window, created hidden and owned by the
// main window, which "About..." shows modally from then on.
AboutBox* CreateAboutBox(MainWindow& mainWindow);

}  // namespace tarnwick::ui
