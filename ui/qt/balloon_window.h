// The balloon itself: a frameless, never-activated, input-transparent top-level window cut to the
// balloon's shape, painting what the layout and placement decided.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include "ui/balloon_animation.h"
#include "ui/qt/balloon_layout.h"

class QVariantAnimation;

namespace tarnwick::ui {

// The screen values the placement needs: the primary monitor's work area and the desktop.
struct BalloonScreen {
  BalloonRect workArea;
  BalloonRect desktop;
};
BalloonScreen CurrentBalloonScreen();

class BalloonWindow : public QWidget {
  Q_OBJECT
 public:
  BalloonWindow();
  ~BalloonWindow() override;

  // Sizes of texts in this window's header and message fonts.
  BalloonTextMeasure textMeasure() const;

  // Places a measured balloon whose rectangle stands at `screenRect`, shapes it and shows it.
  // `animation` carries everything of the animation rule but the balloon's final top.
  void showBalloon(const BalloonLayout& measured, const BalloonRect& screenRect,
                   const BalloonScreen& screen, const QPixmap& icon,
                   BalloonAnimationInputs animation);

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
