// The whole state of one meeting: regulations, line-ups, scorecard, heat results and the
// runner's position. Procedures are free functions over a Meeting&; nothing is global.
//
// Arrays keep the records' index ranges: slots 0..40, groups 0..9, heats 0..40, heat entries
// 0..8; index 0 is unused unless a record says otherwise.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/programme/programme_line.h"
#include "engine/records/conventions.h"
#include "engine/records/scorecard_table.h"

namespace corvane {

inline constexpr int kMaxSlots = 40;  // rider slots in a meeting
static_assert(ScorecardTable::kRows == kMaxSlots + 1);
inline constexpr int kMaxGroups = 9;     // line-ups "A" to "I"
inline constexpr int kMaxHeats = 40;     // heats in a meeting, support competition included
inline constexpr int kMaxEntries = 8;    // starting places in a heat
inline constexpr int kMarkCount = 17;    // programme marks
inline constexpr int kPlaceClasses = 9;  // place count classes 0..8

// Race status codes, which are also the indexes of the programme marks.
enum RaceCode : Integer {
  kNotStarted = 0,
  kNonStarter = 1,
  kInjured = 2,
  kTimeExclusion = 3,
  kStartingOffence = 4,
  kRetired = 5,
  kFellNoExclusion = 6,
  kFellExcluded = 7,
  kOtherExclusion = 8,
  kRacing = 9,  // after ranking: 9 + riders beaten
  kBonusMark = 17,
};

inline constexpr Integer kTrue = -1;  // Boolean records hold -1 for true

template <class T>
using SlotArray = std::array<T, kMaxSlots + 1>;
template <class T>
using GroupArray = std::array<T, kMaxGroups + 1>;
template <class T>
using HeatArray = std::array<T, kMaxHeats + 1>;

using PlaceCountTable = std::array<Integer, kPlaceClasses>;
// HeatResults[heat][entry][field]: field 1 rider slot, 2 mark code, 3 metres shown.
using HeatRecord = std::array<std::array<Integer, 4>, kMaxEntries + 1>;
// HeatGrid[starting place][column], columns 0..5.
using HeatGridTable = std::array<std::array<Integer, 6>, kMaxEntries + 1>;

struct Meeting {
  // Regulations, from the competition file and the regulations dialog.
  Integer NumTeams = 1;
  Integer NumGroups = 1;
  Integer GroupsPerRow = 1;
  Integer NumRiders = 40;
  Integer NumReserves = 0;
  Integer ResMode = 0;
  Integer MinRides = 0;
  Integer MaxRides = 0;
  Integer MaxRidesRes = 0;
  Integer ResUse = 0;
  Integer StartPen = 0;
  Integer RunoffMode = 0;
  Integer RunoffDepth = 2;
  Integer BonusPts = 0;
  Integer TacSubUse = 0;
  Integer TacSubMargin = 0;
  Integer RdrRepUse = 0;
  Integer RdrRepSlot = 0;
  Integer SpclRaceMode = 0;
  std::string SpclRaceName;
  std::array<Integer, 9> Handicaps{};  // 1..8
  Integer MaxAverage = 12;
  std::array<std::string, 9> CompIds;  // 1..8

  // Copies of preferences taken at set-up.
  Integer TeamScoring = 0;
  Integer StartGridOption = 0;
  bool HomeAdvantage = false;
  std::array<std::string, kMarkCount + 1> ProgMarks;  // 1..17
  Integer ControlMode = 0;
  GroupArray<Integer> TeamControl{};  // 1 = player, 0 = computer

  // Meeting identity.
  std::string CompetitionTitle;
  std::string TitleLines;  // meeting title
  std::string VenueLines;  // venue
  std::string DateLines;   // date
  GroupArray<std::string> GroupTitle;

  // Per rider slot.
  SlotArray<std::string> RiderName;
  SlotArray<Single> RiderAverage{};
  SlotArray<Integer> RiderTeam{};
  SlotArray<Integer> RiderNumber{};
  SlotArray<Integer> AverageOrder{};
  SlotArray<Integer> ScoreOrder{};
  // Scorecard[slot][ride], rides 0..MaxRides; every slot's row has MaxRides + 1 cells.
  ScorecardTable Scorecard;  // starts with ride 0 only
  SlotArray<Integer> RidesTaken{};
  SlotArray<Integer> RiderPoints{};
  SlotArray<Integer> RiderBonus{};
  SlotArray<Integer> PlannedRides{};
  SlotArray<Integer> RiderFlag{};  // 0 normal, 1 absent, 2 injured
  SlotArray<Integer> NominatedRides{};
  SlotArray<Integer> HandicapCode{};
  SlotArray<PlaceCountTable> PlaceCounts{};
  SlotArray<Integer> RidesCounted{};
  SlotArray<Integer> RdrRepRides{};
  SlotArray<Integer> TacSubRides{};

