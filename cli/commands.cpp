#include "cli/commands.h"

#include <algorithm>
#include <cctype>

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
        {{"--captions", "", "print only the folders' names, one per line (for completion)"}}},
       RunList},
      {{"survey",
        "[--all | FOLDER...]",
        "Measure the named folders (or all) and print their sizes.",
        "FOLDER is a folder's name as \"list\" shows it, in any case, such as \"Temp\" or\n"
        "\"common files\". Prints Folder, Location and Size of each folder asked for, then the\n"
        "total. A folder that does not exist on this computer is listed without location and size.",
        {{"--all", "", "survey every folder"},
         {"--json", "", "print one JSON document instead of the table (schema in the README)"},
         {"--csv", "FILE",
          "also write the CSV report to FILE, the previous one kept as FILE's \".bak\""},
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
        "their own length and never followed, each hard link once per entry. One line per\n"
        "directory: the size, a tab, the path.",
        {{"--bytes", "", "print the exact byte count instead of the size text"},
         {"--json", "", "print one JSON document instead of the lines (schema in the README)"},
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

std::string SubItem(const FolderRow& row, std::size_t index) {
  return index < row.SubItems.size() ? row.SubItems[index] : std::string();
}

// The rows named on the command line, or all, surveyed as "Get Data" does.
struct Survey {
  explicit Survey(platform::Platform& platform)
      : computerInfo(platform), list(platform, computerInfo) {}
  ComputerInfo computerInfo;
  FolderList list;
  JsonDocument json;
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
  std::uint64_t totalBefore = 0;
  std::size_t valuesBefore = 0;
  options.observer.rowStarted = [&](std::size_t row) {
    progress.setLabel(list.rows()[row].Caption);
    survey.rowInHand = row;
    totalBefore = list.TotalSize();
    valuesBefore = list.rows()[row].SubItems.size();
  };
  options.observer.rowFinished = [&](std::size_t row) {
    const FolderRow& done = list.rows()[row];
    if (!done.Checked) return;
    JsonFolder folder{done.Caption, std::nullopt, 0, {}};
    if (done.SubItems.size() > valuesBefore) {
      folder.location = done.SubItems[valuesBefore];
      folder.size = done.SubItems[valuesBefore + 1];
      folder.bytes = list.TotalSize() - totalBefore;
    }
    json.folders.push_back(std::move(folder));
  };
  survey.finished = list.RunSurvey(options);
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
  for (const CatalogueEntry& entry : FolderCatalogue)
    rows.push_back({std::string(entry.Caption), LocateFolder(computerInfo, entry.Source)});
  context.out << FormatTable({"Folder", "Location"}, rows);
  return ExitSuccess;
}

int RunSurvey(Context& context, const Arguments& arguments) {
  const std::optional<std::string> csv = arguments.value("--csv");
  if (csv && BackupPath(context.platform, *csv) == *csv)
    return UsageError(context, "survey", "the report cannot bear the name of its own backup");
  Survey survey(context.platform);
  if (const std::optional<int> usage = RunNamedSurvey(context, arguments, "survey", survey))
    return *usage;
  const FolderList& list = survey.list;
  const bool finished = survey.finished;
  JsonDocument& json = survey.json;
  // A stopped survey writes no report: its rows would pass for a whole survey.
  const int exported = csv && finished ? ExportSurvey(context, survey, *csv) : ExitSuccess;

  if (arguments.has("--json")) {
    json.totalBytes = list.TotalSize();
    json.totalSize = SizeToText(static_cast<std::int64_t>(list.TotalSize()),
                                list.regionalSettings().decimalSeparator);
    json.report.stopped = !finished;
    WriteSurveyJson(context.out, json);
    TellLeftOut(context, json.report);
    return finished ? exported : ExitStopped;
  }

  // After a stop only the rows the run got through are shown: the later ones were not measured.
  const std::size_t shown = finished ? list.rows().size() : survey.rowInHand;
  std::vector<TableRow> rows;
  for (std::size_t r = 0; r < shown; ++r) {
    const FolderRow& row = list.rows()[r];
    if (row.Checked) rows.push_back({row.Caption, SubItem(row, 0), SubItem(row, 1)});
  }
  rows.push_back({"Total", "",
                  SizeToText(static_cast<std::int64_t>(list.TotalSize()),
                             list.regionalSettings().decimalSeparator)});
  context.out << FormatTable({"Folder", "Location", "Size"}, rows);
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
    const std::uint64_t size = GetFolderSize(context.platform, path, true, options);
    // A stopped walk still tells what it measured, marked as partial.
    const std::string text = SizeToText(static_cast<std::int64_t>(size), separator);
    if (asJson) {
      json.folders.push_back({{}, path, size, text});
      json.totalBytes += size;
    } else {
      context.out << (bytes ? std::to_string(size) : text) << '\t' << path << '\n';
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
