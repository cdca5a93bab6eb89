#include "dialogmodels/heat_manager_model.h"

#include <algorithm>
#include <cstdio>

#include "engine/race/heat_lineup.h"
#include "engine/race/heat_scoring.h"
#include "engine/records/characters.h"

namespace corvane {

namespace {

constexpr int kReserveUseNever = 7;  // reserve-use code: no reserve comes in for anybody

std::size_t Index(int value) {
  return static_cast<std::size_t>(value);
}

}  // namespace

HeatManagerModel::HeatManagerModel(Meeting& m, char decimalPoint)
    : m_(m), decimalPoint_(decimalPoint) {
  incidentPlace_ = m.SlotCursor >= 1 && m.SlotCursor <= kMaxEntries ? m.SlotCursor : 0;
  starters_ = HeatPlaces(m);
  // The starters box offers 2 to 8.
  if (ChoosesStarters()) starters_ = std::clamp(starters_, 2, kMaxEntries);
  BuildLineup();
}

bool HeatManagerModel::ChoosesStarters() const {
  return m_.ControlMode == 2 && !IncidentMode();
}

bool HeatManagerModel::ShowsKindOptions() const {
  return m_.NumTeams != 1 && !m_.SupportMode && !IncidentMode() &&
         (m_.TacSubUse == 2 || m_.RdrRepUse > 0);
}

bool HeatManagerModel::OffersTacticalSubstitutes() const {
  return ShowsKindOptions() && m_.TacSubUse == 2;
}

bool HeatManagerModel::OffersRiderReplacement() const {
  return ShowsKindOptions() && m_.RdrRepUse > 0;
}

bool HeatManagerModel::IsPlace(int place) const {
  return std::any_of(lineup_.begin(), lineup_.end(),
                     [place](const LineupEntry& entry) { return entry.place == place; });
}

// A place the programme leaves to the team to fill from its nominated riders.
bool HeatManagerModel::IsNominatedPlace(int place) const {
  const auto& row = m_.HeatGrid[Index(place)];
  return row[3] >= 1 && row[2] == 0;
}

void HeatManagerModel::BuildLineup() {
  selSlot_ = 1;
  subKind_ = kReserves;
  for (PlaceArray* array :
       {&slotRider_, &slotTeam_, &slotDistance_, &slotReplaced_, &slotSubKind_, &slotWithdrawn_}) {
    array->fill(0);
  }
  lineup_.clear();

  title_ = m_.HeatTitle.empty() ? "Heat " + Dec(m_.HeatCount + 1) : m_.HeatTitle;
  if (!IncidentMode()) {
    title_ += ": Line-up";
    for (int s = 1; s <= starters_; ++s) {
      auto& row = m_.HeatGrid[Index(s)];
      if (IsNominatedPlace(s)) {
        const int team = GroupOfRider(m_, SlotOrNone(row[1]));
        slotTeam_[Index(s)] = static_cast<Integer>(team);
        // The player nominates his team's rider himself.
        if (m_.TeamControl[Index(team)] == 1) row[1] = 0;
      } else {
        const int rider = SlotOrNone(row[1]);
        const int team = GroupOfRider(m_, rider);
        slotRider_[Index(s)] = static_cast<Integer>(rider);
        slotTeam_[Index(s)] = static_cast<Integer>(team);
        slotDistance_[Index(s)] = row[5];
        if (rider != 0 && rider == m_.GroupReplacement[Index(team)][1]) {
          slotReplaced_[Index(s)] = static_cast<Integer>(rider);
        }
      }
      lineup_.push_back({std::string(), s});
      ShowLineupEntry(s);
    }
  } else {
    const int k = incidentPlace_;
    const int rider = RiderInPlace(m_, k);
    slotRider_[Index(k)] = static_cast<Integer>(rider);
    slotTeam_[Index(k)] = static_cast<Integer>(GroupOfRider(m_, rider));
    slotDistance_[Index(k)] = m_.HeatGrid[Index(k)][5];
    lineup_.push_back({std::string(), k});
    ShowLineupEntry(k);
    if (m_.RaceStatus[Index(rider)] == kInjured) {
      title_ += " : Injury";
    } else if (slotDistance_[Index(k)] > 0) {
      title_ += " : Start Penalty";
    } else {
      title_ += " : Exclusion";
    }
  }
  if (m_.ControlMode == 2) frameCaption_ = "Available Riders";
  if (!lineup_.empty()) selSlot_ = lineup_.front().place;
  UpdateSubList();
}

void HeatManagerModel::ShowLineupEntry(int place) {
  const auto& row = m_.HeatGrid[Index(place)];
  const int rider = SlotRider(place);
  std::string name = m_.RiderName[Index(rider)];
  if (rider == 0 && row[2] == 0 && row[3] >= 1) name = "Nominated Rider";
  AppendInfo(place, name, SlotTeam(place));
  for (LineupEntry& entry : lineup_) {
    if (entry.place == place) entry.text = Dec(place) + ".  " + name;
  }
}

void HeatManagerModel::AppendInfo(int place, std::string& text, int team) const {
  if (place < 1 || place > kMaxEntries) return;
  const int rider = SlotRider(place);
  const auto r = Index(rider);
  if (team != 0 && m_.NumTeams >= 2) {
    if (!text.empty()) text += ' ';
    const std::string& title = IsGroup(team) ? m_.GroupTitle[Index(team)] : std::string();
    text += CharacterCount(title) >= 2 ? "[" + Left(title, 2) + "]" : "[T" + Dec(team) + "]";
  }
  const auto& row = m_.HeatGrid[Index(place)];
  if (m_.RiderName[r].empty()) {
    if (row[3] >= 1 && row[2] == 0 && row[4] >= 1) text += " - " + Dec(row[4]) + " m";
    return;
  }
  if (rider == m_.GroupReplacement[Index(GroupOfRider(m_, rider))][1] && !m_.SupportMode) {
    text += " - R/R";
    return;
  }
  if (m_.RiderFlag[r] == 2 && m_.RiderAverage[r] == 0) {
    text += " - Injured";
    return;
  }
  const int status = m_.RaceStatus[r];
  if (status >= kNonStarter && status <= kStartingOffence) {
    text += " - " + m_.ProgMarks[Index(status)];
    return;
  }
  if (m_.RiderAverage[r] != 0 && SlotWithdrawn(place) != 1) {
    const long metres = static_cast<long>(row[4]) + SlotDistance(place);
    if (metres >= 1) text += " - " + Dec(metres) + " m";
    return;
  }
  text += " - " + m_.ProgMarks[kNonStarter];
}

std::string HeatManagerModel::RiderLabel(int rider) const {
  const auto r = Index(SlotOrNone(rider));
  const std::string& name = m_.RiderName[r];
  const Single average = m_.RiderAverage[r];
  if (average == 0) return name + " (N/A)";
  double shown = static_cast<Single>(m_.MaxAverage * average);
  // The home team's bonus is part of its held averages, but not of what the player is shown.
  if (GroupOfRider(m_, static_cast<int>(r)) == 1 && m_.NumTeams >= 2 && m_.HomeAdvantage) {
    shown /= 1.05;
  }
  char figures[32];
  std::snprintf(figures, sizeof figures, "%.2f", shown);
  std::string text(figures);
  std::replace(text.begin(), text.end(), '.', decimalPoint_);
  return name + " (" + text + ")";
}

HeatManagerModel::TeamPositions HeatManagerModel::PositionsOf(int team) const {
  TeamPositions positions;
  positions.reserves = m_.NumGroups == 1 || m_.ResMode < 2 ? m_.NumReserves : 0;
  // A replaced rider among the reserves (or in the extra place) makes that place a reserve's.
  if (m_.GroupReplacement[Index(team)][2] > m_.NumRiders - positions.reserves - m_.RdrRepSlot) {
    positions.reserves += 1;
  } else {
    positions.extra = m_.RdrRepSlot;
  }
  return positions;
}

// The rider at a team position: the team's riders by average, strongest first.
int HeatManagerModel::RiderAtPosition(int team, int position) const {
  if (!IsGroup(team) || position < 1 || position > m_.NumRiders) return 0;
  const int slot = RiderSlot(m_, team, position);
  return IsSlot(slot) ? SlotOrNone(m_.AverageOrder[Index(slot)]) : 0;
}

// In a starting place, on the grid or put there by the player.
bool HeatManagerModel::InHeat(int rider) const {
  for (int s = 1; s <= starters_; ++s) {
    if (m_.HeatGrid[Index(s)][1] == rider || slotRider_[Index(s)] == rider) return true;
  }
  return false;
}

bool HeatManagerModel::Listed(int rider) const {
  return std::any_of(candidates_.begin(), candidates_.end(),
                     [rider](const Candidate& c) { return c.rider == rider; });
}

bool HeatManagerModel::MayStandIn(int rider) const {
  const auto r = Index(rider);
  return m_.RidesTaken[r] + m_.PlannedRides[r] < m_.MaxRidesRes;
}

void HeatManagerModel::Offer(int rider) {
  Offer(rider, RiderLabel(rider));
}

void HeatManagerModel::Offer(int rider, std::string text) {
  candidates_.push_back({std::move(text), rider});
}

void HeatManagerModel::UpdateSubList() {
  const int g = SlotTeam(selSlot_);
  UpdateButtons();
  if (m_.NumTeams >= 2 && !m_.SupportMode && m_.ControlMode != 2) {
    const std::string& title = m_.GroupTitle[Index(g)];
    frameCaption_ = !title.empty() || g == 0 ? title : "TEAM " + Dec(g);
  }
  candidates_.clear();
  ListCandidates(PositionsOf(g));
  info_ = Message();
}

// A place whose rider the player decides: one of his teams', or any in scratch racing.
bool HeatManagerModel::PlayerPlace(int place) const {
  return m_.TeamControl[Index(SlotTeam(place))] == 1 || m_.ControlMode == 2;
}

// The rider the place starts with when the race is started now: the player's choice, or the
// computer's rider in a place the computer steers.
int HeatManagerModel::StartingRider(int place) const {
  if (IncidentMode() || PlayerPlace(place)) return SlotOrNone(SlotRider(place));
  return SlotOrNone(m_.HeatGrid[Index(place)][1]);
}

// Another place of the line-up the rider starts from, or 0.
int HeatManagerModel::OtherPlaceOf(int rider, int place) const {
  if (rider == 0) return 0;
  for (const LineupEntry& entry : lineup_) {
    if (entry.place != place && StartingRider(entry.place) == rider) return entry.place;
  }
  return 0;
}

// A rider who starts from two places of the line-up, or 0.
int HeatManagerModel::RiderTwiceInLineup() const {
  for (const LineupEntry& entry : lineup_) {
    const int rider = StartingRider(entry.place);
    if (OtherPlaceOf(rider, entry.place) != 0) return rider;
  }
  return 0;
}

// The rider Reset puts back into the place (none for a nominated place before the start).
int HeatManagerModel::ResetRider(int place) const {
  if (IsNominatedPlace(place) && !IncidentMode()) return 0;
  return SlotOrNone(m_.HeatGrid[Index(place)][1]);
}

void HeatManagerModel::UpdateButtons() {
  const int p = selSlot_;
  const int rider = SlotRider(p);
  const bool withdrawn = SlotWithdrawn(p) == 1;
  note_.clear();
  resetEnabled_ = withdrawn || rider != m_.HeatGrid[Index(p)][1];
  // The place's own rider may have been put into another place meanwhile (nominated there
  // after a substitute took his place here): Reset would start him twice.
  const int original = ResetRider(p);
  if (const int other = original != rider ? OtherPlaceOf(original, p) : 0;
      resetEnabled_ && other != 0) {
    resetEnabled_ = false;
    note_ = m_.RiderName[Index(original)] + " now rides in place " + Dec(other) +
            ": Reset would put them in two places.";
  }
  startEnabled_ = true;
  if (!IncidentMode()) {
    int starting = 0;
    for (const LineupEntry& entry : lineup_) {
      if (StartingRider(entry.place) != 0 && SlotWithdrawn(entry.place) != 1) ++starting;
    }
    std::string why;
    if (const int twice = RiderTwiceInLineup(); twice != 0) {
      why = m_.RiderName[Index(twice)] + " stands in two places: the race cannot start.";
    } else if (m_.ControlMode == 2 && starting < 2) {
      why = "Place at least two riders to start the race.";
    }
    if (!why.empty()) {
      startEnabled_ = false;
      note_ = note_.empty() ? why : note_ + " " + why;
    }
  }
  const int team = SlotTeam(p);
  const bool mayChange = !withdrawn && m_.RiderAverage[Index(rider)] != 0 &&
                         (m_.TeamControl[Index(team)] == 1 || m_.ControlMode == 2);
  withdrawEnabled_ = mayChange && !IncidentMode();
  handicapEnabled_ = mayChange;
  handicapText_ = SlotDistance(p) != 0 ? Dec(SlotDistance(p)) : std::string();
}

void HeatManagerModel::ListCandidates(const TeamPositions& positions) {
  const int g = SlotTeam(selSlot_);
  const int mainLast = m_.NumRiders - positions.reserves - positions.extra;
  const int reserveLast = m_.NumRiders - positions.extra;
  if (subKind_ == kTacticalSubstitutes) {
    for (int p = 1; p <= m_.NumRiders; ++p) {
      const int c = RiderAtPosition(g, p);
      if (c == 0 || (p > mainLast && p <= reserveLast)) continue;
      if (!InHeat(c) && m_.TacSubRides[Index(c)] == 0 && m_.RiderAverage[Index(c)] != 0) Offer(c);
    }
  } else if (subKind_ == kRiderReplacement) {
    for (int p = 1; p <= m_.NumRiders; ++p) {
      const int c = RiderAtPosition(g, p);
      if (c == 0 || InHeat(c) || m_.RiderAverage[Index(c)] == 0) continue;
      const bool extraPosition = p > reserveLast;
      // A main rider at most RdrRepUse positions above the replaced rider, or any below him.
      const bool mainRider = p <= mainLast && m_.RdrRepRides[Index(c)] == 0 &&
                             p >= m_.GroupReplacement[Index(GroupOfRider(m_, c))][2] - m_.RdrRepUse;
      if (extraPosition || mainRider) Offer(c);
    }
  } else {
    ListReserves(positions);
  }
}

void HeatManagerModel::ListReserves(const TeamPositions& positions) {
  const int p = selSlot_;
  const int g = SlotTeam(p);
  const auto& row = m_.HeatGrid[Index(p)];
  const auto mayRideHere = [this](int c) {
    return c != 0 && !InHeat(c) && m_.RaceStatus[Index(c)] == kNotStarted &&
           m_.RiderAverage[Index(c)] != 0;
  };

  if (m_.ControlMode == 2) {  // scratch racing: anybody not yet in the race
    for (int c = 1; c <= kMaxSlots; ++c) {
      if (!m_.RiderName[Index(c)].empty() && m_.RaceStatus[Index(c)] == kNotStarted && !InHeat(c)) {
        Offer(c);
      }
    }
    return;
  }
  if (row[2] >= 1 && row[3] >= 1) {  // the riders placed behind him in that heat
    listCaption_ = "Reserves:";
    reservesOptionCaption_ = "Reserves";
    if (row[3] > kMaxHeats) return;
    for (int k = row[2]; k <= kMaxEntries; ++k) {
      const int c = SlotOrNone(m_.HeatResults[Index(row[3])][Index(k)][1]);
      if (mayRideHere(c)) Offer(c);
    }
    return;
  }
  if (row[2] >= 1) {  // the team's riders ranked behind him
    listCaption_ = "Reserves:";
    reservesOptionCaption_ = "Reserves";
    if (!IsGroup(g)) return;
    for (int k = row[2]; k <= m_.NumRiders; ++k) {
      const int slot = RiderSlot(m_, g, k);
      if (!IsSlot(slot)) break;
      const int c = SlotOrNone(m_.ScoreOrder[Index(slot)]);
      if (mayRideHere(c)) Offer(c);
    }
    return;
  }
  if (IsNominatedPlace(p) && !IncidentMode()) {
    ListNominatedRiders(positions);
    return;
  }

  const bool trackReserves =
      m_.NumGroups != 1 && m_.NumReserves >= 1 && m_.ResMode == 2 && !m_.SupportMode;
  const auto mayStandIn = [this](int c) {
    return c != 0 && !InHeat(c) && m_.ReplacedNow[Index(c)] == 0 &&
           m_.RiderAverage[Index(c)] != 0 && MayStandIn(c);
  };
  if (trackReserves) {
    listCaption_ = "Track Reserves:";
    reservesOptionCaption_ = "Track Reserves";
    if (m_.RunoffsPending != 0) return;
    for (int k = 1; k <= m_.NumReserves; ++k) {
      const int c = m_.NumRiders * m_.NumGroups + k;
      if (IsSlot(c) && mayStandIn(c)) Offer(c);
    }
  } else if (positions.reserves >= 1 && !m_.SupportMode) {
    listCaption_ = "Reserves:";
    reservesOptionCaption_ = "Reserves";
    const int last = m_.NumRiders - positions.extra;
    for (int k = last - positions.reserves + 1; k <= last; ++k) {
      const int c = RiderAtPosition(g, k);
      if (mayStandIn(c)) Offer(c);
    }
  }
}

void HeatManagerModel::ListNominatedRiders(const TeamPositions& positions) {
  const int g = SlotTeam(selSlot_);
  listCaption_ = "Nominated Riders:";
  reservesOptionCaption_ = "Nominated Riders";
  if (!IsGroup(g)) return;
  const int mainLast = m_.NumRiders - positions.reserves - positions.extra;
  const int lastMainSlot = RiderSlot(m_, g, mainLast);
  const int replaced = m_.GroupReplacement[Index(g)][1];
  // Ranks outside the team would name another team's riders.
  const int first = std::max<int>(m_.NominatedFirst, 1);
  const int last = std::min<int>(m_.NominatedLast, m_.NumRiders);
  for (int k = first; k <= last; ++k) {
    const int slot = RiderSlot(m_, g, k);
    if (!IsSlot(slot)) break;
    const int c = SlotOrNone(m_.ScoreOrder[Index(slot)]);
    if (c > lastMainSlot && m_.ResMode != 1) continue;  // a reserve ranked apart
    bool placed = false;
    for (int s = 1; s <= starters_; ++s) {
      if (slotRider_[Index(s)] == c || slotReplaced_[Index(s)] == c) placed = true;
    }
    if (placed || (c == replaced && m_.RdrRepNow == 0)) continue;
    if (!m_.RiderName[Index(c)].empty() && m_.NominatedRides[Index(c)] == 0) {
      Offer(c, c == replaced ? std::string("Rider Replacement") : RiderLabel(c));
    }
  }

  const auto mayStandIn = [this](int c) {
    return c != 0 && !InHeat(c) && !Listed(c) && m_.RiderAverage[Index(c)] != 0 && MayStandIn(c);
  };
  if (m_.NumGroups != 1 && m_.NumReserves >= 1 && m_.ResMode == 2 && !m_.SupportMode) {
    for (int k = 1; k <= m_.NumReserves; ++k) {
      const int c = m_.NumRiders * m_.NumGroups + k;
      if (IsSlot(c) && mayStandIn(c)) Offer(c, RiderLabel(c) + ", TR");
    }
  } else if (positions.reserves >= 1 && !m_.SupportMode) {
    const int lastReserve = m_.NumRiders - positions.extra;
    for (int k = lastReserve - positions.reserves + 1; k <= lastReserve; ++k) {
      const int c = RiderAtPosition(g, k);
      if (mayStandIn(c)) Offer(c);
    }
  }
}

// The rule that forbids a change of the selected place, if any; the first that applies wins.
std::string HeatManagerModel::Message() const {
  const int p = selSlot_;
  const int g = SlotTeam(p);
  const bool empty = candidates_.empty();
  if (m_.TeamControl[Index(g)] == 0 && m_.ControlMode != 2) {
    return "The computer is controlling this team.";
  }
  if (NeedsRides(m_, m_.HeatGrid[Index(p)][1]) && !m_.SupportMode) {
    return "The selected rider may not be substituted until they have completed " +
           Dec(m_.MinRides) + " rides.";
  }
  if (m_.ControlMode == 2 && empty) return "No riders are available.";
  if (subKind_ == kReserves) {
    if (m_.ResUseNow < kReserveUseNever && !empty) return std::string();
    if (m_.ResUseNow == kReserveUseNever) {
      return "Reserve Substitutions may not be made in this heat.";
    }
    if (m_.ResMode == 2 && m_.RunoffsPending > 0) {
      return "Track Reserves may not be used in this heat.";
    }
    return "No Reserves are available.";
  }
  if (subKind_ == kTacticalSubstitutes) {
    const int arrears = m_.MaxGroupTotal - m_.GroupPoints[Index(g)];
    if (arrears >= m_.TacSubMargin && m_.TacSubsNow > 0 && !empty) return std::string();
    if (m_.TacSubsNow == 0) return "Tactical Substitutions may not be made in  this heat.";
    if (arrears >= m_.TacSubMargin) return "No Tactical Substitutes are available.";
    return "Tactical Substitutions may only be made when a team is " + Dec(m_.TacSubMargin) +
           " or more points in arrears.";
  }
  if (SlotReplaced(p) > 0 && m_.RdrRepNow == 1 && !empty) return std::string();
  if (m_.RdrRepNow == 0) return "Replacements may not be used in this heat.";
  if (SlotReplaced(p) == 0) return "Rider Replacement is not being used for the selected rider.";
  return "No Replacements are available.";
}

void HeatManagerModel::SetStarters(int starters) {
  if (!ChoosesStarters() || starters < 2 || starters > kMaxEntries) return;
  starters_ = starters;
  BuildLineup();
}

void HeatManagerModel::SelectPlace(int place) {
  if (!IsPlace(place)) return;
  selSlot_ = place;
  UpdateSubList();
}

void HeatManagerModel::SelectKind(int kind) {
  const bool offered = kind == kReserves ||
                       (kind == kTacticalSubstitutes && OffersTacticalSubstitutes()) ||
                       (kind == kRiderReplacement && OffersRiderReplacement());
  if (!offered) return;
  subKind_ = kind;
  UpdateSubList();
}

void HeatManagerModel::ApplySubstitute(int rider) {
  // Only a rider the list shows can be chosen; a message in its place forbids any change.
  if (!info_.empty() || !Listed(rider) || !IsPlace(selSlot_)) return;
  const int p = selSlot_;
  slotRider_[Index(p)] = static_cast<Integer>(rider);
  // The team's replaced rider picked among the nominated riders: his replacement follows.
  if (rider != 0 && rider == m_.GroupReplacement[Index(SlotTeam(p))][1]) {
    slotReplaced_[Index(p)] = static_cast<Integer>(rider);
  }
  slotDistance_[Index(p)] = HandicapOf(m_, rider);
  slotSubKind_[Index(p)] = static_cast<Integer>(subKind_);
  ShowLineupEntry(p);
  UpdateSubList();
}

void HeatManagerModel::Reset() {
  const int p = selSlot_;
  if (!resetEnabled_ || !IsPlace(p)) return;
  const auto& row = m_.HeatGrid[Index(p)];
  // During the start the place holds the rider of the incident, nominated or not: reset keeps
  // him rather than emptying the place.
  if (IsNominatedPlace(p) && !IncidentMode()) {
    slotRider_[Index(p)] = 0;
    slotReplaced_[Index(p)] = 0;
    slotDistance_[Index(p)] = 0;
  } else {
    const int rider = SlotOrNone(row[1]);
    slotRider_[Index(p)] = static_cast<Integer>(rider);
    slotDistance_[Index(p)] = row[5];
    const bool replaced =
        rider != 0 && rider == m_.GroupReplacement[Index(GroupOfRider(m_, rider))][1];
    slotReplaced_[Index(p)] = static_cast<Integer>(replaced ? rider : 0);
  }
  slotSubKind_[Index(p)] = 0;
  slotWithdrawn_[Index(p)] = 0;
  ShowLineupEntry(p);
  UpdateSubList();
}

void HeatManagerModel::Withdraw() {
  if (!withdrawEnabled_ || !IsPlace(selSlot_)) return;
  slotWithdrawn_[Index(selSlot_)] = 1;
  ShowLineupEntry(selSlot_);
  UpdateButtons();
}

void HeatManagerModel::SetHandicap(std::string_view text) {
  if (!ChoosesStarters() || !handicapEnabled_ || !IsPlace(selSlot_)) return;
  const Integer metres = std::clamp<Integer>(RoundToIntegerClamped(LeadingNumber(text)), 0, 99);
  slotDistance_[Index(selSlot_)] = metres;
  handicapText_ = metres != 0 ? Dec(metres) : std::string();
  ShowLineupEntry(selSlot_);
}

bool HeatManagerModel::Start() {
  // The last guard: the window offers no way to a line-up that holds a rider twice.
  UpdateButtons();
  if (!startEnabled_) return false;
  if (IncidentMode()) {
    StartAfterIncident();
  } else {
    StartLineup();
  }
  m_.HeatRiders = static_cast<Integer>(starters_);
  m_.MeetingState = kHeatDecided;
  return true;
}

void HeatManagerModel::StartAfterIncident() {
  const int k = incidentPlace_;
  auto& row = m_.HeatGrid[Index(k)];
  const int rider = SlotRider(k);
  if (rider == row[1]) {
    // A rider kept after a tapes penalty starts again from his new mark. One who is out of
    // the heat (injured or excluded) is not started again: an injured rider would only bring
    // this window back for him, over and over.
    const int status = m_.RaceStatus[Index(rider)];
    const bool stillToStart = status == kNotStarted || status == kRacing;
    if (SlotDistance(k) > 0 && stillToStart) m_.SlotCursor = static_cast<Integer>(k - 1);
    return;
  }
  if (SlotSubKind(k) == kReserves) m_.ReplacedNow[Index(SlotOrNone(row[1]))] = 1;
  row[1] = static_cast<Integer>(rider);
  row[5] = SlotDistance(k);
  m_.SlotCursor = static_cast<Integer>(k - 1);  // the new rider's start is drawn next
}

void HeatManagerModel::StartLineup() {
  for (int s = 1; s <= starters_; ++s) {
    const int team = SlotTeam(s);
    // The computer's places stay as the heat's preparation and its own decisions left them.
    if (m_.TeamControl[Index(team)] != 1 && m_.ControlMode != 2) continue;
    auto& row = m_.HeatGrid[Index(s)];
    const int rider = SlotRider(s);
    row[1] = static_cast<Integer>(rider);
    if (rider != 0) {
      const auto r = Index(rider);
      switch (SlotSubKind(s)) {
        case kReserves:
          if (IsNominatedPlace(s)) m_.NominatedRides[r] = 1;
          break;
        case kTacticalSubstitutes:
          m_.TacSubRides[r] = 1;
          break;
        case kRiderReplacement:
          if (IsNominatedPlace(s)) m_.NominatedRides[Index(SlotReplaced(s))] = 1;
          m_.RdrRepRides[r] = 1;
          break;
        default:
          break;
      }
      if (SlotWithdrawn(s) == 1) m_.RaceStatus[r] = kNonStarter;
    }
    row[5] = SlotDistance(s);
  }
}

bool HeatManagerModel::Cancel() {
  if (IncidentMode()) return false;
  m_.MeetingState = kWaitForUser;
  return true;
}

}  // namespace corvane
