#include "cli/arguments.h"

#include <algorithm>

namespace tarnwick::cli {

std::optional<std::string> Arguments::value(std::string_view option) const {
  auto it = options.find(option);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

ParseResult ParseArguments(const std::vector<CommandSyntax>& commands,
                           const std::vector<std::string>& args) {
  ParseResult result;
  Arguments& parsed = result.arguments;
  if (args.empty()) {
    result.error = "no command given";
    return result;
  }
  const std::string& first = args.front();
  if (first == "--help" || first == "-h" || first == "help") {
    parsed.help = true;
    if (args.size() > 1) {
      auto it = std::find_if(commands.begin(), commands.end(),
                             [&](const CommandSyntax& c) { return c.name == args[1]; });
      if (it == commands.end()) {
        result.error = "unknown command \"" + args[1] + "\"";
        return result;
      }
      parsed.command = &*it;
    }
    return result;
  }
  auto command = std::find_if(commands.begin(), commands.end(),
                              [&](const CommandSyntax& c) { return c.name == first; });
  if (command == commands.end()) {
    result.error = first.starts_with("-") ? "unknown option \"" + first + "\""
                                          : "unknown command \"" + first + "\"";
    return result;
  }
  parsed.command = &*command;

  bool optionsEnded = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg == "-" || !arg.starts_with("-")) {
      parsed.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      parsed.help = true;
      continue;
    }
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    auto option = std::find_if(command->options.begin(), command->options.end(),
                               [&](const OptionSyntax& o) { return o.name == name; });
    if (option == command->options.end()) {
      result.error = "unknown option \"" + name + "\" for " + std::string(command->name);
      return result;
    }
    std::string value;
    if (option->valueName.empty()) {
      if (equals != std::string::npos) {
        result.error = "option " + name + " takes no value";
        return result;
      }
    } else if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      result.error = "option " + name + " needs a value (" + std::string(option->valueName) + ")";
      return result;
    }
    parsed.options[name] = value;
  }
  return result;
}

namespace {

std::string UsageLine(std::string_view program, const CommandSyntax& command) {
  std::string line = "  " + std::string(program) + " " + std::string(command.name);
  if (!command.operands.empty()) line.append(1, ' ').append(command.operands);
  return line;
}

}  // namespace

std::string OverviewHelp(std::string_view program, const std::vector<CommandSyntax>& commands) {
  std::string text = "Usage:\n";
  std::size_t width = 0;
  for (const CommandSyntax& command : commands)
    width = std::max(width, UsageLine(program, command).size());
  for (const CommandSyntax& command : commands) {
    std::string line = UsageLine(program, command);
    line.resize(width + 2, ' ');
    text += line + std::string(command.summary) + "\n";
  }
  text += "\nRun \"" + std::string(program) + " COMMAND --help\" for a command's options.\n";
  text +=
      "Exit status: 0 on success, 1 when a path given is not a directory, 2 on a usage error.\n";
  return text;
}

std::string CommandHelp(std::string_view program, const CommandSyntax& command) {
  std::string text =
      "Usage:\n" + UsageLine(program, command) + "\n\n" + std::string(command.summary) + "\n";
  if (!command.details.empty()) text += "\n" + std::string(command.details) + "\n";
  std::vector<std::pair<std::string, std::string_view>> lines;
  for (const OptionSyntax& option : command.options) {
    std::string name(option.name);
    if (!option.valueName.empty()) name.append(1, ' ').append(option.valueName);
    lines.emplace_back(name, option.help);
  }
  lines.emplace_back("--help", "show this help");
  std::size_t width = 0;
  for (const auto& [name, help] : lines) width = std::max(width, name.size());
  text += "\nOptions:\n";
  for (auto& [name, help] : lines) {
    name.resize(width + 2, ' ');
    text += "  " + name + std::string(help) + "\n";
  }
  return text;
}

}  // namespace tarnwick::cli
