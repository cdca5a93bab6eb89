#include "report/results_export.h"

#include <gtest/gtest.h>

#include "tests/report/report_fixtures.h"

namespace corvane {
namespace {

std::size_t Count(const std::string& text, std::string_view part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(ResultsExport, FormatFollowsTheFileExtension) {
  const std::pair<const char*, ExportFormat> cases[] = {
      {"a.html", ExportFormat::Html}, {"B.HTM", ExportFormat::Html}, {"c.Csv", ExportFormat::Csv},
      {"d.txt", ExportFormat::Text},  {"html", ExportFormat::Text},  {"", ExportFormat::Text}};
  for (const auto& [name, format] : cases) EXPECT_EQ(ExportFormatForFile(name), format) << name;
}

TEST(ResultsExport, CsvHasARowPerRiderAndAPerHeat) {
  EXPECT_EQ(ResultsCsv(test::TwoTeamMatch()),
            test::Lines({
                "Team,No.,Rider,Ride 1,Ride 2,Points,Bonus,Note",
                "Ashford,1,Al Archer,3,2,5,0,",
                "Ashford,2,Bo Baker,1',Fx,1,1,",
                "Ashford,3,Cy Cole,-,-,0,0,Injured",
                "Brayton,1,Di Dunn,2,3,5,0,",
                "Brayton,2,Ed Eve,0,R,0,0,",
                "",
                "Heat,1st,2nd,3rd,4th,Ashford heat,Brayton heat,Ashford total,Brayton total,Note",
                "1,Al Archer,Di Dunn,Bo Baker,Ed Eve,3,3,3,3,",
                "2,Di Dunn,Al Archer,Ed Eve (R),Bo Baker (10/Fx),4,2,7,5,",
                "3,,,,,0,0,7,5,Race not held",
            }));
}

// Names come from rider databases: quotes, commas and markup are written as data, and names in
// any language stay as they are.
TEST(ResultsExport, NamesAreQuotedEscapedAndUtf8) {
  Meeting m = test::TwoTeamMatch();
  m.RiderName[1] = "Al \"Ace\", <b>&";
  m.RiderName[4] = "Ren\u00E9 \u0141";
  m.RiderName[5] = "=HYPERLINK(\"x\")";
  const std::string csv = ResultsCsv(m);
  EXPECT_NE(csv.find("Brayton,2,\"'=HYPERLINK(\"\"x\"\")\",0,R"), std::string::npos) << csv;
  EXPECT_NE(csv.find("Ashford,1,\"Al \"\"Ace\"\", <b>&\",3,2"), std::string::npos) << csv;
  EXPECT_NE(csv.find("Brayton,1,Ren\u00E9 \u0141,"), std::string::npos) << csv;
  const std::string html = ResultsHtml(m);
  EXPECT_NE(html.find("<td>Al &quot;Ace&quot;, &lt;b&gt;&amp;</td>"), std::string::npos);
  EXPECT_EQ(html.find("<b>"), std::string::npos);
  EXPECT_NE(html.find("Ren\u00E9 \u0141"), std::string::npos);
}

TEST(ResultsExport, HtmlHasAScorecardPerTeamAndAHeatTable) {
  const std::string html = ResultsHtml(test::TwoTeamMatch());
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(html.find("<h1>Spring Trophy</h1>\n<p>12/05/24 at Ashford Park</p>"),
            std::string::npos);
  EXPECT_EQ(Count(html, "<table class=\"scorecard\">"), 2u);
  EXPECT_EQ(Count(html, "<table"), Count(html, "</table>"));
  EXPECT_EQ(Count(html, "<tr>"), Count(html, "</tr>"));
  EXPECT_NE(html.find("<caption>Brayton 5 (8)</caption>"), std::string::npos);
  EXPECT_NE(html.find("<tr><td class=\"n\">3</td><td>Cy Cole</td><td class=\"c\">-</td>"
                      "<td class=\"c\">-</td><td class=\"n\">0</td><td></td><td>Injured</td>"),
            std::string::npos);
  EXPECT_NE(
      html.find("<td class=\"n\">3</td><td colspan=\"4\">Race not held</td><td class=\"n\">0"),
      std::string::npos);
  EXPECT_EQ(Count(html, "<tr><td class=\"n\">"), 5u + 3u);  // riders and heats
}

// An individual meeting: groups without points, no score columns, places as wide as the widest
// heat, riders who did not ride.
TEST(ResultsExport, IndividualMeetingHasNoScoreColumns) {
  Meeting m;
  m.NumTeams = 1;
  m.NumGroups = 2;
  m.NumRiders = 2;
  m.MaxRides = 1;
  m.MainHeats = 1;
  m.GroupTitle[1] = "Heat group";
  test::PutRider(m, 1, "Al", {"3"}, 3);
  m.RidesTaken[1] = 1;
  test::PutRider(m, 2, "Bo");
  test::RecordHeat(m, 1, {{1, 12}, {3, 11}});
  test::PutRider(m, 3, "Cy", {"2"}, 2);
  m.RidesTaken[3] = 1;
  const std::string csv = ResultsCsv(m);
  EXPECT_NE(csv.find("Heat group,1,Al,3,3,0,\r\nHeat group,2,Bo,,,,Did not ride\r\n,1,Cy,2,2,0,"),
            std::string::npos)
      << csv;
  EXPECT_NE(csv.find("\r\nHeat,1st,2nd,Note\r\n1,Al,Cy,\r\n"), std::string::npos) << csv;
  const std::string html = ResultsHtml(m);
  EXPECT_NE(html.find("<caption>Heat group</caption>"), std::string::npos);
  EXPECT_EQ(html.find("Total"), std::string::npos);
  EXPECT_NE(html.find("<td colspan=\"4\">Did not ride</td>"), std::string::npos);
}

}  // namespace
}  // namespace corvane
