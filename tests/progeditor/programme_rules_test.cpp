// The programme editor's rules without its window: the rows shown for each kind of meeting,
// the average scale, moving and replacing riders, and what Start Racing leaves.
#include <QtTest>

#include "progeditor/programme_rules.h"

namespace corvane {

namespace {

// Two teams of five riders, two reserves and an extra rider for rider replacement.
Meeting League() {
  Meeting m;
  m.NumTeams = m.NumGroups = m.GroupsPerRow = 2;
  m.NumRiders = 8;
  m.NumReserves = 2;
  m.RdrRepUse = 2;
  m.RdrRepSlot = 1;
  return m;
}

std::vector<int> Slots(const EditorSection& section) {
  std::vector<int> found;
  for (const EditorRow& row : section.rows) found.push_back(row.slot);
  return found;
}

}  // namespace

class ProgrammeRulesTest : public QObject {
  Q_OBJECT

 private slots:
  void rowsOfTeamMeetings() {
    const EditorLayout league = LayoutFor(League());
    QVERIFY(league.teamMeeting);
    QCOMPARE(league.sections.size(), std::size_t{2});
    QCOMPARE(Slots(league.sections[1]), (std::vector<int>{9, 10, 11, 12, 13, 14, 15, 16}));
    const auto& rows = league.sections[0].rows;
    QCOMPARE(rows[0].label, std::string("1:"));
    QVERIFY(!rows[4].reserve && rows[5].reserve && rows[6].reserve);
    QVERIFY(rows[7].replacementSlot && !rows[7].reserve);

    // Track reserves: a block after the last team, in the slots they ride in.
    Meeting pool;
    pool.NumTeams = pool.NumGroups = 3;
    pool.GroupsPerRow = 2;
    pool.NumRiders = 4;
    pool.NumReserves = 2;
    pool.ResMode = 2;
    const EditorLayout tracks = LayoutFor(pool);
    QCOMPARE(tracks.panelsPerRow, 2);
    QCOMPARE(tracks.panelReserveRows, 0);
    QCOMPARE(tracks.sections.back().kind, SectionKind::Block);
    QCOMPARE(Slots(tracks.sections.back()), (std::vector<int>{13, 14}));
    QCOMPARE(tracks.sections.back().rows[0].label, std::string("R1:"));

    // After the main meeting the block takes the support riders, numbered as the heats name
    // them; it never runs past the last slot.
    Meeting support = League();
    support.SupportMode = true;
    support.SupportRiders = 8;
    const EditorLayout riders = LayoutFor(support);
    QCOMPARE(Slots(riders.sections.back()), (std::vector<int>{17, 18, 19, 20, 21, 22, 23, 24}));
    QCOMPARE(riders.sections.back().rows[7].label, std::string("8:"));
    support.NumRiders = 8;
    support.NumGroups = 4;
    support.NumTeams = 4;
    QCOMPARE(LayoutFor(support).sections.back().rows.size(), std::size_t{8});  // slots 33..40
  }

  void rowsOfIndividualMeetings() {
    Meeting single;
    single.NumRiders = 18;
    single.NumReserves = 2;
    single.ResMode = 2;
    const EditorLayout one = LayoutFor(single);
    QVERIFY(!one.teamMeeting);
    QCOMPARE(one.sections.size(), std::size_t{1});  // a single group keeps its reserves
    QVERIFY(one.sections[0].rows[16].reserve && !one.sections[0].rows[15].reserve);

    Meeting groups;
    groups.NumGroups = 2;
    groups.NumRiders = 6;
    groups.NumReserves = 1;
    groups.ResMode = 2;
    groups.GroupTitle[1] = "HEAT A";
    const EditorLayout two = LayoutFor(groups);
    QCOMPARE(two.sections.size(), std::size_t{3});
    QCOMPARE(two.sections[1].kind, SectionKind::Group);
    QCOMPARE(Slots(two.sections[2]), (std::vector<int>{13}));
    QCOMPARE(GroupHeading(groups, 1), std::string("HEAT A"));
    QCOMPARE(GroupHeading(groups, 2), std::string("GROUP 2"));
  }

