#include "shell/command_line.h"

#include "engine/conventions.h"

namespace corvane {

std::string CommandFileFrom(const std::vector<std::string>& arguments) {
  return arguments.empty() ? std::string() : Trim(arguments.front());
}

bool IsMeetingFileName(const std::string& name) {
  return name.size() >= 4 && UpperCase(name.substr(name.size() - 4)) == ".MTG";
}

}  // namespace corvane
