// A fake system whose 29 folders all lie in an in-memory tree: row r's folder is /t/rNN.
#pragma once

#include <string>

#include "core/folder_catalogue.h"
#include "platform/fake/fake_platform.h"
#include "tests/support/numbered_name.h"

namespace tarnwick::ui::testing {

// "/t/r07" for row 7.
inline std::string RowFolder(std::size_t row) {
  return "/t/r" + std::string(row < 10 ? "0" : "") + std::to_string(row);
}

// Row r's folder holds `subfolders` folders of one 10-byte file each and a file of r + 1 bytes.
inline platform::FakeNode SurveyTree(int subfolders = 0) {
  platform::FakeNode root;
  for (std::size_t row = 0; row < FolderCatalogue.size(); ++row) {
    platform::FakeNode folder;
    folder.files["data"] = row + 1;
    for (int i = 0; i < subfolders; ++i)
      folder.children[tarnwick::testing::NumberedName('d', i)].files["f"] = 10;
    root.children[RowFolder(row).substr(3)] = folder;
  }
  return root;
}

// Points every catalogue row of `fake` at its folder in the tree.
inline void LocateRowsInTree(platform::FakePlatform& fake) {
  auto narrow = [](const std::string& text) {
    platform::RegistryValue value;
    value.data.assign(text.begin(), text.end());
    value.data.push_back(0);
    return value;
  };
  fake.registry["CommonFilesDir"] = narrow(RowFolder(0));
  fake.registry["ProgramFilesDir"] = narrow(RowFolder(1));
  fake.windowsDir = RowFolder(2);
  fake.systemDir = RowFolder(3);
  fake.environment["TMP"] = RowFolder(4);
  for (std::size_t row = 5; row < FolderCatalogue.size(); ++row)
    fake.shellFolders[FolderCatalogue[row].Source.csidl] = RowFolder(row);
}

// A fake system with the tree in place and every row located in it.
inline std::unique_ptr<platform::FakePlatform> SurveyPlatform(int subfolders = 0) {
  auto fake = platform::FakePlatform::Posix();
  fake->tree = SurveyTree(subfolders);
  fake->treeRoot = "/t";
  LocateRowsInTree(*fake);
  return fake;
}

}  // namespace tarnwick::ui::testing
