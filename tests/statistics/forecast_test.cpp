// The forecast from any point of a meeting: fair for a fair match, certain for a finished one,
// the same on any number of threads and across a suspend and resume.
#include "statistics/forecast.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "cli/command_line_host.h"
#include "cli/meeting_inputs.h"
#include "engine/programme/meeting_runner.h"
#include "report/meeting_file.h"
#include "support/test_files.h"

namespace corvane {
namespace {

Meeting BundledMeeting(const std::string& competition, std::vector<std::string> teams = {},
                       Integer startGrid = 0) {
  RunOptions options;
  options.competition = competition.find('/') != std::string::npos
                            ? competition
                            : std::string(CORVANE_SOURCE_DIR) + "/Scripts/" + competition;
  options.date = "07/12/26";
  options.teams = std::move(teams);
  options.prefs.PrefStartGrid = startGrid;
  const auto inputs = ReadMeetingInputs(options, CORVANE_SOURCE_DIR);
  EXPECT_TRUE(inputs.ok());
  Pcg32Random random(5);
  auto meeting = SetUpCommandLineMeeting(options, inputs.value(), random);
  EXPECT_TRUE(meeting.ok()) << meeting.error();
  return meeting.value();
}

// Runs the meeting on until `heats` heats have been run (-1: to its end), as a player stopping
// in the heat manager would leave it.
void RunUntil(Meeting& m, int heats, std::uint64_t seed = 9) {
  CommandLineHost host(m);
  host.stopAfterHeats = heats;
  Pcg32Random random(seed);
  for (int step = 0; step < 400 && m.MeetingState != kMeetingOver && !host.StopReached(); ++step) {
    RunProgramme(m, host, random);
  }
}

Forecast Race(const Meeting& m, long runs, int threads, std::uint64_t seed = 3) {
  ForecastSettings settings;
  settings.runs = runs;
  settings.threads = threads;
  settings.seed = seed;
  return ForecastMeeting(m, settings);
}

// Every figure of a forecast, in one list to compare.
std::vector<double> Figures(const Forecast& f) {
  std::vector<double> all{f.drawChance};
  for (const TeamForecast& t : f.teams)
    all.insert(all.end(), {t.winChance, t.expected, 0.0 + t.low, 0.0 + t.high});
  for (const MarginRuns& bin : f.margins) all.insert(all.end(), {0.0 + bin.margin, 0.0 + bin.runs});
  return all;
}

void ExpectSame(const Forecast& a, const Forecast& b) {
  EXPECT_EQ(Figures(a), Figures(b));
}

TEST(Forecast, ASymmetricMatchIsEvenBeforeTheFirstHeat) {
  // The same line-up twice, no home advantage, every gate equal, and every heat mirrored.
  const testing::TempFolder folder("forecast");
  const auto file = folder.path() / "mirror-match.cfg";
  std::ofstream(file) << "Competition~Mirror Match\nNUMTEAMS=2\nNUMGROUPS=2\nNUMRIDERS=7\n"
                         "MAXRIDES=4,4\nCOMPID=LGE\n1:A1,B1,A2,B2\n2:B1,A1,B2,A2\n"
                         "3:A3,B3,A4,B4\n4:B3,A3,B4,A4\n5:A1,B3,A2,B4\n6:B1,A3,B2,A4\n";
  const Meeting m = BundledMeeting(file.string(), {"Harbour Herons", "Harbour Herons"}, 3);
  const Forecast f = Race(m, 20000, 2);
  ASSERT_EQ(f.teams.size(), 2u);
  EXPECT_FALSE(f.decided);
  const double decisive = 1.0 - f.drawChance;
  ASSERT_GT(decisive, 0.5);
  // Of the meetings somebody won, each side won half, within three standard errors.
  const double n = decisive * static_cast<double>(f.runs);
  const double share = f.teams[0].winChance / decisive;
  EXPECT_NEAR(share, 0.5, 3 * std::sqrt(0.25 / n));
  EXPECT_NEAR(f.teams[0].expected, f.teams[1].expected, 0.5);
  long margins = 0;
  for (const MarginRuns& bin : f.margins) margins += bin.runs;
  EXPECT_EQ(margins, f.runs);
  EXPECT_LE(f.teams[0].low, f.teams[0].expected);
  EXPECT_GE(f.teams[0].high, f.teams[0].expected);
}

TEST(Forecast, AFinishedMeetingIsDecidedAndNoRunChangesIt) {
  for (const char* competition : {"league-match.cfg", "four-team-tournament.cfg"}) {
    Meeting m = BundledMeeting(competition);
    RunUntil(m, -1);
    ASSERT_EQ(m.MeetingState, kMeetingOver) << competition;
    const Forecast f = Race(m, 500, 2);
    EXPECT_TRUE(f.decided) << competition;
    double chances = f.drawChance;
    for (const TeamForecast& team : f.teams) {
      EXPECT_TRUE(team.winChance == 0.0 || team.winChance == 1.0) << competition;
      EXPECT_EQ(team.expected, team.points) << competition;
      EXPECT_EQ(team.low, team.points) << competition;
      EXPECT_EQ(team.high, team.points) << competition;
      chances += team.winChance;
    }
    EXPECT_EQ(chances, 1.0) << competition;
  }
}

TEST(Forecast, TheSameOnOneOrTwoThreadsAndAcrossSuspendAndResume) {
  Meeting m = BundledMeeting("league-match.cfg");
  RunUntil(m, 5);
  ASSERT_EQ(m.HeatCount, 5);
  const Forecast one = Race(m, 3000, 1);
  ExpectSame(one, Race(m, 3000, 2));
  ExpectSame(one, Race(m, 3000, 7));

  const auto bytes = EncodeMeeting(m);
  ASSERT_TRUE(bytes.ok());
  const auto resumed = DecodeMeeting(bytes.value(), m);
  ASSERT_TRUE(resumed.ok()) << resumed.error();
  ExpectSame(one, Race(resumed.value(), 3000, 2));
  EXPECT_NE(one.teams[0].winChance, Race(m, 3000, 2, 4).teams[0].winChance) << "seed matters";
}

// Keeps the meeting as it stands after every heat of a run that does not stop.
class HeatWatcher : public CommandLineHost {
 public:
  explicit HeatWatcher(Meeting& m) : CommandLineHost(m), meeting_(m) {}
  void SetStatusText(std::string_view text) override {
    if (auto after = MeetingAfterHeat(meeting_)) afterHeats.push_back(std::move(*after));
    CommandLineHost::SetStatusText(text);
  }
  std::vector<Meeting> afterHeats;

