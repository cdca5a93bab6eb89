// Seasons: the fixtures a round robin makes, a whole league raced and stored, the table and the
// averages worked out from it, and season files that a killed process, a damaged file or a
// newer version leave as they should.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <set>
#include <sstream>

#include "engine/io/file_io.h"
#include "engine/records/conventions.h"
#include "riderdb/rider_database.h"
#include "season/fixture_race.h"
#include "season/fixtures.h"
#include "season/league_table.h"
#include "season/rider_figures.h"
#include "season/season_command.h"
#include "season/season_file.h"
#include "season/season_forecast.h"
#include "season/season_setup.h"
#include "support/test_files.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// A file in this program's own temporary folder, which goes with everything in it at exit;
// a name used again starts afresh.
fs::path TempPath(const std::string& name) {
  static const testing::TempFolder folder("season");
  const fs::path path = folder.path() / name;
  std::error_code ec;
  for (const char* suffix : {"", "-wal", "-shm"}) fs::remove(path.string() + suffix, ec);
  return path;
}

std::string Bytes(const fs::path& path) {
  return ReadWholeFile(path, 64u << 20).value();
}

Season BundledSeason(std::uint64_t seed) {
  SeasonRequest request;
  request.seed = seed;
  const Result<Season> season = NewSeason(request, CORVANE_SOURCE_DIR);
  EXPECT_TRUE(season.ok()) << season.error();
  return season.value();
}

// A season raced to its end and stored, then read back from its file.
Season RacedSeason(const fs::path& path, std::uint64_t seed) {
  {
    auto file = SeasonFile::Create(path, BundledSeason(seed));
    EXPECT_TRUE(file.ok()) << file.error();
    const Status played = PlayFixtures(*file.value(), 1000);
    EXPECT_TRUE(played.ok()) << played.error();
  }
  auto reopened = SeasonFile::Open(path);
  EXPECT_TRUE(reopened.ok()) << reopened.error();
  return reopened.value()->season();
}

TEST(SeasonFixtures, DoubleRoundRobinMeetsEveryOpponentHomeAndAwayNeverTwiceInARow) {
  for (int n = 2; n <= 10; ++n) {
    const std::vector<Fixture> fixtures = DoubleRoundRobin(n);
    ASSERT_EQ(static_cast<int>(fixtures.size()), n * (n - 1)) << n;
    std::set<std::pair<int, int>> pairs;
    std::map<int, std::vector<int>> opponents;  // in the order met
    std::set<std::pair<int, int>> roundsPlayed;
    for (std::size_t i = 0; i < fixtures.size(); ++i) {
      const Fixture& f = fixtures[i];
      EXPECT_EQ(f.number, static_cast<int>(i) + 1);
      EXPECT_NE(f.home, f.away);
      EXPECT_TRUE(pairs.insert({f.home, f.away}).second) << n;
      EXPECT_TRUE(roundsPlayed.insert({f.round, f.home}).second) << "twice in a round";
      EXPECT_TRUE(roundsPlayed.insert({f.round, f.away}).second) << "twice in a round";
      opponents[f.home].push_back(f.away);
      opponents[f.away].push_back(f.home);
    }
    if (n == 2) continue;  // two line-ups can only meet each other
    for (const auto& [lineup, met] : opponents) {
      for (std::size_t i = 1; i < met.size(); ++i) EXPECT_NE(met[i], met[i - 1]) << n;
    }
  }
}

TEST(SeasonFixtures, FixtureListIsReadOrRefusedWithTheLine) {
  const std::vector<std::string> lineups = {"Herons", "Lynx", "Rooks"};
  const auto good = ParseFixtureList("# opening day\nHerons, Lynx\r\n\n Rooks,Herons\n", lineups);
  ASSERT_TRUE(good.ok()) << good.error();
  ASSERT_EQ(good.value().size(), 2u);
  EXPECT_EQ(good.value()[1].home, 2);
  EXPECT_EQ(good.value()[1].away, 0);
  const std::pair<const char*, const char*> bad[] = {
      {"Herons Lynx\n", "line 1"}, {"Herons,Lynx\nHerons,Otters\n", "line 2"},
      {"Lynx,Lynx\n", "itself"},   {"# nothing\n", "no fixtures"},
      {"", "no fixtures"},
  };
  for (const auto& [text, message] : bad) {
    const auto parsed = ParseFixtureList(text, lineups);
    ASSERT_FALSE(parsed.ok()) << text;
    EXPECT_NE(parsed.error().find(message), std::string::npos) << parsed.error();
  }
}

