// The folder the running program lives in, where its bundled data is found.
#pragma once

#include <filesystem>

namespace corvane {

std::filesystem::path ProgramFolder(const char* argv0);

}  // namespace corvane
