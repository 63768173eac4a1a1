#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/system_folders.h"
#include "platform/platform.h"
#include "tests/support/env_guard.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

// A home directory of its own under the system's temporary folder, with every variable the
// lookups read set or unset for the test and put back afterwards.
class PosixLookupsTest : public ::testing::Test {
 protected:
  PosixLookupsTest() {
    char pattern[] = "/tmp/tarnwick-home-XXXXXX";
    home = mkdtemp(pattern);
    env.set("HOME", home);
    for (const char* name :
         {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "TMP", "TEMP", "TMPDIR"})
      env.unset(name);
  }
  ~PosixLookupsTest() override { fs::remove_all(home); }

  void writeUserDirs(const std::string& content) {
    fs::create_directories(home + "/.config");
    std::ofstream(home + "/.config/user-dirs.dirs") << content;
  }
  std::string shell(int csidl) { return folders.ShellFolder(csidl); }

  testing::EnvGuard env;
  std::string home;
  std::unique_ptr<platform::Platform> system = platform::makeSystemPlatform();
  ComputerInfo info{*system};
  SystemFolders& folders = info.Folders();
};

TEST_F(PosixLookupsTest, SystemFoldersMapOntoTheFileSystemHierarchy) {
  EXPECT_EQ(folders.CommonFiles(), "/usr/share");
  EXPECT_EQ(folders.ProgramFiles(), "/opt");
  EXPECT_EQ(folders.Windows(), "/usr");
  EXPECT_EQ(folders.System(), "/usr/lib");
  EXPECT_EQ(shell(20), "/usr/share/fonts");
  EXPECT_EQ(shell(22), "/usr/share/applications");
  EXPECT_EQ(shell(23), "/usr/share/applications");
  EXPECT_EQ(shell(24), "/etc/xdg/autostart");
  EXPECT_EQ(shell(35), "/var/lib");
  for (int csidl : {6, 9, 19, 25, 27, 31, 33, 34}) {
    SCOPED_TRACE(csidl);
    EXPECT_EQ(shell(csidl), "");  // no Linux counterpart
  }
}

TEST_F(PosixLookupsTest, BaseDirectoriesComeFromXdgVariablesOrTheirDefaults) {
  EXPECT_EQ(shell(26), home + "/.local/share");
  EXPECT_EQ(shell(2), home + "/.local/share/applications");
  EXPECT_EQ(shell(11), home + "/.local/share/applications");
  EXPECT_EQ(shell(8), home + "/.local/share/RecentDocuments");
  EXPECT_EQ(shell(7), home + "/.config/autostart");
  EXPECT_EQ(shell(32), home + "/.cache");
  EXPECT_EQ(shell(40), home);

  env.set("XDG_DATA_HOME", "/srv/data/");
  env.set("XDG_CONFIG_HOME", "/srv/config");
  env.set("XDG_CACHE_HOME", "relative/cache");  // relative: invalid, ignored
  EXPECT_EQ(shell(26), "/srv/data");
  EXPECT_EQ(shell(2), "/srv/data/applications");
  EXPECT_EQ(shell(7), "/srv/config/autostart");
  EXPECT_EQ(shell(32), home + "/.cache");
}

TEST_F(PosixLookupsTest, ProfileFallsBackToThePasswordDatabase) {
  env.unset("HOME");
  const std::string profile = shell(40);
  EXPECT_FALSE(profile.empty());
  EXPECT_EQ(profile.front(), '/');
  EXPECT_NE(profile, home);
}

TEST_F(PosixLookupsTest, UserDirectoriesComeFromUserDirsWithDefaults) {
  EXPECT_EQ(shell(0), home + "/Desktop");  // no user-dirs.dirs at all
  EXPECT_EQ(shell(16), home + "/Desktop");
  EXPECT_EQ(shell(5), home + "/Documents");
  EXPECT_EQ(shell(21), home + "/Templates");

  writeUserDirs(
      "# This file is written by xdg-user-dirs-update\n"
      "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
      "XDG_DOCUMENTS_DIR=\"/data/My \\\"Docs\\\"\"\n"
      "  XDG_TEMPLATES_DIR=\"$HOME/Vorlagen\"\n"
      "XDG_TEMPLATES_DIR=\"$HOME/Later wins\"\n"
      "XDG_MUSIC_DIR=\"$HOME/Musik\"\n");
  EXPECT_EQ(shell(0), home + "/Schreibtisch");
  EXPECT_EQ(shell(16), home + "/Schreibtisch");
  EXPECT_EQ(shell(5), "/data/My \"Docs\"");
  EXPECT_EQ(shell(21), home + "/Later wins");

  // Entries that are neither below $HOME nor absolute are not valid and give the defaults.
  writeUserDirs(
      "XDG_DESKTOP_DIR=\"Desktop2\"\nXDG_DOCUMENTS_DIR=\"$HOMEX/Docs\"\nXDG_TEMPLATES_DIR=\"$HOME/"
      "open\n");
  EXPECT_EQ(shell(0), home + "/Desktop");
  EXPECT_EQ(shell(5), home + "/Documents");
  EXPECT_EQ(shell(21), home + "/Templates");

  // The file is looked for in $XDG_CONFIG_HOME.
  const std::string config = home + "/elsewhere";
  fs::create_directories(config);
  std::ofstream(config + "/user-dirs.dirs") << "XDG_DESKTOP_DIR=\"$HOME/\"\n";
  env.set("XDG_CONFIG_HOME", config);
  EXPECT_EQ(shell(0), home);
}

TEST_F(PosixLookupsTest, TempReadsTmpThenTempThenTmpdirThenSlashTmp) {
  EXPECT_EQ(folders.Temp(), "/tmp");
  env.set("TMPDIR", "/var/tmp/");
  EXPECT_EQ(folders.Temp(), "/var/tmp");
  env.set("TEMP", "/srv/temp");
  EXPECT_EQ(folders.Temp(), "/srv/temp");
  env.set("TMP", "");  // empty counts as unset
  EXPECT_EQ(folders.Temp(), "/srv/temp");
  env.set("TMP", "/");
  EXPECT_EQ(folders.Temp(), "/");  // the root keeps its delimiter
}

TEST_F(PosixLookupsTest, ComputerNameIsTheHostNameUntruncated) {
  char host[256] = {};
  ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
  EXPECT_EQ(info.Identification().LocalComputerName(), host);
}

TEST_F(PosixLookupsTest, DirectoryExistsFollowsLinksAndRejectsFiles) {
  fs::create_directory(home + "/dir");
  std::ofstream(home + "/file") << "x";
  fs::create_directory_symlink(home + "/dir", home + "/link");
  EXPECT_TRUE(system->directoryExists(home + "/dir"));
  EXPECT_TRUE(system->directoryExists(home + "/dir/"));
  EXPECT_TRUE(system->directoryExists(home + "/link"));
  EXPECT_FALSE(system->directoryExists(home + "/file"));
  EXPECT_FALSE(system->directoryExists(home + "/missing"));
}

}  // namespace
}  // namespace tarnwick
