#include "ui/qt/balloon_hint.h"

#include <QApplication>
#include <QStyle>

#include "ui/qt/balloon_hint_controller.h"

namespace tarnwick::ui {

BalloonHint::BalloonHint(QObject* parent) : QObject(parent) {}

BalloonHint::~BalloonHint() { setUseBalloonAsApplicationHint(false); }

void BalloonHint::setUseBalloonAsApplicationHint(bool on) {
  if (on == (controller_ != nullptr)) return;
  if (on) {
    // One controller serves the whole application; the latest component to ask takes it over.
    delete BalloonHintController::active();
    controller_ = new BalloonHintController([this] { return contentSettings(); },
                                            [this] { return iconPicture(); });
  } else {
    delete controller_.data();
    controller_ = nullptr;
  }
}

BalloonContentSettings BalloonHint::contentSettings() const {
  BalloonContentSettings s = settings_;
  s.imageCount = images_ ? images_->count() : 0;
  if (images_) s.pictureSize = {images_->pictureSize().width(), images_->pictureSize().height()};
  return s;
}

QPixmap BalloonHint::iconPicture() const {
  const QSize small(16, 16);
  QStyle* style = QApplication::style();
  switch (settings_.icon) {
    case IconKind::None:
      return {};
    case IconKind::Custom: {
      const QPixmap picture = images_ ? images_->picture(settings_.imageIndex) : QPixmap();
      if (!picture.isNull()) return picture;
      return style->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(small);
    }
    case IconKind::Application:
      return QApplication::windowIcon().pixmap(small);
    case IconKind::Error:
      return style->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(small);
    case IconKind::Information:
      return style->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(small);
    case IconKind::Question:
      return style->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(small);
    case IconKind::Warning:
      return style->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(small);
  }
  return {};
}

BalloonHint* MakeProgramBalloonHint(QObject* owner, ImageList* images) {
  auto* hint = new BalloonHint(owner);
  hint->setObjectName("balloonHint");
  const BalloonContentSettings program = ProgramBalloonContent();
  hint->setDefaultHeader(program.header);
  hint->setDefaultIcon(program.icon);
  hint->setDefaultImageIndex(program.imageIndex);
  hint->setImages(images);
  hint->setUseBalloonAsApplicationHint(true);
  return hint;
}

void SwitchApplicationHintsOff() {
  if (BalloonHintController* controller = BalloonHintController::active()) {
    controller->switchHintsOff();
  }
}

}  // namespace tarnwick::ui
