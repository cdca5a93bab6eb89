// The main window's Season menu, and the fixture it plays: set up through the programme editor
// with the season's line-ups, raced here as any meeting, suspended and resumed with the season
// keeping track of it, and its result stored in the season when the meeting ends.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <utility>

#include "cli/lineup_selection.h"
#include "engine/io/data_folders.h"
#include "engine/io/file_io.h"
#include "report/meeting_file.h"
#include "season/fixture_race.h"
#include "season/season_file.h"
#include "seasonui/new_season_dialog.h"
#include "seasonui/season_window.h"
#include "shell/frm_main_win.h"
#include "shell/qt_text.h"
#include "shell/user_dialogs.h"

namespace corvane {

namespace {

const QString kSeasonFileFilter = QStringLiteral("Season (*.season);;All Files (*)");

QAction* SeasonAction(QObject* owner, const char* name, const QString& caption) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QLatin1String(name));
  return action;
}

QString FixtureTitle(const Season& season, const Fixture& fixture) {
  return QStringLiteral("Fixture %1: %2 v %3")
      .arg(fixture.number)
      .arg(WidgetText(season.lineups[static_cast<std::size_t>(fixture.home)]),
           WidgetText(season.lineups[static_cast<std::size_t>(fixture.away)]));
}

}  // namespace

void frmMainWin::BuildSeasonMenu() {
  mnuSeason = new QMenu(QStringLiteral("&Season"), this);
  mnuSeason->setObjectName(QStringLiteral("mnuSeason"));
  mnuSNew = SeasonAction(this, "mnuSNew", QStringLiteral("&New Season..."));
  mnuSOpen = SeasonAction(this, "mnuSOpen", QStringLiteral("&Open Season..."));
  mnuSWindow = SeasonAction(this, "mnuSWindow", QStringLiteral("Season &Window"));
  mnuSPlayNext = SeasonAction(this, "mnuSPlayNext", QStringLiteral("&Play Next Fixture..."));
  mnuSRaceRest = SeasonAction(this, "mnuSRaceRest", QStringLiteral("&Race the Rest"));
  mnuSeason->addActions({mnuSNew, mnuSOpen});
  mnuSeason->addSeparator();
  mnuSeason->addActions({mnuSWindow, mnuSPlayNext, mnuSRaceRest});
  menuBar()->insertMenu(mnuHelp->menuAction(), mnuSeason);
  UpdateSeasonMenu();

  connect(mnuSeason, &QMenu::aboutToShow, this, &frmMainWin::UpdateSeasonMenu);
  connect(mnuSNew, &QAction::triggered, this, &frmMainWin::NewSeason);
  connect(mnuSOpen, &QAction::triggered, this, &frmMainWin::OpenSeason);
  connect(mnuSWindow, &QAction::triggered, this, &frmMainWin::ShowSeasonWindow);
  connect(mnuSPlayNext, &QAction::triggered, this, &frmMainWin::PlayNextFixture);
  connect(mnuSRaceRest, &QAction::triggered, this, &frmMainWin::RaceTheRest);

  // Every stop of the meeting is told to the forecast first, then looked at for the season.
  std::function<void()> forecastStopped = std::move(session_->onStopped);
  session_->onStopped = [this, forecastStopped] {
    if (forecastStopped) forecastStopped();
    StoreFixtureIfOver();
  };
}

void frmMainWin::UpdateSeasonMenu() {
  const SeasonFile* file = OpenSeasonFile();
  mnuSWindow->setEnabled(file != nullptr);
  const bool toPlay = file != nullptr && file->season().NextFixture() != nullptr;
  mnuSPlayNext->setEnabled(toPlay);
  mnuSRaceRest->setEnabled(toPlay);
}

SeasonFile* frmMainWin::OpenSeasonFile() const {
  return seasonWindow_ != nullptr ? seasonWindow_->seasonFile() : nullptr;
}

void frmMainWin::NewSeason() {
  // As Open Season: a fixture under way of the season closed is offered for suspending first.
  if (fixtureInPlay_ && !MayReplaceWork(QStringLiteral("New Season"))) return;
  NewSeasonSetting setting;
  for (const QAction* item : mnuFNComp) {
    const std::filesystem::path file =
        LocateDataFile(item->data().toString().toStdString(), ToPath(setup_.folders.user),
                       ToPath(setup_.folders.scripts()));
    setting.competitions.push_back({item->text(), FromPath(file)});
  }
  setting.database = FromPath(RiderDatabaseFile());
  setting.dataFolder = ToPath(setup_.folders.data);
  setting.folder = setup_.folders.startFolder(QString());
  std::unique_ptr<SeasonFile> file = CreateSeasonFromDialog(dialogs_, std::move(setting), this);
  if (file != nullptr) UseSeason(std::move(file));
}

