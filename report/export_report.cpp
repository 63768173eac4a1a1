#include "core/size_text.h"
#include "report/buffered_writer.h"
#include "report/footer_text.h"
#include "report/report.h"

namespace tarnwick {

namespace {

void WriteFooterLine(BufferedWriter& writer, std::string_view text) {
  if (const platform::FileErrorCode error = writer.write(std::string(text) + "\r\n"))
    throw IoFailure(error);
}

}  // namespace

void ExportReportTo(platform::Platform& platform, const std::string& reportPath,
                    const ReportSubject& subject) {
  const platform::FileErrorCode rowsFailure = WriteReportRows(platform, reportPath, subject.rows);
  subject.setStatus("Data Exported to: " + reportPath);

  platform::FileOpenResult opened = platform.openForAppend(reportPath);
  if (!opened.file) throw IoFailure(opened.error);
  if (rowsFailure != 0) {
    // A footer under a cut row section, or under the previous report's rows, would pass for a
    // whole new report: the failure of the rows is told instead, and nothing is appended.
    opened.file->close();
    throw IoFailure(rowsFailure);
  }

  // Should a line fail, the file is released with what reached it; the rest of the buffer is lost.
  BufferedWriter writer(*opened.file);
  WriteFooterLine(writer, kFooterAsterisks);
  WriteFooterLine(writer, std::string(kComputerLine) + subject.computerName());
  WriteFooterLine(writer,
                  std::string(kTotalLine) + SizeToText(static_cast<std::int64_t>(subject.totalSize),
                                                       subject.settings.decimalSeparator));
  WriteFooterLine(writer, std::string(kGeneratedLine) +
                              DateTimeText(platform, platform.localTime(), subject.settings));
  WriteFooterLine(writer, CreditLine());
  WriteFooterLine(writer, kFooterAsterisks);
  if (const platform::FileErrorCode error = writer.close()) throw IoFailure(error);
}

void ExportReportTo(platform::Platform& platform, const std::string& reportPath, FolderList& list,
                    ComputerInfo& computerInfo) {
  const ReportSubject subject{
      list.rows(),
      list.TotalSize(),
      list.regionalSettings(),
      [&computerInfo] { return computerInfo.Identification().LocalComputerName(); },
      [&list](const std::string& text) { list.setStatus(text); },
  };
  ExportReportTo(platform, reportPath, subject);
}

void ExportReport(platform::Platform& platform, FolderList& list, ComputerInfo& computerInfo) {
  ExportReportTo(platform, ReportPath(platform), list, computerInfo);
}

}  // namespace tarnwick
