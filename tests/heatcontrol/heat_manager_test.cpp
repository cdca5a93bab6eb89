// The heat manager window: its controls, keyboard use, the start-time window, and a
// whole bundled league match with one team steered through it.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <numeric>
#include <vector>

#include "engine/headless_host.h"
#include "engine/meeting_runner.h"
#include "engine/meeting_setup.h"
#include "engine/random_source.h"
#include "heatcontrol/frm_heat_mgr.h"
#include "riderdb/lineup_choice.h"
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
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Heat 1: Line-up"));
    QCOMPARE(dialog.lstLineup->count(), 4);
    QCOMPARE(dialog.lstLineup->item(1)->text(), QStringLiteral("2.  B1 [BE]"));
    QCOMPARE(dialog.fraReplacements->title(), QStringLiteral("LIONS"));
    // Tactical substitutes in use: the kinds are options; no scratch-racing controls.
    QVERIFY(!dialog.optSubstitutes[1]->isHidden() && !dialog.optSubstitutes[2]->isHidden());
    QVERIFY(dialog.optSubstitutes[3]->isHidden() && dialog.lblSubstitutes->isHidden());
    QVERIFY(dialog.cboStarters->isHidden() && dialog.cboHandicap->isHidden());
    QVERIFY(!dialog.cmdReset->isEnabled() && dialog.cmdWithdraw->isEnabled());

    // Enter in the candidate list puts the rider in; it does not start the race.
    QCOMPARE(dialog.lstSubstitutes->count(), 2);
    QCOMPARE(dialog.lstSubstitutes->item(0)->text(), QStringLiteral("A6 (9.00)"));
    PressEnter(dialog);
    QCOMPARE(dialog.lstLineup->item(0)->text(), QStringLiteral("1.  A6 [LI]"));
    QCOMPARE(m.MeetingState, Integer{kRunOn});
    QVERIFY(dialog.cmdReset->isEnabled());

    dialog.optSubstitutes[2]->click();
    QVERIFY(!dialog.lblInfo->isHidden() && !ListShown(dialog));
    QCOMPARE(dialog.lblInfo->text(),
             QStringLiteral("Tactical Substitutions may not be made in  this heat."));

    dialog.lstLineup->setCurrentRow(1);
    QCOMPARE(dialog.fraReplacements->title(), QStringLiteral("BEARS"));
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
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Heat 1 : Exclusion"));
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
    QCOMPARE(m.HeatGrid[3][1], Integer{6});
    QCOMPARE(m.SlotCursor, Integer{2});
    QCOMPARE(m.MeetingState, Integer{kHeatDecided});
  }

  // The bundled league match with the home team steered by the player: nominated riders,
  // rider replacement for a replaced rider, tactical substitutes when behind, a reserve.
  void leagueMatchSteeredHeatByHeat() {
    const std::filesystem::path source(CORVANE_SOURCE_DIR);
    HeadlessHost host;
    host.fillLineups = [&source](Meeting& m) {
      const auto offered = OfferLineupsFromFile(source / "Lineups" / "Lineups.rdb", m, false);
      QVERIFY(offered && offered.value().size() >= 2);
      for (int team = 1; team <= 2; ++team) {
        QVERIFY(LoadChosenLineup(m, team, offered.value()[static_cast<std::size_t>(team) - 1],
                                 source / "Lineups" / "Lineups.rdb"));
      }
      m.ControlMode = 1;
      m.TeamControl[1] = 1;
      m.GroupReplacement[1][1] = 3;  // A3 is replaced: team-mates take his rides
    };
    int shown = 0, incidents = 0, nominated = 0, replacements = 0, tactical = 0, reserves = 0;
    std::vector<int> tacticalRiders;
    host.heatManager = [&](Meeting& m) {
      ++shown;
      frmHeatMgr dialog(m);
      if (dialog.model().IncidentMode()) {  // replace the rider when anybody is offered
        ++incidents;
        if (ListShown(dialog)) PressEnter(dialog);
        dialog.cmdStart->click();
        return;
      }
      const auto before = m.HeatGrid;
      for (int row = 0; row < dialog.lstLineup->count(); ++row) {
        dialog.lstLineup->setCurrentRow(row);
        const int place = dialog.lstLineup->item(row)->data(Qt::UserRole).toInt();
        if (dialog.model().SlotTeam(place) != 1) {
          QCOMPARE(dialog.lblInfo->text(),
                   QStringLiteral("The computer is controlling this team."));
          continue;
        }
        const QString text = dialog.lstLineup->item(row)->text();
        if (text.contains(QLatin1String("Nominated Rider")) && ListShown(dialog)) {
          PressEnter(dialog);
          ++nominated;
        }
        if (dialog.lstLineup->item(row)->text().contains(QLatin1String("R/R"))) {
          dialog.optSubstitutes[3]->click();
          if (ListShown(dialog)) {
            PressEnter(dialog);
            ++replacements;
          }
          continue;
        }
        if (!dialog.optSubstitutes[2]->isHidden()) {
          dialog.optSubstitutes[2]->click();
          if (ListShown(dialog)) {
            tacticalRiders.push_back(dialog.lstSubstitutes->item(0)->data(Qt::UserRole).toInt());
            PressEnter(dialog);
            ++tactical;
          }
          dialog.optSubstitutes[1]->click();
        }
        if (m.HeatCount == 0 && row == 0 && ListShown(dialog)) {  // a reserve in heat 1
          PressEnter(dialog);
          ++reserves;
        }
      }
      dialog.cmdStart->click();
      QCOMPARE(m.MeetingState, Integer{kHeatDecided});
      for (int place = 1; place <= m.HeatRiders; ++place) {
        if (dialog.model().SlotTeam(place) != 1) {
          QCOMPARE(m.HeatGrid[static_cast<std::size_t>(place)],
                   before[static_cast<std::size_t>(place)]);
        }
      }
    };

    Meeting m;
    Pcg32Random random(5);
    const SetupOutcome outcome =
        NewMeeting(m, CompetitionChoice{"league-match.cfg", "League Match"}, Preferences{},
                   source / "Scripts", host, random);
    QCOMPARE(outcome, SetupOutcome::ReadyToRun);
    for (int continues = 0; m.MeetingState != kMeetingOver && continues < 60; ++continues) {
      RunProgramme(m, host, random);  // Meeting, Continue
    }
    QCOMPARE(m.MeetingState, Integer{kMeetingOver});
    QCOMPARE(m.HeatCount, Integer{15});
    QCOMPARE(shown - incidents, 15);

    QCOMPARE(nominated, 4);  // heats 14 and 15, two places each
    const auto homeTotal = [&m](const auto& rides) {
      return std::accumulate(rides.begin() + 1, rides.begin() + 1 + m.NumRiders, 0);
    };
    QCOMPARE(homeTotal(m.NominatedRides), 4);
    for (int heat : {14, 15}) {
      int lions = 0;
      for (int e = 1; e <= 4; ++e) {
        const int rider =
            m.HeatResults[static_cast<std::size_t>(heat)][static_cast<std::size_t>(e)][1];
        if (rider >= 1 && rider <= m.NumRiders) ++lions;
      }
      QCOMPARE(lions, 2);  // both nominated places ridden
    }

    // The replaced rider scores nothing: where no team-mate was left to take his ride he is a
    // non-starter.
    QCOMPARE(m.RiderPoints[3], Integer{0});
    QVERIFY(replacements >= 1);
    QCOMPARE(homeTotal(m.RdrRepRides), replacements);

    QCOMPARE(reserves, 1);
    for (int rider : tacticalRiders)
      QCOMPARE(m.TacSubRides[static_cast<std::size_t>(rider)], Integer{1});
    QVERIFY(tactical >= 1);  // behind by six or more at some point
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::HeatManagerTest)
#include "heat_manager_test.moc"
