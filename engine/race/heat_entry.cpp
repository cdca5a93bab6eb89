#include "engine/race/heat_entry.h"

#include <algorithm>

#include "engine/race/heat_lineup.h"

namespace corvane {

namespace {

// `value` when it lies within lo..hi, rounded to a whole number.
std::optional<int> NumberWithin(double value, double lo, double hi) {
  if (!(value >= lo && value <= hi)) return std::nullopt;
  const auto whole = static_cast<int>(value);  // lo..hi lie well within int
  if (whole == value) return whole;            // the usual case, which needs no rounding
  return RoundToIntegerClamped(value);
}

// The group a letter stands for (A = 1), or 0 when it is not a letter of this meeting's groups.
// R, S and T are never group letters: there are at most nine groups.
int GroupOfLetter(const Meeting& m, char letter) {
  const int group = static_cast<unsigned char>(letter) - ('A' - 1);
  return group >= 1 && group <= m.NumGroups && group <= kMaxGroups ? group : 0;
}

// Entries are resolved into a plain record built whole from values, which travels in a
// register. (An optional record was built field by field on the stack and read back whole,
// which stalled the processor on every entry of every heat line.) kNoPlace stands for a code
// that fills no place.
constexpr HeatEntry kNoPlace{-1, 0, 0, false};

// A looked-up rider is accepted only when it is a slot or "no rider".
HeatEntry Naming(int rider, int namedPlace = 0, int nominatedOrHeat = 0,
                 bool programmedRide = false) {
  if (rider < 0 || rider > kMaxSlots) return kNoPlace;
  return HeatEntry{static_cast<Integer>(rider), static_cast<Integer>(namedPlace),
                   static_cast<Integer>(nominatedOrHeat), programmedRide};
}

// The forms after a group letter: plain number, or N, R, S, T and a number. `fromStandings`
// marks the S-prefixed forms, which pick the group by its standing and record no programmed
// ride and no nominated place.
HeatEntry ReadGroupForm(const Meeting& m, int group, char form, double value, bool fromStandings) {
  const auto number = NumberWithin(value, 1, m.NumRiders);
  if (!number) return kNoPlace;
  const int slot = RiderSlot(m, group, *number);
  if (!IsSlot(slot)) return kNoPlace;
  const auto at = static_cast<std::size_t>(slot);

  switch (form) {
    case 'N':
      return Naming(m.ScoreOrder[at], 0, fromStandings ? 0 : m.NominatedFirst);
    case 'R':
      return Naming(m.AverageOrder[at]);
    case 'S':
      return Naming(m.ScoreOrder[at]);
    case 'T':
      return Naming(m.ScoreOrder[at], *number);
    default:
      return Naming(slot, 0, 0, !fromStandings);
  }
}

// "S" or "T" followed by a place p: p of the standings, or "p.h", place p of programme heat h.
HeatEntry ReadPlaceForm(const Meeting& m, const EntryCode& code) {
  const bool namesPlace = code.first == 'T';
  if (code.heat == 0.0) {
    if (m.NumGroups != 1) return kNoPlace;
    const auto place = NumberWithin(code.place, 1, m.NumRiders);
    if (!place || !IsSlot(*place)) return kNoPlace;
    return Naming(m.ScoreOrder[static_cast<std::size_t>(*place)], namesPlace ? *place : 0);
  }

  const int heatsRun = std::min<int>(m.ProgrammeHeats[0], kMaxHeats);
  const auto place = NumberWithin(code.place, 1, kMaxEntries);
  const auto nth = NumberWithin(code.heat, 1, heatsRun);
  if (!place || !nth) return kNoPlace;
  const int heat = m.ProgrammeHeats[static_cast<std::size_t>(*nth)];
  if (heat < 1 || heat > kMaxHeats) return kNoPlace;
  return Naming(m.HeatResults[static_cast<std::size_t>(heat)][static_cast<std::size_t>(*place)][1],
                namesPlace ? *place : 0, namesPlace ? heat : 0);
}

// Any other code is a slot number: with groups, counted from the end of the last group.
HeatEntry ReadSlotNumber(const Meeting& m, double code) {
  const int groupSlots = m.NumGroups == 1 ? 0 : m.NumRiders * m.NumGroups;
  const auto value = NumberWithin(code, 0, kMaxSlots - groupSlots);
  if (!value) return kNoPlace;
  // 0 is an empty place, with groups as without: it never names the last group's last rider.
  return Naming(*value == 0 ? 0 : groupSlots + *value);
}

// What a code names in this meeting as it stands now, or kNoPlace.
HeatEntry Resolve(const Meeting& m, const EntryCode& code) {
  // An empty code ("@10") does not begin with a number: it reads as 0, an empty place.
  if (code.empty) return Naming(0);

  if (const int group = GroupOfLetter(m, code.first); group != 0) {
    return ReadGroupForm(m, group, code.groupForm, code.groupNumber, false);
  }
  if (code.first == 'R') {
    const auto place = NumberWithin(code.afterFirst, 1, m.NumRiders);
    if (!place || !IsSlot(*place)) return kNoPlace;
    return Naming(m.AverageOrder[static_cast<std::size_t>(*place)]);
  }
  if (code.first == 'S' && code.second != '\0') {
    if (const int standing = GroupOfLetter(m, code.second); standing != 0) {
      const int group = m.GroupOrder[static_cast<std::size_t>(standing)];
      if (group < 1 || group > m.NumGroups || group > kMaxGroups) return kNoPlace;
      return ReadGroupForm(m, group, code.standingForm, code.standingNumber, true);
    }
  }
  if (code.first == 'S' || code.first == 'T') return ReadPlaceForm(m, code);
  return ReadSlotNumber(m, code.slot);
}

static_assert(std::tuple_size_v<decltype(ProgrammeLine::entries)> == kMaxEntries);

// True when `rider` already stands in one of the places before `place`. Empty places are
// skipped rather than ending the search, so a rider named after an empty place is still found.
bool StandsEarlier(const Meeting& m, int place, int rider) {
  for (int earlier = 1; earlier < place; ++earlier) {
    if (m.HeatGrid[static_cast<std::size_t>(earlier)][1] == rider) return true;
  }
  return false;
}

}  // namespace

std::optional<HeatEntry> ResolveHeatEntry(const Meeting& m, const EntryCode& code) {
  const HeatEntry entry = Resolve(m, code);
  if (entry.rider < 0) return std::nullopt;
  return entry;
}

void PlaceHeatEntries(Meeting& m, const ProgrammeLine& line) {
  const bool countRides = m.ScoringOn == 1 && m.ProgLine != m.LastPreparedLine;
  for (int k = 0; k < line.entryCount; ++k) {
    const HeatLineEntry& field = line.entries[static_cast<std::size_t>(k)];
    const HeatEntry entry = Resolve(m, field.code);
    if (entry.rider < 0) continue;

    m.HeatRiders = static_cast<Integer>(m.HeatRiders + 1);
    const int place = m.HeatRiders;
    auto& row = m.HeatGrid[static_cast<std::size_t>(place)];
    row[1] = entry.rider;
    row[2] = entry.namedPlace;
    row[3] = entry.nominatedOrHeat;
    if (entry.programmedRide && countRides) {
      auto& planned = m.PlannedRides[static_cast<std::size_t>(entry.rider)];
      planned = static_cast<Integer>(planned - 1);
    }
    if (field.metres > 0 && field.metres < 100) row[4] = RoundToIntegerClamped(field.metres);
    row[5] = HandicapOf(m, entry.rider);
    // A rider named twice rides once: the later place stays empty.
    if (entry.rider != 0 && StandsEarlier(m, place, entry.rider)) row[1] = 0;
  }
}

std::optional<HeatEntry> ReadHeatEntry(const Meeting& m, std::string_view code) {
  return ResolveHeatEntry(m, ReadEntryCode(code));
}

}  // namespace corvane
