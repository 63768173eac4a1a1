#include "tests/win32/win32_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>

namespace tarnwick::testing {

namespace {

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((Extended(path) + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring child = path + L"\\" + name;
      const bool directory = data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
      const bool link = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
      SetFileAttributesW(Extended(child).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (directory && !link) {
        RemoveTree(child);
      } else if (directory) {
        RemoveDirectoryW(Extended(child).c_str());
      } else {
        DeleteFileW(Extended(child).c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(Extended(path).c_str());
}

// A text of the ANSI code page in UTF-16, as the child will read it back.
std::wstring Widen(const std::string& text) {
  const int size = static_cast<int>(text.size());
  int count = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), count);
  return wide;
}

std::wstring ModuleFolder() {
  wchar_t buffer[MAX_PATH] = {};
  DWORD count = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  std::wstring path(buffer, count);
  return path.substr(0, path.find_last_of(L'\\'));
}

}  // namespace

std::wstring Extended(const std::wstring& path) {
  return path.starts_with(L"\\\\?\\") ? path : L"\\\\?\\" + path;
}

ScratchFolder::ScratchFolder() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::wstring base = temp;
  if (!base.empty() && base.back() == L'\\') base.pop_back();
  path_ = base + L"\\tarnwick-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(counter++);
  RemoveTree(path_);
  if (!CreateDirectoryW(Extended(path_).c_str(), nullptr))
    ADD_FAILURE() << "cannot make the scratch folder, error " << GetLastError();
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

std::string ScratchFolder::ansi() const {
  int count = WideCharToMultiByte(CP_ACP, 0, path_.data(), static_cast<int>(path_.size()), nullptr,
                                  0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(CP_ACP, 0, path_.data(), static_cast<int>(path_.size()), text.data(), count,
                      nullptr, nullptr);
  return text;
}

std::wstring ScratchFolder::makeDirectory(const std::wstring& relative) {
  std::wstring path = path_;
  std::size_t start = 0;
  while (start <= relative.size()) {
    std::size_t end = relative.find(L'\\', start);
    if (end == std::wstring::npos) end = relative.size();
    path += L"\\" + relative.substr(start, end - start);
    if (!CreateDirectoryW(Extended(path).c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS)
      ADD_FAILURE() << "cannot make a directory, error " << GetLastError();
    start = end + 1;
  }
  return path;
}

std::wstring ScratchFolder::makeFile(const std::wstring& relative, std::size_t size) {
  std::size_t slash = relative.find_last_of(L'\\');
  if (slash != std::wstring::npos) makeDirectory(relative.substr(0, slash));
  std::wstring path = path_ + L"\\" + relative;
  HANDLE file = CreateFileW(Extended(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    ADD_FAILURE() << "cannot make a file, error " << GetLastError();
    return path;
  }
  std::string bytes(size, 'x');
  DWORD written = 0;
  if (size > 0) WriteFile(file, bytes.data(), static_cast<DWORD>(size), &written, nullptr);
  CloseHandle(file);
  EXPECT_EQ(written, size);
  return path;
}

EnvironmentGuard::EnvironmentGuard(const char* name, std::optional<std::string> value)
    : name_(name) {
  DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
  if (size > 0) {
    std::string old(size, '\0');
    old.resize(GetEnvironmentVariableA(name, old.data(), size));
    old_ = old;
  }
  SetEnvironmentVariableA(name, value ? value->c_str() : nullptr);
}

EnvironmentGuard::~EnvironmentGuard() {
  SetEnvironmentVariableA(name_.c_str(), old_ ? old_->c_str() : nullptr);
}

ProcessOutput RunProgram(const std::string& name, const std::string& arguments,
                         const std::string& directory, std::optional<WORD> show) {
  ProcessOutput result;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) {
    ADD_FAILURE() << "cannot make a pipe";
    return result;
  }
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = writeEnd;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  if (show) {
    startup.dwFlags |= STARTF_USESHOWWINDOW;
    startup.wShowWindow = *show;
  }
  std::wstring program = ModuleFolder() + L"\\" + std::wstring(name.begin(), name.end());
  std::wstring commandLine = L"\"" + program + L"\" " + Widen(arguments);
  std::wstring folder = Widen(directory);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    ADD_FAILURE() << "cannot start " << name << ", error " << GetLastError();
    CloseHandle(readEnd);
    CloseHandle(writeEnd);
    return result;
  }
  CloseHandle(writeEnd);
  // Read while the child runs, and stop when it has ended rather than at the pipe's end: a
  // process the child starts (Wine's desktop, on the first window of a session) may hold the pipe.
  char buffer[4096];
  for (bool ended = false; !ended;) {
    ended = WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0;
    DWORD available = 0;
    while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
      DWORD count = 0;
      if (!ReadFile(readEnd, buffer, sizeof buffer, &count, nullptr) || count == 0) break;
      result.output.append(buffer, count);
    }
  }
  CloseHandle(readEnd);
  GetExitCodeProcess(process.hProcess, &result.exitCode);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return result;
}

std::string FileContents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace tarnwick::testing
