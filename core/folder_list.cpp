#include "core/folder_list.h"

#include "core/size_text.h"

namespace tarnwick {

bool DirectoryExists(platform::Platform& platform, const std::string& path) {
  return !path.empty() && platform.directoryExists(path);
}

FolderList::FolderList(platform::Platform& platform, ComputerInfo& computerInfo)
    : platform_(platform), computerInfo_(computerInfo) {}

void FolderList::setStatus(const std::string& text) {
  status_ = text;
  if (statusSink_) statusSink_(text);
}

void FolderList::CreateBasicList() {
  for (const CatalogueEntry& entry : FolderCatalogue)
    rows_.push_back({std::string(entry.Caption), false, {}});
}

bool FolderList::RunSurvey(const SurveyOptions& options) {
  const auto stopRequested = [&options] {
    return options.walk.stop && options.walk.stop->load(std::memory_order_relaxed);
  };
  totalSize_ = 0;
  setStatus("Retriving Data...");
  // One record of the directories listed for the whole run: a folder inside another row's tree,
  // or the same as another row's, is summed from it instead of being listed again.
  FolderSizes sizes(platform_);
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    if (stopRequested()) {
      setStatus("Stopped");
      return false;
    }
    if (options.observer.rowStarted) options.observer.rowStarted(r);
    FolderRow& row = rows_[r];
    if (!row.Checked) {
      row.SubItems.clear();
    } else if (const std::string location = LocateFolder(computerInfo_, FolderCatalogue[r].Source);
               DirectoryExists(platform_, location)) {
      const std::uint64_t size = sizes.measure(location, options.walk);
      // A walk cut short gives a partial sum, which must not pass for the folder's size.
      if (stopRequested()) {
        setStatus("Stopped");
        return false;
      }
      // Appended, never replaced: a row ticked over several runs keeps every run's pair.
      row.SubItems.push_back(location);
      row.SubItems.push_back(
          SizeToText(static_cast<std::int64_t>(size), settings_.decimalSeparator));
      totalSize_ += size;
    }
    if (options.observer.rowFinished) options.observer.rowFinished(r);
  }
  setStatus("Done");
  return true;
}

void FolderList::SelectAll() {
  for (FolderRow& row : rows_) row.Checked = true;
  setStatus("All System Folders are Selected");
}

void FolderList::SelectNone() {
  for (FolderRow& row : rows_) row.Checked = false;
  setStatus("All System Folders are Unselected");
}

bool FolderList::ClearList(const SurveyOptions& options) {
  SelectNone();
  SurveyOptions unstoppable = options;
  unstoppable.walk.stop = nullptr;
  const bool finished = RunSurvey(unstoppable);
  totalSize_ = 0;
  setStatus("All Cleared");
  return finished;
}

}  // namespace tarnwick
