// The control mode dialog: the frames shown and where they stand for the number of teams, and
// what OK writes.
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "heatcontrol/frm_control.h"

namespace corvane {

namespace {

Meeting Teams(int teams) {
  Meeting m;
  m.NumTeams = m.NumGroups = static_cast<Integer>(teams);
  return m;
}

int Px(const frmControl& d, int twips) {
  return d.Pixels(twips);
}

int ShownFrames(const frmControl& d) {
  int shown = 0;
  for (std::size_t t = 1; t <= 9; ++t) shown += d.fraControl[t]->isHidden() ? 0 : 1;
  return shown;
}

}  // namespace

class ControlTest : public QObject {
  Q_OBJECT

 private slots:
  void individualMeetingHasTeamAOnly() {
    Meeting m = Teams(1);
    m.TeamControl[2] = 1;  // outside the meeting: kept
    frmControl d(m, {});
    QCOMPARE(ShownFrames(d), 1);
    QCOMPARE(d.fraControl[1]->title(), QStringLiteral("Team A:"));
    QVERIFY(d.optControl[1]->isChecked());
    d.optControl[2]->setChecked(true);
    d.cmdOK->click();
    QCOMPARE(m.TeamControl[1], Integer{1});
    QCOMPARE(m.ControlMode, Integer{1});
    QCOMPARE(m.TeamControl[2], Integer{1});
  }

  void twoTeamsSideBySide() {
    Meeting m = Teams(2);
    m.TeamControl[2] = 1;
    m.ControlMode = 1;
    frmControl d(m, {});
    QCOMPARE(ShownFrames(d), 2);
    QVERIFY(d.optControl[4]->isChecked());
    QCOMPARE(d.fraControl[2]->pos(), QPoint(Px(d, 1665), Px(d, 90)));
    QCOMPARE(d.width(), Px(d, 3300));
    QCOMPARE(d.cmdOK->x(), Px(d, 135));
    QCOMPARE(d.cmdOK->y(), d.height() - Px(d, 870));
    // All computer: the heat manager is never needed.
    d.optControl[3]->setChecked(true);
    d.cmdOK->click();
    QCOMPARE(m.TeamControl[2], Integer{0});
    QCOMPARE(m.ControlMode, Integer{0});
  }

  void fourTeamsOnePlayer() {
    Meeting m = Teams(4);
    int context = 0;
    frmControl d(m, [&context](QWidget*, int c) { context = c; });
    QCOMPARE(ShownFrames(d), 4);
    QCOMPARE(d.fraControl[3]->pos(), QPoint(Px(d, 1665), Px(d, 90)));
    QCOMPARE(d.fraControl[4]->pos(), QPoint(Px(d, 1665), Px(d, 920)));
    d.cmdHelp->click();
    QCOMPARE(context, 130);
    d.optControl[6]->setChecked(true);  // team C
    d.cmdOK->click();
    QCOMPARE(m.ControlMode, Integer{1});
    QCOMPARE(m.TeamControl[3], Integer{1});
    QCOMPARE(m.TeamControl[1] + m.TeamControl[2] + m.TeamControl[4], 0);
  }

  void arrangementsByTeamCount() {
    const ControlLayout seven = ArrangeControl(7);
    QCOMPARE(seven.frames[4], (TwipsPoint{135, 2580}));
    QCOMPARE(seven.frames[8], (TwipsPoint{1665, 2580}));
    QCOMPARE(seven.innerHeight, 2580 + 1820);
    QCOMPARE(seven.buttonTop, seven.innerHeight - 870);
    const ControlLayout nine = ArrangeControl(9);
    QCOMPARE(nine.frames[9], (TwipsPoint{3195, 1750}));
    QVERIFY(nine.buttonTop >= 1750 + kControlFrameHeight);  // below the last row
    const ControlLayout three = ArrangeControl(3);
    QCOMPARE(three.frames[3], (TwipsPoint{3195, 90}));
    QCOMPARE(three.innerWidth, nine.innerWidth);
  }

  void cancelAndScratchRacing() {
    Meeting m = Teams(2);
    frmControl d(m, {});
    d.optControl[2]->setChecked(true);
    d.cmdCancel->click();
    QCOMPARE(m.TeamControl[1], Integer{0});

    // Scratch racing keeps its mode whoever steers.
    m.ControlMode = 2;
    WriteControl(PlayerChoice{false, true, false}, m);
    QCOMPARE(m.ControlMode, Integer{2});
    QCOMPARE(m.TeamControl[1], Integer{1});
  }

  void playerDefaultsFromThePreferences() {
    Preferences prefs;
    prefs.PrefPlayers[3] = 1;
    Meeting two = Teams(2);
    ApplyPlayerDefaults(prefs, two);
    QCOMPARE(two.TeamControl[3], Integer{1});
    QCOMPARE(two.ControlMode, Integer{0});  // team C does not ride
    Meeting three = Teams(3);
    ApplyPlayerDefaults(prefs, three);
    QCOMPARE(three.ControlMode, Integer{1});
    Meeting scratch = Teams(1);
    scratch.ControlMode = 2;
    ApplyPlayerDefaults(prefs, scratch);
    QCOMPARE(scratch.ControlMode, Integer{2});
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::ControlTest)
#include "control_test.moc"
