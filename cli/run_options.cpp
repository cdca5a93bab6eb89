#include "cli/run_options.h"

#include <charconv>
#include <map>

namespace corvane {

namespace {

template <class T>
std::optional<T> WholeNumber(const std::string& text, T lo, T hi) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < lo || value > hi) return std::nullopt;
  return value;
}

}  // namespace

std::string RunUsage() {
  return R"(Usage: corvane-run [options] COMPETITION

Runs race meetings without a window, every team steered by the computer.

  COMPETITION               a .cfg file: a path, or a file name in your data folder
                            (~/.local/share/corvane) or the bundled Scripts folder
  -l, --lineups FILE        rider database (default: the bundled Lineups/Lineups.rdb)
  -t, --team NAME           a line-up to load, once per team in order A, B, ...; in an
                            individual meeting, the one line-up of riders
      --date TEXT           meeting date (default: today)
      --venue TEXT          meeting venue
      --title TEXT          meeting title
  -s, --seed N              seed of the random source (default: from the clock)
      --support NAME        a line-up whose riders ride the support competition
      --suspend-after N FILE  stop after N heats of the meeting and write the meeting file
      --resume FILE         resume a meeting file and run it to the end; with --runs,
                            the statistics of the rest of it
      --check FILE          check a competition file: every line the meeting ignores,
                            every value refused or repaired, heat entries that name nobody,
                            planned rides, and whether the programme favours a team
  -o, --output FILE         write the report to FILE instead of standard output; a
                            FILE.html is a web page, a FILE.csv a spreadsheet table
  -n, --runs N              run the meeting N times and print statistics
  -j, --threads K           threads for --runs (default: every core)
      --format text|json|csv  format of the statistics
      --forecast-each-heat  race one meeting and print, as CSV, each team's chance of
                            winning and expected score before the first heat and after
                            every heat, each from --runs N runs of the rest (default 10000)
      --home-advantage      home advantage for team A
      --team-scoring        team scoring
      --start-grid random|inside|outside|equal
  -h, --help                this text
      --version             the program's version
)";
}

Result<RunOptions> ParseRunOptions(const std::vector<std::string>& args) {
  RunOptions options;
  std::size_t i = 0;
  std::string error;

  // The value after an option, or an error when there is none.
  auto value = [&](const std::string& option) -> std::optional<std::string> {
    if (i + 1 >= args.size()) {
      error = "option " + option + " needs a value";
      return std::nullopt;
    }
    return args[++i];
  };
  auto number = [&](const std::string& option, long lo, long hi) -> std::optional<long> {
    const auto text = value(option);
    if (!text) return std::nullopt;
    const auto n = WholeNumber<long>(*text, lo, hi);
    if (!n) error = "bad number for " + option + ": \"" + *text + "\"";
    return n;
  };

  for (; i < args.size() && error.empty(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      options.help = true;
    } else if (arg == "--version") {
      options.version = true;
    } else if (arg == "-l" || arg == "--lineups") {
      if (auto v = value(arg)) options.lineupsFile = *v;
    } else if (arg == "-t" || arg == "--team") {
      if (auto v = value(arg)) options.teams.push_back(*v);
    } else if (arg == "--date") {
      options.date = value(arg);
    } else if (arg == "--venue") {
      options.venue = value(arg);
    } else if (arg == "--title") {
      options.title = value(arg);
    } else if (arg == "-s" || arg == "--seed") {
      const auto text = value(arg);
      if (text) {
        options.seed = WholeNumber<std::uint64_t>(*text, 0, UINT64_MAX);
        if (!options.seed) error = "bad number for " + arg + ": \"" + *text + "\"";
      }
    } else if (arg == "--support") {
      if (auto v = value(arg)) options.support = *v;
    } else if (arg == "--suspend-after") {
      if (auto n = number(arg, 0, 40)) {
        options.suspendAfter = static_cast<int>(*n);
        if (auto file = value(arg)) options.suspendFile = *file;
      }
    } else if (arg == "--check") {
      if (auto v = value(arg)) options.checkFile = *v;
    } else if (arg == "--resume") {
      if (auto v = value(arg)) options.resumeFile = *v;
    } else if (arg == "-o" || arg == "--output") {
      if (auto v = value(arg)) options.outputFile = *v;
    } else if (arg == "-n" || arg == "--runs") {
      if (auto n = number(arg, 1, 1000000000L)) options.runs = *n;
    } else if (arg == "-j" || arg == "--threads") {
      if (auto n = number(arg, 1, 256)) options.threads = static_cast<int>(*n);
    } else if (arg == "--format") {
      static const std::map<std::string, StatisticsFormat> kFormats = {
          {"text", StatisticsFormat::Text},
          {"json", StatisticsFormat::Json},
          {"csv", StatisticsFormat::Csv}};
      if (auto v = value(arg)) {
        const auto found = kFormats.find(*v);
        if (found == kFormats.end()) {
          error = "unknown format \"" + *v + "\" (text, json or csv)";
        } else {
          options.format = found->second;
        }
      }
    } else if (arg == "--forecast-each-heat") {
      options.forecastEachHeat = true;
    } else if (arg == "--home-advantage") {
      options.prefs.PrefHomeAdvantage = 1;
    } else if (arg == "--team-scoring") {
      options.prefs.PrefTeamScoring = 1;
    } else if (arg == "--start-grid") {
      static const std::map<std::string, Integer> kGrids = {
          {"random", 0}, {"inside", 1}, {"outside", 2}, {"equal", 3}};
      if (auto v = value(arg)) {
        const auto found = kGrids.find(*v);
        if (found == kGrids.end()) {
          error = "unknown starting grid \"" + *v + "\" (random, inside, outside or equal)";
        } else {
          options.prefs.PrefStartGrid = found->second;
        }
      }
    } else if (arg.size() > 1 && arg[0] == '-') {
      error = "unknown option " + arg;
    } else if (options.competition.empty()) {
      options.competition = arg;
    } else {
      error =
          "more than one competition given: \"" + options.competition + "\" and \"" + arg + "\"";
    }
  }
  if (!error.empty()) return Error{error};
  if (options.help || options.version) return options;
  if (!options.checkFile.empty()) return options;
  if (options.competition.empty() && options.resumeFile.empty()) {
    return Error{"no competition given (see --help)"};
  }
  if ((options.runs || options.forecastEachHeat) && options.suspendAfter) {
    return Error{"--runs and --forecast-each-heat cannot be combined with --suspend-after"};
  }
  return options;
}

}  // namespace corvane
