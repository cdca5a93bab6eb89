#include "progeditor/frm_prog_editor.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QSvgRenderer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "heatcontrol/frm_control.h"
#include "heatcontrol/frm_regulations.h"
#include "heatcontrol/widget_text.h"

namespace corvane {

namespace {

const QString kEditorTitle = QStringLiteral("Programme Editor");

QAction* NewAction(QObject* owner, const char* name, const QString& caption,
                   bool checkable = false) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QLatin1String(name));
  action->setCheckable(checkable);
  return action;
}

QValidator* DigitsOnly(QObject* owner) {
  return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), owner);
}

// Digits and the decimal separator, typed or pasted.
QValidator* AverageCharacters(QChar decimal, QObject* owner) {
  const QString pattern =
      QStringLiteral("[0-9%1]*").arg(QRegularExpression::escape(QString(decimal)));
  return new QRegularExpressionValidator(QRegularExpression(pattern), owner);
}

// An entry box with a drop-down list of choices: typed text is never added to the list.
QComboBox* EntryBox(const QString& name, int maxLength, QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(name);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setCompleter(nullptr);
  box->lineEdit()->setMaxLength(maxLength);
  return box;
}

// The box keeps its place in the list, so that Up and Down step on from the line-up loaded.
void SetEntryText(QComboBox* box, const QString& text) {
  const QSignalBlocker block(box);
  box->setEditText(text);
}

// A toolbar image from the editor's drawings, rendered at the sizes toolbars ask for so that it
// stays sharp at any scale; disabled and checked looks are derived from it.
QIcon ToolbarIcon(const QString& name) {
  QSvgRenderer drawing(QStringLiteral(":/progeditor/icons/%1.svg").arg(name));
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawing.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

int CharWidth(const QWidget* widget, int chars) {
  return widget->fontMetrics().horizontalAdvance(QLatin1Char('M')) * chars * 3 / 4 + 12;
}

}  // namespace

frmProgEditor::frmProgEditor(Meeting& m, ProgEditorSetup setup, QWidget* parent)
    : QDialog(parent), m_(m), setup_(std::move(setup)) {
  setObjectName(QStringLiteral("frmProgEditor"));
  setWindowTitle(kEditorTitle);
  OpenProgramme(setup_.prefs, m_);
  layout_ = LayoutFor(m_);

  auto* layout = new QVBoxLayout(this);
  BuildMenus();
  layout->setMenuBar(menuBar_);
  layout->addWidget(tbEditor);
  auto* header = new QGridLayout;
  BuildHeader(header);
  layout->addLayout(header);
  auto* scroll = new QScrollArea(this);
  scroll->setObjectName(QStringLiteral("scrRows"));
  scroll->setWidgetResizable(true);
  scroll->setWidget(BuildRows());
  layout->addWidget(scroll, 1);
  lblHelp = new QLabel(this);
  lblHelp->setObjectName(QStringLiteral("lblHelp"));
  lblHelp->setFrameShape(QFrame::StyledPanel);
  layout->addWidget(lblHelp);

  FillBoxes();
  ShowTeamTitles();
  BuildLineupLists();
  UpdateCommands();

  FitToScreen(scroll);
}

// As large as the rows and the toolbar want, within the screen: the rows scroll.
void frmProgEditor::FitToScreen(const QScrollArea* scroll) {
  QDialog::layout()->activate();
  const QSize rows = scroll->widget()->sizeHint();
  const QSize area = scroll->sizeHint();
  const int frame = 2 * scroll->frameWidth();
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  QSize wanted = sizeHint() - area + rows + QSize(frame + bar, frame);
  wanted.setWidth(std::max({wanted.width(), tbEditor->sizeHint().width() + 24, 720}));
  const QWidget* anchor = parentWidget() != nullptr ? parentWidget() : this;
  const QScreen* screen = anchor->screen();
  if (screen != nullptr) {
    // Room for the window's frame and title bar, which the window system adds.
    const QRect available = screen->availableGeometry();
    wanted = wanted.boundedTo(available.size() - QSize(16, 48));
  }
  resize(wanted.expandedTo(minimumSizeHint()));
}

