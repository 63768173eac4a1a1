// The balloon itself: a frameless, never-activated, input-transparent top-level window cut to the
// balloon's shape, painting what the layout and placement decided.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include "ui/balloon_show.h"

class QVariantAnimation;

namespace tarnwick::ui {

class BalloonWindow : public QWidget {
  Q_OBJECT
 public:
  BalloonWindow();
  ~BalloonWindow() override;

  // Sizes of texts in this window's header and message fonts.
  BalloonTextMeasure textMeasure() const;

  // Shows a balloon as prepared: placed, shaped and with its animation chosen.
  void showBalloon(const PreparedBalloon& balloon, const QPixmap& icon);

  const BalloonLayout& placedLayout() const { return layout_; }
  BalloonAnimation lastAnimation() const { return animation_; }
  const QRegion& shape() const { return region_; }

  QFont messageFont() const;
  QFont headerFont() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void startAnimation(BalloonAnimation kind);
  void setSlideOffset(int offset);

  BalloonLayout layout_;
  QPixmap icon_;
  QRegion region_;
  QRegion outline_;
  int slideOffset_ = 0;
  BalloonAnimation animation_ = BalloonAnimation::None;
  QPointer<QVariantAnimation> running_;
};

}  // namespace tarnwick::ui
