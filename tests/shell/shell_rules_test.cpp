// The shell apart from its main window: the settings store, the preferences dialog and its
// competitions list, menu columns, the command line, competition titles, paths in the data
// folders, the results file and the desktop file types.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "shell/app_info.h"
#include "shell/command_line.h"
#include "shell/file_types.h"
#include "shell/frm_preferences.h"
#include "shell/menu_layout.h"
#include "shell/preferences_editor.h"
#include "shell/results_file.h"
#include "shell/results_printer.h"
#include "shell/settings_store.h"
#include "shell/settings_values.h"
#include "tests/shell/answering_dialogs.h"

namespace corvane {

namespace {

constexpr ScreenTwips kScreen{9600, 7200};

ShellSettings Read(const SettingsValues& values, ScreenTwips screen = kScreen) {
  return ReadShellSettings(values, screen);
}

ShellSettings Load(const QString& store, const QString& defaults = QString(),
                   const QString& version = QStringLiteral("0.1")) {
  return LoadSettings({store, defaults}, version, kScreen);
}

std::string ValueIn(const SettingsValues& values, const std::string& key) {
  for (const auto& [name, text] : values) {
    if (name == key) return text;
  }
  return "<missing>";
}

std::vector<CompetitionEntry> ThreeCompetitions() {
  return {{"League", "league.cfg"}, {"Cup", "cup.cfg"}, {"Pairs", "-"}};
}

// Types into a box and leaves it, as a user does.
void TypeAndLeave(QLineEdit* box, const QString& text) {
  box->setFocus();
  box->selectAll();
  QTest::keyClicks(box, text);
  emit box->editingFinished();
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class ShellRulesTest : public QObject {
  Q_OBJECT

 private slots:
  void numbersTakeTheirDefaultsOutOfRange() {
    const ShellSettings s = Read({{"DefMaxAvge", "100"},
                                  {"DefHomeAdv", "2"},
                                  {"DefStartPrefs", "-1"},
                                  {"DefPlayers", "1,0,2,1.4,x,1,,1,1,1,1"}});
    QVERIFY(s.prefs.PrefMaxAverage == 12 && s.prefs.PrefHomeAdvantage == 0);
    QCOMPARE(s.prefs.PrefStartGrid, Integer{0});
    // 1.4 rounds to 1; the tenth and later fields are not read.
    QCOMPARE(s.prefs.PrefPlayers, (std::array<Integer, 10>{0, 1, 0, 0, 1, 0, 1, 0, 1, 1}));

    QCOMPARE(Read({{"DefMaxAvge", "15.5 points"}}).prefs.PrefMaxAverage, Integer{16});  // to even
    QCOMPARE(Read({{"DefMaxAvge", "99999999"}}).prefs.PrefMaxAverage, Integer{12});

    const ShellSettings marks =
        Read({{"DefProgMarking", "n,fn,,Exc,R,F,Fx,X,0,1,2,3,4,5,6,7,+,1"}});
    QCOMPARE(marks.prefs.PrefMarks[3], std::string("N2"));  // empty: its default
    QCOMPARE(marks.prefs.PrefMarks[4], std::string("Ex"));  // cut to two characters
    QVERIFY(marks.prefs.PrefMarks[17] == "+" && marks.prefs.PrefTeamScoring == 1);
    // Non-ASCII marks are counted as characters.
    QCOMPARE(Read({{"DefProgMarking", "\u00e9\u0142\u00e0"}}).prefs.PrefMarks[1],
             std::string("\u00e9\u0142"));
  }

  void competitions() {
    const ShellSettings s = Read({{"Competitions/MenuPos01", "League Match, league-match.cfg"},
                                  {"Competitions/MenuPos02", "-"},
                                  {"Competitions/MenuPos03", " , orphan.cfg"},
                                  {"Competitions/MenuPos04", std::string(45, 'L') + ",x.cfg"},
                                  {"Competitions/MenuPos05", "No File"},
                                  {"Competitions/Other", "Cup, /home/me/a,b.cfg"},
                                  {"DefMaxAvge", "Not, a competition"}});
    const std::vector<CompetitionEntry> expected{{"League Match", "league-match.cfg"},
                                                 {std::string(40, 'L'), "x.cfg"},
                                                 {"No File", ""},
                                                 {"Cup", "/home/me/a,b.cfg"}};
    QCOMPARE(s.competitions, expected);

    SettingsValues many;
    for (int i = 0; i < 120; ++i) many.emplace_back("Competitions/C" + std::to_string(i), "C");
    QCOMPARE(Read(many).competitions.size(), std::size_t{99});
  }

  void windowPlacement() {
    const SettingsValues narrow{{"MainWindow/Width", "1500"}, {"MainWindow/WindowState", "1"}};
    QCOMPARE(Read(narrow, {6000, 7200}).window.width, 6000);  // the default, within the screen
    QCOMPARE(Read(narrow).window.state, 0);                   // minimised starts normal

    const ShellSettings kept = Read({{"MainWindow/Left", "9600"},
                                     {"MainWindow/Top", "120"},
                                     {"MainWindow/Height", "405"},
                                     {"MainWindow/Width", "1680"},
                                     {"MainWindow/WindowState", "2"}});
    QCOMPARE(kept.window, (WindowPlacement{9600, 120, 405, 1680, 2}));
    const ShellSettings off = Read(
        {{"MainWindow/Left", "-15"}, {"MainWindow/Top", "7201"}, {"MainWindow/Height", "404"}});
    QCOMPARE(off.window, (WindowPlacement{0, 0, 6200, 9600, 0}));  // as wide as the screen
    // On a wide screen the first run is wide enough for the bundled competitions' reports, with
    // the Forecast panel beside them when it is wanted.
    QCOMPARE(Read({}, {28800, 16200}).window.width, 20400);
    QCOMPARE(Read({{"MainWindow/ShowForecast", "0"}}, {28800, 16200}).window.width, 13800);
    // Twips of a wide screen exceed 16 bits.
    QCOMPARE(Read({{"MainWindow/Width", "40000"}}, {57600, 32400}).window.width, 40000);
  }

  void writtenValues() {
    ShellSettings s;
    s.prefs.PrefPlayers[2] = 1;
    s.prefs.PrefMarks[5] = "R,";
    s.prefs.PrefTeamScoring = 1;
    s.competitions = {{"League, Premier", "league.cfg"}, {"Scratch", ""}};
    s.window = {15, 30, 6000, 7000, 0};
    const SettingsValues values = WriteShellSettings(s, "2.3");
    // A comma in a caption or mark would shift the fields that follow when read back.
    QCOMPARE(ValueIn(values, "Competitions/MenuPos01"), std::string("League  Premier, league.cfg"));
    QCOMPARE(ValueIn(values, "Competitions/MenuPos02"), std::string("Scratch"));
    QCOMPARE(ValueIn(values, "DefPlayers"), std::string("0,1,0,0,0,0,0,0,0,"));
    QCOMPARE(ValueIn(values, "DefProgMarking"),
             std::string("N,Fn,N2,E,R ,F,Fx,X,0,1,2,3,4,5,6,7,*,1"));

    s.window.state = 2;
    const SettingsValues maximised = WriteShellSettings(s, "2.3");
    QVERIFY(ValueIn(maximised, "MainWindow/WindowState") == "2" &&
            ValueIn(maximised, "MainWindow/Left") == "<missing>");

    QVERIFY(NeedsImport("1.2", "1.1") && !NeedsImport("1.2", "1.2"));
    QVERIFY(!NeedsImport("1.10", "1.9"));  // 1.10 reads as 1.1
  }

  void roundTripThroughTheStore() {
    QTemporaryDir folder;
    const QString store = folder.filePath(QStringLiteral("config/Corvane Meeting.ini"));
    ShellSettings s;
    s.prefs.PrefMaxAverage = 15;
    s.prefs.PrefHomeAdvantage = 1;
    s.prefs.PrefStartGrid = 2;
    s.prefs.PrefRiderDbFile = "/home/me/teams.rdb";
    s.prefs.PrefPlayers[9] = 1;
    s.prefs.PrefMarks[17] = "\u00b0";
    s.competitions = {{"Caf\u00e9 \u0141\u00f3d\u017a Cup", "cafe.cfg"},
                      {"League Match", "league-match.cfg"}};
    s.window = {150, 300, 6000, 8000, 0};
    QVERIFY(SaveSettings(store, s, QStringLiteral("0.1")).ok());

    const auto fields = [](const ShellSettings& x) {
      const Preferences& p = x.prefs;
      return std::tie(p.PrefMaxAverage, p.PrefHomeAdvantage, p.PrefStartGrid, p.PrefRiderDbFile,
                      p.PrefPlayers, p.PrefMarks, x.competitions, x.window);
    };
    QVERIFY(fields(Load(store)) == fields(s));

    // Saving replaces the whole store: keys the program no longer writes are gone.
    QSettings(store, QSettings::IniFormat)
        .setValue(QStringLiteral("Competitions/Stale"), QStringLiteral("Old, old.cfg"));
    s.competitions.pop_back();
    QVERIFY(SaveSettings(store, s, QStringLiteral("0.1")).ok());
    QCOMPARE(Load(store).competitions.size(), std::size_t{1});

    // Lists typed by hand without quotes read as text.
    QFile file(store);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "[General]\nVersion=0.1\nDefPlayers=1,0,1,0,0,0,0,0,0,\n"
        "[Competitions]\nMenuPos01=Hand Typed, typed.cfg\n");
    file.close();
    const ShellSettings typed = Load(store);
    QVERIFY(typed.prefs.PrefPlayers[3] == 1 && typed.competitions.size() == 1);

    // A store that cannot be written is reported with its name.
    const Status saved =
        SaveSettings(store + QStringLiteral("/store.ini"), ShellSettings{}, QStringLiteral("0.1"));
    QVERIFY(!saved.ok() &&
            saved.error().find("Corvane Meeting.ini/store.ini") != std::string::npos);
  }

  void firstRunImportsTheShippedDefaults() {
    QTemporaryDir folder;
    const QString store = folder.filePath(QStringLiteral("store.ini"));
    const QString defaults = QStringLiteral(CORVANE_SOURCE_DIR "/shell/corvane-defaults.ini");
    const ShellSettings first = Load(store, defaults);
    QCOMPARE(first.competitions.size(), std::size_t{6});
    QCOMPARE(first.competitions[0], (CompetitionEntry{"League Match", "league-match.cfg"}));

    // The user's own settings, written at the end of that run, survive the next start.
    ShellSettings mine = first;
    mine.competitions.resize(1);
    mine.prefs.PrefMaxAverage = 20;
    QVERIFY(SaveSettings(store, mine, QStringLiteral("0.1")).ok());
    QCOMPARE(Load(store, defaults).prefs.PrefMaxAverage, Integer{20});

    // A newer version keeps the user's settings; the defaults fill what is missing and append
    // the bundled competitions not yet listed, after the user's own.
    mine.competitions = {{"My Cup", "mine.cfg"}, {"Renamed League", "league-match.cfg"}};
    mine.window = {150, 300, 6000, 8000, 0};
    QVERIFY(SaveSettings(store, mine, QStringLiteral("0.1")).ok());
    QSettings(store, QSettings::IniFormat).remove(QStringLiteral("RiderFile"));
    const ShellSettings upgraded = Load(store, defaults, QStringLiteral("0.2"));
    QVERIFY(upgraded.prefs.PrefMaxAverage == 20 && upgraded.window == mine.window);
    QCOMPARE(QSettings(store, QSettings::IniFormat).value(QStringLiteral("RiderFile")).toString(),
             QStringLiteral("Lineups.rdb"));
    QCOMPARE(upgraded.competitions.size(), std::size_t{7});
    QCOMPARE(upgraded.competitions[1], mine.competitions[1]);
    QCOMPARE(upgraded.competitions[2],
             (CompetitionEntry{"Four Team Tournament", "four-team-tournament.cfg"}));
    QCOMPARE(Load(store, defaults, QStringLiteral("0.2")).competitions, upgraded.competitions);

    // A stored version newer than the running one, or no defaults file, changes nothing.
    QVERIFY(SaveSettings(store, mine, QStringLiteral("0.3")).ok());
    QCOMPARE(Load(store, defaults, QStringLiteral("0.2")).competitions, mine.competitions);
    QVERIFY(SaveSettings(store, mine, QStringLiteral("0.1")).ok());
    const ShellSettings bare =
        Load(store, folder.filePath(QStringLiteral("none.ini")), QStringLiteral("0.2"));
    QVERIFY(bare.prefs.PrefMaxAverage == 20 && bare.competitions == mine.competitions);
  }

  // Add goes before the selected line (at the end with none); after Delete the line now in
  // its place is selected, or the new last one.
  void competitionListCommands() {
    CompetitionListEditor list(ThreeCompetitions());
    list.Select(1);
    list.Add();
    QVERIFY(list.entries().size() == 4 && list.entries()[1].caption == "<New Meeting>");
    QCOMPARE(list.selected(), 1);
    list.Select(-1);
    list.Add();
    QCOMPARE(list.selected(), 4);

    list.Select(0);
    list.MoveDown();  // the file moves with its title
    QCOMPARE(list.SelectedFile(), std::string("league.cfg"));
    list.Select(4);
    list.Delete();
    QCOMPARE(list.selected(), 3);
    list.Select(1);
    list.Delete();
    QCOMPARE(list.entries()[static_cast<std::size_t>(list.selected())].caption, std::string("Cup"));
    while (list.CanDelete()) list.Delete();
    QVERIFY(list.selected() == -1 && !list.CanMoveUp() && !list.CanMoveDown());
    list.TypeConfigFile("x.cfg");  // no line: nothing to change

    CompetitionListEditor full(std::vector<CompetitionEntry>(99, {"C", "c.cfg"}));
    full.Add();
    QVERIFY(!full.CanAdd() && full.entries().size() == 99);

    CompetitionListEditor files(ThreeCompetitions());
    files.TypeConfigFile("  other.cfg ");
    files.Select(2);
    files.TypeConfigFile("pairs.cfg");  // a "-" file stays
    QCOMPARE(files.SelectedFile(), std::string("-"));
    files.SetSelectedTitle("");
    // Lines without a title give no menu item.
    QCOMPARE(files.MenuEntries(),
             (std::vector<CompetitionEntry>{{"League", "other.cfg"}, {"Cup", "cup.cfg"}}));
  }

  // The dialog shows the settings; OK applies every control. Boxes left empty or out of range
  // put back the last good value (the rider file: the current one); an empty mark, the
  // settings' one.
  void preferencesDialogShowsAndApplies() {
    Preferences prefs;
    prefs.PrefStartGrid = 2;
    prefs.PrefPlayers[1] = 1;
    prefs.PrefHomeAdvantage = 1;
    prefs.PrefMarks[3] = "T";
    AnsweringDialogs dialogs;
    frmPreferences dialog(prefs, ThreeCompetitions(), AppFolders{QStringLiteral("/nowhere")},
                          dialogs);
    QVERIFY(dialog.optControl[2]->isChecked() && dialog.optControl[3]->isChecked());  // A: player
    QVERIFY(!dialog.cmdMoveUp->isEnabled() && !dialog.txtProgMarking->isEnabled());

    dialog.show();
    dialog.optControl[1]->setChecked(true);  // team A: computer
    dialog.optStartGrid[3]->setChecked(true);
    dialog.optControl[18]->setChecked(true);  // team I: player
    dialog.chkTmScoring->setChecked(true);
    TypeAndLeave(dialog.txtMaxAvge, QStringLiteral("20"));
    for (const QString& refused : {QStringLiteral("0"), QStringLiteral("100"), QString()}) {
      TypeAndLeave(dialog.txtMaxAvge, refused);
      QCOMPARE(dialog.txtMaxAvge->text(), QStringLiteral("20"));
    }
    TypeAndLeave(dialog.txtRdrFile, QString());
    QCOMPARE(dialog.txtRdrFile->text(), QStringLiteral("Lineups.rdb"));

    dialog.lstProgMarking->setCurrentItem(dialog.lstProgMarking->topLevelItem(0));
    TypeAndLeave(dialog.txtProgMarking, QString());
    QCOMPARE(dialog.txtProgMarking->text(), QStringLiteral("N"));
    TypeAndLeave(dialog.txtProgMarking, QStringLiteral("NS"));
    QCOMPARE(dialog.lstProgMarking->topLevelItem(0)->text(1), QStringLiteral("NS"));

    dialog.lstCompetitions->setCurrentRow(1);
    QTest::mouseClick(dialog.cmdMoveUp, Qt::LeftButton);
    QCOMPARE(dialog.lstCompetitions->currentRow(), 0);
    TypeAndLeave(dialog.txtConfigFile, QStringLiteral("cup2.cfg"));

    QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const Preferences& p = dialog.applied().prefs;
    QVERIFY(p.PrefStartGrid == 3 && p.PrefPlayers[9] == 1 && p.PrefPlayers[1] == 0);
    QVERIFY(p.PrefHomeAdvantage == 1 && p.PrefTeamScoring == 1 && p.PrefMaxAverage == 20);
    QVERIFY(p.PrefMarks[1] == "NS" && p.PrefMarks[3] == "T");
    QCOMPARE(dialog.applied().competitions,
             (std::vector<CompetitionEntry>{
                 {"Cup", "cup2.cfg"}, {"League", "league.cfg"}, {"Pairs", "-"}}));
  }

  // What a browsed file brings into the list: its title line's caption, and the checker's line.
  void competitionTitleAndCheckLine() {
    QTemporaryDir root;
    const QString titled = root.filePath(QStringLiteral("premier.cfg"));
    const QString other = root.filePath(QStringLiteral("untitled.cfg"));
    WriteFile(titled, "# comment~not this\nNUMTEAMS=2\nLeague~Premier Match\n");
    WriteFile(other, "NUMTEAMS=2\n1:A1,B1\n");
    QCOMPARE(ReadCompetitionTitle(titled.toStdString()).value_or("none"),
             std::string("Premier Match"));
    QVERIFY(!ReadCompetitionTitle(other.toStdString()));
    QCOMPARE(CompetitionCheckLine(other.toStdString()),
             std::string("untitled.cfg: 3 problems found (corvane-run --check lists them)"));
  }

  void competitionMenuColumns() {
    // 99 items and the separator and Scratch Racing on a screen of 7,200 twips: four columns
    // of 25, breaking before positions 25, 50 and 75.
    QCOMPARE(CompetitionMenuBreaks(99, 7200).breaks, (std::vector<int>{25, 50, 75}));

    // A column exactly as high as the screen does not fit: (26 + 2) x 255 = 7,140.
    QVERIFY(CompetitionMenuBreaks(26, 7140).columns == 2);
    QVERIFY(CompetitionMenuBreaks(26, 7141).columns == 1);

    // A screen lower than one item still ends, with one item a column.
    QCOMPARE(CompetitionMenuBreaks(3, 0).breaks, (std::vector<int>{1, 2}));
  }

  // Printed reports shrink so their widest line is not wrapped, down to the smallest size.
  void printSizeFitsThePage() {
    QCOMPARE(FittingPointSize(500, 1000), kPrintPointSize);
    QCOMPARE(FittingPointSize(0, 1000), kPrintPointSize);
    QVERIFY(qAbs(FittingPointSize(1250, 1000) - 7.84) < 1e-9);
    QCOMPARE(FittingPointSize(5000, 1000), kSmallestPrintPointSize);
  }

  void commandLine() {
    // A quoted path keeps its blanks.
    QCOMPARE(CommandFileFrom({"/home/me/My Meetings/final.mtg"}),
             std::string("/home/me/My Meetings/final.mtg"));
    QVERIFY(IsMeetingFileName("/tmp/a.MTG") && IsMeetingFileName("b.Mtg"));
    QVERIFY(!IsMeetingFileName("mtg") && !IsMeetingFileName("/tmp/a.mtgx"));
    QVERIFY(IsSeasonFileName("a.Season") && !IsSeasonFileName("a.seasons"));

    // Help and version are answered wherever they stand; other options only once Qt has taken
    // its own.
    QVERIFY(!CommandLineInfo({"final.mtg"}, "1.2.3", true));
    QVERIFY(!CommandLineInfo({"-style", "fusion"}, "1.2.3", false));
    QCOMPARE(CommandLineInfo({"a.mtg", "--version"}, "1.2.3", false)->text,
             std::string("corvane 1.2.3\n"));
    QVERIFY(CommandLineInfo({"-h"}, "1", false)->text.starts_with("Usage: corvane"));
    const auto unknown = CommandLineInfo({"--bogus"}, "1", true);
    QVERIFY(unknown && unknown->error && unknown->text.find("--bogus") != std::string::npos);
  }

  // Files inside the bundled folder, or the user's folder before it, are named relative to it;
  // a sibling folder whose name starts like the bundled one is not inside it.
  void pathsInsideTheFolders() {
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("user"));
    QDir(root.path()).mkpath(QStringLiteral("share/Scripts/more"));
    const std::string user = root.filePath(QStringLiteral("user")).toStdString();
    const std::string scripts = root.filePath(QStringLiteral("share/Scripts")).toStdString();
    const std::string sibling = scripts + "2/cup.cfg";
    const std::string other = root.filePath(QStringLiteral("other.cfg")).toStdString();
    QCOMPARE(PathForFolder(scripts + "/more/cup.cfg", scripts), std::string("more/cup.cfg"));
    QCOMPARE(PathForFolder(other, scripts), other);
    QCOMPARE(PathForFolder(sibling, scripts), sibling);
    QCOMPARE(PathForFolders(user + "/my.cfg", user, scripts), std::string("my.cfg"));
    QCOMPARE(PathForFolders(scripts + "/league.cfg", user, scripts), std::string("league.cfg"));
    QCOMPARE(PathForFolders(other, user, scripts), other);

    // New files are proposed in the user's folder only once it exists; an empty name, the folder.
    AppFolders folders{root.filePath(QStringLiteral("share")),
                       root.filePath(QStringLiteral("none"))};
    QCOMPARE(folders.proposedFile(QStringLiteral("a.mtg")), QStringLiteral("a.mtg"));
    folders.user = QString::fromStdString(user);
    QCOMPARE(folders.proposedFile(QStringLiteral("a.mtg")),
             folders.user + QStringLiteral("/a.mtg"));
    QCOMPARE(folders.proposedFile(QString()), folders.user);
  }

