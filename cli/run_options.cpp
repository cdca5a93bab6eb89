#include "cli/run_options.h"

#include <charconv>
#include <cstdint>
#include <filesystem>
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

// Options that take a value, and those that take none.
bool TakesValue(const std::string& option) {
  static const char* const kWithValue[] = {
      "-l",        "--lineups", "-t",          "--team",    "--date",          "--venue",
      "--title",   "-s",        "--seed",      "--support", "--suspend-after", "--check",
      "--resume",  "-o",        "--output",    "-n",        "--runs",          "-j",
      "--threads", "--format",  "--start-grid"};
  for (const char* name : kWithValue) {
    if (option == name) return true;
  }
  return false;
}

// The words as the parser reads them: "--seed=5" is "--seed 5" and "-s5" is "-s 5". After "--"
// every word is a competition or file name, even one that starts with "-"; `plainFrom` is
// where those words begin.
Result<std::vector<std::string>> Expand(const std::vector<std::string>& args,
                                        std::size_t& plainFrom) {
  std::vector<std::string> words;
  plainFrom = SIZE_MAX;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--") {
      plainFrom = words.size();
      words.insert(words.end(), args.begin() + static_cast<long>(i) + 1, args.end());
      break;
    }
    const std::size_t equals = arg.find('=');
    if (arg.rfind("--", 0) == 0 && equals != std::string::npos) {
      const std::string option = arg.substr(0, equals);
      if (!TakesValue(option) && option.size() > 2) {
        return Error{"option " + option + " takes no value"};
      }
      words.push_back(option);
      words.push_back(arg.substr(equals + 1));
    } else if (arg.size() > 2 && arg[0] == '-' && arg[1] != '-' && TakesValue(arg.substr(0, 2))) {
      words.push_back(arg.substr(0, 2));
      words.push_back(arg.substr(2));
    } else {
      words.push_back(arg);
    }
  }
  return words;
}

// The file a name stands for: a symbolic link is followed to the file it points to, so that
// writing replaces that file and leaves the link.
std::string FollowLinks(const std::string& name) {
  std::error_code ec;
  std::filesystem::path path(name);
  for (int hops = 0; hops < 40 && std::filesystem::is_symlink(path, ec); ++hops) {
    const std::filesystem::path target = std::filesystem::read_symlink(path, ec);
    if (ec) break;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return path.string();
}

}  // namespace

std::string RunUsage() {
  return R"(Usage: corvane-run [options] COMPETITION
       corvane-run season ACTION FILE [options]   (a league season: season --help)

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

An option's value is the next word, or follows "=" (--seed=5), or a one-letter option
directly (-s5). "--" ends the options. "-o -" writes to standard output; -o onto a symbolic
link writes the file it points to.
)";
}

Result<RunOptions> ParseRunOptions(const std::vector<std::string>& typed) {
  RunOptions options;
  std::size_t plainFrom = SIZE_MAX;
  const Result<std::vector<std::string>> expanded = Expand(typed, plainFrom);
  if (!expanded) return Error{expanded.error()};
  const std::vector<std::string>& args = expanded.value();
  std::size_t i = 0;
  std::string error;
  bool formatGiven = false;

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
    if (i >= plainFrom) {
      if (options.competition.empty()) {
        options.competition = arg;
      } else {
        error =
            "more than one competition given: \"" + options.competition + "\" and \"" + arg + "\"";
      }
    } else if (arg == "-h" || arg == "--help") {
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
      formatGiven = true;
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
  if (options.outputFile == "-") options.outputFile.clear();  // standard output
  if (!options.outputFile.empty()) options.outputFile = FollowLinks(options.outputFile);
  if (!options.checkFile.empty()) return options;
  if (formatGiven && !options.runs) {
    return Error{"--format is the format of the statistics: give --runs N as well"};
  }
  if (options.competition.empty() && options.resumeFile.empty()) {
    return Error{"no competition given (see --help)"};
  }
  if ((options.runs || options.forecastEachHeat) && options.suspendAfter) {
    return Error{"--runs and --forecast-each-heat cannot be combined with --suspend-after"};
  }
  return options;
}

}  // namespace corvane
