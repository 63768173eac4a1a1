#include "platform/fake/fake_platform.h"

#include <algorithm>

namespace tarnwick::platform {

namespace {

class FakeDirectory : public OpenDirectory {
 public:
  // The node's address is its identity: unique while the tree lives, as an inode is.
  FakeDirectory(FakePlatform& fake, std::string path, const FakeNode& node)
      : fake_(fake),
        node_(node),
        path_(std::move(path)),
        identity_{1, reinterpret_cast<std::uintptr_t>(&node)} {
    for (const auto& [name, child] : node.children)
      entries_.push_back({name, EntryKind::Directory, true, 0, 0, 0, {}});
    // A fake file takes on disk what it holds and has one name.
    for (const auto& [name, size] : node.files)
      entries_.push_back({name, EntryKind::File, true, size, size, 1, {}});
  }
  bool read(std::vector<DirectoryEntry>& out) override {
    if (done_) return false;
    fake_.countListing(node_);
    out.insert(out.end(), entries_.begin(), entries_.end());
    done_ = true;
    return !entries_.empty();
  }
  bool failed() const override { return false; }
  bool fillSizes(std::span<DirectoryEntry>) override { return true; }
  DirectoryIdentity identity() const override { return identity_; }
  OpenResult openSubdirectory(const std::string& name) override {
    return fake_.openDirectory(path_ + fake_.style.delimiter + name, false);
  }

 private:
  FakePlatform& fake_;
  const FakeNode& node_;
  std::string path_;
  DirectoryIdentity identity_;
  std::vector<DirectoryEntry> entries_;
  bool done_ = false;
};

// A real file on a disk that holds only so many more bytes.
class LimitedFile : public WritableFile {
 public:
  LimitedFile(std::unique_ptr<WritableFile> file, std::optional<std::uint64_t>& spaceLeft)
      : file_(std::move(file)), spaceLeft_(spaceLeft) {}
  FileErrorCode write(std::string_view bytes) override {
    if (!spaceLeft_) return file_->write(bytes);
    const std::size_t fits =
        static_cast<std::size_t>(std::min<std::uint64_t>(bytes.size(), *spaceLeft_));
    *spaceLeft_ -= fits;
    if (const FileErrorCode error = file_->write(bytes.substr(0, fits))) return error;
    return fits == bytes.size() ? 0 : 101;
  }
  FileErrorCode close() override { return file_->close(); }

