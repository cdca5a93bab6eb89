#include "seasonui/new_season_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSpinBox>
#include <QVBoxLayout>
#include <climits>

#include "engine/io/data_folders.h"
#include "heatcontrol/widget_text.h"
#include "season/season_file.h"
#include "shell/user_dialogs.h"

namespace corvane {

namespace {

const QString kSeasonFilter = QStringLiteral("Season files (*.season);;All files (*)");

QSpinBox* PointsBox(int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(0, 99);
  box->setValue(value);
  return box;
}

// A row of the form whose label's mnemonic goes to `buddy`, which may sit inside `field`.
void AddRow(QFormLayout* form, const QString& text, QWidget* buddy, QWidget* field) {
  auto* label = new QLabel(text, field->parentWidget());
  label->setBuddy(buddy);
  form->addRow(label, field);
}

QWidget* Row(QWidget* parent, QWidget* wide, QWidget* button) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(wide, 1);
  layout->addWidget(button);
  return row;
}

}  // namespace

NewSeasonDialog::NewSeasonDialog(UserDialogs& dialogs, NewSeasonSetting setting, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), setting_(std::move(setting)) {
  setWindowTitle(QStringLiteral("New Season"));
  auto* form = new QFormLayout;

  cboCompetition = new QComboBox(this);
  int chosen = 0;
  for (const NewSeasonSetting::Competition& c : setting_.competitions) {
    if (QFileInfo(c.path).fileName() == QLatin1String("league-match.cfg")) {
      chosen = cboCompetition->count();
    }
    cboCompetition->addItem(c.caption, c.path);
  }
  cboCompetition->setCurrentIndex(chosen);
  cmdCompetition = new QPushButton(QStringLiteral("O&ther..."), this);
  AddRow(form, QStringLiteral("Co&mpetition:"), cboCompetition,
         Row(this, cboCompetition, cmdCompetition));

  txtDatabase = new QLineEdit(setting_.database, this);
  cmdDatabase = new QPushButton(QStringLiteral("Br&owse..."), this);
  AddRow(form, QStringLiteral("Rider &database:"), txtDatabase,
         Row(this, txtDatabase, cmdDatabase));

  lstLineups = new QListWidget(this);
  lstLineups->setMinimumHeight(140);
  form->addRow(QStringLiteral("&Line-ups:"), lstLineups);

  auto* rules = new QWidget(this);
  auto* rulesRow = new QHBoxLayout(rules);
  rulesRow->setContentsMargins(0, 0, 0, 0);
  spnWin = PointsBox(3, rules);
  spnDraw = PointsBox(1, rules);
  spnLoss = PointsBox(0, rules);
  for (const auto& [text, box] :
       {std::pair{"&Win", spnWin}, std::pair{"Dr&aw", spnDraw}, std::pair{"Lo&ss", spnLoss}}) {
    auto* label = new QLabel(QString::fromLatin1(text), rules);
    label->setBuddy(box);
    rulesRow->addWidget(label);
    rulesRow->addWidget(box);
  }
  rulesRow->addStretch(1);
  form->addRow(QStringLiteral("Match points:"), rules);
  chkBonus = new QCheckBox(
      QStringLiteral("Aggregate &bonus point for the higher total over home and away"), this);
  form->addRow(QString(), chkBonus);

  auto* fixtures = new QWidget(this);
  auto* fixturesColumn = new QVBoxLayout(fixtures);
  fixturesColumn->setContentsMargins(0, 0, 0, 0);
  optRoundRobin =
      new QRadioButton(QStringLiteral("Double &round robin: each pair at home and away"), fixtures);
  optOwnFixtures = new QRadioButton(
      QStringLiteral("&Fixtures written here, one \"home,away\" a line:"), fixtures);
  txtFixtures = new QPlainTextEdit(fixtures);
  txtFixtures->setPlaceholderText(QStringLiteral("Home line-up,Away line-up"));
  txtFixtures->setTabChangesFocus(true);
  txtFixtures->setMaximumHeight(110);
  optRoundRobin->setChecked(true);
  txtFixtures->setEnabled(false);
  connect(optOwnFixtures, &QRadioButton::toggled, txtFixtures, &QWidget::setEnabled);
  fixturesColumn->addWidget(optRoundRobin);
  fixturesColumn->addWidget(optOwnFixtures);
  fixturesColumn->addWidget(txtFixtures);
  form->addRow(QStringLiteral("Fixtures:"), fixtures);

  spnSeed = new QSpinBox(this);
  spnSeed->setRange(1, INT_MAX);
  spnSeed->setValue(static_cast<int>(QRandomGenerator::system()->bounded(1, INT_MAX)));
  form->addRow(QStringLiteral("S&eed:"), spnSeed);

  txtSeasonFile = new QLineEdit(ProposedSeasonFile(), this);
  cmdSeasonFile = new QPushButton(QStringLiteral("C&hoose..."), this);
  AddRow(form, QStringLiteral("Season f&ile:"), txtSeasonFile,
         Row(this, txtSeasonFile, cmdSeasonFile));

  lblMessage = new QLabel(this);
  lblMessage->setWordWrap(true);
  lblMessage->setStyleSheet(QStringLiteral("color: #b00020"));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
  QPushButton* create = buttons->addButton(QStringLiteral("&Create"), QDialogButtonBox::AcceptRole);
  create->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(lblMessage);
  layout->addWidget(buttons);

  connect(cboCompetition, &QComboBox::currentIndexChanged, this, &NewSeasonDialog::ShowLineups);
  connect(txtDatabase, &QLineEdit::editingFinished, this, &NewSeasonDialog::ShowLineups);
  connect(cmdCompetition, &QPushButton::clicked, this, &NewSeasonDialog::BrowseCompetition);
  connect(cmdDatabase, &QPushButton::clicked, this, &NewSeasonDialog::BrowseDatabase);
  connect(cmdSeasonFile, &QPushButton::clicked, this, &NewSeasonDialog::BrowseSeasonFile);
  ShowLineups();
}

