// The programme editor: its window (boxes, Start Racing, line-ups) and the rules behind it.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <tuple>

#include "dialogmodels/programme_rules.h"
#include "progeditor/frm_prog_editor.h"

namespace corvane {

namespace {

const std::filesystem::path kBundledDatabase = CORVANE_SOURCE_DIR "/Lineups/Lineups.rdb";

Meeting League(int riders) {
  Meeting m;
  m.NumTeams = m.NumGroups = m.GroupsPerRow = 2;
  m.NumRiders = static_cast<Integer>(riders);
  m.CompIds[1] = "LGE";
  return m;
}

void Enter(QLineEdit* box) {
  QFocusEvent in(QEvent::FocusIn);
  QApplication::sendEvent(box, &in);
}
void Leave(QLineEdit* box) {
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(box, &out);
}

void Choose(QComboBox* box, int index) {
  box->setCurrentIndex(index);
  emit box->activated(index);
}

// Two teams of five riders, two reserves and an extra rider for rider replacement.
Meeting LeagueWithReplacement() {
  Meeting m = League(8);
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

class ProgEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { warnings_.clear(); }

  void averageAndNameBoxes() {
    Meeting m = League(7);
    frmProgEditor e(m, Setup(kBundledDatabase));
    QLineEdit* average = e.txtRdrAvge[1];
    Enter(average);
    QTest::keyClicks(average, QStringLiteral("9"));
    QCOMPARE(m.RiderAverage[1], 0.75f);
    Leave(average);
    QCOMPARE(average->text(), QStringLiteral("9.00"));
    Enter(average);
    QCOMPARE(average->text(), QStringLiteral("9"));
    for (const QString& out : {QStringLiteral("13"), QStringLiteral("1.5")}) {
      average->clear();
      QTest::keyClicks(average, out);
      QCOMPARE(m.RiderAverage[1], 0.0f);
      Leave(average);
      QVERIFY(average->text().isEmpty());
    }
    average->clear();
    QTest::keyClicks(average, QStringLiteral("8a-"));  // only digits and the separator count
    QCOMPARE(average->text(), QStringLiteral("8"));
    // The ends of the scale are held; a separator alone is no number yet: the held one stays.
    QCOMPARE(AverageFromText("2", 12, '.'), std::optional<Single>(Single(2.0 / 12)));
    QCOMPARE(AverageFromText("12", 12, '.'), std::optional<Single>(1.0f));
    QCOMPARE(AverageFromText("7,5", 10, ','), std::optional<Single>(0.75f));
    QCOMPARE(AverageFromText(".", 12, '.'), std::optional<Single>());

    QLineEdit* name = e.txtRdrName[2];
    QTest::keyClicks(name, QStringLiteral("  Ann Rider  "));
    QCOMPARE(m.RiderName[2], std::string("Ann Rider"));
    Leave(name);
    QCOMPARE(name->text(), QStringLiteral("Ann Rider"));

    QLineEdit* points = e.txtTmPts[2];
    QTest::keyClicks(points, QStringLiteral("12345"));
    QCOMPARE(points->text(), QStringLiteral("123"));
    QCOMPARE(m.GroupExtra[2], Integer{123});
  }

  void startRacingNeedsADate() {
    Meeting m = League(4);
    frmProgEditor e(m, Setup(kBundledDatabase));
    QVERIFY(!e.mnuMStart->isEnabled());
    QTest::keyClicks(e.txtDate->lineEdit(), QStringLiteral("1/6/24"));
    QVERIFY(e.mnuMStart->isEnabled());
    e.txtDate->lineEdit()->selectAll();
    QTest::keyClick(e.txtDate->lineEdit(), Qt::Key_Backspace);
    QVERIFY(!e.mnuMStart->isEnabled());
    QTest::keyClicks(e.txtDate->lineEdit(), QStringLiteral("today"));
    e.mnuMStart->trigger();
    QCOMPARE(m.MeetingState, Integer{kStartedFromEditor});
    QCOMPARE(e.result(), int(QDialog::Accepted));
  }

  void lineupsFromTheDatabase() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("test.rdb"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "Nine,LGE:9,R1,9.00,R2,8.00,R3,7.00,R4,6.00,R5,5.00,R6,4.00,R7,3.00,R8,2.50,R9,2.00\r\n"
        "Other,CUP:4,C1,5.00,C2,5.00,C3,5.00,C4,5.00\r\n");
    file.close();
    Meeting m = League(7);
    m.RiderName[8] = "Team B";
    m.GroupReplacement[1][1] = 2;
    frmProgEditor e(m, Setup(std::filesystem::path(path.toStdString())));
    QComboBox* team = e.txtTmName[1];
    QCOMPARE(team->count(), 1);
    QVERIFY(team->currentText().isEmpty());  // offering is not choosing
    Choose(team, 0);
    QVERIFY(m.GroupTitle[1] == "NINE" && m.RiderName[7] == "R7" && m.RiderAverage[1] == 0.75f);
    QCOMPARE(m.RiderName[8], std::string("Team B"));  // the 8th and 9th riders are left out
    QCOMPARE(m.GroupReplacement[1][1], Integer{0});

    // An individual meeting offers the line-ups in the title box, as written.
    Meeting single;
    single.NumRiders = 10;
    single.CompIds[1] = "LG*";
    frmProgEditor list(single, Setup(std::filesystem::path(path.toStdString())));
    Choose(list.txtTitle, 0);
    QVERIFY(single.TitleLines == "Nine" && single.RiderName[9] == "R9");
    QVERIFY(warnings_.empty());

    // A database that cannot be read is reported; nothing is offered.
    frmProgEditor none(m, Setup("/nonexistent/Lineups.rdb"));
    QCOMPARE(warnings_, QStringList{QStringLiteral("Rider Database not found")});
    QCOMPARE(none.txtTmName[1]->count(), 0);
  }