void frmMainWin::OpenSeason() {
  const QString title = QStringLiteral("Open Season");
  const QString name =
      dialogs_.OpenFileName(this, title, setup_.folders.startFolder(QString()), kSeasonFileFilter);
  if (!name.isEmpty()) OpenSeasonAt(name, title);
}

void frmMainWin::OpenSeasonAt(const QString& name, const QString& title) {
  Result<std::unique_ptr<SeasonFile>> opened = SeasonFile::Open(ToPath(name));
  if (!opened) {
    dialogs_.Warning(this, title, QString::fromStdString(opened.error()));
    return;
  }
  // The fixture under way belongs to the season being closed: suspended, it can be resumed from
  // that season later; discarded, it stays unplayed.
  if (fixtureInPlay_ && !MayReplaceWork(title)) return;
  UseSeason(std::move(opened).value());
}

void frmMainWin::UseSeason(std::unique_ptr<SeasonFile> file) {
  fixtureInPlay_.reset();
  if (seasonWindow_ == nullptr) {
    seasonWindow_ = new SeasonWindow(dialogs_, this);
    connect(seasonWindow_, &SeasonWindow::PlayNextFixtureRequested, this,
            &frmMainWin::PlayNextFixture);
    // Race the Rest in the Season window may race the fixture played here.
    connect(seasonWindow_, &SeasonWindow::ResultStored, this, [this](int fixture) {
      UpdateSeasonMenu();
      if (fixtureInPlay_ != fixture) return;
      fixtureInPlay_.reset();
      statusLabel_->setText(QStringLiteral("Fixture %1 was raced in the Season window; this "
                                           "meeting no longer counts for the season.")
                                .arg(fixture));
    });
  }
  seasonWindow_->SetSeasonFile(std::move(file));
  UpdateSeasonMenu();
  ShowSeasonWindow();
  if (OpenSeasonFile()->fixtureInPlay()) {
    AskToResumeFixture(QStringLiteral("Open Season"),
                       {QStringLiteral("&Resume"), QStringLiteral("&Not Now")});
  }
}

void frmMainWin::ShowSeasonWindow() {
  if (seasonWindow_ == nullptr) return;
  seasonWindow_->show();
  seasonWindow_->raise();
  seasonWindow_->activateWindow();
}

int frmMainWin::AskToResumeFixture(const QString& title, const QStringList& buttons) {
  // A copy: suspending the meeting in hand first may replace the season's record.
  const FixtureInPlay record = *OpenSeasonFile()->fixtureInPlay();
  const Season& season = OpenSeasonFile()->season();
  const Fixture& fixture = season.fixtures[static_cast<std::size_t>(record.fixture - 1)];
  const int answer = dialogs_.Ask(this, title,
                                  QStringLiteral("%1 was suspended in the middle.\n\nResume it?")
                                      .arg(FixtureTitle(season, fixture)),
                                  buttons);
  if (answer != 0 || !MayReplaceWork(title)) return answer;
  const std::optional<int> kept = std::exchange(fixtureInPlay_, std::nullopt);
  const std::string name = "fixture " + std::to_string(fixture.number) + " of the season";
  const ResumeOutcome outcome = session_->Resume(record.meeting, name);
  if (outcome.kind != ResumeOutcome::Loaded) {
    fixtureInPlay_ = kept;
    dialogs_.Warning(this, title, QString::fromStdString(outcome.message));
    return answer;
  }
  fixtureInPlay_ = fixture.number;
  raise();
  activateWindow();
  StoreFixtureIfOver();
  return answer;
}

void frmMainWin::PlayNextFixture() {
  const QString title = QStringLiteral("Play Next Fixture");
  const SeasonFile* file = OpenSeasonFile();
  if (file == nullptr) return;
  const Fixture* next = file->season().NextFixture();
  if (next == nullptr) {
    dialogs_.Warning(this, title, QStringLiteral("Every fixture of the season has been raced."));
    return;
  }
  raise();
  activateWindow();
  if (fixtureInPlay_ == next->number) {
    statusLabel_->setText(
        QStringLiteral("%1 is under way.").arg(FixtureTitle(file->season(), *next)));
    return;
  }
  if (file->fixtureInPlay() && file->fixtureInPlay()->fixture == next->number) {
    const int answer = AskToResumeFixture(
        title,
        {QStringLiteral("&Resume"), QStringLiteral("&Start Again"), QStringLiteral("Cancel")});
    if (answer != 1) return;
  }
  if (!MayReplaceWork(title)) return;
  StartFixture(next->number);
}

