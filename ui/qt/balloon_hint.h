// The balloon hint component of the main window: its settings say what a balloon shows, and
// switching it to application hints makes every hint of the program a balloon.
#pragma once

#include <QObject>
#include <QPixmap>
#include <QPointer>

#include "ui/balloon_layout.h"
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
  void setUseBalloonAsApplicationHint(bool on);

  void setDefaultHeader(const std::string& header) { settings_.header = header; }
  void setDefaultIcon(IconKind icon) { settings_.icon = icon; }
  void setDefaultImageIndex(int index) { settings_.imageIndex = index; }
  void setImages(ImageList* images) { images_ = images; }

  // The settings as the layout takes them, with the image list's count and size filled in.
  BalloonContentSettings contentSettings() const;
  // The picture drawn at the icon's place: the chosen image, or the system's icon of the kind.
  QPixmap iconPicture() const;

 private:
  BalloonContentSettings settings_;
  QPointer<ImageList> images_;
  // The application's one controller while this component has balloons on; another component
  // that turns them on takes it over.
  QPointer<BalloonHintController> controller_;
};

// The main window's `balloonHint`: the program's balloon settings with the pictures of `images`,
// and balloons for every hint of the application.
BalloonHint* MakeProgramBalloonHint(QObject* owner, ImageList* images);

// Ends balloons for the rest of the program's life: cancels any hint and destroys the window.
void SwitchApplicationHintsOff();

}  // namespace tarnwick::ui
