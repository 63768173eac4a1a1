// Times one survey of the folders named against separate walks of the same folders, and counts
// the directories each lists. Prints one line:
// "SECONDS LISTED TOTAL_BYTES CPU_SECONDS".
//
//   survey_bench survey|separate [--threads N] CAPTION...
//
// "survey" is "Get Data" with those rows ticked; "separate" looks each row up the same way and
// measures it with GetFolderSize on its own, as every row was measured before. CPU_SECONDS is the
// processor time of all threads, which a loaded machine does not change as it does the wall time.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <string_view>

#include "core/folder_list.h"

using namespace tarnwick;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: survey_bench survey|separate [--threads N] CAPTION...\n");
    return 2;
  }
  const bool separate = std::strcmp(argv[1], "separate") == 0;
  auto platform = platform::makeSystemPlatform();
  ComputerInfo info(*platform);
  FolderList list(*platform, info);
  list.CreateBasicList();
  WalkProgress progress;
  SurveyOptions options;
  options.walk.progress = &progress;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc) {
      options.walk.threads = static_cast<unsigned>(std::stoul(argv[++i]));
      continue;
    }
    bool found = false;
    for (FolderRow& row : list.rows()) {
      if (row.Caption == argv[i]) row.Checked = found = true;
    }
    if (!found) {
      std::fprintf(stderr, "survey_bench: no folder \"%s\"\n", argv[i]);
      return 2;
    }
  }

  const auto start = std::chrono::steady_clock::now();
  const std::clock_t cpuStart = std::clock();
  std::uint64_t total = 0;
  if (separate) {
    for (std::size_t r = 0; r < list.rows().size(); ++r) {
      if (!list.rows()[r].Checked) continue;
      const std::string location = LocateFolder(info, FolderCatalogue[r].Source);
      if (DirectoryExists(*platform, location))
        total += GetFolderSize(*platform, location, true, options.walk);
    }
  } else {
    list.RunSurvey(options);
    total = list.TotalSize();
  }
  const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
  const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
  std::printf("%.4f %llu %llu %.2f\n", seconds.count(),
              static_cast<unsigned long long>(progress.directories.load()),
              static_cast<unsigned long long>(total), cpu);
  return 0;
}
