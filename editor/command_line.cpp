#include "editor/command_line.h"

#include "engine/conventions.h"

namespace corvane {

std::string DatabaseArgument(std::string_view argument) {
  std::string path = Trim(argument);
  if (!path.empty() && path.front() == '"') path.erase(0, 1);
  if (!path.empty() && path.back() == '"') path.pop_back();
  return path;
}

}  // namespace corvane
