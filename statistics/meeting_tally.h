// Many runs of one meeting: each raced from a copy under computer control with its own seed, and
// their outcomes summed as team and rider points and placings.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <vector>

#include "engine/records/meeting.h"
#include "engine/records/preferences.h"

namespace corvane {

// Sums over the runs, kept in whole numbers so that the same runs give the same sums however
// they were split between threads.
struct MeetingTally {
  long runs = 0;
  GroupArray<long long> teamPoints{};
  GroupArray<long long> teamPointsSquared{};
  GroupArray<std::array<long, kMaxGroups + 2>> teamPlaces{};  // [team][place 1..9]
  long draws = 0;                                             // two-team meetings
  SlotArray<long long> riderPoints{};
  SlotArray<long long> riderBonus{};
  SlotArray<std::array<long, 4>> riderPlaces{};  // [slot][place 1..3] within his group
  // Final team scores and two-team margins (A less B) by value, for ranges and distributions;
  // scores are clamped to +-kMaxTalliedPoints.
  static constexpr int kMaxTalliedPoints = 999;
  GroupArray<std::vector<long>> teamScoreRuns{};  // [team][points + kMaxTalliedPoints]
  std::vector<long> marginRuns;                   // [margin + kMaxTalliedPoints]
  // The programme line of the final, when the caller wants to know who reached it (0: not).
  int finalLine = 0;
  SlotArray<long> riderFinals{};
  // Who wins the competition and who gets how far: the teams of the programme's last stage and
  // of each stage after the first (set before the runs), the teams a team transfer fills, and
  // each line-up's wins and the stages it rode, counted under the team it started as. The
  // points of a rider copied into a later stage are counted under his own slot.
  std::vector<int> lastStage;
  std::vector<std::vector<int>> laterStages;
  GroupArray<bool> filledByTransfer{};
  GroupArray<long> competitionWins{};
  std::vector<GroupArray<long>> reachedStage;  // [later stage][team]

  void Add(const Meeting& m);
  void Merge(const MeetingTally& other);

 private:
  static void CountValue(std::vector<long>& runsByValue, int value);
  void CountFinalists(const Meeting& m);
  int StartingTeam(const Meeting& m, int group) const;
  // The slot of the rider a team transfer copied into `slot`, a slot of a filled team.
  int StartingSlot(const Meeting& m, int slot) const;
};

// The smallest value (score or margin) that at least `share` of the runs stayed at or below,
// from runs counted by value as MeetingTally counts them.
int Percentile(const std::vector<long>& runsByValue, long runs, double share);

// The seed of run `run` of a series started with `seed`.
std::uint64_t RunSeed(std::uint64_t seed, long run);

class MeetingHost;

// Races a copy of the set-up meeting to its end under computer control, into `work`: the
// starting grid drawn afresh when the preference is random and no heat has been run, the random
// source seeded with `seed`.
void RaceCopy(Meeting& work, const Meeting& setUp, const Preferences& prefs, std::uint64_t seed,
              MeetingHost& host);

// Races copies of the set-up meeting `runs` times on `threads` threads (0: every core) and sums
// their outcomes. `done` counts finished runs for a progress display. Once `cancel` is set, no
// further run starts: the tally holds the runs finished by then. A tally started with
// `finalLine` set counts who reached that line's heat.
MeetingTally RunMeetings(const Meeting& setUp, const Preferences& prefs, std::uint64_t seed,
                         long runs, int threads, std::atomic<long>& done,
                         const std::atomic<bool>* cancel = nullptr, int finalLine = 0);

}  // namespace corvane
