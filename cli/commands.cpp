#include "cli/commands.h"

#include <algorithm>
#include <cctype>
#include <variant>

#include "cli/compare.h"
#include "cli/json.h"
#include "cli/left_out.h"
#include "cli/progress.h"
#include "cli/table.h"
#include "core/folder_list.h"
#include "core/folder_size.h"
#include "core/regional_settings.h"
#include "core/size_text.h"
#include "core/system_folders.h"
#include "report/report.h"

namespace tarnwick::cli {

namespace {

using Runner = int (*)(Context&, const Arguments&);

struct Command {
  CommandSyntax syntax;
  Runner run;
};

const std::vector<Command>& CommandTable() {
  static const std::vector<Command> table{
      {{"list",
        "",
        "List the 29 special folders and where each lies on this computer.",
        "One line per folder, in catalogue order; the location is empty where the system has no\n"
        "such folder.",
        {{"--captions", "", "print only the folders' names, one per line (for completion)"},
         {"--json", "", "print one JSON document: each folder's caption and location (or null)"}}},
       RunList},
      {{"survey",
        "[--all | FOLDER...]",
        "Measure the named folders (or all) and print their sizes.",
        "FOLDER is a folder's name as \"list\" shows it, in any case, such as \"Temp\" or\n"
        "\"common files\". Prints Folder, Location and Size of each folder asked for, then the\n"
        "total. A folder that does not exist on this computer is listed without location and "
        "size.\n"
        "With --compare, a last column tells each folder's change since an earlier survey, saved\n"
        "with --json or as a CSV report (or its .bak): \"+1.5 GB\", \"-340 KB\", \"new\", "
        "\"gone\",\n"
        "or \"moved\" when its location changed. A report holds rounded size texts, so changes\n"
        "against one are approximate, and the column says so.",
        {{"--all", "", "survey every folder"},
         {"--json", "", "print one JSON document instead of the table (schema in the README)"},
         {"--csv", "FILE",
          "also write the CSV report to FILE (logical sizes), the previous one kept as .bak"},
         {"--compare", "FILE", "add each folder's change since the survey saved in FILE"},
         DiskUsageOption,
         CountLinksOnceOption,
         CountsOption,
         ThreadsOption,
         ErrorsOption}},
       RunSurvey},
      {{"export",
        "[--all | FOLDER...]",
        "Survey the named folders (or all) and write the CSV report beside the program.",
        "Surveys as \"survey\" does, then writes the report as \"Export\" does in the window:\n"
        "beside this program, named after it with \".csv\", the previous report kept with\n"
        "\".bak\". Prints where the report went. A report that could not be written whole is\n"
        "told on standard error with the window's message, and the exit status is 1.",
        {{"--all", "", "survey every folder"}, ThreadsOption, ErrorsOption}},
       RunExport},
      {{"size",
        "[--bytes] DIR...",
        "Print the size of each directory tree, as du -sb would.",
        "Counts the logical length of every entry that is not a directory, symbolic links with\n"
        "their own length and never followed, each name of a file of several hard links as a file\n"
        "of its own (unless --count-links-once). One line per directory: the size, a tab, the\n"
        "path; with --counts the size, the number of files, of directories, and the path, tab\n"
        "apart.",
        {{"--bytes", "", "print the exact byte count instead of the size text"},
         {"--json", "", "print one JSON document instead of the lines (schema in the README)"},
         DiskUsageOption,
         CountLinksOnceOption,
         CountsOption,
         ThreadsOption,
         ErrorsOption}},
       RunSize},
  };
  return table;
}

int UsageError(Context& context, std::string_view command, const std::string& message) {
  context.err << context.program;
  if (!command.empty()) context.err << " " << command;
  context.err << ": " << message << "\n";
  context.err << "Try \"" << context.program << (command.empty() ? "" : " ") << command
              << " --help\".\n";
  return ExitUsage;
}

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

std::optional<std::size_t> CatalogueRow(std::string_view name) {
  const std::string wanted = Lowercase(name);
  for (std::size_t r = 0; r < FolderCatalogue.size(); ++r)
    if (Lowercase(FolderCatalogue[r].Caption) == wanted) return r;
  return std::nullopt;
}

// The rows named on the command line, or all, surveyed as "Get Data" does.
struct Survey {
  explicit Survey(platform::Platform& platform)
      : computerInfo(platform), list(platform, computerInfo) {}
  ComputerInfo computerInfo;
  FolderList list;
  MeasureChoice measure;
  JsonDocument json;  // every row the run finished, ticked, in catalogue order
  bool finished = true;
  std::size_t rowInHand = 0;  // the row the run reached last; after a stop, the one it cut short
};

// Ticks the rows the arguments name and runs the survey; the status of a usage error instead.
std::optional<int> RunNamedSurvey(Context& context, const Arguments& arguments,
                                  std::string_view command, Survey& survey) {
  const bool all = arguments.has("--all");
  if (all && !arguments.operands.empty())
    return UsageError(context, command, "--all and folder names exclude each other");
  if (!all && arguments.operands.empty())
    return UsageError(context, command, "name the folders to survey, or give --all");

  SurveyOptions options;
  if (auto error = ReadWalkArguments(arguments, options.walk, survey.json.report))
    return UsageError(context, command, *error);
  ReadMeasureArguments(arguments, survey.measure);
  survey.measure.applyTo(options.walk);
  FolderList& list = survey.list;
  list.setRegionalSettings(ReadRegionalSettings(context.platform));
  list.CreateBasicList();
  if (all) list.SelectAll();
  for (const std::string& name : arguments.operands) {
    auto row = CatalogueRow(name);
    if (!row) {
      std::string message = "unknown folder \"" + name + "\"; the folders are:";
      for (const CatalogueEntry& entry : FolderCatalogue)
        message += "\n  " + std::string(entry.Caption);
      return UsageError(context, command, message);
    }
    list.rows()[*row].Checked = true;
  }

  JsonDocument& json = survey.json;
  ProgressLine progress(context.err, context.showProgress);
  options.walk.progress = progress.progress();
  options.walk.stop = context.stop;
  options.walk.report = &json.report;
  FolderMeasure rowMeasure;
  options.walk.measure = &rowMeasure;
  std::size_t valuesBefore = 0;
  options.observer.rowStarted = [&](std::size_t row) {
    progress.setLabel(list.rows()[row].Caption);
    survey.rowInHand = row;
    rowMeasure = {};
    valuesBefore = list.rows()[row].SubItems.size();
  };
  const char separator = list.regionalSettings().decimalSeparator;
  options.observer.rowFinished = [&](std::size_t row) {
    const FolderRow& done = list.rows()[row];
    if (!done.Checked) return;
    JsonFolder folder;
    folder.caption = done.Caption;
    if (done.SubItems.size() > valuesBefore) {
      folder.location = done.SubItems[valuesBefore];
      folder.bytes = survey.measure.shown(rowMeasure);
      folder.size = SizeToText(static_cast<std::int64_t>(folder.bytes), separator);
      folder.files = rowMeasure.files;
      folder.directories = rowMeasure.directories;
      json.totalBytes += folder.bytes;
      json.totalFiles += folder.files;
      json.totalDirectories += folder.directories;
    }
    json.folders.push_back(std::move(folder));
  };
  survey.finished = list.RunSurvey(options);
  json.totalSize = SizeToText(static_cast<std::int64_t>(json.totalBytes), separator);
  json.diskUsage = survey.measure.diskUsage;
  json.countLinksOnce = survey.measure.countLinksOnce;
  return std::nullopt;
}

// Reads the earlier survey of --compare; the status of a usage error when it cannot be used.
std::optional<int> ReadComparison(Context& context, const std::string& path,
                                  const MeasureChoice& measure, EarlierSurvey& earlier) {
  // Far beyond any report or survey document: a file this long is neither.
  constexpr std::size_t kLimit = 16 << 20;
  const platform::FileReadResult read = context.platform.readFile(path, kLimit);
  const std::string name = "--compare: " + path;
  if (read.error != 0)
    return UsageError(context, "survey", name + ": " + WithFullStop(IoErrorMessage(read.error)));
  if (read.tooLong)
    return UsageError(context, "survey", name + ": too long for a report or a survey document");
  auto parsed = ReadEarlierSurvey(context.platform, read.bytes);
  if (auto* message = std::get_if<std::string>(&parsed))
    return UsageError(context, "survey", name + " " + *message);
  earlier = std::move(std::get<EarlierSurvey>(parsed));
  // Changes between two different measures would be the difference of the measures.
  if (earlier.diskUsage != measure.diskUsage)
    return UsageError(context, "survey",
                      name +
                          (earlier.diskUsage ? " holds space allocated on disk (--disk-usage)"
                                             : " holds logical sizes (without --disk-usage)") +
                          "; compare with the same measure");
  if (earlier.countLinksOnce != measure.countLinksOnce)
    return UsageError(context, "survey",
                      name +
                          (earlier.countLinksOnce ? " counted hard links once (--count-links-once)"
                                                  : " counted every hard link") +
                          "; compare with the same measure");
  return std::nullopt;
}

// Writes the report; a failure of it is told as the window tells it.
int ExportSurvey(Context& context, Survey& survey, const std::string& reportPath) {
  try {
    ExportReportTo(context.platform, reportPath, survey.list, survey.computerInfo);
  } catch (const IoFailure& failure) {
    context.err << context.program << ": " << WithFullStop(failure.what()) << "\n";
    return ExitReportFailed;
  }
  return ExitSuccess;
}

std::string StoppedMessage(const Survey& survey) {
  return ": stopped while measuring \"" + survey.list.rows()[survey.rowInHand].Caption +
         "\"; it and the folders after it were not measured";
}

}  // namespace

const std::vector<CommandSyntax>& Commands() {
  static const std::vector<CommandSyntax> syntaxes = [] {
    std::vector<CommandSyntax> result;
    for (const Command& command : CommandTable()) result.push_back(command.syntax);
    return result;
  }();
  return syntaxes;
}

int RunList(Context& context, const Arguments& arguments) {
  if (!arguments.operands.empty()) return UsageError(context, "list", "takes no operands");
  if (arguments.has("--captions")) {
    for (const CatalogueEntry& entry : FolderCatalogue) context.out << entry.Caption << '\n';
    return ExitSuccess;
  }
  ComputerInfo computerInfo(context.platform);
  std::vector<TableRow> rows;
  std::vector<JsonFolder> folders;
  for (const CatalogueEntry& entry : FolderCatalogue) {
    std::string location = LocateFolder(computerInfo, entry.Source);
    JsonFolder& folder = folders.emplace_back();
    folder.caption = entry.Caption;
    if (!location.empty()) folder.location = location;
    rows.push_back({std::string(entry.Caption), std::move(location)});
  }
  if (arguments.has("--json"))
    WriteListJson(context.out, folders);
  else
    context.out << FormatTable({"Folder", "Location"}, rows);
  return ExitSuccess;
}

int RunSurvey(Context& context, const Arguments& arguments) {
  const std::optional<std::string> csv = arguments.value("--csv");
  if (csv && BackupPath(context.platform, *csv) == *csv)
    return UsageError(context, "survey", "the report cannot bear the name of its own backup");
  Survey survey(context.platform);
  const std::optional<std::string> compare = arguments.value("--compare");
  EarlierSurvey earlier;
  if (compare) {
    ReadMeasureArguments(arguments, survey.measure);
    if (const std::optional<int> usage = ReadComparison(context, *compare, survey.measure, earlier))
      return *usage;
  }
  if (const std::optional<int> usage = RunNamedSurvey(context, arguments, "survey", survey))
    return *usage;
  const FolderList& list = survey.list;
  const bool finished = survey.finished;
  JsonDocument& json = survey.json;
  // A stopped survey writes no report: its rows would pass for a whole survey.
  const int exported = csv && finished ? ExportSurvey(context, survey, *csv) : ExitSuccess;
  const char separator = list.regionalSettings().decimalSeparator;
  if (compare) {
    json.compareFile = *compare;
    json.compareApproximate = earlier.fromReport;
    for (JsonFolder& folder : json.folders)
      folder.change =
          CompareFolder(earlier, folder.caption, folder.location, folder.bytes, separator);
    json.totalChange = CompareTotal(earlier, json.totalBytes, separator);
  }

  if (arguments.has("--json")) {
    json.report.stopped = !finished;
    WriteSurveyJson(context.out, json);
    TellLeftOut(context, json.report);
    return finished ? exported : ExitStopped;
  }

  // After a stop only the rows the run got through are shown: the later ones were not measured.
  const bool counts = survey.measure.counts;
  TableRow header{"Folder", "Location", "Size"};
  if (counts) header.insert(header.end(), {"Files", "Directories"});
  if (compare) header.push_back(earlier.fromReport ? "Change (approximate)" : "Change");
  std::vector<TableRow> rows;
  for (const JsonFolder& folder : json.folders) {
    TableRow& row = rows.emplace_back(
        TableRow{folder.caption, folder.location.value_or(""), folder.location ? folder.size : ""});
    if (counts && folder.location)
      row.insert(row.end(), {std::to_string(folder.files), std::to_string(folder.directories)});
    else if (counts)
      row.insert(row.end(), {"", ""});
    if (compare) row.push_back(folder.change ? folder.change->text : "");
  }
  TableRow& total = rows.emplace_back(TableRow{"Total", "", json.totalSize});
  if (counts)
    total.insert(total.end(),
                 {std::to_string(json.totalFiles), std::to_string(json.totalDirectories)});
  if (compare) total.push_back(json.totalChange.text);
  context.out << FormatTable(header, rows);
  TellLeftOut(context, json.report);
  if (!finished) {
    context.err << context.program << StoppedMessage(survey) << "\n";
    return ExitStopped;
  }
  return exported;
}

int RunExport(Context& context, const Arguments& arguments) {
  Survey survey(context.platform);
  if (const std::optional<int> usage = RunNamedSurvey(context, arguments, "export", survey))
    return *usage;
  TellLeftOut(context, survey.json.report);
  if (!survey.finished) {
    context.err << context.program << StoppedMessage(survey) << "; no report written\n";
    return ExitStopped;
  }
  const int status = ExportSurvey(context, survey, ReportPath(context.platform));
  if (status == ExitSuccess) context.out << survey.list.statusText() << "\n";
  return status;
}

int RunSize(Context& context, const Arguments& arguments) {
  if (arguments.operands.empty()) return UsageError(context, "size", "name at least one directory");
  const bool bytes = arguments.has("--bytes");
  const bool asJson = arguments.has("--json");
  JsonDocument json;
  WalkOptions options;
  if (auto error = ReadWalkArguments(arguments, options, json.report))
    return UsageError(context, "size", *error);
  MeasureChoice measure;
  ReadMeasureArguments(arguments, measure);
  measure.applyTo(options);
  json.diskUsage = measure.diskUsage;
  json.countLinksOnce = measure.countLinksOnce;
  const char separator = ReadRegionalSettings(context.platform).decimalSeparator;
  int status = ExitSuccess;
  ProgressLine progress(context.err, context.showProgress);
  options.progress = progress.progress();
  options.stop = context.stop;
  options.report = &json.report;
  for (const std::string& path : arguments.operands) {
    if (!DirectoryExists(context.platform, path)) {
      context.err << context.program << ": " << path << ": not a directory\n";
      status = ExitNotADirectory;
      continue;
    }
    progress.setLabel(path);
    FolderMeasure measured;
    options.measure = &measured;
    GetFolderSize(context.platform, path, true, options);
    const std::uint64_t size = measure.shown(measured);
    // A stopped walk still tells what it measured, marked as partial.
    const std::string text = SizeToText(static_cast<std::int64_t>(size), separator);
    if (asJson) {
      JsonFolder& folder = json.folders.emplace_back();
      folder.location = path;
      folder.bytes = size;
      folder.size = text;
      folder.files = measured.files;
      folder.directories = measured.directories;
      json.totalBytes += size;
      json.totalFiles += measured.files;
      json.totalDirectories += measured.directories;
    } else {
      context.out << (bytes ? std::to_string(size) : text) << '\t';
      if (measure.counts) context.out << measured.files << '\t' << measured.directories << '\t';
      context.out << path << '\n';
    }
    if (json.report.stopped) {
      context.err << context.program << ": stopped: " << path
                  << " was measured only in part, the directories after it not at all\n";
      status = ExitStopped;
      break;
    }
  }
  if (asJson) {
    json.totalSize = SizeToText(static_cast<std::int64_t>(json.totalBytes), separator);
    WriteSizeJson(context.out, json);
  }
  TellLeftOut(context, json.report);
  return status;
}

int Run(Context& context, const std::vector<std::string>& args) {
  const std::vector<CommandSyntax>& syntaxes = Commands();
  ParseResult parsed = ParseArguments(syntaxes, args);
  const Arguments& arguments = parsed.arguments;
  const std::string_view commandName =
      arguments.command ? arguments.command->name : std::string_view();
  if (!parsed.error.empty()) {
    if (args.empty()) {
      context.err << OverviewHelp(context.program, syntaxes);
      return ExitUsage;
    }
    return UsageError(context, commandName, parsed.error);
  }
  if (arguments.help) {
    context.out << (arguments.command ? CommandHelp(context.program, *arguments.command)
                                      : OverviewHelp(context.program, syntaxes));
    return ExitSuccess;
  }
  for (const Command& command : CommandTable())
    if (command.syntax.name == commandName) return command.run(context, arguments);
  return UsageError(context, "", "unknown command");
}

}  // namespace tarnwick::cli
