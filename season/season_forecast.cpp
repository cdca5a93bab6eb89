#include "season/season_forecast.h"

#include <algorithm>
#include <cstdio>
#include <thread>

#include "engine/records/characters.h"
#include "engine/records/preferences.h"
#include "report/results_export.h"
#include "season/fixture_race.h"
#include "statistics/meeting_tally.h"
#include "statistics/silent_host.h"

namespace corvane {

namespace {

struct PlaceCounts {
  std::vector<std::vector<long>> places;  // [lineup][position - 1]
  std::vector<long long> points;          // [lineup]
};

}  // namespace

Result<SeasonForecast> ForecastSeason(const Season& season, long runs, int threads,
                                      std::uint64_t seed, std::atomic<long>* done,
                                      const std::atomic<bool>* cancel) {
  std::vector<const Fixture*> left;
  std::vector<Meeting> setUps;
  for (const Fixture& fixture : season.fixtures) {
    if (season.ResultOf(fixture.number) != nullptr) continue;
    Result<Meeting> setUp = SetUpFixture(season, fixture);
    if (!setUp) return Error{setUp.error()};
    left.push_back(&fixture);
    setUps.push_back(std::move(setUp.value()));
  }
  runs = std::max(1L, runs);
  if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  threads = static_cast<int>(std::min<long>(threads, runs));
  const std::size_t n = season.lineups.size();
  std::vector<PlaceCounts> counts(static_cast<std::size_t>(threads));
  auto work = [&](int t) {
    PlaceCounts& c = counts[static_cast<std::size_t>(t)];
    c.places.assign(n, std::vector<long>(n, 0));
    c.points.assign(n, 0);
    SilentHost host;
    Meeting meeting;
    std::vector<FixtureResult> results = season.results;
    const Preferences prefs;
    // Contiguous blocks of runs per thread; a run's meetings are seeded from its number alone.
    for (long run = runs * t / threads; run < runs * (t + 1) / threads; ++run) {
      if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) return;
      results.resize(season.results.size());
      const std::uint64_t runSeed = RunSeed(seed, run);
      for (std::size_t i = 0; i < left.size(); ++i) {
        RaceCopy(meeting, setUps[i], prefs, RunSeed(runSeed, static_cast<long>(i)), host);
        FixtureResult result;
        result.fixture = left[i]->number;
        result.homeScore = meeting.GroupPoints[1];
        result.awayScore = meeting.GroupPoints[2];
        results.push_back(std::move(result));
      }
      const std::vector<TableRow> table = LeagueTable(season, results);
      for (std::size_t place = 0; place < table.size(); ++place) {
        const auto lineup = static_cast<std::size_t>(table[place].lineup);
        ++c.places[lineup][place];
        c.points[lineup] += table[place].Total();
      }
      if (done != nullptr) done->fetch_add(1, std::memory_order_relaxed);
    }
  };
  std::vector<std::thread> workers;
  for (int t = 1; t < threads; ++t) workers.emplace_back(work, t);
  work(0);
  for (std::thread& worker : workers) worker.join();
  if (cancel != nullptr && cancel->load()) return Error{"The forecast was cancelled."};

  SeasonForecast forecast;
  forecast.runs = runs;
  forecast.fixturesLeft = static_cast<int>(left.size());
  for (const TableRow& row : LeagueTable(season)) {
    PositionChances p;
    p.lineup = row.lineup;
    p.name = row.name;
    p.chance.assign(n, 0.0);
    long long points = 0;
    const auto lineup = static_cast<std::size_t>(row.lineup);
    for (const PlaceCounts& c : counts) {
      for (std::size_t place = 0; place < n; ++place) {
        p.chance[place] += static_cast<double>(c.places[lineup][place]);
      }
      points += c.points[lineup];
    }
    for (double& chance : p.chance) chance /= static_cast<double>(runs);
    p.expectedPoints = static_cast<double>(points) / static_cast<double>(runs);
    forecast.lineups.push_back(std::move(p));
  }
  return forecast;
}

std::string SeasonForecastText(const SeasonForecast& forecast, TableFormat format) {
  std::string out;
  char cell[256];
  const std::size_t n = forecast.lineups.size();
  if (format == TableFormat::Html) {
    std::vector<std::string> header = {"Line-up", "Expected points"};
    for (std::size_t p = 1; p <= n; ++p) header.push_back(std::to_string(p));
    std::vector<std::vector<std::string>> rows;
    for (const PositionChances& l : forecast.lineups) {
      std::snprintf(cell, sizeof cell, "%.1f", l.expectedPoints);
      rows.push_back({l.name, cell});
      for (const double c : l.chance) {
        std::snprintf(cell, sizeof cell, "%.1f%%", c * 100.0);
        rows.back().push_back(cell);
      }
    }
    return HtmlPage("Final positions from " + std::to_string(forecast.runs) + " runs", header,
                    rows);
  }
  if (format == TableFormat::Csv) {
    out = "lineup,expected_points";
    for (std::size_t p = 1; p <= n; ++p) out += ",position_" + std::to_string(p);
    out += "\n";
    for (const PositionChances& l : forecast.lineups) {
      std::snprintf(cell, sizeof cell, "%.2f", l.expectedPoints);
      out += CsvName(l.name) + "," + cell;
      for (const double c : l.chance) {
        std::snprintf(cell, sizeof cell, ",%.4f", c);
        out += cell;
      }
      out += "\n";
    }
    return out;
  }
  if (format == TableFormat::Json) {
    out = "{\"runs\": " + std::to_string(forecast.runs) +
          ", \"fixtures_left\": " + std::to_string(forecast.fixturesLeft) + ", \"lineups\": [\n";
    for (std::size_t i = 0; i < n; ++i) {
      const PositionChances& l = forecast.lineups[i];
      std::snprintf(cell, sizeof cell, "%.2f", l.expectedPoints);
      out += "  {\"lineup\": " + JsonString(l.name) + ", \"expected_points\": " + cell +
             ", \"positions\": [";
      for (std::size_t p = 0; p < l.chance.size(); ++p) {
        std::snprintf(cell, sizeof cell, "%s%.4f", p == 0 ? "" : ", ", l.chance[p]);
        out += cell;
      }
      out += i + 1 < n ? "]},\n" : "]}\n";
    }
    return out + "]}\n";
  }
  out = "Final positions from " + std::to_string(forecast.runs) + " runs of the " +
        std::to_string(forecast.fixturesLeft) + " fixtures left (chance in %)\n";
  std::snprintf(cell, sizeof cell, "%-28s %6s", "", "Pts");
  out += cell;
  for (std::size_t p = 1; p <= n; ++p) {
    std::snprintf(cell, sizeof cell, " %5zu", p);
    out += cell;
  }
  out += "\n";
  for (const PositionChances& l : forecast.lineups) {
    std::snprintf(cell, sizeof cell, "%s %6.1f", PaddedToWidth(l.name, 28).c_str(),
                  l.expectedPoints);
    out += cell;
    for (const double c : l.chance) {
      std::snprintf(cell, sizeof cell, " %5.1f", c * 100.0);
      out += cell;
    }
    out += "\n";
  }
  return out;
}

}  // namespace corvane
