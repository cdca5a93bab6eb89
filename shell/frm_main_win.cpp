#include "shell/frm_main_win.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QTextCursor>
#include <utility>

#include "engine/io/data_folders.h"
#include "engine/io/file_io.h"
#include "heatcontrol/frm_heat_mgr.h"
#include "progeditor/frm_prog_editor.h"
#include "report/results_export.h"
#include "shell/command_line.h"
#include "shell/fixed_font.h"
#include "shell/frm_about.h"
#include "shell/frm_preferences.h"
#include "shell/help_window.h"
#include "shell/qt_text.h"
#include "shell/results_file.h"
#include "shell/results_printer.h"
#include "shell/settings_store.h"
#include "shell/stand_in_dialogs.h"
#include "shell/twips.h"
#include "shell/user_dialogs.h"

namespace corvane {

namespace {

const QString kTextFileFilter = QStringLiteral("Text File (*.txt)");
const QString kExportFilter = QStringLiteral("Web Page (*.html *.htm);;Spreadsheet Table (*.csv)");
const QString kMeetingFileFilter = QStringLiteral("Meeting File (*.mtg);;All Files (*)");

// Smallest outer size the placement rules accept, in twips.
constexpr int kMinimumWidthTwips = 1680;
constexpr int kMinimumHeightTwips = 405;

QAction* NewAction(QObject* owner, const char* name, const QString& caption) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QLatin1String(name));
  return action;
}

QMenu* NewMenu(QWidget* owner, const char* name, const QString& caption) {
  auto* menu = new QMenu(caption, owner);
  menu->setObjectName(QLatin1String(name));
  return menu;
}

}  // namespace

frmMainWin::frmMainWin(MainWindowSetup setup, ShellSettings settings, UserDialogs& dialogs,
                       QWidget* parent)
    : QMainWindow(parent),
      setup_(std::move(setup)),
      settings_(std::move(settings)),
      dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmMainWin"));
  setWindowTitle(QStringLiteral("Corvane Meeting"));

  // The results box fills the window between the menu bar and the status bar.
  txtResults = new QPlainTextEdit(this);
  txtResults->setObjectName(QStringLiteral("txtResults"));
  txtResults->setReadOnly(true);
  txtResults->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtResults->setFont(ResultsFont());
  txtResults->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setCentralWidget(txtResults);

  sbrResults = new QStatusBar(this);
  sbrResults->setObjectName(QStringLiteral("sbrResults"));
  statusLabel_ = new QLabel(sbrResults);
  statusLabel_->setObjectName(QStringLiteral("lblStatus"));
  sbrResults->addWidget(statusLabel_, 1);
  setStatusBar(sbrResults);

  BuildMenus();
  host_ = std::make_unique<QtMeetingHost>(
      this, txtResults, statusLabel_,
      MeetingMenuActions{mnuMSuspend, mnuMSep, mnuMScratch, mnuMSupport, mnuMContinue}, dialogs_);
  session_ =
      std::make_unique<MeetingSession>(*host_, ToPath(setup_.folders.scripts()), setup_.seed);
  host_->SetProgrammeEditor([this](Meeting& m) {
    frmProgEditor editor(m, ProgrammeEditorSetup(), this);
    editor.exec();
  });
  host_->SetHeatManager([this](Meeting& m) { ShowHeatManagerDialog(m, this); });
  BuildForecast();
  BuildSeasonMenu();

  SetCompetitions(settings_.competitions);
  const double dpi = logicalDpiX();
  setMinimumSize(TwipsToPixels(kMinimumWidthTwips, dpi), TwipsToPixels(kMinimumHeightTwips, dpi));
  ApplyPlacement(settings_.window);
}

frmMainWin::~frmMainWin() = default;

ProgEditorSetup frmMainWin::ProgrammeEditorSetup() {
  ProgEditorSetup editor;
  editor.prefs = settings_.prefs;
  editor.database = RiderDatabaseFile();
  const QLocale locale;
  editor.shortDateFormat = locale.dateFormat(QLocale::ShortFormat);
  const QString decimal = locale.decimalPoint();
  // Averages are typed with a one-byte separator; any other falls back to the point.
  if (decimal.size() == 1 && decimal[0].unicode() < 0x80) editor.decimal = decimal[0];
  editor.today = QDate::currentDate();
  editor.warn = [this](QWidget* parent, const QString& title, const QString& text) {
    dialogs_.Warning(parent, title, text);
  };
  editor.help = [this](QWidget* owner, int context) {
    // The editor's own Help asks for the contents: its page of the manual is the better answer.
    ShowHelp(owner, setup_.folders.help(),
             context == kProgEditorHelpContext ? kHelpProgrammeEditor : context);
  };
  return editor;
}

