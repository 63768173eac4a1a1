#include "ui/qt/about_box.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "report/report.h"
#include "tests/ui/qt/window_fixture.h"

namespace tarnwick::ui {
namespace {

// Calls `start`, which shows `dialog` modally, and runs `whileShown` inside the modal loop. A
// dialog that does not close is closed after a while so the test fails instead of hanging.
void RunModal(QDialog* dialog, const std::function<void()>& start,
              const std::function<void()>& whileShown) {
  QTimer::singleShot(0, dialog, [dialog, whileShown] {
    if (!QTest::qWaitForWindowExposed(dialog)) ADD_FAILURE() << "dialog not exposed";
    whileShown();
  });
  QTimer safety;
  safety.setSingleShot(true);
  QObject::connect(&safety, &QTimer::timeout, dialog, [dialog] {
    ADD_FAILURE() << "dialog still open";
    dialog->done(-1);
  });
  safety.start(10000);
  start();
}

// A stand-in for the main window with one button that counts its clicks, and the About window
// owned by it, as start-up creates them. The opener records instead of starting a browser.
class AboutBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mainWindow_ = std::make_unique<QWidget>();
    mainWindow_->resize(400, 300);
    button_ = new QPushButton(QStringLiteral("About..."), mainWindow_.get());
    button_->setGeometry(10, 10, 100, 40);
    QObject::connect(button_, &QPushButton::clicked, [this] { ++buttonClicks_; });
    box_ = new AboutBox(mainWindow_.get());
    box_->setOpener([this](const QString& target) { opened_.push_back(target); });
    mainWindow_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(mainWindow_.get()));
  }

  QWidget* control(const char* name) const {
    auto* found = box_->findChild<QWidget*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  // A point of `name`'s box in the coordinates of the About window.
  QPoint at(const char* name, QPoint local) const { return control(name)->mapTo(box_, local); }

  // The pointer and the buttons go through the window as the system delivers them, so the
  // control under the pointer, enter and leave, and modality all take part.
  void moveTo(QPoint point) { QTest::mouseMove(box_->windowHandle(), point); }
  void clickAt(QPoint point) {
    QTest::mouseClick(box_->windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
  }
  void clickMainButton() {
    QTest::mouseClick(mainWindow_->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      button_->geometry().center());
  }

  void showNonModal() {
    box_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box_));
    enterWindow();
  }

  // The pointer comes into the window over its background, as it does across the window's edge.
  void enterWindow() { moveTo({2, 2}); }

  // Shows the About window modally, runs `whileShown` inside the modal loop and returns the
  // loop's result.
  int execWith(const std::function<void()>& whileShown) {
    int result = 0;
    RunModal(
        box_, [&] { result = box_->exec(); },
        [&] {
          enterWindow();
          whileShown();
        });
    return result;
  }

  std::unique_ptr<QWidget> mainWindow_;
  QPushButton* button_ = nullptr;
  int buttonClicks_ = 0;
  AboutBox* box_ = nullptr;
  std::vector<QString> opened_;
};

TEST_F(AboutBoxTest, IsAFixedDialogOfItsSizeWithOnlyACloseBox) {
  EXPECT_EQ(box_->windowTitle(), QStringLiteral("About Tarnwick 1.0"));
  EXPECT_EQ(box_->size(), QSize(298, 287));
  EXPECT_EQ(box_->minimumSize(), box_->maximumSize());
  const Qt::WindowFlags flags = box_->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(box_->isHidden());
}

TEST_F(AboutBoxTest, ControlsLieInTheirBoxesInStackingOrder) {
  struct Case {
    const char* name;
    const char* parent;
    QRect box;
  };
  // Bottom to top within each parent.
  const Case cases[] = {
      {"image3", "aboutBox", {128, 233, 48, 48}},       {"Panel1", "aboutBox", {9, 8, 281, 218}},
      {"CreditLabel", "Panel1", {3, 34, 273, 13}},      {"Comments", "Panel1", {3, 69, 273, 13}},
      {"Image1", "Panel1", {71, 95, 145, 105}},         {"titleLabel", "Panel1", {3, 0, 273, 32}},
      {"descriptionLabel", "Panel1", {3, 53, 273, 13}}, {"image4", "Panel1", {59, 83, 168, 128}},
  };
  int lastIndex = -1;
  QString lastParent;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget* widget = control(c.name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(c.parent));
    EXPECT_EQ(widget->geometry(), c.box);
    const int index = widget->parentWidget()->children().indexOf(widget);
    if (lastParent == c.parent) {
      EXPECT_GT(index, lastIndex);
    }
    lastParent = QString::fromLatin1(c.parent);
    lastIndex = index;
  }
}

