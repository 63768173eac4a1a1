// The application object and the program's default handling of failures no handler catches.
#pragma once

#include <QApplication>
#include <QString>
#include <exception>

#include "ui/failure_text.h"

namespace tarnwick::ui {

class Application : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);
  // A failure that escapes an event's handler is shown and forgotten; the event loop goes on.
  bool notify(QObject* receiver, QEvent* event) override;
};

// The default failure handler: one error box with the failure's message, owned by the active
// window.
void ShowFailure(const std::exception& failure);
void ShowFailure(const QString& message);

// Runs `handler`, showing what it throws; used where a handler is called from inside Qt so that
// no failure unwinds through Qt's frames.
template <typename Handler>
void RunGuarded(Handler&& handler) {
  try {
    handler();
  } catch (const std::exception& failure) {
    ShowFailure(failure);
  }
}

// Shows the box that reports a failure before the event loop runs; the caller then ends the
// program with exit code 1.
void ShowStartupFailure(const std::exception& failure, const void* address);

}  // namespace tarnwick::ui
