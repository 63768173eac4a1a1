// A platform for tests that plays either system: every answer is a public field the test sets.
// Directory listing and the files of the report go to a real backend (`fallback`) unless the
// test puts a tree of its own in `tree`.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace tarnwick::platform {

// An in-memory directory tree; paths use the fake's delimiter.
struct FakeNode {
  std::map<std::string, FakeNode> children;  // directories
  std::map<std::string, std::uint64_t> files;
  bool unreadable = false;
  bool vanishes = false;  // listed by its parent, but gone when opened
  // A path in the tree whose directory this one shows, as a bind mount does: the same listing
  // and the same identity. Its own children and files are hidden.
  std::optional<std::string> shows;
};

class FakePlatform : public Platform {
 public:
  // A Windows system: backslash, drive roots, single-byte code page unless lead bytes are set.
  static std::unique_ptr<FakePlatform> Windows();
  // A POSIX system: "/" with the root kept.
  static std::unique_ptr<FakePlatform> Posix();

  PathStyle style;
  std::vector<unsigned char> leadBytes;  // bytes that start a double-byte character
  std::map<std::string, RegistryValue> registry;
  std::optional<std::string> windowsDir, systemDir;
  std::map<std::string, std::string> environment;
  std::string tempFallback;
  bool hasLongPathName = true;
  std::map<std::string, std::string> longNames;   // path -> long form; missing: fails
  std::map<std::string, std::string> shellPaths;  // path -> shell conversion; missing: fails
  std::map<int, std::string> shellFolders;
  std::optional<std::string> computer;
  std::map<LocaleItem, std::string> locale;
  LocalTime now{2011, 1, 15, 15, 42, 7, 0};
  std::string modulePath = "C:\\Tools\\Tarnwick.exe";
  std::vector<ShellRequest> shellRequests;  // every shell action asked for
  ShellResult shellAnswer{true, 42, 0};

  // Directories that exist; a tree in `tree` counts too.
  std::vector<std::string> directories;
  std::optional<FakeNode> tree;  // rooted at `treeRoot`
  std::string treeRoot;
  // Called before each directory of `tree` is listed, from the walk's threads (several at once
  // in a parallel walk); a test slows the walk or watches it here.
  std::function<void(const std::string& path)> onList;
  // How often each directory of `tree` has been read, by its node.
  std::map<const FakeNode*, int> listings;

  std::unique_ptr<Platform> fallback;  // real files and listings; the system backend by default

  // Files of the report: a code other than 0 makes the operation ("delete", "rename", "create",
  // "append") on that path fail with it before the real file is touched.
  std::function<FileErrorCode(std::string_view operation, const std::string& path)> fileFault;
  // A disk with this many bytes left for the files of the report: a write that does not fit
  // writes what fits and fails with 101.
  std::optional<std::uint64_t> diskSpaceLeft;

  FakePlatform();

  // The node of `tree` a path names, mounts followed; null when it names none.
  const FakeNode* findNode(const std::string& path) const;
  // Called by a listing of `tree` as it is read.
  void countListing(const FakeNode& node);

  PathStyle pathStyle() const override { return style; }
  bool isLeadByte(unsigned char byte) const override;
  std::optional<RegistryValue> readCurrentVersionValue(std::string_view name) override;
  std::optional<std::string> windowsDirectory() override { return windowsDir; }
  std::optional<std::string> systemDirectory() override { return systemDir; }
  std::optional<std::string> environmentVariable(std::string_view name) override;
  std::string defaultTempDirectory() override { return tempFallback; }
  std::optional<std::string> longPathName(const std::string& path) override;
  std::optional<std::string> shellParsePath(const std::string& path) override;
  std::optional<std::string> shellFolderPath(int csidl) override;
  std::optional<std::string> computerName() override { return computer; }
  bool directoryExists(const std::string& path) override;
  OpenResult openDirectory(const std::string& path, bool followLink) override;
  std::optional<std::string> localeItem(LocaleItem item) override;
  std::string moduleFileName() override { return modulePath; }
  bool fileExists(const std::string& path) override { return fallback->fileExists(path); }
  bool deleteFile(const std::string& path) override;
  bool renameFile(const std::string& from, const std::string& to) override;
  FileOpenResult createFile(const std::string& path) override;
  FileOpenResult openForAppend(const std::string& path) override;
  LocalTime localTime() override { return now; }
  FileReadResult readFile(const std::string& path, std::size_t limit) override {
    return fallback->readFile(path, limit);
  }
  ShellResult shellExecute(const ShellRequest& request) override;

 private:
  FileOpenResult openReportFile(std::string_view operation, const std::string& path);
  std::mutex mutex_;
};

// A registry value of type string as the NT family stores it: UTF-16 with its terminator.
RegistryValue WideString(const std::string& ascii, RegistryType type = RegistryType::String);

}  // namespace tarnwick::platform
