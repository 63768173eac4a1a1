// Windows API, NT family: the listing goes through the wide functions on "\\?\" paths, so names
// the ANSI code page cannot hold and paths beyond MAX_PATH are measured like any other.
#include <windows.h>

#include <atomic>
#include <mutex>

#include "platform/win32/win32_platform.h"

namespace tarnwick::platform {

namespace {

constexpr std::size_t kBatch = 256;

DirectoryEntry EntryFrom(const WIN32_FIND_DATAW& data) {
  DirectoryEntry entry;
  entry.name = win32::ListingName(data.cFileName);
  entry.sizeKnown = true;
  const bool directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  // A junction, a directory link or a mounted volume is counted as the entry it is and not
  // entered: that is what keeps link cycles out of the walk.
  if (directory && (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    entry.kind = EntryKind::Directory;
  } else {
    entry.kind = EntryKind::File;
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  return entry;
}

bool IsDotOrDotDot(const wchar_t* name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}
// Opens the listing of `dir`, an extended path ending in a backslash.
OpenResult OpenListing(std::wstring dir);

class Win32Directory : public OpenDirectory {
 public:
  Win32Directory(HANDLE find, const WIN32_FIND_DATAW& first, std::wstring path)
      : find_(find), path_(std::move(path)), data_(first) {}
  ~Win32Directory() override {
    if (find_ != INVALID_HANDLE_VALUE) FindClose(find_);
  }
  Win32Directory(const Win32Directory&) = delete;
  Win32Directory& operator=(const Win32Directory&) = delete;

  bool read(std::vector<DirectoryEntry>& out) override {
    std::size_t taken = 0;
    while (find_ != INVALID_HANDLE_VALUE && taken < kBatch) {
      if (havePending_) {
        if (!IsDotOrDotDot(data_.cFileName)) {
          out.push_back(EntryFrom(data_));
          ++taken;
        }
        havePending_ = false;
      }
      if (FindNextFileW(find_, &data_)) {
        havePending_ = true;
        continue;
      }
      failed_ = GetLastError() != ERROR_NO_MORE_FILES;
      FindClose(find_);
      find_ = INVALID_HANDLE_VALUE;
    }
    return taken > 0;
  }

  bool failed() const override { return failed_; }

  // Every entry comes with its kind and size.
  bool fillSizes(std::span<DirectoryEntry>) override { return true; }

  DirectoryIdentity identity() const override {
    std::call_once(identityOnce_, [this] { identity_ = IdentityOf(path_); });
    return identity_;
  }

  // The name came from this listing, so it is joined to the listing's own wide path as it is:
  // the path is neither converted again nor rewritten by the system.
  OpenResult openSubdirectory(const std::string& name) override {
    return OpenListing(path_ + win32::WidePath(name) + L"\\");
  }

 private:
  static DirectoryIdentity IdentityOf(const std::wstring& path) {
    HANDLE handle = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = handle != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle, &info);
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    if (known)
      return {info.dwVolumeSerialNumber,
              (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
    // Without an answer from the file system, an identity of its own: it equals no other.
    static std::atomic<std::uint64_t> next{0};
    return {~std::uint64_t{0}, next++};
  }

  HANDLE find_;
  std::wstring path_;
  WIN32_FIND_DATAW data_;
  bool havePending_ = true;
  bool failed_ = false;
  mutable std::once_flag identityOnce_;
  mutable DirectoryIdentity identity_;
};

OpenResult OpenListing(std::wstring dir) {
  WIN32_FIND_DATAW first;
  HANDLE find = FindFirstFileExW((dir + L"*").c_str(), FindExInfoBasic, &first,
                                 FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND;
    return {missing ? OpenStatus::Missing : OpenStatus::Unreadable, nullptr};
  }
  return {OpenStatus::Opened, std::make_unique<Win32Directory>(find, first, std::move(dir))};
}

}  // namespace

OpenResult Win32Platform::openDirectory(const std::string& path, bool followLink) {
  std::wstring dir = win32::ExtendedDirectoryPath(path);
  if (dir.empty()) return {OpenStatus::Unreadable, nullptr};
  if (!followLink) {
    // A junction, a directory link or a mounted folder is entered only as the folder named;
    // inside a walk it is counted, not walked.
    DWORD attributes = GetFileAttributesW(dir.substr(0, dir.size() - 1).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
      return {OpenStatus::Unreadable, nullptr};
  }
  return OpenListing(std::move(dir));
}

bool Win32Platform::directoryExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace tarnwick::platform
