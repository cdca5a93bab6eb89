// Many runs of one meeting: each raced from a copy under computer control with its own seed, and
// their outcomes summed as team and rider points and placings.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

#include "engine/meeting.h"
#include "engine/preferences.h"

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

  void Add(const Meeting& m);
  void Merge(const MeetingTally& other);
};

// The seed of run `run` of a series started with `seed`.
std::uint64_t RunSeed(std::uint64_t seed, long run);

class MeetingHost;

// Races a copy of the set-up meeting to its end under computer control, into `work`: the
// starting grid drawn afresh when the preference is random, the random source seeded with
// `seed`.
void RaceCopy(Meeting& work, const Meeting& setUp, const Preferences& prefs, std::uint64_t seed,
              MeetingHost& host);

// Races copies of the set-up meeting `runs` times on `threads` threads (0: every core) and sums
// their outcomes. `done` counts finished runs for a progress display.
MeetingTally RunMeetings(const Meeting& setUp, const Preferences& prefs, std::uint64_t seed,
                         long runs, int threads, std::atomic<long>& done);

}  // namespace corvane
