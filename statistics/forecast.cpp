#include "statistics/forecast.h"

#include <algorithm>
#include <cctype>

#include "engine/io/text_encoding.h"
#include "engine/records/preferences.h"
#include "statistics/meeting_tally.h"

namespace corvane {

namespace {

std::string TeamName(const Meeting& m, int g) {
  const std::string& title = m.GroupTitle[static_cast<std::size_t>(g)];
  return title.empty() ? "Team " + std::string(1, static_cast<char>('A' + g - 1)) : title;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

double Share(long count, long runs) {
  return runs > 0 ? static_cast<double>(count) / static_cast<double>(runs) : 0.0;
}

}  // namespace

Meeting ComputerSteeredCopy(const Meeting& m) {
  Meeting copy = m;
  if (copy.ControlMode != 2) copy.ControlMode = 0;
  copy.TeamControl = {};
  return copy;
}

std::optional<Meeting> MeetingAfterHeat(const Meeting& m) {
  const bool running = m.MeetingState == kRunOn || m.MeetingState == kStartedFromEditor;
  if (m.ControlMode != 0 || !running || m.RunoffsPending != 0 || m.SupportMode) {
    return std::nullopt;
  }
  if (m.ProgLine < 1 || m.ProgLine >= m.ProgrammeLineCount() || m.HeatCount >= kMaxHeats) {
    return std::nullopt;
  }
  Meeting after = m;
  if (!after.ReadLines.Line(after.ProgrammeLines, after.ProgLine).heat) return std::nullopt;
  // What heat preparation and the runner do once the heat is run: the line counts as prepared
  // and the runner goes on to the next.
  after.LastPreparedLine = after.ProgLine;
  ++after.ProgLine;
  return after;
}

int FinalLine(const Meeting& m) {
  ProgrammeLineCache lines;
  for (int line = m.ProgrammeLineCount(); line >= 1; --line) {
    const ProgrammeLine& read = lines.Line(m.ProgrammeLines, line);
    if (!read.heat) continue;
    const std::string title = Lower(read.title);
    const bool final =
        title.find("final") != std::string::npos && title.find("semi") == std::string::npos;
    return final ? line : 0;
  }
  return 0;
}

bool HasForecast(const Meeting& m) {
  if (m.ControlMode == 2 || m.ProgrammeLineCount() < 1) return false;
  return m.HeatCount > 0 || m.MeetingState == kWaitForUser || m.MeetingState == kHeatDecided ||
         m.MeetingState == kMeetingOver;
}

Forecast ForecastMeeting(const Meeting& m, const ForecastSettings& settings) {
  Forecast forecast;
  forecast.teamMeeting = m.NumTeams > 1;
  forecast.heatsRun = m.HeatCount;
  forecast.decided = m.MeetingState == kMeetingOver || m.MainHeats > 0;
  for (int g = 1; g <= kMaxGroups; ++g) {
    if (m.TeamControl[static_cast<std::size_t>(g)] == 1 && m.ControlMode == 1) {
      forecast.playerSteered = true;
    }
  }
  const int finalLine = forecast.teamMeeting ? 0 : FinalLine(m);
  forecast.hasFinal = finalLine > 0;

  // The meeting's own starting grid stands: it was drawn when the meeting was set up.
  Preferences keepGrid;
  keepGrid.PrefStartGrid = 3;
  std::atomic<long> done{0};
  const MeetingTally tally =
      RunMeetings(ComputerSteeredCopy(m), keepGrid, settings.seed, std::max(1L, settings.runs),
                  settings.threads, done, settings.cancel, finalLine);
  forecast.runs = tally.runs;
  forecast.cancelled = tally.runs < std::max(1L, settings.runs);
  const long runs = tally.runs;

  if (forecast.teamMeeting) {
    for (int g = 1; g <= m.NumTeams && g <= kMaxGroups; ++g) {
      const auto i = static_cast<std::size_t>(g);
      TeamForecast team;
      team.group = g;
      team.name = TeamName(m, g);
      team.points = m.GroupPoints[i];
      team.winChance = Share(tally.teamPlaces[i][1], runs);
      team.expected = runs > 0 ? static_cast<double>(tally.teamPoints[i]) / runs : 0.0;
      team.low = Percentile(tally.teamScoreRuns[i], runs, 0.1);
      team.high = Percentile(tally.teamScoreRuns[i], runs, 0.9);
      forecast.teams.push_back(team);
    }
    if (m.NumTeams == 2) {
      forecast.drawChance = Share(tally.draws, runs);
      for (std::size_t i = 0; i < tally.marginRuns.size(); ++i) {
        if (tally.marginRuns[i] == 0) continue;
        forecast.margins.push_back(
            {static_cast<int>(i) - MeetingTally::kMaxTalliedPoints, tally.marginRuns[i]});
      }
    }
    return forecast;
  }
  for (int s = 1; s <= kMaxSlots; ++s) {
    const auto i = static_cast<std::size_t>(s);
    if (m.RiderName[i].empty()) continue;
    RiderForecast rider;
    rider.slot = s;
    rider.name = m.RiderName[i];
    rider.points = m.RiderPoints[i] + m.RiderBonus[i];
    const auto& places = tally.riderPlaces[i];
    rider.winChance = Share(places[1], runs);
    rider.topThreeChance = Share(places[1] + places[2] + places[3], runs);
    rider.finalChance = Share(tally.riderFinals[i], runs);
    rider.expected =
        runs > 0 ? static_cast<double>(tally.riderPoints[i] + tally.riderBonus[i]) / runs : 0.0;
    forecast.riders.push_back(rider);
  }
  std::stable_sort(forecast.riders.begin(), forecast.riders.end(),
                   [](const RiderForecast& a, const RiderForecast& b) {
                     if (a.winChance != b.winChance) return a.winChance > b.winChance;
                     if (a.topThreeChance != b.topThreeChance) {
                       return a.topThreeChance > b.topThreeChance;
                     }
                     return a.points > b.points;
                   });
  return forecast;
}

}  // namespace corvane
