#include "shell/frm_preferences.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "engine/records/meeting.h"
#include "shell/help_window.h"
#include "shell/qt_text.h"
#include "shell/user_dialogs.h"

namespace corvane {

namespace {

constexpr std::array<const char*, kMarkCount + 1> kMarkLabels = {"",
                                                                 "Non-starter:",
                                                                 "Injured rider:",
                                                                 "Time exclusion:",
                                                                 "Starting offence:",
                                                                 "Retired/EF:",
                                                                 "Fell, no exclusion:",
                                                                 "Fell, excluded:",
                                                                 "Other exclusion:",
                                                                 "Race Pts 1:",
                                                                 "Race Pts 2:",
                                                                 "Race Pts 3:",
                                                                 "Race Pts 4:",
                                                                 "Race Pts 5:",
                                                                 "Race Pts 6:",
                                                                 "Race Pts 7:",
                                                                 "Race Pts 8:",
                                                                 "Bonus Pts:"};

template <class Widget>
Widget* Named(Widget* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace

frmPreferences::frmPreferences(const Preferences& prefs, std::vector<CompetitionEntry> competitions,
                               AppFolders folders, UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      editor_(prefs, std::move(competitions)),
      folders_(std::move(folders)),
      dialogs_(dialogs) {
  setObjectName(QStringLiteral("frmPreferences"));
  setWindowTitle(QStringLiteral("Preferences"));

  tstPrefs = Named(new QTabWidget(this), QStringLiteral("tstPrefs"));
  fraPrefs[1] = BuildGeneralPage();
  fraPrefs[2] = BuildControlPage();
  fraPrefs[3] = BuildMarkingPage();
  fraPrefs[4] = BuildCompetitionsPage();
  tstPrefs->addTab(fraPrefs[1], QStringLiteral("General"));
  tstPrefs->addTab(fraPrefs[2], QStringLiteral("Team Control"));
  tstPrefs->addTab(fraPrefs[3], QStringLiteral("Programme Marking"));
  tstPrefs->addTab(fraPrefs[4], QStringLiteral("Competitions"));
  for (int i = 1; i <= 4; ++i)
    fraPrefs[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("fraPrefs%1").arg(i));

  cmdOK = Named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("cmdOK"));
  cmdCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), QStringLiteral("cmdCancel"));
  cmdHelp = Named(new QPushButton(QStringLiteral("Help"), this), QStringLiteral("cmdHelp"));
  cmdOK->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdHelp);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tstPrefs);
  layout->addLayout(buttons);

  connect(cmdOK, &QPushButton::clicked, this, &frmPreferences::Apply);
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this,
          [this] { ShowHelp(this, folders_.help(), kHelpContents); });

  FillControls();
}

