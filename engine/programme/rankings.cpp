#include "engine/programme/rankings.h"

#include <algorithm>
#include <utility>

namespace corvane {

namespace {

int RiderScore(const Meeting& m, int slot) {
  if (!IsSlot(slot)) return 0;
  const auto s = static_cast<std::size_t>(slot);
  return m.RiderPoints[s] + m.RiderBonus[s];
}

// Compares two count tables class by class: positive when `a` is better at the first class
// where they differ, negative when `b` is, 0 when all are equal.
int ComparePlaceCounts(const PlaceCountTable& a, const PlaceCountTable& b) {
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (a[k] != b[k]) return a[k] > b[k] ? 1 : -1;
  }
  return 0;
}

// True when the rider in slot `lower` (standing below) ranks strictly above `upper`.
bool RiderRanksAbove(const Meeting& m, int lower, int upper) {
  const int lowerScore = RiderScore(m, lower);
  const int upperScore = RiderScore(m, upper);
  if (lowerScore != upperScore) return lowerScore > upperScore;
  if (!IsSlot(lower) || !IsSlot(upper)) return false;
  const auto l = static_cast<std::size_t>(lower);
  const auto u = static_cast<std::size_t>(upper);
  if (m.NumTeams < 2) return ComparePlaceCounts(m.PlaceCounts[l], m.PlaceCounts[u]) > 0;
  return m.RiderAverage[l] > m.RiderAverage[u];
}

bool TeamRanksAbove(const Meeting& m, int lower, int upper) {
  if (!IsGroup(lower) || !IsGroup(upper)) return false;
  const auto l = static_cast<std::size_t>(lower);
  const auto u = static_cast<std::size_t>(upper);
  if (m.GroupPoints[l] != m.GroupPoints[u]) return m.GroupPoints[l] > m.GroupPoints[u];
  return ComparePlaceCounts(m.GroupPlaceCounts[l], m.GroupPlaceCounts[u]) > 0;
}

// Repeated passes over neighbouring positions, swapping when the lower one ranks above the
// upper one, until a pass swaps nothing. Only strict preferences swap, so ties keep their
// order and the passes end.
template <class Order, class RanksAbove>
void BubbleRank(Order& order, int first, int last, RanksAbove ranksAbove) {
  bool swapped = true;
  while (swapped) {
    swapped = false;
    for (int k = first; k < last; ++k) {
      auto& upper = order[static_cast<std::size_t>(k)];
      auto& lower = order[static_cast<std::size_t>(k + 1)];
      if (ranksAbove(lower, upper)) {
        std::swap(upper, lower);
        swapped = true;
      }
    }
  }
}

}  // namespace

int RankedRiders(const Meeting& m) {
  const bool reservesApart = m.ResMode == 0 || (m.NumGroups == 1 && m.ResMode == 2);
  return m.NumRiders - (reservesApart ? m.NumReserves : 0) - m.RdrRepSlot;
}

void RankRiderScores(Meeting& m) {
  const int ranked = RankedRiders(m);
  const int groups = std::min<int>(m.NumGroups, kMaxGroups);
  for (int g = 1; g <= groups; ++g) {
    // A group's positions lie inside the slot range whatever the records say.
    const int first = std::max(RiderSlot(m, g, 1), 1);
    const int last = std::min(RiderSlot(m, g, ranked), kMaxSlots);
    BubbleRank(m.ScoreOrder, first, last,
               [&m](int lower, int upper) { return RiderRanksAbove(m, lower, upper); });
  }
}

void RankTeamScores(Meeting& m) {
  const int last = std::min<int>(m.NumTeams, kMaxGroups);
  BubbleRank(m.GroupOrder, 1, last,
             [&m](int lower, int upper) { return TeamRanksAbove(m, lower, upper); });
}

}  // namespace corvane
