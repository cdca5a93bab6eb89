// The regulations dialog: the topics a competition lists, the enabling rules, the repairs made
// on leaving the number boxes, and the codes OK writes.
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "heatcontrol/frm_regulations.h"

namespace corvane {

namespace {

Meeting Teams(int teams) {
  Meeting m;
  m.NumTeams = m.NumGroups = static_cast<Integer>(teams);
  m.NumRiders = 4;
  return m;
}

Meeting Individual(int riders, int reserves) {
  Meeting m;
  m.NumRiders = static_cast<Integer>(riders);
  m.NumReserves = static_cast<Integer>(reserves);
  m.ResMode = 2;
  return m;
}

void Leave(QLineEdit* box) {
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(box, &out);
}

void Retype(QLineEdit* box, const QString& text) {
  box->clear();
  QTest::keyClicks(box, text);
}

QStringList ListTexts(const frmRegulations& d) {
  QStringList texts;
  for (int i = 0; i < d.lstOptions->count(); ++i) texts << d.lstOptions->item(i)->text();
  return texts;
}

}  // namespace

class RegulationsTest : public QObject {
  Q_OBJECT

 private slots:
  void topicsFollowTheCompetition() {
    Meeting m = Teams(6);
    m.RunoffMode = 2;
    m.TacSubUse = 1;
    m.SpclRaceMode = 1;
    m.SpclRaceName = "Heat Leader";
    m.BonusPts = 1;
    frmRegulations full(m, {});
    QCOMPARE(ListTexts(full),
             (QStringList{"Starting Grid", "Reserve Usage", "Tape Touching", "Runoffs",
                          "Tactical Substitutes", "Heat Leader", "Minimum Rides", "Bonus Points"}));
    // Each entry shows its own frame, and only that one.
    full.lstOptions->setCurrentRow(5);
    QVERIFY(!full.fra[kTopicSpecialRaces]->isHidden());
    QVERIFY(full.fra[kTopicStartGrid]->isHidden() && full.fra[kTopicMinRides]->isHidden());
    QVERIFY(full.optSpclRaces[1]->isChecked());

    // An individual meeting with reserves: no minimum rides, but reserve scores; OK writes
    // MinRides 0 all the same.
    Meeting single = Individual(16, 2);
    single.MinRides = 3;
    frmRegulations individual(single, {});
    QCOMPARE(ListTexts(individual),
             (QStringList{"Starting Grid", "Reserve Usage", "Tape Touching", "Reserve Scores"}));
    QVERIFY(!individual.chkResPlacings->isChecked());  // ResMode 2: out of the placings
    individual.chkResPlacings->setChecked(true);
    individual.cmdOK->click();
    QCOMPARE(single.MinRides, Integer{0});
    QCOMPARE(single.ResMode, Integer{0});
  }

  void runoffsBetweenTwoTeams() {
    Meeting m = Teams(2);
    m.RunoffMode = 1;
    m.RunoffDepth = 1;
    frmRegulations d(m, {});
    QCOMPARE(d.lstOptions->item(3)->text(), QStringLiteral("Runoff"));
    QCOMPARE(d.chkRunoff1->text(), QStringLiteral("&Hold if scores tied"));
    QVERIFY(d.chkRunoff2->isHidden() && d.txtCheckPos->isHidden());
    d.chkRunoff1->setChecked(true);
    d.cmdOK->click();
    QCOMPARE(m.RunoffMode, Integer{3});
  }

  void minorPositionRepairs() {
    Meeting six = Teams(6);
    six.RunoffMode = 2;
    six.RunoffDepth = 4;
    frmRegulations d(six, {});
    QCOMPARE(d.txtCheckPos->text(), QStringLiteral("4"));
    QVERIFY(d.chkRunoff2->isChecked() && d.txtCheckPos->isEnabled());
    Retype(d.txtCheckPos, QStringLiteral("9"));
    Leave(d.txtCheckPos);
    QCOMPARE(d.txtCheckPos->text(), QStringLiteral("5"));
    Retype(d.txtCheckPos, QStringLiteral("2"));
    Leave(d.txtCheckPos);
    QCOMPARE(d.txtCheckPos->text(), QStringLiteral("4"));
    d.chkRunoff2->setChecked(false);
    QVERIFY(!d.txtCheckPos->isEnabled());
    d.chkRunoff1->setChecked(true);
    d.cmdOK->click();
    QCOMPARE(six.RunoffMode, Integer{3});
    QCOMPARE(six.RunoffDepth, Integer{4});

    const Meeting individual = Individual(16, 2);
    QCOMPARE(RepairCheckPos("20", individual), std::string("13"));
    QCOMPARE(RepairCheckPos("", individual), std::string("4"));
    QCOMPARE(RepairCheckPos("7", individual), std::string("7"));
  }

