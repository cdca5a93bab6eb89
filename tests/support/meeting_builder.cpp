#include "support/meeting_builder.h"

#include <numeric>

#include "engine/competition/meeting_setup.h"
#include "engine/race/heat_preparation.h"
#include "engine/records/preferences.h"

namespace corvane::testing {

Meeting BuildMeeting(int numTeams, int groups, int riders, Single average) {
  Meeting m;
  m.NumTeams = static_cast<Integer>(numTeams);
  m.NumGroups = static_cast<Integer>(groups);
  m.NumRiders = static_cast<Integer>(riders);
  m.NominatedLast = m.NumRiders;
  const auto marks = Preferences::DefaultMarks();
  for (std::size_t i = 1; i <= kMarkCount; ++i) m.ProgMarks[i] = marks[i];
  for (int g = 1; g <= groups; ++g) {
    m.GroupTitle[static_cast<std::size_t>(g)] = std::string(1, static_cast<char>('A' + g - 1));
    for (int r = 1; r <= riders; ++r) {
      const int slot = RiderSlot(m, g, r);
      if (IsSlot(slot))
        SetRider(m, slot, m.GroupTitle[static_cast<std::size_t>(g)] + Dec(r), average);
    }
  }
  AssignRiderTeams(m);
  std::iota(m.ScoreOrder.begin(), m.ScoreOrder.end(), Integer{0});
  std::iota(m.AverageOrder.begin(), m.AverageOrder.end(), Integer{0});
  std::iota(m.GroupOrder.begin(), m.GroupOrder.end(), Integer{0});
  ResizeScorecard(m, m.MaxRides);
  return m;
}

Meeting StartedMeeting(int teams, int groups, int riders,
                       std::initializer_list<std::string> lines) {
  Meeting m = BuildMeeting(teams, groups, riders);
  m.MeetingState = kStartedFromEditor;
  m.GroupTitle = {};
  for (int s = 1; s <= groups * riders && s <= kMaxSlots; ++s)
    SetRider(m, s, "Rider " + m.RiderName[static_cast<std::size_t>(s)],
             0.4f + 0.05f * static_cast<float>((s * 7) % 11));
  m.ProgrammeLines.Edit([&](ProgrammeText::Lines& all) { all.insert(all.end(), lines); });
  return m;
}

void SetStandingPoints(Meeting& m, std::initializer_list<int> points) {
  std::size_t position = 1;
  for (int p : points)
    m.RiderPoints[static_cast<std::size_t>(m.ScoreOrder[position++])] = static_cast<Integer>(p);
}

void RecordHeat(Meeting& m, int heat, std::initializer_list<int> slotsInOrder) {
  auto& record = m.HeatResults[static_cast<std::size_t>(heat)];
  record = {};
  for (int slot : slotsInOrder) {
    auto& entry = record[static_cast<std::size_t>(++record[0][2])];
    entry[1] = static_cast<Integer>(slot);
    entry[2] = kRacing;
  }
  record[0][1] = 40;
}

void SetRider(Meeting& m, int slot, const std::string& name, Single average) {
  m.RiderName[static_cast<std::size_t>(slot)] = name;
  m.RiderAverage[static_cast<std::size_t>(slot)] = average;
}

void SetLineup(Meeting& m, std::initializer_list<int> riders) {
  ClearHeatLineup(m);
  m.HeatRiders = 0;
  for (const int rider : riders) {
    m.HeatRiders = static_cast<Integer>(m.HeatRiders + 1);
    auto& row = m.HeatGrid[static_cast<std::size_t>(m.HeatRiders)];
    row[1] = static_cast<Integer>(rider);
    row[5] = HandicapOf(m, rider);
  }
}

void SetCurrentLine(Meeting& m, const std::string& line) {
  m.ProgrammeLines.push_back(line);
  m.ProgLine = static_cast<Integer>(m.ProgrammeLineCount());
}

std::vector<int> LineupRiders(const Meeting& m) {
  std::vector<int> riders;
  for (int s = 1; s <= m.HeatRiders; ++s)
    riders.push_back(m.HeatGrid[static_cast<std::size_t>(s)][1]);
  return riders;
}

std::vector<std::pair<int, int>> RankedEntries(const Meeting& m, int heat) {
  std::vector<std::pair<int, int>> entries;
  for (int e = 1; e <= m.HeatRiders; ++e) {
    const auto& entry = m.HeatResults[static_cast<std::size_t>(heat)][static_cast<std::size_t>(e)];
    entries.emplace_back(entry[1], entry[2]);
  }
  return entries;
}

}  // namespace corvane::testing