QWidget* frmPreferences::BuildGeneralPage() {
  auto* page = new QWidget;
  txtRdrFile = Named(new QLineEdit(page), QStringLiteral("txtRdrFile"));
  cmdBrowse1 =
      Named(new QPushButton(QStringLiteral("Browse..."), page), QStringLiteral("cmdBrowse1"));
  txtMaxAvge = Named(new QLineEdit(page), QStringLiteral("txtMaxAvge"));
  txtMaxAvge->setValidator(new QRegularExpressionValidator(
      QRegularExpression(QStringLiteral("[0-9]{0,5}")), txtMaxAvge));
  txtMaxAvge->setMaximumWidth(txtMaxAvge->fontMetrics().horizontalAdvance(QStringLiteral("00000")) +
                              16);
  chkHomeAdv =
      Named(new QCheckBox(QStringLiteral("&Home Advantage"), page), QStringLiteral("chkHomeAdv"));
  chkTmScoring =
      Named(new QCheckBox(QStringLiteral("&Team Scoring"), page), QStringLiteral("chkTmScoring"));

  auto* grid = new QGroupBox(QStringLiteral("Starting Grid"), page);
  auto* gridLayout = new QVBoxLayout(grid);
  const std::array<QString, 4> gridCaptions = {
      QStringLiteral("&Random"), QStringLiteral("Favour &Inside"),
      QStringLiteral("Favour &Outside"), QStringLiteral("&All Equal")};
  for (std::size_t i = 0; i < optStartGrid.size(); ++i) {
    optStartGrid[i] =
        Named(new QRadioButton(gridCaptions[i], grid), QStringLiteral("optStartGrid%1").arg(i));
    gridLayout->addWidget(optStartGrid[i]);
  }

  auto* riderFile = new QHBoxLayout;
  riderFile->addWidget(txtRdrFile, 1);
  riderFile->addWidget(cmdBrowse1);
  auto* form = new QFormLayout;
  auto* riderLabel = new QLabel(QStringLiteral("Rider &Database:"), page);
  riderLabel->setBuddy(txtRdrFile);
  form->addRow(riderLabel, riderFile);
  auto* averageLabel = new QLabel(QStringLiteral("&Maximum Average:"), page);
  averageLabel->setBuddy(txtMaxAvge);
  form->addRow(averageLabel, txtMaxAvge);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(form);
  layout->addWidget(chkHomeAdv);
  layout->addWidget(chkTmScoring);
  layout->addWidget(grid);
  layout->addStretch();

  connect(txtRdrFile, &QLineEdit::editingFinished, this, [this] {
    txtRdrFile->setText(
        QString::fromStdString(editor_.LeaveRiderFile(txtRdrFile->text().toStdString())));
  });
  connect(txtMaxAvge, &QLineEdit::editingFinished, this, [this] {
    txtMaxAvge->setText(
        QString::fromStdString(editor_.LeaveMaxAverage(txtMaxAvge->text().toStdString())));
  });
  connect(cmdBrowse1, &QPushButton::clicked, this, &frmPreferences::BrowseRiderFile);
  return page;
}

QWidget* frmPreferences::BuildControlPage() {
  auto* page = new QWidget;
  auto* layout = new QGridLayout(page);
  for (int team = 1; team <= kMaxGroups; ++team) {
    const QString title = team == 1 ? QStringLiteral("Indvls/Team A:")
                                    : QStringLiteral("Team %1:").arg(QChar('A' + team - 1));
    auto* frame = new QGroupBox(title, page);
    auto* frameLayout = new QHBoxLayout(frame);
    const auto computer = static_cast<std::size_t>(2 * team - 1);
    const auto player = static_cast<std::size_t>(2 * team);
    optControl[computer] = Named(new QRadioButton(QStringLiteral("Computer"), frame),
                                 QStringLiteral("optControl%1").arg(computer));
    optControl[player] = Named(new QRadioButton(QStringLiteral("Player"), frame),
                               QStringLiteral("optControl%1").arg(player));
    frameLayout->addWidget(optControl[computer]);
    frameLayout->addWidget(optControl[player]);
    layout->addWidget(frame, (team - 1) / 3, (team - 1) % 3);
  }
  layout->setRowStretch(3, 1);
  return page;
}

QWidget* frmPreferences::BuildMarkingPage() {
  auto* page = new QWidget;
  lstProgMarking = Named(new QTreeWidget(page), QStringLiteral("lstProgMarking"));
  lstProgMarking->setColumnCount(2);
  lstProgMarking->setHeaderHidden(true);
  lstProgMarking->setRootIsDecorated(false);
  lstProgMarking->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  txtProgMarking = Named(new QLineEdit(page), QStringLiteral("txtProgMarking"));
  txtProgMarking->setMaxLength(static_cast<int>(kMarkLength));
  txtProgMarking->setEnabled(false);
  txtProgMarking->setMaximumWidth(
      txtProgMarking->fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 16);
  auto* markLabel = new QLabel(QStringLiteral("Mar&k:"), page);
  markLabel->setBuddy(txtProgMarking);
  auto* markRow = new QHBoxLayout;
  markRow->addWidget(markLabel);
  markRow->addWidget(txtProgMarking);
  markRow->addStretch();
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(lstProgMarking);
  layout->addLayout(markRow);

  connect(lstProgMarking, &QTreeWidget::currentItemChanged, this, [this] {
    const int index = lstProgMarking->indexOfTopLevelItem(lstProgMarking->currentItem()) + 1;
    txtProgMarking->setEnabled(index >= 1);
    if (index >= 1)
      txtProgMarking->setText(WidgetText(editor_.draft.PrefMarks[static_cast<std::size_t>(index)]));
  });
  connect(txtProgMarking, &QLineEdit::textEdited, this, [this](const QString& text) {
    const int index = lstProgMarking->indexOfTopLevelItem(lstProgMarking->currentItem()) + 1;
    editor_.TypeMark(index, EngineText(text));
    ShowMark(index);
  });
  connect(txtProgMarking, &QLineEdit::editingFinished, this, [this] {
    const int index = lstProgMarking->indexOfTopLevelItem(lstProgMarking->currentItem()) + 1;
    if (index < 1) return;
    txtProgMarking->setText(WidgetText(editor_.LeaveMark(index)));
    ShowMark(index);
  });
  return page;
}

