// The rider editor window's controls, built once when the window is created.
#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/box_text.h"
#include "editor/frm_tavrel.h"
#include "editor/toolbar_icons.h"
#include "riderdb/lineup_record.h"

namespace corvane {

namespace {

constexpr int kOptionWidth = 22;

// The row number's and the average's columns, wider where the font needs it.
int LabelWidth(const QWidget* window) {
  return std::max(28, window->fontMetrics().horizontalAdvance(QStringLiteral("40:")) + 4);
}
int AverageWidth(const QWidget* window) {
  return std::max(70, window->fontMetrics().horizontalAdvance(QStringLiteral("Average")) + 8);
}

QAction* MenuItem(QMenu* menu, const char* name, const QString& caption,
                  const QKeySequence& shortcut = {}) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(QString::fromLatin1(name));
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  return action;
}

}  // namespace

void FrmTavrel::BuildMenus() {
  QMenu* file = menuBar()->addMenu(tr("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  mnuFNew = MenuItem(file, "mnuFNew", tr("&New Database"), QKeySequence::New);
  mnuFOpen = MenuItem(file, "mnuFOpen", tr("&Open..."), QKeySequence::Open);
  mnuFSave = MenuItem(file, "mnuFSave", tr("&Save"), QKeySequence::Save);
  mnuFSaveAs = MenuItem(file, "mnuFSaveAs", tr("Save &As..."));
  file->addSeparator();
  mnuFImport = MenuItem(file, "mnuFImport", tr("&Merge..."));
  file->addSeparator();
  mnuFExit = MenuItem(file, "mnuFExit", tr("E&xit"));

  mnuEdit = menuBar()->addMenu(tr("&Edit"));
  mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
  mnuEUndo = MenuItem(mnuEdit, "mnuEUndo", tr("U&ndo"), QKeySequence::Undo);
  mnuERedo = MenuItem(mnuEdit, "mnuERedo", tr("&Redo"), QKeySequence::Redo);
  mnuEdit->addSeparator();
  mnuECut = MenuItem(mnuEdit, "mnuECut", tr("Cu&t"), QKeySequence::Cut);
  mnuECopy = MenuItem(mnuEdit, "mnuECopy", tr("&Copy"), QKeySequence::Copy);
  mnuEPaste = MenuItem(mnuEdit, "mnuEPaste", tr("&Paste"), QKeySequence::Paste);
  mnuEdit->addSeparator();
  mnuEMoveUp = MenuItem(mnuEdit, "mnuEMoveUp", tr("Move &Up"), QKeySequence(tr("Ctrl+Up")));
  mnuEMoveDown = MenuItem(mnuEdit, "mnuEMoveDown", tr("Move &Down"), QKeySequence(tr("Ctrl+Down")));
  mnuEdit->addSeparator();
  mnuEFind = MenuItem(mnuEdit, "mnuEFind", tr("&Find..."), QKeySequence::Find);
  QMenu* sort = mnuEdit->addMenu(tr("&Sort"));
  sort->setObjectName(QStringLiteral("mnuESort"));
  auto* sortKeys = new QActionGroup(this);
  mnuESKey[0] = MenuItem(sort, "mnuESKey_0", tr("Sort by Name"));
  mnuESKey[1] = MenuItem(sort, "mnuESKey_1", tr("Sort by ID"));
  for (QAction* key : mnuESKey) {
    key->setCheckable(true);
    sortKeys->addAction(key);
  }

  QMenu* record = menuBar()->addMenu(tr("&Record"));
  record->setObjectName(QStringLiteral("mnuRecord"));
  mnuRAdd = MenuItem(record, "mnuRAdd", tr("&Add"));
  mnuRDuplicate = MenuItem(record, "mnuRDuplicate", tr("Dup&licate"));
  mnuRDelete = MenuItem(record, "mnuRDelete", tr("&Delete"));

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  mnuHTopics = MenuItem(help, "mnuHTopics", tr("&Help Topics"), QKeySequence::HelpContents);
  mnuHAbout = MenuItem(help, "mnuHAbout", tr("&About..."));

  const QStyle* look = style();
  mnuFNew->setIcon(look->standardIcon(QStyle::SP_FileIcon));
  mnuFOpen->setIcon(look->standardIcon(QStyle::SP_DialogOpenButton));
  mnuFSave->setIcon(look->standardIcon(QStyle::SP_DialogSaveButton));
  mnuEMoveUp->setIcon(look->standardIcon(QStyle::SP_ArrowUp));
  mnuEMoveDown->setIcon(look->standardIcon(QStyle::SP_ArrowDown));
  mnuEFind->setIcon(look->standardIcon(QStyle::SP_FileDialogContentsView));
  mnuRAdd->setIcon(AddLineupIcon());
  mnuRDuplicate->setIcon(DuplicateLineupIcon());
  mnuRDelete->setIcon(look->standardIcon(QStyle::SP_TrashIcon));
}

void FrmTavrel::BuildToolbar() {
  tbToolbar = addToolBar(tr("Toolbar"));
  tbToolbar->setObjectName(QStringLiteral("tbToolbar"));
  tbToolbar->setMovable(false);
  tbToolbar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  // Each button runs its menu item's command and is enabled with it, under a short caption.
  const auto button = [this](QAction* action, const char* key, const QString& caption) {
    QAction* shown = tbToolbar->addAction(action->icon(), caption);
    shown->setObjectName(QStringLiteral("tbToolbar_") + QString::fromLatin1(key));
    shown->setToolTip(action->text().remove(u'&').remove(QStringLiteral("...")));
    shown->setEnabled(action->isEnabled());
    connect(action, &QAction::changed, shown,
            [action, shown] { shown->setEnabled(action->isEnabled()); });
    connect(shown, &QAction::triggered, action, &QAction::trigger);
  };
  button(mnuFNew, "New", tr("New"));
  button(mnuFOpen, "Open", tr("Open"));
  button(mnuFSave, "Save", tr("Save"));
  tbToolbar->addSeparator();
  button(mnuEMoveUp, "MoveUp", tr("Up"));
  button(mnuEMoveDown, "MoveDown", tr("Down"));
  button(mnuEFind, "Find", tr("Find"));
  tbToolbar->addSeparator();
  button(mnuRAdd, "Add", tr("Add"));
  button(mnuRDuplicate, "Duplicate", tr("Duplicate"));
  button(mnuRDelete, "Delete", tr("Delete"));
}

QWidget* FrmTavrel::BuildRow(int row) {
  const auto i = static_cast<std::size_t>(row);
  auto* line = new QWidget;
  auto* layout = new QHBoxLayout(line);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  if (row >= 2) {
    optNumRdrs[i] = new QRadioButton(line);
    optNumRdrs[i]->setObjectName(QStringLiteral("optNumRdrs_%1").arg(row));
    optNumRdrs[i]->setFixedWidth(kOptionWidth);
    optNumRdrs[i]->setToolTip(tr("%1 starting riders").arg(row));
    optNumRdrs[i]->installEventFilter(this);
    numRidersGroup_->addButton(optNumRdrs[i], row);
    layout->addWidget(optNumRdrs[i]);
  } else {
    // A blank as wide as an option button, so row 1 lines up with the rows below: the
    // layout's spacing follows a widget but not a spacer.
    auto* blank = new QWidget(line);
    blank->setFixedWidth(kOptionWidth);
    layout->addWidget(blank);
  }
  lblRdr[i] = new QLabel(QStringLiteral("%1:").arg(row), line);
  lblRdr[i]->setObjectName(QStringLiteral("lblRdr_%1").arg(row));
  lblRdr[i]->setFixedWidth(LabelWidth(this));
  lblRdr[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  layout->addWidget(lblRdr[i]);

  txtRdrName[i] = new QLineEdit(line);
  txtRdrName[i]->setObjectName(QStringLiteral("txtRdrName_%1").arg(row));
  LimitToCharacters(txtRdrName[i], false, static_cast<int>(kRiderNameLength));
  txtRdrName[i]->installEventFilter(this);
  layout->addWidget(txtRdrName[i], 1);

  txtRdrAvge[i] = new QLineEdit(line);
  txtRdrAvge[i]->setObjectName(QStringLiteral("txtRdrAvge_%1").arg(row));
  txtRdrAvge[i]->setMaxLength(6);
  txtRdrAvge[i]->setFixedWidth(AverageWidth(this));
  txtRdrAvge[i]->setAlignment(Qt::AlignRight);
  txtRdrAvge[i]->setValidator(new AverageTextValidator(decimalSeparator_, txtRdrAvge[i]));
  txtRdrAvge[i]->installEventFilter(this);
  layout->addWidget(txtRdrAvge[i]);
  return line;
}

QWidget* FrmTavrel::BuildPanel() {
  fraLineup = new QWidget;
  fraLineup->setObjectName(QStringLiteral("fraLineup"));
  auto* panel = new QVBoxLayout(fraLineup);
  panel->setContentsMargins(6, 4, 8, 4);

  auto* header = new QGridLayout;
  txtLineupName = new QLineEdit;
  txtLineupName->setObjectName(QStringLiteral("txtLineupName"));
  LimitToCharacters(txtLineupName, false, static_cast<int>(kLineupNameLength));
  txtCompID = new QLineEdit;
  txtCompID->setObjectName(QStringLiteral("txtCompID"));
  LimitToCharacters(txtCompID, true, static_cast<int>(kCompIdLength));
  txtCompID->setFixedWidth(90);
  txtMaxAvge = new QLineEdit;
  txtMaxAvge->setObjectName(QStringLiteral("txtMaxAvge"));
  txtMaxAvge->setMaxLength(2);
  txtMaxAvge->setFixedWidth(50);
  txtMaxAvge->setValidator(new MaxAverageValidator(txtMaxAvge));
  for (QLineEdit* box : {txtLineupName, txtCompID, txtMaxAvge}) box->installEventFilter(this);

  auto* nameLabel = new QLabel(tr("Line-up &name:"));
  nameLabel->setBuddy(txtLineupName);
  auto* idLabel = new QLabel(tr("Competition &ID:"));
  idLabel->setBuddy(txtCompID);
  auto* maxLabel = new QLabel(tr("Ma&ximum average:"));
  maxLabel->setBuddy(txtMaxAvge);
  header->addWidget(nameLabel, 0, 0);
  header->addWidget(txtLineupName, 0, 1, 1, 3);
  header->addWidget(idLabel, 1, 0);
  header->addWidget(txtCompID, 1, 1);
  header->addWidget(maxLabel, 1, 2, Qt::AlignRight);
  header->addWidget(txtMaxAvge, 1, 3);
  header->setColumnStretch(2, 1);
  panel->addLayout(header);

  auto* columns = new QHBoxLayout;
  columns->setContentsMargins(0, 6, 0, 0);
  columns->addSpacing(kOptionWidth + LabelWidth(this) + 8);
  columns->addWidget(new QLabel(tr("Rider")), 1);
  auto* averageTitle = new QLabel(tr("Average"));
  averageTitle->setFixedWidth(AverageWidth(this));
  averageTitle->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  columns->addWidget(averageTitle);
  columns->addSpacing(style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 4);
  panel->addLayout(columns);

  numRidersGroup_ = new QButtonGroup(this);
  numRidersGroup_->setExclusive(true);
  auto* rows = new QWidget;
  rows->setObjectName(QStringLiteral("picRows"));
  rowsLayout_ = new QVBoxLayout(rows);
  rowsLayout_->setContentsMargins(0, 2, 6, 2);
  rowsLayout_->setSpacing(2);
  for (int row = 1; row <= kLineupRiders; ++row) rowsLayout_->addWidget(BuildRow(row));
  // The line under the last starting rider.
  lnDivider = new QFrame(rows);
  lnDivider->setObjectName(QStringLiteral("lnDivider"));
  lnDivider->setFrameShape(QFrame::HLine);
  lnDivider->setFrameShadow(QFrame::Plain);
  lnDivider->setLineWidth(2);
  rowsLayout_->insertWidget(kDefaultStartingRiders, lnDivider);
  rowsLayout_->addStretch(1);

  rowsArea_ = new QScrollArea;
  rowsArea_->setWidget(rows);
  rowsArea_->setWidgetResizable(true);
  rowsArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  rowsArea_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  fsbLineup = rowsArea_->verticalScrollBar();
  fsbLineup->setObjectName(QStringLiteral("fsbLineup"));
  panel->addWidget(rowsArea_, 1);
  return fraLineup;
}

}  // namespace corvane
