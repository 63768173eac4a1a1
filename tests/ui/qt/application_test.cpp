#include "ui/qt/application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QTest>
#include <stdexcept>

#include "tests/ui/qt/message_box_watch.h"

namespace tarnwick::ui::testing {
namespace {

// An object whose event handler fails the way a command's handler can.
class FailingObject : public QObject {
 public:
  explicit FailingObject(std::string message) : message_(std::move(message)) {}
  bool event(QEvent* event) override {
    if (event->type() == QEvent::User) throw std::runtime_error(message_);
    return QObject::event(event);
  }

 private:
  std::string message_;
};

TEST(DefaultFailureHandlerTest, ShowsOneBoxPerFailureAndTheLoopGoesOn) {
  const struct {
    const char* message;
    const char* shown;
  } cases[] = {{"Disk full", "Disk full."}, {"Stop!", "Stop!"}, {"", ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    MessageBoxWatch boxes;
    FailingObject failing(c.message);
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    QTest::qWait(150);
    ASSERT_EQ(boxes.texts().size(), 1u);
    EXPECT_EQ(boxes.texts().front().toStdString(), c.shown);
    EXPECT_EQ(boxes.titles().front(), "Get special folders location and size");
    EXPECT_EQ(boxes.icons().front(), QMessageBox::Critical);
  }
}

TEST(StartupFailureTextTest, TheBoxNamesTheKindAndTheProgram) {
  MessageBoxWatch boxes;
  ShowStartupFailure(std::runtime_error("No room"), reinterpret_cast<const void*>(0x1234));
  ASSERT_EQ(boxes.texts().size(), 1u);
  EXPECT_EQ(boxes.titles().front(), "Application Error");
  EXPECT_EQ(boxes.icons().front(), QMessageBox::Critical);
  const QString module = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  EXPECT_EQ(boxes.texts().front(),
            "Exception std::runtime_error in module " + module + " at 00001234.\nNo room.");
}

}  // namespace
}  // namespace tarnwick::ui::testing
