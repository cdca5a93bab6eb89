#include "riderdb/lineup_record.h"

#include <gtest/gtest.h>

#include <utility>

namespace corvane {
namespace {

TEST(LineupLine, StartingRidersComeFromTheCountThenTheLastNamedSlot) {
  // Missing, 1 or out-of-range counts fall back to the last named slot, and to 7 when no
  // rider (or only the first) is named. Counts round half to even.
  const std::pair<const char*, int> cases[] = {{"Reds,LGE:9", 9},
                                               {"Reds,LGE,A,7,,,,,,,E,6", 5},
                                               {"Reds,LGE:1,A,7,,,,,,,E,6", 5},
                                               {"Reds,LGE:x,A,7,,,,,,,E,6", 5},
                                               {"Reds,LGE", 7},
                                               {"Reds,LGE:0,A,7", 7},
                                               {"Reds,LGE:6.5", 6}};
  for (const auto& [line, riders] : cases)
    EXPECT_EQ(ParseLineupLine(line).startingRiders, riders) << line;
}

TEST(LineupLine, AveragesOutsideTwoToTwelveAreNone) {
  const LineupRecord r =
      ParseLineupLine("T,X:7,A,2.00,B,12.00,C,1.99,D,12.01,E,,F,abc,G,8, H , 7.46 ,,9.00");
  const float onTwelve[] = {2.0f, 12.0f, 0, 0, 0, 0, 8.0f, 7.46f, 0};
  for (std::size_t j = 1; j <= 9; ++j)
    EXPECT_FLOAT_EQ(r.riderAverages[j] * 12, onTwelve[j - 1]) << "rider " << j;
  EXPECT_EQ(r.riderNames[8], "H");  // fields are trimmed; an unnamed slot keeps no average
  EXPECT_EQ(LineupLine(r), "T,X:7,A,2.00,B,12.00,C,,D,,E,,F,,G,8.00,H,7.46");

  // Averages are written with a point and two decimals, or not at all.
  const std::pair<double, const char*> written[] = {{9, "9.00"}, {10, "10.00"}, {9.999, "10.00"},
                                                    {2, "2.00"}, {1.99, ""},    {12.01, ""},
                                                    {1e31, ""}};
  for (const auto& [average, text] : written)
    EXPECT_EQ(FileAverageText(static_cast<Single>(average / 12)), text) << average;
}

TEST(LineupLine, SlotsBeyondTheCountAreWrittenOnlyWhenNamed) {
  LineupRecord r = ParseLineupLine("T,X:3,A,6,B,7");
  EXPECT_EQ(LineupLine(r), "T,X:3,A,6.00,B,7.00,,");
  r.riderNames[6] = "F";
  r.riderAverages[6] = 0.5f;
  EXPECT_EQ(LineupLine(r), "T,X:3,A,6.00,B,7.00,,,,,,,F,6.00");
  const LineupRecord back = ParseLineupLine(LineupLine(r));
  EXPECT_EQ(back, r);
  EXPECT_EQ(back.startingRiders, 3);
}

TEST(LineupLine, NamesAreCutToTheirLengths) {
  const std::string longName(40, 'n');
  const LineupRecord r = ParseLineupLine(longName + ",ABCDEFGH:7," + longName + ",8");
  EXPECT_EQ(r.name, std::string(32, 'n'));
  EXPECT_EQ(r.compId, "ABCDEF");
  EXPECT_EQ(r.riderNames[1], std::string(24, 'n'));
  EXPECT_FLOAT_EQ(r.riderAverages[1] * 12, 8.0f);
}

TEST(LineupLine, SeparatorsInsideFieldsNeverShiftTheLaterFields) {
  LineupRecord r;
  r.name = "Reds, Blues";
  r.compId = "L:G,E";
  r.startingRiders = 2;
  r.riderNames[1] = "Smith, J";
  r.riderAverages[1] = 0.5f;
  r.riderNames[2] = "Line\r\nBreak";
  r.riderAverages[2] = 0.75f;
  const std::string line = LineupLine(r);
  EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  const LineupRecord back = ParseLineupLine(line);
  EXPECT_EQ(back.name + "|" + back.compId + "|" + back.riderNames[1] + "|" + back.riderNames[2],
            "Reds  Blues|L G E|Smith  J|Line  Break");
  EXPECT_EQ(back.startingRiders, 2);
  EXPECT_FLOAT_EQ(back.riderAverages[1], 0.5f);
  EXPECT_FLOAT_EQ(back.riderAverages[2], 0.75f);

  // A field cut in the middle of a phrase may end in a blank; it is written as it reads back.
  const LineupRecord cut = ParseLineupLine("Herons,Holli Xyz:7,Ann Lee");
  EXPECT_EQ(cut.compId, "Holli ");
  EXPECT_EQ(LineupLine(ParseLineupLine(LineupLine(cut))), LineupLine(cut));
}

}  // namespace
}  // namespace corvane
