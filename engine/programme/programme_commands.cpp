#include "engine/programme/programme_commands.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "engine/host/meeting_host.h"
#include "engine/programme/programme_line.h"
#include "engine/programme/rankings.h"
#include "engine/programme/runoff_start.h"
#include "engine/programme/transfers.h"

namespace corvane {

namespace {

inline constexpr Integer kNoReserves = 7;  // reserve use: none of the three events

// The whole number an argument starts with; none when it does not fit 16 bits.
std::optional<int> WholeNumber(std::string_view text) {
  const auto value = RoundToInteger(LeadingNumber(text));
  if (!value) return std::nullopt;
  return *value;
}

bool InRange(const std::optional<int>& n, int low, int high) {
  return n && *n >= low && *n <= high;
}

// Sets `target` to the value paired with `word`; a word that matches nothing leaves it alone.
void Switch(Integer& target, const std::string& word,
            std::initializer_list<std::pair<const char*, int>> choices) {
  for (const auto& [name, value] : choices) {
    if (word == name) {
      target = static_cast<Integer>(value);
      return;
    }
  }
}

// The main meeting ends at this line; the lines after it form the support competition, with up
// to 8 riders of its own in the slots the groups leave free.
void StartSupportPart(Meeting& m, MeetingHost& host, const std::string& argument) {
  const auto riders = WholeNumber(argument);
  const int trackReserves = m.ResMode == 2 ? m.NumReserves : 0;
  const int freeSlots = kMaxSlots - (m.NumRiders * m.NumGroups + trackReserves);
  if (InRange(riders, 1, 8) && *riders <= freeSlots)
    m.SupportRiders = static_cast<Integer>(*riders);
  if (m.MainHeats == 0) m.MainHeats = m.HeatCount;
  m.SupportMode = true;
  m.MinRides = 0;
  m.MeetingState = kMeetingOver;
  host.ResultsChanged(m);
}

void SetNominatedRiders(Meeting& m, const std::string& argument) {
  const auto numbers = SplitFields(argument, ",", 2);
  const auto first = WholeNumber(numbers[1]);
  const auto count = WholeNumber(numbers[2]);
  const int riders = m.NumRiders - m.RdrRepSlot;  // the replacement slot is never nominated
  m.NominatedFirst = static_cast<Integer>(InRange(first, 1, riders) ? *first : 1);
  m.NominatedLast = static_cast<Integer>(
      InRange(count, 1, riders - m.NominatedFirst + 1) ? m.NominatedFirst + *count - 1 : riders);
  m.NominatedRides = {};
}

// The marks (and so the points) of finishers who beat 0, 1, ... 7 riders.
void SetRacePoints(Meeting& m, const std::string& argument) {
  const auto items = SplitFields(argument, ",", 8);
  for (int i = 1; i <= 8; ++i) {
    m.ProgMarks[static_cast<std::size_t>(8 + i)] = Left(items[static_cast<std::size_t>(i)], 2);
  }
}

void StartRunoffsCommand(Meeting& m, MeetingHost& host, RandomSource& random,
                         const std::string& argument) {
  // Runoffs need standings: a team meeting, or riders in one group.
  if (m.RunoffMode <= 1 || (m.NumTeams == 1 && m.NumGroups != 1)) return;
  const auto riders = WholeNumber(argument);
  m.HeatRiders = static_cast<Integer>(InRange(riders, 2, 8) ? *riders : 4);
  StartRunoffs(m, host, random);
}

}  // namespace

bool RunProgrammeCommand(Meeting& m, MeetingHost& host, RandomSource& random,
                         std::string_view line) {
  if (!IsCommandLine(line)) return false;
  RunProgrammeCommand(m, host, random, ReadProgrammeLine(line));
  return true;
}

void RunProgrammeCommand(Meeting& m, MeetingHost& host, RandomSource& random,
                         const ProgrammeLine& line) {
  // Copies: the line may be read again from the records the command changes.
  const std::string argument = line.argument;
  const std::string word = line.argumentWord;

  switch (line.commandWord) {
    case CommandWord::kNone:
      break;
    case CommandWord::kSupport:
      StartSupportPart(m, host, argument);
      break;
    case CommandWord::kHandicap:
      Switch(m.HandicapOn, word, {{"OFF", 0}, {"ON", 1}});
      if (word == "RESET") m.HandicapCode = {};  // everybody back to the first distance
      break;
    case CommandWord::kNominated:
      SetNominatedRiders(m, argument);
      break;
    case CommandWord::kPoints:
      SetRacePoints(m, argument);
      break;
    case CommandWord::kRankRiderScores:
      RankRiderScores(m);
      break;
    case CommandWord::kRankTeamScores:
      RankTeamScores(m);
      break;
    case CommandWord::kResSubs:
      Switch(m.ResUseNow, word, {{"OFF", kNoReserves}, {"ON", m.ResUse}});
      break;
    case CommandWord::kRdrRep:
      Switch(m.RdrRepNow, word, {{"OFF", 0}, {"ON", 1}});
      break;
    case CommandWord::kRunoffs:
      StartRunoffsCommand(m, host, random, argument);
      break;
    case CommandWord::kScoring:
      Switch(m.ScoringOn, word, {{"OFF", 0}, {"ON", 1}, {"OPTIONAL", m.SpclRaceMode != 2 ? 1 : 0}});
      break;
    case CommandWord::kStartPos:
      Switch(m.StartGridNow, word,
             {{"FIXED", m.StartGridOption}, {"PREF", m.StartGridOption != 0 ? 1 : 0}});
      break;
    case CommandWord::kTacSubs:
      Switch(m.TacSubsNow, word, {{"OFF", 0}, {"ON", 1}, {"UNRES", 2}});
      break;
    case CommandWord::kTfrRider:
      TransferRider(m, argument);
      break;
    case CommandWord::kTfrTeam:
      if (m.NumTeams > 1) TransferTeam(m, argument);
      break;
  }
}

}  // namespace corvane
