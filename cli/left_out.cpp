#include "cli/left_out.h"

#include <charconv>

namespace tarnwick::cli {

namespace {

std::string Counted(std::uint64_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::optional<std::string> ReadWalkArguments(const Arguments& arguments, WalkOptions& options,
                                             WalkReport& report) {
  report.keepPaths = arguments.has(ErrorsOption.name);
  const std::optional<std::string> threads = arguments.value(ThreadsOption.name);
  if (!threads) return std::nullopt;
  unsigned count = 0;
  const char* end = threads->data() + threads->size();
  auto [stop, error] = std::from_chars(threads->data(), end, count);
  if (error != std::errc() || stop != end || count == 0)
    return "--threads takes a whole number of 1 or more, not \"" + *threads + "\"";
  options.threads = count;
  return std::nullopt;
}

void ReadMeasureArguments(const Arguments& arguments, MeasureChoice& choice) {
  choice.diskUsage = arguments.has(DiskUsageOption.name);
  choice.countLinksOnce = arguments.has(CountLinksOnceOption.name);
  choice.counts = arguments.has(CountsOption.name);
}

void TellLeftOut(Context& context, const WalkReport& report) {
  std::string counts;
  auto add = [&counts](std::uint64_t count, const char* one, const char* many) {
    if (count == 0) return;
    counts += (counts.empty() ? "" : ", ") + Counted(count, one, many);
  };
  add(report.unreadableDirectories, "directory could not be read", "directories could not be read");
  add(report.pseudoFileSystems, "pseudo file system was not entered",
      "pseudo file systems were not entered");
  add(report.loops, "directory inside itself was not entered",
      "directories inside themselves were not entered");
  if (counts.empty()) return;
  context.err << context.program << ": not counted: " << counts
              << (report.keepPaths ? "" : " (--errors lists them)") << "\n";
  for (const std::string& path : report.unreadablePaths)
    context.err << "  unreadable: " << path << "\n";
  for (const std::string& path : report.notEnteredPaths)
    context.err << "  not entered: " << path << "\n";
}

}  // namespace tarnwick::cli