void frmMainWin::BuildMenus() {
  mnuFile = NewMenu(this, "mnuFile", QStringLiteral("&File"));
  mnuFNew = NewMenu(this, "mnuFNew", QStringLiteral("&New Meeting      "));
  mnuFile->addMenu(mnuFNew);
  mnuFNSep = mnuFNew->addSeparator();
  mnuFNSep->setObjectName(QStringLiteral("mnuFNSep"));
  mnuFNSep->setVisible(false);
  mnuFNScratch = NewAction(this, "mnuFNScratch", QStringLiteral("&Scratch Racing"));
  mnuFNew->addAction(mnuFNScratch);
  mnuFSave = NewAction(this, "mnuFSave", QStringLiteral("&Save"));
  mnuFSaveAs = NewAction(this, "mnuFSaveAs", QStringLiteral("Save &As..."));
  mnuFExport = NewAction(this, "mnuFExport", QStringLiteral("&Export..."));
  mnuFPrint = NewAction(this, "mnuFPrint", QStringLiteral("&Print..."));
  mnuFPreview = NewAction(this, "mnuFPreview", QStringLiteral("Print Pre&view..."));
  mnuFExit = NewAction(this, "mnuFExit", QStringLiteral("E&xit"));
  mnuFile->addActions({mnuFSave, mnuFSaveAs, mnuFExport});
  mnuFile->addSeparator();
  mnuFile->addActions({mnuFPrint, mnuFPreview});
  mnuFile->addSeparator();
  mnuFile->addAction(mnuFExit);
  for (QAction* action : ReportActions()) action->setEnabled(false);

  mnuEdit = NewMenu(this, "mnuEdit", QStringLiteral("&Edit"));
  mnuECopy = NewAction(this, "mnuECopy", QStringLiteral("&Copy      "));
  mnuEPrefs = NewAction(this, "mnuEPrefs", QStringLiteral("&Preferences..."));
  mnuEdit->addActions({mnuECopy, mnuEPrefs});
  mnuECopy->setEnabled(false);

  mnuMeeting = NewMenu(this, "mnuMeeting", QStringLiteral("&Meeting"));
  mnuMResume = NewAction(this, "mnuMResume", QStringLiteral("&Resume..."));
  mnuMSuspend = NewAction(this, "mnuMSuspend", QStringLiteral("&Suspend..."));
  mnuMeeting->addActions({mnuMResume, mnuMSuspend});
  mnuMSep = mnuMeeting->addSeparator();
  mnuMSep->setObjectName(QStringLiteral("mnuMSep"));
  mnuMScratch = NewAction(this, "mnuMScratch", QStringLiteral("S&cratch Race"));
  mnuMSupport = NewAction(this, "mnuMSupport", QStringLiteral("S&upport Competition"));
  mnuMContinue = NewAction(this, "mnuMContinue", QStringLiteral("C&ontinue..."));
  mnuMeeting->addActions({mnuMScratch, mnuMSupport, mnuMContinue});
  // No meeting under way: Resume, and Suspend disabled.
  mnuMSuspend->setEnabled(false);
  for (QAction* action : {mnuMSep, mnuMScratch, mnuMSupport, mnuMContinue}) {
    action->setVisible(false);
  }

  mnuHelp = NewMenu(this, "mnuHelp", QStringLiteral("&Help"));
  mnuHTopics = NewAction(this, "mnuHTopics", QStringLiteral("&Help Topics"));
  mnuHAbout = NewAction(this, "mnuHAbout", QStringLiteral("&About..."));
  mnuHelp->addActions({mnuHTopics, mnuHAbout});

  for (QMenu* menu : {mnuFile, mnuEdit, mnuMeeting, mnuHelp}) menuBar()->addMenu(menu);

  // Continue is pressed after nearly every heat, so it has a key of its own.
  mnuFSave->setShortcut(QKeySequence::Save);
  mnuFSaveAs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  mnuFPrint->setShortcut(QKeySequence::Print);
  mnuFExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  mnuECopy->setShortcut(QKeySequence::Copy);
  mnuMContinue->setShortcut(QKeySequence(Qt::Key_F5));
  mnuHTopics->setShortcut(QKeySequence::HelpContents);

  connect(mnuFile, &QMenu::aboutToShow, this, &frmMainWin::UpdateFileMenu);
  connect(mnuEdit, &QMenu::aboutToShow, this, &frmMainWin::UpdateEditMenu);
  connect(txtResults, &QPlainTextEdit::copyAvailable, mnuECopy, &QAction::setEnabled);
  connect(txtResults, &QPlainTextEdit::textChanged, this,
          [this] { ReportUnsaved = !txtResults->document()->isEmpty(); });
  connect(mnuFNScratch, &QAction::triggered, this, [this] { NewMeeting(0); });
  connect(mnuFSave, &QAction::triggered, this, &frmMainWin::SaveResults);
  connect(mnuFSaveAs, &QAction::triggered, this, &frmMainWin::SaveResultsAs);
  connect(mnuFPrint, &QAction::triggered, this, &frmMainWin::PrintResults);
  connect(mnuFPreview, &QAction::triggered, this, &frmMainWin::PreviewResults);
  connect(mnuFExport, &QAction::triggered, this, &frmMainWin::ExportResults);
  // The keys of the report's commands work before the File menu has been opened.
  connect(txtResults, &QPlainTextEdit::textChanged, this, &frmMainWin::UpdateFileMenu);
  connect(mnuFExit, &QAction::triggered, this, &QWidget::close);
  connect(mnuECopy, &QAction::triggered, this, &frmMainWin::CopyResults);
  connect(mnuEPrefs, &QAction::triggered, this, &frmMainWin::EditPreferences);
  connect(mnuMResume, &QAction::triggered, this, &frmMainWin::ResumeFromFile);
  connect(mnuMSuspend, &QAction::triggered, this, &frmMainWin::SuspendToFile);
  connect(mnuMScratch, &QAction::triggered, this, &frmMainWin::RunScratchRace);
  connect(mnuMSupport, &QAction::triggered, this, &frmMainWin::StartSupport);
  connect(mnuMContinue, &QAction::triggered, this, &frmMainWin::ContinueMeeting);
  connect(mnuHTopics, &QAction::triggered, this, &frmMainWin::ShowHelpTopics);
  connect(mnuHAbout, &QAction::triggered, this, &frmMainWin::ShowAbout);
}

