// The operating-system operations Tarnwick relies on, in the program's own terms. One backend per
// system implements it (posix/, win32/), and fake/ plays either system for tests. Nothing here
// includes a system header; texts and paths are byte strings in the system's code page.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/utf8.h"

namespace tarnwick::platform {

// ---- Registry -----------------------------------------------------------------------------------

enum class RegistryType { String, ExpandString, Binary, DWord, QWord, MultiString, Other };

// A value as the system stores it. When `wide` is set the data are UTF-16 code units (the wide
// functions of the NT family), otherwise bytes in the code page; the terminator, if stored, is in
// `data`.
struct RegistryValue {
  RegistryType type = RegistryType::String;
  std::vector<std::uint8_t> data;
  bool wide = false;
};

// ---- Directory listing --------------------------------------------------------------------------

enum class EntryKind : std::uint8_t { File, Directory, Unknown };

// Identity of a directory on its file system, for finding a directory that contains itself.
struct DirectoryIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
  friend bool operator==(const DirectoryIdentity&, const DirectoryIdentity&) = default;
};

// A file is known by the same pair: device and inode, or on Windows volume and file id.
using FileIdentity = DirectoryIdentity;

// One entry of a listing, never "." or "..". `size` is the logical length of a non-directory and
// `allocated` the space it takes on disk; both are valid once `sizeKnown` is set, and a backend
// whose listing carries sizes sets them while reading. `links` is the number of names the file
// has (0 where the listing does not say) and `file` says which file it is.
// A link is never a Directory: it is a File with the link's own length, and is not walked.
// Unknown is a kind the listing did not say; `fillSizes` settles it.
struct DirectoryEntry {
  std::string name;
  EntryKind kind = EntryKind::Unknown;
  bool sizeKnown = false;
  std::uint64_t size = 0;
  std::uint64_t allocated = 0;
  std::uint32_t links = 0;
  FileIdentity file;
};

enum class OpenStatus {
  Opened,
  Unreadable,        // not a directory, access refused, a failing disk
  Missing,           // no such directory (any more): one that vanished since its parent was listed
  PseudoFileSystem,  // proc, sysfs and their kin: listed sizes are not data, not entered
};

struct OpenResult;

// An open directory. `read` and `fillSizes` may be called from different threads, but `read` from
// one at a time; `fillSizes` on disjoint ranges may run in several threads at once.
class OpenDirectory {
 public:
  virtual ~OpenDirectory() = default;
  // Appends a batch of entries to `out`; false once the listing ends or fails (see `failed`).
  virtual bool read(std::vector<DirectoryEntry>& out) = 0;
  // True when the listing ended on an error rather than at its end.
  virtual bool failed() const = 0;
  // Fills kind and size of the entries that lack them, without following links. An entry that
  // vanished since the listing is an empty file; false when some size could not be read (the
  // entry then counts as empty too).
  virtual bool fillSizes(std::span<DirectoryEntry> entries) = 0;
  virtual DirectoryIdentity identity() const = 0;
  // Opens the subdirectory `name` of this listing as `Platform::openDirectory` opens its path
  // with `followLink` clear, but without walking the path again.
  virtual OpenResult openSubdirectory(const std::string& name) = 0;
};

struct OpenResult {
  OpenStatus status = OpenStatus::Unreadable;
  std::unique_ptr<OpenDirectory> directory;  // set when status is Opened
};

// ---- Files of the report -----------------------------------------------------------------------

// Codes of the program's own table: 2 file not found, 3 invalid filename, 4 too many open files,
// 5 access denied, 32 sharing violation, 101 disk full; any other system code passes as it is.
using FileErrorCode = int;

class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Writes all of `bytes`, or returns the error code of the failure (0 on success).
  virtual FileErrorCode write(std::string_view bytes) = 0;
  virtual FileErrorCode close() = 0;
};

struct FileOpenResult {
  std::unique_ptr<WritableFile> file;  // null on failure
  FileErrorCode error = 0;
};

// A file read whole. `error` is 0 on success; a file longer than the limit asked for is not read.
struct FileReadResult {
  std::string bytes;
  FileErrorCode error = 0;
  bool tooLong = false;
};

struct LocalTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, millisecond = 0;
};

// ---- Regional settings -------------------------------------------------------------------------

// Locale items of the user's regional settings, in the program's own terms. A backend answers
// with the item's text as the system gives it, or nothing when it cannot be read.
enum class LocaleItem {
  DecimalSeparator,    // "."
  ShortDatePattern,    // "M/d/yyyy" style: d, dd, M, MM, yy, yyyy and literal text; "/" is the date
                       // separator
  DateSeparator,       // "/"
  TimeSeparator,       // ":"
  AmText,              // "AM"
  PmText,              // "PM"
  HoursLeadingZero,    // "0" or "1"
  TimeFormat,          // "0" 12-hour, "1" 24-hour
  TimeMarkerPosition,  // "0" after the time, "1" before
};

// ---- Paths --------------------------------------------------------------------------------------

struct PathStyle {
  char delimiter = '\\';
  // A lone delimiter names the root ("/" on POSIX) and keeps its delimiter.
  bool loneDelimiterIsRoot = false;
};

