#include "ui/survey_runner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <thread>

#include "core/system_folders.h"
#include "tests/ui/survey_tree.h"

namespace tarnwick::ui {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using testing::RowFolder;

// The window's thread as a queue the test empties itself.
class QueueThread : public WindowThread {
 public:
  void post(std::function<void()> task) override {
    std::lock_guard<std::mutex> lock(mutex_);
    tasks_.push_back(std::move(task));
    posted_.notify_one();
  }
  // Runs the posted tasks in order until `done` holds; false when ten seconds pass first. The
  // condition may also turn true on the run's thread, so it is looked at every few milliseconds.
  bool runUntil(const std::function<bool()>& done) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
      if (std::chrono::steady_clock::now() > end) return false;
      std::function<void()> task;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        if (!posted_.wait_for(lock, std::chrono::milliseconds(5),
                              [this] { return !tasks_.empty(); }))
          continue;
        task = std::move(tasks_.front());
        tasks_.pop_front();
      }
      task();
    }
    return true;
  }
  void runPosted() {
    runUntil([this] {
      std::lock_guard<std::mutex> lock(mutex_);
      return tasks_.empty();
    });
  }

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
};

class FakeTimer : public RepeatingTimer {
 public:
  void start(int intervalMs, std::function<void()> tick) override {
    interval = intervalMs;
    this->tick = std::move(tick);
  }
  void stop() override { tick = nullptr; }
  int interval = 0;
  std::function<void()> tick;
};

class SurveyRunnerTest : public ::testing::Test {
 protected:
  SurveyRunnerTest() {
    list.CreateBasicList();
    // Rows 0 to 2 ticked; row 3 unticked but holding the values of an earlier run.
    for (std::size_t row = 0; row < 3; ++row) list.rows()[row].Checked = true;
    list.rows()[3].SubItems = {"/old", "9 bytes"};
  }

  SurveyRunner& runner() {
    if (!runner_) {
      SurveyRunner::Events events;
      events.status = [this](const std::string& text) { log.push_back("status " + text); };
      events.rowsHandedBack = [this](std::size_t first, std::size_t last) {
        log.push_back("rows " + std::to_string(first) + "-" + std::to_string(last));
      };
      events.progress = [this](const std::string& text) { progress.push_back(text); };
      events.finished = [this](std::exception_ptr failure) {
        finished = true;
        this->failure = failure;
        log.push_back("finished");
      };
      runner_ = std::make_unique<SurveyRunner>(list, thread, timer, events);
    }
    return *runner_;
  }
  // Makes the walk wait at the folder of `row` until `release` is set.
  void holdAt(std::size_t row) {
    fake->onList = [this, path = RowFolder(row)](const std::string& listed) {
      if (listed != path) return;
      held = true;
      while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
  }
  void runToEnd() {
    ASSERT_TRUE(thread.runUntil([this] { return finished; }));
  }

  std::unique_ptr<platform::FakePlatform> fake = testing::SurveyPlatform();
  ComputerInfo computerInfo{*fake};
  FolderList list{*fake, computerInfo};
  QueueThread thread;
  FakeTimer timer;
  std::vector<std::string> log;
  std::vector<std::string> progress;
  bool finished = false;
  std::exception_ptr failure;
  std::atomic<bool> held{false};
  std::atomic<bool> release{false};
  std::unique_ptr<SurveyRunner> runner_;
};

TEST_F(SurveyRunnerTest, ShowsRowsAsTheRunFoundThemUntilItHandsThemBackInOrder) {
  holdAt(2);
  runner().start(SurveyRunner::Job::Survey);
  ASSERT_TRUE(runner().running());
  ASSERT_TRUE(thread.runUntil([this] { return held && log.size() >= 3; }));
  EXPECT_THAT(log, ElementsAre("status Retriving Data...", "rows 0-0", "rows 1-1"));
  EXPECT_EQ(runner().shownRow(0), (ShownRow{true, RowFolder(0), "1 bytes"}));
  EXPECT_EQ(runner().shownRow(1), (ShownRow{true, RowFolder(1), "2 bytes"}));
  EXPECT_EQ(runner().shownRow(2), (ShownRow{true, "", ""}));
  EXPECT_EQ(runner().shownRow(3), (ShownRow{false, "/old", "9 bytes"}));

  release = true;
  runToEnd();
  EXPECT_FALSE(runner().running());
  ASSERT_GE(log.size(), 4u);
  EXPECT_THAT(std::vector<std::string>(log.end() - 3, log.end()),
              ElementsAre("status Done", "rows 0-28", "finished"));
  std::vector<std::string> handedBack, expected;
  for (auto entry = log.begin(); entry != log.end() - 2; ++entry)
    if (entry->starts_with("rows ")) handedBack.push_back(*entry);
  for (int row = 0; row < 29; ++row)
    expected.push_back("rows " + std::to_string(row) + "-" + std::to_string(row));
  EXPECT_EQ(handedBack, expected) << "one row at a time, in the run's order";
  EXPECT_EQ(failure, nullptr);
  EXPECT_EQ(runner().shownRow(2), (ShownRow{true, RowFolder(2), "3 bytes"}));
  EXPECT_EQ(runner().shownRow(3), (ShownRow{false, "", ""}));
}

TEST_F(SurveyRunnerTest, SamplesProgressWhileItRunsAndSaysWhatItCouldNotReadAfterwards) {
  fake->tree->children["r01"].children["locked"].unreadable = true;
  fake->tree->children["r02"].children["locked"].unreadable = true;
  holdAt(2);
  runner().countText = [](std::uint64_t n) { return "#" + std::to_string(n); };
  runner().start(SurveyRunner::Job::Survey);
  ASSERT_EQ(timer.interval, SurveyRunner::SampleMilliseconds);
  ASSERT_TRUE(thread.runUntil([this] { return held.load(); }));
  ASSERT_TRUE(timer.tick);
  timer.tick();
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), std::string(FolderCatalogue[2].Caption) + ": #2 entries")
      << "the folder in hand and the files of rows 0 and 1";

  release = true;
  runToEnd();
  EXPECT_FALSE(timer.tick) << "sampling ends with the run";
  EXPECT_EQ(progress.back(), "#2 folders could not be read");
  EXPECT_EQ(runner().progressText(), "#2 folders could not be read");
}

