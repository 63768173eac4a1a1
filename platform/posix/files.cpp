// Linux: the files of the report, with errno mapped into the program's codes. renameat2 is
// Linux's own; elsewhere, and on file systems that lack it, link and unlink do its work.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/posix/file_errors.h"
#include "platform/posix/posix_platform.h"

namespace tarnwick::platform {

namespace {

class PosixWritableFile : public WritableFile {
 public:
  explicit PosixWritableFile(int fd) : fd_(fd) {}
  ~PosixWritableFile() override {
    if (fd_ >= 0) ::close(fd_);
  }

  int descriptor() const { return fd_; }

  FileErrorCode write(std::string_view bytes) override {
    if (fd_ < 0) return FileErrorFromErrno(EBADF);
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0) {
        if (errno == EINTR) continue;
        return FileErrorFromErrno(errno);
      }
      // A file that takes nothing without saying why has no room left.
      if (written == 0) return FileErrorFromErrno(ENOSPC);
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
  }

  FileErrorCode close() override {
    if (fd_ < 0) return 0;
    const int fd = fd_;
    fd_ = -1;
    // Some file systems tell of a full disk or a lost write only here. After EINTR the
    // descriptor is gone all the same on Linux.
    if (::close(fd) != 0 && errno != EINTR) return FileErrorFromErrno(errno);
    return 0;
  }

 private:
  int fd_;
};

// True when another writer of the report holds the file. A file written without sharing may not
// be moved, deleted or opened by anybody else until it is released, so every Tarnwick takes an
// exclusive lock on the report it writes and looks for one before it touches a file.
bool HeldElsewhere(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

struct OpenedFile {
  std::unique_ptr<PosixWritableFile> file;
  FileErrorCode error = 0;
};

OpenedFile OpenExclusive(const std::string& path, int flags) {
  // Not blocking while opening, so that a FIFO without a reader answers instead of hanging.
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return {nullptr, FileErrorFromErrno(errno)};
  auto file = std::make_unique<PosixWritableFile>(fd);
  // Where the file system has no locks the file is written unlocked; only a lock that somebody
  // else holds stops the write.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK)
    return {nullptr, FileErrorFromErrno(EWOULDBLOCK)};
  const int status = ::fcntl(fd, F_GETFL);
  if (status >= 0) ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
  return {std::move(file), 0};
}

}  // namespace

std::string PosixPlatform::moduleFileName() {
  std::string path(256, '\0');
  for (;;) {
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < path.size()) {
      path.resize(static_cast<std::size_t>(length));
      return path;
    }
    path.resize(path.size() * 2);
  }
}

bool PosixPlatform::fileExists(const std::string& path) {
  struct stat status;
  return ::stat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode);
}

bool PosixPlatform::deleteFile(const std::string& path) {
  if (HeldElsewhere(path)) return false;
  return ::unlink(path.c_str()) == 0;
}

bool PosixPlatform::renameFile(const std::string& from, const std::string& to) {
  if (HeldElsewhere(from)) return false;
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A new link fails on an existing name just as the rename would.
  if (::link(from.c_str(), to.c_str()) != 0) return false;
  if (::unlink(from.c_str()) != 0) {
    ::unlink(to.c_str());
    return false;
  }
  return true;
}

FileOpenResult PosixPlatform::createFile(const std::string& path) {
  // Truncated only once the lock is taken, so that a report held by another writer stays whole.
  OpenedFile opened = OpenExclusive(path, O_WRONLY | O_CREAT);
  if (!opened.file) return {nullptr, opened.error};
  struct stat status;
  const int fd = opened.file->descriptor();
  if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && ::ftruncate(fd, 0) != 0)
    return {nullptr, FileErrorFromErrno(errno)};
  return {std::move(opened.file), 0};
}

FileOpenResult PosixPlatform::openForAppend(const std::string& path) {
  OpenedFile opened = OpenExclusive(path, O_WRONLY | O_APPEND);
  return {std::move(opened.file), opened.error};
}

FileReadResult PosixPlatform::readFile(const std::string& path, std::size_t limit) {
  FileReadResult result;
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    result.error = FileErrorFromErrno(errno);
    return result;
  }
  struct stat status;
  if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
    ::close(fd);
    result.error = 5;  // access denied, as Windows answers for a folder
    return result;
  }
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      result.error = FileErrorFromErrno(errno);
      break;
    }
    if (got == 0) break;
    if (result.bytes.size() + static_cast<std::size_t>(got) > limit) {
      result.tooLong = true;
      result.bytes.clear();
      break;
    }
    result.bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return result;
}

LocalTime PosixPlatform::localTime() {
  timespec now{};
  ::clock_gettime(CLOCK_REALTIME, &now);
  ::tzset();  // the time zone as it is now, not as it was at start
  tm parts{};
  ::localtime_r(&now.tv_sec, &parts);
  return {parts.tm_year + 1900,
          parts.tm_mon + 1,
          parts.tm_mday,
          parts.tm_hour,
          parts.tm_min,
          parts.tm_sec,
          static_cast<int>(now.tv_nsec / 1000000)};
}

}  // namespace tarnwick::platform
