#include "ui/survey_runner.h"

#include "core/folder_catalogue.h"

namespace tarnwick::ui {

ShownRow ShownRowOf(const FolderRow& row) {
  ShownRow shown;
  shown.checked = row.Checked;
  if (!row.SubItems.empty()) shown.location = row.SubItems[0];
  if (row.SubItems.size() > 1) shown.size = row.SubItems[1];
  return shown;
}

std::string UnreadableText(std::uint64_t count, const std::string& countText) {
  if (count == 0) return {};
  if (count == 1) return "1 folder could not be read";
  return countText + " folders could not be read";
}

std::string EntriesText(const std::string& caption, const std::string& entries) {
  if (caption.empty()) return entries + " entries";
  return caption + ": " + entries + " entries";
}

SurveyRunner::SurveyRunner(FolderList& list, WindowThread& windowThread, RepeatingTimer& sampler,
                           Events events)
    : list_(list),
      windowThread_(windowThread),
      sampler_(sampler),
      events_(std::move(events)),
      windowThreadId_(std::this_thread::get_id()),
      self_(std::make_shared<SurveyRunner*>(this)) {
  // A run sets its texts on its own thread; they reach the window behind everything the run
  // handed back before them.
  list_.setStatusSink([this](const std::string& text) {
    if (std::this_thread::get_id() == windowThreadId_) {
      if (events_.status) events_.status(text);
      return;
    }
    postToWindow([this, text] {
      if (events_.status) events_.status(text);
    });
  });
}

SurveyRunner::~SurveyRunner() {
  stop();
  if (thread_.joinable()) thread_.join();
  sampler_.stop();
  list_.setStatusSink({});
  self_.reset();
}

void SurveyRunner::postToWindow(std::function<void()> task) {
  std::weak_ptr<SurveyRunner*> self = self_;
  windowThread_.post([self, task = std::move(task)] {
    if (self.lock()) task();
  });
}

void SurveyRunner::start(Job job) {
  if (running()) return;
  stop_ = false;
  rowInHand_ = -1;
  progress_.entries = 0;
  report_ = WalkReport();
  afterRun_.clear();
  before_.clear();
  for (const FolderRow& row : list_.rows()) before_.push_back(ShownRowOf(row));
  handedBack_ = 0;
  thread_ = std::thread([this, job] { runOnThread(job); });
  sampler_.start(SampleMilliseconds, [this] {
    if (events_.progress) events_.progress(progressText());
  });
  if (events_.progress) events_.progress(progressText());
}

void SurveyRunner::stop() { stop_ = true; }

void SurveyRunner::runOnThread(Job job) {
  SurveyOptions options;
  options.walk.progress = &progress_;
  options.walk.stop = &stop_;
  options.walk.report = &report_;
  options.observer.rowStarted = [this](std::size_t row) {
    rowInHand_ = static_cast<int>(row);
    if (row > 0) postToWindow([this, row] { handBack(row - 1); });
  };
  options.observer.rowFinished = [this](std::size_t row) {
    postToWindow([this, row] { handBack(row); });
  };
  std::exception_ptr failure;
  try {
    if (job == Job::Clear)
      list_.ClearList(options);
    else
      list_.RunSurvey(options);
  } catch (...) {
    failure = std::current_exception();
  }
  postToWindow([this, failure] { threadDone(failure); });
}

void SurveyRunner::handBack(std::size_t row) {
  if (!running() || row + 1 <= handedBack_) return;
  const std::size_t first = handedBack_;
  handedBack_ = row + 1;
  if (events_.rowsHandedBack) events_.rowsHandedBack(first, row);
}

void SurveyRunner::threadDone(std::exception_ptr failure) {
  thread_.join();
  sampler_.stop();
  rowInHand_ = -1;
  afterRun_ =
      UnreadableText(report_.unreadableDirectories, countText(report_.unreadableDirectories));
  before_.clear();
  if (events_.rowsHandedBack && !list_.rows().empty())
    events_.rowsHandedBack(0, list_.rows().size() - 1);
  if (events_.progress) events_.progress(progressText());
  if (events_.finished) events_.finished(failure);
}

ShownRow SurveyRunner::shownRow(std::size_t row) const {
  if (running() && row >= handedBack_ && row < before_.size()) return before_[row];
  return ShownRowOf(list_.rows()[row]);
}

std::string SurveyRunner::progressText() const {
  if (!running()) return afterRun_;
  const int row = rowInHand_;
  const std::string entries = countText(progress_.entries.load());
  if (row < 0) return EntriesText("", entries);
  return EntriesText(std::string(FolderCatalogue[static_cast<std::size_t>(row)].Caption), entries);
}

}  // namespace tarnwick::ui
