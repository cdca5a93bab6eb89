// Seasons: the eight bundled league line-ups' double round robin (56 meetings) raced and stored
// in a new season file, and the forecast of the final table from the season's halfway point.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "season/season_file.h"
#include "season/season_forecast.h"
#include "season/season_setup.h"

namespace {

using namespace corvane;

Season BundledSeason() {
  const Result<Season> season = NewSeason(SeasonRequest{}, CORVANE_SOURCE_DIR);
  if (!season) throw std::runtime_error(season.error());
  return season.value();
}

std::filesystem::path BenchFile() {
  return std::filesystem::temp_directory_path() /
         ("corvane-season-bench-" + std::to_string(::getpid()) + ".season");
}

void RemoveSeasonFile(const std::filesystem::path& path) {
  std::error_code ec;
  for (const char* suffix : {"", "-wal", "-shm"})
    std::filesystem::remove(path.string() + suffix, ec);
}

void BM_WholeSeasonRacedAndStored(benchmark::State& state) {
  const Season season = BundledSeason();
  const std::filesystem::path path = BenchFile();
  for (auto _ : state) {
    RemoveSeasonFile(path);
    auto file = SeasonFile::Create(path, season);
    if (!file || !PlayFixtures(*file.value(), 1000)) throw std::runtime_error("season failed");
    benchmark::DoNotOptimize(file.value()->season().results.size());
  }
  RemoveSeasonFile(path);
}
BENCHMARK(BM_WholeSeasonRacedAndStored)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ForecastFromHalfway(benchmark::State& state) {
  const std::filesystem::path path = BenchFile();
  RemoveSeasonFile(path);
  auto file = SeasonFile::Create(path, BundledSeason());
  if (!file || !PlayFixtures(*file.value(), 28)) throw std::runtime_error("season failed");
  const Season halfway = file.value()->season();
  for (auto _ : state) {
    const auto forecast = ForecastSeason(halfway, state.range(0), 2, 1);
    benchmark::DoNotOptimize(forecast.ok());
  }
  file.value().reset();
  RemoveSeasonFile(path);
}
BENCHMARK(BM_ForecastFromHalfway)
    ->Arg(10000)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace
