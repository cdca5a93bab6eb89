#include "editor/frm_tavrel.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <filesystem>

#include "editor/box_text.h"
#include "editor/command_line.h"
#include "editor/frm_find.h"
#include "editor/help_window.h"
#include "editor/user_prompts.h"
#include "engine/io/data_folders.h"
#include "engine/records/characters.h"

namespace corvane {

namespace {

const QString kEditorTitle = QStringLiteral("Rider Editor");
constexpr int kKeyRole = Qt::UserRole;

std::filesystem::path PathOf(const QString& fileName) {
  return std::filesystem::path(fileName.toStdString());
}

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

FrmTavrel::FrmTavrel(int maxAverage, const QString& decimalSeparator, UserPrompts& prompts,
                     QWidget* parent)
    : QMainWindow(parent),
      editor_(maxAverage, EngineText(decimalSeparator)),
      prompts_(prompts),
      decimalSeparator_(WidgetText(editor_.DecimalSeparator())) {
  setObjectName(QStringLiteral("frmTavrel"));
  BuildMenus();
  BuildToolbar();

  lvRecords = new QTreeWidget;
  lvRecords->setObjectName(QStringLiteral("lvRecords"));
  lvRecords->setColumnCount(2);
  lvRecords->setHeaderLabels({tr("Name"), tr("ID")});
  lvRecords->setRootIsDecorated(false);
  lvRecords->setUniformRowHeights(true);
  lvRecords->setSelectionMode(QAbstractItemView::SingleSelection);
  lvRecords->header()->setStretchLastSection(false);
  lvRecords->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  lvRecords->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  lvRecords->header()->setSectionsClickable(true);

  auto* split = new QSplitter;
  split->addWidget(lvRecords);
  split->addWidget(BuildPanel());
  split->setStretchFactor(0, 2);
  split->setStretchFactor(1, 3);
  split->setChildrenCollapsible(false);
  split->setSizes({330, 560});
  setCentralWidget(split);

  sbrHelpline = statusBar();
  sbrHelpline->setObjectName(QStringLiteral("sbrHelpline"));

  setMinimumSize(560, 380);
  resize(920, 680);
  ConnectEdits();
  txtMaxAvge->setText(QString::number(editor_.MaxAverage()));
  RefreshList();
  DisplayRecord();
  RefreshTitleAndTools();
}

FrmTavrel::~FrmTavrel() {
  // The application outlives the window: its focus changes while the controls are being
  // destroyed must not reach this half-destroyed window.
  disconnect(focusWatch_);
}

void FrmTavrel::ConnectEdits() {
  connect(mnuFNew, &QAction::triggered, this, &FrmTavrel::NewDatabase);
  connect(mnuFOpen, &QAction::triggered, this, &FrmTavrel::OpenDatabase);
  connect(mnuFSave, &QAction::triggered, this, &FrmTavrel::SaveDatabase);
  connect(mnuFSaveAs, &QAction::triggered, this, &FrmTavrel::SaveDatabaseAs);
  connect(mnuFImport, &QAction::triggered, this, &FrmTavrel::MergeDatabase);
  connect(mnuFExit, &QAction::triggered, this, &QWidget::close);
  const auto focusedBox = [this] { return qobject_cast<QLineEdit*>(focusWidget()); };
  connect(mnuECut, &QAction::triggered, this, [=] {
    if (QLineEdit* box = focusedBox()) box->cut();
  });
  connect(mnuECopy, &QAction::triggered, this, [=] {
    if (QLineEdit* box = focusedBox()) box->copy();
  });
  connect(mnuEPaste, &QAction::triggered, this, [=] {
    if (QLineEdit* box = focusedBox()) box->paste();
  });
  connect(mnuEUndo, &QAction::triggered, this, &FrmTavrel::UndoEdit);
  connect(mnuERedo, &QAction::triggered, this, &FrmTavrel::RedoEdit);
  connect(mnuEMoveUp, &QAction::triggered, this, [this] { MoveRider(-1); });
  connect(mnuEMoveDown, &QAction::triggered, this, [this] { MoveRider(1); });
  connect(mnuEFind, &QAction::triggered, this, &FrmTavrel::ShowFind);
  connect(mnuESKey[0], &QAction::triggered, this, [this] { SortList(SortColumn::kName); });
  connect(mnuESKey[1], &QAction::triggered, this, [this] { SortList(SortColumn::kId); });
  connect(mnuRAdd, &QAction::triggered, this, &FrmTavrel::AddLineup);
  connect(mnuRDuplicate, &QAction::triggered, this, &FrmTavrel::DuplicateLineup);
  connect(mnuRDelete, &QAction::triggered, this, &FrmTavrel::DeleteLineup);
  connect(mnuHTopics, &QAction::triggered, this, [this] { ShowHelpWindow(this, helpFolder_); });
  connect(mnuHAbout, &QAction::triggered, this, [this] {
    prompts_.Inform(this, tr("About Rider Editor"),
                    tr("Rider Editor\n\nCreates and edits the rider databases (.rdb) from which "
                       "Corvane takes its line-ups."));
  });
  connect(mnuEdit, &QMenu::aboutToShow, this, &FrmTavrel::RefreshEditMenu);
  focusWatch_ =
      connect(qApp, &QApplication::focusChanged, this, [this] { RefreshTitleAndTools(); });

  connect(lvRecords, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { RecordSelected(item); });
  connect(lvRecords->header(), &QHeaderView::sectionClicked, this,
          [this](int column) { SortList(column == 1 ? SortColumn::kId : SortColumn::kName); });

  connect(txtLineupName, &QLineEdit::textEdited, this, [this](const QString& text) {
    editor_.SetLineupName(EngineText(text));
    RefreshCurrentEntry();
    RefreshTitleAndTools();
  });
  connect(txtCompID, &QLineEdit::textEdited, this, [this](const QString& text) {
    editor_.SetCompId(EngineText(text));
    RefreshCurrentEntry();
    RefreshTitleAndTools();
  });
  for (int row = 1; row <= kLineupRiders; ++row) {
    const auto i = static_cast<std::size_t>(row);
    connect(txtRdrName[i], &QLineEdit::textEdited, this, [this, row](const QString& text) {
      editor_.SetRiderName(row, EngineText(text));
      RefreshTitleAndTools();
    });
    connect(txtRdrAvge[i], &QLineEdit::textEdited, this, [this, row](const QString& text) {
      editor_.SetRiderAverage(row, EngineText(text));
      RefreshTitleAndTools();
    });
  }
  connect(numRidersGroup_, &QButtonGroup::idClicked, this, [this](int count) {
    editor_.SetStartingRiders(count);
    MoveDivider(count);
    RefreshTitleAndTools();
  });
  connect(txtMaxAvge, &QLineEdit::textEdited, this, [this](const QString& text) {
    // The scale only changes how averages are shown and typed; the database is untouched.
    if (editor_.SetMaxAverage(text.toInt())) ShowAverages();
  });
}

void FrmTavrel::Start(const QString& commandLineArgument) {
  const QString path = FromUtf8(DatabaseArgument(commandLineArgument.toStdString()));
  // Kept absolute, so a later Save writes where the file was found whatever the folder.
  if (path.isEmpty() || !OpenFile(QFileInfo(path).absoluteFilePath())) NewDatabase();
}

// ---- Showing the database ----

void FrmTavrel::RefreshList() {
  const QSignalBlocker quiet(lvRecords);
  lvRecords->clear();
  QTreeWidgetItem* selected = nullptr;
  const QString selectedKey = FromUtf8(KeyOf(editor_.Selected()));
  for (const ListEntry& entry : editor_.Database().entries) {
    auto* item = new QTreeWidgetItem(lvRecords);
    item->setText(0, WidgetText(entry.text));
    item->setText(1, WidgetText(entry.subItem));
    item->setData(0, kKeyRole, FromUtf8(entry.key));
    if (item->data(0, kKeyRole).toString() == selectedKey) selected = item;
  }
  if (selected != nullptr) {
    lvRecords->setCurrentItem(selected);
    lvRecords->scrollToItem(selected);
  }
}

void FrmTavrel::RefreshCurrentEntry() {
  QTreeWidgetItem* item = lvRecords->currentItem();
  const int index = EntryIndexOf(editor_.Database(), editor_.Selected());
  if (item == nullptr || index < 0) return;
  const ListEntry& entry = editor_.Database().entries[static_cast<std::size_t>(index)];
  item->setText(0, WidgetText(entry.text));
  item->setText(1, WidgetText(entry.subItem));
}

void FrmTavrel::RecordSelected(QTreeWidgetItem* item) {
  if (item == nullptr) return;
  editor_.Select(RecordNumberOf(item->data(0, kKeyRole).toString().toStdString()));
  DisplayRecord();
}

void FrmTavrel::DisplayRecord() {
  const LineupRecord* record = editor_.SelectedRecord();
  fraLineup->setVisible(record != nullptr);
  if (record == nullptr) return;
  txtLineupName->setText(WidgetText(record->name));
  txtCompID->setText(WidgetText(record->compId));
  const int count = record->startingRiders;
  if (QAbstractButton* option = numRidersGroup_->button(count)) {
    option->setChecked(true);
  } else if (QAbstractButton* ticked = numRidersGroup_->checkedButton()) {
    numRidersGroup_->setExclusive(false);
    ticked->setChecked(false);
    numRidersGroup_->setExclusive(true);
  }
  MoveDivider(count);
  for (int row = 1; row <= kLineupRiders; ++row) {
    txtRdrName[static_cast<std::size_t>(row)]->setText(
        WidgetText(record->riderNames[static_cast<std::size_t>(row)]));
  }
  ShowAverages();
}

void FrmTavrel::ShowAverages() {
  for (int row = 1; row <= kLineupRiders; ++row) {
    txtRdrAvge[static_cast<std::size_t>(row)]->setText(WidgetText(editor_.AverageText(row)));
  }
}

void FrmTavrel::MoveDivider(int startingRiders) {
  const int under = std::clamp(startingRiders, 1, kLineupRiders);
  rowsLayout_->removeWidget(lnDivider);
  rowsLayout_->insertWidget(under, lnDivider);
}

void FrmTavrel::ShowRecordCount() {
  sbrHelpline->showMessage(FromUtf8(RecordCountText(editor_.Database().RecordCount())));
}

void FrmTavrel::RefreshTitleAndTools() {
  setWindowTitle(FromUtf8(editor_.Title()));
  const bool any = !editor_.Database().entries.empty();
  mnuFSave->setEnabled(editor_.Dirty());
  mnuEFind->setEnabled(any);
  mnuRDuplicate->setEnabled(any);
  mnuRDelete->setEnabled(any && focusWidget() == lvRecords);
  const int row = RiderRowOf(focusWidget());
  mnuEMoveUp->setEnabled(row > 1);
  mnuEMoveDown->setEnabled(row >= 1 && row < kLineupRiders);
  mnuESKey[editor_.SortKey() == SortColumn::kId ? 1 : 0]->setChecked(true);
  mnuEUndo->setEnabled(editor_.CanUndo());
  mnuEUndo->setText(tr("U&ndo %1").arg(FromUtf8(editor_.UndoLabel())).trimmed());
  mnuERedo->setEnabled(editor_.CanRedo());
  mnuERedo->setText(tr("&Redo %1").arg(FromUtf8(editor_.RedoLabel())).trimmed());
}

void FrmTavrel::RefreshEditMenu() {
  const auto* box = qobject_cast<QLineEdit*>(focusWidget());
  const bool selection = box != nullptr && box->hasSelectedText();
  mnuECut->setEnabled(selection && !box->isReadOnly());
  mnuECopy->setEnabled(selection);
  const QMimeData* clip = QApplication::clipboard()->mimeData();
  mnuEPaste->setEnabled(box != nullptr && clip != nullptr && clip->hasText());
  RefreshTitleAndTools();
}

int FrmTavrel::RiderRowOf(const QWidget* widget) const {
  if (widget == nullptr) return 0;
  for (int row = 1; row <= kLineupRiders; ++row) {
    const auto i = static_cast<std::size_t>(row);
    if (widget == txtRdrName[i] || widget == txtRdrAvge[i]) return row;
  }
  return 0;
}

void FrmTavrel::FocusNameBox() {
  txtLineupName->setFocus(Qt::OtherFocusReason);
  txtLineupName->selectAll();
}

// ---- Boxes gaining and losing the focus ----

QString FrmTavrel::HelpLineFor(QWidget* widget) const {
  const int row = RiderRowOf(widget);
  if (widget == txtLineupName) return tr("Line-up name (max 32 chars)");
  if (widget == txtCompID) return tr("Competition ID (max 6 chars)");
  if (widget == txtMaxAvge) return tr("Maximum average (1-99)");
  if (qobject_cast<QRadioButton*>(widget) != nullptr) return tr("Number of starting riders (2-40)");
  if (row > 0 && widget == txtRdrName[static_cast<std::size_t>(row)]) {
    return tr("Rider name (max 24 chars)");
  }
  if (row > 0) return WidgetText(editor_.AverageHelpLine());
  return {};
}

bool FrmTavrel::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (event->type() == QEvent::ShortcutOverride) {
    // Undo and Redo are the editor's, which know every command, not the box's own.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) return true;
  }
  if (widget != nullptr && event->type() == QEvent::FocusIn) {
    const int row = RiderRowOf(widget);
    if (row > 0 && widget == txtRdrAvge[static_cast<std::size_t>(row)]) {
      // While it is edited an average shows only the decimals it needs; a box whose text the
      // find dialog has just selected is left as it is.
      auto* box = txtRdrAvge[static_cast<std::size_t>(row)];
      if (!box->hasSelectedText()) box->setText(WidgetText(editor_.AverageEditingText(row)));
    }
    const QString help = HelpLineFor(widget);
    if (!help.isEmpty()) sbrHelpline->showMessage(help);
  } else if (widget != nullptr && event->type() == QEvent::FocusOut) {
    BoxLeft(widget);
  }
  return QMainWindow::eventFilter(watched, event);
}

void FrmTavrel::BoxLeft(QWidget* box) {
  editor_.EndTyping();
  const LineupRecord* record = editor_.SelectedRecord();
  const int row = RiderRowOf(box);
  if (box == txtMaxAvge) {
    txtMaxAvge->setText(QString::number(editor_.MaxAverage()));
  } else if (record == nullptr) {
    return;
  } else if (box == txtLineupName) {
    txtLineupName->setText(WidgetText(record->name));
  } else if (box == txtCompID) {
    txtCompID->setText(WidgetText(record->compId));
  } else if (row > 0 && box == txtRdrName[static_cast<std::size_t>(row)]) {
    txtRdrName[static_cast<std::size_t>(row)]->setText(
        WidgetText(record->riderNames[static_cast<std::size_t>(row)]));
  } else if (row > 0) {
    txtRdrAvge[static_cast<std::size_t>(row)]->setText(WidgetText(editor_.AverageText(row)));
  }
}

// ---- File commands ----

bool FrmTavrel::AskToSave() {
  if (!editor_.Dirty()) return true;
  const auto answer = prompts_.Ask(this, kEditorTitle, tr("Save changes to this database?"),
                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  if (answer == QMessageBox::Yes) return SaveDatabase();
  if (answer == QMessageBox::No) {
    editor_.DiscardChanges();
    RefreshTitleAndTools();
    return true;
  }
  return false;
}

void FrmTavrel::closeEvent(QCloseEvent* event) {
  if (!AskToSave()) {
    event->ignore();
    return;
  }
  if (frmFind_ != nullptr) frmFind_->hide();
  event->accept();
}

void FrmTavrel::NewDatabase() {
  if (!AskToSave()) return;
  editor_.New();
  RefreshList();
  DisplayRecord();
  RefreshTitleAndTools();
  FocusNameBox();
}

void FrmTavrel::OpenDatabase() {
  if (editor_.Dirty()) {
    const auto answer = prompts_.Ask(this, kEditorTitle, tr("Save changes to this database?"),
                                     QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes && !SaveDatabase()) return;
  }
  const QString path = prompts_.OpenFileName(this, tr("Open"));
  if (!path.isEmpty()) OpenFile(path);
}

bool FrmTavrel::OpenFile(const QString& path) {
  const Status opened = editor_.Open(PathOf(path));
  if (!opened) {
    prompts_.Warn(
        this, kEditorTitle,
        tr("The rider database could not be opened.\n\n%1").arg(FromUtf8(opened.error())));
    return false;
  }
  RefreshList();
  DisplayRecord();
  ShowRecordCount();
  RefreshTitleAndTools();
  return true;
}

bool FrmTavrel::SaveDatabase() {
  if (editor_.FileName().empty()) return SaveDatabaseAs();
  return SaveTo(FromUtf8(editor_.FileName()));
}

bool FrmTavrel::SaveDatabaseAs() {
  // In the database's own folder, under its name.
  const QString typed = prompts_.SaveFileName(this, tr("Save As"), FromUtf8(editor_.FileName()));
  if (typed.isEmpty()) return false;
  // A name typed without an extension is a rider database's, so the open dialogs show it. The
  // file dialog asked about replacing the name as typed, not this one.
  const QString path = FromUtf8(WithDefaultExtension(PathOf(typed), ".rdb").string());
  if (path != typed && QFileInfo::exists(path) &&
      prompts_.Ask(
          this, kEditorTitle,
          tr("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName()),
          QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes) {
    return false;
  }
  return SaveTo(path);
}

bool FrmTavrel::SaveTo(const QString& path) {
  const Status saved = editor_.Save(PathOf(path));
  if (!saved) {
    // The file on disk is as it was, and the changes are still here to save elsewhere.
    prompts_.Warn(this, kEditorTitle,
                  tr("The rider database could not be saved.\n\n%1").arg(FromUtf8(saved.error())));
    RefreshTitleAndTools();
    return false;
  }
  RefreshList();
  RefreshTitleAndTools();
  return true;
}

void FrmTavrel::MergeDatabase() {
  const QString path = prompts_.OpenFileName(this, tr("Import"));
  if (path.isEmpty()) return;
  const Status merged = editor_.Merge(PathOf(path));
  if (!merged) {
    prompts_.Warn(
        this, kEditorTitle,
        tr("The rider database could not be merged.\n\n%1").arg(FromUtf8(merged.error())));
    return;
  }
  RefreshList();
  DisplayRecord();
  ShowRecordCount();
  RefreshTitleAndTools();
}

// ---- Record commands ----

void FrmTavrel::AddLineup() {
  if (editor_.Add() == 0) return;
  RefreshList();
  DisplayRecord();
  RefreshTitleAndTools();
  FocusNameBox();
}

void FrmTavrel::DuplicateLineup() {
  if (editor_.Duplicate() == 0) return;
  RefreshList();
  DisplayRecord();
  RefreshTitleAndTools();
  FocusNameBox();
}

void FrmTavrel::DeleteLineup() {
  if (editor_.SelectedRecord() == nullptr) return;
  editor_.Delete();
  RefreshList();
  DisplayRecord();
  ShowRecordCount();
  RefreshTitleAndTools();
}

void FrmTavrel::MoveRider(int step) {
  QWidget* focused = focusWidget();
  const int row = RiderRowOf(focused);
  if (row == 0 || !editor_.MoveRider(row, step)) return;
  const auto from = static_cast<std::size_t>(row);
  const auto to = static_cast<std::size_t>(row + step);
  const LineupRecord* record = editor_.SelectedRecord();
  for (const std::size_t i : {from, to}) {
    txtRdrName[i]->setText(WidgetText(record->riderNames[i]));
    txtRdrAvge[i]->setText(WidgetText(editor_.AverageText(static_cast<int>(i))));
  }
  QLineEdit* follow = focused == txtRdrName[from] ? txtRdrName[to] : txtRdrAvge[to];
  follow->setFocus(Qt::OtherFocusReason);
  rowsArea_->ensureWidgetVisible(follow);
  RefreshTitleAndTools();
}

void FrmTavrel::SortList(SortColumn column) {
  editor_.Sort(column);
  RefreshList();
  RefreshTitleAndTools();
}

void FrmTavrel::UndoEdit() {
  if (editor_.Undo()) ShowRestored();
}

void FrmTavrel::RedoEdit() {
  if (editor_.Redo()) ShowRestored();
}

void FrmTavrel::ShowRestored() {
  RefreshList();
  DisplayRecord();
  ShowRecordCount();
  RefreshTitleAndTools();
}

// ---- Find ----

void FrmTavrel::ShowFind() {
  if (frmFind_ == nullptr) frmFind_ = new FrmFind(*this);
  frmFind_->ShowWith(lastSearch_);
}

QLineEdit* FrmTavrel::BoxOfField(int field) const {
  if (field == 1) return txtLineupName;
  if (field == 2) return txtCompID;
  const auto row = static_cast<std::size_t>((field - 1) / 2);
  if (field < 1 || field > kSearchFields) return nullptr;
  return field % 2 == 1 ? txtRdrName[row] : txtRdrAvge[row];
}

SearchPlace FrmTavrel::SearchStart() const {
  SearchPlace start;
  start.entry = std::max(0, EntryIndexOf(editor_.Database(), editor_.Selected()));
  auto* box = qobject_cast<QLineEdit*>(focusWidget());
  for (int field = 1; box != nullptr && field <= kSearchFields; ++field) {
    if (BoxOfField(field) != box) continue;
    start.field = field;
    // Just after the first selected character, so a match already selected is not found
    // again; from the caret when nothing is selected.
    const int place = box->hasSelectedText() ? box->selectionStart() + 1 : box->cursorPosition();
    start.character = CharactersBefore(box->text(), place) + 1;
    break;
  }
  return start;
}

void FrmTavrel::SearchRecords() {
  const auto match = corvane::SearchRecords(editor_.Database(), lastSearch_, SearchStart(),
                                            editor_.MaxAverage(), editor_.DecimalSeparator());
  if (!match) {
    QWidget* over = frmFind_ != nullptr && frmFind_->isVisible() ? static_cast<QWidget*>(frmFind_)
                                                                 : static_cast<QWidget*>(this);
    prompts_.Warn(over, kEditorTitle, tr("Search text not found!"));
    return;
  }
  const ListEntry& entry = editor_.Database().entries[static_cast<std::size_t>(match->entry)];
  const int number = RecordNumberOf(entry.key);
  if (number != editor_.Selected()) {
    editor_.Select(number);
    RefreshList();
    DisplayRecord();
  }
  if (QWidget* previous = focusWidget()) BoxLeft(previous);
  // The focus first: a box that takes it at once shows its editing text, which the field's
  // shown text then replaces, so the selection falls on the text that was searched.
  QLineEdit* box = BoxOfField(match->field);
  box->setFocus(Qt::OtherFocusReason);
  const QString shown =
      WidgetText(SearchedFieldText(editor_.Database(), match->entry, match->field,
                                   editor_.MaxAverage(), editor_.DecimalSeparator()));
  box->setText(shown);
  const int first = PlaceOfCharacter(shown, match->character - 1);
  const int length = static_cast<int>(CharacterCount(lastSearch_.text));
  box->setSelection(first, PlaceOfCharacter(shown, match->character - 1 + length) - first);
  rowsArea_->ensureWidgetVisible(box);
  // The window may not be active (the find dialog is), so its box gets no focus event yet.
  sbrHelpline->showMessage(HelpLineFor(box));
  RefreshTitleAndTools();
}

}  // namespace corvane