TEST(SeasonFixtures, SuspendedFixtureIsNamedAfterItsLineupsSafely) {
  Season s;
  s.lineups = {"Herons", "AC/DC: \"Re*\"", "Łódź Wilki", std::string(70, 'a') + "é", "..", ""};
  const std::pair<Fixture, std::string> cases[] = {
      {{3, 1, 0, 1}, "Fixture 3 Herons v AC_DC_ _Re__.mtg"},
      {{12, 2, 2, 4}, "Fixture 12 Łódź Wilki v _.mtg"},
      {{4, 1, 3, 5}, "Fixture 4 " + std::string(60, 'a') + " v _.mtg"},
  };
  for (const auto& [fixture, name] : cases) EXPECT_EQ(FixtureMeetingFileName(s, fixture), name);
}

class RacedLeague : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    path_ = new fs::path(TempPath("league"));
    season_ = new Season(RacedSeason(*path_, 11));
  }
  static void TearDownTestSuite() {
    delete path_;
    delete season_;
  }
  static fs::path* path_;
  static Season* season_;
};
fs::path* RacedLeague::path_ = nullptr;
Season* RacedLeague::season_ = nullptr;

TEST_F(RacedLeague, EveryFixtureIsRacedOnceHomeAndAway) {
  const Season& s = *season_;
  ASSERT_EQ(s.lineups.size(), 8u);
  ASSERT_EQ(s.results.size(), 56u);
  std::set<int> raced;
  for (const FixtureResult& r : s.results) {
    const Fixture& f = s.fixtures[static_cast<std::size_t>(r.fixture - 1)];
    EXPECT_TRUE(raced.insert(r.fixture).second);
    EXPECT_GT(r.homeScore + r.awayScore, 0);
    EXPECT_NE(r.report.find(UpperCase(s.lineups[static_cast<std::size_t>(f.home)])),
              std::string::npos)
        << "the report names the home line-up";
  }
  EXPECT_EQ(s.NextFixture(), nullptr);
}

TEST_F(RacedLeague, TableAddsUp) {
  const std::vector<TableRow> table = LeagueTable(*season_);
  ASSERT_EQ(table.size(), 8u);
  long pointsFor = 0, pointsAgainst = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const TableRow& r = table[i];
    EXPECT_EQ(r.played, 14);
    EXPECT_EQ(r.played, r.won + r.drawn + r.lost);
    EXPECT_EQ(r.matchPoints, 3 * r.won + r.drawn);
    EXPECT_EQ(r.bonusPoints, 0);
    pointsFor += r.pointsFor;
    pointsAgainst += r.pointsAgainst;
    if (i > 0) {
      const TableRow& above = table[i - 1];
      EXPECT_TRUE(above.Total() > r.Total() ||
                  (above.Total() == r.Total() && above.Difference() >= r.Difference()));
    }
  }
  EXPECT_EQ(pointsFor, pointsAgainst);
  // The text, CSV and JSON forms hold every line-up.
  for (const TableFormat format :
       {TableFormat::Text, TableFormat::Csv, TableFormat::Json, TableFormat::Html}) {
    const std::string text = TableText(table, format);
    for (const std::string& name : season_->lineups) EXPECT_NE(text.find(name), std::string::npos);
  }
  // A name a spreadsheet would run as a formula is written as text.
  std::vector<TableRow> formula = table;
  formula[0].name = "=1+1";
  EXPECT_NE(TableText(formula, TableFormat::Csv).find("\n1,'=1+1,"), std::string::npos);
}

TEST_F(RacedLeague, SameSeedSameSeasonAnotherSeedAnother) {
  const fs::path again = TempPath("again"), other = TempPath("other");
  const Season same = RacedSeason(again, 11);
  const Season different = RacedSeason(other, 12);
  ASSERT_EQ(same.results.size(), season_->results.size());
  bool anyDiffers = false;
  for (std::size_t i = 0; i < same.results.size(); ++i) {
    EXPECT_EQ(same.results[i].homeScore, season_->results[i].homeScore);
    EXPECT_EQ(same.results[i].report, season_->results[i].report);
    anyDiffers |= different.results[i].report != season_->results[i].report;
  }
  EXPECT_TRUE(anyDiffers);
}

