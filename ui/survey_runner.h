// Runs "Get Data" and "Clear" on a thread of their own, so that the window keeps painting and
// can stop the run. The window shows each row as it was when the run began until the run hands
// it back; status texts and handed-back rows reach the window's thread in the order the run set
// them; progress is sampled on a timer.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/folder_list.h"
#include "core/folder_size.h"
#include "ui/window_thread.h"

namespace tarnwick::ui {

// What the list shows of a row: its tick and its first two entries.
struct ShownRow {
  bool checked = false;
  std::string location;
  std::string size;
  friend bool operator==(const ShownRow&, const ShownRow&) = default;
};

ShownRow ShownRowOf(const FolderRow& row);

class SurveyRunner {
 public:
  enum class Job { Survey, Clear };

  // Called on the window's thread.
  struct Events {
    // The status line's text, set by a run or by a command on the window's thread.
    std::function<void(const std::string& text)> status;
    // Rows `first` to `last` now show what the run wrote.
    std::function<void(std::size_t first, std::size_t last)> rowsHandedBack;
    std::function<void(const std::string& text)> progress;
    // The run has ended and its thread is gone; `failure` holds what it threw, if anything.
    std::function<void(std::exception_ptr failure)> finished;
  };

  // Takes over the list's status texts for as long as it lives. Construct it on the window's
  // thread.
  SurveyRunner(FolderList& list, WindowThread& windowThread, RepeatingTimer& sampler,
               Events events);
  ~SurveyRunner();  // stops a run and waits for it

  void start(Job job);
  // Asks a run to stop; it ends soon after with the rows it has measured so far.
  void stop();
  bool running() const { return thread_.joinable(); }

  // What the list shows of a row now: while a run lasts, the row as it was when the run began
  // until the run hands it back.
  ShownRow shownRow(std::size_t row) const;

  // The folder in hand and the entries counted so far while a run lasts; afterwards what the
  // last run could not read, until the next run begins.
  std::string progressText() const;

  // How often the progress is sampled while a run lasts.
  static constexpr int SampleMilliseconds = 250;

  // How counts read in the progress texts; plain digits unless the window formats them.
  std::function<std::string(std::uint64_t)> countText = [](std::uint64_t n) {
    return std::to_string(n);
  };

 private:
  void runOnThread(Job job);
  void handBack(std::size_t row);
  void threadDone(std::exception_ptr failure);
  // Posts to the window's thread a task that is dropped if this runner is gone by then.
  void postToWindow(std::function<void()> task);

  FolderList& list_;
  WindowThread& windowThread_;
  RepeatingTimer& sampler_;
  Events events_;
  std::thread::id windowThreadId_;
  std::shared_ptr<SurveyRunner*> self_;  // the posted tasks' way back; empty once destroyed

  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::atomic<int> rowInHand_{-1};
  WalkProgress progress_;
  WalkReport report_;  // written by the run's thread, read once it has ended
  std::string afterRun_;
  std::vector<ShownRow> before_;  // the rows as the run found them
  std::size_t handedBack_ = 0;    // rows below this index show the list again
};

// "3 folders could not be read", or the empty text when everything was read.
std::string UnreadableText(std::uint64_t count, const std::string& countText);

// "Documents: 1234 entries" for the row in hand, "1234 entries" before the first row.
std::string EntriesText(const std::string& caption, const std::string& entries);

}  // namespace tarnwick::ui