 private:
  Meeting& meeting_;
};

TEST(Forecast, AMeetingCaughtAfterAHeatForecastsAsOneStoppedThere) {
  Meeting m = BundledMeeting("league-match.cfg");
  Meeting stopped = m;
  HeatWatcher watcher(m);
  Pcg32Random random(9);
  RunProgramme(m, watcher, random);
  ASSERT_EQ(m.MeetingState, kMeetingOver);
  ASSERT_EQ(watcher.afterHeats.size(), 14u);  // not after the last line
  RunUntil(stopped, 6);
  const Meeting& caught = watcher.afterHeats[5];
  EXPECT_EQ(caught.HeatCount, 6);
  ExpectSame(Race(caught, 2000, 2), Race(stopped, 2000, 2));
}

TEST(Forecast, IndividualMeetingsGiveWinnersTopThreeAndFinalists) {
  Meeting m = BundledMeeting("individual-16.cfg");
  ASSERT_GT(FinalLine(m), 0);
  const Forecast before = Race(m, 2000, 2);
  ASSERT_TRUE(before.hasFinal);
  ASSERT_FALSE(before.teamMeeting);
  double wins = 0, topThree = 0, finals = 0;
  for (const RiderForecast& rider : before.riders) {
    wins += rider.winChance;
    topThree += rider.topThreeChance;
    finals += rider.finalChance;
    EXPECT_LE(rider.winChance, rider.topThreeChance);
  }
  EXPECT_NEAR(wins, 1.0, 1e-9);
  EXPECT_NEAR(topThree, 3.0, 1e-9);
  EXPECT_NEAR(finals, 4.0, 1e-9);  // four riders in every final
  EXPECT_GE(before.riders.front().winChance, before.riders.back().winChance);

  RunUntil(m, -1);
  const Forecast after = Race(m, 50, 1);
  EXPECT_TRUE(after.decided);
  EXPECT_EQ(after.riders.front().winChance, 1.0);
  EXPECT_EQ(FinalLine(BundledMeeting("league-match.cfg")), 0);
}

TEST(Forecast, ACancelledForecastStopsAndSaysSo) {
  const Meeting m = BundledMeeting("league-match.cfg");
  std::atomic<bool> cancel{true};
  ForecastSettings settings;
  settings.cancel = &cancel;
  const Forecast f = ForecastMeeting(m, settings);
  EXPECT_TRUE(f.cancelled);
  EXPECT_EQ(f.runs, 0);
}

}  // namespace
}  // namespace corvane