void frmMainWin::StartFixture(int number) {
  const QString title = QStringLiteral("Play Next Fixture");
  const Season& season = OpenSeasonFile()->season();
  const Fixture fixture = season.fixtures[static_cast<std::size_t>(number - 1)];
  // A competition moved since the season was made is looked for where New Meeting looks.
  std::filesystem::path competition(season.competition);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(competition, ec)) {
    competition = LocateDataFile(competition.filename().string(), ToPath(setup_.folders.user),
                                 ToPath(setup_.folders.scripts()));
  }
  CompetitionChoice choice{competition.string(), competition.stem().string()};
  if (const Result<std::string> bytes = ReadWholeFile(competition, kMaxCompetitionFileBytes)) {
    if (std::string caption = CompetitionTitleLine(bytes.value()); !caption.empty()) {
      choice.caption = std::move(caption);
    }
  }

  host_->SetEditorPreparation([&](Meeting& m) {
    m.DateLines = "Round " + std::to_string(fixture.round);
    const Status filled = FillLineups(m,
                                      {season.lineups[static_cast<std::size_t>(fixture.home)],
                                       season.lineups[static_cast<std::size_t>(fixture.away)]},
                                      season.database);
    if (!filled || m.NumTeams != 2) {
      dialogs_.Warning(this, title,
                       filled ? QStringLiteral("The season's competition is not a meeting of two "
                                               "teams.")
                              : QString::fromStdString(filled.error()));
      return false;
    }
    return true;
  });
  const std::optional<int> kept = std::exchange(fixtureInPlay_, std::nullopt);
  const SetupOutcome outcome = session_->NewMeeting(choice, settings_.prefs);
  host_->SetEditorPreparation({});
  if (outcome == SetupOutcome::NotStarted) {
    fixtureInPlay_ = kept;
    return;
  }
  fixtureInPlay_ = fixture.number;
  StoreFixtureIfOver();  // a meeting steered by the computer alone may be over already
}

void frmMainWin::RaceTheRest() {
  if (OpenSeasonFile() == nullptr) return;
  ShowSeasonWindow();
  seasonWindow_->RaceTheRest();
}

void frmMainWin::StoreFixtureIfOver() {
  SeasonFile* file = OpenSeasonFile();
  const Meeting& m = session_->meeting();
  if (!fixtureInPlay_ || file == nullptr || m.MeetingState != kMeetingOver) return;
  const int number = *std::exchange(fixtureInPlay_, std::nullopt);
  const Season& season = file->season();
  if (season.ResultOf(number) != nullptr) {
    statusLabel_->setText(
        QStringLiteral("Fixture %1 already has a result; this meeting is not stored.").arg(number));
    return;
  }
  const Fixture& fixture = season.fixtures[static_cast<std::size_t>(number - 1)];
  const FixtureResult result = ResultOfMeeting(fixture, m);
  if (!seasonWindow_->AddResult(result)) {
    // Kept in play: a Suspend keeps the meeting, and its end is stored when it is resumed.
    fixtureInPlay_ = number;
    statusLabel_->setText(QStringLiteral("Fixture %1 could not be stored.").arg(number));
    return;
  }
  statusLabel_->setText(
      QStringLiteral("Fixture %1 stored: %2 %3 - %4 %5")
          .arg(number)
          .arg(WidgetText(season.lineups[static_cast<std::size_t>(fixture.home)]))
          .arg(result.homeScore)
          .arg(result.awayScore)
          .arg(WidgetText(season.lineups[static_cast<std::size_t>(fixture.away)])));
}

void frmMainWin::RecordFixtureInPlay() {
  SeasonFile* file = OpenSeasonFile();
  if (!fixtureInPlay_ || file == nullptr) return;
  const Result<std::string> bytes = EncodeMeeting(session_->meeting());
  const Status kept = bytes ? file->SetFixtureInPlay({*fixtureInPlay_, bytes.value()})
                            : Status(Error{bytes.error()});
  if (!kept) {
    dialogs_.Warning(this, QStringLiteral("Suspend Meeting"),
                     QStringLiteral("The meeting file was written, but the season could not "
                                    "keep it as its fixture in play.\n\n%1")
                         .arg(QString::fromStdString(kept.error())));
  }
}

std::optional<int> frmMainWin::FixtureSuspendedIn(const QString& file) const {
  const SeasonFile* season = OpenSeasonFile();
  if (season == nullptr || !season->fixtureInPlay()) return std::nullopt;
  const Result<std::string> bytes = ReadWholeFile(ToPath(file), kMaxMeetingFileBytes);
  if (!bytes || bytes.value() != season->fixtureInPlay()->meeting) return std::nullopt;
  return season->fixtureInPlay()->fixture;
}

std::string frmMainWin::ProposedSuspendName() const {
  const SeasonFile* file = OpenSeasonFile();
  if (!fixtureInPlay_ || file == nullptr ||
      *fixtureInPlay_ > static_cast<int>(file->season().fixtures.size()))
    return session_->ProposedSuspendName();
  const Season& season = file->season();
  return FixtureMeetingFileName(season,
                                season.fixtures[static_cast<std::size_t>(*fixtureInPlay_ - 1)]);
}

}  // namespace corvane
