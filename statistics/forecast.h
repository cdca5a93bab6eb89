// Who wins from here: the rest of a meeting, as it stands, raced many times under computer
// control, and the chances that come of it.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/records/meeting.h"

namespace corvane {

struct ForecastSettings {
  long runs = 10000;
  int threads = 0;  // 0: every core
  std::uint64_t seed = 1;
  const std::atomic<bool>* cancel = nullptr;  // set: stop before the next run
};

struct TeamForecast {
  int group = 0;
  std::string name;       // UTF-8
  int points = 0;         // as the meeting stands
  double winChance = 0;   // of finishing first outright (0..1)
  double expected = 0;    // final score
  int low = 0, high = 0;  // 10th and 90th percentile of the final score
};

struct RiderForecast {
  int slot = 0;
  std::string name;  // UTF-8
  int points = 0;    // points and bonus as the meeting stands
  double winChance = 0, topThreeChance = 0, finalChance = 0;
  double expected = 0;  // final points and bonus
};

struct MarginRuns {
  int margin = 0;  // the first team's final score less the second's
  long runs = 0;
};

struct Forecast {
  bool cancelled = false;  // stopped before all its runs; the figures mean nothing
  bool decided = false;    // the meeting is over: nothing can change
  bool teamMeeting = false;
  bool playerSteered = false;  // a player steers a team; the forecast steers it as the computer
  bool hasFinal = false;       // the programme ends with a final
  long runs = 0;
  int heatsRun = 0;
  double drawChance = 0;              // two-team meetings
  std::vector<TeamForecast> teams;    // team meetings, in team order
  std::vector<MarginRuns> margins;    // two-team meetings, by margin
  std::vector<RiderForecast> riders;  // individual meetings, most likely winner first
};

// The meeting as the forecast races it: a copy with every team under computer control, left
// where the runner would carry on. A meeting stopped for the player (waiting at a heat line)
// carries on from that line.
Meeting ComputerSteeredCopy(const Meeting& m);

// A meeting the computer steers runs on from heat to heat without stopping. Caught as a heat's
// summary line is shown, it is left where the runner carries on after that heat: the copy this
// returns is the meeting as it stands after the heat, to forecast from. Nothing is returned
// where the runner's next step is not a plain next line (runoffs, support competition, the
// programme's last line, a meeting a player steers): those points are seen when it stops.
std::optional<Meeting> MeetingAfterHeat(const Meeting& m);

// The programme line of the meeting's final: its last heat line when that is titled a final
// (not a semi-final); 0 when there is none.
int FinalLine(const Meeting& m);

// Races the rest of the meeting `settings.runs` times from `m` as it stands, each run seeded
// from the seed and its number, and sums the outcomes. The same seed gives the same forecast
// on any number of threads.
Forecast ForecastMeeting(const Meeting& m, const ForecastSettings& settings);

// Whether there is anything to forecast: scratch racing and meetings not yet started have not.
bool HasForecast(const Meeting& m);

}  // namespace corvane
