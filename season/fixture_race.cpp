#include "season/fixture_race.h"

#include <string_view>

#include "cli/meeting_inputs.h"
#include "engine/io/text_encoding.h"
#include "engine/race/random_source.h"
#include "report/results_report.h"
#include "statistics/meeting_tally.h"
#include "statistics/silent_host.h"

namespace corvane {

namespace {

// A line-up's name within a file name. Characters some system refuses in a file name become
// "_"; a long name is cut where a character starts, so UTF-8 stays whole.
std::string FileNamePart(std::string_view name) {
  constexpr std::size_t kMaxBytes = 60;
  constexpr std::string_view kRefused = "/\\:*?\"<>|";
  std::string out;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (out.size() >= kMaxBytes && (byte & 0xC0) != 0x80) break;
    const bool refused = byte < 0x20 || byte == 0x7F || kRefused.find(c) != std::string_view::npos;
    out += refused ? '_' : c;
  }
  while (!out.empty() && (out.back() == ' ' || out.back() == '.')) out.pop_back();
  return out.empty() ? "_" : out;
}

}  // namespace

std::string FixtureMeetingFileName(const Season& season, const Fixture& fixture) {
  const auto name = [&season](int lineup) {
    const bool known = lineup >= 0 && lineup < static_cast<int>(season.lineups.size());
    return FileNamePart(known ? season.lineups[static_cast<std::size_t>(lineup)] : "");
  };
  return "Fixture " + std::to_string(fixture.number) + " " + name(fixture.home) + " v " +
         name(fixture.away) + ".mtg";
}

std::uint64_t FixtureSeed(const Season& season, int fixtureNumber) {
  return RunSeed(season.seed, fixtureNumber);
}

Result<Meeting> SetUpFixture(const Season& season, const Fixture& fixture) {
  const int n = static_cast<int>(season.lineups.size());
  if (fixture.home < 0 || fixture.home >= n || fixture.away < 0 || fixture.away >= n) {
    return Error{"Fixture " + std::to_string(fixture.number) + " names no line-up of the season"};
  }
  RunOptions options;
  options.competition = season.competition;
  options.teams = {season.lineups[static_cast<std::size_t>(fixture.home)],
                   season.lineups[static_cast<std::size_t>(fixture.away)]};
  options.date = "Round " + std::to_string(fixture.round);
  MeetingInputs inputs;
  inputs.competition.fileName = season.competition;
  inputs.competition.caption = ValidUtf8(season.competition);
  inputs.database = season.database;
  Pcg32Random random(FixtureSeed(season, fixture.number));
  Result<Meeting> meeting = SetUpCommandLineMeeting(options, inputs, random);
  if (meeting && meeting.value().NumTeams != 2) {
    return Error{"The competition is not a meeting of two teams: " + season.competition};
  }
  return meeting;
}

FixtureResult ResultOfMeeting(const Fixture& fixture, const Meeting& m) {
  FixtureResult result;
  result.fixture = fixture.number;
  result.homeScore = m.GroupPoints[1];
  result.awayScore = m.GroupPoints[2];
  result.report = WriteResults(m);
  std::erase(result.report, '\r');
  for (int group = 1; group <= 2; ++group) {
    for (int rider = 1; rider <= m.NumRiders; ++rider) {
      const int slot = RiderSlot(m, group, rider);
      if (!IsSlot(slot)) continue;
      const auto s = static_cast<std::size_t>(slot);
      if (m.RiderName[s].empty()) continue;
      RiderRides rides;
      rides.lineup = group == 1 ? fixture.home : fixture.away;
      rides.rider = m.RiderName[s];
      rides.rides = m.RidesTaken[s];
      rides.points = m.RiderPoints[s];
      rides.bonus = m.RiderBonus[s];
      result.riders.push_back(std::move(rides));
    }
  }
  return result;
}

Result<FixtureResult> RaceFixture(const Season& season, const Fixture& fixture) {
  const Result<Meeting> setUp = SetUpFixture(season, fixture);
  if (!setUp) return Error{setUp.error()};
  Meeting meeting;
  SilentHost host;
  RaceCopy(meeting, setUp.value(), Preferences{}, FixtureSeed(season, fixture.number) + 1, host);
  if (meeting.MeetingState != kMeetingOver) {
    return Error{"Fixture " + std::to_string(fixture.number) + " did not come to an end"};
  }
  return ResultOfMeeting(fixture, meeting);
}

}  // namespace corvane
