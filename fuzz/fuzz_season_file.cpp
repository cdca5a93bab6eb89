// Season files are SQLite files a user may have edited, damaged or been sent: any bytes must be
// refused with a message or give a season whose league table, riders' figures and next fixture
// can be worked out and written in every format.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "season/league_table.h"
#include "season/rider_figures.h"
#include "season/season_file.h"
#include "support/test_files.h"

namespace {

using namespace corvane;

namespace fs = std::filesystem;

// One folder for this process, taken away at exit with whatever SQLite left in it.
const fs::path& Folder() {
  static const testing::TempFolder folder("fuzz-season");
  return folder.path();
}

// The file and the journal, log and index SQLite keeps beside it.
void RemoveSeasonFile(const fs::path& file) {
  std::error_code ec;
  for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
    fs::remove(file.string() + suffix, ec);
  }
}

void WorkOut(const Season& season) {
  const std::vector<TableRow> table = LeagueTable(season);
  if (table.size() != season.lineups.size()) std::abort();
  const std::vector<RiderFigures> riders = SeasonRiderFigures(season);
  for (const TableFormat format :
       {TableFormat::Text, TableFormat::Csv, TableFormat::Json, TableFormat::Html}) {
    (void)TableText(table, format);
    (void)RiderFiguresText(season, riders, format);
  }
  if (const Fixture* next = season.NextFixture()) {
    if (season.ResultOf(next->number) != nullptr) std::abort();
  }
  (void)DatabaseWithSeasonAverages(season);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path file = Folder() / "input.season";
  RemoveSeasonFile(file);
  {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    if (!out) std::abort();
  }
  {
    const auto opened = SeasonFile::Open(file);
    if (opened) {
      WorkOut(opened.value()->season());
    } else if (opened.error().empty()) {
      std::fprintf(stderr, "refused without a message\n");
      std::abort();
    }
  }
  RemoveSeasonFile(file);
  return 0;
}
