#include "report/report_path.h"

#include "report/code_page.h"

namespace tarnwick {

std::string ChangeExtension(const platform::Platform& platform, const std::string& path,
                            const std::string& extension) {
  const char delimiter = platform.pathStyle().delimiter;
  std::size_t lastMark = std::string::npos;
  for (std::size_t at = 0; at < path.size(); at += CharacterLength(platform, path, at)) {
    const char c = path[at];
    if (c == '.' || c == delimiter || c == ':') lastMark = at;
  }
  if (lastMark != std::string::npos && path[lastMark] == '.')
    return path.substr(0, lastMark) + extension;
  return path + extension;
}

std::string ReportPath(platform::Platform& platform) {
  return ChangeExtension(platform, platform.moduleFileName(), ".csv");
}

std::string BackupPath(const platform::Platform& platform, const std::string& reportPath) {
  return ChangeExtension(platform, reportPath, ".bak");
}

}  // namespace tarnwick
