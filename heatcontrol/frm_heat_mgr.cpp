#include "heatcontrol/frm_heat_mgr.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "engine/io/text_encoding.h"

namespace corvane {

namespace {

QString Shown(const std::string& text) {
  return QString::fromStdString(text);
}

// The user's decimal separator, when it is one character of the engine's text.
char DecimalPoint() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 0x80 ? static_cast<char>(point[0].unicode())
                                                        : '.';
}

template <class Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

// The line-up list's height, in twips, for a number of places.
int LineupTwips(int places) {
  return 195 * places + 205;
}

}  // namespace

frmHeatMgr::frmHeatMgr(Meeting& m, QWidget* parent) : QDialog(parent), model_(m, DecimalPoint()) {
  setObjectName(QStringLiteral("frmHeatMgr"));
  setModal(true);
  BuildControls();
  Connect();
  ShowAll();
  lstLineup->setFocus();
}

void frmHeatMgr::BuildControls() {
  lstLineup = Named(new QListWidget(this), "lstLineup");
  lstLineup->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  lblStarters = Named(new QLabel(QStringLiteral("S&tarters:"), this), "lblStarters");
  cboStarters = Named(new QComboBox(this), "cboStarters");
  for (int n = 2; n <= kMaxEntries; ++n) cboStarters->addItem(QString::number(n), n);
  lblStarters->setBuddy(cboStarters);
  lblHandicap = Named(new QLabel(QStringLiteral("&Handicap:"), this), "lblHandicap");
  cboHandicap = Named(new QComboBox(this), "cboHandicap");
  cboHandicap->setEditable(true);
  cboHandicap->setInsertPolicy(QComboBox::NoInsert);
  for (const char* metres : {"5", "10", "15", "20", "30", "40", "50"}) {
    cboHandicap->addItem(QLatin1String(metres));
  }
  // Two digits at most.
  cboHandicap->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,2}")), this));
  lblHandicap->setBuddy(cboHandicap);

  fraReplacements = Named(new QGroupBox(QStringLiteral("Reserves"), this), "fraReplacements");
  const char* const optionNames[] = {"", "optSubstitutes_1", "optSubstitutes_2",
                                     "optSubstitutes_3"};
  const char* const optionCaptions[] = {"", "Reserves", "Tactical Substitutes",
                                        "Rider Replacement"};
  for (std::size_t k = 1; k <= 3; ++k) {
    optSubstitutes[k] =
        Named(new QRadioButton(QLatin1String(optionCaptions[k]), fraReplacements), optionNames[k]);
  }
  lblSubstitutes =
      Named(new QLabel(QStringLiteral("Reserves:"), fraReplacements), "lblSubstitutes");
  lstSubstitutes = Named(new QListWidget(fraReplacements), "lstSubstitutes");
  lstSubstitutes->installEventFilter(this);
  lblInfo = Named(new QLabel(fraReplacements), "lblInfo");
  lblInfo->setWordWrap(true);
  lblInfo->setAlignment(Qt::AlignCenter);

  cmdStart = Named(new QPushButton(QStringLiteral("&Start Race"), this), "cmdStart");
  cmdCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "cmdCancel");
  cmdReset = Named(new QPushButton(QStringLiteral("&Reset"), this), "cmdReset");
  cmdWithdraw = Named(new QPushButton(QStringLiteral("&Withdraw"), this), "cmdWithdraw");
  // Enter belongs to the candidate list (it puts the rider in); no button takes it.
  for (QPushButton* button : {cmdStart, cmdCancel, cmdReset, cmdWithdraw}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }

  auto* frameLayout = new QVBoxLayout(fraReplacements);
  for (std::size_t k = 1; k <= 3; ++k) frameLayout->addWidget(optSubstitutes[k]);
  frameLayout->addWidget(lblSubstitutes);
  frameLayout->addWidget(lstSubstitutes, 1);
  frameLayout->addWidget(lblInfo, 1);

  auto* choices = new QHBoxLayout;
  choices->addWidget(lblStarters);
  choices->addWidget(cboStarters);
  choices->addSpacing(PixelsOf(120));
  choices->addWidget(lblHandicap);
  choices->addWidget(cboHandicap);
  choices->addStretch(1);

  auto* left = new QVBoxLayout;
  left->addWidget(lstLineup);
  left->addLayout(choices);
  left->addStretch(1);

  auto* top = new QHBoxLayout;
  top->addLayout(left, 3);
  top->addWidget(fraReplacements, 2);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdWithdraw);
  buttons->addWidget(cmdReset);
  buttons->addStretch(1);
  buttons->addWidget(cmdStart);
  buttons->addWidget(cmdCancel);

  auto* outer = new QVBoxLayout(this);
  outer->addLayout(top, 1);
  outer->addLayout(buttons);

  lstLineup->setMinimumWidth(PixelsOf(4200));
  // At least the designed width, wider where the captions need it.
  frameLayout->addStrut(PixelsOf(3400));
  lstSubstitutes->setMinimumHeight(PixelsOf(1500));

  const bool choosesStarters = model_.ChoosesStarters();
  for (QWidget* scratch :
       std::initializer_list<QWidget*>{lblStarters, cboStarters, lblHandicap, cboHandicap}) {
    scratch->setVisible(choosesStarters);
  }
  // During the start the race cannot be called off, nor the rider withdrawn.
  cmdCancel->setVisible(!model_.IncidentMode());
  cmdWithdraw->setVisible(!model_.IncidentMode());
  optSubstitutes[2]->setText(QStringLiteral("Tactical Substitutes"));
  optSubstitutes[3]->setText(QStringLiteral("Rider Replacement"));
}

