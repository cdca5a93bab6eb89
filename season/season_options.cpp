#include "season/season_options.h"

#include <charconv>
#include <climits>

namespace corvane {

namespace {

template <class T>
bool ParseNumber(const std::string& text, T& value, T low, T high) {
  T parsed{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), parsed);
  if (ec != std::errc() || end != text.data() + text.size() || parsed < low || parsed > high)
    return false;
  value = parsed;
  return true;
}

std::optional<SeasonAction> ActionOf(const std::string& word) {
  static const std::pair<const char*, SeasonAction> kActions[] = {
      {"new", SeasonAction::New},           {"play", SeasonAction::Play},
      {"table", SeasonAction::Table},       {"riders", SeasonAction::Riders},
      {"fixtures", SeasonAction::Fixtures}, {"report", SeasonAction::Report},
      {"forecast", SeasonAction::Forecast}, {"averages", SeasonAction::Averages},
      {"help", SeasonAction::Help},         {"--help", SeasonAction::Help}};
  for (const auto& [name, action] : kActions) {
    if (word == name) return action;
  }
  return std::nullopt;
}

}  // namespace

Result<SeasonOptions> ParseSeasonOptions(const std::vector<std::string>& args) {
  SeasonOptions o;
  if (args.empty()) return o;
  const std::optional<SeasonAction> action = ActionOf(args[0]);
  if (!action) return Error{"season: unknown action \"" + args[0] + "\" (see season --help)"};
  o.action = *action;
  if (o.action == SeasonAction::Help) return o;
  std::vector<std::string> positional;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> Result<std::string> {
      if (i + 1 >= args.size()) return Error{"season: " + arg + " needs a value"};
      return args[++i];
    };
    auto number = [&](auto& into, auto low, auto high) -> Status {
      const Result<std::string> text = value();
      if (!text) return Error{text.error()};
      if (!ParseNumber(text.value(), into, low, high)) {
        return Error{"season: " + arg + " takes a number from " + std::to_string(low) + " to " +
                     std::to_string(high)};
      }
      return Done{};
    };
    Status ok = Done{};
    if (arg == "--competition" || arg == "--lineups" || arg == "--team" || arg == "--fixtures" ||
        arg == "--format") {
      const Result<std::string> text = value();
      if (!text) return Error{text.error()};
      if (arg == "--competition") o.request.competition = text.value();
      if (arg == "--lineups") o.request.lineupsFile = text.value();
      if (arg == "--team") o.request.lineups.push_back(text.value());
      if (arg == "--fixtures") o.fixtureListFile = text.value();
      if (arg == "--format") {
        if (text.value() == "text") {
          o.format = TableFormat::Text;
        } else if (text.value() == "csv") {
          o.format = TableFormat::Csv;
        } else if (text.value() == "json") {
          o.format = TableFormat::Json;
        } else if (text.value() == "html") {
          o.format = TableFormat::Html;
        } else {
          return Error{"season: --format takes text, csv, json or html"};
        }
      }
    } else if (arg == "--win") {
      ok = number(o.request.rules.win, -100, 100);
    } else if (arg == "--draw") {
      ok = number(o.request.rules.draw, -100, 100);
    } else if (arg == "--loss") {
      ok = number(o.request.rules.loss, -100, 100);
    } else if (arg == "--aggregate-bonus") {
      o.request.rules.aggregateBonus = true;
    } else if (arg == "--next") {
      ok = number(o.count, 1, INT_MAX);
    } else if (arg == "--all") {
      o.count = INT_MAX;
    } else if (arg == "--runs") {
      ok = number(o.runs, 1L, 10000000L);
    } else if (arg == "--threads") {
      ok = number(o.threads, 0, 256);
    } else if (arg == "--seed") {
      std::uint64_t seed = 0;
      ok = number(seed, std::uint64_t{0}, UINT64_MAX);
      o.seed = seed;
    } else if (arg == "--overwrite") {
      o.overwrite = true;
    } else if (!arg.empty() && arg[0] == '-') {
      return Error{"season: unknown option " + arg};
    } else {
      positional.push_back(arg);
    }
    if (!ok) return Error{ok.error()};
  }
  const std::size_t wanted =
      o.action == SeasonAction::Report || o.action == SeasonAction::Averages ? 2 : 1;
  if (positional.size() != wanted) {
    return Error{std::string("season: ") + args[0] + " takes " +
                 (wanted == 1 ? "the season file" : "the season file and one more argument") +
                 " (see season --help)"};
  }
  o.file = positional[0];
  if (o.action == SeasonAction::Averages) o.outputFile = positional[1];
  if (o.action == SeasonAction::Report && !ParseNumber(positional[1], o.fixture, 1, INT_MAX)) {
    return Error{"season: report takes a fixture number"};
  }
  return o;
}

std::string SeasonUsage() {
  return R"(Usage: corvane-run season ACTION FILE [options]

  new FILE        make a season file (refuses a file that exists)
      --competition FILE   competition of its meetings (default league-match.cfg)
      --lineups FILE       rider database (default: the bundled one)
      --team NAME          a line-up taking part (repeat; default: every line-up the
                           competition takes from the database)
      --fixtures FILE      fixtures as "home,away" lines (default: double round robin)
      --win N --draw N --loss N   match points (default 3, 1, 0)
      --aggregate-bonus    a bonus point for the higher total over home and away
      --seed N             seed of every meeting of the season (default 1)
  play FILE       race the next fixture under computer control
      --next N             the next N fixtures
      --all                every fixture left
  table FILE      the league table          [--format text|csv|json|html]
  riders FILE     riders' season figures    [--format text|csv|json|html]
  fixtures FILE   fixtures, raced and to race
  report FILE N   the report of fixture N
  forecast FILE   chances of each final position from the season as it stands
      --runs N (default 1000) --threads N --seed N [--format text|csv|json|html]
  averages FILE NEW.rdb   a rider database with the season's averages
      --overwrite          replace NEW.rdb when it exists
)";
}

}  // namespace corvane
