// The 29 rows of the folder list with the survey run and the other list operations.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/folder_catalogue.h"
#include "core/folder_size.h"
#include "core/regional_settings.h"
#include "core/system_folders.h"

namespace tarnwick {

struct FolderRow {
  std::string Caption;
  bool Checked = false;
  std::vector<std::string> SubItems;
};

// True when the path names an existing directory; false for the empty text and on any failure.
bool DirectoryExists(platform::Platform& platform, const std::string& path);

// Optional hooks of a survey run; all are called on the thread that runs the survey.
struct SurveyObserver {
  // Before the row is looked up; every row the run reaches, ticked or not.
  std::function<void(std::size_t row)> rowStarted;
  // After the row's values are appended (or emptied, or left as they were); not for the row a
  // stop request cut short.
  std::function<void(std::size_t row)> rowFinished;
};

struct SurveyOptions {
  WalkOptions walk;
  SurveyObserver observer;
};

class FolderList {
 public:
  FolderList(platform::Platform& platform, ComputerInfo& computerInfo);

  // The regional settings used for size texts; the front end re-reads them on a change.
  void setRegionalSettings(const RegionalSettings& settings) { settings_ = settings; }
  const RegionalSettings& regionalSettings() const { return settings_; }

  // Every status text, in the order the operations set them.
  void setStatusSink(std::function<void(const std::string&)> sink) {
    statusSink_ = std::move(sink);
  }
  void setStatus(const std::string& text);
  const std::string& statusText() const { return status_; }

  void CreateBasicList();
  // Returns false when the stop request ended the run early: the rows before the one being
  // measured keep their new values, that row and the later ones are untouched, TotalSize is the
  // partial sum and the status reads "Stopped".
  bool RunSurvey(const SurveyOptions& options = {});
  void SelectAll();
  void SelectNone();
  // The survey inside runs over unticked rows only, so it ignores the stop request: a clear list
  // is never left half cleared.
  bool ClearList(const SurveyOptions& options = {});

  std::vector<FolderRow>& rows() { return rows_; }
  const std::vector<FolderRow>& rows() const { return rows_; }
  std::uint64_t TotalSize() const { return totalSize_; }

 private:
  platform::Platform& platform_;
  ComputerInfo& computerInfo_;
  RegionalSettings settings_;
  std::vector<FolderRow> rows_;
  std::uint64_t totalSize_ = 0;
  std::string status_;
  std::function<void(const std::string&)> statusSink_;
};

}  // namespace tarnwick
