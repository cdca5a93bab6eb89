#include "seasonui/season_forecast_view.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalStackedBarSeries>
#include <QLabel>
#include <QLegend>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>

#include "heatcontrol/widget_text.h"
#include "seasonui/table_cells.h"

namespace corvane {

namespace {

QString Ordinal(int n) {
  const int tens = n % 100, units = n % 10;
  const char* ending = (tens >= 11 && tens <= 13) ? "th"
                       : units == 1               ? "st"
                       : units == 2               ? "nd"
                       : units == 3               ? "rd"
                                                  : "th";
  return QString::number(n) + QLatin1String(ending);
}

// First place dark green, through yellow, to red for the last: neighbouring places stay apart.
QColor PositionColour(int position, int positions) {
  static const QColor scale[] = {QColor(0x1a9850), QColor(0x66bd63), QColor(0xa6d96a),
                                 QColor(0xd9ef8b), QColor(0xfee08b), QColor(0xfdae61),
                                 QColor(0xf46d43), QColor(0xd73027)};
  constexpr int last = static_cast<int>(std::size(scale)) - 1;
  const double at = positions > 1 ? static_cast<double>(position) * last / (positions - 1) : 0.0;
  const int below = std::min(static_cast<int>(at), last - 1);
  const double t = at - below;
  const QColor& a = scale[below];
  const QColor& b = scale[below + 1];
  return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                          static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                          static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

}  // namespace

SeasonForecastView::SeasonForecastView(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  lblNote = new QLabel(this);
  lblNote->setWordWrap(true);
  auto* runsLabel = new QLabel(QStringLiteral("R&uns:"), this);
  spnRuns = new QSpinBox(this);
  spnRuns->setRange(100, 1000000);
  spnRuns->setSingleStep(1000);
  spnRuns->setValue(10000);
  spnRuns->setGroupSeparatorShown(true);
  runsLabel->setBuddy(spnRuns);
  cmdForecast = new QPushButton(QStringLiteral("Fore&cast"), this);
  top->addWidget(lblNote, 1);
  top->addWidget(runsLabel);
  top->addWidget(spnRuns);
  top->addWidget(cmdForecast);
  layout->addLayout(top);

  split_ = new QSplitter(Qt::Vertical, this);
  tblChances = NewTable(split_);
  chtChances = new QChartView(split_);
  chtChances->setRenderHint(QPainter::Antialiasing);
  chtChances->setMinimumHeight(180);
  split_->addWidget(tblChances);
  split_->addWidget(chtChances);
  split_->setChildrenCollapsible(false);
  // The table keeps the height of its rows; the chart takes what the window gives beyond it.
  split_->setStretchFactor(0, 0);
  split_->setStretchFactor(1, 1);
  layout->addWidget(split_, 1);
  Clear();
}

void SeasonForecastView::Clear(const QString& note) {
  showing_ = false;
  lblNote->setText(note.isEmpty() ? QStringLiteral("Who wins the league: the fixtures still to "
                                                   "race, raced many times from here.")
                                  : note);
  StartRows(*tblChances, {}, 0);
  auto* chart = new QChart;
  chart->legend()->hide();
  QChart* old = chtChances->chart();
  chtChances->setChart(chart);
  delete old;
  FitTableToRows();
}

void SeasonForecastView::Show(const SeasonForecast& forecast) {
  showing_ = true;
  lblNote->setText(forecast.fixturesLeft == 0
                       ? QStringLiteral("The season is over: the table is final.")
                       : QStringLiteral("From %L1 runs of the %2 fixtures left.")
                             .arg(forecast.runs)
                             .arg(forecast.fixturesLeft));
  const int positions = static_cast<int>(forecast.lineups.size());
  QStringList headers = {QStringLiteral("Line-up"), QStringLiteral("Expected pts")};
  for (int p = 1; p <= positions; ++p) headers << Ordinal(p);
  StartRows(*tblChances, headers, positions);
  for (int r = 0; r < positions; ++r) {
    const PositionChances& lineup = forecast.lineups[static_cast<std::size_t>(r)];
    tblChances->setItem(r, 0, TextCell(WidgetText(lineup.name)));
    tblChances->setItem(r, 1, NumberCell(lineup.expectedPoints, 1));
    const int chances = std::min(positions, static_cast<int>(lineup.chance.size()));
    for (int p = 0; p < chances; ++p) {
      tblChances->setItem(r, p + 2,
                          NumberCell(lineup.chance[static_cast<std::size_t>(p)] * 100, 1));
    }
  }
  FinishRows(*tblChances, true);
  ShowChart(forecast);
  FitTableToRows();
}

void SeasonForecastView::FitTableToRows() {
  // A league of usual size shows whole above the chart; a longer one scrolls.
  constexpr int kMostRowsShown = 12;
  const int rows = std::min(tblChances->rowCount(), kMostRowsShown);
  int height = tblChances->horizontalHeader()->sizeHint().height() + 2 * tblChances->frameWidth();
  for (int r = 0; r < rows; ++r) height += tblChances->rowHeight(r);
  const int columnsWidth = tblChances->horizontalHeader()->length() + 2 * tblChances->frameWidth();
  if (columnsWidth > split_->width()) {
    height += tblChances->horizontalScrollBar()->sizeHint().height();
  }
  tblChances->setMaximumHeight(height);
  split_->setSizes({height, std::max(split_->height() - height, chtChances->minimumHeight())});
}

void SeasonForecastView::ShowChart(const SeasonForecast& forecast) {
  const int positions = static_cast<int>(forecast.lineups.size());
  auto* series = new QHorizontalStackedBarSeries;
  for (int p = 0; p < positions; ++p) {
    auto* set = new QBarSet(Ordinal(p + 1));
    set->setColor(PositionColour(p, positions));
    set->setBorderColor(Qt::white);
    // The bars run from the top of the table down, as the table reads.
    for (auto lineup = forecast.lineups.rbegin(); lineup != forecast.lineups.rend(); ++lineup) {
      const auto place = static_cast<std::size_t>(p);
      *set << (place < lineup->chance.size() ? lineup->chance[place] * 100 : 0.0);
    }
    series->append(set);
  }
  auto* chart = new QChart;
  chart->addSeries(series);
  auto* names = new QBarCategoryAxis;
  for (auto lineup = forecast.lineups.rbegin(); lineup != forecast.lineups.rend(); ++lineup) {
    names->append(WidgetText(lineup->name));
  }
  chart->addAxis(names, Qt::AlignLeft);
  series->attachAxis(names);
  auto* percent = new QValueAxis;
  percent->setRange(0, 100);
  percent->setLabelFormat(QStringLiteral("%d%%"));
  percent->setTickCount(6);
  chart->addAxis(percent, Qt::AlignBottom);
  series->attachAxis(percent);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 4, 4));
  QChart* old = chtChances->chart();
  chtChances->setChart(chart);
  delete old;
  // A line-up's name is hidden when its bar is lower than the name.
  const int line = chtChances->fontMetrics().height();
  chtChances->setMinimumHeight(std::max(180, line * (positions * 2 + 6)));
}

}  // namespace corvane