 private:
  std::unique_ptr<WritableFile> file_;
  std::optional<std::uint64_t>& spaceLeft_;
};

}  // namespace

bool FakePlatform::deleteFile(const std::string& path) {
  if (fileFault && fileFault("delete", path) != 0) return false;
  return fallback->deleteFile(path);
}

bool FakePlatform::renameFile(const std::string& from, const std::string& to) {
  if (fileFault && fileFault("rename", from) != 0) return false;
  return fallback->renameFile(from, to);
}

FileOpenResult FakePlatform::createFile(const std::string& path) {
  return openReportFile("create", path);
}

FileOpenResult FakePlatform::openForAppend(const std::string& path) {
  return openReportFile("append", path);
}

FileOpenResult FakePlatform::openReportFile(std::string_view operation, const std::string& path) {
  if (const FileErrorCode error = fileFault ? fileFault(operation, path) : 0)
    return {nullptr, error};
  FileOpenResult opened =
      operation == "create" ? fallback->createFile(path) : fallback->openForAppend(path);
  if (opened.file)
    opened.file = std::make_unique<LimitedFile>(std::move(opened.file), diskSpaceLeft);
  return opened;
}

FakePlatform::FakePlatform() : fallback(makeSystemPlatform()) {}

std::unique_ptr<FakePlatform> FakePlatform::Windows() {
  auto fake = std::make_unique<FakePlatform>();
  fake->style = {'\\', false};
  return fake;
}

std::unique_ptr<FakePlatform> FakePlatform::Posix() {
  auto fake = std::make_unique<FakePlatform>();
  fake->style = {'/', true};
  fake->modulePath = "/opt/tarnwick/bin/tarnwick";
  return fake;
}

bool FakePlatform::isLeadByte(unsigned char byte) const {
  return std::find(leadBytes.begin(), leadBytes.end(), byte) != leadBytes.end();
}

std::optional<RegistryValue> FakePlatform::readCurrentVersionValue(std::string_view name) {
  auto it = registry.find(std::string(name));
  if (it == registry.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> FakePlatform::environmentVariable(std::string_view name) {
  auto it = environment.find(std::string(name));
  if (it == environment.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> FakePlatform::longPathName(const std::string& path) {
  if (!hasLongPathName) return std::nullopt;
  auto it = longNames.find(path);
  return it == longNames.end() ? std::string() : it->second;
}

std::optional<std::string> FakePlatform::shellParsePath(const std::string& path) {
  auto it = shellPaths.find(path);
  if (it == shellPaths.end()) return std::nullopt;
  return it->second;
}

std::optional<std::string> FakePlatform::shellFolderPath(int csidl) {
  auto it = shellFolders.find(csidl);
  if (it == shellFolders.end()) return std::nullopt;
  return it->second;
}

const FakeNode* FakePlatform::findNode(const std::string& path) const {
  if (!tree) return nullptr;
  std::string p = path;
  if (p.size() > treeRoot.size() && !p.empty() && p.back() == style.delimiter) p.pop_back();
  if (p.compare(0, treeRoot.size(), treeRoot) != 0) return nullptr;
  const FakeNode* node = &*tree;
  std::size_t pos = treeRoot.size();
  while (pos < p.size()) {
    if (p[pos] == style.delimiter) ++pos;
    std::size_t end = p.find(style.delimiter, pos);
    if (end == std::string::npos) end = p.size();
    auto it = node->children.find(p.substr(pos, end - pos));
    if (it == node->children.end()) return nullptr;
    node = &it->second;
    // A node that shows another is a mount: the path goes on in the directory shown.
    if (node->shows) node = findNode(*node->shows);
    if (!node) return nullptr;
    pos = end;
  }
  return node;
}

void FakePlatform::countListing(const FakeNode& node) {
  std::lock_guard lock(mutex_);
  ++listings[&node];
}

bool FakePlatform::directoryExists(const std::string& path) {
  if (path.empty()) return false;
  if (findNode(path)) return true;
  std::string p = path;
  if (p.size() > 1 && p.back() == style.delimiter) p.pop_back();
  if (std::find(directories.begin(), directories.end(), p) != directories.end()) return true;
  return !tree && fallback->directoryExists(path);
}

OpenResult FakePlatform::openDirectory(const std::string& path, bool followLink) {
  if (!tree) return fallback->openDirectory(path, followLink);
  if (onList) onList(path);
  const FakeNode* node = findNode(path);
  if (!node || node->vanishes) return {OpenStatus::Missing, nullptr};
  if (node->unreadable) return {OpenStatus::Unreadable, nullptr};
  return {OpenStatus::Opened, std::make_unique<FakeDirectory>(*this, path, *node)};
}

std::optional<std::string> FakePlatform::localeItem(LocaleItem item) {
  auto it = locale.find(item);
  if (it == locale.end()) return std::nullopt;
  return it->second;
}

ShellResult FakePlatform::shellExecute(const ShellRequest& request) {
  std::lock_guard lock(mutex_);
  shellRequests.push_back(request);
  return shellAnswer;
}

RegistryValue WideString(const std::string& ascii, RegistryType type) {
  RegistryValue value{type, {}, true};
  for (char c : ascii) {
    value.data.push_back(static_cast<std::uint8_t>(c));
    value.data.push_back(0);
  }
  value.data.push_back(0);
  value.data.push_back(0);
  return value;
}

}  // namespace tarnwick::platform
