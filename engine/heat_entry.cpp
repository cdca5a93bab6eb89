#include "engine/heat_entry.h"

#include <algorithm>

#include "engine/heat_lineup.h"

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

// A looked-up rider is accepted only when it is a slot or "no rider".
bool Naming(int rider, HeatEntry& entry) {
  if (rider < 0 || rider > kMaxSlots) return false;
  entry.rider = static_cast<Integer>(rider);
  return true;
}

// The forms after a group letter: plain number, or N, R, S, T and a number. `fromStandings`
// marks the S-prefixed forms, which pick the group by its standing and record no programmed
// ride and no nominated place.
bool ReadGroupForm(const Meeting& m, int group, char form, double value, bool fromStandings,
                   HeatEntry& entry) {
  const auto number = NumberWithin(value, 1, m.NumRiders);
  if (!number) return false;
  const int slot = RiderSlot(m, group, *number);
  if (!IsSlot(slot)) return false;
  const auto at = static_cast<std::size_t>(slot);

  switch (form) {
    case 'N':
      if (!fromStandings) entry.nominatedOrHeat = m.NominatedFirst;
      return Naming(m.ScoreOrder[at], entry);
    case 'R':
      return Naming(m.AverageOrder[at], entry);
    case 'S':
      return Naming(m.ScoreOrder[at], entry);
    case 'T':
      entry.namedPlace = static_cast<Integer>(*number);
      return Naming(m.ScoreOrder[at], entry);
    default:
      entry.programmedRide = !fromStandings;
      return Naming(slot, entry);
  }
}

// "S" or "T" followed by a place p: p of the standings, or "p.h", place p of programme heat h.
bool ReadPlaceForm(const Meeting& m, const EntryCode& code, HeatEntry& entry) {
  const bool namesPlace = code.first == 'T';
  if (code.heat == 0.0) {
    if (m.NumGroups != 1) return false;
    const auto place = NumberWithin(code.place, 1, m.NumRiders);
    if (!place || !IsSlot(*place)) return false;
    if (namesPlace) entry.namedPlace = static_cast<Integer>(*place);
    return Naming(m.ScoreOrder[static_cast<std::size_t>(*place)], entry);
  }

  const int heatsRun = std::min<int>(m.ProgrammeHeats[0], kMaxHeats);
  const auto place = NumberWithin(code.place, 1, kMaxEntries);
  const auto nth = NumberWithin(code.heat, 1, heatsRun);
  if (!place || !nth) return false;
  const int heat = m.ProgrammeHeats[static_cast<std::size_t>(*nth)];
  if (heat < 1 || heat > kMaxHeats) return false;
  if (namesPlace) {
    entry.namedPlace = static_cast<Integer>(*place);
    entry.nominatedOrHeat = static_cast<Integer>(heat);
  }
  return Naming(m.HeatResults[static_cast<std::size_t>(heat)][static_cast<std::size_t>(*place)][1],
                entry);
}

// Any other code is a slot number: with groups, counted from the end of the last group.
bool ReadSlotNumber(const Meeting& m, double code, HeatEntry& entry) {
  const int groupSlots = m.NumGroups == 1 ? 0 : m.NumRiders * m.NumGroups;
  const auto value = NumberWithin(code, 0, kMaxSlots - groupSlots);
  if (!value) return false;
  // 0 is an empty place, with groups as without: it never names the last group's last rider.
  return Naming(*value == 0 ? 0 : groupSlots + *value, entry);
}

}  // namespace

bool ResolveHeatEntry(const Meeting& m, const EntryCode& code, HeatEntry& entry) {
  entry = {};
  if (code.empty) return false;

  if (const int group = GroupOfLetter(m, code.first); group != 0) {
    return ReadGroupForm(m, group, code.groupForm, code.groupNumber, false, entry);
  }
  if (code.first == 'R') {
    const auto place = NumberWithin(code.afterFirst, 1, m.NumRiders);
    if (!place || !IsSlot(*place)) return false;
    return Naming(m.AverageOrder[static_cast<std::size_t>(*place)], entry);
  }
  if (code.first == 'S' && code.second != '\0') {
    if (const int standing = GroupOfLetter(m, code.second); standing != 0) {
      const int group = m.GroupOrder[static_cast<std::size_t>(standing)];
      if (group < 1 || group > m.NumGroups || group > kMaxGroups) return false;
      return ReadGroupForm(m, group, code.standingForm, code.standingNumber, true, entry);
    }
  }
  if (code.first == 'S' || code.first == 'T') return ReadPlaceForm(m, code, entry);
  return ReadSlotNumber(m, code.slot, entry);
}

std::optional<HeatEntry> ReadHeatEntry(const Meeting& m, std::string_view code) {
  HeatEntry entry;
  if (!ResolveHeatEntry(m, ReadEntryCode(code), entry)) return std::nullopt;
  return entry;
}

}  // namespace corvane
