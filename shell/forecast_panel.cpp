#include "shell/forecast_panel.h"

#include <QClipboard>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cstdlib>

#include "shell/forecast_runner.h"
#include "shell/qt_text.h"
#include "shell/user_dialogs.h"

namespace corvane {

namespace {

constexpr int kRidersShown = 8;    // riders listed in an individual meeting
constexpr int kRidersCharted = 5;  // leading riders charted
constexpr int kBarSteps = 1000;

QString Percent(double share) {
  return QLocale().toString(100.0 * share, 'f', 1) + QStringLiteral(" %");
}

QProgressBar* ChanceBar(double share) {
  auto* bar = new QProgressBar;
  bar->setRange(0, kBarSteps);
  bar->setValue(static_cast<int>(share * kBarSteps + 0.5));
  bar->setFormat(Percent(share));
  bar->setTextVisible(true);
  bar->setMinimumWidth(120);
  return bar;
}

QLabel* Text(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

// Running team totals after each heat, from the heats' score columns (kept for up to four
// teams); -1 where a heat has none.
std::vector<int> RunningTotals(const Meeting& m, int team) {
  std::vector<int> totals(static_cast<std::size_t>(std::clamp<int>(m.HeatCount, 0, kMaxHeats)) + 1,
                          -1);
  totals[0] = 0;
  if (team > 4) return totals;
  int last = 0;
  for (int heat = 1; heat < static_cast<int>(totals.size()); ++heat) {
    const auto& scores = m.HeatScores[static_cast<std::size_t>(heat)];
    if (scores[0] == 0) last = scores[static_cast<std::size_t>(team)];
    totals[static_cast<std::size_t>(heat)] = last;
  }
  return totals;
}

// Race points of one rider after each heat, from the heats' results.
std::vector<int> RunningPoints(const Meeting& m, int slot) {
  std::vector<int> points(static_cast<std::size_t>(std::clamp<int>(m.HeatCount, 0, kMaxHeats)) + 1,
                          0);
  int sum = 0;
  for (int heat = 1; heat < static_cast<int>(points.size()); ++heat) {
    const HeatRecord& record = m.HeatResults[static_cast<std::size_t>(heat)];
    if (m.HeatScores[static_cast<std::size_t>(heat)][0] == 0) {
      for (int e = 1; e <= kMaxEntries; ++e) {
        const auto& entry = record[static_cast<std::size_t>(e)];
        if (entry[1] != slot || entry[2] < kRacing) continue;
        const int code = std::min<int>(entry[2], kBonusMark - 1);
        sum += MarkPoints(m.ProgMarks[static_cast<std::size_t>(code)]);
      }
    }
    points[static_cast<std::size_t>(heat)] = sum;
  }
  return points;
}

}  // namespace

ForecastPanel::ForecastPanel(UserDialogs& dialogs, QWidget* parent)
    : QDockWidget(QStringLiteral("Forecast"), parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("dckForecast"));
  setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
  runner_ = std::make_unique<ForecastRunner>(
      [this](int heat, const Forecast& forecast) { Received(heat, forecast); });

  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  lblState = Text(QString());
  lblState->setObjectName(QStringLiteral("lblForecastState"));
  lblState->setWordWrap(true);
  lblNote =
      Text(QStringLiteral("You steer a team: the forecast takes the rest of the meeting as "
                          "steered by the computer."));
  lblNote->setObjectName(QStringLiteral("lblForecastNote"));
  lblNote->setWordWrap(true);
  lblNote->setVisible(false);
  rows_ = new QWidget(body);
  rowsLayout_ = new QGridLayout(rows_);
  rowsLayout_->setContentsMargins(0, 0, 0, 0);
  rowsLayout_->setColumnStretch(1, 1);

  chtMeeting = new QChartView(body);
  chtMeeting->setObjectName(QStringLiteral("chtMeeting"));
  chtMeeting->setRenderHint(QPainter::Antialiasing);
  chtMeeting->setMinimumSize(280, 240);
  chtMeeting->chart()->legend()->setAlignment(Qt::AlignBottom);
  chtMeeting->chart()->legend()->setShowToolTips(true);  // names the legend has to shorten