void frmMainWin::SetCompetitions(const std::vector<CompetitionEntry>& entries) {
  for (QAction* item : mnuFNComp) delete item;
  mnuFNComp.clear();
  for (const CompetitionEntry& entry : entries) {
    if (mnuFNComp.size() == static_cast<std::size_t>(kMaxCompetitions)) break;
    const int index = static_cast<int>(mnuFNComp.size()) + 1;
    auto* item = new QAction(WidgetText(entry.caption), this);
    item->setObjectName(QStringLiteral("mnuFNComp%1").arg(index));
    item->setData(QString::fromStdString(entry.fileName));  // the tag
    connect(item, &QAction::triggered, this, [this, index] { NewMeeting(index); });
    mnuFNew->insertAction(mnuFNSep, item);
    mnuFNComp.push_back(item);
  }
  mnuFNSep->setVisible(!mnuFNComp.empty());
  settings_.competitions = Competitions();
}

std::vector<CompetitionEntry> frmMainWin::Competitions() const {
  std::vector<CompetitionEntry> entries;
  for (const QAction* item : mnuFNComp) {
    entries.push_back({EngineText(item->text()), item->data().toString().toStdString()});
  }
  return entries;
}

void frmMainWin::SetCommandFile(const QString& file) {
  CommandFile = file;
  ResumePending = IsMeetingFileName(file.toStdString()) || IsSeasonFileName(file.toStdString());
}

QString frmMainWin::statusText() const {
  return statusLabel_->text();
}

void frmMainWin::ApplyPlacement(const WindowPlacement& placement) {
  const double dpi = logicalDpiX();
  move(TwipsToPixels(placement.left, dpi), TwipsToPixels(placement.top, dpi));
  resize(TwipsToPixels(placement.width, dpi), TwipsToPixels(placement.height, dpi));
  if (placement.state == 2) setWindowState(windowState() | Qt::WindowMaximized);
}

WindowPlacement frmMainWin::CurrentPlacement() const {
  const double dpi = logicalDpiX();
  WindowPlacement placement;
  placement.state = isMinimized() ? 1 : isMaximized() ? 2 : 0;
  placement.left = PixelsToTwips(pos().x(), dpi);
  placement.top = PixelsToTwips(pos().y(), dpi);
  placement.width = PixelsToTwips(width(), dpi);
  placement.height = PixelsToTwips(height(), dpi);
  return placement;
}

void frmMainWin::SaveSettings() {
  settings_.competitions = Competitions();
  settings_.window = CurrentPlacement();
  const Status saved = corvane::SaveSettings(setup_.settingsFile, settings_, setup_.appVersion);
  if (!saved)
    dialogs_.Warning(this, QStringLiteral("Settings"), QString::fromStdString(saved.error()));
}

