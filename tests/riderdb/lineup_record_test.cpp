#include "riderdb/lineup_record.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(LineupLine, StartingRidersComeFromTheCountThenTheLastNamedSlot) {
  const LineupRecord noRiders = ParseLineupLine("Reds,LGE:9");
  EXPECT_EQ(noRiders.startingRiders, 9);
  for (int j = 1; j <= kLineupRiders; ++j) {
    EXPECT_TRUE(noRiders.riderNames[static_cast<std::size_t>(j)].empty());
  }
  // Missing, 1 or out-of-range counts fall back to the last named slot.
  EXPECT_EQ(ParseLineupLine("Reds,LGE,A,7,,,,,,,E,6").startingRiders, 5);
  EXPECT_EQ(ParseLineupLine("Reds,LGE:1,A,7,,,,,,,E,6").startingRiders, 5);
  EXPECT_EQ(ParseLineupLine("Reds,LGE:x,A,7,,,,,,,E,6").startingRiders, 5);
  // ... and to 7 when no rider (or only the first) is named.
  EXPECT_EQ(ParseLineupLine("Reds,LGE").startingRiders, 7);
  EXPECT_EQ(ParseLineupLine("Reds,LGE:0,A,7").startingRiders, 7);
  // Counts are rounded half to even.
  EXPECT_EQ(ParseLineupLine("Reds,LGE:6.5").startingRiders, 6);
}

TEST(LineupLine, AveragesOutsideTwoToTwelveAreNone) {
  const LineupRecord r =
      ParseLineupLine("T,X:7,A,2.00,B,12.00,C,1.99,D,12.01,E,,F,abc,G,8, H , 7.46 ,,9.00");
  EXPECT_FLOAT_EQ(r.riderAverages[1] * 12, 2.0f);
  EXPECT_FLOAT_EQ(r.riderAverages[2], 1.0f);
  EXPECT_EQ(r.riderAverages[3], 0);
  EXPECT_EQ(r.riderAverages[4], 0);
  EXPECT_EQ(r.riderAverages[5], 0);
  EXPECT_EQ(r.riderAverages[6], 0);
  EXPECT_FLOAT_EQ(r.riderAverages[7], 8.0f / 12);
  EXPECT_EQ(r.riderNames[8], "H");  // fields are trimmed
  EXPECT_FLOAT_EQ(r.riderAverages[8] * 12, 7.46f);
  EXPECT_EQ(r.riderAverages[9], 0) << "an unnamed slot keeps no average";
  EXPECT_EQ(LineupLine(r), "T,X:7,A,2.00,B,12.00,C,,D,,E,,F,,G,8.00,H,7.46");
}

TEST(LineupLine, AveragesAreWrittenWithAPointAndTwoDecimals) {
  EXPECT_EQ(FileAverageText(0.75f), "9.00");
  EXPECT_EQ(FileAverageText(10.0f / 12), "10.00");
  EXPECT_EQ(FileAverageText(static_cast<Single>(9.999 / 12)), "10.00");
  EXPECT_EQ(FileAverageText(static_cast<Single>(2.0 / 12)), "2.00");
  EXPECT_EQ(FileAverageText(static_cast<Single>(1.99 / 12)), "");
  EXPECT_EQ(FileAverageText(static_cast<Single>(12.01 / 12)), "");
  EXPECT_EQ(FileAverageText(1e30f), "");
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
  EXPECT_EQ(back.name, "Reds  Blues");
  EXPECT_EQ(back.compId, "L G E");
  EXPECT_EQ(back.startingRiders, 2);
  EXPECT_EQ(back.riderNames[1], "Smith  J");
  EXPECT_FLOAT_EQ(back.riderAverages[1], 0.5f);
  EXPECT_EQ(back.riderNames[2], "Line  Break");
  EXPECT_FLOAT_EQ(back.riderAverages[2], 0.75f);

  // A field cut in the middle of a phrase may end in a blank; it is written as it reads back.
  const LineupRecord cut = ParseLineupLine("Herons,Holli Xyz:7,Ann Lee");
  EXPECT_EQ(cut.compId, "Holli ");
  EXPECT_EQ(LineupLine(ParseLineupLine(LineupLine(cut))), LineupLine(cut));
}

}  // namespace
}  // namespace corvane
