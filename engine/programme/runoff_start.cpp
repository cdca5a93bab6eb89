#include "engine/programme/runoff_start.h"

#include <algorithm>
#include <optional>

#include "engine/programme/rankings.h"
#include "engine/programme/runoffs.h"

namespace corvane {

namespace {

inline constexpr int kRunoffRows = 3;

// The total that decides standings position q, none when q is no position of the standings:
// team points with the entered extra points in a team meeting, race points alone (bonus points
// do not count) in an individual one.
std::optional<int> StandingTotal(const Meeting& m, int q) {
  if (m.NumTeams > 1) {
    if (q < 1 || q > m.NumTeams || q > kMaxGroups) return std::nullopt;
    const int group = m.GroupOrder[static_cast<std::size_t>(q)];
    if (!IsGroup(group)) return std::nullopt;
    const auto g = static_cast<std::size_t>(group);
    return m.GroupPoints[g] + m.GroupExtra[g];
  }
  if (q < 1 || q > m.NumRiders || q > kMaxSlots) return std::nullopt;
  const int slot = m.ScoreOrder[static_cast<std::size_t>(q)];
  if (!IsSlot(slot)) return std::nullopt;
  return m.RiderPoints[static_cast<std::size_t>(slot)];
}

// How many positions from `position` on, stepping by `step`, are level with `total`.
int LevelRun(const Meeting& m, int position, int step, int total) {
  int count = 0;
  for (int q = position + step;; q += step) {
    const auto other = StandingTotal(m, q);
    if (!other || *other != total) break;
    ++count;
  }
  return count;
}

}  // namespace

void FindRunoffs(Meeting& m) {
  RankTeamScores(m);
  RankRiderScores(m);

  // A runoff takes one heat, or two heats and their play-offs; heats of two riders allow only a
  // pair.
  const int capacity = std::min(m.HeatRiders == 2 ? 2 : 2 * m.HeatRiders, 2 * kMaxEntries);
  const bool individual = m.NumTeams <= 1;
  int position = m.RunoffMode == 3 ? 3 : m.RunoffDepth + 1;
  m.RunoffTable = {};
  int row = 1;
  while (true) {
    int above = 0;
    int below = 0;
    if (const auto total = StandingTotal(m, position)) {
      below = LevelRun(m, position, 1, *total);
      above = LevelRun(m, position, -1, *total);
    }
    const int size = above + below + 1;
    // Below the top three, a block matters to a team only when it reaches across the boundary.
    const bool matters = above > 0 || individual || position <= 3;
    if (size >= 2 && size <= capacity && matters && row <= kRunoffRows) {
      m.RunoffTable[0][0] = static_cast<Integer>(row);
      m.RunoffTable[static_cast<std::size_t>(row)][1] = static_cast<Integer>(position - above);
      m.RunoffTable[static_cast<std::size_t>(row)][2] = static_cast<Integer>(size);
      ++row;
    }
    // Then the top places: position 3 after the minor position, position 2 after position 3,
    // each only when the block just found lies below it.
    const int blockFirst = position - above;
    if (blockFirst > 3 && m.RunoffMode == 4) {
      position = 3;
    } else if (blockFirst > 2 && (m.RunoffMode == 3 || m.RunoffMode == 4)) {
      position = 2;
    } else {
      break;
    }
  }
}

void StartRunoffs(Meeting& m, MeetingHost& host, RandomSource& random) {
  FindRunoffs(m);
  if (m.RunoffTable[0][0] <= 0) return;
  m.RunoffsPending = 1;
  m.RunoffStage = 1;
  // With 40 heats run nothing waits for Continue: the runoffs are given up at once.
  if (m.ControlMode == 0 || m.HeatCount >= kMaxHeats) {
    RunRunoff(m, host, random);
  } else {
    m.MeetingState = kHeatDecided;  // the runner rebuilds the report and waits for Continue
  }
}

}  // namespace corvane
