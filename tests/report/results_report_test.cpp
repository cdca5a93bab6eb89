#include "report/results_report.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine/records/preferences.h"
#include "report/headless_host.h"
#include "tests/report/report_fixtures.h"

namespace corvane {
namespace {

using test::Lines;
using test::PutRider;
using test::RecordHeat;

Meeting WithDefaultMarks() {
  Meeting m;
  const auto marks = Preferences::DefaultMarks();
  std::copy(marks.begin(), marks.end(), m.ProgMarks.begin());
  return m;
}

TEST(ResultsReport, TwoTeamMatchInProgrammeOrderWithHeatPointsAndRunningTotals) {
  // The second team's extra points show in brackets; the unheld heat is padded to the same
  // column as the others.
  const std::string expected = Lines({
      " 12/05/24  at Ashford Park",
      " Spring Trophy",
      "",
      " Ashford 7",
      " 1. Al Archer................. 3  2   5",
      " 2. Bo Baker.................. 1' Fx  1+1",
      " 3. Cy Cole................... -  -   0   (I)",
      "",
      " Brayton 5 (8)",
      " 1. Di Dunn................... 2  3   5",
      " 2. Ed Eve.................... 0  R   0",
      " 3. ",
      "",
      " No. Results                                            As Br  As Br",
      "  1: Al Archer, Di Dunn, Bo Baker, Ed Eve..............  3  3   3  3 ",
      "  2: Di Dunn, Al Archer, Ed Eve (R), Bo Baker (10/Fx)..  4  2   7  5 ",
      "  3: Race not held.....................................  0  0   7  5 ",
  });
  EXPECT_EQ(WriteResults(test::TwoTeamMatch()), expected);
}

// Names longer than the name column get no dots; heats outside the scoring and meetings of
// more than four teams have no score columns.
TEST(ResultsReport, TwoTeamMatchVariations) {
  Meeting m = test::TwoTeamMatch();
  m.RiderName[1] = "Maximilian Alexander Archer-Smythe";
  m.HeatScores[1][0] = 1;
  std::string text = WriteResults(m);
  EXPECT_NE(text.find(" 1. Maximilian Alexander Archer-Smythe 3  2   5\r\n"), std::string::npos);
  EXPECT_NE(
      text.find("\r\n  1: Maximilian Alexander Archer-Smythe, Di Dunn, Bo Baker, Ed Eve \r\n"),
      std::string::npos);
  m.NumTeams = 5;
  text = WriteResults(m);
  EXPECT_NE(text.find("\r\n No. Results\r\n  1: "), std::string::npos);
  EXPECT_NE(text.find("\r\n  3: Race not held \r\n"), std::string::npos);
}

TEST(ResultsReport, FourTeamsRankedByPointsThenPlaceCounts) {
  Meeting m = WithDefaultMarks();
  m.NumTeams = m.NumGroups = 4;
  m.NumRiders = m.MaxRides = 1;
  m.GroupTitle = {"", "Alpha", "B", "Gamma", ""};
  m.GroupPoints = {0, 6, 9, 9, 6};
  m.GroupPlaceCounts[1] = m.GroupPlaceCounts[4] = {0, 1, 1};  // level: programme order stays
  m.GroupPlaceCounts[2] = {0, 2, 0};
  m.GroupPlaceCounts[3] = {0, 3, 0};
  for (const int s : {1, 2, 3, 4}) PutRider(m, s, std::string("Rider ") + char('@' + s), {"1"}, 1);
  m.MaxRiderPoints = 1;
  m.MaxGroupTotal = 9;
  RecordHeat(m, 1, {{1, 12}, {2, 11}, {3, 10}, {4, 9}}, {0, 6, 9, 9, 6});
  // A team without a name gets no heading; in the table it is "T" and its number.
  EXPECT_EQ(WriteResults(m), Lines({
                                 " Gamma 9",
                                 " 1. Rider C................... 1   1",
                                 "",
                                 " B 9",
                                 " 1. Rider B................... 1   1",
                                 "",
                                 " Alpha 6",
                                 " 1. Rider A................... 1   1",
                                 "",
                                 " 1. Rider D................... 1   1",
                                 "",
                                 " No. Results                              Al T2 Ga T4",
                                 "  1: Rider A, Rider B, Rider C, Rider D..  6  9  9  6 ",
                             }));
}

// One group of ten: seven ranked positions and three reserves.
Meeting IndividualMeeting() {
  Meeting m = WithDefaultMarks();
  m.DateLines = "03/06/23";
  m.NumRiders = 10;
  m.NumReserves = 3;
  m.ResMode = 2;
  m.MaxRides = 2;
  PutRider(m, 1, "Ivan Ivers", {"2", "1"}, 3);
  m.RiderFlag[1] = 1;
  m.PlaceCounts[1] = {0, 0, 1, 0, 1};
  PutRider(m, 2, "Jack Jones", {"3", "3"}, 6);
  m.PlaceCounts[2] = {0, 2};
  PutRider(m, 3, "Karl Kent", {"2", "0"}, 2, 1);
  m.PlaceCounts[3] = {0, 0, 1, 1, 0};
  PutRider(m, 4, "Lars Lund", {"3", "3"}, 6);
  m.PlaceCounts[4] = {1, 2};
  PutRider(m, 8, "Rex Reed", {"3", "3"}, 6);  // would lead if reserves were ranked
  m.PlaceCounts[8] = {2, 2};
  PutRider(m, 10, "Sam Shaw");
  m.MaxRiderPoints = 6;
  m.MaxRiderBonus = 1;
  RecordHeat(m, 1, {{4, 12}, {2, 11}, {1, 10, 10}, {3, 1}}, {1});
  RecordHeat(m, 2, {{2, 12}, {4, 11}, {3, 10}, {8, 9}}, {1});
  RecordHeat(m, 3, {{4, 10}, {2, 9}}, {1});
  m.MainHeats = 2;
  return m;
}

TEST(ResultsReport, IndividualMeetingRanksRidersAndKeepsReservesAtTheEnd) {
  // Equal totals are decided by the first place count that differs; bonus counts in the total.
  // The later heat is set apart from the main meeting.
  EXPECT_EQ(WriteResults(IndividualMeeting()),
            Lines({
                " 03/06/23",
                "",
                "  1. Lars Lund................. 3  3   6",
                "  2. Jack Jones................ 3  3   6",
                "  3. Karl Kent................. 2  0   2+1",
                "  4. Ivan Ivers................ 2  1   3   (A)",
                "  5. ",
                "  6. ",
                "  7. ",
                "  R. Rex Reed.................. 3  3   6",
                "  R. Sam Shaw.................. Did not ride",
                "",
                " No. Results",
                "  1: Lars Lund, Jack Jones, Ivan Ivers (10), Karl Kent (N) ",
                "  2: Jack Jones, Lars Lund, Karl Kent, Rex Reed ",
                "",
                "  3: Lars Lund, Jack Jones ",
            }));
}

TEST(ResultsReport, ColumnsWidenPastNinetyNine) {
  Meeting m = WithDefaultMarks();
  m.NumTeams = m.NumGroups = 2;
  m.NumRiders = 1;
  m.MaxRides = 1;
  m.GroupTitle = {"", "Ashford", "Brayton"};
  m.GroupPoints = {0, 120, 7};
  PutRider(m, 1, "Al", {"3"}, 105, 3);
  PutRider(m, 2, "Bo", {"2"}, 7);
  m.RiderFlag[1] = m.RiderFlag[2] = 1;
  m.MaxRiderPoints = 105;
  m.MaxRiderBonus = 12;
  m.MaxGroupTotal = 120;
  m.MaxHeatPoints = 5;
  RecordHeat(m, 1, {{1, 10}, {2, 9}}, {0, 120, 7, 3, 2});
  // Absent marks line up one blank after the widest bonus; the heat-point headings stay over
  // their narrower columns.
  EXPECT_EQ(WriteResults(m), Lines({
                                 " Ashford 120",
                                 " 1. Al........................ 3  105+3  (A)",
                                 "",
                                 " Brayton 7",
                                 " 1. Bo........................ 2    7    (A)",
                                 "",
                                 " No. Results                        As Br   As  Br",
                                 "  1: Al, Bo........................  3  2  120   7 ",
                             }));
}

// Two teams of two riders and a replacement slot; A2 is covered by rider replacement, A's
// replacement slot is empty, B's holds Di. Venue and title without a date.
Meeting ReplacementMatch() {
  Meeting m = WithDefaultMarks();
  m.VenueLines = "Park";
  m.TitleLines = "Cup";
  m.NumTeams = m.NumGroups = 2;
  m.NumRiders = 3;
  m.RdrRepSlot = 1;
  m.MaxRides = 1;
  m.GroupTitle = {"", "Ashford", "Brayton"};
  m.GroupPoints = {0, 3, 3};
  PutRider(m, 1, "Al", {"3"}, 3);
  PutRider(m, 2, "Bo");
  m.GroupReplacement[1][1] = 2;
  PutRider(m, 4, "Cy", {"2"}, 2);
  PutRider(m, 6, "Di", {"1"}, 1);
  m.MaxRiderPoints = m.MaxGroupTotal = m.MaxHeatPoints = 3;
  RecordHeat(m, 1, {{1, 12}, {4, 11}, {6, 10}}, {0, 3, 3, 3, 3});
  return m;
}

TEST(ResultsReport, LayoutsOfTheKindsOfMeeting) {
  const std::string heading = " No. Results" + std::string(23, ' ');
  const std::string heat = "  1: Al, Cy, Di" + std::string(20, '.');
  const std::vector<std::string_view> teamA = {" Ashford 3", " 1. Al........................ 3   3",
                                               " 2. Bo........................ Rider replacement",
                                               ""};
  const std::vector<std::string_view> teamB = {" Brayton 3", " 1. Cy........................ 2   2",
                                               " 2. ", " 3. Di........................ 1   1", ""};
  const auto text = [](std::vector<std::string_view> a, std::vector<std::string_view> b = {},
                       std::vector<std::string_view> c = {}) {
    std::string all;
    for (const auto* part : {&a, &b, &c})
      for (std::string_view line : *part) all += std::string(line) + "\r\n";
    return all;
  };
  const struct {
    const char* name;
    std::function<void(Meeting&)> change;
    std::string expected;
  } rows[] = {
      {"two teams", [](Meeting&) {},
       text(teamA, teamB, {heading + " As Br  As Br", heat + "  3  3   3  3 "})},
      {"no ride columns", [](Meeting& m) { m.MaxRides = 0; },
       text({heading + " As Br  As Br", heat + "  3  3   3  3 "})},
      {"three teams",
       [](Meeting& m) {
         m.NumTeams = 3;
         m.HeatScores[1][3] = 0;
       },
       text(teamA, teamB, {heading + " As Br T3", heat + "  3  3  0 "})},
      {"heat points past 99",
       [](Meeting& m) {
         m.HeatScores[1][3] = 100;
         m.MaxHeatPoints = 100;
       },
       // The heat-point headings stay over their wider columns.
       text(teamA, teamB, {heading + "  As  Br  As Br", heat + " 100   3   3  3 "})},
      {"track reserves",
       [](Meeting& m) {
         m.NumReserves = 1;
         m.ResMode = 2;
         m.GroupTitle[0] = "RESERVES";
         PutRider(m, 7, "Ed", {"0"}, 0);
       },
       text(teamA, teamB,
            {" RESERVES 0", " R. Ed........................ 0   0", "", heading + " As Br  As Br",
             heat + "  3  3   3  3 "})},
      {"individual groups",
       [](Meeting& m) {
         m.NumTeams = 1;
         m.GroupTitle[2].clear();
       },
       text({" Ashford ", " 1. Al........................ 3   3",
             " 2. Bo........................ Rider replacement", "", "  ",
             " 1. Cy........................ 2   2", " 2. Di........................ 1   1", "",
             " No. Results", "  1: Al, Cy, Di "})},
  };
  for (const auto& row : rows) {
    Meeting m = ReplacementMatch();
    row.change(m);
    EXPECT_EQ(WriteResults(m), row.expected) << row.name;
  }
  Meeting dated = ReplacementMatch();  // the header shows only with a date
  dated.DateLines = "01/02/03";
  EXPECT_EQ(WriteResults(dated), " 01/02/03  at Park\r\n Cup\r\n\r\n" + rows[0].expected);
}

}  // namespace
}  // namespace corvane
