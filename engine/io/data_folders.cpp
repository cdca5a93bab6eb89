#include "engine/io/data_folders.h"

#include <cstdlib>
#include <system_error>

// The installed data folder relative to the programs' folder; the build sets it from the
// install rules' folders.
#ifndef CORVANE_INSTALLED_DATA_FOLDER
#define CORVANE_INSTALLED_DATA_FOLDER "../share/corvane"
#endif

namespace corvane {

std::filesystem::path BundledDataFolder(const std::filesystem::path& programFolder) {
  std::error_code ec;
  if (std::filesystem::is_directory(programFolder / "Scripts", ec)) return programFolder;
  return (programFolder / CORVANE_INSTALLED_DATA_FOLDER).lexically_normal();
}

std::filesystem::path UserDataFolder(const char* xdgDataHome, const char* home) {
  // The base directory rules ignore a relative XDG_DATA_HOME.
  if (xdgDataHome != nullptr && std::filesystem::path(xdgDataHome).is_absolute()) {
    return std::filesystem::path(xdgDataHome) / "corvane";
  }
  if (home != nullptr && std::filesystem::path(home).is_absolute()) {
    return std::filesystem::path(home) / ".local" / "share" / "corvane";
  }
  return {};
}

std::filesystem::path UserDataFolder() {
  return UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::filesystem::path LocateDataFile(const std::string& name,
                                     const std::filesystem::path& userFolder,
                                     const std::filesystem::path& bundledFolder) {
  const std::filesystem::path file(name);
  if (file.is_absolute()) return file;
  std::error_code ec;
  if (!userFolder.empty() && !name.empty() &&
      std::filesystem::is_regular_file(userFolder / file, ec)) {
    return userFolder / file;
  }
  return bundledFolder / file;
}

std::filesystem::path WithDefaultExtension(std::filesystem::path file,
                                           const std::string& extension) {
  if (file.has_filename() && file.extension().native().size() <= 1) {
    file.replace_extension(extension);
  }
  return file;
}

}  // namespace corvane
