#include "report/meeting_outcome.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "engine/programme/programme_line.h"
#include "report/report_ranking.h"

namespace corvane {

namespace {

// Every stage of the programme up to any support competition, the first included; a team
// transfer after heats starts the next stage. A stage's name is its first heat's title.
std::vector<ProgrammeStage> AllStages(const Meeting& m) {
  std::vector<ProgrammeStage> stages(1);
  std::vector<bool> named(kMaxGroups + 1, false);
  bool heats = false;  // the current stage has heats
  const auto close = [&] {
    for (int g = 1; g <= std::min<int>(m.NumTeams, kMaxGroups); ++g) {
      if (named[static_cast<std::size_t>(g)]) stages.back().teams.push_back(g);
    }
    named.assign(named.size(), false);
  };
  for (int i = 1; i <= m.ProgrammeLineCount(); ++i) {
    const ProgrammeLine line = ReadProgrammeLine(m.ProgrammeLines[static_cast<std::size_t>(i)]);
    if (line.commandWord == CommandWord::kSupport) break;
    if (line.commandWord == CommandWord::kTfrTeam && heats) {
      close();
      stages.emplace_back();
      heats = false;
    }
    if (!line.heat) continue;
    if (!heats) stages.back().name = line.title;
    heats = true;
    for (int k = 0; k < line.entryCount; ++k) {
      const int group = line.entries[static_cast<std::size_t>(k)].code.first - 'A' + 1;
      if (group >= 1 && group <= m.NumTeams) named[static_cast<std::size_t>(group)] = true;
    }
  }
  close();
  return stages;
}

// A heat title without the heat's number: "Final 3" is the "Final"; empty when no letter is
// left ("12").
std::string StageName(std::string title) {
  while (!title.empty() &&
         std::string_view(" \t0123456789.:#-").find(title.back()) != std::string_view::npos) {
    title.pop_back();
  }
  const bool letters = std::any_of(title.begin(), title.end(), [](char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || static_cast<unsigned char>(c) >= 0x80;
  });
  return letters ? title : std::string();
}

}  // namespace

std::vector<int> LastStageTeams(const Meeting& m) {
  if (m.NumTeams <= 1) return {};
  const std::vector<ProgrammeStage> stages = AllStages(m);
  if (stages.size() > 1) return stages.back().teams;
  std::vector<int> teams;
  for (int g = 1; g <= std::min<int>(m.NumTeams, kMaxGroups); ++g) teams.push_back(g);
  return teams;
}

std::vector<ProgrammeStage> LaterStages(const Meeting& m) {
  if (m.NumTeams <= 1) return {};
  std::vector<ProgrammeStage> stages = AllStages(m);
  stages.erase(stages.begin());
  std::vector<ProgrammeStage> later;
  for (std::size_t k = 0; k < stages.size(); ++k) {
    if (stages[k].teams.empty()) continue;
    ProgrammeStage stage = std::move(stages[k]);
    stage.name = StageName(stage.name);
    const bool taken = std::any_of(later.begin(), later.end(),
                                   [&](const ProgrammeStage& s) { return s.name == stage.name; });
    if (stage.name.empty() || taken) stage.name = "Stage " + std::to_string(k + 2);
    later.push_back(std::move(stage));
  }
  return later;
}

int MeetingWinner(const Meeting& m, const std::vector<int>& lastStage) {
  if (lastStage.empty()) return 0;
  const auto points = [&m](int g) { return m.GroupPoints[static_cast<std::size_t>(g)]; };
  if (lastStage.size() == 2) {
    const int a = lastStage[0], b = lastStage[1];
    if (points(a) == points(b)) return 0;
    return points(a) > points(b) ? a : b;
  }
  const ReportOrder order = RankForReport(m);
  for (int place = 1; place <= kMaxGroups; ++place) {
    const int g = order.group[static_cast<std::size_t>(place)];
    if (std::find(lastStage.begin(), lastStage.end(), g) != lastStage.end()) return g;
  }
  return 0;
}

}  // namespace corvane