QWidget* frmPreferences::BuildCompetitionsPage() {
  auto* page = new QWidget;
  lstCompetitions = Named(new QListWidget(page), QStringLiteral("lstCompetitions"));
  cmdAdd = Named(new QPushButton(QStringLiteral("&Add"), page), QStringLiteral("cmdAdd"));
  cmdDelete = Named(new QPushButton(QStringLiteral("&Delete"), page), QStringLiteral("cmdDelete"));
  cmdMoveUp = Named(new QPushButton(QStringLiteral("Move &Up"), page), QStringLiteral("cmdMoveUp"));
  cmdMoveDown =
      Named(new QPushButton(QStringLiteral("Move Do&wn"), page), QStringLiteral("cmdMoveDown"));
  txtConfigFile = Named(new QLineEdit(page), QStringLiteral("txtConfigFile"));
  cmdBrowse2 =
      Named(new QPushButton(QStringLiteral("Browse..."), page), QStringLiteral("cmdBrowse2"));

  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {cmdAdd, cmdDelete, cmdMoveUp, cmdMoveDown})
    buttons->addWidget(button);
  buttons->addStretch();
  auto* listRow = new QHBoxLayout;
  listRow->addWidget(lstCompetitions, 1);
  listRow->addLayout(buttons);
  auto* fileLabel = new QLabel(QStringLiteral("Configuration &File:"), page);
  fileLabel->setBuddy(txtConfigFile);
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(fileLabel);
  fileRow->addWidget(txtConfigFile, 1);
  fileRow->addWidget(cmdBrowse2);
  lblCheck = Named(new QLabel(page), QStringLiteral("lblCheck"));
  lblCheck->setWordWrap(true);
  auto* layout = new QVBoxLayout(page);
  layout->addLayout(listRow);
  layout->addLayout(fileRow);
  layout->addWidget(lblCheck);

  connect(lstCompetitions, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row == editor_.competitions.selected()) return;
    lblCheck->clear();
    editor_.competitions.Select(row);
    ShowCompetitions();
  });
  CompetitionListEditor& list = editor_.competitions;
  connect(cmdAdd, &QPushButton::clicked, this, [this, &list] {
    list.Add();
    ShowCompetitions();
  });
  connect(cmdDelete, &QPushButton::clicked, this, [this, &list] {
    list.Delete();
    ShowCompetitions();
  });
  connect(cmdMoveUp, &QPushButton::clicked, this, [this, &list] {
    list.MoveUp();
    ShowCompetitions();
  });
  connect(cmdMoveDown, &QPushButton::clicked, this, [this, &list] {
    list.MoveDown();
    ShowCompetitions();
  });
  connect(txtConfigFile, &QLineEdit::textEdited, this,
          [&list](const QString& text) { list.TypeConfigFile(text.toStdString()); });
  connect(txtConfigFile, &QLineEdit::editingFinished, this,
          [this] { txtConfigFile->setText(txtConfigFile->text().trimmed()); });
  connect(cmdBrowse2, &QPushButton::clicked, this, &frmPreferences::BrowseConfigFile);
  return page;
}