TEST_F(SurveyRunnerTest, UnreadableTextCountsFolders) {
  EXPECT_EQ(UnreadableText(0, "0"), "");
  EXPECT_EQ(UnreadableText(1, "1"), "1 folder could not be read");
  EXPECT_EQ(UnreadableText(1234, "1,234"), "1,234 folders could not be read");
  EXPECT_EQ(EntriesText("", "0"), "0 entries");
  EXPECT_EQ(EntriesText("Windows", "12"), "Windows: 12 entries");
}

TEST_F(SurveyRunnerTest, AStopKeepsTheRowsMeasuredSoFar) {
  holdAt(2);
  runner().start(SurveyRunner::Job::Survey);
  ASSERT_TRUE(thread.runUntil([this] { return held.load(); }));
  runner().stop();
  release = true;
  runToEnd();
  EXPECT_EQ(log[log.size() - 3], "status Stopped");
  EXPECT_EQ(list.rows()[1].SubItems.size(), 2u);
  EXPECT_THAT(list.rows()[3].SubItems, ElementsAre("/old", "9 bytes")) << "not reached";
  EXPECT_EQ(runner().shownRow(3), (ShownRow{false, "/old", "9 bytes"}));
}

TEST_F(SurveyRunnerTest, AFailureOfTheRunIsHandedToTheWindowWithTheRowsSoFar) {
  fake->onList = [](const std::string& path) {
    if (path == RowFolder(1)) throw std::runtime_error("Out of memory");
  };
  runner().start(SurveyRunner::Job::Survey);
  runToEnd();
  ASSERT_NE(failure, nullptr);
  try {
    std::rethrow_exception(failure);
  } catch (const std::runtime_error& e) {
    EXPECT_STREQ(e.what(), "Out of memory");
  }
  EXPECT_EQ(list.rows()[0].SubItems.size(), 2u);
  EXPECT_THAT(list.rows()[1].SubItems, IsEmpty());
  EXPECT_EQ(runner().shownRow(0).location, RowFolder(0));
}

TEST_F(SurveyRunnerTest, ClearEmptiesEveryRowThroughTheSameHandBack) {
  runner().start(SurveyRunner::Job::Clear);
  runToEnd();
  for (std::size_t row = 0; row < list.rows().size(); ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(runner().shownRow(row), ShownRow{});
  }
  ASSERT_GE(log.size(), 2u);
  EXPECT_THAT(std::vector<std::string>(log.begin(), log.begin() + 2),
              ElementsAre("status All System Folders are Unselected", "status Retriving Data..."));
}

TEST_F(SurveyRunnerTest, TextsSetOnTheWindowsThreadArriveAtOnce) {
  runner();
  list.SelectAll();
  ASSERT_FALSE(log.empty()) << "not posted";
  EXPECT_EQ(log.back(), "status All System Folders are Selected");
}

TEST_F(SurveyRunnerTest, WhatTheRunPostedIsDroppedOnceTheRunnerIsGone) {
  runner().start(SurveyRunner::Job::Survey);
  runner_.reset();  // stops the run and waits for its thread
  const std::size_t before = log.size();
  thread.runPosted();
  EXPECT_EQ(log.size(), before);
  EXPECT_FALSE(finished);
  list.SelectAll();
  EXPECT_EQ(log.size(), before) << "the list's texts no longer go to the runner";
}

}  // namespace
}  // namespace tarnwick::ui
