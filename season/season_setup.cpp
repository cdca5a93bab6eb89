#include "season/season_setup.h"

#include <algorithm>

#include "cli/meeting_inputs.h"
#include "engine/io/text_encoding.h"
#include "engine/race/random_source.h"
#include "riderdb/lineup_choice.h"
#include "riderdb/rider_database.h"
#include "season/fixture_race.h"
#include "season/fixtures.h"
#include "season/season_file.h"

namespace corvane {

namespace {

// Each line-up by its name in the database, whatever case it was asked for in.
Result<std::vector<std::string>> DatabaseNames(const RiderDatabase& db,
                                               const std::vector<std::string>& wanted) {
  std::vector<std::string> names;
  for (const std::string& name : wanted) {
    const auto record =
        std::find_if(db.records.begin(), db.records.end(),
                     [&](const LineupRecord& r) { return UpperCase(r.name) == UpperCase(name); });
    if (record == db.records.end()) {
      return Error{"no line-up \"" + name + "\" in the rider database"};
    }
    names.push_back(record->name);
  }
  return names;
}

// The line-ups the programme editor would offer for the competition.
Result<std::vector<std::string>> Offered(const RunOptions& options, const MeetingInputs& inputs,
                                         const RiderDatabase& db, std::uint64_t seed) {
  Pcg32Random random(seed);
  const Result<Meeting> meeting = SetUpCommandLineMeeting(options, inputs, random);
  if (!meeting) return Error{meeting.error()};
  const auto offered = OfferLineups(inputs.database, meeting.value(), false);
  if (!offered) return Error{offered.error()};
  std::vector<std::string> names;
  for (const OfferedLineup& o : offered.value()) names.push_back(o.text);
  return DatabaseNames(db, names);
}

RunOptions InputOptions(const SeasonRequest& request) {
  RunOptions options;
  options.competition = request.competition;
  options.lineupsFile = request.lineupsFile;
  return options;
}

}  // namespace

Result<std::vector<std::string>> OfferedSeasonLineups(const SeasonRequest& request,
                                                      const std::filesystem::path& dataFolder) {
  const RunOptions options = InputOptions(request);
  const Result<MeetingInputs> inputs = ReadMeetingInputs(options, dataFolder);
  if (!inputs) return Error{inputs.error()};
  RiderDatabase db;
  const Status read = ReadDatabaseText(db, inputs.value().database);
  if (!read) return Error{read.error()};
  return Offered(options, inputs.value(), db, request.seed);
}

Result<Season> NewSeason(const SeasonRequest& request, const std::filesystem::path& dataFolder) {
  const RunOptions options = InputOptions(request);
  const Result<MeetingInputs> inputs = ReadMeetingInputs(options, dataFolder);
  if (!inputs) return Error{inputs.error()};
  Season season;
  season.competition = inputs.value().competition.fileName;
  season.database = inputs.value().database;
  season.rules = request.rules;
  season.seed = request.seed;
  RiderDatabase db;
  const Status read = ReadDatabaseText(db, season.database);
  if (!read) return Error{read.error()};
  std::vector<std::string> wanted;
  for (const std::string& name : request.lineups) wanted.push_back(ValidUtf8(name));
  Result<std::vector<std::string>> names = request.lineups.empty()
                                               ? Offered(options, inputs.value(), db, request.seed)
                                               : DatabaseNames(db, wanted);
  if (!names) return Error{names.error()};
  season.lineups = std::move(names.value());
  for (std::size_t i = 0; i < season.lineups.size(); ++i) {
    if (std::find(season.lineups.begin(), season.lineups.begin() + static_cast<long>(i),
                  season.lineups[i]) != season.lineups.begin() + static_cast<long>(i)) {
      return Error{"line-up \"" + season.lineups[i] + "\" is named twice"};
    }
  }
  if (season.lineups.size() < 2 || season.lineups.size() > 64) {
    return Error{"a season takes 2 to 64 line-ups"};
  }
  if (request.fixtureList) {
    Result<std::vector<Fixture>> fixtures = ParseFixtureList(*request.fixtureList, season.lineups);
    if (!fixtures) return Error{fixtures.error()};
    season.fixtures = std::move(fixtures.value());
  } else {
    season.fixtures = DoubleRoundRobin(static_cast<int>(season.lineups.size()));
  }
  // Every line-up must be in the database, and the competition must be one of two teams.
  const int n = static_cast<int>(season.lineups.size());
  for (int i = 0; i < n; ++i) {
    const Result<Meeting> meeting = SetUpFixture(season, Fixture{1, 1, i, (i + 1) % n});
    if (!meeting) return Error{meeting.error()};
  }
  return season;
}

Status PlayFixtures(SeasonFile& file, int count,
                    const std::function<void(const Fixture&, const FixtureResult&)>& raced) {
  for (int i = 0; i < count; ++i) {
    const Fixture* next = file.season().NextFixture();
    if (next == nullptr) break;
    const Fixture fixture = *next;
    const Result<FixtureResult> result = RaceFixture(file.season(), fixture);
    if (!result) return Error{result.error()};
    const Status stored = file.AddResult(result.value());
    if (!stored) return stored;
    if (raced) raced(fixture, result.value());
  }
  return Done{};
}

}  // namespace corvane
