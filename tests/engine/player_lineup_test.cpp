// The heat manager never starts one rider from two places, whatever the player does.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "dialogmodels/heat_manager_model.h"
#include "engine/programme/programme_line.h"
#include "engine/race/heat_entry.h"
#include "support/meeting_builder.h"

namespace corvane {
namespace {

bool Offers(const HeatManagerModel& model, int rider) {
  const auto& list = model.Candidates();
  return std::any_of(list.begin(), list.end(),
                     [rider](const Candidate& c) { return c.rider == rider; });
}

// The riders of the heat's starting places that are filled, sorted.
std::vector<int> StartingRiders(const Meeting& m) {
  std::vector<int> riders;
  for (int s = 1; s <= m.HeatRiders; ++s) {
    if (m.HeatGrid[static_cast<std::size_t>(s)][1] != 0)
      riders.push_back(m.HeatGrid[static_cast<std::size_t>(s)][1]);
  }
  std::sort(riders.begin(), riders.end());
  return riders;
}

// Two teams of four, the fourth of each its reserve; team A (slots 1..4) is steered by the
// player. Heat 1 is "1:A1,B1,AN2,B2": place 3 is the player's nominated place.
Meeting NominatedHeat() {
  Meeting m = testing::BuildMeeting(2, 2, 4);
  m.NumReserves = 1;
  m.MaxRidesRes = 6;
  m.ControlMode = 1;
  m.TeamControl[1] = 1;
  m.MeetingState = kRunOn;
  m.PlannedRides.fill(1);  // the one programme line's rides, as the set-up counts them
  m.HeatRiders = 0;
  PlaceHeatEntries(m, ReadProgrammeLine("1:A1,B1,AN2,B2"));
  return m;
}

TEST(PlayerLineup, ResetIsNotOfferedWhereItWouldStartARiderTwice) {
  struct Case {
    const char* what;
    int kind;
    int substitute;  // in for A1 on place 1
  };
  for (const Case& c : {Case{"reserve", kReserves, 4}, Case{"tactical", kTacticalSubstitutes, 3},
                        Case{"rider replacement", kRiderReplacement, 3}}) {
    SCOPED_TRACE(c.what);
    Meeting m = NominatedHeat();
    if (c.kind == kTacticalSubstitutes) {
      m.TacSubUse = 2;
      m.TacSubsNow = 1;
      m.TacSubMargin = 6;
      m.MaxGroupTotal = 20;
      m.GroupPoints[2] = 20;
    } else if (c.kind == kRiderReplacement) {
      m.RdrRepUse = 2;
      m.RdrRepNow = 1;
      m.GroupReplacement[1] = {0, 1, 1};  // A1 is the team's replaced rider
    }
    const Meeting before = m;
    HeatManagerModel model(m);
    model.SelectKind(c.kind);
    ASSERT_TRUE(Offers(model, c.substitute)) << model.Info();
    model.ApplySubstitute(c.substitute);
    ASSERT_EQ(model.SlotRider(1), c.substitute) << model.Info();

    model.SelectPlace(3);  // A1 stands in no place now; nominated here if offered
    model.SelectKind(kReserves);
    const bool nominated = Offers(model, 1);
    ASSERT_FALSE(model.Candidates().empty());
    model.ApplySubstitute(nominated ? 1 : model.Candidates().front().rider);
    model.SelectPlace(1);
    EXPECT_EQ(model.ResetEnabled(), !nominated);
    EXPECT_EQ(model.Note(),
              nominated ? "A1 now rides in place 3: Reset would put them in two places." : "");
    model.Reset();
    ASSERT_TRUE(model.StartEnabled());
    ASSERT_TRUE(model.Start());
    const std::vector<int> riders = StartingRiders(m);
    EXPECT_EQ(std::adjacent_find(riders.begin(), riders.end()), riders.end());
    EXPECT_EQ(riders.size(), 4u);

    // Reset on place 3 takes A1 out again, and place 1 may be reset after all.
    if (!nominated) continue;
    Meeting again = before;
    HeatManagerModel undo(again);
    undo.SelectKind(c.kind);
    undo.ApplySubstitute(c.substitute);
    undo.SelectPlace(3);
    undo.SelectKind(kReserves);
    undo.ApplySubstitute(1);
    undo.Reset();
    undo.SelectPlace(1);
    EXPECT_TRUE(undo.ResetEnabled());
    undo.Reset();
    EXPECT_EQ(undo.SlotRider(1), 1);
  }
}

TEST(PlayerLineup, StartRefusesALineupHoldingARiderTwice) {
  // As a meeting file from elsewhere may hold it: A1 on places 1 and 3.
  Meeting m = NominatedHeat();
  testing::SetLineup(m, {1, 5, 1, 6});
  const auto grid = m.HeatGrid;
  HeatManagerModel model(m);
  EXPECT_FALSE(model.StartEnabled());
  EXPECT_EQ(model.Note(), "A1 stands in two places: the race cannot start.");
  EXPECT_FALSE(model.Start());
  EXPECT_EQ(m.MeetingState, kRunOn);
  EXPECT_EQ(m.HeatGrid, grid);
  model.SelectPlace(3);
  model.ApplySubstitute(4);  // the reserve in for the second A1
  EXPECT_TRUE(model.Start());
  EXPECT_EQ(StartingRiders(m), (std::vector<int>{1, 4, 5, 6}));
}

TEST(PlayerLineup, ScratchRacingStartsWithTwoRidersAtLeast) {
  for (const int riders : {0, 1, 2}) {
    Meeting m = testing::BuildMeeting(1, 1, riders);
    m.ControlMode = 2;
    m.HeatRiders = 4;
    m.MeetingState = kRunOn;
    HeatManagerModel model(m);
    for (int r = 1; r <= riders; ++r) {
      model.SelectPlace(r);
      model.ApplySubstitute(r);
    }
    EXPECT_EQ(model.StartEnabled(), riders == 2) << riders;
    EXPECT_EQ(model.Note(), riders == 2 ? "" : "Place at least two riders to start the race.");
    EXPECT_EQ(model.Start(), riders == 2);
    EXPECT_EQ(m.MeetingState, riders == 2 ? kHeatDecided : kRunOn);
  }
}

}  // namespace
}  // namespace corvane
