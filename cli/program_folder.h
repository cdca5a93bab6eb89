// The folder the running program lives in; its bundled data is found from there
// (BundledDataFolder).
#pragma once

#include <filesystem>

namespace corvane {

std::filesystem::path ProgramFolder(const char* argv0);

}  // namespace corvane
