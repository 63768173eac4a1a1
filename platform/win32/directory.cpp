// Windows API, NT family: the listing goes through the wide functions on "\\?\" paths, so names
// the ANSI code page cannot hold and paths beyond MAX_PATH are measured like any other.
#include <windows.h>

#include <memory>
#include <string_view>

#include "platform/win32/win32_platform.h"

namespace tarnwick::platform {

namespace {

// Room for a few hundred entries per query; one buffer per open listing.
constexpr DWORD kBufferSize = 64 * 1024;

// The directory query gives the allocation size and the file id beside the name, so neither
// needs a file opened: a cloud placeholder is not fetched to be measured.
DirectoryEntry EntryFrom(const FILE_ID_BOTH_DIR_INFO& info, std::uint64_t volume) {
  DirectoryEntry entry;
  entry.name = win32::ListingName({info.FileName, info.FileNameLength / sizeof(WCHAR)});
  entry.sizeKnown = true;
  const bool directory = (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  // A junction, a directory link or a mounted volume is counted as the entry it is and not
  // entered: that is what keeps link cycles out of the walk.
  if (directory && (info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
    entry.kind = EntryKind::Directory;
    return entry;
  }
  entry.kind = EntryKind::File;
  entry.size = static_cast<std::uint64_t>(info.EndOfFile.QuadPart);
  entry.allocated = static_cast<std::uint64_t>(info.AllocationSize.QuadPart);
  // The listing does not count a file's names; where the file system gives no id, the file is
  // taken to have one name.
  const auto id = static_cast<std::uint64_t>(info.FileId.QuadPart);
  entry.file = {volume, id};
  entry.links = id != 0 ? 0 : 1;
  return entry;
}

bool IsDotOrDotDot(std::wstring_view name) { return name == L"." || name == L".."; }

// Opens the listing of `dir`, an extended path ending in a backslash.
OpenResult OpenListing(std::wstring dir);

class Win32Directory : public OpenDirectory {
 public:
  Win32Directory(HANDLE handle, std::wstring path, DirectoryIdentity identity)
      : handle_(handle), path_(std::move(path)), identity_(identity) {}
  ~Win32Directory() override { CloseHandle(handle_); }
  Win32Directory(const Win32Directory&) = delete;
  Win32Directory& operator=(const Win32Directory&) = delete;

  bool read(std::vector<DirectoryEntry>& out) override {
    if (done_) return false;
    if (!buffer_) buffer_ = std::make_unique<LONGLONG[]>(kBufferSize / sizeof(LONGLONG));
    if (!GetFileInformationByHandleEx(handle_, FileIdBothDirectoryInfo, buffer_.get(),
                                      kBufferSize)) {
      failed_ = GetLastError() != ERROR_NO_MORE_FILES;
      done_ = true;
      buffer_.reset();
      return false;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(buffer_.get());
    for (DWORD offset = 0;;) {
      const auto& info = *reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(bytes + offset);
      if (!IsDotOrDotDot({info.FileName, info.FileNameLength / sizeof(WCHAR)}))
        out.push_back(EntryFrom(info, identity_.device));
      if (info.NextEntryOffset == 0) break;
      offset += info.NextEntryOffset;
    }
    return true;
  }

  bool failed() const override { return failed_; }

  // Every entry comes with its kind and sizes.
  bool fillSizes(std::span<DirectoryEntry>) override { return true; }

  DirectoryIdentity identity() const override { return identity_; }

  // The name came from this listing, so it is joined to the listing's own wide path as it is:
  // the path is neither converted again nor rewritten by the system.
  OpenResult openSubdirectory(const std::string& name) override {
    return OpenListing(path_ + win32::WidePath(name) + L"\\");
  }

 private:
  HANDLE handle_;
  std::wstring path_;
  DirectoryIdentity identity_;
  std::unique_ptr<LONGLONG[]> buffer_;  // aligned as the query's records need
  bool failed_ = false;
  bool done_ = false;
};

OpenResult OpenListing(std::wstring dir) {
  // A drive root keeps its backslash ("\\?\C:" alone would name the volume, not its root).
  std::wstring name = dir;
  if (name.size() > 1 && name[name.size() - 2] != L':') name.pop_back();
  HANDLE handle =
      CreateFileW(name.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                  FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND;
    return {missing ? OpenStatus::Missing : OpenStatus::Unreadable, nullptr};
  }
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(handle, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    CloseHandle(handle);
    return {OpenStatus::Unreadable, nullptr};
  }
  const DirectoryIdentity identity{
      info.dwVolumeSerialNumber,
      (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  return {OpenStatus::Opened, std::make_unique<Win32Directory>(handle, std::move(dir), identity)};
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
