#include "engine/race/race_simulation.h"

#include <algorithm>

#include "engine/host/meeting_host.h"
#include "engine/race/heat_lineup.h"
#include "engine/race/heat_scoring.h"
#include "engine/race/heat_summary.h"
#include "engine/race/random_source.h"
#include "engine/race/replacements.h"
#include "engine/race/result_text.h"
#include "engine/records/characters.h"

namespace corvane {

namespace {

constexpr int kLaps = 4;

// Which incidents let a reserve come in, by the reserve-use code in force.
bool ReserveAfterInjury(int resUse) {
  return resUse == 0 || resUse == 1 || resUse == 4 || resUse == 5;
}
bool ReserveAfterTimeExclusion(int resUse) {
  return resUse == 0 || resUse == 2 || resUse == 4 || resUse == 6;
}
bool ReserveAfterStartingOffence(int resUse) {
  return resUse == 0 || resUse == 3 || resUse == 5 || resUse == 6;
}

// The computer takes the decisions for a group it steers, except in scratch races.
bool ComputerDecides(const Meeting& m, int group) {
  return m.TeamControl[static_cast<std::size_t>(group)] != 1 && m.ControlMode != 2;
}

// A rider who cannot start: the computer looks for a replacement, or the player is asked.
void OfferReplacement(Meeting& m, MeetingHost& host, int group) {
  if (ComputerDecides(m, group)) {
    ChooseReplacement(m);
  } else {
    host.ShowHeatManager(m);
  }
}

// Int of a draw scaled to a whole range starting at 1 or more: truncation is the floor there.
int WholePart(Single positive) {
  return static_cast<int>(positive);
}

Integer& StatusOf(Meeting& m, int rider) {
  return m.RaceStatus[static_cast<std::size_t>(rider)];
}

// The start of the rider in starting place SlotCursor. Replacement routines and the heat manager
// may change the place and step SlotCursor back so that the place is started again.
void StartPlace(Meeting& m, MeetingHost& host, RandomSource& random, RacePositions& positions) {
  const int place = m.SlotCursor;
  auto& row = m.HeatGrid[static_cast<std::size_t>(place)];
  int rider = RiderInPlace(m, place);
  int group = GroupOfRider(m, rider);
  // Only the rider his group has chosen to replace is considered; asked here, as it is asked at
  // every start, rather than in a call.
  if (m.TeamControl[static_cast<std::size_t>(group)] == 0 && m.ControlMode != 2 &&
      m.RdrRepNow == 1 && rider != 0 &&
      m.GroupReplacement[static_cast<std::size_t>(group)][1] == rider) {
    ConsiderRiderReplacement(m);
    rider = RiderInPlace(m, place);
    group = GroupOfRider(m, rider);
  }

  Integer& status = StatusOf(m, rider);
  if (m.RiderAverage[static_cast<std::size_t>(rider)] == 0) {
    if (status == kNotStarted) {
      status = kNonStarter;
      if (m.TeamControl[static_cast<std::size_t>(group)] == 0 && m.ControlMode != 2 &&
          ReserveAfterInjury(m.ResUseNow)) {
        ChooseReplacement(m);
      }
    } else if (status == kInjured && ReserveAfterInjury(m.ResUseNow)) {
      OfferReplacement(m, host, group);
    }
    return;
  }
  if (status != kNotStarted && status != kRacing) return;  // out of this heat

  const int draw = WholePart(random.Next() * 403.0f + 3.0f);
  if (draw == 3) {
    status = kTimeExclusion;
    if (ReserveAfterTimeExclusion(m.ResUseNow)) OfferReplacement(m, host, group);
    return;
  }
  if (draw == 4) {  // touched the tapes
    if (m.StartPen < 1) {
      status = kStartingOffence;
      if (ReserveAfterStartingOffence(m.ResUseNow)) OfferReplacement(m, host, group);
    } else {
      row[5] = static_cast<Integer>(std::min(row[5] + m.StartPen, 32767));
      if (ReserveAfterStartingOffence(m.ResUseNow) && !ComputerDecides(m, group)) {
        host.ShowHeatManager(m);
      } else {
        m.SlotCursor = static_cast<Integer>(m.SlotCursor - 1);  // start again from the new mark
      }
    }
    return;
  }

  status = kRacing;
  // A metre behind the tapes costs 0.005; a favoured gate is worth 25 metres.
  Single position = static_cast<Single>(-(row[4] + row[5]) * 0.005);
  if (m.StartGridNow == 1 || m.StartGridNow == 2) {
    const Single half = static_cast<Single>(HeatPlaces(m)) / 2.0f;
    if ((place <= half && m.StartGridNow == 1) || (place > half && m.StartGridNow == 2)) {
      position = static_cast<Single>(position + 0.125);
    }
  }
  positions[static_cast<std::size_t>(place)] = position;
}

// Draws every start of a run, place by place.
void StartRiders(Meeting& m, MeetingHost& host, RandomSource& random, RacePositions& positions) {
  m.SlotCursor = 1;
  while (m.SlotCursor >= 1 && m.SlotCursor <= HeatPlaces(m)) {
    StartPlace(m, host, random, positions);
    m.SlotCursor = static_cast<Integer>(std::max<int>(m.SlotCursor, 0) + 1);
  }
}

// The consequences of a fall by the rider in starting place `place` on `lap`.
void ResolveFall(Meeting& m, RandomSource& random, const RacePositions& positions, int place,
                 int lap) {
  if (place < 1 || place > kMaxEntries) return;
  const auto faller = static_cast<std::size_t>(RiderInPlace(m, place));
  if (WholePart(random.Next() * 6.0f + 1.0f) == 1) {  // the faller is hurt: out of the meeting
    m.RiderAverage[faller] = 0;
    m.RiderFlag[faller] = 2;
  }
  if (m.RaceStatus[faller] == kFellNoExclusion) return;

  // An excluded faller may bring down anyone racing behind him.
  const Single fallerPosition = positions[static_cast<std::size_t>(place)];
  const int places = HeatPlaces(m);
  for (int k = 1; k <= places; ++k) {
    const auto rider = static_cast<std::size_t>(RiderInPlace(m, k));
    if (m.RaceStatus[rider] != kRacing) continue;
    if (positions[static_cast<std::size_t>(k)] > fallerPosition) continue;
    if (WholePart(random.Next() * 25.0f + 1.0f) == 1) {
      m.RiderAverage[rider] = 0;
      m.RiderFlag[rider] = 2;
      if (lap < kLaps) m.RaceStatus[rider] = kInjured;  // on the last lap he rides on
    }
  }
}

// Four laps. Returns true when the race was stopped and has to be re-run.
bool RunLaps(Meeting& m, RandomSource& random, RacePositions& positions) {
  const int places = HeatPlaces(m);
  std::array<int, kMaxEntries + 1> riders{};  // nobody changes places during the laps
  for (int place = 1; place <= places; ++place) {
    riders[static_cast<std::size_t>(place)] = RiderInPlace(m, place);
  }
  for (int lap = 1; lap <= kLaps; ++lap) {
    for (int place = 1; place <= places; ++place) {
      const int rider = riders[static_cast<std::size_t>(place)];
      Integer& status = StatusOf(m, rider);
      if (status != kRacing) continue;
      const Single average = m.RiderAverage[static_cast<std::size_t>(rider)];
      const Single x = random.Next() * average;
      const auto lo = static_cast<Single>(average * 0.00375);
      const auto hi = static_cast<Single>(average * 0.00375 + 0.00375);
      if (x < lo) {
        status = kRetired;
      } else if (x <= hi) {
        const int kind = WholePart(random.Next() * 100.0f + 1.0f);
        status = kind <= 40 ? kFellNoExclusion : kind <= 85 ? kFellExcluded : kOtherExclusion;
        const bool stopped = status != kFellNoExclusion && lap < kLaps;
        ResolveFall(m, random, positions, place, lap);
        if (stopped) return true;
      } else {
        positions[static_cast<std::size_t>(place)] += x;
      }
    }
  }
  return false;
}

// Starts and laps, again from the tapes whenever the race is stopped.
void RaceUntilFinished(Meeting& m, MeetingHost& host, RandomSource& random,
                       RacePositions& positions) {
  do {
    positions.fill(0);
    StartRiders(m, host, random, positions);
  } while (RunLaps(m, random, positions));
}

// Team-mates earn nothing for beating each other under team scoring.
bool EarnsForBeating(const Meeting& m, int winner, int loser) {
  return !(m.TeamScoring == 1 && m.NumTeams != 1 &&
           m.RiderTeam[static_cast<std::size_t>(winner)] ==
               m.RiderTeam[static_cast<std::size_t>(loser)]);
}

// For two riders who both failed to finish: true when the one in the lower place `i` goes below
// the one in the higher place `j`.
bool GoesBelow(const Meeting& m, int ri, int rj) {
  const int ci = m.RaceStatus[static_cast<std::size_t>(ri)];
  const int cj = m.RaceStatus[static_cast<std::size_t>(rj)];
  if (cj == kInjured && ci != kInjured) return true;
  if (cj >= kRetired && ci < kRetired) return true;
  if (ci == kNonStarter && cj != kNonStarter) return true;
  return !m.RiderName[static_cast<std::size_t>(rj)].empty() &&
         m.RiderName[static_cast<std::size_t>(ri)].empty();
}

using PlaceTable = std::array<int, kMaxEntries + 1>;

// Ranks the places pair by pair, raising every finisher's code by the riders he beat. Returns
// each place's entry in the heat's record (1 = winner).
PlaceTable RankPlaces(Meeting& m, const RacePositions& positions) {
  const int places = HeatPlaces(m);
  PlaceTable ahead{};  // riders placed ahead of each place
  for (int i = 1; i <= places; ++i) {
    const int ri = RiderInPlace(m, i);
    for (int j = i + 1; j <= places; ++j) {
      const int rj = RiderInPlace(m, j);
      const bool iFinished = StatusOf(m, ri) >= kRacing;
      const bool jFinished = StatusOf(m, rj) >= kRacing;
      const Single pi = positions[static_cast<std::size_t>(i)];
      const Single pj = positions[static_cast<std::size_t>(j)];
      const bool iAhead = iFinished && (pi >= pj || !jFinished);
      const bool jAhead = jFinished && (pj > pi || !iFinished);
      if (iAhead || jAhead) {
        // Which of two finishers is ahead is a coin toss to the processor: chosen by value,
        // not by branch.
        const int winner = iAhead ? ri : rj;
        const int loser = iAhead ? rj : ri;
        ++ahead[static_cast<std::size_t>(iAhead ? j : i)];
        if (EarnsForBeating(m, winner, loser)) ++StatusOf(m, winner);
      } else if (GoesBelow(m, ri, rj)) {
        ++ahead[static_cast<std::size_t>(i)];
      } else {
        ++ahead[static_cast<std::size_t>(j)];
      }
    }
  }
  // The order of non-finishers is not always consistent (an injured rider goes above a retired
  // one who started inside him but below one who started outside him), so two places can end up
  // with the same count. Entries are therefore numbered by (count, place): the same order
  // wherever the counts differ, and never two riders on one entry.
  PlaceTable entry{};
  for (int i = 1; i <= places; ++i) {
    int before = 0;
    for (int k = 1; k <= places; ++k) {
      const auto ak = ahead[static_cast<std::size_t>(k)];
      const auto ai = ahead[static_cast<std::size_t>(i)];
      if (ak < ai || (ak == ai && k < i)) ++before;
    }
    entry[static_cast<std::size_t>(i)] = before + 1;
  }
  return entry;
}

// Writes the heat's record: riders in rank order with their codes and metres, and the length
// of the heat's result text.
void RecordHeat(Meeting& m, const PlaceTable& entries) {
  const auto heat = static_cast<std::size_t>(m.HeatCount);
  HeatRecord& record = m.HeatResults[heat];
  record = {};
  m.HeatScores[heat] = {};
  const int places = HeatPlaces(m);
  long length = 0;
  int named = 0;
  for (int place = 1; place <= places; ++place) {
    const auto& row = m.HeatGrid[static_cast<std::size_t>(place)];
    const int rider = RiderInPlace(m, place);
    const Integer code = StatusOf(m, rider);
    const int metres = std::clamp(row[4] + row[5], -32768, 32767);
    m.HandicapCode[static_cast<std::size_t>(rider)] = code;
    auto& line = record[static_cast<std::size_t>(entries[static_cast<std::size_t>(place)])];
    line[1] = static_cast<Integer>(rider);
    line[2] = code;
    line[3] = static_cast<Integer>(metres);
    const std::string& name = m.RiderName[static_cast<std::size_t>(rider)];
    if (!name.empty()) {
      // ", " is counted for every rider, the first too: the recorded length is the length of
      // the result text plus 2.
      // Columns, not bytes: the report pads this line by what it takes on screen.
      const int bracket =
          code >= kRacing && metres <= 0 ? 0 : DisplayWidth(ResultBracket(m, code, metres));
      length += static_cast<long>(DisplayWidth(name)) + 2 + bracket;
      ++named;
    }
  }
  record[0][1] = RoundToIntegerClamped(static_cast<double>(length));
  record[0][2] = static_cast<Integer>(named);
  m.ResultsWidth = std::max(m.ResultsWidth, record[0][1]);
}

}  // namespace

void RunHeat(Meeting& m, MeetingHost& host, RandomSource& random) {
  if (m.HeatCount < 0 || m.HeatCount >= kMaxHeats) return;  // a meeting has at most 40 heats

  if (m.ControlMode > 0) {
    m.SlotCursor = 0;
    host.ShowHeatManager(m);
    if (m.MeetingState == kWaitForUser) return;  // the player stopped before the start
  }
  if (m.TacSubUse == 2 && m.TacSubsNow > 0) ChooseTacticalSubstitute(m);

  RacePositions positions{};
  // The race draws from a copy, whose state stays in registers instead of going through memory
  // every draw. Nothing else draws from the source during the race: the host's dialogs are modal.
  RandomSource draws = random;
  RaceUntilFinished(m, host, draws, positions);
  random = draws;

  m.HeatCount = static_cast<Integer>(m.HeatCount + 1);
  if (m.RunoffsPending == 0 && m.ControlMode != 2) {
    const int nth = m.ProgrammeHeats[0] + 1;
    if (nth >= 1 && nth <= kMaxHeats) {
      m.ProgrammeHeats[0] = static_cast<Integer>(nth);
      m.ProgrammeHeats[static_cast<std::size_t>(nth)] = m.HeatCount;
    }
  }

  RecordHeat(m, RankPlaces(m, positions));
  ScoreHeat(m);
  ShowHeatSummary(m, m.HeatCount, host);
}

}  // namespace corvane