void frmHeatMgr::Connect() {
  connect(lstLineup, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (showing_ || item == nullptr) return;
    model_.SelectPlace(item->data(Qt::UserRole).toInt());
    ShowSubstitutes();
    ShowButtons();
  });
  for (int k = 1; k <= 3; ++k) {
    connect(optSubstitutes[static_cast<std::size_t>(k)], &QRadioButton::toggled, this,
            [this, k](bool checked) {
              if (showing_ || !checked) return;
              model_.SelectKind(k);
              ShowSubstitutes();
              ShowButtons();
            });
  }
  connect(lstSubstitutes, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem*) { ApplySelectedSubstitute(); });
  const auto handicapChanged = [this](const QString& text) {
    if (showing_) return;
    model_.SetHandicap(text.toStdString());
    ShowLineupTexts();
  };
  connect(cboHandicap, &QComboBox::editTextChanged, this, handicapChanged);
  connect(cboHandicap, &QComboBox::textActivated, this, handicapChanged);
  connect(cboStarters, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (showing_ || index < 0) return;
    model_.SetStarters(cboStarters->itemData(index).toInt());
    ShowAll();
  });
  connect(cmdWithdraw, &QPushButton::clicked, this, [this] {
    model_.Withdraw();
    ShowLineupTexts();
    ShowButtons();
  });
  connect(cmdReset, &QPushButton::clicked, this, [this] {
    model_.Reset();
    ShowLineupTexts();
    ShowSubstitutes();
    ShowButtons();
  });
  connect(cmdStart, &QPushButton::clicked, this, [this] {
    if (model_.Start()) {
      accept();
    } else {
      ShowButtons();  // refused: the information line says why
    }
  });
  connect(cmdCancel, &QPushButton::clicked, this, &frmHeatMgr::reject);
}

void frmHeatMgr::reject() {
  if (!model_.Cancel()) return;  // during the start: stay open until the player decides
  QDialog::reject();
}

