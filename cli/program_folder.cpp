#include "cli/program_folder.h"

#include <system_error>

namespace corvane {

std::filesystem::path ProgramFolder(const char* argv0) {
  std::error_code ec;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) return self.parent_path();
  return std::filesystem::absolute(argv0 != nullptr ? argv0 : ".", ec).parent_path();
}

}  // namespace corvane
