#include "tests/report/report_fixtures.h"

#include <algorithm>

#include "engine/race/result_text.h"
#include "engine/records/preferences.h"

namespace corvane::test {

void PutRider(Meeting& m, int slot, std::string name, std::vector<std::string> cells, int points,
              int bonus) {
  const auto s = static_cast<std::size_t>(slot);
  ResizeScorecard(m, m.MaxRides);
  m.RiderName[s] = std::move(name);
  int rides = 0;
  for (std::size_t k = 0; k < cells.size(); ++k) {
    m.Scorecard[s][k + 1] = cells[k];
    if (!cells[k].empty()) ++rides;
  }
  m.RidesTaken[s] = static_cast<Integer>(rides);
  m.RiderPoints[s] = static_cast<Integer>(points);
  m.RiderBonus[s] = static_cast<Integer>(bonus);
}

void RecordHeat(Meeting& m, int heat, std::vector<Finisher> order, std::array<Integer, 5> scores) {
  auto& record = m.HeatResults[static_cast<std::size_t>(heat)];
  record = HeatRecord{};
  int length = 0;
  int named = 0;
  for (std::size_t e = 0; e < order.size(); ++e) {
    const Finisher& f = order[e];
    record[e + 1] = {0, static_cast<Integer>(f.slot), static_cast<Integer>(f.code),
                     static_cast<Integer>(f.metres)};
    const std::string& name = m.RiderName[static_cast<std::size_t>(f.slot)];
    if (name.empty()) continue;
    length += static_cast<int>(name.size()) + 2 +
              static_cast<int>(ResultBracket(m, f.code, f.metres).size());
    ++named;
  }
  record[0][1] = static_cast<Integer>(length);
  record[0][2] = static_cast<Integer>(named);
  m.ResultsWidth = static_cast<Integer>(std::max<int>(m.ResultsWidth, length));
  m.HeatScores[static_cast<std::size_t>(heat)] = scores;
  m.HeatCount = static_cast<Integer>(std::max(m.HeatCount, static_cast<Integer>(heat)));
}

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

Meeting TwoTeamMatch() {
  Meeting m;
  const auto marks = Preferences::DefaultMarks();
  std::copy(marks.begin(), marks.end(), m.ProgMarks.begin());
  m.CompetitionTitle = "League Match";
  m.DateLines = "12/05/24";
  m.VenueLines = "Ashford Park";
  m.TitleLines = "Spring Trophy";
  m.NumTeams = m.NumGroups = m.MaxRides = 2;
  m.NumRiders = 3;
  m.GroupTitle[1] = "Ashford";
  m.GroupTitle[2] = "Brayton";
  m.GroupPoints = {0, 7, 5};
  m.GroupExtra[2] = 3;

  PutRider(m, 1, "Al Archer", {"3", "2"}, 5);
  PutRider(m, 2, "Bo Baker", {"1'", "Fx"}, 1, 1);
  PutRider(m, 3, "Cy Cole");
  m.RiderFlag[3] = 2;
  PutRider(m, 4, "Di Dunn", {"2", "3"}, 5);
  PutRider(m, 5, "Ed Eve", {"0", "R"}, 0);
  m.MaxRiderPoints = 5;
  m.MaxRiderBonus = 1;
  m.MaxGroupTotal = 7;
  m.MaxHeatPoints = 4;

  RecordHeat(m, 1, {{1, 12}, {4, 11}, {2, 10}, {5, 9}}, {0, 3, 3, 3, 3});
  RecordHeat(m, 2, {{4, 12}, {1, 11}, {5, 5}, {2, 7, 10}}, {0, 7, 5, 4, 2});
  RecordHeat(m, 3, {}, {0, 7, 5, 0, 0});

  // Records the report does not show but the meeting file keeps.
  m.ProgrammeLines = {"", "1:A1,B1,A2,B2", "2:B1,A1,B2,A2", "3:A3,B3,A1,B1", "RUNOFFS"};
  m.ProgLine = 4;
  m.LastPreparedLine = 3;
  m.MeetingState = kWaitForUser;
  m.ControlMode = m.TeamControl[1] = 1;
  m.HomeAdvantage = true;
  m.CompIds[1] = "LEAGUE";
  m.Handicaps = {0, 10, 20, 30, 40, 50, 60, 70, 80};
  for (int s = 1; s <= 6; ++s) {
    const auto i = static_cast<std::size_t>(s);
    m.RiderAverage[i] = static_cast<Single>(s) / 12.0f + 0.1f;
    m.RiderTeam[i] = static_cast<Integer>((s - 1) / 3 + 1);
    m.RiderNumber[i] = static_cast<Integer>((s - 1) % 3 + 1);
    m.AverageOrder[i] = m.ScoreOrder[i] = static_cast<Integer>(s);
    m.PlannedRides[i] = 2;
    m.PlaceCounts[i][static_cast<std::size_t>(s % 9)] = static_cast<Integer>(s);
  }
  for (int g = 0; g <= kMaxGroups; ++g)
    m.GroupOrder[static_cast<std::size_t>(g)] = static_cast<Integer>(g);
  m.GroupPlaceCounts[1] = {0, 2, 1, 0, 0, 0, 0, 1, 0};
  m.ProgrammeHeats = {2, 1, 2};
  m.HeatGrid[1] = {0, 3, 0, 0, 10, 5};
  m.HeatGrid[2] = {0, 6, 0, 0, 0, 0};
  m.HeatRiders = 4;
  m.NominatedLast = 3;
  m.HandicapCode[1] = 11;
  return m;
}

}  // namespace corvane::test
