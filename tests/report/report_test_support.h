// What the report's tests share: the catalogue's rows, regional settings, temporary folders.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/folder_catalogue.h"
#include "core/folder_list.h"
#include "core/regional_settings.h"
#include "tests/support/temp_folder.h"

namespace tarnwick::testing {

inline std::vector<FolderRow> CatalogueRows() {
  std::vector<FolderRow> rows;
  for (const CatalogueEntry& entry : FolderCatalogue)
    rows.push_back({std::string(entry.Caption), false, {}});
  return rows;
}

inline FolderRow& Row(std::vector<FolderRow>& rows, std::string_view caption) {
  for (FolderRow& row : rows)
    if (row.Caption == caption) return row;
  throw std::logic_error("no such row");
}

inline RegionalSettings UnitedStates() {
  RegionalSettings us;
  us.shortDatePattern = "M/d/yyyy";
  us.amText = "AM";
  us.pmText = "PM";
  return us;
}

inline RegionalSettings German() {
  RegionalSettings de;
  de.decimalSeparator = ',';
  de.shortDatePattern = "dd.MM.yyyy";
  de.dateSeparator = ".";
  de.hoursLeadingZero = true;
  de.twentyFourHour = true;
  return de;
}

// A folder of its own under the system's temporary folder, removed with all it holds, whatever
// permissions a test left on it.
class TempDir {
 public:
  TempDir() {
    path = MakeTemporaryFolder("tarnwick-report-");
    // Open to everybody, so that an unprivileged child can reach what lies inside.
    std::filesystem::permissions(path, std::filesystem::perms::all &
                                           ~std::filesystem::perms::group_write &
                                           ~std::filesystem::perms::others_write);
  }
  ~TempDir() {
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(path, error);
         it != std::filesystem::recursive_directory_iterator(); it.increment(error))
      if (it->is_directory(error))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path, error);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string operator/(const std::string& name) const {
    return (std::filesystem::path(path) / name).string();
  }

  std::string path;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace tarnwick::testing