void frmProgEditor::BuildMenus() {
  menuBar_ = new QMenuBar(this);
  mnuMStart = NewAction(this, "mnuMStart", QStringLiteral("&Start Racing"));
  mnuMClose = NewAction(this, "mnuMClose", QStringLiteral("&Close"));
  mnuECut = NewAction(this, "mnuECut", QStringLiteral("Cu&t"));
  mnuECopy = NewAction(this, "mnuECopy", QStringLiteral("&Copy"));
  mnuEPaste = NewAction(this, "mnuEPaste", QStringLiteral("&Paste"));
  mnuEMoveUp = NewAction(this, "mnuEMoveUp", QStringLiteral("Move &Up"));
  mnuEMoveDown = NewAction(this, "mnuEMoveDown", QStringLiteral("Move &Down"));
  mnuERdrRep = NewAction(this, "mnuERdrRep", QStringLiteral("Use &R/R"), true);
  mnuORegs = NewAction(this, "mnuORegs", QStringLiteral("&Regulations..."));
  mnuOControl = NewAction(this, "mnuOControl", QStringLiteral("&Control Mode..."));
  mnuOHomeAdv = NewAction(this, "mnuOHomeAdv", QStringLiteral("&Home Advantage"), true);
  mnuOInteractive = NewAction(this, "mnuOInteractive", QStringLiteral("&Interactive"), true);
  mnuOLineups = NewAction(this, "mnuOLineups", QStringLiteral("&All Line-ups"), true);
  mnuHProgEditor = NewAction(this, "mnuHProgEditor", QStringLiteral("Programme Editor"));

  QMenu* meeting = menuBar_->addMenu(QStringLiteral("&Meeting"));
  meeting->addActions({mnuMStart, mnuMClose});
  QMenu* edit = menuBar_->addMenu(QStringLiteral("&Edit"));
  edit->addActions({mnuECut, mnuECopy, mnuEPaste});
  edit->addSeparator();
  edit->addActions({mnuEMoveUp, mnuEMoveDown});
  edit->addSeparator();
  edit->addAction(mnuERdrRep);
  QMenu* options = menuBar_->addMenu(QStringLiteral("&Options"));
  options->addActions({mnuORegs, mnuOControl});
  options->addSeparator();
  options->addActions({mnuOHomeAdv, mnuOInteractive, mnuOLineups});
  QMenu* help = menuBar_->addMenu(QStringLiteral("&Help"));
  help->addAction(mnuHProgEditor);

  tbEditor = new QToolBar(this);
  tbEditor->setObjectName(QStringLiteral("tbEditor"));
  tbEditor->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  tbEditor->setIconSize(QSize(24, 24));
  struct Button {
    QAction* action;
    const char* key;
    const char* image;
  };
  const std::array<Button, 9> buttons{{{mnuMStart, "Start", "start"},
                                       {mnuEMoveUp, "MoveUp", "move-up"},
                                       {mnuEMoveDown, "MoveDown", "move-down"},
                                       {mnuERdrRep, "RdrRep", "replace"},
                                       {mnuORegs, "Regulations", "regulations"},
                                       {mnuOControl, "Control", "control"},
                                       {mnuOHomeAdv, "HomeAdv", "home"},
                                       {mnuOInteractive, "Interactive", "interactive"},
                                       {mnuOLineups, "Lineups", "lineups"}}};
  for (const Button& button : buttons) {
    button.action->setIcon(ToolbarIcon(QLatin1String(button.image)));
    tbEditor->addAction(button.action);
    tbEditor->widgetForAction(button.action)->setObjectName(QLatin1String(button.key));
  }

  // Rider replacement and home advantage belong to team meetings.
  const bool teams = layout_.teamMeeting;
  mnuOHomeAdv->setVisible(teams);
  mnuERdrRep->setVisible(teams && m_.RdrRepUse > 0);
  mnuOHomeAdv->setChecked(m_.HomeAdvantage);
  mnuOInteractive->setChecked(m_.ControlMode == 1);

  connect(mnuMStart, &QAction::triggered, this, [this] { StartRacingCommand(); });
  connect(mnuMClose, &QAction::triggered, this, &QDialog::reject);
  connect(mnuECut, &QAction::triggered, this, [this] {
    if (QLineEdit* box = EditedBox()) box->cut();
  });
  connect(mnuECopy, &QAction::triggered, this, [this] {
    if (QLineEdit* box = EditedBox()) box->copy();
  });
  connect(mnuEPaste, &QAction::triggered, this, [this] {
    if (QLineEdit* box = EditedBox()) box->paste();
  });
  connect(mnuEMoveUp, &QAction::triggered, this, [this] { MoveRider(-1); });
  connect(mnuEMoveDown, &QAction::triggered, this, [this] { MoveRider(1); });
  connect(mnuERdrRep, &QAction::triggered, this, [this] { UseReplacement(); });
  connect(mnuORegs, &QAction::triggered, this, [this] { ShowRegulations(); });
  connect(mnuOControl, &QAction::triggered, this, [this] { ShowControl(); });
  connect(mnuOHomeAdv, &QAction::triggered, this, [this] {
    m_.HomeAdvantage = !m_.HomeAdvantage;
    mnuOHomeAdv->setChecked(m_.HomeAdvantage);
    ShowTeamTitles();
  });
  connect(mnuOInteractive, &QAction::triggered, this,
          [this] { mnuOInteractive->setChecked(ToggleInteractive(m_)); });
  connect(mnuOLineups, &QAction::triggered, this, [this] {
    allLineups_ = !allLineups_;
    mnuOLineups->setChecked(allLineups_);
    BuildLineupLists();
  });
  connect(mnuHProgEditor, &QAction::triggered, this, [this] {
    if (setup_.help) setup_.help(this, kProgEditorHelpContext);
  });
}

