#include "report/report_ranking.h"

#include <algorithm>
#include <span>
#include <utility>

namespace corvane {

namespace {

// Repeated passes over adjacent pairs until one makes no swap: a stable sort, so records that
// rank equal keep the order they had.
template <class RanksHigher>
void SortByPasses(std::span<int> items, RanksHigher ranksHigher) {
  bool swapped = true;
  while (swapped) {
    swapped = false;
    for (std::size_t k = 0; k + 1 < items.size(); ++k) {
      if (ranksHigher(items[k + 1], items[k])) {
        std::swap(items[k], items[k + 1]);
        swapped = true;
      }
    }
  }
}

// Larger total first; on equal totals the first place count that differs decides.
bool RanksHigher(int totalA, const PlaceCountTable& countsA, int totalB,
                 const PlaceCountTable& countsB) {
  if (totalA != totalB) return totalA > totalB;
  for (int c = 0; c < kPlaceClasses; ++c) {
    const auto i = static_cast<std::size_t>(c);
    if (countsA[i] != countsB[i]) return countsA[i] > countsB[i];
  }
  return false;
}

void RankRiders(const Meeting& m, ReportOrder& order) {
  const int groups = std::min<int>(m.NumGroups, kMaxGroups);
  const bool reservesAtEnd = m.NumGroups == 1 && m.ResMode == 2;
  const int ranked = std::min(m.NumRiders - (reservesAtEnd ? m.NumReserves : 0), int{m.NumRiders});
  const auto higher = [&m](int a, int b) {
    const auto sa = static_cast<std::size_t>(a);
    const auto sb = static_cast<std::size_t>(b);
    return RanksHigher(m.RiderPoints[sa] + m.RiderBonus[sa], m.PlaceCounts[sa],
                       m.RiderPoints[sb] + m.RiderBonus[sb], m.PlaceCounts[sb]);
  };
  for (int g = 1; g <= groups; ++g) {
    // Positions of the group that exist among the 40 slots.
    const int first = (g - 1) * m.NumRiders + 1;
    const int last = std::min((g - 1) * m.NumRiders + ranked, kMaxSlots);
    if (first < 1 || last <= first) continue;
    SortByPasses(
        std::span<int>(order.rider)
            .subspan(static_cast<std::size_t>(first), static_cast<std::size_t>(last - first + 1)),
        higher);
  }
}

void RankTeams(const Meeting& m, ReportOrder& order) {
  const int teams = std::min<int>(m.NumTeams, kMaxGroups);
  const auto higher = [&m](int a, int b) {
    const auto ga = static_cast<std::size_t>(a);
    const auto gb = static_cast<std::size_t>(b);
    return RanksHigher(m.GroupPoints[ga], m.GroupPlaceCounts[ga], m.GroupPoints[gb],
                       m.GroupPlaceCounts[gb]);
  };
  SortByPasses(std::span<int>(order.group).subspan(1, static_cast<std::size_t>(teams)), higher);
}

}  // namespace

ReportOrder RankForReport(const Meeting& m) {
  ReportOrder order;
  for (int s = 0; s <= kMaxSlots; ++s) order.rider[static_cast<std::size_t>(s)] = s;
  for (int g = 0; g <= kMaxGroups; ++g) order.group[static_cast<std::size_t>(g)] = g;
  if (m.NumTeams == 1) {
    RankRiders(m, order);
  } else if (m.NumTeams > 2) {
    RankTeams(m, order);
  }
  return order;
}

}  // namespace corvane
