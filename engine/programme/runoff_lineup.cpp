#include "engine/programme/runoff_lineup.h"

#include <algorithm>

#include "engine/race/random_source.h"

namespace corvane {

namespace {

// A source that keeps repeating itself must not hold the meeting up: after this many draws for
// one gate the lowest free place is taken.
inline constexpr int kMaxGateDraws = 10000;

int PlacesOf(const Meeting& m) {
  return std::clamp<int>(m.HeatRiders, 0, kMaxEntries);
}

// The rider representing standings position p: the rider at p in an individual meeting, the
// leading scorer of the team at p in a team meeting.
int Participant(const Meeting& m, int p) {
  int position = p;
  if (m.NumTeams > 1) {
    if (!IsGroup(p)) return 0;
    const int group = m.GroupOrder[static_cast<std::size_t>(p)];
    if (!IsGroup(group)) return 0;
    position = RiderSlot(m, group, 1);
  }
  if (!IsSlot(position)) return 0;
  const int slot = m.ScoreOrder[static_cast<std::size_t>(position)];
  return IsSlot(slot) ? slot : 0;
}

int RecordedRiders(const Meeting& m, int heat) {
  if (heat < 1 || heat > kMaxHeats) return 0;
  return std::clamp<int>(m.HeatResults[static_cast<std::size_t>(heat)][0][2], 0, kMaxEntries);
}

// The rider ranked `entry`-th in `heat`.
int RankedRider(const Meeting& m, int heat, int entry) {
  if (heat < 1 || heat > kMaxHeats || entry < 1 || entry > kMaxEntries) return 0;
  const int slot =
      m.HeatResults[static_cast<std::size_t>(heat)][static_cast<std::size_t>(entry)][1];
  return IsSlot(slot) ? slot : 0;
}

// Puts participants, in turn, on the places the gates give them.
class LineupFiller {
 public:
  LineupFiller(Meeting& m, const RunoffGates& gates) : m_(m), gates_(gates) {}

  void Add(int slot) {
    ++count_;
    if (count_ > PlacesOf(m_)) return;  // no place left for him
    const int place = gates_[static_cast<std::size_t>(count_)];
    if (place < 1 || place > kMaxEntries) return;
    auto& row = m_.HeatGrid[static_cast<std::size_t>(place)];
    row[1] = static_cast<Integer>(slot);
    // A team's representative is named by standing, so a replacement follows the team's order.
    if (m_.NumTeams > 1) row[2] = 1;
  }

  int Count() const { return count_; }

 private:
  Meeting& m_;
  const RunoffGates& gates_;
  int count_ = 0;
};

}  // namespace

RunoffGates DrawRunoffGates(int places, RandomSource& random) {
  RunoffGates gates{};
  places = std::clamp(places, 0, kMaxEntries);
  std::array<bool, kMaxEntries + 2> taken{};
  for (int k = 1; k <= places; ++k) {
    int gate = 0;
    for (int draw = 0; draw < kMaxGateDraws && gate == 0; ++draw) {
      const int g = IntFloor(static_cast<double>(random.Next()) * places + 1);
      if (g >= 1 && g <= places && !taken[static_cast<std::size_t>(g)]) gate = g;
    }
    for (int g = 1; gate == 0 && g <= places; ++g) {
      if (!taken[static_cast<std::size_t>(g)]) gate = g;
    }
    taken[static_cast<std::size_t>(gate)] = true;
    gates[static_cast<std::size_t>(k)] = gate;
  }
  return gates;
}

void PlaceRunoffLineup(Meeting& m, const RunoffGates& gates) {
  const int row = m.RunoffsPending;
  if (row < 1 || row >= static_cast<int>(m.RunoffTable.size())) return;
  const int first = m.RunoffTable[static_cast<std::size_t>(row)][1];
  const int size = m.RunoffTable[static_cast<std::size_t>(row)][2];
  const int lowerPart = size / 2;  // a split block's second heat takes the lower half
  const bool oddHeats = m.HeatRiders % 2 != 0;
  LineupFiller lineup(m, gates);

  switch (m.RunoffStage) {
    case 1: {
      const int count = size <= m.HeatRiders ? size : size - lowerPart;
      for (int k = 0; k < count; ++k) lineup.Add(Participant(m, first + k));
      break;
    }
    case 2:
      for (int p = first + size - lowerPart; p < first + size; ++p) lineup.Add(Participant(m, p));
      break;
    case 3: {
      // The lower halves of the two heats just run; with an odd heat size the first heat's
      // middle rider goes to the final instead.
      const int heat1 = m.HeatCount - 1;
      const int heat2 = m.HeatCount;
      const int n1 = RecordedRiders(m, heat1);
      for (int j = n1 / 2 + (oddHeats ? 2 : 1); j <= n1; ++j) lineup.Add(RankedRider(m, heat1, j));
      const int n2 = RecordedRiders(m, heat2);
      for (int j = n2 / 2 + 1; j <= n2; ++j) lineup.Add(RankedRider(m, heat2, j));
      break;
    }
    case 4: {
      const int heat1 = m.HeatCount - 2;
      const int heat2 = m.HeatCount - 1;
      const int heat3 = m.HeatCount;
      const int n1 = RecordedRiders(m, heat1);
      for (int j = 1; j <= n1 / 2 + (oddHeats ? 1 : 0); ++j) lineup.Add(RankedRider(m, heat1, j));
      const int n2 = RecordedRiders(m, heat2);
      for (int j = 1; j <= n2 / 2; ++j) lineup.Add(RankedRider(m, heat2, j));
      // Top up from the leaders of the lower halves' heat.
      const int missing = m.HeatRiders - lineup.Count();
      for (int j = 1; j <= missing && j <= kMaxEntries; ++j) lineup.Add(RankedRider(m, heat3, j));
      break;
    }
    default:
      break;
  }
}

}  // namespace corvane
