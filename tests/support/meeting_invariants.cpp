#include "support/whole_meeting.h"

#include <algorithm>
#include <functional>
#include <numeric>
#include <vector>

#include "engine/programme/rankings.h"
#include "report/report_ranking.h"

namespace corvane::testing {

namespace {

// A broken record usually breaks many checks at once: the first few say enough.
class Faults : public std::vector<std::string> {
 public:
  void Add(std::string text) {
    if (size() < 20) push_back(std::move(text));
  }
};

int PointsOfCode(const Meeting& m, int code) {
  return code >= 0 && code <= kMarkCount ? MarkPoints(m.ProgMarks[At(code)]) : 0;
}

int TeamOf(const Meeting& m, int slot) {
  return IsSlot(slot) ? m.RiderTeam[At(slot)] : 0;
}

void CheckScorecard(const Meeting& m, bool marksFixed, Faults& faults) {
  for (int s = 1; s <= kMaxSlots; ++s) {
    const auto& row = m.Scorecard[At(s)];
    const int rides = m.RidesTaken[At(s)];
    if (rides < 0 || At(rides) >= row.size()) {
      faults.Add("slot " + N(s) + " has " + N(rides) + " rides on a card of " +
                 N(static_cast<long>(row.size()) - 1));
      continue;
    }
    int points = 0;
    for (std::size_t ride = 1; ride < row.size(); ++ride) {
      const bool taken = ride <= At(rides);
      if (!taken && !row[ride].empty()) {
        faults.Add("slot " + N(s) + " has a mark in ride " + N(static_cast<long>(ride)) +
                   " after his " + N(rides) + " rides");
      }
      // With fixed marks every result has a mark; a POINTS command may set empty ones.
      if (taken && marksFixed && row[ride].empty()) {
        faults.Add("slot " + N(s) + " has no mark for ride " + N(static_cast<long>(ride)));
      }
      if (taken) points += MarkPoints(row[ride]);
    }
    if (points != m.RiderPoints[At(s)]) {
      faults.Add("slot " + N(s) + " has " + N(m.RiderPoints[At(s)]) +
                 " points but his marks are worth " + N(points));
    }
  }
}

// Bonus points, team points and the heat score columns, worked out heat by heat from the heat
// records: a finisher directly behind a team-mate (or behind team-mates only) who beat somebody
// is raised to the leading team-mate's points; with bonus points in the team scores the team
// gets the raised points too.
void CheckHeatScores(const Meeting& m, Faults& faults) {
  SlotArray<int> bonus{};
  GroupArray<int> teamPoints{};
  const bool teams = m.NumTeams > 1;
  const int teamSlots = m.NumRiders * m.NumTeams;
  for (int h = 1; h <= m.HeatCount; ++h) {
    if (m.HeatScores[At(h)][0] == 1) continue;  // a heat that did not score
    const HeatRecord& record = m.HeatResults[At(h)];
    std::array<int, kMaxEntries + 1> credited{};  // the code each entry scores for the team
    for (int e = 1; e <= kMaxEntries; ++e) credited[At(e)] = record[At(e)][2];
    if (m.BonusPts > 0) {
      int leader = 1;
      while (leader < kMaxEntries) {
        const int leaderTeam = TeamOf(m, record[At(leader)][1]);
        int next = leader + 1;
        for (; next <= kMaxEntries; ++next) {
          const int rider = record[At(next)][1];
          const int code = record[At(next)][2];
          if (!IsSlot(rider) || TeamOf(m, rider) != leaderTeam || code < 10 || rider > teamSlots) {
            break;
          }
          credited[At(next)] = record[At(leader)][2];
          bonus[At(rider)] += PointsOfCode(m, record[At(leader)][2]) - PointsOfCode(m, code);
        }
        leader = next;
      }
    }
    if (!teams) continue;
    GroupArray<int> heatPoints{};
    for (int e = 1; e <= kMaxEntries; ++e) {
      if (record[At(e)][2] < kRacing) continue;
      const int code = m.BonusPts == 2 ? credited[At(e)] : record[At(e)][2];
      heatPoints[At(TeamOf(m, record[At(e)][1]))] += PointsOfCode(m, code);
    }
    for (int g = 0; g <= kMaxGroups; ++g) teamPoints[At(g)] += heatPoints[At(g)];
    if (m.NumTeams > 4) continue;
    const auto& columns = m.HeatScores[At(h)];
    for (int t = 1; t <= m.NumTeams; ++t) {
      if (columns[At(t)] != teamPoints[At(t)]) {
        faults.Add("heat " + N(h) + " shows team " + N(t) + " on " + N(columns[At(t)]) +
                   " but its heats add up to " + N(teamPoints[At(t)]));
      }
      if (m.NumTeams == 2 && columns[At(t + 2)] != heatPoints[At(t)]) {
        faults.Add("heat " + N(h) + " gives team " + N(t) + " " + N(columns[At(t + 2)]) +
                   " points but its riders scored " + N(heatPoints[At(t)]));
      }
    }
  }
  for (int s = 1; s <= kMaxSlots; ++s) {
    if (bonus[At(s)] != m.RiderBonus[At(s)]) {
      faults.Add("slot " + N(s) + " has " + N(m.RiderBonus[At(s)]) + " bonus points, not " +
                 N(bonus[At(s)]));
    }
  }
  if (!teams) return;
  // With marks of no value for riders who did not finish, a team's points are also its riders'
  // points (and their bonus when it counts for the team).
  bool unplacedScoreNothing = true;
  for (int code = 1; code < kRacing; ++code) unplacedScoreNothing &= PointsOfCode(m, code) == 0;
  const int lastTeam = std::min<int>(m.NumTeams, kMaxGroups);
  for (int t = 1; t <= lastTeam; ++t) {
    if (m.GroupPoints[At(t)] != teamPoints[At(t)]) {
      faults.Add("team " + N(t) + " has " + N(m.GroupPoints[At(t)]) +
                 " points but its heats add up to " + N(teamPoints[At(t)]));
    }
    if (!unplacedScoreNothing) continue;
    int riders = 0;
    for (int s = 1; s <= kMaxSlots; ++s) {
      if (m.RiderTeam[At(s)] != t) continue;
      riders += m.RiderPoints[At(s)] + (m.BonusPts == 2 ? m.RiderBonus[At(s)] : 0);
    }
    if (riders != m.GroupPoints[At(t)]) {
      faults.Add("team " + N(t) + " has " + N(m.GroupPoints[At(t)]) + " points, its riders " +
                 N(riders));
    }
  }
}

bool CountsRankHigher(const PlaceCountTable& a, const PlaceCountTable& b) {
  return std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end());
}

// Checks that order[first..last] is a rearrangement of `before` there and that no entry ranks
// above the one standing before it.
template <class Order>
void CheckOrdered(const std::string& what, const Order& before, const Order& order, int first,
                  int last, const std::function<bool(int, int)>& ranksAbove, Faults& faults) {
  if (first < 1 || last <= first) return;
  std::vector<int> was(before.begin() + first, before.begin() + last + 1);
  std::vector<int> now(order.begin() + first, order.begin() + last + 1);
  std::sort(was.begin(), was.end());
  std::sort(now.begin(), now.end());
  if (was != now) {
    faults.Add(what + ": the ranking lost or repeated an entry");
    return;
  }
  for (int k = first; k < last; ++k) {
    const int upper = order[At(k)];
    const int lower = order[At(k + 1)];
    if (ranksAbove(lower, upper)) {
      faults.Add(what + ": " + N(lower) + " stands below " + N(upper) + " but ranks above him");
    }
  }
}

// The report's column widths are kept as the largest value each column shows: none may be
// larger, or the columns after it slip.
void CheckReportWidths(const Meeting& m, Faults& faults) {
  for (int s = 1; s <= kMaxSlots; ++s) {
    if (m.RiderPoints[At(s)] > m.MaxRiderPoints || m.RiderBonus[At(s)] > m.MaxRiderBonus) {
      faults.Add("slot " + N(s) + " has more points than the report's widths allow");
    }
  }
  for (int h = 1; h <= m.HeatCount && m.NumTeams > 1 && m.NumTeams <= 4; ++h) {
    const auto& columns = m.HeatScores[At(h)];
    if (columns[0] == 1) continue;  // no score columns
    for (int t = 1; t <= m.NumTeams; ++t) {
      if (columns[At(t)] > m.MaxGroupTotal) faults.Add("heat " + N(h) + " total over the width");
    }
    if (m.NumTeams == 2 && std::max(columns[3], columns[4]) > m.MaxHeatPoints) {
      faults.Add("heat " + N(h) + " points over the width");
    }
  }
}

}  // namespace

