// The main window: the results report, the status bar and every menu of the program.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/app_info.h"
#include "shell/meeting_session.h"
#include "shell/qt_meeting_host.h"
#include "shell/settings_values.h"

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPrinter;
class QStatusBar;

namespace corvane {

class ForecastPanel;
class SeasonFile;
class SeasonWindow;
class UserDialogs;
struct ProgEditorSetup;

struct MainWindowSetup {
  AppFolders folders;
  QString settingsFile;  // where the settings are written
  QString appVersion;
  std::uint64_t seed = 0;  // of the meeting's random source
};

class frmMainWin : public QMainWindow {
  Q_OBJECT

 public:
  frmMainWin(MainWindowSetup setup, ShellSettings settings, UserDialogs& dialogs,
             QWidget* parent = nullptr);
  ~frmMainWin() override;

  // The New Meeting menu's competition items, replaced as a whole.
  void SetCompetitions(const std::vector<CompetitionEntry>& entries);
  std::vector<CompetitionEntry> Competitions() const;

  // A meeting file named on the command line, resumed when the window is first activated; a
  // season file, opened then.
  void SetCommandFile(const QString& file);
  bool resumePending() const { return ResumePending; }

  const ShellSettings& settings() const { return settings_; }
  MeetingSession& session() { return *session_; }
  ForecastPanel& forecast() { return *dckForecast_; }
  QtMeetingHost& host() { return *host_; }
  QString statusText() const;
  QString resultsFileName() const { return ResultsFileName; }
  // The report has text not saved since it last changed.
  bool reportUnsaved() const { return ReportUnsaved; }

  // Places the window as the settings say, and reads its placement back (twips).
  void ApplyPlacement(const WindowPlacement& placement);
  WindowPlacement CurrentPlacement() const;

  // Writes the settings with the window's placement; a failure is shown.
  void SaveSettings();

  // Menu commands.
  void NewMeeting(int menuIndex);
  void ResumeFromFile();
  // Suspend, Save and Save As: false when cancelled or failed (the failure shown).
  bool SuspendToFile();
  void ContinueMeeting();
  void RunScratchRace();
  void StartSupport();
  bool SaveResults();
  bool SaveResultsAs();
  void PrintResults();
  void PreviewResults();
  void ExportResults();
  void CopyResults();
  void EditPreferences();
  void ShowHelpTopics();
  void ShowAbout();
  void NewSeason();
  void OpenSeason();
  void ShowSeasonWindow();
  void PlayNextFixture();
  void RaceTheRest();

  // The Season window, made when a season is first opened; nullptr before.
  SeasonWindow* seasonWindow() const { return seasonWindow_; }
  // The open season's fixture whose meeting this window runs, until its result is stored.
  std::optional<int> fixtureInPlay() const { return fixtureInPlay_; }

  QMenu* mnuFile;
  QMenu* mnuFNew;
  std::vector<QAction*> mnuFNComp;  // items 1, 2, ... of the competitions
  QAction* mnuFNSep;
  QAction* mnuFNScratch;
  QAction* mnuFSave;
  QAction* mnuFSaveAs;
  QAction* mnuFPrint;
  QAction* mnuFPreview;
  QAction* mnuFExport;
  QAction* mnuFExit;
  QMenu* mnuEdit;
  QAction* mnuECopy;
  QAction* mnuEPrefs;
  QMenu* mnuView;
  QAction* mnuVForecast;
  QMenu* mnuMeeting;
  QAction* mnuMResume;
  QAction* mnuMSuspend;
  QAction* mnuMSep;
  QAction* mnuMScratch;
  QAction* mnuMSupport;
  QAction* mnuMContinue;
  QMenu* mnuSeason;
  QAction* mnuSNew;
  QAction* mnuSOpen;
  QAction* mnuSWindow;
  QAction* mnuSPlayNext;
  QAction* mnuSRaceRest;
  QMenu* mnuHelp;
  QAction* mnuHTopics;
  QAction* mnuHAbout;

  QPlainTextEdit* txtResults;
  QStatusBar* sbrResults;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  // View, Forecast and the Forecast panel, told of every heat and every stop of the meeting.
  void BuildForecast();
  // The Season menu, and the fixture in play told of every stop of the meeting.
  void BuildSeasonMenu();
  void UpdateSeasonMenu();
  SeasonFile* OpenSeasonFile() const;
  // Shows the season in the Season window; a fixture suspended in the middle is offered.
  void UseSeason(std::unique_ptr<SeasonFile> file);
  // Opens the season file in the Season window; one that cannot be opened is reported.
  void OpenSeasonAt(const QString& name, const QString& title);
  // Asks whether to resume the season's fixture suspended in the middle, the first of `buttons`
  // resuming it here (after the usual questions about the meeting it replaces). The answer is
  // the button pressed.
  int AskToResumeFixture(const QString& title, const QStringList& buttons);
  // Starts the fixture's meeting through the programme editor, its line-ups filled in.
  void StartFixture(int fixture);
  // A meeting of the fixture in play that has come to its end goes into the season.
  void StoreFixtureIfOver();
  // After a Suspend: the season keeps the meeting file of its fixture in play.
  void RecordFixtureInPlay();
  // The fixture in play whose suspended meeting `file` holds, byte for byte.
  std::optional<int> FixtureSuspendedIn(const QString& file) const;
  // A fixture's meeting is named after the fixture, any other after its date.
  std::string ProposedSuspendName() const;
  // The rider database the preferences name: the user's own of that name, or the bundled one.
  std::filesystem::path RiderDatabaseFile() const;
  // The programme editor's rider database, locale and message boxes.
  ProgEditorSetup ProgrammeEditorSetup();
  void UpdateFileMenu();
  // The File commands that act on the report: disabled until there is one.
  std::vector<QAction*> ReportActions() const;
  void UpdateEditMenu();
  void OnFirstActivation();
  // Resumes the meeting file; a file that cannot be resumed is reported, a missing one is not.
  void Resume(const QString& file);
  QString SelectedResultsText() const;
  // Before a command replaces the meeting or the report, or the window closes: a meeting under
  // way not suspended since it last raced asks Suspend, Discard or Cancel; a report not saved
  // since it changed, Save, Discard or Cancel. True when the command may go on.
  bool MayReplaceWork(const QString& title);
  // The name chosen in a save dialog with the type's extension added when it has none. Where
  // that names an existing file the dialog did not ask about, and `confirmOverwrite`, the user
  // is asked first; empty when he declines.
  QString CompletedFileName(const QString& chosen, const char* extension, bool confirmOverwrite,
                            const QString& title);

  MainWindowSetup setup_;
  ShellSettings settings_;
  UserDialogs& dialogs_;
  QLabel* statusLabel_;
  std::unique_ptr<QtMeetingHost> host_;  // made once the widgets it writes to exist
  std::unique_ptr<MeetingSession> session_;
  ForecastPanel* dckForecast_ = nullptr;

  QString ResultsFileName;
  bool ReportUnsaved = false;
  std::unique_ptr<QPrinter> printer_;  // keeps the last print's choices, print to file too
  QString CommandFile;
  bool ResumePending = false;
  SeasonWindow* seasonWindow_ = nullptr;  // a window of its own, child of this one
  std::optional<int> fixtureInPlay_;
};

}  // namespace corvane
