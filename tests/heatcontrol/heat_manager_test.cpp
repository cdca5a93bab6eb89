// The heat manager window: its controls, keyboard use, the start-time window and the
// rider-replacement list; the rules behind them (a rider twice, Reset) are the model's tests.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "heatcontrol/frm_heat_mgr.h"
#include "support/meeting_builder.h"

namespace corvane {

namespace {

// Two teams of seven with two reserves each; the player steers LIONS (slots 1..7). The heat:
// A1, B1, A2, B2.
Meeting TeamMeeting() {
  Meeting m = testing::BuildMeeting(2, 2, 7);
  m.NumReserves = 2;
  m.MaxRidesRes = 6;
  m.ControlMode = 1;
  m.TeamControl[1] = 1;
  m.GroupTitle[1] = "LIONS";
  m.GroupTitle[2] = "BEARS";
  m.TacSubUse = 2;
  m.TacSubMargin = 6;
  testing::SetLineup(m, {1, 8, 2, 9});
  return m;
}

void PressEnter(frmHeatMgr& dialog) {
  QTest::keyClick(dialog.lstSubstitutes, Qt::Key_Return);
}

bool ListShown(const frmHeatMgr& dialog) {
  return !dialog.lstSubstitutes->isHidden();
}

}  // namespace

class HeatManagerTest : public QObject {
  Q_OBJECT

 private slots:
  void windowAsDesigned() {
    Meeting m = TeamMeeting();
    frmHeatMgr dialog(m);
    QCOMPARE(dialog.lstLineup->count(), 4);
    QVERIFY(!dialog.cmdReset->isEnabled() && dialog.cmdWithdraw->isEnabled());

    // Enter in the candidate list puts the rider in; it does not start the race.
    QCOMPARE(dialog.lstSubstitutes->count(), 2);
    QCOMPARE(dialog.lstSubstitutes->item(0)->text(), QStringLiteral("A6 (9.00)"));
    PressEnter(dialog);
    QCOMPARE(dialog.lstLineup->item(0)->text(), QStringLiteral("1.  A6 [LI]"));
    QCOMPARE(m.MeetingState, Integer{kRunOn});
    QVERIFY(dialog.cmdReset->isEnabled());

    dialog.optSubstitutes[2]->click();  // none in this heat: the reason instead of a list
    QVERIFY(!dialog.lblInfo->isHidden() && !ListShown(dialog));

    dialog.lstLineup->setCurrentRow(1);  // the computer's place
    QVERIFY(!dialog.cmdWithdraw->isEnabled());

    // Escape is Cancel: the meeting waits, the line-up is not written.
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(m.MeetingState, Integer{kWaitForUser});
    QCOMPARE(m.HeatGrid[1][1], Integer{1});
  }

  void incidentDuringTheStart() {
    Meeting m = TeamMeeting();
    m.SlotCursor = 3;
    m.MeetingState = kStartedFromEditor;
    m.RaceStatus[2] = kTimeExclusion;
    frmHeatMgr dialog(m);
    QCOMPARE(dialog.lstLineup->count(), 1);
    QVERIFY(dialog.cmdCancel->isHidden() && dialog.cmdWithdraw->isHidden());
    QVERIFY(!dialog.lblSubstitutes->isHidden() && dialog.optSubstitutes[1]->isHidden());
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_Escape);  // the race cannot be called off now
    QVERIFY(dialog.isVisible());
    QCOMPARE(m.MeetingState, Integer{kStartedFromEditor});
    PressEnter(dialog);
    dialog.cmdStart->click();
    QVERIFY(!dialog.isVisible());
    QVERIFY(m.HeatGrid[3][1] == 6 && m.SlotCursor == 2 && m.MeetingState == kHeatDecided);
  }

  // The rider-replacement kind in the window: the list offers the team-mates within reach of
  // the replaced rider, and Enter puts the first of them in his place.
  void riderReplacementThroughTheWindow() {
    Meeting m = TeamMeeting();
    m.RdrRepUse = 2;
    m.RdrRepNow = 1;
    m.GroupReplacement[1] = {0, 5, 5};  // A5 is replaced, standing fifth
    m.RiderAverage[5] = 0;
    testing::SetLineup(m, {5, 8, 1, 9});
    frmHeatMgr dialog(m);
    QCOMPARE(dialog.lstLineup->item(0)->text(), QStringLiteral("1.  A5 [LI] - R/R"));
    dialog.optSubstitutes[3]->click();
    QVERIFY(ListShown(dialog));
    PressEnter(dialog);
    dialog.cmdStart->click();
    QCOMPARE(m.HeatGrid[1][1], Integer{3});
    QCOMPARE(m.RdrRepRides[3], Integer{1});
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::HeatManagerTest)
#include "heat_manager_test.moc"