std::vector<std::string> ScoringFaults(const Meeting& m, bool marksFixed) {
  Faults faults;
  if (m.HeatCount < 0 || m.HeatCount > kMaxHeats) {
    faults.Add("HeatCount is " + N(m.HeatCount));
    return faults;
  }
  CheckScorecard(m, marksFixed, faults);
  CheckReportWidths(m, faults);
  if (marksFixed) CheckHeatScores(m, faults);
  return faults;
}

std::vector<std::string> HeatLineupFaults(const Meeting& m) {
  Faults faults;
  if (m.HeatCount < 1 || m.HeatCount > kMaxHeats) return faults;
  const auto twice = [&faults](const std::string& where, std::vector<int> riders) {
    std::erase(riders, 0);
    std::sort(riders.begin(), riders.end());
    const auto again = std::adjacent_find(riders.begin(), riders.end());
    if (again != riders.end()) faults.Add(where + ": rider " + N(*again) + " in two places");
  };
  std::vector<int> recorded;
  std::vector<int> placed;
  for (int e = 1; e <= kMaxEntries; ++e) {
    recorded.push_back(m.HeatResults[At(m.HeatCount)][At(e)][1]);
    placed.push_back(m.HeatGrid[At(e)][1]);
  }
  twice("record of heat " + N(m.HeatCount), recorded);
  twice("starting places of heat " + N(m.HeatCount), placed);
  return faults;
}

