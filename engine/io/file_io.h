// Whole-file reads with a size limit, and saves that never leave a half-written file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/io/result.h"

namespace corvane {

// Reads the whole file. Files larger than maxBytes are refused, so a hostile file cannot make
// the reader allocate without limit.
Result<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

// Writes bytes to a temporary file in the target's folder and renames it over the target: the
// target is replaced whole, and a failed write leaves the previous file as it was. A symbolic
// link is followed: the file it points to is saved, in its own folder, and the link stays. The
// folder is synced after the rename. Where the folder takes no new file but the file itself is
// writable, the file is rewritten in place (its room reserved first).
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Appends bytes to the file, creating it when needed.
Status AppendToFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace corvane
