// The shell's rules that need no window: menu columns, the command line, competition titles,
// file names for the preferences boxes and the file dialogs, the results file and the desktop
// file types.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "shell/app_info.h"
#include "shell/command_line.h"
#include "shell/file_types.h"
#include "shell/menu_layout.h"
#include "shell/preferences_editor.h"
#include "shell/results_file.h"

namespace corvane {

class ShellRulesTest : public QObject {
  Q_OBJECT

 private slots:
  void competitionMenuColumns() {
    // 99 items and the separator and Scratch Racing on a screen of 7,200 twips: four columns
    // of 25, breaking before positions 25, 50 and 75.
    const CompetitionMenuColumns many = CompetitionMenuBreaks(99, 7200);
    QCOMPARE(many.columns, 4);
    QCOMPARE(many.itemsPerColumn, 25);
    QCOMPARE(many.breaks, (std::vector<int>{25, 50, 75}));

    const CompetitionMenuColumns few = CompetitionMenuBreaks(6, 7200);
    QCOMPARE(few.columns, 1);
    QVERIFY(few.breaks.empty());

    // A column exactly as high as the screen does not fit: (26 + 2) x 255 = 7,140.
    QCOMPARE(CompetitionMenuBreaks(26, 7140).columns, 2);
    QCOMPARE(CompetitionMenuBreaks(26, 7141).columns, 1);

    // A screen lower than one item still ends, with one item a column.
    const CompetitionMenuColumns tiny = CompetitionMenuBreaks(3, 0);
    QCOMPARE(tiny.columns, 5);
    QCOMPARE(tiny.breaks, (std::vector<int>{1, 2}));
  }

  void commandLine() {
    QCOMPARE(CommandFileFrom({}), std::string());
    QCOMPARE(CommandFileFrom({" /tmp/a.MTG ", "extra"}), std::string("/tmp/a.MTG"));
    // A quoted path keeps its blanks.
    QCOMPARE(CommandFileFrom({"/home/me/My Meetings/final.mtg"}),
             std::string("/home/me/My Meetings/final.mtg"));
    QVERIFY(IsMeetingFileName("/tmp/a.MTG") && IsMeetingFileName("b.Mtg"));
    QVERIFY(!IsMeetingFileName("mtg"));
    QVERIFY(!IsMeetingFileName("/tmp/a.mtgx"));
    QVERIFY(!IsMeetingFileName("/tmp/a.rdb"));
  }

  void competitionTitleFromFile() {
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("c.cfg")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("t~Caf\xc3\xa9 Trophy\n");  // UTF-8 file
    file.close();
    QCOMPARE(ReadCompetitionTitle(folder.filePath(QStringLiteral("c.cfg")).toStdString()),
             std::optional<std::string>("Caf\xe9 Trophy"));
    QCOMPARE(ReadCompetitionTitle(folder.filePath(QStringLiteral("none.cfg")).toStdString()),
             std::nullopt);
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
    QCOMPARE(PathForFolders(scripts + "/league.cfg", std::string(), scripts),
             std::string("league.cfg"));
    QCOMPARE(PathForFolders(other, user, scripts), other);

    // Dialogs start in the user's folder, and propose new files there, once it exists.
    AppFolders folders{root.filePath(QStringLiteral("share")),
                       root.filePath(QStringLiteral("none"))};
    QCOMPARE(folders.startFolder(folders.scripts()), folders.scripts());
    QCOMPARE(folders.proposedFile(QStringLiteral("a.mtg")), QStringLiteral("a.mtg"));
    folders.user = root.filePath(QStringLiteral("user"));
    QCOMPARE(folders.startFolder(folders.scripts()), folders.user);
    QCOMPARE(folders.proposedFile(QStringLiteral("a.mtg")),
             folders.user + QStringLiteral("/a.mtg"));
    QCOMPARE(folders.proposedFile(QString()), folders.user);
    QCOMPARE(folders.proposedFile(QStringLiteral("/tmp/r.txt")), QStringLiteral("/tmp/r.txt"));
  }

  void resultsFileText() {
    QCOMPARE(ResultsFileBytes(QStringLiteral("a\nb")), QByteArray("a\r\nb\r\n\r\n"));
    QCOMPARE(ResultsFileBytes(QStringLiteral("a\r\n")), QByteArray("a\r\n\r\n\r\n"));
    QCOMPARE(ResultsFileBytes(QStringLiteral("Caf\u00e9")), QByteArray("Caf\xc3\xa9\r\n\r\n"));
  }

  void fileTypesWrittenOnceAndToolsStarted() {
    QTemporaryDir home;
    const FileTypeTargets targets{home.path(), QStringLiteral("/opt/corvane $1/corvane"),
                                  QStringLiteral("/opt/corvane $1/tavrel")};
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
    QVERIFY(mime.contains("Corvane Meeting Rider Database"));
    const QByteArray desktop =
        ReadAll(home.filePath(QStringLiteral("applications/corvane.desktop")));
    QVERIFY(desktop.contains("Exec=\"/opt/corvane \\\\$1/corvane\" %f\n"));
    QVERIFY(desktop.contains("MimeType=application/x-corvane-meeting;\n"));
    QVERIFY(desktop.contains("Icon=corvane\n"));
    QVERIFY(ReadAll(home.filePath(QStringLiteral("applications/tavrel.desktop")))
                .contains("MimeType=application/x-corvane-riderdb;\n"));

    // Nothing changed: nothing written, no tool started.
    started.clear();
    RegisterFileTypes(targets, record);
    QVERIFY(started.isEmpty());

    // A data folder that cannot be written is passed over.
    QTemporaryDir blocked;
    QFile blocker(blocked.filePath(QStringLiteral("mime")));  // a file where a folder should be
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    RegisterFileTypes({blocked.path(), QStringLiteral("/c"), QStringLiteral("/t")}, record);
    QCOMPARE(started.size(), 1);
    QVERIFY(started[0].startsWith(QStringLiteral("update-desktop-database ")));
  }

  void installedMimePackageMatchesTheUsersOne() {
    // The package installs the same types the program registers for the user, so either one
    // opens the files with the same program.
    QCOMPARE(ReadAll(QStringLiteral(CORVANE_SOURCE_DIR "/desktop/corvane-mime.xml")),
             MimePackageXml().toUtf8());
    for (const char* entry : {"corvane.desktop", "tavrel.desktop"}) {
      const QByteArray installed =
          ReadAll(QStringLiteral(CORVANE_SOURCE_DIR "/desktop/") + QLatin1String(entry));
      QVERIFY2(installed.contains(entry[0] == 'c' ? "MimeType=application/x-corvane-meeting;\n"
                                                  : "MimeType=application/x-corvane-riderdb;\n"),
               entry);
    }
  }

 private:
  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

}  // namespace corvane

QTEST_GUILESS_MAIN(corvane::ShellRulesTest)
#include "shell_rules_test.moc"
