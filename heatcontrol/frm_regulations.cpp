#include "heatcontrol/frm_regulations.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

#include "heatcontrol/widget_text.h"

namespace corvane {

namespace {

// The runoff frame with its one box, in twips.
constexpr int kShortRunoffFrameTwips = 645;

template <class W>
W* Named(W* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

// A number box: digits only (typed or pasted), at most `length` of them, disabled or not.
QLineEdit* NumberBox(const QString& name, int length, QWidget* parent) {
  auto* box = Named(new QLineEdit(parent), name);
  box->setMaxLength(length);
  box->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
  box->setFixedWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 4 + 12);
  return box;
}

std::string Text(const QLineEdit* box) {
  return EngineText(box->text());
}

}  // namespace

frmRegulations::frmRegulations(Meeting& m, HelpOpener help, QWidget* parent)
    : QDialog(parent), m_(m), help_(std::move(help)) {
  setObjectName(QStringLiteral("frmRegulations"));
  setWindowTitle(QStringLiteral("Regulations"));

  lstOptions = Named(new QListWidget(this), QStringLiteral("lstOptions"));
  BuildFrames();

  cmdOK = Named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("cmdOK"));
  cmdCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), QStringLiteral("cmdCancel"));
  cmdHelp = Named(new QPushButton(QStringLiteral("Help"), this), QStringLiteral("cmdHelp"));
  cmdOK->setDefault(true);

  auto* frames = new QVBoxLayout;
  for (int i = 1; i <= 9; ++i) frames->addWidget(fra[static_cast<std::size_t>(i)]);
  frames->addStretch();
  auto* top = new QHBoxLayout;
  top->addWidget(lstOptions);
  top->addLayout(frames, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdCancel);
  buttons->addWidget(cmdHelp);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(buttons);

  connect(lstOptions, &QListWidget::currentRowChanged, this, [this] { ShowTopic(); });
  connect(optTapes[2], &QRadioButton::toggled, txtStartPen, &QLineEdit::setEnabled);
  connect(chkRunoff2, &QCheckBox::toggled, txtCheckPos, &QLineEdit::setEnabled);
  connect(chkTacSubs, &QCheckBox::toggled, txtTacEnable, &QLineEdit::setEnabled);
  for (QLineEdit* box : {txtStartPen, txtCheckPos, txtTacEnable, txtMinRides}) {
    box->installEventFilter(this);
  }
  connect(cmdOK, &QPushButton::clicked, this, [this] { Accept(); });
  connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(cmdHelp, &QPushButton::clicked, this, [this] {
    if (help_) help_(this, kRegulationsHelpContext);
  });

  Load();
  // Every frame as wide as the widest topic needs, so that no caption is cut and the dialog
  // keeps its width from topic to topic.
  int widest = 0;
  for (std::size_t i = 1; i < fra.size(); ++i)
    widest = std::max(widest, fra[i]->sizeHint().width());
  for (std::size_t i = 1; i < fra.size(); ++i) fra[i]->setMinimumWidth(widest);
}