void frmProgEditor::BuildHeader(QGridLayout* grid) {
  txtTitle = EntryBox(QStringLiteral("txtTitle"), kTitleBoxLength, this);
  txtVenue = NewBox(QStringLiteral("txtVenue"), kVenueBoxLength, Box::Venue, 0);
  txtDate = EntryBox(QStringLiteral("txtDate"), kDateBoxLength, this);
  Watch(txtTitle, Box::Title, 0);
  Watch(txtDate, Box::Date, 0);
  txtTitle->setMinimumWidth(CharWidth(this, kTitleBoxLength));
  if (setup_.today.isValid()) {
    txtDate->addItem(setup_.today.toString(setup_.shortDateFormat));
  }
  // Choosing today's date from the list is entering it.
  connect(txtDate, &QComboBox::textActivated, this, [this](const QString& text) {
    Edited({Box::Date, 0}, text);
  });
  connect(txtTitle, &QComboBox::activated, this, [this](int index) { LoadLineup(0, index); });

  txtVenue->setMinimumWidth(CharWidth(this, kVenueBoxLength));
  txtDate->setMinimumWidth(CharWidth(this, 12));
  grid->addWidget(new QLabel(QStringLiteral("Title:"), this), 0, 0);
  grid->addWidget(txtTitle, 0, 1, 1, 3);
  grid->addWidget(new QLabel(QStringLiteral("Host track:"), this), 1, 0);
  grid->addWidget(txtVenue, 1, 1);
  grid->addWidget(new QLabel(QStringLiteral("Date:"), this), 1, 2);
  grid->addWidget(txtDate, 1, 3);
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(3, 1);
}

QLineEdit* frmProgEditor::NewBox(const QString& name, int maxLength, Box box, int index) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(name);
  edit->setMaxLength(maxLength);
  Watch(edit, box, index);
  return edit;
}

void frmProgEditor::Watch(QLineEdit* edit, Box box, int index) {
  boxes_[edit] = WatchedBox{{box, index}, edit};
  edit->installEventFilter(this);
  connect(edit, &QLineEdit::textEdited, this, [this, box, index](const QString& text) {
    Edited({box, index}, text);
  });
}

// A drop-down box takes the focus itself and hands it to its text box unseen: the focus is
// watched on the drop-down box, the typing on its text box.
void frmProgEditor::Watch(QComboBox* entry, Box box, int index) {
  QLineEdit* edit = entry->lineEdit();
  boxes_[entry] = WatchedBox{{box, index}, edit};
  entry->installEventFilter(this);
  connect(edit, &QLineEdit::textEdited, this, [this, box, index](const QString& text) {
    Edited({box, index}, text);
  });
}

