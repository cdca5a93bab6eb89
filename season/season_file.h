// A season kept in one SQLite file. Every raced fixture is written in a transaction of its own,
// so a crash or a killed process loses at most the meeting being raced. The schema carries a
// version; a file from a newer version or a damaged file is refused and left as it is.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "engine/io/result.h"
#include "season/season.h"

struct sqlite3;

namespace corvane {

inline constexpr int kSeasonSchemaVersion = 1;
// Marks a SQLite file as a season file ("CVSN").
inline constexpr int kSeasonApplicationId = 0x4356534E;

// A fixture whose meeting was suspended in the middle: which fixture, and the bytes of the
// meeting file written then, so that the meeting can be resumed from the season alone.
struct FixtureInPlay {
  int fixture = 0;
  std::string meeting;
};

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
  // A fixture that already has a result is refused. The record of the fixture in play goes
  // with the result, in the same transaction.
  Status AddResult(const FixtureResult& result);

  // The fixture suspended in the middle, if any; never one that has a result.
  const std::optional<FixtureInPlay>& fixtureInPlay() const { return inPlay_; }
  // Records the fixture in play with its suspended meeting, replacing any earlier record.
  Status SetFixtureInPlay(const FixtureInPlay& record);

 private:
  SeasonFile(sqlite3* db, std::filesystem::path path) : db_(db), path_(std::move(path)) {}
  Status Load();
  Status LoadFixtureInPlay(const Season& s);

  sqlite3* db_;
  std::filesystem::path path_;
  Season season_;
  std::optional<FixtureInPlay> inPlay_;
  // Files made before the record of the fixture in play have no table for it until one is set.
  bool hasInPlayTable_ = false;
};

}  // namespace corvane
