// Linux and other freedesktop.org systems: shell actions through the desktop's opener,
// xdg-open, started in a session of its own so that the program never waits for it.
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "platform/posix/posix_platform.h"

extern char** environ;

namespace tarnwick::platform {

namespace {

// Failures carry the error values the shell reports for them.
constexpr std::int32_t FileNotFound = 2;
constexpr std::int32_t OutOfResources = 8;
constexpr std::int32_t NoAssociation = 31;
// A successful shell action reports a value above 32.
constexpr std::int32_t Started = 33;

bool IsVerb(const std::string& verb, const char* name) {
  return ::strcasecmp(verb.c_str(), name) == 0;
}

std::optional<std::string> FindProgram(std::string_view name) {
  const char* path = std::getenv("PATH");
  std::string_view dirs = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    const std::size_t colon = dirs.find(':');
    // An empty entry in PATH names the current directory.
    std::string_view dir = dirs.substr(0, colon);
    if (dir.empty()) dir = ".";
    std::string candidate;
    candidate.reserve(dir.size() + 1 + name.size());
    candidate.append(dir).append(1, '/').append(name);
    struct stat info;
    if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        ::access(candidate.c_str(), X_OK) == 0)
      return candidate;
    if (colon == std::string_view::npos) return std::nullopt;
    dirs.remove_prefix(colon + 1);
  }
}

// Owns the spawn attributes for one launch.
struct SpawnSetup {
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_t actions;
  SpawnSetup() {
    posix_spawnattr_init(&attributes);
    posix_spawn_file_actions_init(&actions);
  }
  ~SpawnSetup() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
  }
};

}  // namespace

ShellResult PosixPlatform::shellExecute(const ShellRequest& request) {
  const bool explore = IsVerb(request.verb, "Explore");
  if (!explore && !IsVerb(request.verb, "Open") && !request.verb.empty())
    return {false, NoAssociation, 0};
  if (request.file.empty()) return {false, FileNotFound, 0};
  // Exploring is for folders only: the opener would open, or even run, a file.
  if (explore && !directoryExists(request.file)) return {false, FileNotFound, 0};
  const std::optional<std::string> opener = FindProgram("xdg-open");
  if (!opener) return {false, NoAssociation, 0};

  // A name that begins with "-" would be read as an option.
  const std::string target = request.file.front() == '-' ? "./" + request.file : request.file;

  SpawnSetup setup;
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&setup.attributes, &signals);
  sigfillset(&signals);
  posix_spawnattr_setsigdefault(&setup.attributes, &signals);
  // A session of its own: the opener outlives the program and no terminal signal reaches it.
  posix_spawnattr_setflags(&setup.attributes,
                           POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (!request.directory.empty())
    posix_spawn_file_actions_addchdir_np(&setup.actions, request.directory.c_str());

  char* argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(target.c_str()), nullptr};
  pid_t pid = 0;
  const int error =
      ::posix_spawn(&pid, opener->c_str(), &setup.actions, &setup.attributes, argv, environ);
  if (error != 0) return {false, error == ENOENT ? FileNotFound : OutOfResources, 0};

  // The opener may run for as long as the file manager it starts; a thread of its own collects
  // its exit so that it never lingers as a zombie, and the caller does not wait.
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return {true, Started, 0};
}

}  // namespace tarnwick::platform