bool frmHeatMgr::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lstSubstitutes && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ApplySelectedSubstitute();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void frmHeatMgr::ApplySelectedSubstitute() {
  const QListWidgetItem* item = lstSubstitutes->currentItem();
  if (item == nullptr) return;
  model_.ApplySubstitute(item->data(Qt::UserRole).toInt());
  ShowLineupTexts();
  ShowSubstitutes();
  ShowButtons();
}

void frmHeatMgr::ShowAll() {
  setWindowTitle(Shown(model_.Title()));
  if (model_.ChoosesStarters()) {
    showing_ = true;
    cboStarters->setCurrentIndex(cboStarters->findData(model_.Starters()));
    showing_ = false;
  }
  ShowLineup();
  ShowSubstitutes();
  ShowButtons();
}

void frmHeatMgr::ShowLineup() {
  showing_ = true;
  lstLineup->clear();
  for (const LineupEntry& entry : model_.Lineup()) {
    auto* item = new QListWidgetItem(Shown(entry.text), lstLineup);
    item->setData(Qt::UserRole, entry.place);
    if (entry.place == model_.SelectedPlace()) lstLineup->setCurrentItem(item);
  }
  // One row a place; a row at least as high as the list's font needs.
  const int places = static_cast<int>(model_.Lineup().size());
  const int row = std::max(PixelsOf(195), lstLineup->fontMetrics().height() + 4);
  lstLineup->setFixedHeight(row * places + PixelsOf(LineupTwips(0)));
  showing_ = false;
}

void frmHeatMgr::ShowLineupTexts() {
  const std::vector<LineupEntry>& entries = model_.Lineup();
  for (int i = 0; i < lstLineup->count() && i < static_cast<int>(entries.size()); ++i) {
    lstLineup->item(i)->setText(Shown(entries[static_cast<std::size_t>(i)].text));
  }
}

void frmHeatMgr::ShowSubstitutes() {
  showing_ = true;
  fraReplacements->setTitle(Shown(model_.FrameCaption()));
  const bool options = model_.ShowsKindOptions();
  optSubstitutes[1]->setText(Shown(model_.ReservesOptionCaption()));
  optSubstitutes[1]->setVisible(options);
  optSubstitutes[2]->setVisible(model_.OffersTacticalSubstitutes());
  optSubstitutes[3]->setVisible(model_.OffersRiderReplacement());
  optSubstitutes[static_cast<std::size_t>(model_.Kind())]->setChecked(true);
  lblSubstitutes->setText(Shown(model_.ListCaption()));
  lblSubstitutes->setVisible(!options);

  lstSubstitutes->clear();
  for (const Candidate& candidate : model_.Candidates()) {
    auto* item = new QListWidgetItem(Shown(candidate.text), lstSubstitutes);
    item->setData(Qt::UserRole, candidate.rider);
  }
  if (lstSubstitutes->count() > 0) lstSubstitutes->setCurrentRow(0);
  lstSubstitutes->setVisible(model_.Info().empty());
  showing_ = false;
}

void frmHeatMgr::ShowButtons() {
  showing_ = true;
  cmdStart->setEnabled(model_.StartEnabled());
  cmdReset->setEnabled(model_.ResetEnabled());
  cmdWithdraw->setEnabled(model_.WithdrawEnabled());
  cboHandicap->setEnabled(model_.HandicapEnabled());
  cboHandicap->setEditText(Shown(model_.HandicapText()));
  // The message that replaces the list, and why Reset or Start Race is not offered.
  std::string info = model_.Info();
  if (!model_.Note().empty()) info += (info.empty() ? "" : "\n") + model_.Note();
  lblInfo->setText(Shown(info));
  lblInfo->setVisible(!info.empty());
  showing_ = false;
}

int frmHeatMgr::PixelsOf(int twips) const {
  return static_cast<int>(std::lround(twips * logicalDpiY() / 1440.0));
}

void ShowHeatManagerDialog(Meeting& m, QWidget* parent) {
  frmHeatMgr dialog(m, parent);
  dialog.exec();
}

}  // namespace corvane
