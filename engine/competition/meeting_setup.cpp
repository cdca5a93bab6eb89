#include "engine/competition/meeting_setup.h"

#include <memory>
#include <utility>

#include "engine/host/meeting_host.h"
#include "engine/programme/meeting_runner.h"
#include "engine/race/random_source.h"

namespace corvane {

namespace {

// Records to their set-up values; preferences copied in.
void ResetRecords(Meeting& m, const Preferences& prefs) {
  m = Meeting{};
  m.MaxAverage = prefs.PrefMaxAverage;
  m.TeamScoring = prefs.PrefTeamScoring;
  m.StartGridOption = prefs.PrefStartGrid;
  m.HomeAdvantage = prefs.PrefHomeAdvantage != 0;
}

void ShowMeetingMenu(MeetingHost& host, Integer controlMode) {
  MeetingMenu menu;
  menu.separatorVisible = true;
  menu.scratchVisible = controlMode == 0;
  menu.continueVisible = controlMode != 0;
  host.SetMeetingMenu(menu);
}

// Bubble sort of the group positions first..last by the average of the slot each holds,
// highest first; equal averages are never swapped, so ties keep line-up order.
void SortPositionsByAverage(Meeting& m, int group, int first, int last) {
  bool swapped = true;
  while (swapped) {
    swapped = false;
    for (int k = first; k < last; ++k) {
      auto& a = m.AverageOrder[static_cast<std::size_t>(RiderSlot(m, group, k))];
      auto& b = m.AverageOrder[static_cast<std::size_t>(RiderSlot(m, group, k + 1))];
      if (m.RiderAverage[static_cast<std::size_t>(a)] <
          m.RiderAverage[static_cast<std::size_t>(b)]) {
        std::swap(a, b);
        swapped = true;
      }
    }
  }
}

}  // namespace

void AssignRiderTeams(Meeting& m) {
  if (m.NumRiders <= 0) return;
  for (int s = 1; s <= kMaxSlots; ++s) {
    const int group = (s - 1) / m.NumRiders + 1;
    const bool inGroup = group <= m.NumGroups;
    m.RiderTeam[static_cast<std::size_t>(s)] = static_cast<Integer>(inGroup ? group : 0);
    m.RiderNumber[static_cast<std::size_t>(s)] =
        static_cast<Integer>(inGroup ? (s - 1) % m.NumRiders + 1 : s - m.NumGroups * m.NumRiders);
  }
}

void SortByAverage(Meeting& m) {
  for (int g = 1; g <= m.NumGroups; ++g) {
    const bool reservesApart = m.ResMode == 0 || (m.NumGroups == 1 && m.ResMode == 2);
    const int reserves = reservesApart ? m.NumReserves : 0;
    for (int k = 1; k <= m.NumRiders; ++k) {
      const int slot = RiderSlot(m, g, k);
      if (IsSlot(slot)) m.AverageOrder[static_cast<std::size_t>(slot)] = static_cast<Integer>(slot);
    }
    const int mainRiders = m.NumRiders - reserves - m.RdrRepSlot;
    SortPositionsByAverage(m, g, 1, mainRiders);
    if (m.NumTeams >= 2 && reserves >= 1) {
      SortPositionsByAverage(m, g, mainRiders + 1, mainRiders + reserves);
    }
    // The rider marked as replaced rides no more; remember where he stood by average.
    auto& replacement = m.GroupReplacement[static_cast<std::size_t>(g)];
    for (int k = 1; k <= m.NumRiders; ++k) {
      const int slot = RiderSlot(m, g, k);
      if (IsSlot(replacement[1]) &&
          m.AverageOrder[static_cast<std::size_t>(slot)] == replacement[1]) {
        m.RiderAverage[static_cast<std::size_t>(replacement[1])] = 0;
        replacement[2] = static_cast<Integer>(k);
      }
    }
  }
}

SetupOutcome SetUpMeeting(Meeting& m, const std::optional<CompetitionChoice>& choice,
                          const Preferences& prefs, const std::filesystem::path& scriptsFolder,
                          MeetingHost& host, RandomSource& random) {
  ResetRecords(m, prefs);

  if (choice) {
    if (!ReadCompetitionFile(m, *choice, scriptsFolder, prefs.PrefMaxAverage, host)) {
      return SetupOutcome::NotStarted;
    }
  } else {
    m.CompetitionTitle = "Scratch Racing";
    m.ControlMode = 2;
    host.ShowProgrammeEditor(m);
  }
  if (m.MeetingState != kStartedFromEditor) return SetupOutcome::NotStarted;

  ResizeScorecard(m, m.MaxRides);
  for (int g = 0; g <= kMaxGroups; ++g)
    m.GroupOrder[static_cast<std::size_t>(g)] = static_cast<Integer>(g);
  for (int s = 0; s <= kMaxSlots; ++s)
    m.ScoreOrder[static_cast<std::size_t>(s)] = static_cast<Integer>(s);
  AssignRiderTeams(m);

  for (int s = 1; s <= kMaxSlots; ++s) {
    const auto i = static_cast<std::size_t>(s);
    if (m.RiderName[i].empty() || m.RiderAverage[i] == 0) m.RiderFlag[i] = 1;
  }

  m.ResUseNow = m.ResUse;
  m.NominatedFirst = 1;
  m.NominatedLast = static_cast<Integer>(m.NumRiders - m.RdrRepSlot);
  m.ProgLine = 1;
  m.ResultsWidth = 30;
  m.HeatCount = 0;
  m.ScoringOn = 1;
  m.TacSubsNow = 0;
  m.RdrRepNow = m.RdrRepUse > 0 ? 1 : 0;
  m.HandicapOn = 1;
  m.RunoffsPending = 0;
  m.MaxRiderPoints = m.MaxRiderBonus = m.MaxGroupTotal = m.MaxHeatPoints = 0;

  // Home advantage: group A is the home team.
  if (m.NumTeams > 1 && m.HomeAdvantage) {
    for (int s = 1; s <= m.NumRiders && s <= kMaxSlots; ++s) {
      auto& average = m.RiderAverage[static_cast<std::size_t>(s)];
      average = static_cast<Single>(average * 1.05);
    }
  }

  ResolveStartGrid(m, random);

  for (int i = 1; i <= kMarkCount; ++i) {
    auto& mark = m.ProgMarks[static_cast<std::size_t>(i)];
    if (mark.empty()) mark = prefs.PrefMarks[static_cast<std::size_t>(i)];
  }

  ShowMeetingMenu(host, m.ControlMode);
  if (m.ControlMode == 2) return SetupOutcome::ScratchReady;
  SortByAverage(m);
  return SetupOutcome::ReadyToRun;
}

void ResolveStartGrid(Meeting& m, RandomSource& random) {
  if (m.StartGridOption == 0) {
    m.StartGridOption = static_cast<Integer>(IntFloor(2.0 * random.Next() + 1.0));
  } else if (m.StartGridOption == 3) {
    m.StartGridOption = 0;
  }
  m.StartGridNow = m.StartGridOption;
}

SetupOutcome NewMeeting(Meeting& m, const std::optional<CompetitionChoice>& choice,
                        const Preferences& prefs, const std::filesystem::path& scriptsFolder,
                        MeetingHost& host, RandomSource& random) {
  // The running meeting stays as it is until the new one starts: set-up left without starting
  // changes nothing. On the heap, as a meeting is large.
  auto fresh = std::make_unique<Meeting>();
  const SetupOutcome outcome = SetUpMeeting(*fresh, choice, prefs, scriptsFolder, host, random);
  if (outcome == SetupOutcome::NotStarted) return outcome;
  m = std::move(*fresh);
  if (outcome == SetupOutcome::ScratchReady) {
    RunSingleRace(m, host, random);  // scratch racing: the first race at once
  } else if (outcome == SetupOutcome::ReadyToRun) {
    RunProgramme(m, host, random);
  }
  return outcome;
}

}  // namespace corvane
