// The walk's options on the command line (--threads, --errors, and what is measured) and the
// account of what a walk left out, told on standard error after the totals so that standard
// output keeps only sizes.
#pragma once

#include <optional>
#include <string>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "core/folder_size.h"
#include "core/link_register.h"

namespace tarnwick::cli {

inline constexpr OptionSyntax ThreadsOption{"--threads", "N",
                                            "walk with N threads (default and most: 8)"};
inline constexpr OptionSyntax ErrorsOption{
    "--errors", "", "list the directories that could not be read or were not entered"};
inline constexpr OptionSyntax DiskUsageOption{
    "--disk-usage", "", "count the space allocated on disk, not the logical length"};
inline constexpr OptionSyntax CountLinksOnceOption{
    "--count-links-once", "", "count a file of several hard links once in the whole command"};
inline constexpr OptionSyntax CountsOption{
    "--counts", "", "also print the number of files and of directories beneath each"};

// How a command measures, from --disk-usage, --count-links-once and --counts. The register of
// files already counted is shared by all the command's walks.
struct MeasureChoice {
  bool diskUsage = false;
  bool countLinksOnce = false;
  bool counts = false;
  LinkRegister links;

  void applyTo(WalkOptions& options) { options.links = countLinksOnce ? &links : nullptr; }
  // The count the command shows: the allocated space with --disk-usage, else the logical length.
  std::uint64_t shown(const FolderMeasure& measure) const {
    return diskUsage ? measure.allocated : measure.bytes;
  }
};

void ReadMeasureArguments(const Arguments& arguments, MeasureChoice& choice);

// Sets the thread count and whether the report keeps paths; a usage error's text on a bad count.
std::optional<std::string> ReadWalkArguments(const Arguments& arguments, WalkOptions& options,
                                             WalkReport& report);

// Nothing when nothing was left out; else one line of counts, then with kept paths one line each.
void TellLeftOut(Context& context, const WalkReport& report);

}  // namespace tarnwick::cli