NewSeasonDialog::~NewSeasonDialog() = default;

void NewSeasonDialog::ShowLineups() {
  lstLineups->clear();
  lblMessage->clear();
  const Result<std::vector<std::string>> offered =
      LineupsOffered(EngineText(cboCompetition->currentData().toString()),
                     EngineText(txtDatabase->text()), setting_.dataFolder);
  if (!offered) {
    lblMessage->setText(WidgetText(offered.error()));
    return;
  }
  for (const std::string& name : offered.value()) {
    auto* item = new QListWidgetItem(WidgetText(name), lstLineups);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
  }
}

void NewSeasonDialog::BrowseCompetition() {
  const QString file =
      dialogs_.OpenFileName(this, QStringLiteral("Competition"),
                            QFileInfo(cboCompetition->currentData().toString()).path(),
                            QStringLiteral("Competitions (*.cfg);;All files (*)"));
  if (file.isEmpty()) return;
  int index = cboCompetition->findData(file);
  if (index < 0) {
    cboCompetition->addItem(QFileInfo(file).fileName(), file);
    index = cboCompetition->count() - 1;
  }
  cboCompetition->setCurrentIndex(index);
  ShowLineups();
}

void NewSeasonDialog::BrowseDatabase() {
  const QString file = dialogs_.OpenFileName(
      this, QStringLiteral("Rider Database"), QFileInfo(txtDatabase->text()).path(),
      QStringLiteral("Rider databases (*.rdb);;All files (*)"));
  if (file.isEmpty()) return;
  txtDatabase->setText(file);
  ShowLineups();
}

void NewSeasonDialog::BrowseSeasonFile() {
  const QString file = dialogs_.SaveFileName(this, QStringLiteral("Season File"),
                                             txtSeasonFile->text(), kSeasonFilter, false);
  if (!file.isEmpty()) txtSeasonFile->setText(file);
}

QString NewSeasonDialog::ProposedSeasonFile() const {
  const QDir folder(setting_.folder.isEmpty() ? QDir::homePath() : setting_.folder);
  QString name = folder.filePath(QStringLiteral("league.season"));
  for (int n = 2; QFileInfo::exists(name) && n < 100; ++n) {
    name = folder.filePath(QStringLiteral("league-%1.season").arg(n));
  }
  return name;
}

NewSeasonChoices NewSeasonDialog::choices() const {
  NewSeasonChoices c;
  c.competition = EngineText(cboCompetition->currentData().toString());
  c.database = EngineText(txtDatabase->text());
  for (int i = 0; i < lstLineups->count(); ++i) {
    const QListWidgetItem* item = lstLineups->item(i);
    if (item->checkState() == Qt::Checked) c.lineups.push_back(EngineText(item->text()));
  }
  c.ownFixtures = optOwnFixtures->isChecked();
  c.fixtureList = EngineText(txtFixtures->toPlainText());
  c.rules.win = spnWin->value();
  c.rules.draw = spnDraw->value();
  c.rules.loss = spnLoss->value();
  c.rules.aggregateBonus = chkBonus->isChecked();
  c.seed = static_cast<std::uint64_t>(spnSeed->value());
  // A bare name goes in the folder the dialog proposed, not wherever the program was started.
  const QString file = txtSeasonFile->text().trimmed();
  if (!file.isEmpty()) {
    c.seasonFile =
        WithDefaultExtension(QDir(setting_.folder).absoluteFilePath(file).toStdString(), ".season");
  }
  return c;
}

void NewSeasonDialog::accept() {
  Result<std::unique_ptr<SeasonFile>> made = CreateSeason(choices(), setting_.dataFolder);
  if (!made) {
    lblMessage->setText(WidgetText(made.error()));
    return;
  }
  made_ = std::move(made.value());
  QDialog::accept();
}

std::unique_ptr<SeasonFile> NewSeasonDialog::TakeSeasonFile() {
  return std::move(made_);
}

std::unique_ptr<SeasonFile> CreateSeasonFromDialog(UserDialogs& dialogs, NewSeasonSetting setting,
                                                   QWidget* parent) {
  NewSeasonDialog dialog(dialogs, std::move(setting), parent);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return dialog.TakeSeasonFile();
}

}  // namespace corvane
