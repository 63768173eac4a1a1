// Runs "Get Data" and "Clear" on a thread of their own, so that the window keeps painting and
// can stop the run. Status texts and finished rows reach the window in the order the run sets
// them; progress is sampled on a timer.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <atomic>
#include <exception>
#include <thread>

#include "core/folder_list.h"
#include "core/folder_size.h"

namespace tarnwick::ui {

class FolderListModel;

class SurveyRunner : public QObject {
  Q_OBJECT

 public:
  enum class Job { Survey, Clear };

  SurveyRunner(FolderList& list, FolderListModel& model, QObject* parent = nullptr);
  ~SurveyRunner() override;  // stops a run and waits for it

  void start(Job job);
  // Asks a run to stop; it ends soon after with the rows it has measured so far.
  void stop();
  bool running() const { return thread_.joinable(); }

  // The folder in hand and the entries counted so far while a run lasts; afterwards what the
  // last run could not read, until the next run begins.
  QString progressText() const;

  // How often the progress is sampled while a run lasts.
  static constexpr int SampleMilliseconds = 250;

 signals:
  void progressChanged(const QString& text);
  // On the window's thread, once the run has ended and its thread is gone; `failure` holds what
  // the run threw, if anything.
  void finished(std::exception_ptr failure);

 private:
  void runOnThread(Job job);
  void onThreadDone(std::exception_ptr failure);
  void sample();

  FolderList& list_;
  FolderListModel& model_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> rowInHand_{-1};
  WalkProgress progress_;
  WalkReport report_;  // written by the run's thread, read once it has ended
  QString afterRun_;
  QTimer sampler_;
};

// "3 folders could not be read", or the empty text when everything was read.
QString UnreadableText(std::uint64_t count);

}  // namespace tarnwick::ui
