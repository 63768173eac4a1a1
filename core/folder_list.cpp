#include "core/folder_list.h"

namespace tarnwick {

FolderList::FolderList(platform::Platform& platform, ComputerInfo& computerInfo)
    : platform_(platform), computerInfo_(computerInfo) {}
void FolderList::setStatus(const std::string& text) {
  status_ = text;
  if (statusSink_) statusSink_(text);
}
void FolderList::CreateBasicList() {}
bool FolderList::RunSurvey(const SurveyOptions&) { return true; }
void FolderList::SelectAll() {}
void FolderList::SelectNone() {}
bool FolderList::ClearList(const SurveyOptions&) { return true; }

}  // namespace tarnwick
