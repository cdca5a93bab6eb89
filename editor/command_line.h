// The database named on the editor's command line, and the options answered without a window.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// What --help (-h) or --version print, when an argument asks for it; nothing otherwise. Any
// other argument starting with "-" is an error (`error` is set) when `rejectOthers` holds, so no
// database of that name is opened or created by mistake. `version` is the program's full version.
struct EditorCommandReply {
  std::string text;
  bool error = false;
};
std::optional<EditorCommandReply> EditorCommandInfo(const std::vector<std::string>& arguments,
                                                    const std::string& version, bool rejectOthers);

// The path in the command line's argument text: trimmed, without one leading and one trailing
// double quote. Empty when no database is named.
std::string DatabaseArgument(std::string_view argument);

}  // namespace corvane
