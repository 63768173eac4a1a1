#include "ui/qt/application.h"

#include <cxxabi.h>

#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>
#include <cstdlib>
#include <memory>
#include <typeinfo>

#include "report/report.h"
#include "ui/qt/artwork.h"
#include "ui/qt/text.h"

namespace tarnwick::ui {

namespace {

QString KindOf(const std::exception& failure) {
  const char* mangled = typeid(failure).name();
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  return QString::fromLatin1(status == 0 && demangled ? demangled.get() : mangled);
}

}  // namespace

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
                  ToQString(WithFullStop(ToBytes(message))), QMessageBox::Ok, owner);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

QString StartupFailureText(const QString& kind, const QString& module, const void* address,
                           const QString& message) {
  const QString fullStop =
      !message.isEmpty() && !message.endsWith(u'.') ? QStringLiteral(".") : QString();
  return QStringLiteral("Exception %1 in module %2 at %3.\r\n%4%5\r\n")
      .arg(kind, module,
           QStringLiteral("%1")
               .arg(reinterpret_cast<quintptr>(address), 8, 16, QLatin1Char('0'))
               .toUpper(),
           message, fullStop);
}

void ShowStartupFailure(const std::exception& failure, const void* address) {
  const QString module = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  QString text = StartupFailureText(KindOf(failure), module, address, ToQString(failure.what()));
  // The box shows the system's own line breaks.
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(QMessageBox::Critical, QStringLiteral("Application Error"), text.trimmed(),
                  QMessageBox::Ok);
  box.exec();
}

}  // namespace tarnwick::ui
