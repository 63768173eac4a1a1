// The command line's grammar: a command, its options and its operands. Each command declares its
// options in a table, so a new option or command is one more row.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::cli {

struct OptionSyntax {
  std::string_view name;       // "--bytes"
  std::string_view valueName;  // "FILE" when the option takes a value, else empty
  std::string_view help;
};

struct CommandSyntax {
  std::string_view name;      // "survey"
  std::string_view operands;  // "[--all | FOLDER...]", as the usage line shows them
  std::string_view summary;   // one line for the overview
  std::string_view details;   // paragraphs for the command's --help
  std::vector<OptionSyntax> options;
};

struct Arguments {
  const CommandSyntax* command = nullptr;  // null when only --help was asked for
  bool help = false;
  std::map<std::string, std::string, std::less<>> options;  // name -> value ("" for a flag)
  std::vector<std::string> operands;

  bool has(std::string_view option) const { return options.contains(option); }
  std::optional<std::string> value(std::string_view option) const;
};

struct ParseResult {
  Arguments arguments;
  std::string error;  // a usage error when not empty
};

// `args` excludes the program name. Options may come before, between or after operands, as
// "--name VALUE" or "--name=VALUE"; "--" ends the options.
ParseResult ParseArguments(const std::vector<CommandSyntax>& commands,
                           const std::vector<std::string>& args);

// The overview of every command, and one command's full help.
std::string OverviewHelp(std::string_view program, const std::vector<CommandSyntax>& commands);
std::string CommandHelp(std::string_view program, const CommandSyntax& command);

}  // namespace tarnwick::cli
