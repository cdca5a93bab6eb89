#include "editor/command_line.h"

#include "engine/records/conventions.h"

namespace corvane {

std::optional<EditorCommandReply> EditorCommandInfo(const std::vector<std::string>& arguments,
                                                    const std::string& version, bool rejectOthers) {
  for (const std::string& argument : arguments) {
    if (argument == "-h" || argument == "--help") {
      return EditorCommandReply{
          "Usage: tavrel [DATABASE.rdb]\n\n"
          "Edits the rider databases Corvane loads its line-ups from. The database named on the\n"
          "command line is opened; without one, a new database is started.\n\n"
          "  -h, --help     this text\n"
          "      --version  the program's version\n"};
    }
    if (argument == "--version") return EditorCommandReply{"tavrel " + version + "\n"};
  }
  for (const std::string& argument : arguments) {
    if (rejectOthers && argument.size() > 1 && argument[0] == '-') {
      return EditorCommandReply{"tavrel: unknown option " + argument + " (see --help)\n", true};
    }
  }
  return std::nullopt;
}

std::string DatabaseArgument(std::string_view argument) {
  std::string path = Trim(argument);
  if (!path.empty() && path.front() == '"') path.erase(0, 1);
  if (!path.empty() && path.back() == '"') path.pop_back();
  return path;
}

}  // namespace corvane
