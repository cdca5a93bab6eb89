// The settings store: reading values with their defaults and ranges, writing them back, the
// first-run import of the shipped defaults, and a round trip through a real settings file.
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "shell/settings_store.h"
#include "shell/settings_values.h"

namespace corvane {

namespace {

constexpr ScreenTwips kScreen{9600, 7200};

ShellSettings Read(const SettingsValues& values, ScreenTwips screen = kScreen) {
  return ReadShellSettings(values, screen);
}

std::string ValueIn(const SettingsValues& values, const std::string& key) {
  for (const auto& [name, text] : values) {
    if (name == key) return text;
  }
  return "<missing>";
}

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void emptyStoreGivesDefaults() {
    const ShellSettings s = Read({});
    QCOMPARE(s.prefs.PrefMaxAverage, Integer{12});
    QCOMPARE(s.prefs.PrefRiderDbFile, std::string("Lineups.rdb"));
    QCOMPARE(s.prefs.PrefMarks, Preferences::DefaultMarks());
    QCOMPARE(s.prefs.PrefTeamScoring, Integer{0});
    QVERIFY(s.competitions.empty());
    QCOMPARE(s.window, (WindowPlacement{0, 0, 6200, 7000, 0}));
  }

  void numbersOutOfRangeTakeDefaults() {
    const ShellSettings s = Read({{"DefMaxAvge", "100"},
                                  {"DefHomeAdv", "2"},
                                  {"DefStartPrefs", "-1"},
                                  {"DefPlayers", "1,0,2,1.4,x,1,,1,1,1,1"}});
    QCOMPARE(s.prefs.PrefMaxAverage, Integer{12});
    QCOMPARE(s.prefs.PrefHomeAdvantage, Integer{0});
    QCOMPARE(s.prefs.PrefStartGrid, Integer{0});
    // 1.4 rounds to 1; the tenth and later fields are not read.
    const std::array<Integer, 10> players{0, 1, 0, 0, 1, 0, 1, 0, 1, 1};
    QCOMPARE(s.prefs.PrefPlayers, players);

    const ShellSettings kept = Read({{"DefMaxAvge", "15.5 points"}, {"DefStartPrefs", "3"}});
    QCOMPARE(kept.prefs.PrefMaxAverage, Integer{16});  // half to even
    QCOMPARE(kept.prefs.PrefStartGrid, Integer{3});
    QCOMPARE(Read({{"DefMaxAvge", "99999999"}}).prefs.PrefMaxAverage, Integer{12});
  }

  void programmeMarking() {
    const ShellSettings s = Read({{"DefProgMarking", "n,fn,,Exc,R,F,Fx,X,0,1,2,3,4,5,6,7,+,1"}});
    QCOMPARE(s.prefs.PrefMarks[1], std::string("n"));
    QCOMPARE(s.prefs.PrefMarks[3], std::string("N2"));  // empty: its default
    QCOMPARE(s.prefs.PrefMarks[4], std::string("Ex"));  // cut to two characters
    QCOMPARE(s.prefs.PrefMarks[17], std::string("+"));
    QCOMPARE(s.prefs.PrefTeamScoring, Integer{1});
    // Non-ASCII marks are kept as Windows-1252 characters, counted as characters.
    QCOMPARE(Read({{"DefProgMarking", "\xc3\xa9\xc3\xa8\xc3\xa0"}}).prefs.PrefMarks[1],
             std::string("\xe9\xe8"));
  }

  void competitions() {
    const std::string longCaption(45, 'L');
    const ShellSettings s = Read({{"Competitions/MenuPos01", "League Match, league-match.cfg"},
                                  {"Competitions/MenuPos02", "-"},
                                  {"Competitions/MenuPos03", " , orphan.cfg"},
                                  {"Competitions/MenuPos04", longCaption + ",x.cfg"},
                                  {"Competitions/MenuPos05", "No File"},
                                  {"Competitions/Other", "Cup, /home/me/a,b.cfg"},
                                  {"DefMaxAvge", "Not, a competition"}});
    const std::vector<CompetitionEntry> expected{{"League Match", "league-match.cfg"},
                                                 {std::string(40, 'L'), "x.cfg"},
                                                 {"No File", ""},
                                                 {"Cup", "/home/me/a,b.cfg"}};
    QCOMPARE(s.competitions, expected);

    SettingsValues hundred;
    for (int i = 0; i < 120; ++i) hundred.emplace_back("Competitions/C" + std::to_string(i), "C");
    QCOMPARE(Read(hundred).competitions.size(), std::size_t{99});
  }