void frmPreferences::FillControls() {
  const Preferences& prefs = editor_.draft;
  const int grid = prefs.PrefStartGrid >= 0 && prefs.PrefStartGrid <= 3 ? prefs.PrefStartGrid : 0;
  optStartGrid[static_cast<std::size_t>(grid)]->setChecked(true);
  chkHomeAdv->setChecked(prefs.PrefHomeAdvantage != 0);
  chkTmScoring->setChecked(prefs.PrefTeamScoring != 0);
  txtRdrFile->setText(QString::fromStdString(prefs.PrefRiderDbFile));
  txtMaxAvge->setText(QString::number(prefs.PrefMaxAverage));
  for (std::size_t team = 1; team <= kMaxGroups; ++team) {
    const std::size_t element = 2 * team - 1 + (prefs.PrefPlayers[team] == 1 ? 1 : 0);
    optControl[element]->setChecked(true);
  }
  for (int i = 1; i <= kMarkCount; ++i) {
    auto* line = new QTreeWidgetItem(lstProgMarking);
    line->setText(0, QLatin1String(kMarkLabels[static_cast<std::size_t>(i)]));
    ShowMark(i);
  }
  ShowCompetitions();
}

void frmPreferences::ShowMark(int index) {
  QTreeWidgetItem* line = lstProgMarking->topLevelItem(index - 1);
  if (line != nullptr)
    line->setText(1, WidgetText(editor_.draft.PrefMarks[static_cast<std::size_t>(index)]));
}

void frmPreferences::ShowCompetitions() {
  const CompetitionListEditor& list = editor_.competitions;
  {
    const QSignalBlocker blocker(lstCompetitions);
    lstCompetitions->clear();
    for (const CompetitionEntry& entry : list.entries()) {
      lstCompetitions->addItem(WidgetText(entry.caption));
    }
    lstCompetitions->setCurrentRow(list.selected());
  }
  cmdAdd->setEnabled(list.CanAdd());
  cmdDelete->setEnabled(list.CanDelete());
  cmdMoveUp->setEnabled(list.CanMoveUp());
  cmdMoveDown->setEnabled(list.CanMoveDown());
  const bool selected = list.selected() >= 0;
  txtConfigFile->setEnabled(selected);
  cmdBrowse2->setEnabled(selected);
  txtConfigFile->setText(QString::fromStdString(list.SelectedFile()));
}

void frmPreferences::BrowseRiderFile() {
  const QString chosen = dialogs_.OpenFileName(
      this, QStringLiteral("Select Rider Database"), folders_.startFolder(folders_.lineups()),
      QStringLiteral("Rider Database (*.rdb);;All Files (*)"));
  if (chosen.isEmpty()) return;
  txtRdrFile->setText(QString::fromStdString(
      PathForFolders(ToPath(chosen), ToPath(folders_.user), ToPath(folders_.lineups()))));
  txtRdrFile->setText(
      QString::fromStdString(editor_.LeaveRiderFile(txtRdrFile->text().toStdString())));
}

void frmPreferences::BrowseConfigFile() {
  const QString chosen = dialogs_.OpenFileName(
      this, QStringLiteral("Add Configuration File"), folders_.startFolder(folders_.scripts()),
      QStringLiteral("Configuration File (*.cfg);;All Files (*)"));
  if (chosen.isEmpty()) return;
  CompetitionListEditor& list = editor_.competitions;
  list.TypeConfigFile(
      PathForFolders(ToPath(chosen), ToPath(folders_.user), ToPath(folders_.scripts())));
  if (const auto title = ReadCompetitionTitle(ToPath(chosen))) list.SetSelectedTitle(*title);
  ShowCompetitions();
  lblCheck->setText(QString::fromStdString(CompetitionCheckLine(ToPath(chosen))));
}

void frmPreferences::Apply() {
  Preferences& draft = editor_.draft;
  for (std::size_t i = 0; i < optStartGrid.size(); ++i) {
    if (optStartGrid[i]->isChecked()) draft.PrefStartGrid = static_cast<Integer>(i);
  }
  for (std::size_t team = 1; team <= kMaxGroups; ++team) {
    draft.PrefPlayers[team] = optControl[2 * team]->isChecked() ? 1 : 0;
  }
  draft.PrefHomeAdvantage = chkHomeAdv->isChecked() ? 1 : 0;
  draft.PrefTeamScoring = chkTmScoring->isChecked() ? 1 : 0;
  applied_ = editor_.Apply(txtMaxAvge->text().toStdString(), txtRdrFile->text().toStdString());
  accept();
}

}  // namespace corvane
