#include "dialogmodels/regulations_model.h"

namespace corvane {

namespace {

// Number boxes take digits only, so a box's value is its leading number (none gives 0).
Integer BoxValue(const std::string& text) {
  return RoundToIntegerClamped(LeadingNumber(text));
}

// Runoffs are held between teams, or between the riders of an individual meeting.
int RunoffContestants(const Meeting& m) {
  return m.NumTeams > 1 ? m.NumTeams : m.NumRiders;
}

bool ListsReserveScores(const Meeting& m) {
  return m.NumGroups == 1 && m.NumReserves >= 1;
}

// Reserve-use codes by the boxes they tick: injuries, time exclusions, starting offences.
constexpr std::array<std::array<bool, 3>, 8> kReserveUseBoxes{{
    {true, true, true},
    {true, false, false},
    {false, true, false},
    {false, false, true},
    {true, true, false},
    {true, false, true},
    {false, true, true},
    {false, false, false},
}};

}  // namespace

std::vector<RegulationsTopic> RegulationsTopics(const Meeting& m) {
  std::vector<RegulationsTopic> topics{{kTopicStartGrid, "Starting Grid"},
                                       {kTopicReserveUsage, "Reserve Usage"},
                                       {kTopicTapes, "Tape Touching"}};
  if (m.RunoffMode > 0) {
    const int n = RunoffContestants(m);
    topics.push_back({kTopicRunoffs, n >= 4 ? "Runoffs" : "Runoff"});
  }
  if (m.TacSubUse > 0) topics.push_back({kTopicTacSubs, "Tactical Substitutes"});
  if (m.SpclRaceMode > 0) {
    topics.push_back(
        {kTopicSpecialRaces, m.SpclRaceName.empty() ? "Special Races" : m.SpclRaceName});
  }
  if (m.NumTeams > 1) topics.push_back({kTopicMinRides, "Minimum Rides"});
  if (m.BonusPts > 0) topics.push_back({kTopicBonusPoints, "Bonus Points"});
  if (ListsReserveScores(m)) topics.push_back({kTopicReserveScores, "Reserve Scores"});
  return topics;
}

bool RunoffsShortForm(const Meeting& m) {
  return RunoffContestants(m) <= 4;
}

Integer ReserveUseCode(const std::array<bool, 3>& boxes) {
  for (std::size_t code = 0; code < kReserveUseBoxes.size(); ++code) {
    if (kReserveUseBoxes[code] == boxes) return static_cast<Integer>(code);
  }
  return 7;  // every combination is listed; not reached
}

std::array<bool, 3> ReserveUseBoxes(Integer code) {
  if (code < 0 || code > 6) return {};
  return kReserveUseBoxes[static_cast<std::size_t>(code)];
}

Integer RunoffCode(bool topPlaces, bool minor) {
  if (topPlaces && minor) return 4;
  if (topPlaces) return 3;
  if (minor) return 2;
  return 1;
}

RegulationsState LoadRegulations(const Meeting& m) {
  RegulationsState s;
  if (m.StartGridOption >= 0 && m.StartGridOption <= 3) s.startGrid = m.StartGridOption;
  s.reserveUse = ReserveUseBoxes(m.ResUse);
  if (m.StartPen != 0) {
    s.tapes = kTapesStartPenalty;
    s.startPen = Dec(m.StartPen);
  } else {
    s.tapes = kTapesExclusion;
    s.startPen = "15";
  }
  if (m.RunoffMode > 0) {
    if (!RunoffsShortForm(m)) s.checkPos = Dec(m.RunoffDepth);
    s.runoffMinor = m.RunoffMode == 2 || m.RunoffMode == 4;
    s.runoffTopPlaces = m.RunoffMode == 3 || m.RunoffMode == 4;
  }
  if (m.TacSubUse > 0) {
    s.tacSubs = m.TacSubUse == 2;
    s.tacEnable = Dec(m.TacSubMargin);
  }
  if (m.SpclRaceMode == kTransferPoints || m.SpclRaceMode == kWinnerTakesAll) {
    s.specialRaces = m.SpclRaceMode;
  }
  if (m.NumTeams > 1 && m.MinRides > 0) s.minRides = Dec(m.MinRides);
  if (m.BonusPts > 0) s.bonusToTeams = m.BonusPts == 2;
  if (ListsReserveScores(m)) s.reservePlacings = m.ResMode == 0;
  return s;
}

std::string RepairStartPen(const std::string& text, const Meeting& m) {
  if (BoxValue(text) != 0) return text;
  return m.StartPen >= 1 ? Dec(m.StartPen) : "15";
}

std::string RepairCheckPos(const std::string& text, const Meeting& m) {
  const Integer v = BoxValue(text);
  if (v < 4) return "4";
  // The minor position must leave somebody below it to tie with.
  const int highest = m.NumTeams == 1 ? m.NumRiders - m.NumReserves - 1 : m.NumTeams - 1;
  return v > highest ? Dec(highest) : text;
}

std::string RepairTacEnable(const std::string& text, const Meeting& m) {
  return BoxValue(text) == 0 ? Dec(m.TacSubMargin) : text;
}

std::string RepairMinRides(const std::string& text) {
  return BoxValue(text) == 0 ? std::string() : text;
}

void WriteRegulations(const RegulationsState& s, Meeting& m) {
  if (s.startGrid >= 0 && s.startGrid <= 3) m.StartGridOption = static_cast<Integer>(s.startGrid);
  m.ResUse = ReserveUseCode(s.reserveUse);
  m.StartPen = s.tapes == kTapesStartPenalty ? BoxValue(s.startPen) : Integer{0};
  if (m.RunoffMode > 0) {
    m.RunoffMode = RunoffCode(s.runoffTopPlaces, s.runoffMinor);
    m.RunoffDepth = BoxValue(s.checkPos);
  }
  if (m.TacSubUse > 0) {
    m.TacSubUse = s.tacSubs ? 2 : 1;
    m.TacSubMargin = BoxValue(s.tacEnable);
  }
  if (m.SpclRaceMode > 0 &&
      (s.specialRaces == kTransferPoints || s.specialRaces == kWinnerTakesAll)) {
    m.SpclRaceMode = static_cast<Integer>(s.specialRaces);
  }
  m.MinRides = BoxValue(s.minRides);
  if (m.BonusPts > 0) m.BonusPts = s.bonusToTeams ? 2 : 1;
  if (ListsReserveScores(m)) m.ResMode = s.reservePlacings ? 0 : 2;
}

}  // namespace corvane