bool MarksFixedByProgramme(const Meeting& m) {
  for (std::size_t k = 1; k < m.ProgrammeLines.size(); ++k) {
    if (UpperCase(Trim(m.ProgrammeLines[k])).starts_with("POINTS")) return false;
  }
  return true;
}

std::vector<std::string> StandingsFaults(const Meeting& m) {
  Faults faults;
  Meeting ranked = m;
  RankRiderScores(ranked);
  RankTeamScores(ranked);

  const auto score = [&m](int s) { return m.RiderPoints[At(s)] + m.RiderBonus[At(s)]; };
  const auto riderAbove = [&](int a, int b) {
    if (!IsSlot(a) || !IsSlot(b)) return false;
    if (score(a) != score(b)) return score(a) > score(b);
    if (m.NumTeams < 2) return CountsRankHigher(m.PlaceCounts[At(a)], m.PlaceCounts[At(b)]);
    return m.RiderAverage[At(a)] > m.RiderAverage[At(b)];
  };
  const int rankedRiders = RankedRiders(m);
  for (int g = 1; g <= m.NumGroups; ++g) {
    CheckOrdered("standings of group " + N(g), m.ScoreOrder, ranked.ScoreOrder, RiderSlot(m, g, 1),
                 std::min(RiderSlot(m, g, rankedRiders), kMaxSlots), riderAbove, faults);
  }
  const auto teamAbove = [&m](int a, int b) {
    if (!IsGroup(a) || !IsGroup(b)) return false;
    if (m.GroupPoints[At(a)] != m.GroupPoints[At(b)]) {
      return m.GroupPoints[At(a)] > m.GroupPoints[At(b)];
    }
    return CountsRankHigher(m.GroupPlaceCounts[At(a)], m.GroupPlaceCounts[At(b)]);
  };
  CheckOrdered("team standings", m.GroupOrder, ranked.GroupOrder, 1, m.NumTeams, teamAbove, faults);

  // The report ranks individual riders by points and place counts alike in every meeting, and
  // teams by points and place counts.
  const ReportOrder shown = RankForReport(m);
  ReportOrder unranked;
  std::iota(unranked.rider.begin(), unranked.rider.end(), 0);
  std::iota(unranked.group.begin(), unranked.group.end(), 0);
  if (m.NumTeams == 1) {
    const auto reportAbove = [&](int a, int b) {
      if (score(a) != score(b)) return score(a) > score(b);
      return CountsRankHigher(m.PlaceCounts[At(a)], m.PlaceCounts[At(b)]);
    };
    const int listed = m.NumRiders - (m.NumGroups == 1 && m.ResMode == 2 ? m.NumReserves : 0);
    for (int g = 1; g <= m.NumGroups; ++g) {
      CheckOrdered("report order of group " + N(g), unranked.rider, shown.rider, RiderSlot(m, g, 1),
                   std::min(RiderSlot(m, g, listed), kMaxSlots), reportAbove, faults);
    }
  } else if (m.NumTeams > 2) {
    CheckOrdered("report order of the teams", unranked.group, shown.group, 1, m.NumTeams, teamAbove,
                 faults);
  }
  return faults;
}

}  // namespace corvane::testing
