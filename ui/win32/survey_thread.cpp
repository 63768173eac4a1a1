#include "ui/win32/survey_thread.h"

namespace tarnwick::ui::win32 {

std::string UnreadableText(std::uint64_t count) {
  if (count == 0) return {};
  if (count == 1) return "1 folder could not be read";
  return std::to_string(count) + " folders could not be read";
}

SurveyThread::SurveyThread(FolderList& list, HWND window, UINT wakeMessage, Events events)
    : list_(list), window_(window), wakeMessage_(wakeMessage), events_(std::move(events)) {}

SurveyThread::~SurveyThread() {
  stop();
  if (thread_.joinable()) thread_.join();
}

void SurveyThread::start(Job job) {
  if (running()) return;
  stop_ = false;
  rowInHand_ = -1;
  progress_.entries = 0;
  report_ = WalkReport();
  afterRun_.clear();
  thread_ = std::thread([this, job] { runOnThread(job); });
}

void SurveyThread::post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    pending_.push_back(std::move(task));
  }
  // A lost wake-up only delays the task to the next one; the window drains everything each time.
  PostMessageA(window_, wakeMessage_, 0, 0);
}

void SurveyThread::runPending() {
  for (;;) {
    std::function<void()> task;
    {
      std::lock_guard lock(mutex_);
      if (pending_.empty()) return;
      task = std::move(pending_.front());
      pending_.pop_front();
    }
    task();
  }
}

void SurveyThread::runOnThread(Job job) {
  SurveyOptions options;
  options.walk.progress = &progress_;
  options.walk.stop = &stop_;
  options.walk.report = &report_;
  // Each finished row is handed back behind the status texts the run set before it, so the
  // window shows them in the run's order.
  auto handBack = [this](std::size_t row) {
    post([this, row] {
      if (events_.rowsHandedBack) events_.rowsHandedBack(row);
    });
  };
  options.observer.rowStarted = [this, handBack](std::size_t row) {
    rowInHand_ = static_cast<int>(row);
    if (row > 0) handBack(row - 1);
  };
  options.observer.rowFinished = handBack;
  std::exception_ptr failure;
  try {
    if (job == Job::Clear)
      list_.ClearList(options);
    else
      list_.RunSurvey(options);
  } catch (...) {
    failure = std::current_exception();
  }
  post([this, failure] { onThreadDone(failure); });
}

void SurveyThread::onThreadDone(std::exception_ptr failure) {
  thread_.join();
  rowInHand_ = -1;
  afterRun_ = UnreadableText(report_.unreadableDirectories);
  if (events_.finished) events_.finished(failure);
}

std::string SurveyThread::progressText() const {
  if (!running()) return afterRun_;
  const int row = rowInHand_;
  const std::string entries = std::to_string(progress_.entries.load()) + " entries";
  if (row < 0) return entries;
  return std::string(FolderCatalogue[static_cast<std::size_t>(row)].Caption) + ": " + entries;
}

}  // namespace tarnwick::ui::win32
