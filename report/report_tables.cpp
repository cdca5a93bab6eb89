#include "report/report_tables.h"

#include <algorithm>

#include "engine/io/text_encoding.h"
#include "engine/race/result_text.h"
#include "report/report_ranking.h"

namespace corvane {

namespace {

std::size_t At(int i) {
  return static_cast<std::size_t>(i);
}

RiderRow RowFor(const Meeting& m, int slot, int group, std::string number) {
  RiderRow row;
  row.number = std::move(number);
  row.name = m.RiderName[At(slot)];
  if (slot == m.GroupReplacement[At(group)][1]) {
    row.note = "Rider replacement";
    return row;
  }
  if (m.RidesTaken[At(slot)] == 0 && m.MainHeats > 0) {
    row.note = "Did not ride";
    return row;
  }
  const auto& card = m.Scorecard[At(slot)];
  for (int k = 1; k <= m.MaxRides; ++k) {
    const bool taken = At(k) < card.size() && !card[At(k)].empty();
    row.rides.push_back(taken ? card[At(k)] : "-");
  }
  row.points = m.RiderPoints[At(slot)];
  row.bonus = m.RiderBonus[At(slot)];
  const int flag = m.RiderFlag[At(slot)];
  if (flag == 1) row.note = "Absent";
  if (flag == 2) row.note = "Injured";
  return row;
}

GroupTable GroupFor(const Meeting& m, const ReportOrder& order, int i) {
  const int g = order.group[At(i)];
  GroupTable table;
  table.title = m.GroupTitle[At(g)];
  table.scored = !(m.NumTeams == 1 && m.NumGroups >= 2);
  table.points = m.GroupPoints[At(g)];
  table.extra = m.GroupExtra[At(g)];
  const int n = m.NumRiders;
  const bool reservesAtEnd = m.NumGroups == 1 && m.ResMode == 2;
  for (int j = 1; j <= n; ++j) {
    const int position = (g - 1) * n + j;
    if (position < 1 || position > kMaxSlots) continue;
    const int slot = order.rider[At(position)];
    // Empty places are blank lines in the text; a table leaves them out.
    if (!IsSlot(slot) || m.RiderName[At(slot)].empty()) continue;
    const bool reserve = reservesAtEnd && j > n - m.NumReserves;
    table.riders.push_back(RowFor(m, slot, g, reserve ? "R" : Dec(j)));
  }
  return table;
}

// Track reserves: the slots after the last group, shared by every group.
GroupTable TrackReserves(const Meeting& m) {
  GroupTable table;
  table.title = "Track reserves";
  const int firstSlot = m.NumRiders * m.NumGroups + 1;
  for (int r = firstSlot; r < firstSlot + m.NumReserves; ++r) {
    if (IsSlot(r) && !m.RiderName[At(r)].empty()) table.riders.push_back(RowFor(m, r, 0, "R"));
  }
  return table;
}

HeatRow HeatFor(const Meeting& m, int h, bool scoreColumns) {
  const auto& heat = m.HeatResults[At(h)];
  const auto& scores = m.HeatScores[At(h)];
  HeatRow row;
  row.number = h;
  row.held = heat[0][1] != 0;
  for (int e = 1; row.held && e <= kMaxEntries; ++e) {
    const auto& entry = heat[At(e)];
    if (!IsSlot(entry[1]) || m.RiderName[At(entry[1])].empty()) continue;
    row.finishers.push_back(m.RiderName[At(entry[1])] + ResultBracket(m, entry[2], entry[3]));
  }
  if (scores[0] == 0 && scoreColumns) {
    if (m.NumTeams == 2) row.heatPoints = {scores[3], scores[4]};
    for (int t = 1; t <= m.NumTeams; ++t) row.totals.push_back(scores[At(t)]);
  }
  return row;
}

}  // namespace

ResultTables TabulateResults(const Meeting& m) {
  ResultTables tables;
  tables.date = m.DateLines;
  tables.venue = m.VenueLines;
  tables.title = m.TitleLines;
  tables.rides = std::max<int>(m.MaxRides, 0);
  if (m.MaxRides > 0) {
    const ReportOrder order = RankForReport(m);
    const int groups = std::min<int>(m.NumGroups, kMaxGroups);
    for (int i = 1; i <= groups; ++i) tables.groups.push_back(GroupFor(m, order, i));
    if (m.NumGroups > 1 && m.ResMode == 2 && m.NumReserves > 0) {
      GroupTable reserves = TrackReserves(m);
      if (!reserves.riders.empty()) tables.groups.push_back(std::move(reserves));
    }
  }
  const bool scoreColumns = m.NumTeams >= 2 && m.NumTeams <= 4;
  if (scoreColumns) {
    for (int t = 1; t <= m.NumTeams; ++t) {
      const std::string& title = m.GroupTitle[At(t)];
      tables.teams.push_back(
          title.empty() ? "Team " + std::string(1, static_cast<char>('A' + t - 1)) : title);
    }
  }
  const int heats = std::clamp<int>(m.HeatCount, 0, kMaxHeats);
  for (int h = 1; h <= heats; ++h) tables.heats.push_back(HeatFor(m, h, scoreColumns));
  return tables;
}

}  // namespace corvane
