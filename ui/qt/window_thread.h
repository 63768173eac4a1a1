// The window logic's thread services over Qt's event loop: a task posted from any thread runs
// in the context object's thread, and a timer of that thread.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QTimer>
#include <functional>

#include "ui/window_thread.h"

namespace tarnwick::ui {

class QtWindowThread : public WindowThread {
 public:
  // Tasks run in `context`'s thread and are dropped once `context` is gone.
  explicit QtWindowThread(QObject* context) : context_(context) {}
  void post(std::function<void()> task) override {
    QMetaObject::invokeMethod(context_, std::move(task), Qt::QueuedConnection);
  }

 private:
  QObject* context_;
};

class QtRepeatingTimer : public RepeatingTimer {
 public:
  QtRepeatingTimer() {
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
      if (tick_) tick_();
    });
  }
  void start(int intervalMs, std::function<void()> tick) override {
    tick_ = std::move(tick);
    timer_.start(intervalMs);
  }
  void stop() override { timer_.stop(); }

 private:
  QTimer timer_;
  std::function<void()> tick_;
};

}  // namespace tarnwick::ui