TEST_F(AboutBoxTest, TextsAreTheirsAndFitTheirBoxes) {
  auto* comments = static_cast<QLabel*>(control("Comments"));
  EXPECT_EQ(comments->text(), QString::fromUtf8(ProjectWebHost));
  EXPECT_EQ(AboutBox::HintOf(comments), QString::fromUtf8(ProjectWebAddress));
  EXPECT_EQ(AboutBox::HintOf(control("Image1")), QString::fromUtf8(ProjectWebAddress));
  EXPECT_TRUE(comments->toolTip().isEmpty()) << "the window shows no hints";
  EXPECT_EQ(static_cast<QLabel*>(control("titleLabel"))->text(), QStringLiteral("Tarnwick 1.0"));
  EXPECT_EQ(static_cast<QLabel*>(control("descriptionLabel"))->text(),
            QStringLiteral("Get special folders location and size"));
  for (const char* name : {"CreditLabel", "Comments", "titleLabel", "descriptionLabel"}) {
    SCOPED_TRACE(name);
    auto* label = static_cast<QLabel*>(control(name));
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
    EXPECT_LE(label->fontMetrics().height(), label->height());
  }
}

// Whether some pixel of the control as drawn has this colour.
bool Shows(QWidget* control, QColor colour) {
  const QImage shot = control->grab().toImage();
  for (int y = 0; y < shot.height(); ++y)
    for (int x = 0; x < shot.width(); ++x)
      if (shot.pixelColor(x, y) == colour) return true;
  return false;
}

TEST_F(AboutBoxTest, AddressTurnsBlueWithTheHandAndBlackWithTheArrowAfter) {
  // A window text colour that is not black shows that leaving sets black, not the colour the
  // label started with.
  QPalette colours = box_->palette();
  colours.setColor(QPalette::WindowText, QColor(120, 0, 60));
  box_->setPalette(colours);
  showNonModal();
  auto* comments = control("Comments");
  const auto textColour = [comments] { return comments->palette().color(QPalette::WindowText); };
  EXPECT_EQ(textColour(), QColor(120, 0, 60));
  EXPECT_TRUE(Shows(comments, QColor(120, 0, 60)));

  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    moveTo(at("Comments", comments->rect().center()));
    EXPECT_EQ(textColour(), QColor(0, 0, 255));
    EXPECT_TRUE(Shows(comments, QColor(0, 0, 255)));
    EXPECT_EQ(comments->cursor().shape(), Qt::PointingHandCursor);
    moveTo(at("Panel1", {140, 90}));
    EXPECT_EQ(textColour(), QColor(0, 0, 0));
    EXPECT_TRUE(Shows(comments, QColor(0, 0, 0)));
    EXPECT_EQ(comments->cursor().shape(), Qt::ArrowCursor);
  }
}

TEST_F(AboutBoxTest, LinksOpenTheFullAddressAlsoThroughTheFrame) {
  showNonModal();
  QWidget* image1 = control("Image1");
  // Inside both Image1's box and the frame's, near the corner and in the middle.
  for (QPoint local : {QPoint(1, 1), image1->rect().center(), QPoint(144, 104)}) {
    SCOPED_TRACE(local.x());
    moveTo(at("Image1", local));
    EXPECT_EQ(box_->childAt(at("Image1", local)), image1);
    EXPECT_EQ(image1->cursor().shape(), Qt::PointingHandCursor);
  }
  clickAt(at("Image1", image1->rect().center()));
  clickAt(at("Comments", control("Comments")->rect().center()));
  const QString address = QString::fromUtf8(ProjectWebAddress);
  EXPECT_EQ(opened_, (std::vector<QString>{address, address}));

  // On the frame's border outside the picture's box the pointer is over the panel.
  const QPoint border = at("image4", {4, 4});
  moveTo(border);
  EXPECT_EQ(image1->cursor().shape(), Qt::ArrowCursor);
  EXPECT_EQ(box_->childAt(border), control("Panel1"));
  clickAt(border);
  EXPECT_EQ(opened_.size(), 2u);
  EXPECT_TRUE(box_->isVisible()) << "opening a link leaves the window open";
}