  void resultsFileText() {
    QCOMPARE(ResultsFileBytes(QStringLiteral("a\nb")), QByteArray("a\r\nb\r\n\r\n"));
    QCOMPARE(ResultsFileBytes(QStringLiteral("a\r\n")), QByteArray("a\r\n\r\n\r\n"));
    QCOMPARE(ResultsFileBytes(QStringLiteral("Caf\u00e9")), QByteArray("Caf\xc3\xa9\r\n\r\n"));
  }

  void fileTypesWrittenOnceAndToolsStarted() {
    QTemporaryDir home;
    const FileTypeTargets targets{home.path(),
                                  QStringLiteral("/opt/corvane $1/corvane"),
                                  QStringLiteral("/opt/corvane $1/tavrel"),
                                  {}};
    QStringList started;
    const DetachedStarter record = [&started](const QString& program, const QStringList& args) {
      started << program + QLatin1Char(' ') + args.join(QLatin1Char(' '));
    };
    RegisterFileTypes(targets, record);
    QCOMPARE(started, (QStringList{QStringLiteral("update-mime-database ") + home.path() + "/mime",
                                   QStringLiteral("update-desktop-database ") + home.path() +
                                       "/applications"}));
    const QByteArray mime = ReadAll(home.filePath(QStringLiteral("mime/packages/corvane.xml")));
    QVERIFY(mime.contains("<glob pattern=\"*.mtg\"/>"));
    QVERIFY(mime.contains("<glob pattern=\"*.season\"/>"));
    const QByteArray desktop =
        ReadAll(home.filePath(QStringLiteral("applications/corvane.desktop")));
    QVERIFY(desktop.contains("Exec=\"/opt/corvane \\\\$1/corvane\" %f\n"));
    QVERIFY(
        desktop.contains("MimeType=application/x-corvane-meeting;application/x-corvane-season;\n"));

    // Nothing changed: nothing written, no tool started.
    started.clear();
    RegisterFileTypes(targets, record);
    QVERIFY(started.isEmpty());

    // A data folder that cannot be written is passed over.
    QTemporaryDir blocked;
    WriteFile(blocked.filePath(QStringLiteral("mime")), "");  // a file where a folder should be
    RegisterFileTypes({blocked.path(), QStringLiteral("/c"), QStringLiteral("/t"), {}}, record);
    QVERIFY(started.size() == 1 && started[0].startsWith(QStringLiteral("update-desktop")));
  }

