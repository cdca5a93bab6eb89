// A working meeting that is assigned other meetings again and again, as statistics reuse one,
// must race and score exactly as a fresh copy would: what it keeps between assignments (the
// programme lines it has read, the storage of its scorecard) never shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/race/heat_preparation.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

using testing::BuildMeeting;
using testing::LineupRiders;
using Riders = std::vector<int>;

// Prepares the current line without racing it.
Riders Prepared(Meeting& m) {
  HeadlessHost host;
  Pcg32Random random{3};
  m.MeetingState = kHeatDecided;
  PrepareHeat(m, host, random);
  return LineupRiders(m);
}

void SetLine(Meeting& m, std::size_t line, const std::string& text) {
  m.ProgrammeLines.Edit([&](ProgrammeText::Lines& lines) { lines[line] = text; });
}

TEST(WorkingCopy, ProgrammeLinesAreReadAgainWheneverTheirTextChanged) {
  Meeting work = BuildMeeting(2, 2, 4);  // A1..A4 are slots 1..4, B1..B4 slots 5..8
  testing::SetCurrentLine(work, "1:A1,B1");
  EXPECT_EQ(Prepared(work), (Riders{1, 5}));
  // Edited in place, as the programme editor does, also keeping the length.
  for (const auto& [line, riders] : {std::pair{"1:a2 , b2@15", Riders{2, 6}},
                                     {"1:A3,B3,A4,B4,A1", Riders{3, 7, 4, 8, 1}},
                                     {"1:A3,B3,A4,B4,A2", Riders{3, 7, 4, 8, 2}}}) {
    SetLine(work, 1, line);
    EXPECT_EQ(Prepared(work), riders) << line;
  }
  // Assigned another meeting whose line 1 differs: the line read before must not be used.
  Meeting other = BuildMeeting(2, 2, 4);
  testing::SetCurrentLine(other, "1:B4,A4,B3");
  work = other;
  EXPECT_EQ(Prepared(work), (Riders{8, 4, 7}));
  // A copy reads for itself, and so does a line past the ones kept.
  Meeting copy = work;
  copy.ProgrammeLines.Edit([](ProgrammeText::Lines& lines) { lines.resize(300, "TACSUBS-ON"); });
  SetLine(copy, 299, "Final:A2,B2");
  copy.ProgLine = 299;
  EXPECT_EQ(Prepared(copy), (Riders{2, 6}));
  work.ProgLine = 1;
  EXPECT_EQ(Prepared(work), (Riders{8, 4, 7}));
}

TEST(WorkingCopy, AScorecardAssignedOverAnotherHoldsExactlyItsCells) {
  Meeting raced = BuildMeeting(2, 2, 4);
  ResizeScorecard(raced, 3);
  raced.Scorecard[1][1] = "3";
  raced.Scorecard[1][2] = "2'";
  raced.Scorecard[40][3] = "a long mark kept on the heap";
  Meeting fresh = BuildMeeting(2, 2, 4);
  ResizeScorecard(fresh, 3);
  fresh.Scorecard[2][1] = "1";
  Meeting narrow = BuildMeeting(2, 2, 4);
  ResizeScorecard(narrow, 1);

  // Compared through a const view: handing out a row for writing is what marks it non-blank.
  const auto expectSame = [](const Meeting& work, const Meeting& source, const char* step) {
    for (std::size_t s = 0; s < source.Scorecard.size(); ++s) {
      EXPECT_EQ(work.Scorecard[s], source.Scorecard[s]) << step << ", slot " << s;
    }
  };
  Meeting work = raced;
  for (const Meeting* source : {&fresh, &raced, &narrow, &raced, &fresh}) {
    work = *source;
    expectSame(work, *source, "assigned");
  }
  // Marks written into a copy of a blank card, row by row and all rows at once, are cleared by
  // the next assignment of it.
  work.Scorecard[5][2] = "F";
  for (auto& row : work.Scorecard) row[1] = "X";
  work = fresh;
  expectSame(work, fresh, "written, then assigned");
  // A card copied whole keeps what it knew about its rows.
  const Meeting copied = raced;
  work = copied;
  expectSame(work, raced, "copy assigned");
}

}  // namespace
}  // namespace corvane
