// A season kept in one SQLite file. Every raced fixture is written in a transaction of its own,
// so a crash or a killed process loses at most the meeting being raced. The schema carries a
// version; a file from a newer version or a damaged file is refused and left as it is.
#pragma once

#include <filesystem>
#include <memory>

#include "engine/io/result.h"
#include "season/season.h"

struct sqlite3;

namespace corvane {

inline constexpr int kSeasonSchemaVersion = 1;
// Marks a SQLite file as a season file ("CVSN").
inline constexpr int kSeasonApplicationId = 0x4356534E;

class SeasonFile {
 public:
  // Makes a new file holding the season (without results); refuses a file that exists.
  static Result<std::unique_ptr<SeasonFile>> Create(const std::filesystem::path& path,
                                                    const Season& season);
  // Opens and reads a season file.
  static Result<std::unique_ptr<SeasonFile>> Open(const std::filesystem::path& path);

  ~SeasonFile();
  SeasonFile(const SeasonFile&) = delete;
  SeasonFile& operator=(const SeasonFile&) = delete;

  const Season& season() const { return season_; }
  const std::filesystem::path& path() const { return path_; }
  // Stores a raced fixture's result and adds it to the season; on failure neither changes.
  Status AddResult(const FixtureResult& result);

 private:
  SeasonFile(sqlite3* db, std::filesystem::path path) : db_(db), path_(std::move(path)) {}
  Status Load();

  sqlite3* db_;
  std::filesystem::path path_;
  Season season_;
};

}  // namespace corvane