  cmdCopyChart = new QPushButton(QStringLiteral("C&opy Chart"), body);
  cmdCopyChart->setObjectName(QStringLiteral("cmdCopyChart"));
  cmdSaveChart = new QPushButton(QStringLiteral("Save Chart as &PNG..."), body);
  cmdSaveChart->setObjectName(QStringLiteral("cmdSaveChart"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(cmdCopyChart);
  buttons->addWidget(cmdSaveChart);
  buttons->addStretch(1);

  layout->addWidget(lblState);
  layout->addWidget(lblNote);
  layout->addWidget(rows_);
  layout->addWidget(chtMeeting, 1);
  layout->addLayout(buttons);
  setWidget(body);

  connect(cmdCopyChart, &QPushButton::clicked, this, &ForecastPanel::CopyChart);
  connect(cmdSaveChart, &QPushButton::clicked, this, &ForecastPanel::SaveChart);
  UpdateVisibility();
}

ForecastPanel::~ForecastPanel() = default;

void ForecastPanel::SetWanted(bool wanted) {
  wanted_ = wanted;
  UpdateVisibility();
}

void ForecastPanel::NewMeeting() {
  runner_->Clear();
  forecasts_.clear();
  latest_ = Meeting();
  latestHeat_ = -1;
  shownHeat_ = -1;
  relevant_ = false;
  ShowChances();
  ShowChart();
  UpdateVisibility();
}

void ForecastPanel::HeatRun(const Meeting& m) {
  if (m.HeatCount <= latestHeat_) return;
  if (std::optional<Meeting> after = MeetingAfterHeat(m)) {
    latestHeat_ = after->HeatCount;
    runner_->Request(latestHeat_, *after);
  }
}

void ForecastPanel::MeetingStopped(const Meeting& m) {
  relevant_ = HasForecast(m);
  UpdateVisibility();
  if (!relevant_) return;
  latest_ = m;
  latestHeat_ = m.HeatCount;
  runner_->Request(m.HeatCount, m);
  ShowChances();
  ShowChart();
}

const Forecast* ForecastPanel::shown() const {
  const auto found = forecasts_.find(shownHeat_);
  return found == forecasts_.end() ? nullptr : &found->second;
}

bool ForecastPanel::updating() const {
  return runner_->Busy();
}

void ForecastPanel::Received(int heat, const Forecast& forecast) {
  forecasts_[heat] = forecast;
  if (heat >= shownHeat_) shownHeat_ = heat;
  ShowChances();
  ShowChart();
}

void ForecastPanel::UpdateVisibility() {
  setVisible(wanted_ && relevant_);
}

void ForecastPanel::ShowChances() {
  while (QLayoutItem* item = rowsLayout_->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  const Forecast* f = shown();
  lblNote->setVisible(f != nullptr && f->playerSteered && !f->decided);
  if (f == nullptr) {
    lblState->setText(QStringLiteral("Working out the chances..."));
    return;
  }
  const QLocale locale;
  const bool behind = shownHeat_ < latestHeat_;
  if (f->decided) {
    lblState->setText(QStringLiteral("After heat %1: decided.").arg(shownHeat_));
  } else {
    lblState->setText(QStringLiteral("After heat %1, from %2 runs of the rest of the meeting%3")
                          .arg(shownHeat_)
                          .arg(locale.toString(static_cast<qlonglong>(f->runs)))
                          .arg(behind ? QStringLiteral(" (updating...)") : QStringLiteral(".")));
  }
  int row = 0;
  for (const TeamForecast& team : f->teams) {
    rowsLayout_->addWidget(Text(QString::fromStdString(team.name)), row, 0);
    rowsLayout_->addWidget(ChanceBar(team.winChance), row, 1);
    const QString range = f->decided ? QStringLiteral("final %1").arg(team.points)
                                     : QStringLiteral("%1 points (%2 to %3)")
                                           .arg(locale.toString(team.expected, 'f', 1))
                                           .arg(team.low)
                                           .arg(team.high);
    rowsLayout_->addWidget(Text(range), row, 2);
    ++row;
  }
  if (f->teams.size() == 2) {
    rowsLayout_->addWidget(Text(QStringLiteral("Draw")), row, 0);
    rowsLayout_->addWidget(ChanceBar(f->drawChance), row, 1);
    ++row;
    // The final margin the runs ended with most often.
    const auto likeliest =
        std::max_element(f->margins.begin(), f->margins.end(),
                         [](const MarginRuns& a, const MarginRuns& b) { return a.runs < b.runs; });
    if (!f->decided && likeliest != f->margins.end() && f->runs > 0) {
      const int margin = likeliest->margin;
      const QString winner = QString::fromStdString(f->teams[margin > 0 ? 0 : 1].name);
      const QString result = margin == 0
                                 ? QStringLiteral("a draw")
                                 : QStringLiteral("%1 by %2").arg(winner).arg(std::abs(margin));
      auto* line = Text(QStringLiteral("Likeliest result: %1 (%2)")
                            .arg(result, Percent(static_cast<double>(likeliest->runs) /
                                                 static_cast<double>(f->runs))));
      line->setWordWrap(true);
      rowsLayout_->addWidget(line, row, 0, 1, 3);
      ++row;
    }
  }
  for (const RiderForecast& rider : f->riders) {
    if (row == kRidersShown) break;
    rowsLayout_->addWidget(Text(QString::fromStdString(rider.name)), row, 0);
    rowsLayout_->addWidget(ChanceBar(rider.winChance), row, 1);
    QString more = QStringLiteral("top three %1").arg(Percent(rider.topThreeChance));
    if (f->hasFinal) more += QStringLiteral(", final %1").arg(Percent(rider.finalChance));
    rowsLayout_->addWidget(Text(more), row, 2);
    ++row;
  }
}

void ForecastPanel::ShowChart() {
  QChart* chart = chtMeeting->chart();
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
  const Meeting& m = latest_;
  const int heats = std::clamp<int>(m.HeatCount, 0, kMaxHeats);
  auto* axisHeat = new QValueAxis;
  axisHeat->setTitleText(QStringLiteral("Heat"));
  axisHeat->setLabelFormat(QStringLiteral("%d"));
  axisHeat->setRange(0, std::max(heats, 1));
  // A label every heat up to ten heats, then every second, third, ... heat.
  axisHeat->setTickType(QValueAxis::TicksDynamic);
  axisHeat->setTickAnchor(0);
  axisHeat->setTickInterval(std::max(1, (heats + 9) / 10));
  auto* axisPoints = new QValueAxis;
  axisPoints->setTitleText(QStringLiteral("Points"));
  axisPoints->setLabelFormat(QStringLiteral("%d"));
  chart->addAxis(axisHeat, Qt::AlignBottom);
  chart->addAxis(axisPoints, Qt::AlignLeft);
  if (!relevant_) return;

  int top = 1;
  auto addPoints = [&](const QString& name, const std::vector<int>& values) {
    auto* series = new QLineSeries;
    series->setName(name);
    for (std::size_t heat = 0; heat < values.size(); ++heat) {
      if (values[heat] < 0) continue;
      series->append(static_cast<qreal>(heat), values[heat]);
      top = std::max(top, values[heat]);
    }
    chart->addSeries(series);
    series->attachAxis(axisHeat);
    series->attachAxis(axisPoints);
    return series;
  };

  if (m.NumTeams > 1) {
    auto* axisChance = new QValueAxis;
    axisChance->setTitleText(QStringLiteral("Win %"));
    axisChance->setRange(0, 100);
    axisChance->setLabelFormat(QStringLiteral("%d"));
    chart->addAxis(axisChance, Qt::AlignRight);
    for (int g = 1; g <= m.NumTeams && g <= kMaxGroups; ++g) {
      std::vector<int> totals = RunningTotals(m, g);
      for (const auto& [heat, forecast] : forecasts_) {
        const auto at = static_cast<std::size_t>(heat);
        if (at < totals.size() && static_cast<std::size_t>(g - 1) < forecast.teams.size()) {
          totals[at] = forecast.teams[static_cast<std::size_t>(g - 1)].points;
        }
      }
      const std::string& title = m.GroupTitle[static_cast<std::size_t>(g)];
      const QString name =
          title.empty() ? QStringLiteral("Team %1").arg(QChar(u'A' + g - 1)) : WidgetText(title);
      QLineSeries* points = addPoints(name, totals);
      auto* chances = new QLineSeries;
      chances->setName(QStringLiteral("%1, chance").arg(name));
      QPen pen(points->color());
      pen.setStyle(Qt::DashLine);
      pen.setWidthF(1.5);
      chances->setPen(pen);
      chances->setPointsVisible(true);
      for (const auto& [heat, forecast] : forecasts_) {
        if (static_cast<std::size_t>(g - 1) < forecast.teams.size()) {
          chances->append(heat, 100.0 * forecast.teams[static_cast<std::size_t>(g - 1)].winChance);
        }
      }
      chart->addSeries(chances);
      chances->attachAxis(axisHeat);
      chances->attachAxis(axisChance);
      // The legend names each team once, by its points line.
      for (QLegendMarker* marker : chart->legend()->markers(chances)) marker->setVisible(false);
    }
  } else {
    // The leading riders by points as the meeting stands.
    std::vector<std::pair<int, int>> standing;  // points, slot
    for (int s = 1; s <= kMaxSlots; ++s) {
      if (!m.RiderName[static_cast<std::size_t>(s)].empty()) {
        standing.emplace_back(m.RiderPoints[static_cast<std::size_t>(s)], s);
      }
    }
    std::stable_sort(standing.begin(), standing.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    if (standing.size() > static_cast<std::size_t>(kRidersCharted)) standing.resize(kRidersCharted);
    for (const auto& [points, slot] : standing) {
      addPoints(WidgetText(m.RiderName[static_cast<std::size_t>(slot)]), RunningPoints(m, slot));
    }
  }
  axisPoints->setRange(0, top);
  axisPoints->applyNiceNumbers();
}

void ForecastPanel::CopyChart() {
  QGuiApplication::clipboard()->setPixmap(chtMeeting->grab());
}

void ForecastPanel::SaveChart() {
  const QString name = dialogs_.SaveFileName(
      this, QStringLiteral("Save Chart"),
      proposeFile ? proposeFile(QStringLiteral("forecast.png")) : QStringLiteral("forecast.png"),
      QStringLiteral("PNG Image (*.png)"), true);
  if (name.isEmpty()) return;
  if (!chtMeeting->grab().save(name, "PNG")) {
    dialogs_.Warning(this, QStringLiteral("Save Chart"),
                     QStringLiteral("The chart could not be saved as %1.").arg(name));
  }
}

}  // namespace corvane
