#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QImage>
#include <QPalette>

#include "tests/ui/qt/window_fixture.h"

namespace tarnwick::ui::testing {
namespace {

// A dark colour scheme as a desktop's platform theme hands it to the application.
QPalette DarkPalette() {
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
  dark.setColor(QPalette::WindowText, QColor(0xe6, 0xe6, 0xe6));
  dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
  dark.setColor(QPalette::AlternateBase, QColor(0x26, 0x26, 0x26));
  dark.setColor(QPalette::Text, QColor(0xe6, 0xe6, 0xe6));
  dark.setColor(QPalette::Button, QColor(0x33, 0x33, 0x33));
  dark.setColor(QPalette::ButtonText, QColor(0xe6, 0xe6, 0xe6));
  dark.setColor(QPalette::Highlight, QColor(0x2a, 0x6f, 0xd6));
  dark.setColor(QPalette::HighlightedText, Qt::white);
  return dark;
}

class DarkSchemeTest : public WindowTest {
 protected:
  DarkSchemeTest() : saved_(QApplication::palette()) { QApplication::setPalette(DarkPalette()); }
  ~DarkSchemeTest() override { QApplication::setPalette(saved_); }

 private:
  QPalette saved_;
};

// Every colour of the main window comes from the system, so a dark scheme leaves no light
// patch: the toolbar's gap between the two button groups, the list's rows and the status line.
TEST_F(DarkSchemeTest, MainWindowFollowsADarkPalette) {
  const QImage image = window().grab().toImage();
  QWidget* toolbar = child("pnl1");
  QWidget* about = button("btn5");
  QWidget* clear = button("btn7");
  const QPoint gap = toolbar->mapTo(
      &window(),
      QPoint((clear->geometry().right() + about->geometry().left()) / 2, toolbar->height() / 2));
  QAbstractItemView* view = list();
  const QPoint emptyCell = view->viewport()->mapTo(
      &window(), QPoint(view->viewport()->width() / 2,
                        view->visualRect(view->model()->index(3, 1)).center().y()));
  QWidget* statusLine = child("stat1");
  const QPoint statusPoint =
      statusLine->mapTo(&window(), QPoint(statusLine->width() - 3, statusLine->height() / 2));

  const struct {
    const char* where;
    QPoint point;
  } places[] = {{"toolbar gap", gap}, {"list cell", emptyCell}, {"status line", statusPoint}};
  for (const auto& place : places) {
    SCOPED_TRACE(place.where);
    const QPoint pixel = place.point * image.devicePixelRatio();
    EXPECT_LT(image.pixelColor(pixel).lightness(), 80)
        << image.pixelColor(pixel).name().toStdString();
  }
  if (const QByteArray path = qgetenv("TARNWICK_DARK_SHOT"); !path.isEmpty())
    image.save(QString::fromLocal8Bit(path));
}

}  // namespace
}  // namespace tarnwick::ui::testing
