// The balloon hint component of the main window: its settings say what a balloon shows, and
// switching it to application hints makes every hint of the program a balloon.
#pragma once

#include <QObject>
#include <QPixmap>
#include <QPointer>

#include "ui/qt/balloon_layout.h"
#include "ui/qt/image_list.h"

namespace tarnwick::ui {

class BalloonHintController;

class BalloonHint : public QObject {
  Q_OBJECT
 public:
  explicit BalloonHint(QObject* parent = nullptr);
  ~BalloonHint() override;

  // Turning it on cancels any hint on screen and replaces the plain tool tips of the whole
  // application with balloons; turning it off (or destroying the component) gives them back.
  bool useBalloonAsApplicationHint() const { return controller_ != nullptr; }
  void setUseBalloonAsApplicationHint(bool on);

  HintOptions applicationHintOptions() const { return settings_.options; }
  void setApplicationHintOptions(HintOptions options) { settings_.options = options; }
  QString defaultHeader() const { return settings_.header; }
  void setDefaultHeader(const QString& header) { settings_.header = header; }
  IconKind defaultIcon() const { return settings_.icon; }
  void setDefaultIcon(IconKind icon) { settings_.icon = icon; }
  int defaultImageIndex() const { return settings_.imageIndex; }
  void setDefaultImageIndex(int index) { settings_.imageIndex = index; }
  ImageList* images() const { return images_; }
  void setImages(ImageList* images) { images_ = images; }
  BalloonPosition defaultBalloonPosition() const { return settings_.position; }
  void setDefaultBalloonPosition(BalloonPosition position) { settings_.position = position; }

  // The settings as the layout takes them, with the image list's count and size filled in.
  BalloonContentSettings contentSettings() const;
  // The picture drawn at the icon's place: the chosen image, or the system's icon of the kind.
  QPixmap iconPicture() const;

  BalloonHintController* controller() const;

 private:
  BalloonContentSettings settings_;
  QPointer<ImageList> images_;
  QPointer<QObject> controller_;  // a BalloonHintController; another component may end it
};

// The main window's `balloonHint`: header "Tarnwick", picture 0 of `images` as the icon, and
// balloons for every hint of the application.
BalloonHint* MakeProgramBalloonHint(QObject* owner, ImageList* images);

// Ends balloons for the rest of the program's life: cancels any hint and destroys the window.
void SwitchApplicationHintsOff();

}  // namespace tarnwick::ui
