// Temporary directory trees on the real file system for the walk's tests, removed afterwards
// however deep they are, and a way to run a check in a child process with other limits or
// another user.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace tarnwick::testing {

class TempTree {
 public:
  TempTree() {
    std::string pattern = "/tmp/tarnwick-walk-XXXXXX";
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    chmod(pattern.c_str(), 0755);  // readable by the unprivileged user of some checks
    root_ = pattern;
  }
  ~TempTree() {
    // rm walks by descriptors too, so a tree deeper than PATH_MAX goes as well.
    std::string command = "chmod -R u+rwx '" + root_ + "' 2>/dev/null; rm -rf '" + root_ + "'";
    if (std::system(command.c_str()) != 0)
      std::fprintf(stderr, "could not remove %s\n", root_.c_str());
  }
  TempTree(const TempTree&) = delete;
  TempTree& operator=(const TempTree&) = delete;

  const std::string& path() const { return root_; }
  std::string at(const std::string& relative) const { return root_ + "/" + relative; }

  void directory(const std::string& relative, mode_t mode = 0755) const {
    Check(mkdir(at(relative).c_str(), mode), "mkdir " + relative);
    chmod(at(relative).c_str(), mode);
  }
  // A sparse file: its length costs no disk space.
  void file(const std::string& relative, std::uint64_t length) const {
    int fd = open(at(relative).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    Check(fd, "create " + relative);
    Check(ftruncate(fd, static_cast<off_t>(length)), "truncate " + relative);
    close(fd);
  }
  void symlink(const std::string& target, const std::string& relative) const {
    Check(::symlink(target.c_str(), at(relative).c_str()), "symlink " + relative);
  }
  void hardLink(const std::string& existing, const std::string& relative) const {
    Check(link(at(existing).c_str(), at(relative).c_str()), "link " + relative);
  }
  // A chain of `levels` directories "d" below `relative`, each holding a file "f" of `length`
  // bytes, made through descriptors because the paths soon exceed PATH_MAX.
  void chain(const std::string& relative, int levels, std::uint64_t length) const {
    int fd = open(at(relative).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    Check(fd, "open " + relative);
    for (int level = 0; level < levels; ++level) {
      Check(mkdirat(fd, "d", 0755), "mkdirat");
      int next = openat(fd, "d", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
      Check(next, "openat");
      close(fd);
      fd = next;
      int file = openat(fd, "f", O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
      Check(file, "create f");
      Check(ftruncate(file, static_cast<off_t>(length)), "truncate f");
      close(file);
    }
    close(fd);
  }

 private:
  static void Check(int result, const std::string& what) {
    if (result < 0) throw std::runtime_error(what + " failed");
  }
  std::string root_;
};

// The reference sum: what find lists for every entry that is not a directory.
inline std::uint64_t FindSum(const std::string& path) {
  std::string command = "find '" + path + "' ! -type d -printf '%s\\n' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("popen failed");
  std::uint64_t sum = 0;
  unsigned long long size = 0;
  while (std::fscanf(pipe, "%llu", &size) == 1) sum += size;
  pclose(pipe);
  return sum;
}

// Runs `check` in a forked child after `prepare` (which returns false when the child cannot
// take the wanted state); the child's answer comes back as text, nothing when `prepare` failed.
inline std::optional<std::string> RunInChild(const std::function<bool()>& prepare,
                                             const std::function<std::string()>& check) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    close(fds[0]);
    if (!prepare()) _exit(3);
    std::string answer = check();
    ssize_t written = write(fds[1], answer.data(), answer.size());
    _exit(written == static_cast<ssize_t>(answer.size()) ? 0 : 4);
  }
  close(fds[1]);
  std::string answer;
  char buffer[256];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, n);
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 3) return std::nullopt;
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("child failed");
  return answer;
}

}  // namespace tarnwick::testing
