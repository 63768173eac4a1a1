// The fixed catalogue of the 29 special folders: the order of the list, of the survey and of the
// report.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tarnwick {

enum class FolderKind : std::uint8_t {
  CommonFiles,
  ProgramFiles,
  Windows,
  System,
  Temp,
  ShellFolder
};

struct FolderSource {
  FolderKind kind;
  std::int32_t csidl = 0;  // only for ShellFolder
};

struct CatalogueEntry {
  std::string_view Caption;
  FolderSource Source;
};

constexpr FolderSource Shell(std::int32_t csidl) { return {FolderKind::ShellFolder, csidl}; }

// clang-format off
inline constexpr std::array<CatalogueEntry, 29> FolderCatalogue{{
    {"Common Files",          {FolderKind::CommonFiles}},
    {"Program Files",         {FolderKind::ProgramFiles}},
    {"Windows",               {FolderKind::Windows}},
    {"System",                {FolderKind::System}},
    {"Temp",                  {FolderKind::Temp}},
    {"Desktop",               Shell(0)},   // CSIDL_DESKTOP
    {"Programs",              Shell(2)},   // CSIDL_PROGRAMS
    {"Personal",              Shell(5)},   // CSIDL_PERSONAL
    {"Favorites",             Shell(6)},   // CSIDL_FAVORITES
    {"Startup",               Shell(7)},   // CSIDL_STARTUP
    {"Recent",                Shell(8)},   // CSIDL_RECENT
    {"Send to",               Shell(9)},   // CSIDL_SENDTO
    {"Start Menu",            Shell(11)},  // CSIDL_STARTMENU
    {"Desktop Folder",        Shell(16)},  // CSIDL_DESKTOPDIRECTORY
    {"Net Hood",              Shell(19)},  // CSIDL_NETHOOD
    {"Fonts",                 Shell(20)},  // CSIDL_FONTS
    {"Common Start Menu",     Shell(22)},  // CSIDL_COMMON_STARTMENU
    {"Common Programs",       Shell(23)},  // CSIDL_COMMON_PROGRAMS
    {"Common Startup",        Shell(24)},  // CSIDL_COMMON_STARTUP
    {"Common Desktop Folder", Shell(25)},  // CSIDL_COMMON_DESKTOPDIRECTORY
    {"Common App Data",       Shell(35)},  // CSIDL_COMMON_APPDATA
    {"App Data",              Shell(26)},  // CSIDL_APPDATA
    {"Print Hood",            Shell(27)},  // CSIDL_PRINTHOOD
    {"Common Favorites",      Shell(31)},  // CSIDL_COMMON_FAVORITES
    {"Templates",             Shell(21)},  // CSIDL_TEMPLATES
    {"Internet Cache",        Shell(32)},  // CSIDL_INTERNET_CACHE
    {"Cookies",               Shell(33)},  // CSIDL_COOKIES
    {"History",               Shell(34)},  // CSIDL_HISTORY
    {"Profile",               Shell(40)},  // CSIDL_PROFILE
}};
// clang-format on
static_assert(FolderCatalogue.size() == 29);

}  // namespace tarnwick