  void scratchRacingPacksTheRiders() {
    Meeting m;
    m.ControlMode = 2;
    m.CompetitionTitle = "Scratch Racing";
    frmProgEditor e(m, Setup(kBundledDatabase));
    QTest::keyClicks(e.txtRdrName[3], QStringLiteral("First"));
    QTest::keyClicks(e.txtRdrAvge[3], QStringLiteral("6"));
    QTest::keyClicks(e.txtRdrName[12], QStringLiteral("Second"));
    QTest::keyClicks(e.txtRdrAvge[14], QStringLiteral("9"));  // an average without a name
    QTest::keyClicks(e.txtDate->lineEdit(), QStringLiteral("today"));
    e.mnuMStart->trigger();
    QVERIFY(m.NumRiders == 2 && m.RiderName[1] == "First" && m.RiderName[2] == "Second");
    QVERIFY(m.RiderAverage[1] == 0.5f && m.RiderAverage[14] == 0.0f);  // 14 is nobody
  }

  // Which slot each row edits, for every kind of meeting.
  void rowsOfEachKindOfMeeting() {
    const EditorLayout league = LayoutFor(LeagueWithReplacement());
    QCOMPARE(Slots(league.sections[1]), (std::vector<int>{9, 10, 11, 12, 13, 14, 15, 16}));
    const auto& rows = league.sections[0].rows;
    QVERIFY(!rows[4].reserve && rows[5].reserve && rows[6].reserve);
    QVERIFY(rows[7].replacementSlot && !rows[7].reserve);

    // Track reserves: a block after the last team, in the slots they ride in.
    Meeting pool;
    pool.NumTeams = pool.NumGroups = 3;
    pool.NumRiders = 4;
    pool.NumReserves = 2;
    pool.ResMode = 2;
    QCOMPARE(Slots(LayoutFor(pool).sections.back()), (std::vector<int>{13, 14}));

    // After the main meeting the block takes the support riders, numbered as the heats name
    // them; it never runs past the last slot.
    Meeting support = LeagueWithReplacement();
    support.SupportMode = true;
    support.SupportRiders = 8;
    const EditorLayout riders = LayoutFor(support);
    QCOMPARE(Slots(riders.sections.back()), (std::vector<int>{17, 18, 19, 20, 21, 22, 23, 24}));
    QCOMPARE(riders.sections.back().rows[7].label, std::string("8:"));
    support.NumRiders = 8;
    support.NumGroups = support.NumTeams = 4;
    QCOMPARE(LayoutFor(support).sections.back().rows.size(), std::size_t{8});  // slots 33..40

    Meeting single;  // a single group keeps its reserves
    single.NumRiders = 18;
    single.NumReserves = 2;
    single.ResMode = 2;
    const EditorLayout one = LayoutFor(single);
    QCOMPARE(one.sections.size(), std::size_t{1});
    QVERIFY(one.sections[0].rows[16].reserve && !one.sections[0].rows[15].reserve);
    Meeting groups;  // groups share one block of reserves
    groups.NumGroups = 2;
    groups.NumRiders = 6;
    groups.NumReserves = 1;
    groups.ResMode = 2;
    QCOMPARE(Slots(LayoutFor(groups).sections.back()), (std::vector<int>{13}));
  }

  void movingAndReplacingRiders() {
    Meeting m = LeagueWithReplacement();
    const EditorLayout layout = LayoutFor(m);
    // The replacement rider (8) is no neighbour, nor is another team's rider (9).
    for (const auto& [slot, step, neighbour] :
         {std::tuple{2, -1, 1}, {1, -1, 0}, {7, 1, 0}, {8, -1, 0}, {9, -1, 0}}) {
      QVERIFY2(NeighbourSlot(layout, slot, step) == neighbour,
               qPrintable(QStringLiteral("slot %1, step %2").arg(slot).arg(step)));
    }

    QVERIFY(!CanReplaceRider(m, layout, 8));
    // Another rider takes the mark from the replaced one; the window tries the rest.
    QVERIFY(ToggleReplacedRider(m, layout, 4) && ToggleReplacedRider(m, layout, 3));
    QCOMPARE(m.GroupReplacement[1][1], Integer{3});
    ExchangeRiders(m, layout, 3, 4);  // the mark goes with the replaced rider
    QCOMPARE(m.GroupReplacement[1][1], Integer{4});

    Meeting none = LeagueWithReplacement();
    none.RdrRepUse = 0;
    QVERIFY(!CanReplaceRider(none, LayoutFor(none), 3));

    none.ControlMode = 2;  // scratch racing keeps its mode
    QVERIFY(!ToggleInteractive(none) && none.ControlMode == 2);
  }

  void startRacingTidiesTheLineups() {
    Meeting m = LeagueWithReplacement();
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
    QVERIFY(m.RiderName[8].empty() && m.RiderAverage[8] == 0.0f && m.RiderAverage[5] == 0.0f);
    QCOMPARE(m.RiderName[16], std::string("Extra B"));
    QVERIFY(m.GroupReplacement[2][1] == 9 && m.GroupReplacement[3][1] == 0);
  }

 private:
  ProgEditorSetup Setup(const std::filesystem::path& database) {
    ProgEditorSetup setup;
    setup.database = database;
    setup.today = QDate(2025, 1, 2);
    setup.warn = [this](QWidget*, const QString&, const QString& text) { warnings_ << text; };
    return setup;
  }

  QStringList warnings_;
};

}  // namespace corvane

QTEST_MAIN(corvane::ProgEditorTest)
#include "prog_editor_test.moc"