TEST_F(RacedLeague, RiderAveragesFollowTheScorecardsAndGoToANewDatabase) {
  const std::vector<RiderFigures> riders = SeasonRiderFigures(*season_);
  ASSERT_GE(riders.size(), 56u);
  // Each rider's rides, points and bonus summed over the scorecards of the meetings' reports:
  // " 1. Name........ 1  3  3  1  1* 1  10+1", a ride a cell, "-" for none.
  std::map<std::string, std::array<int, 3>> sums;
  for (const FixtureResult& r : season_->results) {
    std::istringstream lines(r.report);
    std::string line;
    while (std::getline(lines, line)) {
      // Blanks, a number, ". ", the name, a run of dots, the cells.
      const std::size_t dot = line.find(". "), dots = line.find("..", dot);
      if (dots == std::string::npos || line.find_first_not_of(" 0123456789") != dot ||
          line.find_first_of("0123456789") > dot || dots <= dot + 2)
        continue;
      const std::string name = line.substr(dot + 2, dots - dot - 2);
      std::istringstream cells(
          line.substr(std::min(line.find_first_not_of('.', dots), line.size())));
      std::vector<std::string> words{std::istream_iterator<std::string>(cells), {}};
      if (!words.empty() && words.back().front() == '(') words.pop_back();  // "(I)": injured
      ASSERT_FALSE(words.empty()) << line;
      auto& sum = sums[name];
      for (std::size_t i = 0; i + 1 < words.size(); ++i) sum[0] += words[i] == "-" ? 0 : 1;
      const std::string total = words.back();
      sum[1] += std::stoi(total);
      if (total.find('+') != std::string::npos)
        sum[2] += std::stoi(total.substr(total.find('+') + 1));
    }
  }
  for (const RiderFigures& f : riders) {
    const auto& sum = sums.at(f.rider);
    EXPECT_EQ(f.rides, sum[0]) << f.rider;
    EXPECT_EQ(f.points, sum[1]) << f.rider;
    EXPECT_EQ(f.bonus, sum[2]) << f.rider;
    ASSERT_GT(sum[0], 0);
    EXPECT_DOUBLE_EQ(f.Average(), (sum[1] + sum[2]) * 4.0 / sum[0]) << f.rider;
  }
  const Result<std::string> text = DatabaseWithSeasonAverages(*season_);
  ASSERT_TRUE(text.ok()) << text.error();
  RiderDatabase db;
  ASSERT_TRUE(ReadDatabaseText(db, text.value()).ok());
  RiderDatabase before;
  ASSERT_TRUE(ReadDatabaseText(before, season_->database).ok());
  ASSERT_EQ(db.records.size(), before.records.size());
  const RiderFigures& top = riders.front();
  const auto record =
      std::find_if(db.records.begin(), db.records.end(), [&](const LineupRecord& r) {
        return r.name == season_->lineups[static_cast<std::size_t>(top.lineup)];
      });
  ASSERT_NE(record, db.records.end());
  const auto slot = std::find(record->riderNames.begin(), record->riderNames.end(), top.rider);
  ASSERT_NE(slot, record->riderNames.end());
  const float held =
      record->riderAverages[static_cast<std::size_t>(slot - record->riderNames.begin())];
  EXPECT_NEAR(held * 12.0, std::clamp(top.Average(), 2.0, 12.0), 0.006);
  // Line-ups outside the league keep their averages.
  EXPECT_EQ(db.records.back(), before.records.back());
}

TEST(SeasonForecastTest, ChancesAddUpAndDependOnTheSeedAlone) {
  const fs::path path = TempPath("forecast");
  auto file = SeasonFile::Create(path, BundledSeason(8));
  ASSERT_TRUE(file.ok());
  ASSERT_TRUE(PlayFixtures(*file.value(), 40).ok());
  const Season& s = file.value()->season();
  const auto one = ForecastSeason(s, 60, 1, 5), two = ForecastSeason(s, 60, 2, 5);
  ASSERT_TRUE(one.ok() && two.ok());
  EXPECT_EQ(one.value().fixturesLeft, 16);
  std::vector<double> byPosition(8, 0.0);
  for (std::size_t i = 0; i < 8; ++i) {
    const PositionChances& a = one.value().lineups[i];
    EXPECT_EQ(a.chance, two.value().lineups[i].chance) << "the same on any number of threads";
    EXPECT_NEAR(std::accumulate(a.chance.begin(), a.chance.end(), 0.0), 1.0, 1e-9);
    for (std::size_t p = 0; p < 8; ++p) byPosition[p] += a.chance[p];
    EXPECT_GE(a.expectedPoints, LeagueTable(s)[i].Total()) << "points are never taken away";
  }
  for (const double total : byPosition) EXPECT_NEAR(total, 1.0, 1e-9);
  // A cancelled forecast stops before its next run and gives no chances.
  std::atomic<long> done{0};
  const std::atomic<bool> cancel{true};
  const auto cancelled = ForecastSeason(s, 1000, 2, 5, &done, &cancel);
  EXPECT_FALSE(cancelled.ok());
  EXPECT_EQ(done.load(), 0);
}