void frmMainWin::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && ResumePending) {
    OnFirstActivation();
  }
}

void frmMainWin::closeEvent(QCloseEvent* event) {
  if (!MayReplaceWork(windowTitle())) {
    event->ignore();
    return;
  }
  SaveSettings();
  event->accept();
}

void frmMainWin::OnFirstActivation() {
  ResumePending = false;  // once only, whatever the resume does
  // After the activation has been handled, so a message box does not open inside it.
  QMetaObject::invokeMethod(
      this,
      [this] {
        if (IsSeasonFileName(CommandFile.toStdString())) {
          OpenSeasonAt(CommandFile, QStringLiteral("Open Season"));
        } else {
          Resume(CommandFile);
        }
      },
      Qt::QueuedConnection);
}

void frmMainWin::Resume(const QString& file) {
  // The meeting it replaces no longer counts for the season; the one resumed may.
  const std::optional<int> kept = std::exchange(fixtureInPlay_, std::nullopt);
  const ResumeOutcome outcome = session_->Resume(ToPath(file));
  if (outcome.kind != ResumeOutcome::Loaded) fixtureInPlay_ = kept;
  if (outcome.kind == ResumeOutcome::Rejected) {
    dialogs_.Warning(this, QStringLiteral("Resume Meeting"),
                     QString::fromStdString(outcome.message));
  }
  if (outcome.kind != ResumeOutcome::Loaded) return;
  fixtureInPlay_ = FixtureSuspendedIn(file);
  StoreFixtureIfOver();
}

void frmMainWin::ResumeFromFile() {
  if (!MayReplaceWork(QStringLiteral("Resume Meeting"))) return;
  const QString file =
      dialogs_.OpenFileName(this, QStringLiteral("Resume Meeting"),
                            setup_.folders.startFolder(QString()), kMeetingFileFilter);
  if (!file.isEmpty()) Resume(file);
}

bool frmMainWin::SuspendToFile() {
  const QString title = QStringLiteral("Suspend Meeting");
  const QString file = CompletedFileName(
      dialogs_.SaveFileName(this, title,
                            setup_.folders.proposedFile(WidgetText(ProposedSuspendName())),
                            kMeetingFileFilter, true),
      ".mtg", true, title);
  if (file.isEmpty()) return false;
  const Status saved = session_->Suspend(ToPath(file));
  if (!saved) {
    dialogs_.Warning(this, title, QString::fromStdString(saved.error()));
    return false;
  }
  RecordFixtureInPlay();
  return true;
}

void frmMainWin::ContinueMeeting() {
  session_->Continue();
}

void frmMainWin::RunScratchRace() {
  session_->ScratchRace();
}

void frmMainWin::StartSupport() {
  session_->SupportCompetition();
}

void frmMainWin::NewMeeting(int menuIndex) {
  std::optional<CompetitionChoice> choice;
  if (menuIndex > 0) {
    if (static_cast<std::size_t>(menuIndex) > mnuFNComp.size()) return;
    const QAction* item = mnuFNComp[static_cast<std::size_t>(menuIndex) - 1];
    // A plain file name is the user's own competition when there is one of that name,
    // otherwise a bundled one.
    const std::filesystem::path file =
        LocateDataFile(item->data().toString().toStdString(), ToPath(setup_.folders.user),
                       ToPath(setup_.folders.scripts()));
    choice = CompetitionChoice{file.string(), EngineText(item->text())};
  }
  if (!MayReplaceWork(choice ? QStringLiteral("New Meeting") : QStringLiteral("Scratch Racing"))) {
    return;
  }
  // A meeting started here is no fixture; one left in the editor changes nothing.
  const std::optional<int> kept = std::exchange(fixtureInPlay_, std::nullopt);
  if (session_->NewMeeting(choice, settings_.prefs) == SetupOutcome::NotStarted) {
    fixtureInPlay_ = kept;
  }
}

std::vector<QAction*> frmMainWin::ReportActions() const {
  return {mnuFSave, mnuFSaveAs, mnuFExport, mnuFPrint, mnuFPreview};
}

void frmMainWin::UpdateFileMenu() {
  // Once there is a report the commands stay available.
  if (!txtResults->document()->isEmpty()) {
    for (QAction* action : ReportActions()) action->setEnabled(true);
  }
}

void frmMainWin::UpdateEditMenu() {
  mnuECopy->setEnabled(txtResults->textCursor().hasSelection());
}