  void averagesOnTheMeetingsScale() {
    // The ends of the scale are held; 9, 13 and 1.5 are tried through the boxes.
    QCOMPARE(AverageFromText("2", 12, '.'), std::optional<Single>(static_cast<Single>(2.0 / 12)));
    QCOMPARE(AverageFromText("12", 12, '.'), std::optional<Single>(1.0f));
    QCOMPARE(AverageFromText("", 12, '.'), std::optional<Single>(0.0f));
    QCOMPARE(AverageFromText("7,5", 10, ','), std::optional<Single>(0.75f));
    // A separator alone, or two of them, is no number yet: the held average stays.
    QCOMPARE(AverageFromText(".", 12, '.'), std::optional<Single>());
    QCOMPARE(AverageFromText("7.5.", 12, '.'), std::optional<Single>());
    QCOMPARE(AverageFromText("7,5", 12, '.'), std::optional<Single>());

    QCOMPARE(AverageEntryText(7.46f / 12, 12, ','), std::string("7,46"));
    QCOMPARE(AverageEntryText(0.625f, 12, '.'), std::string("7.5"));
    QCOMPARE(AverageHelpText(10, ','), std::string("Rider average (0; 1,67-10,00)"));
    QCOMPARE(ExtraPointsFromText("70000"), Integer{999});
  }

  void movingAndReplacingRiders() {
    Meeting m = League();
    const EditorLayout layout = LayoutFor(m);
    QCOMPARE(NeighbourSlot(layout, 2, -1), 1);
    QCOMPARE(NeighbourSlot(layout, 1, -1), 0);
    QCOMPARE(NeighbourSlot(layout, 7, 1), 0);  // the replacement rider is no neighbour
    QCOMPARE(NeighbourSlot(layout, 8, -1), 0);
    QCOMPARE(NeighbourSlot(layout, 9, -1), 0);  // nor is another team's rider

    QVERIFY(!CanReplaceRider(m, layout, 8));
    QVERIFY(ToggleReplacedRider(m, layout, 3));
    QVERIFY(ReplacementSlotOpen(m, 1));
    m.RiderName[3] = "Replaced";
    m.RiderName[4] = "Other";
    ExchangeRiders(m, layout, 4, 3);
    QCOMPARE(m.RiderName[4], std::string("Replaced"));
    QCOMPARE(m.GroupReplacement[1][1], Integer{4});  // he stays the replaced rider
    QVERIFY(IsReplacedRider(m, layout, 4) && !IsReplacedRider(m, layout, 3));
    QVERIFY(ToggleReplacedRider(m, layout, 3));   // another rider takes the mark
    QVERIFY(!ToggleReplacedRider(m, layout, 3));  // and the second press clears it
    QCOMPARE(m.GroupReplacement[1][1], Integer{0});
    QVERIFY(!ReplacementSlotOpen(m, 1));

    Meeting none = League();
    none.RdrRepUse = 0;
    QVERIFY(!CanReplaceRider(none, LayoutFor(none), 3));
  }

  void interactiveLeavesScratchRacingAlone() {
    Meeting m;
    QVERIFY(ToggleInteractive(m));
    QVERIFY(!ToggleInteractive(m));
    m.ControlMode = 2;
    QVERIFY(!ToggleInteractive(m));
    QCOMPARE(m.ControlMode, Integer{2});
  }

  void startRacingTidiesTheLineups() {
    Meeting m = League();
    const EditorLayout layout = LayoutFor(m);
    m.RiderName[8] = "Extra A";  // team A's replacement rider, but nobody is replaced
    m.RiderAverage[8] = 0.5f;
    m.RiderName[16] = "Extra B";
    m.RiderName[9] = "B One";
    m.GroupReplacement[2][1] = 9;
    m.RiderAverage[5] = 0.6f;      // an average left behind in an emptied row
    m.GroupReplacement[3][1] = 2;  // replaced rider who is not there
    StartRacing(m, layout);
    QCOMPARE(m.MeetingState, Integer{kStartedFromEditor});
    QVERIFY(m.RiderName[8].empty());
    QCOMPARE(m.RiderAverage[8], 0.0f);
    QCOMPARE(m.RiderName[16], std::string("Extra B"));
    QCOMPARE(m.RiderAverage[5], 0.0f);
    QCOMPARE(m.GroupReplacement[2][1], Integer{9});
    QCOMPARE(m.GroupReplacement[3][1], Integer{0});

    // Scratch racing: the rows filled, in order, from slot 1 on.
    Meeting scratch;
    scratch.ControlMode = 2;
    scratch.RiderName[2] = "Second";
    scratch.RiderAverage[2] = 0.5f;
    scratch.RiderName[7] = "Seventh";
    scratch.RiderAverage[9] = 0.9f;  // an average without a name is nobody
    StartRacing(scratch, LayoutFor(scratch));
    QCOMPARE(scratch.NumRiders, Integer{2});
    QCOMPARE(scratch.RiderName[1], std::string("Second"));
    QCOMPARE(scratch.RiderAverage[1], 0.5f);
    QCOMPARE(scratch.RiderName[2], std::string("Seventh"));
    QVERIFY(scratch.RiderName[7].empty());
    QCOMPARE(scratch.RiderAverage[9], 0.0f);
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::ProgrammeRulesTest)
#include "programme_rules_test.moc"
