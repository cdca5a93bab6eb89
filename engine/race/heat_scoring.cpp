#include "engine/race/heat_scoring.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "engine/race/heat_lineup.h"

namespace corvane {

namespace {

// The mark of a race status code, "" for a code that has none.
const std::string& MarkOf(const Meeting& m, int code) {
  return m.ProgMarks[static_cast<std::size_t>(code >= 0 && code <= kMarkCount ? code : 0)];
}

// The value of a mark: its leading number, 0 when it has none. Marks are nearly always one or
// two digits, read here directly; anything else goes through the lenient reading.
double ValueOfMark(const std::string& mark) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (mark.size() == 1 && digit(mark[0])) return mark[0] - '0';
  if (mark.size() == 2 && digit(mark[0]) && digit(mark[1])) {
    return (mark[0] - '0') * 10 + (mark[1] - '0');
  }
  return LeadingNumber(mark);
}

double ValueOf(const Meeting& m, int code) {
  return ValueOfMark(MarkOf(m, code));
}

// A running total plus a value, the sum rounded half to even and kept within the 16-bit
// records. Fractional marks are summed before rounding, so two halves make a whole point.
Integer Add(Integer total, double more) {
  return RoundToIntegerClamped(total + more);
}

// The class of a result for the place counts (1 = won against seven riders), 0 for none.
int PlaceClass(int code) {
  // Looked up rather than tested: the codes of a heat's riders vary from one rider to the next.
  static constexpr std::array<std::uint8_t, 17> kClassOfCode = {0, 0, 8, 0, 0, 8, 8, 0, 0,
                                                                7, 0, 6, 5, 4, 3, 2, 1};
  return code >= 0 && code <= 16 ? kClassOfCode[static_cast<std::size_t>(code)] : 0;
}

// The rider's latest scorecard mark, or nothing when he has no ride on the card.
std::string* LatestMark(Meeting& m, int rider) {
  if (!IsSlot(rider)) return nullptr;
  auto& row = m.Scorecard[static_cast<std::size_t>(rider)];
  const int ride = m.RidesTaken[static_cast<std::size_t>(rider)];
  if (ride < 1 || static_cast<std::size_t>(ride) >= row.size()) return nullptr;
  return &row[static_cast<std::size_t>(ride)];
}

// A ride on the rider's scorecard: the scorecard widens for everybody when he has more rides
// than it has columns.
void WriteRide(Meeting& m, int rider, int code) {
  const auto s = static_cast<std::size_t>(rider);
  const int ride = m.RidesTaken[s] + 1;
  m.RidesTaken[s] = static_cast<Integer>(ride);
  if (ride > m.MaxRides) m.MaxRides = static_cast<Integer>(ride);
  if (static_cast<std::size_t>(ride) >= m.Scorecard[s].size()) ResizeScorecard(m, m.MaxRides);
  const std::string& mark = MarkOf(m, code);
  m.Scorecard[s][static_cast<std::size_t>(ride)] = mark;
  m.RiderPoints[s] = Add(m.RiderPoints[s], RoundToIntegerClamped(ValueOfMark(mark)));
  m.MaxRiderPoints = std::max(m.MaxRiderPoints, m.RiderPoints[s]);
}

// The slots whose race status is above 0, in slot order: the riders of the heat and those
// replaced in it. Statuses are tested four at a time, since nearly all of them are 0.
int RidersWithStatus(const Meeting& m, std::array<int, kMaxSlots + 1>& riders) {
  static_assert(kMaxSlots % 4 == 0 && sizeof(Integer) == 2);
  int count = 0;
  for (int first = 1; first <= kMaxSlots; first += 4) {
    std::uint64_t four = 0;
    std::memcpy(&four, &m.RaceStatus[static_cast<std::size_t>(first)], sizeof four);
    if (four == 0) continue;
    // Every rider is written and only those with a status are kept, without a branch.
    for (int rider = first; rider < first + 4; ++rider) {
      riders[static_cast<std::size_t>(count)] = rider;
      count += m.RaceStatus[static_cast<std::size_t>(rider)] > 0 ? 1 : 0;
    }
  }
  return count;
}

}  // namespace

