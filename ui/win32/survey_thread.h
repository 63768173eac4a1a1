// Runs "Get Data" and "Clear" on a thread of their own, so that the window keeps painting and
// can stop the run. What the run hands back (status texts, finished rows, its end) is queued and
// run on the window's thread in the order the run produced it; a posted message wakes that
// thread.
#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "core/folder_list.h"
#include "core/folder_size.h"

namespace tarnwick::ui::win32 {

class SurveyThread {
 public:
  enum class Job { Survey, Clear };

  // Called on the window's thread.
  struct Events {
    std::function<void(std::size_t row)> rowsHandedBack;       // the run is done with rows 0..row
    std::function<void(std::exception_ptr failure)> finished;  // the thread is gone
  };

  // `wakeMessage` is posted to `window` whenever work waits; the window answers it with
  // `runPending`.
  SurveyThread(FolderList& list, HWND window, UINT wakeMessage, Events events);
  ~SurveyThread();  // stops a run and waits for it

  void start(Job job);
  // Asks a run to stop; it ends soon after with the rows it has measured so far.
  void stop() { stop_ = true; }
  bool running() const { return thread_.joinable(); }
  bool onThisThread() const { return std::this_thread::get_id() == thread_.get_id(); }

  // Queues `task` for the window's thread; safe from any thread.
  void post(std::function<void()> task);
  // Runs what was queued, in order; on the window's thread.
  void runPending();

  // The folder in hand and the entries counted so far while a run lasts; afterwards what the
  // last run could not read, until the next run begins.
  std::string progressText() const;

  // How often the window samples the progress while a run lasts.
  static constexpr UINT SampleMilliseconds = 250;

 private:
  void runOnThread(Job job);
  void onThreadDone(std::exception_ptr failure);

  FolderList& list_;
  HWND window_;
  UINT wakeMessage_;
  Events events_;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> rowInHand_{-1};
  WalkProgress progress_;
  WalkReport report_;  // written by the run's thread, read once it has ended
  std::string afterRun_;
  std::mutex mutex_;
  std::deque<std::function<void()>> pending_;
};

// "3 folders could not be read", or the empty text when everything was read.
std::string UnreadableText(std::uint64_t count);

}  // namespace tarnwick::ui::win32
