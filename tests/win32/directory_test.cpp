// The listing of the Windows binding on real directories: every name it gives opens again, what
// the ANSI code page cannot hold and what lies beyond MAX_PATH included, and links are not entered.
#include <gtest/gtest.h>

#include <cctype>

#include "core/folder_size.h"
#include "core/link_register.h"
#include "platform/platform.h"
#include "tests/win32/win32_support.h"

namespace tarnwick::platform {
namespace {

using tarnwick::FolderMeasure;
using tarnwick::GetFolderSize;
using tarnwick::LinkRegister;
using tarnwick::WalkOptions;
using tarnwick::WalkReport;

using testing::ScratchFolder;

struct Tally {
  std::uint64_t bytes = 0;
  std::uint64_t directories = 0;
  std::uint64_t unreadable = 0;
  std::vector<std::string> names;
};

// How a walk opens the subdirectories it meets.
enum class Reopen { FromListing, ByPath };

// A plain depth-first walk over the interface.
void Walk(Platform& platform, OpenResult opened, const std::string& path, Reopen reopen,
          Tally& tally) {
  if (opened.status != OpenStatus::Opened) {
    ++tally.unreadable;
    return;
  }
  ++tally.directories;
  std::vector<DirectoryEntry> entries;
  while (opened.directory->read(entries)) {
  }
  EXPECT_FALSE(opened.directory->failed());
  for (const DirectoryEntry& entry : entries) {
    EXPECT_TRUE(entry.sizeKnown);
    EXPECT_NE(entry.name, ".");
    EXPECT_NE(entry.name, "..");
    tally.names.push_back(entry.name);
    if (entry.kind == EntryKind::Directory) {
      const std::string child = path + "\\" + entry.name;
      Walk(platform,
           reopen == Reopen::FromListing ? opened.directory->openSubdirectory(entry.name)
                                         : platform.openDirectory(child, false),
           child, reopen, tally);
    } else {
      tally.bytes += entry.size;
    }
  }
}

void Walk(Platform& platform, const std::string& path, Tally& tally,
          Reopen reopen = Reopen::FromListing) {
  Walk(platform, platform.openDirectory(path, true), path, reopen, tally);
}

class Win32Listing : public ::testing::Test {
 protected:
  std::unique_ptr<Platform> platform = makeSystemPlatform();
  ScratchFolder scratch;
};

TEST_F(Win32Listing, EveryFileCountsWhateverItsNameAttributesOrDepth) {
  std::uint64_t expected = 0;
  auto file = [&](const std::wstring& relative, std::size_t size) {
    expected += size;
    return scratch.makeFile(relative, size);
  };
  file(L"plain.txt", 100);
  file(L"sub\\inner.bin", 2000);
  scratch.makeDirectory(L"empty");
  // Cyrillic and Japanese are outside the ANSI code page of a Western system.
  file(L"\u041f\u0430\u043f\u043a\u0430\\\u65e5\u672c\u8a9e.txt", 300);
  file(L"\u041f\u0430\u043f\u043a\u0430\\deeper\\x.txt", 40);
  // A name the code page does hold, outside ASCII.
  file(L"caf\u00e9\\menu.txt", 5);
  // A name ending in a dot, which the system would trim from a path it is given.
  file(L"trailing.\\kept.txt", 6);
  // Hidden, system and read-only files count like any other.
  std::wstring hidden = file(L"sub\\hidden.sys", 77);
  SetFileAttributesW(testing::Extended(hidden).c_str(),
                     FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY);
  // Beyond MAX_PATH.
  std::wstring deep;
  for (int i = 0; i < 6; ++i) deep += std::wstring(60, static_cast<wchar_t>(L'a' + i)) + L"\\";
  file(deep + L"bottom.txt", 1234);
  ASSERT_GT(scratch.wide().size() + deep.size(), static_cast<std::size_t>(MAX_PATH));

  for (Reopen reopen : {Reopen::FromListing, Reopen::ByPath}) {
    SCOPED_TRACE(reopen == Reopen::FromListing ? "from the listing" : "by path");
    Tally tally;
    Walk(*platform, scratch.ansi(), tally, reopen);
    EXPECT_EQ(tally.bytes, expected);
    EXPECT_EQ(tally.unreadable, 0u);
    // The root, sub, empty, the Cyrillic folder and its "deeper", café, trailing., six deep ones.
    EXPECT_EQ(tally.directories, 13u);
    // A name the code page holds comes in the code page.
    EXPECT_NE(std::find(tally.names.begin(), tally.names.end(), "caf\xe9"), tally.names.end());
    EXPECT_NE(std::find(tally.names.begin(), tally.names.end(), "plain.txt"), tally.names.end());
  }

  // The walk of the program gives the same sum, in one thread or several.
  for (unsigned threads : {1u, 4u}) {
    SCOPED_TRACE(threads);
    WalkReport report;
    WalkOptions options;
    options.threads = threads;
    options.report = &report;
    EXPECT_EQ(GetFolderSize(*platform, scratch.ansi() + "\\", true, options), expected);
    EXPECT_EQ(report.unreadableDirectories, 0u);
    EXPECT_EQ(report.loops, 0u);
  }
}

TEST_F(Win32Listing, ATrailingDelimiterAndADriveRootListTheDirectoryItself) {
  scratch.makeFile(L"a.txt", 10);
  Tally withDelimiter;
  Walk(*platform, scratch.ansi() + "\\", withDelimiter);
  EXPECT_EQ(withDelimiter.bytes, 10u);

  for (const char* root : {"C:", "C:\\"}) {
    SCOPED_TRACE(root);
    OpenResult opened = platform->openDirectory(root, true);
    ASSERT_EQ(opened.status, OpenStatus::Opened);
    std::vector<DirectoryEntry> entries;
    while (opened.directory->read(entries)) {
    }
    auto windows = std::find_if(entries.begin(), entries.end(), [](const DirectoryEntry& e) {
      return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, e.name.c_str(), -1, "windows", -1) ==
             CSTR_EQUAL;
    });
    ASSERT_NE(windows, entries.end());
    EXPECT_EQ(windows->kind, EntryKind::Directory);
  }
}

TEST_F(Win32Listing, AListingLargerThanOneBatchComesWhole) {
  for (int i = 0; i < 300; ++i) scratch.makeFile(L"f" + std::to_wstring(i), 1);
  Tally tally;
  Walk(*platform, scratch.ansi(), tally);
  EXPECT_EQ(tally.bytes, 300u);
  EXPECT_EQ(tally.names.size(), 300u);
}

TEST_F(Win32Listing, WhatIsNoDirectoryCannotBeOpened) {
  scratch.makeFile(L"file.txt", 1);
  for (const std::string& path :
       {scratch.ansi() + "\\file.txt", std::string("Q:\\no\\such\\drive"), std::string()}) {
    SCOPED_TRACE(path);
    EXPECT_NE(platform->openDirectory(path, true).status, OpenStatus::Opened);
  }
  // Told apart from the rest: a walk passes over a subdirectory deleted since it was listed.
  EXPECT_EQ(platform->openDirectory(scratch.ansi() + "\\missing", true).status,
            OpenStatus::Missing);
}

// A tree whose "data" folder holds a 50-byte file and a link "up" back to the tree's root:
// entered, the link would never end.
std::string LinkedTree(ScratchFolder& scratch) {
  // Under Wine the build makes it from outside (Wine makes no links of its own).
  const char* prepared = "C:\\tarnwick-links";
  DWORD attributes = GetFileAttributesA((std::string(prepared) + "\\data\\up").c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return prepared;
  scratch.makeFile(L"data\\a.txt", 50);
  std::wstring link = scratch.wide() + L"\\data\\up";
  CreateSymbolicLinkW(link.c_str(), scratch.wide().c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
  return scratch.ansi();
}

TEST_F(Win32Listing, ALinkToADirectoryIsCountedAndNotEntered) {
  std::string root = LinkedTree(scratch);
  DWORD attributes = GetFileAttributesA((root + "\\data\\up").c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    GTEST_SKIP() << "no directory link could be made here";

  Tally tally;
  Walk(*platform, root, tally);
  EXPECT_EQ(tally.directories, 2u);
  // The link counts with the size its entry gives, which is small.
  EXPECT_GE(tally.bytes, 50u);
  EXPECT_LT(tally.bytes, 50u + 4096u);
  EXPECT_EQ(GetFolderSize(*platform, root, true), tally.bytes);

  // The folder a user names may itself be a link; one met inside a walk is not entered.
  const std::string link = root + "\\data\\up";
  EXPECT_EQ(platform->openDirectory(link, true).status, OpenStatus::Opened);
  EXPECT_EQ(platform->openDirectory(link, false).status, OpenStatus::Unreadable);
  EXPECT_EQ(GetFolderSize(*platform, link, true), tally.bytes);
}

TEST_F(Win32Listing, IdentityTellsDirectoriesApart) {
  scratch.makeDirectory(L"one");
  scratch.makeDirectory(L"two");
  auto identity = [&](const std::string& path) {
    OpenResult opened = platform->openDirectory(path, true);
    EXPECT_EQ(opened.status, OpenStatus::Opened);
    return opened.directory ? opened.directory->identity() : DirectoryIdentity{};
  };
  EXPECT_EQ(identity(scratch.ansi() + "\\one"), identity(scratch.ansi() + "\\one\\"));
  EXPECT_NE(identity(scratch.ansi() + "\\one"), identity(scratch.ansi() + "\\two"));
}

// Folders of one survey that nest and coincide, spelled in other cases, with a trailing
// delimiter, by the short name: each measures as alone, and each directory is listed once.
TEST_F(Win32Listing, ASurveyMeetsEachDirectoryOnceHoweverItsPathIsSpelled) {
  scratch.makeFile(L"Profile\\ntuser.dat", 4096);
  scratch.makeFile(L"Profile\\Application Data Folder\\Vendor\\settings.ini", 300);
  scratch.makeFile(L"Profile\\Application Data Folder\\Vendor\\Cache\\blob", 70000);
  scratch.makeFile(L"Profile\\Documents\\letter.doc", 12345);
  scratch.makeDirectory(L"Profile\\Documents\\Empty");
  const std::string profile = scratch.ansi() + "\\Profile";
  wchar_t shortName[MAX_PATH];
  const std::wstring appData = scratch.wide() + L"\\Profile\\Application Data Folder";
  std::string shortAppData = profile + "\\Application Data Folder";
  if (GetShortPathNameW(appData.c_str(), shortName, MAX_PATH) != 0) {
    char narrow[MAX_PATH];
    if (WideCharToMultiByte(CP_ACP, 0, shortName, -1, narrow, MAX_PATH, nullptr, nullptr) != 0)
      shortAppData = narrow;
  }
  std::string upper = profile;  // the scratch folder's path is ASCII
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  const std::vector<std::string> folders = {profile + "\\Application Data Folder\\Vendor",
                                            profile + "\\Documents\\", shortAppData, upper,
                                            profile};
  for (unsigned threads : {1u, 4u}) {
    SCOPED_TRACE(threads);
    tarnwick::FolderSizes sizes(*platform);
    tarnwick::WalkProgress progress;
    for (const std::string& folder : folders) {
      SCOPED_TRACE(folder);
      FolderMeasure surveyed, alone;
      EXPECT_EQ(
          sizes.measure(folder, {threads, &progress, nullptr, nullptr, &surveyed}),
          GetFolderSize(*platform, folder, true, {threads, nullptr, nullptr, nullptr, &alone}));
      EXPECT_EQ(surveyed, alone);
    }
    EXPECT_EQ(progress.directories.load(), 6u);  // Profile and the five folders below it
  }
}

// What a file says of itself when opened: the space it takes and which file it is.
struct FileAnswer {
  std::uint64_t allocated = 0;
  FileIdentity file;
};
FileAnswer AskTheFile(const std::wstring& path) {
  HANDLE handle = CreateFileW(testing::Extended(path).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  FILE_STANDARD_INFO standard{};
  BY_HANDLE_FILE_INFORMATION info{};
  EXPECT_TRUE(handle != INVALID_HANDLE_VALUE &&
              GetFileInformationByHandleEx(handle, FileStandardInfo, &standard, sizeof standard) &&
              GetFileInformationByHandle(handle, &info));
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  return {static_cast<std::uint64_t>(standard.AllocationSize.QuadPart),
          {info.dwVolumeSerialNumber,
           (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow}};
}

// A file of 40,000 bytes with three more names, one in another folder, and a file made long
// without writing (sparse where the file system can).
TEST_F(Win32Listing, GivesTheSpaceTakenAndTheFileOfEveryNameWithoutOpeningIt) {
  constexpr std::uint64_t kLong = 1ull << 30;
  const std::wstring data = scratch.makeFile(L"one\\data", 40000);
  const std::wstring sparse = scratch.makeFile(L"one\\sparse", 0);
  HANDLE handle = CreateFileW(testing::Extended(sparse).c_str(), GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  DWORD ignored = 0;
  // Refused where the file system has no sparse files; the file is then merely long.
  DeviceIoControl(handle, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &ignored, nullptr);
  LARGE_INTEGER end{};
  end.QuadPart = static_cast<LONGLONG>(kLong);
  ASSERT_TRUE(SetFilePointerEx(handle, end, nullptr, FILE_BEGIN) && SetEndOfFile(handle));
  CloseHandle(handle);
  scratch.makeDirectory(L"two");
  for (const wchar_t* name : {L"one\\again", L"one\\third", L"two\\elsewhere"}) {
    if (!CreateHardLinkW(testing::Extended(scratch.wide() + L"\\" + name).c_str(),
                         testing::Extended(data).c_str(), nullptr))
      GTEST_SKIP() << "no hard link could be made here";
  }
  const FileAnswer dataAnswer = AskTheFile(data);
  const FileAnswer sparseAnswer = AskTheFile(sparse);
  // The written file takes whole clusters, so its space is not its length.
  ASSERT_NE(dataAnswer.allocated, 40000u);

  // The listing's own entries.
  OpenResult opened = platform->openDirectory(scratch.ansi() + "\\one", true);
  ASSERT_EQ(opened.status, OpenStatus::Opened);
  std::vector<DirectoryEntry> entries;
  while (opened.directory->read(entries)) {
  }
  ASSERT_EQ(entries.size(), 4u);
  for (const DirectoryEntry& entry : entries) {
    SCOPED_TRACE(entry.name);
    const FileAnswer& expected = entry.name == "sparse" ? sparseAnswer : dataAnswer;
    EXPECT_EQ(entry.allocated, expected.allocated);
    EXPECT_EQ(entry.file, expected.file);
  }

  // The walk, every name counted, and each file once over the two folders.
  const auto measure = [&](const std::vector<std::string>& folders, bool linksOnce) {
    LinkRegister links;
    FolderMeasure measured;
    WalkOptions options;
    options.threads = 2;
    options.measure = &measured;
    options.links = linksOnce ? &links : nullptr;
    for (const std::string& folder : folders)
      GetFolderSize(*platform, scratch.ansi() + folder, true, options);
    return measured;
  };
  const std::uint64_t data4 = 4 * dataAnswer.allocated;
  EXPECT_EQ(measure({""}, false),
            (FolderMeasure{4 * 40000 + kLong, data4 + sparseAnswer.allocated, 5, 2}));
  EXPECT_EQ(measure({""}, true),
            (FolderMeasure{40000 + kLong, dataAnswer.allocated + sparseAnswer.allocated, 2, 2}));
  EXPECT_EQ(measure({"\\two", "\\one"}, true),
            (FolderMeasure{40000 + kLong, dataAnswer.allocated + sparseAnswer.allocated, 2, 0}));
}

}  // namespace
}  // namespace tarnwick::platform