TEST_F(AboutBoxTest, CheckMarkShiftsWhileHoveredAndIsBackAfterClosingByIt) {
  const QPoint rest(128, 233);
  const int result = execWith([&] {
    for (int round = 0; round < 3; ++round) {
      SCOPED_TRACE(round);
      moveTo({150, 255});
      EXPECT_EQ(control("image3")->pos(), QPoint(130, 235));
      EXPECT_EQ(control("image3")->cursor().shape(), Qt::PointingHandCursor);
      moveTo({20, 260});
      EXPECT_EQ(control("image3")->pos(), rest);
      EXPECT_EQ(control("image3")->cursor().shape(), Qt::ArrowCursor);
    }
    clickAt({152, 257});
  });
  EXPECT_EQ(result, QDialog::Rejected);
  EXPECT_EQ(control("image3")->pos(), rest);

  // Shown again, it is where it belongs and still closes.
  EXPECT_EQ(execWith([&] {
              EXPECT_EQ(control("image3")->pos(), rest);
              clickAt({152, 257});
            }),
            QDialog::Rejected);
}

TEST_F(AboutBoxTest, ClosingGivesTheMainWindowItsInputBack) {
  struct Case {
    const char* how;
    std::function<void()> close;
  };
  const Case cases[] = {
      {"close box", [this] { box_->windowHandle()->close(); }},
      {"check mark",
       [this] {
         clickAt({152, 257});
       }},
  };
  QPointer<AboutBox> box = box_;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.how);
    buttonClicks_ = 0;
    const int result = execWith([&] {
      EXPECT_EQ(QApplication::activeModalWidget(), box_);
      clickMainButton();
      EXPECT_EQ(buttonClicks_, 0) << "the main window takes no input while About is shown";
      c.close();
    });
    EXPECT_EQ(result, QDialog::Rejected);
    ASSERT_FALSE(box.isNull()) << "closing hides the window, it does not destroy it";
    EXPECT_TRUE(box_->isHidden());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    clickMainButton();
    EXPECT_EQ(buttonClicks_, 1);
  }
}

TEST_F(AboutBoxTest, TitleIsWhiteOverADarkHaloOnThePanel) {
  showNonModal();
  const QImage shot = control("titleLabel")->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QColor face = control("Panel1")->palette().color(QPalette::Button);
  const auto isWhite = [&](int x, int y) { return shot.pixelColor(x, y) == Qt::white; };
  const auto isDark = [&](int x, int y) {
    return shot.valid(x, y) && shot.pixelColor(x, y).lightness() < face.lightness() - 80;
  };
  int white = 0;
  int dark = 0;
  int black = 0;
  // White pixels with a dark pixel just beyond them towards the lower right and the upper left.
  int darkBelowRight = 0;
  int darkAboveLeft = 0;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      if (isDark(x, y)) {
        ++dark;
        if (shot.pixelColor(x, y).lightness() < 10) ++black;
      }
      if (!isWhite(x, y)) continue;
      ++white;
      if (isDark(x + 1, y + 1)) ++darkBelowRight;
      if (isDark(x - 1, y - 1)) ++darkAboveLeft;
    }
  }
  ASSERT_GT(white, 100);
  ASSERT_GT(dark, 100);
  EXPECT_LT(black, white) << "the text is white, not black";
  EXPECT_GT(darkBelowRight, darkAboveLeft) << "the halo lies below and to the right";
  // Away from the text the panel shows through, a step darker from the blend's shift at most.
  const QColor corner = shot.pixelColor(shot.width() - 1, shot.height() - 1);
  EXPECT_NEAR(corner.red(), face.red(), 1);
  EXPECT_NEAR(corner.green(), face.green(), 1);
  EXPECT_NEAR(corner.blue(), face.blue(), 1);
}

// The real main window as start-up builds it: "About..." shows the one About window modally.
class AboutStartUpTest : public testing::WindowTest {};

TEST_F(AboutStartUpTest, AboutShowsTheHiddenAboutBoxModallyAndKeepsIt) {
  AboutBox* box = CreateAboutBox(window());
  EXPECT_TRUE(box->isHidden());
  EXPECT_EQ(window().findChild<AboutBox*>(QStringLiteral("aboutBox")), box);
  QPointer<AboutBox> kept = box;
  for (int showing = 0; showing < 2; ++showing) {
    SCOPED_TRACE(showing);
    bool shown = false;
    RunModal(
        box, [&] { click("btn5"); },
        [&] {
          shown = QApplication::activeModalWidget() == box;
          box->windowHandle()->close();
        });
    EXPECT_TRUE(shown);
    ASSERT_FALSE(kept.isNull());
    EXPECT_TRUE(box->isHidden());
    EXPECT_TRUE(window().isVisible());
  }
}

}  // namespace
}  // namespace tarnwick::ui