QWidget* frmProgEditor::BuildRows() {
  auto* rows = new QWidget;
  rows->setObjectName(QStringLiteral("picRows"));
  auto* grid = new QGridLayout(rows);
  if (layout_.teamMeeting) {
    int panel = 0;
    for (const EditorSection& section : layout_.sections) {
      if (section.kind != SectionKind::Team) continue;
      grid->addWidget(BuildTeamPanel(section), panel / layout_.panelsPerRow,
                      panel % layout_.panelsPerRow, Qt::AlignTop);
      ++panel;
    }
    const int nextRow = (panel + layout_.panelsPerRow - 1) / layout_.panelsPerRow;
    for (const EditorSection& section : layout_.sections) {
      if (section.kind != SectionKind::Block) continue;
      auto* block = new QGroupBox(
          m_.SupportMode ? QStringLiteral("Support Riders") : QStringLiteral("Track Reserves"),
          rows);
      block->setObjectName(QStringLiteral("fraBlock"));
      auto* blockGrid = new QGridLayout(block);
      int r = 0;
      for (const EditorRow& row : section.rows) AddRiderRow(blockGrid, r++, row);
      grid->addWidget(block, nextRow, 0, Qt::AlignTop);
    }
    grid->setRowStretch(nextRow + 1, 1);
    grid->setColumnStretch(layout_.panelsPerRow, 1);
  } else {
    grid->addWidget(BuildList(), 0, 0, Qt::AlignTop);
    grid->setRowStretch(1, 1);
    grid->setColumnStretch(1, 1);
  }
  return rows;
}

QWidget* frmProgEditor::BuildTeamPanel(const EditorSection& section) {
  const int team = section.group;
  auto* panel = new QGroupBox(this);
  panel->setObjectName(QStringLiteral("fraTeam%1").arg(team));
  fraTeam[static_cast<std::size_t>(team)] = panel;
  auto* grid = new QGridLayout(panel);
  auto* name = EntryBox(QStringLiteral("txtTmName%1").arg(team), kTeamNameBoxLength, panel);
  name->setMinimumWidth(CharWidth(this, 20));
  Watch(name, Box::TeamName, team);
  connect(name, &QComboBox::activated, this, [this, team](int index) { LoadLineup(team, index); });
  auto* points =
      NewBox(QStringLiteral("txtTmPts%1").arg(team), kExtraPointsBoxLength, Box::TeamPoints, team);
  points->setValidator(DigitsOnly(points));
  points->setFixedWidth(CharWidth(this, 4));
  txtTmName[static_cast<std::size_t>(team)] = name;
  txtTmPts[static_cast<std::size_t>(team)] = points;
  grid->addWidget(name, 0, 0, 1, 2);
  grid->addWidget(points, 0, 2);
  int gridRow = 1;
  bool reservesMarked = false;
  for (const EditorRow& row : section.rows) {
    if (row.reserve && !reservesMarked) {
      // The reserves stand apart from the riders.
      auto* line = new QFrame(panel);
      line->setFrameShape(QFrame::HLine);
      line->setFrameShadow(QFrame::Sunken);
      grid->addWidget(line, gridRow++, 0, 1, 3);
      reservesMarked = true;
    }
    AddRiderRow(grid, gridRow++, row);
  }
  return panel;
}

QWidget* frmProgEditor::BuildList() {
  auto* list = new QFrame(this);
  list->setObjectName(QStringLiteral("fraRiders"));
  auto* grid = new QGridLayout(list);
  int gridRow = 0;
  for (const EditorSection& section : layout_.sections) {
    if (section.kind == SectionKind::Group && m_.NumGroups > 1) {
      auto* heading = new QLabel(WidgetText(GroupHeading(m_, section.group)), list);
      heading->setObjectName(QStringLiteral("lblGroup%1").arg(section.group));
      grid->addWidget(heading, gridRow++, 0, 1, 3);
    } else if (section.kind == SectionKind::Block) {
      grid->addWidget(
          new QLabel(m_.SupportMode ? QStringLiteral("SUPPORT RIDERS") : QStringLiteral("RESERVES"),
                     list),
          gridRow++, 0, 1, 3);
    }
    for (const EditorRow& row : section.rows) AddRiderRow(grid, gridRow++, row);
  }
  return list;
}