  void windowPlacement() {
    const SettingsValues narrow{{"MainWindow/Width", "1500"}, {"MainWindow/WindowState", "1"}};
    QCOMPARE(Read(narrow, {9600, 7200}).window.width, 7000);
    QCOMPARE(Read(narrow, {6000, 7200}).window.width, 6000);
    QCOMPARE(Read(narrow).window.state, 0);  // minimised starts normal

    const ShellSettings kept = Read({{"MainWindow/Left", "9600"},
                                     {"MainWindow/Top", "120"},
                                     {"MainWindow/Height", "405"},
                                     {"MainWindow/Width", "1680"},
                                     {"MainWindow/WindowState", "2"}});
    QCOMPARE(kept.window, (WindowPlacement{9600, 120, 405, 1680, 2}));

    const ShellSettings off = Read(
        {{"MainWindow/Left", "-15"}, {"MainWindow/Top", "7201"}, {"MainWindow/Height", "404"}});
    QCOMPARE(off.window.left, 0);
    QCOMPARE(off.window.top, 0);
    QCOMPARE(off.window.height, 6200);

    // Twips of a wide screen exceed 16 bits.
    QCOMPARE(Read({{"MainWindow/Width", "40000"}}, {57600, 32400}).window.width, 40000);
  }

  void versionComparison() {
    QVERIFY(NeedsImport("0.1", ""));
    QVERIFY(NeedsImport("1.2", "1.1"));
    QVERIFY(!NeedsImport("1.2", "1.2"));
    QVERIFY(!NeedsImport("1.10", "1.9"));  // 1.10 reads as 1.1
  }

  void writtenValues() {
    ShellSettings s;
    s.prefs.PrefPlayers[2] = 1;
    s.prefs.PrefMarks[5] = "R,";
    s.prefs.PrefTeamScoring = 1;
    s.competitions = {{"League, Premier", "league.cfg"}, {"Scratch", ""}};
    s.window = {15, 30, 6000, 7000, 0};
    const SettingsValues values = WriteShellSettings(s, "2.3");
    QCOMPARE(ValueIn(values, "Version"), std::string("2.3"));
    // A comma in a caption or mark would shift the fields that follow when read back.
    QCOMPARE(ValueIn(values, "Competitions/MenuPos01"), std::string("League  Premier, league.cfg"));
    QCOMPARE(ValueIn(values, "Competitions/MenuPos02"), std::string("Scratch"));
    QCOMPARE(ValueIn(values, "DefPlayers"), std::string("0,1,0,0,0,0,0,0,0,"));
    QCOMPARE(ValueIn(values, "DefProgMarking"),
             std::string("N,Fn,N2,E,R ,F,Fx,X,0,1,2,3,4,5,6,7,*,1"));
    QCOMPARE(ValueIn(values, "MainWindow/Left"), std::string("15"));

    s.window.state = 2;
    const SettingsValues maximised = WriteShellSettings(s, "2.3");
    QCOMPARE(ValueIn(maximised, "MainWindow/WindowState"), std::string("2"));
    QCOMPARE(ValueIn(maximised, "MainWindow/Left"), std::string("<missing>"));
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
    s.prefs.PrefMarks[17] = "\xb0";  // a Windows-1252 degree sign
    s.competitions = {{"Caf\xe9 Cup", "cafe.cfg"}, {"League Match", "league-match.cfg"}};
    s.window = {150, 300, 6000, 8000, 0};
    QVERIFY(SaveSettings(store, s, QStringLiteral("0.1")).ok());

    const ShellSettings back = LoadSettings({store, QString()}, QStringLiteral("0.1"), kScreen);
    QCOMPARE(back.prefs.PrefMaxAverage, s.prefs.PrefMaxAverage);
    QCOMPARE(back.prefs.PrefHomeAdvantage, s.prefs.PrefHomeAdvantage);
    QCOMPARE(back.prefs.PrefStartGrid, s.prefs.PrefStartGrid);
    QCOMPARE(back.prefs.PrefRiderDbFile, s.prefs.PrefRiderDbFile);
    QCOMPARE(back.prefs.PrefPlayers, s.prefs.PrefPlayers);
    QCOMPARE(back.prefs.PrefMarks, s.prefs.PrefMarks);
    QCOMPARE(back.competitions, s.competitions);
    QCOMPARE(back.window, s.window);

    // Saving replaces the whole store: keys the program no longer writes are gone.
    {
      QSettings raw(store, QSettings::IniFormat);
      raw.setValue(QStringLiteral("Competitions/Stale"), QStringLiteral("Old, old.cfg"));
    }
    s.competitions.pop_back();
    QVERIFY(SaveSettings(store, s, QStringLiteral("0.1")).ok());
    QCOMPARE(LoadSettings({store, QString()}, QStringLiteral("0.1"), kScreen).competitions.size(),
             std::size_t{1});
  }