TEST(SeasonTable, AggregateBonusGoesToTheHigherTotalOverTheTwoLegs) {
  Season s;
  s.lineups = {"Herons", "Lynx"};
  s.rules.aggregateBonus = true;
  s.fixtures = DoubleRoundRobin(2);
  s.results = {FixtureResult{1, 50, 40, "", {}}};
  EXPECT_EQ(LeagueTable(s)[0].bonusPoints, 0) << "no bonus before the return leg";
  s.results.push_back(FixtureResult{2, 46, 44, "", {}});  // the first leg's away side at home
  const std::vector<TableRow> table = LeagueTable(s);
  int bonusTotal = 0;
  for (const TableRow& r : table) bonusTotal += r.bonusPoints;
  EXPECT_EQ(bonusTotal, 1);
  // The first leg's home side scored 50 + 44 = 94 against 40 + 46 = 86.
  for (const TableRow& r : table) EXPECT_EQ(r.bonusPoints, r.lineup == s.fixtures[0].home ? 1 : 0);
}

TEST(SeasonFile, KilledProcessKeepsEveryFinishedFixture) {
  const fs::path path = TempPath("killed");
  ASSERT_TRUE(SeasonFile::Create(path, BundledSeason(3)).ok());
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    auto file = SeasonFile::Open(path);
    if (!file || !PlayFixtures(*file.value(), 5)) ::_exit(1);
    // The sixth meeting's result half written when the process dies.
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "BEGIN; INSERT INTO results VALUES (6, 6, 1, 2, 'half');", nullptr, nullptr,
                 nullptr);
    ::kill(::getpid(), SIGKILL);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status)) << "the child failed before it was killed";
  auto reopened = SeasonFile::Open(path);
  ASSERT_TRUE(reopened.ok()) << reopened.error();
  EXPECT_EQ(reopened.value()->season().results.size(), 5u);
  ASSERT_NE(reopened.value()->season().NextFixture(), nullptr);
  EXPECT_EQ(reopened.value()->season().NextFixture()->number, 6);
  EXPECT_TRUE(PlayFixtures(*reopened.value(), 1).ok());
}