void frmProgEditor::AddRiderRow(QGridLayout* grid, int gridRow, const EditorRow& row) {
  const auto s = static_cast<std::size_t>(row.slot);
  auto* label = new QLabel(WidgetText(row.label));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  auto* name = NewBox(QStringLiteral("txtRdrName%1").arg(row.slot), kRiderNameBoxLength,
                      Box::RiderName, row.slot);
  name->setMinimumWidth(CharWidth(this, 16));
  auto* average =
      NewBox(QStringLiteral("txtRdrAvge%1").arg(row.slot), 6, Box::RiderAverage, row.slot);
  average->setValidator(AverageCharacters(setup_.decimal, average));
  average->setFixedWidth(CharWidth(this, 5));
  txtRdrName[s] = name;
  txtRdrAvge[s] = average;
  grid->addWidget(label, gridRow, 0);
  grid->addWidget(name, gridRow, 1);
  grid->addWidget(average, gridRow, 2);
}

void frmProgEditor::FillBoxes() {
  SetEntryText(txtTitle, WidgetText(m_.TitleLines));
  txtVenue->setText(WidgetText(m_.VenueLines));
  SetEntryText(txtDate, WidgetText(m_.DateLines));
  for (const EditorSection& section : layout_.sections) {
    if (section.kind == SectionKind::Team) ShowTeam(section.group);
    for (const EditorRow& row : section.rows) ShowRider(row.slot);
  }
}

// Team A rides at home when home advantage applies.
void frmProgEditor::ShowTeamTitles() {
  for (int team = 1; team <= kMaxGroups; ++team) {
    QGroupBox* panel = fraTeam[static_cast<std::size_t>(team)];
    if (panel == nullptr) continue;
    const QString name = QStringLiteral("Team %1").arg(QChar(u'A' + (team - 1)));
    panel->setTitle(team == 1 && m_.HomeAdvantage ? name + QStringLiteral(" (home)") : name);
  }
}

void frmProgEditor::ShowTeam(int team) {
  const auto t = static_cast<std::size_t>(team);
  if (!IsGroup(team) || txtTmName[t] == nullptr) return;
  SetEntryText(txtTmName[t], WidgetText(m_.GroupTitle[t]));
  const Integer extra = std::clamp<Integer>(m_.GroupExtra[t], 0, 999);
  txtTmPts[t]->setText(extra > 0 ? QString::number(extra) : QString());
}

void frmProgEditor::ShowRider(int slot) {
  if (!IsSlot(slot) || txtRdrName[static_cast<std::size_t>(slot)] == nullptr) return;
  const auto s = static_cast<std::size_t>(slot);
  const char decimal = static_cast<char>(setup_.decimal.toLatin1());
  txtRdrName[s]->setText(WidgetText(m_.RiderName[s]));
  if (slot == editingAverage_) {
    txtRdrAvge[s]->setText(
        WidgetText(AverageEntryText(m_.RiderAverage[s], m_.MaxAverage, decimal)));
  } else if (IsReplacedRider(m_, layout_, slot)) {
    txtRdrAvge[s]->setText(QStringLiteral("R/R"));
  } else {
    txtRdrAvge[s]->setText(
        WidgetText(AverageShownText(m_.RiderAverage[s], m_.MaxAverage, decimal)));
  }
  // The team's extra rider is entered only while one of its riders is replaced.
  const EditorRow* row = layout_.RowOf(slot);
  if (row != nullptr && row->replacementSlot) {
    const bool open = ReplacementSlotOpen(m_, TeamOfSlot(layout_, slot));
    txtRdrName[s]->setEnabled(open);
    txtRdrAvge[s]->setEnabled(open);
  }
}