  void fileTypesLeftToAnInstalledSystem() {
    // The system provides the MIME package and Corvane's entry: the user's folder gets only
    // Tavrel's, and the copies an earlier version wrote there are taken away; a file the user
    // wrote is left alone.
    QTemporaryDir home;
    QTemporaryDir system;
    QVERIFY(QDir(system.path()).mkpath(QStringLiteral("mime/packages")));
    QVERIFY(QDir(system.path()).mkpath(QStringLiteral("applications")));
    WriteFile(system.filePath(QStringLiteral("mime/packages/corvane.xml")), "x");
    WriteFile(system.filePath(QStringLiteral("applications/corvane.desktop")), "x");
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("mime/packages")));
    QVERIFY(QDir(home.path()).mkpath(QStringLiteral("applications")));
    const QString program = QStringLiteral("/usr/games/corvane");
    const QByteArray earlier =
        "[Desktop Entry]\nType=Application\nName=Corvane Meeting\nComment=Simulate race meetings "
        "of motorcycle track racing\nTryExec=/usr/games/corvane\nExec=\"/usr/games/corvane\" "
        "%f\nIcon=corvane\nMimeType=application/x-corvane-meeting;\nTerminal=false\n"
        "Categories=Game;SportsGame;\n";
    WriteFile(home.filePath(QStringLiteral("applications/corvane.desktop")), earlier);
    WriteFile(home.filePath(QStringLiteral("mime/packages/corvane.xml")), "the user's own");
    QStringList started;
    const DetachedStarter record = [&started](const QString& tool, const QStringList&) {
      started << tool;
    };
    RegisterFileTypes({home.path(), program, QStringLiteral("/t/tavrel"), {system.path()}}, record);
    QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("applications/corvane.desktop"))));
    QCOMPARE(ReadAll(home.filePath(QStringLiteral("mime/packages/corvane.xml"))),
             QByteArray("the user's own"));
    QVERIFY(ReadAll(home.filePath(QStringLiteral("applications/tavrel.desktop")))
                .contains("GenericName=Rider Database Editor\n"));
    QCOMPARE(started, QStringList{QStringLiteral("update-desktop-database")});

    // The entry of the version that had the generic name but not yet season files.
    QByteArray withKeys = earlier;
    withKeys.replace("Name=Corvane Meeting\n",
                     "Name=Corvane Meeting\nGenericName=Race Meeting Simulator\n");
    withKeys += "Keywords=speedway;racing;league;meeting;simulator;\n";
    WriteFile(home.filePath(QStringLiteral("applications/corvane.desktop")), withKeys);
    RegisterFileTypes({home.path(), program, QStringLiteral("/t/tavrel"), {system.path()}}, record);
    QVERIFY(!QFileInfo::exists(home.filePath(QStringLiteral("applications/corvane.desktop"))));
  }

  void installedMimePackageMatchesTheUsersOne() {
    // The package installs the same types the program registers for the user, so either one
    // opens the files with the same program.
    QCOMPARE(ReadAll(QStringLiteral(CORVANE_SOURCE_DIR "/desktop/corvane-mime.xml")),
             MimePackageXml().toUtf8());
  }

 private:
  static void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::ShellRulesTest)
#include "shell_rules_test.moc"