  void tapesAndStartPenalty() {
    Meeting m = Teams(2);
    frmRegulations d(m, {});
    QVERIFY(d.optTapes[1]->isChecked());
    QVERIFY(!d.txtStartPen->isEnabled());
    QCOMPARE(d.txtStartPen->text(), QStringLiteral("15"));
    d.optTapes[2]->setChecked(true);
    QVERIFY(d.txtStartPen->isEnabled());
    d.txtStartPen->clear();
    Leave(d.txtStartPen);
    QCOMPARE(d.txtStartPen->text(), QStringLiteral("15"));
    // Only digits are taken, typed or pasted.
    QTest::keyClicks(d.txtStartPen, QStringLiteral("x-"));
    QCOMPARE(d.txtStartPen->text(), QStringLiteral("15"));
    d.cmdOK->click();
    QCOMPARE(m.StartPen, Integer{15});

    // A penalty held is shown, and comes back when the box is cleared.
    m.StartPen = 20;
    frmRegulations again(m, {});
    QVERIFY(again.optTapes[2]->isChecked() && again.txtStartPen->isEnabled());
    QCOMPARE(RepairStartPen("0", m), std::string("20"));
    again.optTapes[1]->setChecked(true);
    again.cmdOK->click();
    QCOMPARE(m.StartPen, Integer{0});
  }

  void reserveUseCodes() {
    for (Integer code = 0; code <= 7; ++code) QCOMPARE(ReserveUseCode(ReserveUseBoxes(code)), code);
    QCOMPARE(ReserveUseBoxes(9), (std::array<bool, 3>{}));

    Meeting m = Teams(2);
    frmRegulations d(m, {});
    QVERIFY(d.chkResUse1->isChecked() && d.chkResUse2->isChecked() && d.chkResUse3->isChecked());
    for (QCheckBox* box : {d.chkResUse1, d.chkResUse2, d.chkResUse3}) box->setChecked(false);
    d.cmdOK->click();
    QCOMPARE(m.ResUse, Integer{7});
    frmRegulations two(m, {});
    two.chkResUse1->setChecked(true);
    two.chkResUse3->setChecked(true);
    two.cmdOK->click();
    QCOMPARE(m.ResUse, Integer{5});
  }

  void tacticalSubstitutesMinimumRidesAndBonus() {
    Meeting m = Teams(2);
    m.TacSubUse = 2;
    m.TacSubMargin = 6;
    m.MinRides = 2;
    m.BonusPts = 2;
    m.StartGridOption = 2;
    frmRegulations d(m, {});
    QVERIFY(d.chkTacSubs->isChecked() && d.txtTacEnable->isEnabled());
    QCOMPARE(d.txtTacEnable->text(), QStringLiteral("6"));
    QVERIFY(d.optStartGrid[2]->isChecked());  // as the set-up left it
    QCOMPARE(d.txtMinRides->text(), QStringLiteral("2"));
    QCOMPARE(d.txtMinRides->maxLength(), 1);
    Retype(d.txtTacEnable, QStringLiteral("0"));
    Leave(d.txtTacEnable);
    QCOMPARE(d.txtTacEnable->text(), QStringLiteral("6"));
    Retype(d.txtTacEnable, QStringLiteral("8"));
    d.chkTacSubs->setChecked(false);
    QVERIFY(!d.txtTacEnable->isEnabled());
    d.txtMinRides->clear();
    Leave(d.txtMinRides);
    QVERIFY(d.txtMinRides->text().isEmpty());
    d.chkBonusPts->setChecked(false);
    d.optStartGrid[0]->setChecked(true);
    d.cmdOK->click();
    QCOMPARE(m.TacSubUse, Integer{1});
    QCOMPARE(m.TacSubMargin, Integer{8});
    QCOMPARE(m.MinRides, Integer{0});
    QCOMPARE(m.BonusPts, Integer{1});
    QCOMPARE(m.StartGridOption, Integer{0});
  }

  void cancelChangesNothingAndHelpOpensItsContext() {
    Meeting m = Teams(2);
    m.MinRides = 3;
    const Meeting before = m;
    int context = -1;
    frmRegulations d(m, [&context](QWidget*, int c) { context = c; });
    d.txtMinRides->clear();
    d.chkResUse1->setChecked(false);
    d.cmdHelp->click();
    QCOMPARE(context, 110);
    d.cmdCancel->click();
    QCOMPARE(m.MinRides, before.MinRides);
    QCOMPARE(m.ResUse, before.ResUse);
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::RegulationsTest)
#include "regulations_test.moc"