void frmProgEditor::BuildLineupLists() {
  offered_.clear();
  std::vector<QComboBox*> lists;
  if (layout_.teamMeeting) {
    for (const int team : LineupTeams(m_))
      lists.push_back(txtTmName[static_cast<std::size_t>(team)]);
  } else {
    lists.push_back(txtTitle);
  }
  for (QComboBox* list : lists) {
    if (list == nullptr) continue;
    const QString text = list->currentText();
    const QSignalBlocker block(list);
    list->clear();
    SetEntryText(list, text);
  }
  if (lists.empty()) return;

  Result<std::vector<OfferedLineup>> offered =
      OfferLineupsFromFile(setup_.database, m_, allLineups_);
  if (!offered) {
    if (setup_.warn) setup_.warn(this, kEditorTitle, QStringLiteral("Rider Database not found"));
    return;
  }
  offered_ = std::move(offered.value());
  QStringList texts;
  for (const OfferedLineup& lineup : offered_) texts << WidgetText(lineup.text);
  for (QComboBox* list : lists) {
    if (list == nullptr) continue;
    const QString text = list->currentText();
    const QSignalBlocker block(list);
    list->addItems(texts);
    list->setCurrentIndex(-1);  // offering is not choosing
    SetEntryText(list, text);
  }
}

void frmProgEditor::LoadLineup(int team, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= offered_.size()) return;
  const Status loaded =
      LoadChosenLineup(m_, team, offered_[static_cast<std::size_t>(index)], setup_.database);
  if (!loaded) {
    if (setup_.warn) setup_.warn(this, kEditorTitle, WidgetText(loaded.error()));
  }
  if (layout_.teamMeeting) {
    ShowTeam(team);
    const EditorSection* section = nullptr;
    for (const EditorSection& s : layout_.sections) {
      if (s.kind == SectionKind::Team && s.group == team) section = &s;
    }
    if (section != nullptr) {
      for (const EditorRow& row : section->rows) ShowRider(row.slot);
    }
  } else {
    SetEntryText(txtTitle, WidgetText(m_.TitleLines));
    for (const EditorSection& section : layout_.sections) {
      for (const EditorRow& row : section.rows) ShowRider(row.slot);
    }
  }
  UpdateCommands();
}

void frmProgEditor::UpdateCommands() {
  mnuMStart->setEnabled(!Trim(m_.DateLines).empty());
  const int slot = focusedSlot_;
  mnuEMoveUp->setEnabled(slot != 0 && NeighbourSlot(layout_, slot, -1) != 0);
  mnuEMoveDown->setEnabled(slot != 0 && NeighbourSlot(layout_, slot, 1) != 0);
  mnuERdrRep->setEnabled(slot != 0 && CanReplaceRider(m_, layout_, slot));
  mnuERdrRep->setChecked(slot != 0 && IsReplacedRider(m_, layout_, slot));
}

