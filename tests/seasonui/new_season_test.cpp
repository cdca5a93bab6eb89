// New Season: the choices refused with a message (and no file made), a season made from the
// line-ups ticked and the fixtures typed, and the dialog staying open on a refusal. An existing
// file is never replaced: the season file's own tests.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include "engine/io/file_io.h"
#include "season/season_file.h"
#include "seasonui/new_season_dialog.h"
#include "seasonui/new_season_model.h"
#include "shell/answering_dialogs.h"

namespace corvane {

class NewSeasonTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir folder_;

  NewSeasonChoices Choices(const char* file) const {
    NewSeasonChoices c;
    c.competition = CORVANE_SOURCE_DIR "/Scripts/league-match.cfg";
    c.database = CORVANE_SOURCE_DIR "/Lineups/Lineups.rdb";
    c.lineups = LineupsOffered(c.competition, c.database, CORVANE_SOURCE_DIR).value();
    c.seasonFile = folder_.filePath(QString::fromLatin1(file)).toStdString();
    return c;
  }

 private slots:
  // The fixture list's own refusals are the season tests'; here what the choices add.
  void RefusesWhatCannotMakeASeason() {
    const NewSeasonChoices c = Choices("refused.season");
    const std::string notTicked = c.lineups.front() + "," + c.lineups.back();
    const struct {
      std::size_t lineups;
      std::string fixtures;
      const char* message;
    } cases[] = {{1, "", "at least two line-ups"},
                 {8, " \n", "Type the fixtures"},
                 {2, notTicked, "not a line-up of the season"}};
    for (const auto& [lineups, fixtures, message] : cases) {
      NewSeasonChoices choice = c;
      choice.lineups.resize(lineups);
      choice.ownFixtures = !fixtures.empty();
      choice.fixtureList = fixtures;
      const auto made = CreateSeason(choice, CORVANE_SOURCE_DIR);
      QVERIFY2(!made.ok() && made.error().find(message) != std::string::npos, message);
      QVERIFY(!QFileInfo::exists(QString::fromStdString(c.seasonFile.string())));
    }
  }

  void MakesTheSeasonOfTheTickedLineupsAndTypedFixtures() {
    NewSeasonChoices c = Choices("typed.season");
    c.lineups = {c.lineups[2], c.lineups[5]};
    c.ownFixtures = true;
    c.fixtureList = "# opener\n" + c.lineups[1] + "," + c.lineups[0] + "\n";
    c.rules = {2, 1, 0, true};
    const auto made = CreateSeason(c, CORVANE_SOURCE_DIR);
    QVERIFY2(made.ok(), made.ok() ? "" : made.error().c_str());
    const Season& season = made.value()->season();
    QCOMPARE(season.lineups, c.lineups);
    QCOMPARE(season.fixtures.size(), std::size_t{1});
    QCOMPARE(season.fixtures[0].home, 1);
    QVERIFY(season.rules.aggregateBonus);
  }

  void TheDialogStaysOpenWithTheReasonUntilTheChoicesAreGood() {
    AnsweringDialogs dialogs;
    NewSeasonSetting setting;
    setting.competitions = {
        {"Team tournament", CORVANE_SOURCE_DIR "/Scripts/four-team-tournament.cfg"},
        {"League match", CORVANE_SOURCE_DIR "/Scripts/league-match.cfg"}};
    setting.database = CORVANE_SOURCE_DIR "/Lineups/Lineups.rdb";
    setting.dataFolder = CORVANE_SOURCE_DIR;
    setting.folder = folder_.path();
    NewSeasonDialog dialog(dialogs, setting);
    QCOMPARE(dialog.lstLineups->count(), 8);  // the league match is chosen first
    for (int i = 1; i < dialog.lstLineups->count(); ++i) {
      dialog.lstLineups->item(i)->setCheckState(Qt::Unchecked);
    }
    dialog.txtSeasonFile->setText(folder_.filePath(QStringLiteral("dialog")));
    dialog.accept();
    QVERIFY(dialog.result() != QDialog::Accepted);
    QVERIFY(dialog.lblMessage->text().contains(QStringLiteral("at least two")));

    dialog.lstLineups->item(3)->setCheckState(Qt::Checked);
    dialog.accept();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const std::unique_ptr<SeasonFile> file = dialog.TakeSeasonFile();
    QVERIFY(file != nullptr);
    QCOMPARE(file->season().fixtures.size(), std::size_t{2});
    QVERIFY(file->path().string().ends_with("dialog.season"));
  }
};

}  // namespace corvane

QTEST_MAIN(corvane::NewSeasonTest)
#include "new_season_test.moc"
