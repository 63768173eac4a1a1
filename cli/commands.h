// The commands of tarnwick-cli, each over the platform and two output streams so that tests can
// run them against a fake system.
#pragma once

#include <atomic>
#include <ostream>
#include <vector>

#include "cli/arguments.h"
#include "platform/platform.h"

namespace tarnwick::cli {

inline constexpr int ExitSuccess = 0;
inline constexpr int ExitNotADirectory = 1;
inline constexpr int ExitReportFailed = 1;  // the report was not written whole
inline constexpr int ExitUsage = 2;
inline constexpr int ExitStopped = 130;  // as a shell reports a command ended by Ctrl-C

struct Context {
  platform::Platform& platform;
  std::ostream& out;
  std::ostream& err;
  bool showProgress = false;                // standard error is a terminal
  const std::atomic<bool>* stop = nullptr;  // set by Ctrl-C
  std::string_view program = "tarnwick-cli";
};

// Every command with its options, in the order the overview lists them.
const std::vector<CommandSyntax>& Commands();

// Runs the parsed command; the result is the exit status.
int RunList(Context& context, const Arguments& arguments);
int RunSurvey(Context& context, const Arguments& arguments);
int RunSize(Context& context, const Arguments& arguments);
// The survey, then the report beside the program.
int RunExport(Context& context, const Arguments& arguments);

// Parses `args` (without the program name), prints help or usage errors, runs the command.
int Run(Context& context, const std::vector<std::string>& args);

}  // namespace tarnwick::cli