bool frmProgEditor::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
    const auto found = boxes_.find(watched);
    // A menu or a drop-down list opening leaves the focus where it is.
    const bool popup = static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason;
    if (found != boxes_.end() && !popup) {
      if (event->type() == QEvent::FocusIn) {
        FocusEntered(found->second.ref, found->second.edit);
      } else {
        FocusLeft(found->second.ref);
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmProgEditor::FocusEntered(const BoxRef& ref, QLineEdit* edit) {
  lastEdit_ = edit;
  const char decimal = static_cast<char>(setup_.decimal.toLatin1());
  QString help;
  focusedSlot_ = 0;
  switch (ref.box) {
    case Box::Title:
      help = QStringLiteral("Meeting title (max 32 chars)");
      break;
    case Box::Venue:
      help = QStringLiteral("Host track (max 24 chars)");
      break;
    case Box::Date:
      help = QStringLiteral("Date (%1)").arg(setup_.shortDateFormat);
      break;
    case Box::TeamName:
      help = QStringLiteral("Team name (max 32 chars)");
      break;
    case Box::TeamPoints:
      help = QStringLiteral("Additional team points (0-999)");
      break;
    case Box::RiderName:
      help = QStringLiteral("Rider name (max 24 chars)");
      focusedSlot_ = ref.index;
      break;
    case Box::RiderAverage: {
      help = WidgetText(AverageHelpText(m_.MaxAverage, decimal));
      focusedSlot_ = ref.index;
      editingAverage_ = ref.index;
      // The box shows the number itself while typed in, never "R/R", which could not be edited.
      const Single held = m_.RiderAverage[static_cast<std::size_t>(ref.index)];
      edit->setText(WidgetText(AverageEntryText(held, m_.MaxAverage, decimal)));
      break;
    }
  }
  lblHelp->setText(help);
  UpdateCommands();
}

void frmProgEditor::FocusLeft(const BoxRef& ref) {
  switch (ref.box) {
    case Box::RiderAverage:
      editingAverage_ = 0;
      ShowRider(ref.index);
      break;
    case Box::RiderName:
      ShowRider(ref.index);
      break;
    case Box::Title:
      SetEntryText(txtTitle, WidgetText(m_.TitleLines));
      break;
    case Box::Date:
      SetEntryText(txtDate, WidgetText(m_.DateLines));
      break;
    case Box::Venue:
      txtVenue->setText(WidgetText(m_.VenueLines));
      break;
    case Box::TeamName:
      ShowTeam(ref.index);
      break;
    case Box::TeamPoints:
      break;
  }
}

void frmProgEditor::Edited(const BoxRef& ref, const QString& text) {
  const std::string value = EngineText(text);
  const auto i = static_cast<std::size_t>(ref.index);
  switch (ref.box) {
    case Box::Title:
      m_.TitleLines = Trim(value);
      break;
    case Box::Venue:
      m_.VenueLines = Trim(value);
      break;
    case Box::Date:
      m_.DateLines = Trim(value);
      break;
    case Box::TeamName:
      m_.GroupTitle[i] = Trim(value);
      break;
    case Box::TeamPoints:
      m_.GroupExtra[i] = ExtraPointsFromText(value);
      break;
    case Box::RiderName:
      m_.RiderName[i] = Trim(value);
      break;
    case Box::RiderAverage: {
      const auto held =
          AverageFromText(value, m_.MaxAverage, static_cast<char>(setup_.decimal.toLatin1()));
      if (held) m_.RiderAverage[i] = *held;
      break;
    }
  }
  UpdateCommands();
}

QLineEdit* frmProgEditor::EditedBox() const {
  // The box with the focus; the menu took none.
  const auto focused = boxes_.find(QApplication::focusWidget());
  return focused != boxes_.end() ? focused->second.edit : lastEdit_;
}

void frmProgEditor::MoveRider(int direction) {
  const int from = focusedSlot_;
  const int to = NeighbourSlot(layout_, from, direction);
  if (to == 0) return;
  const bool onAverage = editingAverage_ == from;
  ExchangeRiders(m_, layout_, from, to);
  // The focus goes with the rider.
  if (onAverage) editingAverage_ = to;
  ShowRider(from);
  ShowRider(to);
  focusedSlot_ = to;
  QLineEdit* box = onAverage ? txtRdrAvge[static_cast<std::size_t>(to)]
                             : txtRdrName[static_cast<std::size_t>(to)];
  lastEdit_ = box;
  box->setFocus();
  UpdateCommands();
}

void frmProgEditor::UseReplacement() {
  const int slot = focusedSlot_;
  if (slot != 0 && CanReplaceRider(m_, layout_, slot)) {
    ToggleReplacedRider(m_, layout_, slot);
    const EditorSection* section = layout_.SectionOf(slot);
    for (const EditorRow& row : section->rows) ShowRider(row.slot);
  }
  UpdateCommands();
}

void frmProgEditor::ShowRegulations() {
  if (setup_.regulations) {
    setup_.regulations(this, m_);
  } else {
    frmRegulations dialog(m_, setup_.help, this);
    dialog.exec();
  }
  // The control mode may have changed behind the Interactive tick.
  mnuOInteractive->setChecked(m_.ControlMode == 1);
}

void frmProgEditor::ShowControl() {
  if (setup_.control) {
    setup_.control(this, m_);
  } else {
    frmControl dialog(m_, setup_.help, this);
    dialog.exec();
  }
  mnuOInteractive->setChecked(m_.ControlMode == 1);
}

void frmProgEditor::StartRacingCommand() {
  if (Trim(m_.DateLines).empty()) return;
  StartRacing(m_, layout_);
  accept();
}

}  // namespace corvane