  void firstRunImportsTheShippedDefaults() {
    QTemporaryDir folder;
    const QString store = folder.filePath(QStringLiteral("store.ini"));
    const QString defaults = QStringLiteral(CORVANE_SOURCE_DIR "/shell/corvane-defaults.ini");
    const ShellSettings first = LoadSettings({store, defaults}, QStringLiteral("0.1"), kScreen);
    QCOMPARE(first.competitions.size(), std::size_t{6});
    QCOMPARE(first.competitions[0], (CompetitionEntry{"League Match", "league-match.cfg"}));
    QCOMPARE(first.competitions[5],
             (CompetitionEntry{"League Match with Support Races", "league-with-support.cfg"}));
    QCOMPARE(first.prefs.PrefMarks, Preferences::DefaultMarks());
    QVERIFY(!first.localeDecimal.empty());

    // The user's own settings, written at the end of that run, survive the next start.
    ShellSettings mine = first;
    mine.competitions.resize(1);
    mine.prefs.PrefMaxAverage = 20;
    QVERIFY(SaveSettings(store, mine, QStringLiteral("0.1")).ok());
    const ShellSettings second = LoadSettings({store, defaults}, QStringLiteral("0.1"), kScreen);
    QCOMPARE(second.competitions.size(), std::size_t{1});
    QCOMPARE(second.prefs.PrefMaxAverage, Integer{20});

    // A newer version throws the old settings away and imports again.
    const ShellSettings upgraded = LoadSettings({store, defaults}, QStringLiteral("0.2"), kScreen);
    QCOMPARE(upgraded.competitions.size(), std::size_t{6});
    QCOMPARE(upgraded.prefs.PrefMaxAverage, Integer{12});
  }

  void missingDefaultsFileLeavesAnEmptyStore() {
    QTemporaryDir folder;
    const QString store = folder.filePath(QStringLiteral("store.ini"));
    {
      QSettings raw(store, QSettings::IniFormat);
      raw.setValue(QStringLiteral("DefMaxAvge"), QStringLiteral("30"));
      raw.setValue(QStringLiteral("Version"), QStringLiteral("0.1"));
    }
    const ShellSettings s = LoadSettings({store, folder.filePath(QStringLiteral("none.ini"))},
                                         QStringLiteral("0.2"), kScreen);
    QCOMPARE(s.prefs.PrefMaxAverage, Integer{12});
    QVERIFY(s.competitions.empty());
  }

  void unquotedListsReadAsText() {
    QTemporaryDir folder;
    const QString store = folder.filePath(QStringLiteral("store.ini"));
    QFile file(store);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(
        "[General]\nVersion=0.1\nDefPlayers=1,0,1,0,0,0,0,0,0,\n"
        "[Competitions]\nMenuPos01=Hand Typed, typed.cfg\n");
    file.close();
    const ShellSettings s = LoadSettings({store, QString()}, QStringLiteral("0.1"), kScreen);
    QCOMPARE(s.prefs.PrefPlayers[3], Integer{1});
    QCOMPARE(s.competitions, (std::vector<CompetitionEntry>{{"Hand Typed", "typed.cfg"}}));
  }

  void unwritableStoreIsReported() {
    QTemporaryDir folder;
    QFile blocker(folder.filePath(QStringLiteral("blocked")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const Status saved = SaveSettings(folder.filePath(QStringLiteral("blocked/store.ini")),
                                      ShellSettings{}, QStringLiteral("0.1"));
    QVERIFY(!saved.ok());
    QVERIFY(saved.error().find("blocked/store.ini") != std::string::npos);
  }
};

}  // namespace corvane

QTEST_GUILESS_MAIN(corvane::SettingsTest)
#include "settings_test.moc"
