#include "shell/command_line.h"

#include "engine/records/conventions.h"

namespace corvane {

std::optional<CommandLineReply> CommandLineInfo(const std::vector<std::string>& arguments,
                                                const std::string& version, bool rejectOthers) {
  for (const std::string& argument : arguments) {
    if (argument == "-h" || argument == "--help") {
      return CommandLineReply{
          "Usage: corvane [MEETING.mtg | SEASON.season]\n\n"
          "Simulates race meetings of motorcycle track racing in a window. A meeting file named\n"
          "on the command line is resumed at start-up; a season file is opened in the Season\n"
          "window. corvane-run races meetings without a window.\n\n"
          "  -h, --help     this text\n"
          "      --version  the program's version\n"};
    }
    if (argument == "--version") return CommandLineReply{"corvane " + version + "\n"};
  }
  for (const std::string& argument : arguments) {
    if (rejectOthers && argument.size() > 1 && argument[0] == '-') {
      return CommandLineReply{"corvane: unknown option " + argument + " (see --help)\n", true};
    }
  }
  return std::nullopt;
}

std::string CommandFileFrom(const std::vector<std::string>& arguments) {
  return arguments.empty() ? std::string() : Trim(arguments.front());
}

namespace {

bool HasExtension(const std::string& name, const std::string& upperExtension) {
  return name.size() >= upperExtension.size() &&
         UpperCase(name.substr(name.size() - upperExtension.size())) == upperExtension;
}

}  // namespace

bool IsMeetingFileName(const std::string& name) {
  return HasExtension(name, ".MTG");
}

bool IsSeasonFileName(const std::string& name) {
  return HasExtension(name, ".SEASON");
}

}  // namespace corvane
