#include "runner_fixtures.h"

#include "engine/meeting_setup.h"

namespace corvane::testing {

Meeting StartedMeeting(int teams, int groups, int riders,
                       std::initializer_list<std::string> lines) {
  Meeting m;
  m.NumTeams = static_cast<Integer>(teams);
  m.NumGroups = static_cast<Integer>(groups);
  m.NumRiders = m.NominatedLast = static_cast<Integer>(riders);
  m.MeetingState = kStartedFromEditor;
  for (Integer s = 0; s <= kMaxSlots; ++s) m.ScoreOrder[s] = m.AverageOrder[s] = s;
  for (Integer g = 0; g <= kMaxGroups; ++g) m.GroupOrder[g] = g;
  AssignRiderTeams(m);
  for (int s = 1; s <= groups * riders; ++s) {
    const auto i = static_cast<std::size_t>(s);
    m.RiderName[i] = "Rider " + std::string(1, static_cast<char>('A' + (s - 1) / riders)) +
                     Dec((s - 1) % riders + 1);
    m.RiderAverage[i] = 0.4f + 0.05f * static_cast<float>((s * 7) % 11);
  }
  const auto marks = Preferences::DefaultMarks();
  std::copy(marks.begin(), marks.end(), m.ProgMarks.begin());
  m.ProgrammeLines.insert(m.ProgrammeLines.end(), lines);
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

}  // namespace corvane::testing
