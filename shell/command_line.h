// The meeting or season file named on corvane's command line, and the options answered without a
// window.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace corvane {

// What --help (-h) or --version print, when an argument asks for it; nothing otherwise. Any
// other argument starting with "-" is an error (`error` is set) when `rejectOthers` holds, so no
// file of that name is opened by mistake. `version` is the program's full version.
struct CommandLineReply {
  std::string text;
  bool error = false;
};
std::optional<CommandLineReply> CommandLineInfo(const std::vector<std::string>& arguments,
                                                const std::string& version, bool rejectOthers);

// The file named by the first argument, trimmed. The launcher has already split the command
// line at its blanks, keeping a quoted path whole, so a path with blanks in it stays whole.
std::string CommandFileFrom(const std::vector<std::string>& arguments);

// True when the name ends in ".mtg", in any case: such a file is resumed at start-up.
bool IsMeetingFileName(const std::string& name);
// True when the name ends in ".season", in any case: such a file is opened at start-up.
bool IsSeasonFileName(const std::string& name);

}  // namespace corvane