void frmRegulations::BuildFrames() {
  auto frame = [this](int number, const char* name) {
    auto* box = Named(new QGroupBox(this), QLatin1String(name));
    box->setVisible(false);
    fra[static_cast<std::size_t>(number)] = box;
    return box;
  };

  auto* grid = frame(kTopicStartGrid, "fraStartGrid");
  auto* gridLayout = new QVBoxLayout(grid);
  const std::array<const char*, 4> gridCaptions{"&Random", "Favour &Inside", "Favour &Outside",
                                                "&All Equal"};
  for (std::size_t i = 0; i < optStartGrid.size(); ++i) {
    optStartGrid[i] = Named(new QRadioButton(QString::fromLatin1(gridCaptions[i]), grid),
                            QStringLiteral("optStartGrid%1").arg(i));
    gridLayout->addWidget(optStartGrid[i]);
  }

  auto* resUse = frame(kTopicReserveUsage, "fraResUse");
  auto* resLayout = new QVBoxLayout(resUse);
  chkResUse1 =
      Named(new QCheckBox(QStringLiteral("&Injuries"), resUse), QStringLiteral("chkResUse1"));
  chkResUse2 = Named(new QCheckBox(QStringLiteral("&Time exclusions"), resUse),
                     QStringLiteral("chkResUse2"));
  chkResUse3 = Named(new QCheckBox(QStringLiteral("&Starting offences"), resUse),
                     QStringLiteral("chkResUse3"));
  for (QCheckBox* box : {chkResUse1, chkResUse2, chkResUse3}) resLayout->addWidget(box);

  auto* tapes = frame(kTopicTapes, "fraTapes");
  auto* tapesLayout = new QGridLayout(tapes);
  optTapes[1] =
      Named(new QRadioButton(QStringLiteral("&Exclusion"), tapes), QStringLiteral("optTapes1"));
  optTapes[2] = Named(new QRadioButton(QStringLiteral("&Start penalty:"), tapes),
                      QStringLiteral("optTapes2"));
  txtStartPen = NumberBox(QStringLiteral("txtStartPen"), 2, tapes);
  tapesLayout->addWidget(optTapes[1], 0, 0);
  tapesLayout->addWidget(optTapes[2], 1, 0);
  tapesLayout->addWidget(txtStartPen, 1, 1);
  tapesLayout->addWidget(new QLabel(QStringLiteral("metres"), tapes), 1, 2);
  tapesLayout->setColumnStretch(3, 1);

  auto* runoffs = frame(kTopicRunoffs, "fraRunoffs");
  auto* runoffLayout = new QGridLayout(runoffs);
  chkRunoff1 =
      Named(new QCheckBox(QStringLiteral("&Top 3 places"), runoffs), QStringLiteral("chkRunoff1"));
  chkRunoff2 = Named(new QCheckBox(QStringLiteral("&Minor position:"), runoffs),
                     QStringLiteral("chkRunoff2"));
  txtCheckPos = NumberBox(QStringLiteral("txtCheckPos"), 2, runoffs);
  runoffLayout->addWidget(chkRunoff1, 0, 0);
  runoffLayout->addWidget(chkRunoff2, 1, 0);
  runoffLayout->addWidget(txtCheckPos, 1, 1);
  runoffLayout->setColumnStretch(2, 1);

  auto* tacSubs = frame(kTopicTacSubs, "fraTacSubs");
  auto* tacLayout = new QHBoxLayout(tacSubs);
  chkTacSubs = Named(new QCheckBox(QStringLiteral("&Available to a team"), tacSubs),
                     QStringLiteral("chkTacSubs"));
  txtTacEnable = NumberBox(QStringLiteral("txtTacEnable"), 2, tacSubs);
  lblTacSubs =
      Named(new QLabel(QStringLiteral("points behind"), tacSubs), QStringLiteral("lblTacSubs"));
  tacLayout->addWidget(chkTacSubs);
  tacLayout->addWidget(txtTacEnable);
  tacLayout->addWidget(lblTacSubs);
  tacLayout->addStretch();

  auto* special = frame(kTopicSpecialRaces, "fraSpclRaces");
  auto* specialLayout = new QVBoxLayout(special);
  optSpclRaces[1] = Named(new QRadioButton(QStringLiteral("&Transfer points"), special),
                          QStringLiteral("optSpclRaces1"));
  optSpclRaces[2] = Named(new QRadioButton(QStringLiteral("&Winner takes all"), special),
                          QStringLiteral("optSpclRaces2"));
  specialLayout->addWidget(optSpclRaces[1]);
  specialLayout->addWidget(optSpclRaces[2]);

  auto* minRides = frame(kTopicMinRides, "fraMinRides");
  auto* minLayout = new QHBoxLayout(minRides);
  lblMinRides = Named(new QLabel(QStringLiteral("&Riders must take:"), minRides),
                      QStringLiteral("lblMinRides"));
  txtMinRides = NumberBox(QStringLiteral("txtMinRides"), 1, minRides);
  lblMinRides->setBuddy(txtMinRides);
  minLayout->addWidget(lblMinRides);
  minLayout->addWidget(txtMinRides);
  minLayout->addStretch();

  auto* bonus = frame(kTopicBonusPoints, "fraBonusPts");
  auto* bonusLayout = new QVBoxLayout(bonus);
  chkBonusPts = Named(new QCheckBox(QStringLiteral("&Add to team scores"), bonus),
                      QStringLiteral("chkBonusPts"));
  bonusLayout->addWidget(chkBonusPts);

  auto* placings = frame(kTopicReserveScores, "fraResPlacings");
  auto* placingsLayout = new QVBoxLayout(placings);
  chkResPlacings = Named(new QCheckBox(QStringLiteral("&Include in placings"), placings),
                         QStringLiteral("chkResPlacings"));
  placingsLayout->addWidget(chkResPlacings);

  for (QLineEdit* box : {txtStartPen, txtCheckPos, txtTacEnable}) box->setEnabled(false);
}

