#include "statistics/meeting_tally.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "engine/competition/meeting_setup.h"
#include "engine/programme/meeting_runner.h"
#include "engine/programme/transfers.h"
#include "engine/race/random_source.h"
#include "report/meeting_outcome.h"
#include "report/report_ranking.h"
#include "statistics/silent_host.h"

namespace corvane {

void MeetingTally::Add(const Meeting& m) {
  ++runs;
  if (m.NumTeams > 1) {
    for (int g = 1; g <= m.NumTeams && g <= kMaxGroups; ++g) {
      const long long points = m.GroupPoints[static_cast<std::size_t>(g)];
      teamPoints[static_cast<std::size_t>(g)] += points;
      teamPointsSquared[static_cast<std::size_t>(g)] += points * points;
    }
    if (m.NumTeams == 2) {
      const int a = m.GroupPoints[1], b = m.GroupPoints[2];
      if (a == b) {
        ++draws;
      } else {
        ++teamPlaces[a > b ? 1 : 2][1];
      }
    } else {
      const ReportOrder order = RankForReport(m);
      for (int place = 1; place <= m.NumTeams && place <= kMaxGroups; ++place) {
        const int g = order.group[static_cast<std::size_t>(place)];
        if (IsGroup(g)) ++teamPlaces[static_cast<std::size_t>(g)][static_cast<std::size_t>(place)];
      }
    }
  } else {
    const ReportOrder order = RankForReport(m);
    for (int g = 1; g <= m.NumGroups; ++g) {
      for (int place = 1; place <= 3 && place <= m.NumRiders; ++place) {
        const int slot = order.rider[static_cast<std::size_t>(RiderSlot(m, g, place))];
        if (IsSlot(slot))
          ++riderPlaces[static_cast<std::size_t>(slot)][static_cast<std::size_t>(place)];
      }
    }
  }
  for (int s = 1; s <= kMaxSlots; ++s) {
    const int group = m.RiderTeam[static_cast<std::size_t>(s)];
    const bool copy = IsGroup(group) && filledByTransfer[static_cast<std::size_t>(group)];
    const auto into = static_cast<std::size_t>(copy ? StartingSlot(m, s) : s);
    riderPoints[into] += m.RiderPoints[static_cast<std::size_t>(s)];
    riderBonus[into] += m.RiderBonus[static_cast<std::size_t>(s)];
  }
  if (m.NumTeams > 1) {
    for (int g = 1; g <= m.NumTeams && g <= kMaxGroups; ++g) {
      CountValue(teamScoreRuns[static_cast<std::size_t>(g)],
                 m.GroupPoints[static_cast<std::size_t>(g)]);
    }
    if (m.NumTeams == 2) CountValue(marginRuns, m.GroupPoints[1] - m.GroupPoints[2]);
  }
  if (finalLine > 0) CountFinalists(m);
  if (!lastStage.empty()) {
    const int winner = MeetingWinner(m, lastStage);
    if (winner != 0) ++competitionWins[static_cast<std::size_t>(StartingTeam(m, winner))];
  }
  for (std::size_t k = 0; k < laterStages.size(); ++k) {
    for (int g : laterStages[k]) ++reachedStage[k][static_cast<std::size_t>(StartingTeam(m, g))];
  }
}

int Percentile(const std::vector<long>& runsByValue, long runs, double share) {
  const double wanted = share * static_cast<double>(runs);
  long seen = 0;
  for (std::size_t i = 0; i < runsByValue.size(); ++i) {
    seen += runsByValue[i];
    if (seen > 0 && static_cast<double>(seen) >= wanted) {
      return static_cast<int>(i) - MeetingTally::kMaxTalliedPoints;
    }
  }
  return 0;
}

int MeetingTally::StartingTeam(const Meeting& m, int group) const {
  if (!filledByTransfer[static_cast<std::size_t>(group)]) return group;
  const std::string& title = m.GroupTitle[static_cast<std::size_t>(group)];
  for (int g = 1; g <= m.NumTeams && g <= kMaxGroups; ++g) {
    if (!filledByTransfer[static_cast<std::size_t>(g)] &&
        m.GroupTitle[static_cast<std::size_t>(g)] == title)
      return g;
  }
  return group;
}

int MeetingTally::StartingSlot(const Meeting& m, int slot) const {
  const int group = m.RiderTeam[static_cast<std::size_t>(slot)];
  const int team = StartingTeam(m, group);
  if (team == group) return slot;
  // A team is copied rider by rider in order; the name finds him should the order differ.
  const std::string& name = m.RiderName[static_cast<std::size_t>(slot)];
  int same = 0;
  for (int k = 1; k <= m.NumRiders; ++k) {
    const int from = RiderSlot(m, team, k);
    if (!IsSlot(from)) break;
    if (RiderSlot(m, group, k) == slot) same = from;
    if (m.RiderName[static_cast<std::size_t>(from)] == name) return from;
  }
  return same != 0 ? same : slot;
}

void MeetingTally::CountValue(std::vector<long>& runsByValue, int value) {
  const int clamped = std::clamp(value, -kMaxTalliedPoints, kMaxTalliedPoints);
  const auto i = static_cast<std::size_t>(clamped + kMaxTalliedPoints);
  if (runsByValue.size() <= i) runsByValue.resize(i + 1);
  ++runsByValue[i];
}

void MeetingTally::CountFinalists(const Meeting& m) {
  // The final is the last programme heat once the meeting has raced the final's line.
  const int count = m.ProgrammeHeats[0];
  if (m.LastPreparedLine < finalLine || count < 1 || count > kMaxHeats) return;
  const int heat = m.ProgrammeHeats[static_cast<std::size_t>(count)];
  if (heat < 1 || heat > kMaxHeats) return;
  for (int e = 1; e <= kMaxEntries; ++e) {
    const int slot = m.HeatResults[static_cast<std::size_t>(heat)][static_cast<std::size_t>(e)][1];
    if (IsSlot(slot)) ++riderFinals[static_cast<std::size_t>(slot)];
  }
}

namespace {

void AddValues(std::vector<long>& into, const std::vector<long>& from) {
  if (into.size() < from.size()) into.resize(from.size());
  for (std::size_t i = 0; i < from.size(); ++i) into[i] += from[i];
}

}  // namespace

void MeetingTally::Merge(const MeetingTally& other) {
  for (std::size_t g = 0; g < competitionWins.size(); ++g)
    competitionWins[g] += other.competitionWins[g];
  for (std::size_t k = 0; k < reachedStage.size() && k < other.reachedStage.size(); ++k) {
    for (std::size_t g = 0; g < reachedStage[k].size(); ++g)
      reachedStage[k][g] += other.reachedStage[k][g];
  }
  runs += other.runs;
  draws += other.draws;
  for (std::size_t g = 0; g < teamPoints.size(); ++g) {
    teamPoints[g] += other.teamPoints[g];
    teamPointsSquared[g] += other.teamPointsSquared[g];
    for (std::size_t p = 0; p < teamPlaces[g].size(); ++p)
      teamPlaces[g][p] += other.teamPlaces[g][p];
  }
  for (std::size_t s = 0; s < riderPoints.size(); ++s) {
    riderPoints[s] += other.riderPoints[s];
    riderBonus[s] += other.riderBonus[s];
    for (std::size_t p = 0; p < riderPlaces[s].size(); ++p)
      riderPlaces[s][p] += other.riderPlaces[s][p];
    riderFinals[s] += other.riderFinals[s];
  }
  for (std::size_t g = 0; g < teamScoreRuns.size(); ++g)
    AddValues(teamScoreRuns[g], other.teamScoreRuns[g]);
  AddValues(marginRuns, other.marginRuns);
}

std::uint64_t RunSeed(std::uint64_t seed, long run) {
  // SplitMix64 of the seed and the run: neighbouring runs get unrelated sequences.
  std::uint64_t z = seed + 0x9E3779B97F4A7C15ULL * (static_cast<std::uint64_t>(run) + 1);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

void RaceCopy(Meeting& work, const Meeting& setUp, const Preferences& prefs, std::uint64_t seed,
              MeetingHost& host) {
  constexpr int kMaxContinues = 400;  // more than any meeting needs under computer control
  Pcg32Random random(seed);
  work = setUp;  // assignment reuses the working copy's storage
  if (prefs.PrefStartGrid == 0 && setUp.HeatCount == 0) {
    work.StartGridOption = 0;
    ResolveStartGrid(work, random);
  }
  for (int step = 0; step < kMaxContinues && work.MeetingState != kMeetingOver; ++step) {
    RunProgramme(work, host, random);
  }
}

MeetingTally RunMeetings(const Meeting& setUp, const Preferences& prefs, std::uint64_t seed,
                         long runs, int threads, std::atomic<long>& done,
                         const std::atomic<bool>* cancel, int finalLine) {
  if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  threads = static_cast<int>(std::min<long>(threads, std::max(1L, runs)));
  std::vector<MeetingTally> tallies(static_cast<std::size_t>(threads));
  MeetingTally start;
  start.finalLine = finalLine;
  start.lastStage = LastStageTeams(setUp);
  for (ProgrammeStage& stage : LaterStages(setUp)) start.laterStages.push_back(stage.teams);
  start.reachedStage.resize(start.laterStages.size());
  for (int g = 1; g <= kMaxGroups; ++g)
    start.filledByTransfer[static_cast<std::size_t>(g)] = FilledByTransfer(setUp, g);
  for (MeetingTally& tally : tallies) tally = start;
  auto work = [&](int t) {
    // Contiguous blocks of runs per thread; each run's seed depends on its number alone.
    const long first = runs * t / threads;
    const long last = runs * (t + 1) / threads;
    SilentHost host;
    Meeting meeting;
    for (long run = first; run < last; ++run) {
      if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) break;
      RaceCopy(meeting, setUp, prefs, RunSeed(seed, run), host);
      tallies[static_cast<std::size_t>(t)].Add(meeting);
      done.fetch_add(1, std::memory_order_relaxed);
    }
  };
  std::vector<std::thread> workers;
  for (int t = 1; t < threads; ++t) workers.emplace_back(work, t);
  work(0);
  for (std::thread& worker : workers) worker.join();
  MeetingTally total = start;
  for (const MeetingTally& tally : tallies) total.Merge(tally);
  return total;
}

}  // namespace corvane
