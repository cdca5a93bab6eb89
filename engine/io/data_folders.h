// Where the programs find their files. The bundled competitions, rider database, help pages
// and default settings lie beside the program in a build tree and under <prefix>/share/corvane
// when installed; the user's own databases, competitions and meeting files live in the user's
// data folder, since an installed system's folders are read-only.
#pragma once

#include <filesystem>
#include <string>

namespace corvane {

// The folder holding Scripts/, Lineups/, help/ and corvane-defaults.ini: the program's own
// folder when it has a Scripts folder (a build tree, or an unpacked copy), otherwise the
// installed data folder, <prefix>/share/corvane beside <prefix>/bin.
std::filesystem::path BundledDataFolder(const std::filesystem::path& programFolder);

// The user's data folder for the programs: $XDG_DATA_HOME/corvane, or
// $HOME/.local/share/corvane when XDG_DATA_HOME is unset or not an absolute path; empty when
// neither gives one. Takes the variables' values (null when unset).
std::filesystem::path UserDataFolder(const char* xdgDataHome, const char* home);

// The same from the process environment.
std::filesystem::path UserDataFolder();

// Where a file named in the settings is: a full path as it is; a plain name in the user's
// folder when it is there, otherwise in the bundled folder.
std::filesystem::path LocateDataFile(const std::string& name,
                                     const std::filesystem::path& userFolder,
                                     const std::filesystem::path& bundledFolder);

// A file name the user typed, with `extension` (".mtg") added when it has none of its own, so
// the file shows under its type's filter. A name ending in a bare dot takes it there.
std::filesystem::path WithDefaultExtension(std::filesystem::path file,
                                           const std::string& extension);

}  // namespace corvane
