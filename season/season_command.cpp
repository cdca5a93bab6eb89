#include "season/season_command.h"

#include <ostream>

#include "engine/io/file_io.h"
#include "season/fixtures.h"
#include "season/league_table.h"
#include "season/rider_figures.h"
#include "season/season_file.h"
#include "season/season_forecast.h"
#include "season/season_options.h"

namespace corvane {

namespace {

int Fail(std::ostream& err, const std::string& message) {
  err << "corvane-run: " << message << '\n';
  return 2;
}

std::string ResultLine(const Season& s, const Fixture& f, const FixtureResult* r) {
  std::string line = "Fixture " + std::to_string(f.number) + " (round " + std::to_string(f.round) +
                     "): " + s.lineups[static_cast<std::size_t>(f.home)];
  if (r != nullptr) {
    line += " " + std::to_string(r->homeScore) + " " + std::to_string(r->awayScore) + " ";
  } else {
    line += " v ";
  }
  return line + s.lineups[static_cast<std::size_t>(f.away)] + "\n";
}

int NewSeasonFile(const SeasonOptions& o, const std::filesystem::path& dataFolder,
                  std::ostream& out, std::ostream& err) {
  SeasonRequest request = o.request;
  request.seed = o.seed.value_or(1);
  if (!o.fixtureListFile.empty()) {
    const Result<std::string> list = ReadWholeFile(o.fixtureListFile, kMaxFixtureListBytes);
    if (!list) return Fail(err, "Fixture list not found: " + list.error());
    request.fixtureList = list.value();
  }
  const Result<Season> season = NewSeason(request, dataFolder);
  if (!season) return Fail(err, season.error());
  const auto file = SeasonFile::Create(o.file, season.value());
  if (!file) return Fail(err, file.error());
  out << "Season of " << season.value().lineups.size() << " line-ups and "
      << season.value().fixtures.size() << " fixtures: " << o.file << "\n";
  return 0;
}

int WriteAverages(const SeasonOptions& o, const Season& season, std::ostream& out,
                  std::ostream& err) {
  std::error_code ec;
  if (!o.overwrite && std::filesystem::exists(o.outputFile, ec)) {
    return Fail(err, "The file exists: " + o.outputFile + " (--overwrite replaces it)");
  }
  const Result<std::string> text = DatabaseWithSeasonAverages(season);
  if (!text) return Fail(err, text.error());
  const Status written = WriteFileAtomically(o.outputFile, text.value());
  if (!written) return Fail(err, written.error());
  out << "Averages of " << SeasonRiderFigures(season).size() << " riders written to "
      << o.outputFile << "\n";
  return 0;
}

}  // namespace

int RunSeasonCommand(const std::vector<std::string>& args, const std::filesystem::path& dataFolder,
                     std::ostream& out, std::ostream& err) {
  const Result<SeasonOptions> parsed = ParseSeasonOptions(args);
  if (!parsed) return Fail(err, parsed.error());
  const SeasonOptions& o = parsed.value();
  if (o.action == SeasonAction::Help) {
    out << SeasonUsage();
    return 0;
  }
  if (o.action == SeasonAction::New) return NewSeasonFile(o, dataFolder, out, err);

  auto opened = SeasonFile::Open(o.file);
  if (!opened) return Fail(err, opened.error());
  SeasonFile& file = *opened.value();
  const Season& season = file.season();
  switch (o.action) {
    case SeasonAction::Play: {
      if (season.NextFixture() == nullptr) {
        out << "Every fixture has been raced.\n";
        return 0;
      }
      const Status played =
          PlayFixtures(file, o.count, [&](const Fixture& f, const FixtureResult& r) {
            out << ResultLine(file.season(), f, &r) << std::flush;
          });
      if (!played) return Fail(err, played.error());
      return 0;
    }
    case SeasonAction::Table:
      out << TableText(LeagueTable(season), o.format);
      return 0;
    case SeasonAction::Riders:
      out << RiderFiguresText(season, SeasonRiderFigures(season), o.format);
      return 0;
    case SeasonAction::Fixtures:
      for (const Fixture& f : season.fixtures)
        out << ResultLine(season, f, season.ResultOf(f.number));
      return 0;
    case SeasonAction::Report: {
      const FixtureResult* r = season.ResultOf(o.fixture);
      if (r == nullptr)
        return Fail(err, "Fixture " + std::to_string(o.fixture) + " has not been raced");
      out << r->report;
      return 0;
    }
    case SeasonAction::Forecast: {
      const Result<SeasonForecast> forecast =
          ForecastSeason(season, o.runs, o.threads, o.seed.value_or(1));
      if (!forecast) return Fail(err, forecast.error());
      out << SeasonForecastText(forecast.value(), o.format);
      return 0;
    }
    case SeasonAction::Averages:
      return WriteAverages(o, season, out, err);
    case SeasonAction::New:
    case SeasonAction::Help:
      break;
  }
  return 0;
}

}  // namespace corvane
