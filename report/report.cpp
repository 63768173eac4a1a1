#include "report/report.h"

namespace tarnwick {

IoFailure::IoFailure(int code) : std::runtime_error(IoErrorMessage(code)), code_(code) {}
std::string IoErrorMessage(int code) { return "I/O error " + std::to_string(code); }
std::string WithFullStop(const std::string& message) { return message; }
std::string ChangeExtension(platform::Platform&, const std::string& path, const std::string& extension) {
  return path + extension;
}
std::string CommaText(platform::Platform&, const std::vector<std::string>&) { return {}; }
std::string DateTimeText(const platform::LocalTime&, const RegionalSettings&) { return {}; }
const char* const ProjectWebAddress = "https://tarnwick.example/";
const char* const ProjectWebHost = "tarnwick.example";
std::string CreditLine() { return {}; }
int WriteReportRows(platform::Platform&, const std::string&, const std::vector<FolderRow>&) { return 0; }
void ExportReportTo(platform::Platform&, const std::string&, FolderList&, ComputerInfo&) {}
void ExportReport(platform::Platform&, FolderList&, ComputerInfo&) {}

}  // namespace tarnwick