  // Per group.
  GroupArray<Integer> GroupOrder{};
  GroupArray<Integer> GroupPoints{};
  GroupArray<Integer> GroupExtra{};
  GroupArray<PlaceCountTable> GroupPlaceCounts{};
  GroupArray<std::array<Integer, 3>> GroupReplacement{};  // 1: replaced slot, 2: its position

  // Per heat.
  HeatArray<HeatRecord> HeatResults{};
  HeatArray<std::array<Integer, 5>> HeatScores{};
  HeatArray<Integer> ProgrammeHeats{};  // 0: count of programme heats; k: HeatCount of the k-th

  // Current heat.
  Integer HeatRiders = 4;
  HeatGridTable HeatGrid{};
  std::string HeatTitle;
  SlotArray<Integer> RaceStatus{};
  SlotArray<Integer> ReplacedNow{};
  Integer SlotCursor = 0;
  Integer LastPreparedLine = 0;

  // Programme and runner state. ProgrammeLines[0] is unused; lines are 1..n.
  ProgrammeText ProgrammeLines;
  ProgrammeLineCache ReadLines;  // ProgrammeLines as read by the runner; not part of the record
  Integer ProgLine = 1;
  Integer MeetingState = 0;
  Integer HeatCount = 0;
  Integer MainHeats = 0;
  bool SupportMode = false;
  Integer SupportRiders = 0;
  Integer RunoffsPending = 0;
  Integer RunoffStage = 0;
  std::array<std::array<Integer, 3>, 4> RunoffTable{};
  Integer ScoringOn = 1;
  Integer ResUseNow = 0;
  Integer HandicapOn = 1;
  Integer NominatedFirst = 1;
  Integer NominatedLast = 40;
  Integer TacSubsNow = 0;
  Integer RdrRepNow = 0;
  Integer StartGridNow = 0;

  // Report layout widths.
  Integer MaxRiderPoints = 0;
  Integer MaxRiderBonus = 0;
  Integer MaxGroupTotal = 0;
  Integer MaxHeatPoints = 0;
  Integer ResultsWidth = 30;

  // The upper bound of ProgrammeLines: the number of kept lines.
  int ProgrammeLineCount() const { return static_cast<int>(ProgrammeLines.size()) - 1; }
};

// MeetingState values.
enum MeetingStateCode : Integer {
  kStartedFromEditor = -1,
  kRunOn = 0,
  kHeatDecided = 1,
  kWaitForUser = 2,
  kMeetingOver = 3,
};

// Slot of rider number `rider` of group `group`; 0 when group is 0.
inline int RiderSlot(const Meeting& m, int group, int rider) {
  if (group == 0) return 0;
  return (group - 1) * m.NumRiders + rider;
}

// Sizes every slot's scorecard row to rides 0..maxRides, keeping what it holds.
void ResizeScorecard(Meeting& m, int maxRides);

// The numeric value of a mark: its leading number rounded half to even, 0 when it has none.
Integer MarkPoints(const std::string& mark);

// True when slot is a valid rider slot index (1..40).
inline bool IsSlot(int slot) {
  return slot >= 1 && slot <= kMaxSlots;
}
inline bool IsGroup(int group) {
  return group >= 1 && group <= kMaxGroups;
}

// Handicap distance of the rider in `slot` from his latest result and the handicap table.
inline Integer HandicapOf(const Meeting& m, int slot) {
  if (m.HandicapOn != 1 || !IsSlot(slot)) return 0;
  const int code = m.HandicapCode[static_cast<std::size_t>(slot)];
  // A finisher who beat b riders gets entry b + 1; everybody else the first entry.
  if (code >= 9 && code <= 16) return m.Handicaps[static_cast<std::size_t>(code - 8)];
  return m.Handicaps[1];
}

}  // namespace corvane
