#include "ui/qt/application.h"

#include <QMessageBox>
#include <QWidget>

#include "ui/qt/artwork.h"
#include "ui/qt/text.h"

namespace tarnwick::ui {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
  setWindowIcon(ProgramIcon());
  // Lets the desktop match the window to its menu entry and show that entry's icon.
  setDesktopFileName(QStringLiteral("example.tarnwick.Tarnwick"));
}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& failure) {
    ShowFailure(failure);
  }
  return false;
}

void ShowFailure(const std::exception& failure) { ShowFailure(ToQString(failure.what())); }

void ShowFailure(const QString& message) {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
  QWidget* owner = QApplication::activeModalWidget();
  if (!owner) owner = QApplication::activeWindow();
  QMessageBox box(QMessageBox::Critical, QString::fromLatin1(ApplicationTitle),
                  ToQString(FailureMessageText(ToBytes(message))), QMessageBox::Ok, owner);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

void ShowStartupFailure(const std::exception& failure, const void* address) {
  const std::string module = FileNameOf(ToBytes(QCoreApplication::applicationFilePath()));
  QString text =
      ToQString(StartupFailureText(FailureKind(failure), module, address, failure.what()));
  // The box shows the system's own line breaks.
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Critical, QString::fromLatin1(StartupFailureCaption), text.trimmed(),
                  QMessageBox::Ok);
  box.exec();
}

}  // namespace tarnwick::ui
