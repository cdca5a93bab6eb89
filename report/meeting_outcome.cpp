#include "report/meeting_outcome.h"

#include <algorithm>

#include "engine/programme/programme_line.h"
#include "report/report_ranking.h"

namespace corvane {

std::vector<int> LastStageTeams(const Meeting& m) {
  std::vector<int> teams;
  if (m.NumTeams <= 1) return teams;
  int from = 1;
  for (int i = 1; i <= m.ProgrammeLineCount(); ++i) {
    if (CommandOfLine(m.ProgrammeLines[static_cast<std::size_t>(i)]) == CommandWord::kTfrTeam)
      from = i + 1;
  }
  std::vector<bool> named(kMaxGroups + 1, from == 1);
  for (int i = from; from > 1 && i <= m.ProgrammeLineCount(); ++i) {
    const ProgrammeLine line = ReadProgrammeLine(m.ProgrammeLines[static_cast<std::size_t>(i)]);
    if (line.commandWord == CommandWord::kSupport) break;
    for (int k = 0; line.heat && k < line.entryCount; ++k) {
      const int group = line.entries[static_cast<std::size_t>(k)].code.first - 'A' + 1;
      if (group >= 1 && group <= m.NumTeams) named[static_cast<std::size_t>(group)] = true;
    }
  }
  for (int g = 1; g <= std::min<int>(m.NumTeams, kMaxGroups); ++g) {
    if (named[static_cast<std::size_t>(g)]) teams.push_back(g);
  }
  return teams;
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
