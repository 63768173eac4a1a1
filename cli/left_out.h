// The walk's options on the command line (--threads, --errors) and the account of what a walk
// left out, told on standard error after the totals so that standard output keeps only sizes.
#pragma once

#include <optional>
#include <string>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "core/folder_size.h"

namespace tarnwick::cli {

inline constexpr OptionSyntax ThreadsOption{"--threads", "N",
                                            "walk with N threads (default and most: 8)"};
inline constexpr OptionSyntax ErrorsOption{
    "--errors", "", "list the directories that could not be read or were not entered"};

// Sets the thread count and whether the report keeps paths; a usage error's text on a bad count.
std::optional<std::string> ReadWalkArguments(const Arguments& arguments, WalkOptions& options,
                                             WalkReport& report);

// Nothing when nothing was left out; else one line of counts, then with kept paths one line each.
void TellLeftOut(Context& context, const WalkReport& report);

}  // namespace tarnwick::cli