void ScoreHeat(Meeting& m) {
  if (m.HeatCount < 0 || m.HeatCount > kMaxHeats) return;
  const auto heat = static_cast<std::size_t>(m.HeatCount);
  if (m.ScoringOn != 1) {
    m.HeatScores[heat][0] = 1;  // the heat shows no score columns
    return;
  }

  std::array<int, kMaxSlots + 1> raced;  // the first racedCount, and one written past them
  const int racedCount = RidersWithStatus(m, raced);
  for (int i = 0; i < racedCount; ++i) {
    const int rider = raced[static_cast<std::size_t>(i)];
    const auto s = static_cast<std::size_t>(rider);
    const int code = m.RaceStatus[s];
    const bool replaced = m.ReplacedNow[s] != 0;
    // A non-starter who was replaced did not ride; every other rider of the heat did.
    if (!(replaced && code < kInjured)) WriteRide(m, rider, code);
    if (!replaced && code != kInjured)
      m.RidesCounted[s] = static_cast<Integer>(m.RidesCounted[s] + 1);
    if (const int k = PlaceClass(code); k != 0) {
      ++m.PlaceCounts[s][static_cast<std::size_t>(k)];
      ++m.GroupPlaceCounts[static_cast<std::size_t>(GroupOfRider(m, rider))]
                          [static_cast<std::size_t>(k)];
    }
  }

  if (m.BonusPts > 0) {
    AwardBonusPoints(m);
  } else if (m.TeamScoring == 1) {
    // A winner who beat a team-mate scored nothing for him: his mark shows it.
    const auto& winner = m.HeatResults[heat][1];
    if (winner[2] >= 10 && winner[2] <= m.HeatRiders + 7) {
      if (std::string* mark = LatestMark(m, winner[1])) *mark += "'";
    }
  }
  if (m.NumTeams > 1) UpdateTeamScores(m);
}

void AwardBonusPoints(Meeting& m) {
  if (m.HeatCount < 0 || m.HeatCount > kMaxHeats) return;
  const HeatRecord& record = m.HeatResults[static_cast<std::size_t>(m.HeatCount)];
  const int places = HeatPlaces(m);
  const int teamSlots = m.NumRiders * m.NumTeams;
  int leader = 1;
  while (leader <= places - 1) {
    const auto& lead = record[static_cast<std::size_t>(leader)];
    const int leaderGroup = GroupOfRider(m, SlotOrNone(lead[1]));
    int next = leader + 1;
    // Team riders directly behind their leading team-mate are raised to his points.
    for (; next <= places; ++next) {
      const auto& follower = record[static_cast<std::size_t>(next)];
      const int rider = SlotOrNone(follower[1]);
      if (rider == 0 || GroupOfRider(m, rider) != leaderGroup || follower[2] < 10 ||
          rider > teamSlots) {
        break;
      }
      const auto s = static_cast<std::size_t>(rider);
      if (std::string* mark = LatestMark(m, rider)) *mark += m.ProgMarks[kBonusMark];
      m.HandicapCode[s] = lead[2];
      m.RiderBonus[s] = Add(m.RiderBonus[s], ValueOf(m, lead[2]) - ValueOf(m, follower[2]));
      m.MaxRiderBonus = std::max(m.MaxRiderBonus, m.RiderBonus[s]);
    }
    leader = next;
  }
}

void UpdateTeamScores(Meeting& m) {
  if (m.HeatCount < 0 || m.HeatCount > kMaxHeats) return;
  const auto heat = static_cast<std::size_t>(m.HeatCount);
  const HeatRecord& record = m.HeatResults[heat];
  auto& scores = m.HeatScores[heat];
  const int places = HeatPlaces(m);
  for (int entry = 1; entry <= places; ++entry) {
    const auto& result = record[static_cast<std::size_t>(entry)];
    if (result[2] < kRacing) continue;  // finishers only
    const int rider = SlotOrNone(result[1]);
    // With bonus points in the team scores a bonus earner counts at his leader's code.
    const int code = m.BonusPts == 2 ? m.HandicapCode[static_cast<std::size_t>(rider)] : result[2];
    const double points = ValueOf(m, code);
    const int group = GroupOfRider(m, rider);
    if (m.NumTeams == 2 && (group == 1 || group == 2)) {
      auto& heatPoints = scores[static_cast<std::size_t>(group + 2)];
      heatPoints = Add(heatPoints, points);
      m.MaxHeatPoints = std::max(m.MaxHeatPoints, heatPoints);
    }
    auto& total = m.GroupPoints[static_cast<std::size_t>(group)];
    total = Add(total, points);
  }
  const int teams = std::min<int>(m.NumTeams, kMaxGroups);
  for (int team = 1; team <= teams; ++team) {
    const Integer total = m.GroupPoints[static_cast<std::size_t>(team)];
    if (m.NumTeams <= 4) scores[static_cast<std::size_t>(team)] = total;
    m.MaxGroupTotal = std::max(m.MaxGroupTotal, total);
  }
}

bool NeedsRides(const Meeting& m, int slot) {
  if (!IsSlot(slot)) return false;
  const auto s = static_cast<std::size_t>(slot);
  const int group = GroupOfRider(m, slot);
  if (m.GroupReplacement[static_cast<std::size_t>(group)][1] == slot) return false;
  if (m.RidesCounted[s] + m.PlannedRides[s] >= m.MinRides) return false;
  // A rider who cannot ride, injured or absent from the start, is owed no rides: keeping his
  // place for him would only lose the team the ride.
  return !(m.RiderAverage[s] == 0 && m.RiderFlag[s] >= 1);
}

}  // namespace corvane
