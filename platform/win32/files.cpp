// Windows API: the files of the report on ANSI paths, with GetLastError codes.
#include <windows.h>

#include "platform/win32/win32_platform.h"

namespace tarnwick::platform {

namespace {

constexpr FileErrorCode kDiskFull = 101;

// The system's own codes pass as they are (2, 3, 4, 5, 32 mean in the program's table what they
// mean to the system); only a full disk becomes the program's "Disk full", as on every system.
FileErrorCode FileError(DWORD code) {
  if (code == ERROR_DISK_FULL || code == ERROR_HANDLE_DISK_FULL) return kDiskFull;
  return static_cast<FileErrorCode>(code);
}

class Win32File : public WritableFile {
 public:
  explicit Win32File(HANDLE handle) : handle_(handle) {}
  ~Win32File() override {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }

  FileErrorCode write(std::string_view bytes) override {
    while (!bytes.empty()) {
      const DWORD chunk = bytes.size() > 0x40000000 ? 0x40000000 : static_cast<DWORD>(bytes.size());
      DWORD written = 0;
      if (!WriteFile(handle_, bytes.data(), chunk, &written, nullptr))
        return FileError(GetLastError());
      // A write that succeeds short is the file system running out of room.
      if (written == 0) return kDiskFull;
      bytes.remove_prefix(written);
    }
    return 0;
  }

  FileErrorCode close() override {
    HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (handle == INVALID_HANDLE_VALUE || CloseHandle(handle)) return 0;
    return FileError(GetLastError());
  }

 private:
  HANDLE handle_;
};

FileOpenResult Opened(HANDLE handle) {
  if (handle == INVALID_HANDLE_VALUE) return {nullptr, FileError(GetLastError())};
  return {std::make_unique<Win32File>(handle), 0};
}

}  // namespace

std::string Win32Platform::moduleFileName() {
  char buffer[MAX_PATH + 1] = {};
  DWORD count = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
  return std::string(buffer, count < sizeof buffer ? count : sizeof buffer);
}

bool Win32Platform::fileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool Win32Platform::deleteFile(const std::string& path) { return DeleteFileA(path.c_str()) != 0; }

bool Win32Platform::renameFile(const std::string& from, const std::string& to) {
  return MoveFileA(from.c_str(), to.c_str()) != 0;
}

FileOpenResult Win32Platform::createFile(const std::string& path) {
  return Opened(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
}

FileOpenResult Win32Platform::openForAppend(const std::string& path) {
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return Opened(handle);
  LARGE_INTEGER end{};
  if (!SetFilePointerEx(handle, LARGE_INTEGER{}, &end, FILE_END)) {
    FileErrorCode error = FileError(GetLastError());
    CloseHandle(handle);
    return {nullptr, error};
  }
  return Opened(handle);
}

FileReadResult Win32Platform::readFile(const std::string& path, std::size_t limit) {
  FileReadResult result;
  HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    result.error = FileError(GetLastError());
    return result;
  }
  char buffer[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(handle, buffer, sizeof buffer, &got, nullptr)) {
      result.error = FileError(GetLastError());
      break;
    }
    if (got == 0) break;
    if (result.bytes.size() + got > limit) {
      result.tooLong = true;
      result.bytes.clear();
      break;
    }
    result.bytes.append(buffer, got);
  }
  CloseHandle(handle);
  return result;
}

LocalTime Win32Platform::localTime() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

}  // namespace tarnwick::platform