QString frmMainWin::SelectedResultsText() const {
  QString text = txtResults->textCursor().selectedText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  text.replace(QChar::LineSeparator, QLatin1Char('\n'));
  return text;
}

bool frmMainWin::SaveResults() {
  if (ResultsFileName.isEmpty()) {
    // Save adds to a file of that name, so there is nothing to confirm.
    const QString name = CompletedFileName(
        dialogs_.SaveFileName(this, QStringLiteral("Save"), setup_.folders.proposedFile(QString()),
                              kTextFileFilter, false),
        ".txt", false, QStringLiteral("Save"));
    if (name.isEmpty()) return false;
    ResultsFileName = name;
  }
  const Status saved = AppendResultsFile(ResultsFileName, txtResults->toPlainText());
  if (!saved) {
    // A name that cannot be written to is not kept, so the next Save asks again.
    ResultsFileName.clear();
    dialogs_.Warning(this, QStringLiteral("Save"), QString::fromStdString(saved.error()));
    return false;
  }
  ReportUnsaved = false;
  return true;
}

bool frmMainWin::SaveResultsAs() {
  const QString title = QStringLiteral("Save As");
  const QString name = CompletedFileName(
      dialogs_.SaveFileName(this, title, setup_.folders.proposedFile(ResultsFileName),
                            kTextFileFilter, true),
      ".txt", true, title);
  if (name.isEmpty()) return false;
  const Status saved = WriteResultsFile(name, txtResults->toPlainText());
  if (!saved) {
    dialogs_.Warning(this, title, QString::fromStdString(saved.error()));
    return false;
  }
  ResultsFileName = name;
  ReportUnsaved = false;
  return true;
}

void frmMainWin::PrintResults() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  const bool hasSelection = txtResults->textCursor().hasSelection();
  printer_->setPrintRange(QPrinter::AllPages);
  if (!dialogs_.Print(this, *printer_, hasSelection)) return;
  const bool selectionOnly = hasSelection && printer_->printRange() == QPrinter::Selection;
  const Status printed =
      PrintText(*printer_, selectionOnly ? SelectedResultsText() : txtResults->toPlainText());
  if (!printed)
    dialogs_.Warning(this, QStringLiteral("Print"), QString::fromStdString(printed.error()));
}

void frmMainWin::PreviewResults() {
  if (!printer_) printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer_->setPrintRange(QPrinter::AllPages);
  QPrintPreviewDialog preview(printer_.get(), this);
  preview.setWindowTitle(QStringLiteral("Print Preview"));
  const QString text = txtResults->toPlainText();
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this, &text](QPrinter* printer) {
    const Status printed = PrintText(*printer, text);
    if (!printed) {
      dialogs_.Warning(this, QStringLiteral("Print"), QString::fromStdString(printed.error()));
    }
  });
  preview.exec();
}

void frmMainWin::ExportResults() {
  QString name = dialogs_.SaveFileName(this, QStringLiteral("Export"),
                                       setup_.folders.proposedFile(QString()), kExportFilter, true);
  if (name.isEmpty()) return;
  // A name without an extension of either format is taken as a web page.
  if (ExportFormatForFile(name.toStdString()) == ExportFormat::Text)
    name += QStringLiteral(".html");
  const Meeting& meeting = session_->meeting();
  const std::string bytes = ExportFormatForFile(name.toStdString()) == ExportFormat::Csv
                                ? ResultsCsv(meeting)
                                : ResultsHtml(meeting);
  const Status written = WriteFileAtomically(ToPath(name), bytes);
  if (!written) {
    dialogs_.Warning(this, QStringLiteral("Export"), QString::fromStdString(written.error()));
  }
}

void frmMainWin::CopyResults() {
  if (!txtResults->textCursor().hasSelection()) return;
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  clipboard->setText(SelectedResultsText());
}

void frmMainWin::EditPreferences() {
  frmPreferences dialog(settings_.prefs, Competitions(), setup_.folders, dialogs_, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const PreferencesEditor::Applied& applied = dialog.applied();
  settings_.prefs = applied.prefs;
  SetCompetitions(applied.competitions);
  SaveSettings();
}

std::filesystem::path frmMainWin::RiderDatabaseFile() const {
  return LocateDataFile(settings_.prefs.PrefRiderDbFile, ToPath(setup_.folders.user),
                        ToPath(setup_.folders.lineups()));
}

void frmMainWin::ShowHelpTopics() {
  ShowHelp(this, setup_.folders.help(), kHelpContents);
}

void frmMainWin::ShowAbout() {
  frmAbout about(this);
  about.exec();
}

}  // namespace corvane
