#include "season/season_file.h"

#include <sqlite3.h>

#include <bit>
#include <cstring>
#include <map>
#include <set>
#include <utility>

#include "report/meeting_file.h"
#include "riderdb/rider_database.h"
#include "season/fixtures.h"

namespace corvane {

namespace {

// Bounds on what a file can make us hold.
constexpr int kMaxTextBytes = 64 << 20;
constexpr int kMaxLineupsInSeason = 64;
constexpr int kMaxRidersInResult = 2 * 40;
constexpr int kMaxScore = 100000;
constexpr std::int64_t kMaxSeasonTotal = std::int64_t{kMaxScore} * kMaxFixtures;

constexpr const char* kSchema = R"(
CREATE TABLE season(id INTEGER PRIMARY KEY CHECK (id = 1), competition TEXT NOT NULL,
  rider_database BLOB NOT NULL, seed INTEGER NOT NULL, win INTEGER NOT NULL,
  draw INTEGER NOT NULL, loss INTEGER NOT NULL, aggregate_bonus INTEGER NOT NULL);
CREATE TABLE lineups(position INTEGER PRIMARY KEY, name TEXT NOT NULL);
CREATE TABLE fixtures(number INTEGER PRIMARY KEY, round INTEGER NOT NULL, home INTEGER NOT NULL,
  away INTEGER NOT NULL);
CREATE TABLE results(fixture INTEGER PRIMARY KEY REFERENCES fixtures(number),
  raced INTEGER NOT NULL, home_score INTEGER NOT NULL, away_score INTEGER NOT NULL,
  report TEXT NOT NULL);
CREATE TABLE rides(fixture INTEGER NOT NULL REFERENCES results(fixture), lineup INTEGER NOT NULL,
  rider TEXT NOT NULL, rides INTEGER NOT NULL, points INTEGER NOT NULL, bonus INTEGER NOT NULL);
)";

// The fixture suspended in the middle. Files made before it was kept lack the table; it is made
// when first needed, and older programs that ignore it still read the rest.
constexpr const char* kInPlaySchema =
    "CREATE TABLE IF NOT EXISTS fixture_in_play(id INTEGER PRIMARY KEY CHECK (id = 1),"
    " fixture INTEGER NOT NULL, meeting BLOB NOT NULL)";

// A prepared statement, finalised when it goes out of scope.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK) stmt_ = nullptr;
  }
  ~Statement() { sqlite3_finalize(stmt_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  bool ok() const { return stmt_ != nullptr; }
  Statement& Bind(int i, std::int64_t v) {
    sqlite3_bind_int64(stmt_, i, v);
    return *this;
  }
  Statement& Bind(int i, const std::string& text) {
    sqlite3_bind_text(stmt_, i, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
  }
  Statement& BindBlob(int i, const std::string& bytes) {
    sqlite3_bind_blob(stmt_, i, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    return *this;
  }
  void Reset() { sqlite3_reset(stmt_); }
  int Step() { return stmt_ == nullptr ? SQLITE_ERROR : sqlite3_step(stmt_); }
  bool Run() {
    const int rc = Step();
    sqlite3_reset(stmt_);
    return rc == SQLITE_DONE;
  }
  std::int64_t Int(int col) const { return sqlite3_column_int64(stmt_, col); }
  std::string Text(int col) const {
    const void* data = sqlite3_column_blob(stmt_, col);
    const int size = sqlite3_column_bytes(stmt_, col);
    return data == nullptr
               ? std::string()
               : std::string(static_cast<const char*>(data), static_cast<std::size_t>(size));
  }

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

bool Exec(sqlite3* db, const char* sql) {
  return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::int64_t PragmaInt(sqlite3* db, const char* sql, bool& ok) {
  Statement s(db, sql);
  if (s.Step() != SQLITE_ROW) {
    ok = false;
    return 0;
  }
  return s.Int(0);
}

std::string Damaged(const std::filesystem::path& path) {
  return "The season file is damaged or is not a season file: " + path.string();
}

sqlite3* OpenConnection(const std::filesystem::path& path, int flags) {
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return nullptr;
  }
  sqlite3_limit(db, SQLITE_LIMIT_LENGTH, kMaxTextBytes);
  sqlite3_busy_timeout(db, 2000);
  // Triggers, views and the like in a hostile file run nothing of ours.
  sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  return db;
}

// Each fixture's commit reaches the log before the next meeting starts, so a killed process
// loses nothing committed; without a sync at every commit a season races at meeting speed. A
// power cut can lose the last fixtures raced, never the file.
bool UseWriteAheadLog(sqlite3* db) {
  return Exec(db, "PRAGMA journal_mode = WAL") && Exec(db, "PRAGMA synchronous = NORMAL");
}

bool InRange(std::int64_t v, std::int64_t low, std::int64_t high) {
  return v >= low && v <= high;
}

// What a stored result may hold. Load refuses a file holding anything else, so AddResult
// refuses it too, before writing: one bad result would make the whole file unreadable.
class ResultBounds {
 public:
  // Whether the result fits its fixture and keeps every rider's season figures within what
  // they can hold; a result that fits counts towards those figures.
  bool Accept(const FixtureResult& result, const Fixture& fixture) {
    if (!InRange(result.homeScore, -kMaxScore, kMaxScore) ||
        !InRange(result.awayScore, -kMaxScore, kMaxScore) ||
        result.riders.size() > static_cast<std::size_t>(kMaxRidersInResult))
      return false;
    for (const RiderRides& r : result.riders) {
      if ((r.lineup != fixture.home && r.lineup != fixture.away) || !InRange(r.rides, 0, 1000) ||
          !InRange(r.points, -kMaxScore, kMaxScore) || !InRange(r.bonus, 0, kMaxScore))
        return false;
    }
    auto points = points_;
    auto bonus = bonus_;
    for (const RiderRides& r : result.riders) {
      const std::pair<int, std::string> rider{r.lineup, r.rider};
      if (!InRange(points[rider] += r.points, -kMaxSeasonTotal, kMaxSeasonTotal) ||
          !InRange(bonus[rider] += r.bonus, 0, kMaxSeasonTotal))
        return false;
    }
    points_ = std::move(points);
    bonus_ = std::move(bonus);
    return true;
  }

 private:
  std::map<std::pair<int, std::string>, std::int64_t> points_, bonus_;
};

}  // namespace

SeasonFile::~SeasonFile() {
  sqlite3_close(db_);
}

Result<std::unique_ptr<SeasonFile>> SeasonFile::Create(const std::filesystem::path& path,
                                                       const Season& season) {
  std::error_code ec;
  if (std::filesystem::exists(path, ec)) return Error{"The file exists: " + path.string()};
  sqlite3* db = OpenConnection(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  if (db == nullptr) return Error{"Cannot create the season file: " + path.string()};
  std::unique_ptr<SeasonFile> file(new SeasonFile(db, path));
  bool ok =
      UseWriteAheadLog(db) && Exec(db, "BEGIN") && Exec(db, kSchema) && Exec(db, kInPlaySchema);
  ok = ok && Exec(db, ("PRAGMA application_id = " + std::to_string(kSeasonApplicationId)).c_str());
  ok = ok && Exec(db, ("PRAGMA user_version = " + std::to_string(kSeasonSchemaVersion)).c_str());
  {
    Statement s(db, "INSERT INTO season VALUES (1, ?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    ok = ok && s.Bind(1, season.competition)
                   .BindBlob(2, season.database)
                   .Bind(3, std::bit_cast<std::int64_t>(season.seed))
                   .Bind(4, season.rules.win)
                   .Bind(5, season.rules.draw)
                   .Bind(6, season.rules.loss)
                   .Bind(7, season.rules.aggregateBonus ? 1 : 0)
                   .Run();
    Statement l(db, "INSERT INTO lineups VALUES (?1, ?2)");
    for (std::size_t i = 0; ok && i < season.lineups.size(); ++i) {
      ok = l.Bind(1, static_cast<std::int64_t>(i)).Bind(2, season.lineups[i]).Run();
    }
    Statement f(db, "INSERT INTO fixtures VALUES (?1, ?2, ?3, ?4)");
    for (std::size_t i = 0; ok && i < season.fixtures.size(); ++i) {
      const Fixture& x = season.fixtures[i];
      ok = f.Bind(1, x.number).Bind(2, x.round).Bind(3, x.home).Bind(4, x.away).Run();
    }
  }
  if (!ok || !Exec(db, "COMMIT")) {
    const std::string message = sqlite3_errmsg(db);
    file.reset();
    std::filesystem::remove(path, ec);
    return Error{"Cannot write the season file " + path.string() + ": " + message};
  }
  file->season_ = season;
  file->season_.results.clear();
  file->hasInPlayTable_ = true;
  return file;
}

Result<std::unique_ptr<SeasonFile>> SeasonFile::Open(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    return Error{"Season file not found: " + path.string()};
  }
  // Read-write without creating: a journal left by a killed process is rolled back here.
  sqlite3* db = OpenConnection(path, SQLITE_OPEN_READWRITE);
  if (db == nullptr) return Error{Damaged(path)};
  std::unique_ptr<SeasonFile> file(new SeasonFile(db, path));
  bool ok = true;
  const std::int64_t application = PragmaInt(db, "PRAGMA application_id", ok);
  const std::int64_t version = PragmaInt(db, "PRAGMA user_version", ok);
  if (!ok || application != kSeasonApplicationId) return Error{Damaged(path)};
  if (version > kSeasonSchemaVersion) {
    return Error{"The season file was made by a newer version of Corvane: " + path.string()};
  }
  {
    Statement check(db, "PRAGMA quick_check");
    if (check.Step() != SQLITE_ROW || check.Text(0) != "ok") return Error{Damaged(path)};
  }
  const Status loaded = file->Load();
  if (!loaded) return Error{loaded.error()};
  if (!UseWriteAheadLog(db)) return Error{"Cannot write to the season file: " + path.string()};
  return file;
}

Status SeasonFile::Load() {
  Season s;
  const Error damaged{Damaged(path_)};
  {
    Statement q(db_,
                "SELECT competition, rider_database, seed, win, draw, loss, aggregate_bonus "
                "FROM season WHERE id = 1");
    if (q.Step() != SQLITE_ROW) return damaged;
    s.competition = q.Text(0);
    s.database = q.Text(1);
    s.seed = std::bit_cast<std::uint64_t>(q.Int(2));
    for (int c = 3; c <= 5; ++c) {
      if (!InRange(q.Int(c), -100, 100)) return damaged;
    }
    s.rules.win = static_cast<int>(q.Int(3));
    s.rules.draw = static_cast<int>(q.Int(4));
    s.rules.loss = static_cast<int>(q.Int(5));
    s.rules.aggregateBonus = q.Int(6) != 0;
    if (s.database.size() > kMaxRiderDatabaseBytes) return damaged;
  }
  {
    Statement q(db_, "SELECT position, name FROM lineups ORDER BY position");
    int rc;
    while ((rc = q.Step()) == SQLITE_ROW) {
      if (q.Int(0) != static_cast<std::int64_t>(s.lineups.size()) ||
          s.lineups.size() >= kMaxLineupsInSeason)
        return damaged;
      s.lineups.push_back(q.Text(1));
    }
    if (rc != SQLITE_DONE || s.lineups.size() < 2) return damaged;
  }
  const auto lineups = static_cast<std::int64_t>(s.lineups.size());
  {
    Statement q(db_, "SELECT number, round, home, away FROM fixtures ORDER BY number");
    int rc;
    while ((rc = q.Step()) == SQLITE_ROW) {
      if (q.Int(0) != static_cast<std::int64_t>(s.fixtures.size()) + 1 ||
          s.fixtures.size() >= kMaxFixtures || !InRange(q.Int(1), 1, kMaxFixtures) ||
          !InRange(q.Int(2), 0, lineups - 1) || !InRange(q.Int(3), 0, lineups - 1) ||
          q.Int(2) == q.Int(3))
        return damaged;
      s.fixtures.push_back(Fixture{static_cast<int>(q.Int(0)), static_cast<int>(q.Int(1)),
                                   static_cast<int>(q.Int(2)), static_cast<int>(q.Int(3))});
    }
    if (rc != SQLITE_DONE) return damaged;
  }
  const auto fixtures = static_cast<std::int64_t>(s.fixtures.size());
  {
    Statement q(db_, "SELECT fixture, home_score, away_score, report FROM results ORDER BY raced");
    Statement r(db_, "SELECT lineup, rider, rides, points, bonus FROM rides WHERE fixture = ?1");
    std::set<std::int64_t> seen;
    ResultBounds bounds;
    // Values beyond an int are refused before they are narrowed; the rest is for the bounds.
    const auto fitsInt = [](std::int64_t v) {
      return InRange(v, -kMaxSeasonTotal, kMaxSeasonTotal);
    };
    int rc;
    while ((rc = q.Step()) == SQLITE_ROW) {
      if (!InRange(q.Int(0), 1, fixtures) || !seen.insert(q.Int(0)).second || !fitsInt(q.Int(1)) ||
          !fitsInt(q.Int(2)))
        return damaged;
      FixtureResult result;
      result.fixture = static_cast<int>(q.Int(0));
      result.homeScore = static_cast<int>(q.Int(1));
      result.awayScore = static_cast<int>(q.Int(2));
      result.report = q.Text(3);
      r.Bind(1, result.fixture);
      int rr;
      while ((rr = r.Step()) == SQLITE_ROW) {
        if (!fitsInt(r.Int(0)) || !fitsInt(r.Int(2)) || !fitsInt(r.Int(3)) || !fitsInt(r.Int(4)) ||
            result.riders.size() >= kMaxRidersInResult)
          return damaged;
        result.riders.push_back(RiderRides{static_cast<int>(r.Int(0)), r.Text(1),
                                           static_cast<int>(r.Int(2)), static_cast<int>(r.Int(3)),
                                           static_cast<int>(r.Int(4))});
      }
      if (rr != SQLITE_DONE) return damaged;
      r.Reset();
      if (!bounds.Accept(result, s.fixtures[static_cast<std::size_t>(result.fixture - 1)]))
        return damaged;
      s.results.push_back(std::move(result));
    }
    if (rc != SQLITE_DONE) return damaged;
  }
  if (const Status inPlay = LoadFixtureInPlay(s); !inPlay) return inPlay;
  season_ = std::move(s);
  return Done{};
}

Status SeasonFile::LoadFixtureInPlay(const Season& s) {
  {
    Statement q(db_,
                "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                "name = 'fixture_in_play'");
    if (q.Step() != SQLITE_ROW) return Error{Damaged(path_)};
    hasInPlayTable_ = q.Int(0) != 0;
  }
  inPlay_.reset();
  if (!hasInPlayTable_) return Done{};
  Statement q(db_, "SELECT fixture, meeting FROM fixture_in_play WHERE id = 1");
  const int rc = q.Step();
  if (rc == SQLITE_DONE) return Done{};
  if (rc != SQLITE_ROW || !InRange(q.Int(0), 1, static_cast<std::int64_t>(s.fixtures.size()))) {
    return Error{Damaged(path_)};
  }
  // A program that does not know the record may have stored the fixture's result since.
  const int fixture = static_cast<int>(q.Int(0));
  if (s.ResultOf(fixture) == nullptr) inPlay_ = FixtureInPlay{fixture, q.Text(1)};
  return Done{};
}

Status SeasonFile::SetFixtureInPlay(const FixtureInPlay& record) {
  if (record.fixture < 1 || record.fixture > static_cast<int>(season_.fixtures.size()) ||
      season_.ResultOf(record.fixture) != nullptr || record.meeting.size() > kMaxMeetingFileBytes) {
    return Error{"Fixture " + std::to_string(record.fixture) + " cannot be kept as in play"};
  }
  bool ok = Exec(db_, "BEGIN IMMEDIATE") && Exec(db_, kInPlaySchema);
  {
    Statement q(db_, "INSERT OR REPLACE INTO fixture_in_play VALUES (1, ?1, ?2)");
    ok = ok && q.Bind(1, record.fixture).BindBlob(2, record.meeting).Run();
  }
  if (!ok || !Exec(db_, "COMMIT")) {
    const std::string message = sqlite3_errmsg(db_);
    Exec(db_, "ROLLBACK");
    return Error{"Cannot record the fixture in play in " + path_.string() + ": " + message};
  }
  hasInPlayTable_ = true;
  inPlay_ = record;
  return Done{};
}

Status SeasonFile::AddResult(const FixtureResult& result) {
  if (result.fixture < 1 || result.fixture > static_cast<int>(season_.fixtures.size()) ||
      season_.ResultOf(result.fixture) != nullptr) {
    return Error{"Fixture " + std::to_string(result.fixture) + " cannot be stored"};
  }
  ResultBounds bounds;
  for (const FixtureResult& stored : season_.results) {
    bounds.Accept(stored, season_.fixtures[static_cast<std::size_t>(stored.fixture - 1)]);
  }
  if (!bounds.Accept(result, season_.fixtures[static_cast<std::size_t>(result.fixture - 1)])) {
    return Error{"Fixture " + std::to_string(result.fixture) +
                 "'s result holds figures a season cannot keep"};
  }
  bool ok = Exec(db_, "BEGIN IMMEDIATE");
  {
    Statement q(db_, "INSERT INTO results VALUES (?1, ?2, ?3, ?4, ?5)");
    ok = ok && q.Bind(1, result.fixture)
                   .Bind(2, static_cast<std::int64_t>(season_.results.size()) + 1)
                   .Bind(3, result.homeScore)
                   .Bind(4, result.awayScore)
                   .Bind(5, result.report)
                   .Run();
    Statement r(db_, "INSERT INTO rides VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    for (const RiderRides& rides : result.riders) {
      ok = ok && r.Bind(1, result.fixture)
                     .Bind(2, rides.lineup)
                     .Bind(3, rides.rider)
                     .Bind(4, rides.rides)
                     .Bind(5, rides.points)
                     .Bind(6, rides.bonus)
                     .Run();
    }
    if (hasInPlayTable_) {
      Statement d(db_, "DELETE FROM fixture_in_play WHERE fixture = ?1");
      ok = ok && d.Bind(1, result.fixture).Run();
    }
  }
  if (!ok || !Exec(db_, "COMMIT")) {
    const std::string message = sqlite3_errmsg(db_);
    Exec(db_, "ROLLBACK");
    return Error{"Cannot store the result in " + path_.string() + ": " + message};
  }
  season_.results.push_back(result);
  if (inPlay_ && inPlay_->fixture == result.fixture) inPlay_.reset();
  return Done{};
}

}  // namespace corvane
