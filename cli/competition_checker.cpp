#include "cli/competition_checker.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <ostream>
#include <thread>

#include "cli/meeting_inputs.h"
#include "engine/competition/competition_check.h"
#include "engine/competition/meeting_setup.h"
#include "engine/io/file_io.h"
#include "engine/programme/transfers.h"
#include "engine/race/random_source.h"
#include "report/headless_host.h"
#include "report/meeting_outcome.h"
#include "statistics/meeting_tally.h"
#include "statistics/silent_host.h"

namespace corvane {

namespace {

std::string Percent(double value) {
  char text[16];
  std::snprintf(text, sizeof text, "%.1f", value);
  return text;
}

// Every team that takes a line-up gets the same one, its averages rider by rider those of the
// bundled league teams on average (their third rider is usually weaker than their fourth, which
// is what shows a programme that sets one side's weaker riders against the other's stronger
// ones). Each team keeps its letter as its name, which a team transfer carries along.
void FillOneLineupEverywhere(Meeting& m) {
  static constexpr double kMain[] = {9.12, 8.21, 6.93, 7.16, 6.59, 6.3, 6.0, 5.7};
  static constexpr double kReserves[] = {4.92, 4.93, 4.5, 4.2};
  m.DateLines = "01/01/27";
  const int riders = m.NumRiders - m.RdrRepSlot;
  const int reserves = m.ResMode == 2 ? 0 : std::clamp<int>(m.NumReserves, 0, 4);
  const int main = std::clamp(riders - reserves, 0, 8);
  for (int g = 1; g <= m.NumTeams; ++g) {
    if (FilledByTransfer(m, g)) continue;
    m.GroupTitle[static_cast<std::size_t>(g)] = std::string(1, static_cast<char>('A' + g - 1));
    for (int k = 1; k <= main + reserves; ++k) {
      const int slot = RiderSlot(m, g, k);
      if (!IsSlot(slot)) break;
      const double average = k <= main ? kMain[k - 1] : kReserves[k - main - 1];
      m.RiderName[static_cast<std::size_t>(slot)] = "Rider " + Dec(k);
      m.RiderAverage[static_cast<std::size_t>(slot)] = static_cast<Single>(average / 12.0);
    }
  }
}

// Wins of each team name over a block of runs.
struct WinCount {
  std::map<std::string, long> wins;
  long draws = 0;
};

}  // namespace

FairnessResult RaceOneLineupEverywhere(const std::filesystem::path& competition, long runs,
                                       std::uint64_t seed, int threads) {
  FairnessResult result;
  Preferences prefs;
  prefs.PrefStartGrid = 3;  // all gates equal
  prefs.PrefHomeAdvantage = 0;
  HeadlessHost host;
  host.fillLineups = FillOneLineupEverywhere;
  Meeting setUp;
  Pcg32Random setUpRandom(seed);
  const CompetitionChoice choice{competition.string(), "check"};
  if (SetUpMeeting(setUp, choice, prefs, {}, host, setUpRandom) != SetupOutcome::ReadyToRun ||
      setUp.NumTeams <= 1) {
    return result;
  }
  const std::vector<int> lastStage = LastStageTeams(setUp);
  if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  std::vector<WinCount> counts(static_cast<std::size_t>(threads));
  auto work = [&](int t) {
    SilentHost silent;
    Meeting meeting;
    WinCount& count = counts[static_cast<std::size_t>(t)];
    for (long run = runs * t / threads; run < runs * (t + 1) / threads; ++run) {
      RaceCopy(meeting, setUp, prefs, RunSeed(seed, run), silent);
      const int winner = MeetingWinner(meeting, lastStage);
      if (winner == 0) {
        ++count.draws;
      } else {
        ++count.wins[meeting.GroupTitle[static_cast<std::size_t>(winner)]];
      }
    }
  };
  std::vector<std::thread> workers;
  for (int t = 1; t < threads; ++t) workers.emplace_back(work, t);
  work(0);
  for (std::thread& worker : workers) worker.join();

  result.runs = runs;
  for (int g = 1; g <= setUp.NumTeams; ++g) {
    const std::string& team = setUp.GroupTitle[static_cast<std::size_t>(g)];
    if (team.empty()) continue;
    TeamShare share{team, 0};
    for (const WinCount& count : counts) {
      const auto found = count.wins.find(team);
      if (found != count.wins.end()) share.wins += found->second;
    }
    result.shares.push_back(share);
  }
  for (const WinCount& count : counts) result.draws += count.draws;
  if (result.shares.size() < 2) return result;

  // Equal shares are refused when a chi-square test of the wins says so at the 0.1 % level; the
  // noise shown is three standard errors of one share.
  static constexpr double kCritical[] = {10.83, 13.82, 16.27, 18.47, 20.52, 22.46, 24.32, 26.12};
  long decided = 0;
  for (const TeamShare& share : result.shares) decided += share.wins;
  const double expected = static_cast<double>(decided) / static_cast<double>(result.shares.size());
  double chiSquare = 0;
  for (const TeamShare& share : result.shares) {
    chiSquare += (share.wins - expected) * (share.wins - expected) / std::max(1.0, expected);
  }
  const double p = expected / static_cast<double>(runs);
  result.noise = 300.0 * std::sqrt(p * (1 - p) / static_cast<double>(runs));
  if (chiSquare > kCritical[std::min<std::size_t>(result.shares.size() - 2, 7)]) {
    result.favoured =
        std::max_element(result.shares.begin(), result.shares.end(),
                         [](const TeamShare& a, const TeamShare& b) { return a.wins < b.wins; })
            ->team;
  }
  return result;
}

std::string FairnessText(const FairnessResult& result) {
  if (result.shares.size() < 2) return std::string();
  std::string text = "One line-up in every team's place, " + Dec(result.runs) +
                     " meetings (all gates equal, no home advantage): ";
  const double n = static_cast<double>(std::max(1L, result.runs));
  for (const TeamShare& share : result.shares) {
    text += share.team + " " + Percent(100.0 * share.wins / n) + " %, ";
  }
  if (result.draws > 0) text += "draws " + Percent(100.0 * result.draws / n) + " %, ";
  text.resize(text.size() - 2);
  if (result.favoured.empty()) {
    return text + ": level within the noise (" + Percent(result.noise) + " points)";
  }
  return text + ": the programme favours team " + result.favoured + " (the noise is " +
         Percent(result.noise) + " points)";
}

int RunCompetitionCheck(const std::string& file, const std::filesystem::path& dataFolder,
                        long fairnessRuns, int threads, std::ostream& out, std::ostream& err) {
  const std::filesystem::path path = LocateCompetition(file, dataFolder);
  const Result<std::string> bytes = ReadWholeFile(path, kMaxCompetitionFileBytes);
  if (!bytes) {
    err << "corvane-run: " << kCompetitionFileNotFound << ": " << bytes.error() << '\n';
    return 2;
  }
  const CompetitionCheck check = CheckCompetitionText(bytes.value());
  int lastLine = -1;
  for (const CheckFinding& finding : check.findings) {
    if (finding.fileLine != lastLine) {
      out << file << ":";
      if (finding.fileLine > 0) out << finding.fileLine << ": " << finding.lineText;
      out << '\n';
      lastLine = finding.fileLine;
    }
    out << "    " << finding.message << '\n';
  }
  if (!check.readable || !check.holdsCompetition) {
    out << CheckSummary(check, file) << '\n';
    return 2;
  }
  const std::vector<std::string> rides = PlannedRidesTable(check.meeting);
  if (!rides.empty()) {
    out << "Planned rides of riders 1 to " << check.meeting.NumRiders << " (MAXRIDES "
        << check.meeting.MaxRides << "):\n";
    for (const std::string& row : rides) out << "  " << row << '\n';
  }
  bool unfair = false;
  if (fairnessRuns > 0) {
    const FairnessResult fairness = RaceOneLineupEverywhere(path, fairnessRuns, 20261207, threads);
    const std::string text = FairnessText(fairness);
    if (!text.empty()) out << text << '\n';
    unfair = !fairness.favoured.empty();
  }
  const std::size_t problems = check.findings.size() + (unfair ? 1 : 0);
  if (problems == 0) {
    out << file << ": no problems found\n";
    return 0;
  }
  out << file << ": " << problems << (problems == 1 ? " problem" : " problems") << " found\n";
  return 1;
}

}  // namespace corvane