// How a shell action is shown: the show commands of the system.
enum class ShowCommand { Normal, Maximized, Minimized, Hide };

struct ShellRequest {
  std::string verb;  // "Explore", "Open"
  std::string file;
  std::string parameters;
  std::string directory;
  ShowCommand show = ShowCommand::Normal;
};

struct ShellResult {
  bool ok = false;
  std::int32_t instance = 0;  // the shell's instance value, an error value on failure
  std::uintptr_t process = 0;
};

// ---- The interface ------------------------------------------------------------------------------

class Platform {
 public:
  virtual ~Platform() = default;

  // Texts and paths.
  virtual PathStyle pathStyle() const = 0;
  // True when `byte` starts a double-byte character of the system's code page.
  virtual bool isLeadByte(unsigned char byte) const = 0;
  // UTF-16 text (what the wide registry functions give) in the system's code page. The default
  // writes UTF-8, the code page of POSIX systems; a lone surrogate becomes "?".
  virtual std::string wideToCodePage(std::u16string_view text) const;

  // A value under HKEY_LOCAL_MACHINE "SOFTWARE\Microsoft\Windows\CurrentVersion" (or what the
  // system maps onto it); nothing when the key or the value is missing or cannot be read.
  virtual std::optional<RegistryValue> readCurrentVersionValue(std::string_view name) = 0;

  // The Windows and system directories as the system writes them into a buffer of the size it
  // asked for (possibly with NULs inside); nothing when it reports size 0.
  virtual std::optional<std::string> windowsDirectory() = 0;
  virtual std::optional<std::string> systemDirectory() = 0;

  // An environment variable's value, unexpanded; nothing when it is not set.
  virtual std::optional<std::string> environmentVariable(std::string_view name) = 0;
  // The folder to use when neither "TMP" nor "TEMP" is set: the current directory on Windows,
  // "TMPDIR" or /tmp on POSIX, as a raw buffer text.
  virtual std::string defaultTempDirectory() = 0;

  // The long form of a path: nothing when the system lacks the operation; the empty text when
  // it fails (the path does not exist).
  virtual std::optional<std::string> longPathName(const std::string& path) = 0;
  // The shell's conversion of a path to a file-system path through an item identifier list;
  // nothing when any step fails.
  virtual std::optional<std::string> shellParsePath(const std::string& path) = 0;

  // The file-system path of the shell folder with this CSIDL number, as a raw buffer text;
  // nothing when the shell does not know it or it has no file-system path.
  virtual std::optional<std::string> shellFolderPath(int csidl) = 0;

  // The computer's name as the system writes it into its buffer; nothing on failure.
  virtual std::optional<std::string> computerName() = 0;

  // True when the path names an existing directory (links to directories followed).
  virtual bool directoryExists(const std::string& path) = 0;

  // Opens a directory for listing, whatever the length of its path. A link in the last component
  // of the path is followed only with `followLink` (the folder a user names may be a link; a
  // directory met inside a walk is entered only as itself).
  virtual OpenResult openDirectory(const std::string& path, bool followLink) = 0;

  // Regional settings.
  virtual std::optional<std::string> localeItem(LocaleItem item) = 0;

  // Files of the report.
  // The full path of the running program's own file.
  virtual std::string moduleFileName() = 0;
  // True when attributes can be read and do not say directory.
  virtual bool fileExists(const std::string& path) = 0;
  virtual bool deleteFile(const std::string& path) = 0;
  // Fails when `to` exists: it never replaces a file.
  virtual bool renameFile(const std::string& from, const std::string& to) = 0;
  // Creates or truncates the file for writing, without sharing while it is open.
  virtual FileOpenResult createFile(const std::string& path) = 0;
  // Opens an existing file for appending, sharing for reading only; creates nothing.
  virtual FileOpenResult openForAppend(const std::string& path) = 0;
  virtual LocalTime localTime() = 0;
  // Reads a whole file of at most `limit` bytes (an earlier report or survey, to compare with).
  virtual FileReadResult readFile(const std::string& path, std::size_t limit) = 0;

  // Starts the shell action and returns without waiting for it.
  virtual ShellResult shellExecute(const ShellRequest& request) = 0;

  // True when the program's standard error goes to a terminal (a command line shows progress
  // there only then).
  virtual bool standardErrorIsTerminal() const { return false; }
};

inline std::string Platform::wideToCodePage(std::u16string_view text) const {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    } else if (c >= 0xD800 && c < 0xE000) {
      c = '?';
    }
    AppendUtf8(out, c);
  }
  return out;
}

// The backend of the system this program was built for.
std::unique_ptr<Platform> makeSystemPlatform();

// Start-up of the window, for the system's own rules about it. Prepares the calling thread for
// the system's user-interface services (COM as a single-threaded apartment on Windows); nothing
// on POSIX.
void initialiseUserInterfaceThread();
// How the system asked the program to show its first window: maximised or minimised where it
// gave such a show command (3 or 7 on Windows), else normal.
ShowCommand startupShowCommand();

}  // namespace tarnwick::platform
