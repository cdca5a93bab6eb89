// Soak: whole meetings of every bundled competition with random seeds, preferences and line-ups,
// each run once straight through and once stopped at a random heat, suspended to a meeting file,
// resumed from it and run on. Every invariant of the meeting is checked after every heat and at
// the end, and the resumed meeting must end exactly as the one never stopped.
//
//   corvane_soak [--player] [--meetings N] [--seed S] [--competition NAME.cfg]
//
// With --player some of the line-ups are steered by a scripted player through the heat manager,
// the meeting goes on one Continue at a time (and must end within a bounded number of them),
// scratch races may follow it, and competitions made awkward on purpose join the bundled ones.
//
// N defaults to CORVANE_SOAK_MEETINGS, or 1000. Meeting k uses seed S + k and competition k
// (in turn), so a failure is repeated by its competition and seed with --meetings 1.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "engine/race/random_source.h"
#include "soak/awkward_competitions.h"
#include "soak/scripted_player.h"
#include "support/test_files.h"
#include "support/whole_meeting.h"

namespace {

using namespace corvane;
using namespace corvane::testing;

struct Options {
  long meetings = 1000;
  std::uint64_t seed = 1;
  std::string competition;
  bool player = false;
};

struct Tally {
  long meetings = 0;
  long heats = 0;
  long runoffHeats = 0;
  long suspended = 0;
  long continues = 0;
};

// Preferences, line-ups and absences drawn for one meeting.
MeetingChoices DrawChoices(std::uint64_t seed, bool player) {
  Pcg32Random draw(seed, 0x5eed);
  MeetingChoices choices;
  choices.seed = seed;
  choices.lineupPick = draw.NextBits() % 8;
  choices.prefs.PrefTeamScoring = static_cast<Integer>(draw.NextBits() % 4 == 0);
  choices.prefs.PrefHomeAdvantage = static_cast<Integer>(draw.NextBits() % 2);
  choices.prefs.PrefStartGrid = static_cast<Integer>(draw.NextBits() % 4);
  if (draw.NextBits() % 4 == 0) choices.replacedRider = static_cast<int>(draw.NextBits() % 5 + 1);
  if (draw.NextBits() % 4 == 0) choices.absentRider = static_cast<int>(draw.NextBits() % 40 + 1);
  if (player) {
    choices.player = PlayHeat;
    choices.playerGroups = (draw.NextBits() % 1023u) | 2u;  // line-up A and any others
    choices.scratchRaces = static_cast<int>(draw.NextBits() % 3);
  }
  return choices;
}

// Runs the meeting straight through and once stopped at a random heat after `stop(heats)`
// chosen by a draw; both must end alike.
template <class Run>
std::vector<std::string> WholeAndStopped(const Run& run, std::uint64_t stopSeed, Tally& tally) {
  FinishedMeeting whole = run(-1);
  ++tally.meetings;
  tally.heats += whole.meeting.HeatCount;
  tally.runoffHeats += whole.runoffHeats;
  tally.continues += whole.continues;
  if (whole.meeting.HeatCount < 2) return whole.faults;
  const int stop = 1 + static_cast<int>(Pcg32Random(stopSeed, 0x570f).NextBits() %
                                        static_cast<unsigned>(whole.meeting.HeatCount - 1));
  const FinishedMeeting stopped = run(stop);
  tally.suspended += stopped.suspended ? 1 : 0;
  whole.faults.insert(whole.faults.end(), stopped.faults.begin(), stopped.faults.end());
  if (stopped.report != whole.report) {
    whole.faults.push_back("stopped after heat " + std::to_string(stop) + ", it ended differently");
  }
  return whole.faults;
}

// Scratch racing with none to nine riders entered and one to eight races.
constexpr const char* kScratchRacing = "scratch-racing";

std::vector<std::string> SoakOne(const std::string& competition, std::uint64_t seed, bool player,
                                 Tally& tally) {
  const MeetingChoices choices = DrawChoices(seed, player);
  if (competition == kScratchRacing) {
    Pcg32Random draw(choices.seed, 0x5c7a);
    const int riders = static_cast<int>(draw.NextBits() % 10);
    const int races = 1 + static_cast<int>(draw.NextBits() % 8);
    return WholeAndStopped(
        [&](int stop) { return RunScratchMeeting(choices, riders, races, stop); }, seed, tally);
  }
  return WholeAndStopped([&](int stop) { return RunWholeMeeting(competition, choices, stop); },
                         seed, tally);
}

bool ReadOptions(int argc, char** argv, Options& options) {
  if (const char* env = std::getenv("CORVANE_SOAK_MEETINGS")) options.meetings = std::atol(env);
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--player") {
      options.player = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    if (arg == "--meetings") {
      options.meetings = std::atol(value.c_str());
    } else if (arg == "--seed") {
      options.seed = std::strtoull(value.c_str(), nullptr, 10);
    } else if (arg == "--competition") {
      options.competition = value;
    } else {
      return false;
    }
  }
  return options.meetings >= 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ReadOptions(argc, argv, options)) {
    std::cerr << "usage: corvane_soak [--player] [--meetings N] [--seed S] [--competition "
                 "NAME.cfg]\n";
    return 2;
  }
  std::vector<std::string> competitions = BundledCompetitions();
  const TempFolder awkward("soak");
  if (options.player) {
    for (const auto& path : WriteAwkwardCompetitions(awkward.path())) competitions.push_back(path);
    competitions.push_back(kScratchRacing);
  }
  if (!options.competition.empty()) {
    std::vector<std::string> chosen;
    for (const std::string& c : competitions) {
      if (std::filesystem::path(c).filename() == options.competition) chosen.push_back(c);
    }
    competitions = chosen.empty() ? std::vector{options.competition} : chosen;
  }
  if (competitions.empty() || BundledRiderDatabase().empty()) {
    std::cerr << "corvane_soak: no bundled competitions or rider database\n";
    return 2;
  }

  const auto start = std::chrono::steady_clock::now();
  std::map<std::string, Tally> tallies;
  long failed = 0;
  for (long k = 0; k < options.meetings; ++k) {
    const std::string& competition =
        competitions[static_cast<std::size_t>(k) % competitions.size()];
    const std::uint64_t seed = options.seed + static_cast<std::uint64_t>(k);
    const std::string name = std::filesystem::path(competition).filename().string();
    const std::vector<std::string> faults =
        SoakOne(competition, seed, options.player, tallies[name]);
    if (faults.empty()) continue;
    if (++failed <= 10) {
      std::cerr << name << " seed " << seed << (options.player ? " (--player)" : "") << ":\n";
      for (const std::string& fault : faults) std::cerr << "  " << fault << '\n';
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  for (const auto& [competition, tally] : tallies) {
    std::cout << competition << ": " << tally.meetings << " meetings, " << tally.heats << " heats, "
              << tally.runoffHeats << " runoff heats, " << tally.suspended
              << " suspended and resumed";
    if (options.player) std::cout << ", " << tally.continues << " Continues";
    std::cout << '\n';
  }
  std::cout << options.meetings << " meetings from seed " << options.seed << " in " << seconds
            << " s, " << failed << " with faults\n";
  return failed == 0 ? 0 : 1;
}
