#include "ui/qt/survey_runner.h"

#include <QLocale>
#include <QMetaObject>

#include "ui/qt/folder_list_model.h"
#include "ui/qt/text.h"

namespace tarnwick::ui {

QString UnreadableText(std::uint64_t count) {
  if (count == 0) return {};
  if (count == 1) return QStringLiteral("1 folder could not be read");
  return QStringLiteral("%1 folders could not be read").arg(QLocale().toString(qulonglong(count)));
}

SurveyRunner::SurveyRunner(FolderList& list, FolderListModel& model, QObject* parent)
    : QObject(parent), list_(list), model_(model) {
  sampler_.setInterval(SampleMilliseconds);
  connect(&sampler_, &QTimer::timeout, this, &SurveyRunner::sample);
}

SurveyRunner::~SurveyRunner() {
  stop();
  if (thread_.joinable()) thread_.join();
}

void SurveyRunner::start(Job job) {
  if (running()) return;
  stop_ = false;
  rowInHand_ = -1;
  progress_.entries = 0;
  report_ = WalkReport();
  afterRun_.clear();
  model_.beginRun();
  thread_ = std::thread([this, job] { runOnThread(job); });
  sampler_.start();
  sample();
}

void SurveyRunner::stop() { stop_ = true; }

void SurveyRunner::runOnThread(Job job) {
  SurveyOptions options;
  options.walk.progress = &progress_;
  options.walk.stop = &stop_;
  options.walk.report = &report_;
  // Each finished row is handed back through the window's event queue, behind the status texts
  // the run set before it, so the window shows them in the run's order.
  auto handBack = [this](std::size_t row) {
    QMetaObject::invokeMethod(
        this, [this, row] { model_.rowsHandedBack(row); }, Qt::QueuedConnection);
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
  QMetaObject::invokeMethod(
      this, [this, failure] { onThreadDone(failure); }, Qt::QueuedConnection);
}

void SurveyRunner::onThreadDone(std::exception_ptr failure) {
  thread_.join();
  sampler_.stop();
  rowInHand_ = -1;
  afterRun_ = UnreadableText(report_.unreadableDirectories);
  model_.endRun();
  emit progressChanged(progressText());
  emit finished(failure);
}

QString SurveyRunner::progressText() const {
  if (!running()) return afterRun_;
  const int row = rowInHand_;
  const QString entries = QLocale().toString(qulonglong(progress_.entries.load()));
  if (row < 0) return QStringLiteral("%1 entries").arg(entries);
  return QStringLiteral("%1: %2 entries")
      .arg(ToQString(std::string(FolderCatalogue[static_cast<std::size_t>(row)].Caption)), entries);
}

void SurveyRunner::sample() { emit progressChanged(progressText()); }

}  // namespace tarnwick::ui
