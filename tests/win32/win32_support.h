// Helpers of the Windows tests: scratch folders made with the wide functions (so they may hold any
// name and any depth), environment guards and runs of tarnwick-cli.exe.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tarnwick::testing {

// "\\?\" form of an absolute wide path, for paths beyond MAX_PATH.
std::wstring Extended(const std::wstring& path);

// A folder of its own under the prefix's temporary folder, removed with all it holds at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::wstring& wide() const { return path_; }
  // The folder's path in the ANSI code page (it holds only ASCII).
  std::string ansi() const;

  // Relative paths below the folder, '\'-separated; parents are made as needed.
  std::wstring makeDirectory(const std::wstring& relative);
  std::wstring makeFile(const std::wstring& relative, std::size_t size);

 private:
  std::wstring path_;
};

// Sets (or, with nothing, removes) a variable of this process and puts the old value back.
class EnvironmentGuard {
 public:
  EnvironmentGuard(const char* name, std::optional<std::string> value);
  ~EnvironmentGuard();
  EnvironmentGuard(const EnvironmentGuard&) = delete;
  EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

 private:
  std::string name_;
  std::optional<std::string> old_;
};

struct ProcessOutput {
  DWORD exitCode = 0;
  std::string output;  // standard output and standard error, as written
};

// Runs `program` (a file in this test's own folder) with `arguments`, in `directory` if given and
// with the show command `show` if given; the child inherits this process's environment.
ProcessOutput RunProgram(const std::string& program, const std::string& arguments,
                         const std::string& directory = {}, std::optional<WORD> show = {});

inline ProcessOutput RunCli(const std::string& arguments, const std::string& directory = {}) {
  return RunProgram("tarnwick-cli.exe", arguments, directory);
}

// What a file holds, byte for byte.
std::string FileContents(const std::string& path);

// The lines of a text, without their CR LF or LF.
std::vector<std::string> Lines(const std::string& text);

}  // namespace tarnwick::testing