TEST(SeasonFile, NewerDamagedOrForeignFileIsRefusedAndLeftAsItWas) {
  const fs::path made = TempPath("made");
  {
    auto file = SeasonFile::Create(made, BundledSeason(5));
    ASSERT_TRUE(file.ok());
    ASSERT_TRUE(PlayFixtures(*file.value(), 3).ok());
    // What the file would be refused for is refused before it is written.
    const Fixture& f = file.value()->season().fixtures[3];
    int other = 0;
    while (other == f.home || other == f.away) ++other;
    const std::vector<RiderRides> riders[] = {{{other, "Stray", 1, 3, 0}},
                                              {{f.home, "Twin", 1001, 3, 0}},
                                              {{f.away, "Twin", 1, 3, -1}},
                                              {80 + 1, {f.home, "Twin", 1, 3, 0}}};
    for (const auto& rides : riders) {
      EXPECT_FALSE(file.value()->AddResult({4, 3, 3, "", rides}).ok());
    }
    EXPECT_FALSE(file.value()->AddResult({4, 100001, 3, "", {}}).ok());
  }
  ASSERT_EQ(SeasonFile::Open(made).value()->season().results.size(), 3u);
  const std::string good = Bytes(made);
  ASSERT_GT(good.size(), 4096u);
  auto withSql = [&](const char* sql) {
    const fs::path path = TempPath("sql");
    fs::copy_file(made, path);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    return Bytes(path);
  };
  std::string torn = good;
  for (std::size_t i = 4096; i < 8192 && i < torn.size(); ++i) torn[i] = static_cast<char>(i * 7);
  const std::pair<std::string, const char*> cases[] = {
      {withSql("PRAGMA user_version = 2"), "newer version"},
      {withSql("UPDATE fixtures SET home = 40 WHERE number = 1"), "damaged"},
      {withSql("PRAGMA application_id = 7"), "not a season file"},
      {withSql("DELETE FROM lineups WHERE position = 0"), "damaged"},
      {withSql("UPDATE results SET fixture = 999 WHERE fixture = 1"), "damaged"},
      {withSql("UPDATE rides SET lineup = 63 WHERE rowid = 1"), "damaged"},
      {withSql("UPDATE rides SET rides = -1 WHERE rowid = 1"), "damaged"},
      {withSql("UPDATE season SET win = 1000"), "damaged"},
      {withSql("DROP TABLE rides"), "damaged"},
      // One rider's rows adding up past what his season figures can hold.
      {withSql("WITH RECURSIVE n(k) AS (SELECT 57 UNION ALL SELECT k + 1 FROM n WHERE k < 330) "
               "INSERT INTO fixtures SELECT k, 99, 0, 1 FROM n; "
               "INSERT INTO results SELECT number, number, 0, 0, '' FROM fixtures "
               "WHERE number > 56; "
               "WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < 79) "
               "INSERT INTO rides SELECT number, 0, 'Twin', 1, 100000, 0 FROM fixtures, n "
               "WHERE number > 56"),
       "damaged"},
      {torn, "damaged"},
      {good.substr(0, good.size() / 2), "damaged"},
      {"Harbour Herons,LGE:7,Neville Tallowmere,8.65\r\n", "damaged"},
  };
  for (const auto& [bytes, message] : cases) {
    const fs::path path = TempPath("refused");
    ASSERT_TRUE(WriteFileAtomically(path, bytes).ok());
    const auto opened = SeasonFile::Open(path);
    ASSERT_FALSE(opened.ok()) << message;
    EXPECT_NE(opened.error().find(message), std::string::npos) << opened.error();
    EXPECT_EQ(Bytes(path), bytes) << "left as it was";
  }
}

TEST(SeasonCommand, NewPlayTableForecastAndAverages) {
  const fs::path path = TempPath("command"), rdb = TempPath("next.rdb");
  auto run = [&](std::vector<std::string> args, std::string* printed = nullptr) {
    std::ostringstream out, err;
    const int status = RunSeasonCommand(args, CORVANE_SOURCE_DIR, out, err);
    if (printed != nullptr) *printed = out.str() + err.str();
    return status;
  };
  std::string text;
  ASSERT_EQ(run({"new", path.string(), "--team", "harbour herons", "--team", "Larkhill Lynx",
                 "--team", "Ravensmoor Rooks", "--win", "2", "--seed", "4"}),
            0);
  const std::string made = Bytes(path);
  EXPECT_EQ(run({"new", path.string()}, &text), 2) << "an existing file is kept";
  EXPECT_EQ(Bytes(path), made);
  EXPECT_EQ(run({"play", path.string(), "--next", "2"}, &text), 0);
  EXPECT_NE(text.find("Fixture 2 (round"), std::string::npos) << text;
  EXPECT_EQ(run({"forecast", path.string(), "--runs", "20", "--format", "csv"}, &text), 0);
  EXPECT_NE(text.find("Harbour Herons,"), std::string::npos) << text;
  EXPECT_EQ(run({"play", path.string(), "--all"}), 0);
  EXPECT_EQ(run({"table", path.string(), "--format", "csv"}, &text), 0);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4) << text;
  EXPECT_EQ(run({"report", path.string(), "6"}, &text), 0);
  EXPECT_EQ(run({"averages", path.string(), rdb.string()}), 0);
  const std::string written = Bytes(rdb);
  EXPECT_EQ(run({"averages", path.string(), rdb.string()}, &text), 2) << "never over a file";
  EXPECT_NE(text.find("--overwrite"), std::string::npos);
  EXPECT_EQ(run({"averages", path.string(), rdb.string(), "--overwrite"}), 0);
  EXPECT_EQ(run({"play", path.string(), "--next", "0"}), 2);
  EXPECT_EQ(run({"table"}), 2);
  EXPECT_EQ(run({"tables", path.string()}), 2);
}

}  // namespace
}  // namespace corvane
