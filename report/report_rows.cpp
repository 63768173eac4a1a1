#include "report/report.h"

namespace tarnwick {

namespace {

// What can be raised inside the rows stage is exhausted memory; it gets the system's code for that.
constexpr platform::FileErrorCode kOutOfMemory = 8;

}  // namespace

std::string ReportRowSection(const platform::Platform& platform,
                             const std::vector<FolderRow>& rows) {
  std::string section;
  std::vector<std::string> fields;
  for (const FolderRow& row : rows) {
    fields.assign(1, row.Caption);
    fields.insert(fields.end(), row.SubItems.begin(), row.SubItems.end());
    section += CommaText(platform, fields);
    section += "\r\n";
  }
  return section;
}

platform::FileErrorCode WriteReportRows(platform::Platform& platform, const std::string& reportPath,
                                        const std::vector<FolderRow>& rows) {
  try {
    if (platform.fileExists(reportPath)) {
      // Both results go unused: when the old backup cannot go, the rename fails too and the
      // earlier report is overwritten below, while the backup stays as it was.
      const std::string backupPath = BackupPath(platform, reportPath);
      platform.deleteFile(backupPath);
      platform.renameFile(reportPath, backupPath);
    }
    const std::string section = ReportRowSection(platform, rows);
    platform::FileOpenResult created = platform.createFile(reportPath);
    if (!created.file) return created.error;
    const platform::FileErrorCode written = created.file->write(section);
    const platform::FileErrorCode closed = created.file->close();
    return written != 0 ? written : closed;
  } catch (...) {
    return kOutOfMemory;
  }
}

}  // namespace tarnwick