void frmRegulations::Load() {
  const RegulationsState s = LoadRegulations(m_);
  int widest = lstOptions->fontMetrics().horizontalAdvance(QStringLiteral("Tactical Substitutes"));
  for (const RegulationsTopic& topic : RegulationsTopics(m_)) {
    auto* item = new QListWidgetItem(WidgetText(topic.text), lstOptions);
    item->setData(Qt::UserRole, topic.number);
    fra[static_cast<std::size_t>(topic.number)]->setTitle(WidgetText(topic.text));
    widest = std::max(widest, lstOptions->fontMetrics().horizontalAdvance(item->text()));
  }
  // The special races may bear the competition's own long name.
  lstOptions->setFixedWidth(widest + 2 * lstOptions->frameWidth() + 24);

  if (s.startGrid >= 0) optStartGrid[static_cast<std::size_t>(s.startGrid)]->setChecked(true);
  chkResUse1->setChecked(s.reserveUse[0]);
  chkResUse2->setChecked(s.reserveUse[1]);
  chkResUse3->setChecked(s.reserveUse[2]);
  optTapes[static_cast<std::size_t>(s.tapes)]->setChecked(true);
  txtStartPen->setText(WidgetText(s.startPen));

  if (RunoffsShortForm(m_)) {
    chkRunoff1->setText(QStringLiteral("&Hold if scores tied"));
    chkRunoff2->setVisible(false);
    txtCheckPos->setVisible(false);
    const int height = kShortRunoffFrameTwips * logicalDpiY() / 1440;
    fra[kTopicRunoffs]->setFixedHeight(
        std::max(height, fra[kTopicRunoffs]->minimumSizeHint().height()));
  }
  txtCheckPos->setText(WidgetText(s.checkPos));
  chkRunoff1->setChecked(s.runoffTopPlaces);
  chkRunoff2->setChecked(s.runoffMinor);

  chkTacSubs->setChecked(s.tacSubs);
  txtTacEnable->setText(WidgetText(s.tacEnable));
  if (s.specialRaces != 0) optSpclRaces[static_cast<std::size_t>(s.specialRaces)]->setChecked(true);
  txtMinRides->setText(WidgetText(s.minRides));
  chkBonusPts->setChecked(s.bonusToTeams);
  chkResPlacings->setChecked(s.reservePlacings);

  lstOptions->setCurrentRow(0);
  ShowTopic();
}

void frmRegulations::ShowTopic() {
  for (std::size_t i = 1; i < fra.size(); ++i) fra[i]->setVisible(false);
  const QListWidgetItem* item = lstOptions->currentItem();
  if (item == nullptr) return;
  const int number = item->data(Qt::UserRole).toInt();
  if (number >= 1 && number <= 9) fra[static_cast<std::size_t>(number)]->setVisible(true);
}

bool frmRegulations::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    if (auto* box = qobject_cast<QLineEdit*>(watched)) Repair(box);
  }
  return QDialog::eventFilter(watched, event);
}

void frmRegulations::Repair(QLineEdit* box) {
  const std::string text = Text(box);
  std::string repaired = text;
  if (box == txtStartPen) {
    repaired = RepairStartPen(text, m_);
  } else if (box == txtCheckPos) {
    repaired = RepairCheckPos(text, m_);
  } else if (box == txtTacEnable) {
    repaired = RepairTacEnable(text, m_);
  } else if (box == txtMinRides) {
    repaired = RepairMinRides(text);
  }
  if (repaired != text) box->setText(WidgetText(repaired));
}

RegulationsState frmRegulations::State() const {
  RegulationsState s;
  for (std::size_t i = 0; i < optStartGrid.size(); ++i) {
    if (optStartGrid[i]->isChecked()) {
      s.startGrid = static_cast<int>(i);
      break;
    }
  }
  s.reserveUse = {chkResUse1->isChecked(), chkResUse2->isChecked(), chkResUse3->isChecked()};
  s.tapes = optTapes[2]->isChecked() ? kTapesStartPenalty : kTapesExclusion;
  s.startPen = Text(txtStartPen);
  s.runoffTopPlaces = chkRunoff1->isChecked();
  s.runoffMinor = chkRunoff2->isChecked();
  s.checkPos = Text(txtCheckPos);
  s.tacSubs = chkTacSubs->isChecked();
  s.tacEnable = Text(txtTacEnable);
  if (optSpclRaces[1]->isChecked()) s.specialRaces = kTransferPoints;
  if (optSpclRaces[2]->isChecked()) s.specialRaces = kWinnerTakesAll;
  s.minRides = Text(txtMinRides);
  s.bonusToTeams = chkBonusPts->isChecked();
  s.reservePlacings = chkResPlacings->isChecked();
  return s;
}

void frmRegulations::Accept() {
  // The box being typed in is left for the button: repair it as leaving would.
  if (auto* box = qobject_cast<QLineEdit*>(focusWidget())) Repair(box);
  WriteRegulations(State(), m_);
  accept();
}

}  // namespace corvane
