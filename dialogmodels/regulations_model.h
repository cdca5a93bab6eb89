// The regulations dialog without its window: which topics a competition lists, the boxes'
// values as the dialog opens, the repairs made on leaving a number box, and what OK writes.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/records/meeting.h"

namespace corvane {

// Topic numbers, in list order; each shows the frame of the same number.
enum RegulationsTopicNumber : int {
  kTopicStartGrid = 1,
  kTopicReserveUsage = 2,
  kTopicTapes = 3,
  kTopicRunoffs = 4,
  kTopicTacSubs = 5,
  kTopicSpecialRaces = 6,
  kTopicMinRides = 7,
  kTopicBonusPoints = 8,
  kTopicReserveScores = 9,
};

struct RegulationsTopic {
  int number = 0;
  std::string text;

  bool operator==(const RegulationsTopic&) const = default;
};

// The topics the competition uses, in list order.
std::vector<RegulationsTopic> RegulationsTopics(const Meeting& m);

// Tape touching options.
inline constexpr int kTapesExclusion = 1;
inline constexpr int kTapesStartPenalty = 2;

// Special race options.
inline constexpr int kTransferPoints = 1;
inline constexpr int kWinnerTakesAll = 2;

// The dialog's controls as values. Number boxes hold their text.
struct RegulationsState {
  int startGrid = -1;                // 0 random .. 3 all equal; -1 none selected
  std::array<bool, 3> reserveUse{};  // injuries, time exclusions, starting offences
  int tapes = kTapesExclusion;
  std::string startPen;
  bool runoffTopPlaces = false;  // "Top 3 places", or "Hold if scores tied"
  bool runoffMinor = false;      // "Minor position:"
  std::string checkPos;
  bool tacSubs = false;
  std::string tacEnable;
  int specialRaces = 0;  // kTransferPoints, kWinnerTakesAll, 0 none selected
  std::string minRides;
  bool bonusToTeams = false;
  bool reservePlacings = false;

  bool operator==(const RegulationsState&) const = default;
};

RegulationsState LoadRegulations(const Meeting& m);

// With four contestants or fewer the runoff topic has the one box "Hold if scores tied".
bool RunoffsShortForm(const Meeting& m);

// The reserve-use code of the three boxes, and the boxes of a code (none ticked outside 0..6).
Integer ReserveUseCode(const std::array<bool, 3>& boxes);
std::array<bool, 3> ReserveUseBoxes(Integer code);

// The runoff code (1..4) of the two boxes.
Integer RunoffCode(bool topPlaces, bool minor);

// The text a number box shows after it is left.
std::string RepairStartPen(const std::string& text, const Meeting& m);
std::string RepairCheckPos(const std::string& text, const Meeting& m);
std::string RepairTacEnable(const std::string& text, const Meeting& m);
std::string RepairMinRides(const std::string& text);

// OK: the state written into the records. Values of topics the competition does not use stay
// as they are, except MinRides, which is always written.
void WriteRegulations(const RegulationsState& state, Meeting& m);

}  // namespace corvane
