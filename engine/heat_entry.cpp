#include "engine/heat_entry.h"

#include <algorithm>

#include "engine/heat_lineup.h"

namespace corvane {

namespace {

// `value` when it lies within lo..hi, rounded to a whole number.
std::optional<int> NumberWithin(double value, double lo, double hi) {
  if (!(value >= lo && value <= hi)) return std::nullopt;
  const auto whole = static_cast<int>(value);  // lo..hi lie well within int
  if (whole == value) return whole;             // the usual case, which needs no rounding
  return RoundToIntegerClamped(value);
}

// The group a letter stands for (A = 1), or 0 when it is not a letter of this meeting's groups.
// R, S and T are never group letters: there are at most nine groups.
int GroupOfLetter(const Meeting& m, char letter) {
  const int group = static_cast<unsigned char>(letter) - ('A' - 1);
  return group >= 1 && group <= m.NumGroups && group <= kMaxGroups ? group : 0;
}

// A looked-up rider is accepted only when it is a slot or "no rider".
std::optional<HeatEntry> Naming(int rider, HeatEntry entry = {}) {
  if (rider < 0 || rider > kMaxSlots) return std::nullopt;
  entry.rider = static_cast<Integer>(rider);
  return entry;
}

// The forms after a group letter: plain number, or N, R, S, T and a number. `fromStandings`
// marks the S-prefixed forms, which pick the group by its standing and record no programmed
// ride and no nominated place.
std::optional<HeatEntry> ReadGroupForm(const Meeting& m, int group, char form, double value,
                                       bool fromStandings) {
  const auto number = NumberWithin(value, 1, m.NumRiders);
  if (!number) return std::nullopt;
  const int slot = RiderSlot(m, group, *number);
  if (!IsSlot(slot)) return std::nullopt;
  const auto at = static_cast<std::size_t>(slot);

  HeatEntry entry;
  switch (form) {
    case 'N':
      if (!fromStandings) entry.nominatedOrHeat = m.NominatedFirst;
      return Naming(m.ScoreOrder[at], entry);
    case 'R':
      return Naming(m.AverageOrder[at]);
    case 'S':
      return Naming(m.ScoreOrder[at]);
    case 'T':
      entry.namedPlace = static_cast<Integer>(*number);
      return Naming(m.ScoreOrder[at], entry);
    default:
      entry.programmedRide = !fromStandings;
      return Naming(slot, entry);
  }
}

// "S" or "T" followed by a place p: p of the standings, or "p.h", place p of programme heat h.
std::optional<HeatEntry> ReadPlaceForm(const Meeting& m, const EntryCode& code) {
  const bool namesPlace = code.first == 'T';
  HeatEntry entry;
  if (code.heat == 0.0) {
    if (m.NumGroups != 1) return std::nullopt;
    const auto place = NumberWithin(code.place, 1, m.NumRiders);
    if (!place || !IsSlot(*place)) return std::nullopt;
    if (namesPlace) entry.namedPlace = static_cast<Integer>(*place);
    return Naming(m.ScoreOrder[static_cast<std::size_t>(*place)], entry);
  }

  const int heatsRun = std::min<int>(m.ProgrammeHeats[0], kMaxHeats);
  const auto place = NumberWithin(code.place, 1, kMaxEntries);
  const auto nth = NumberWithin(code.heat, 1, heatsRun);
  if (!place || !nth) return std::nullopt;
  const int heat = m.ProgrammeHeats[static_cast<std::size_t>(*nth)];
  if (heat < 1 || heat > kMaxHeats) return std::nullopt;
  if (namesPlace) {
    entry.namedPlace = static_cast<Integer>(*place);
    entry.nominatedOrHeat = static_cast<Integer>(heat);
  }
  return Naming(m.HeatResults[static_cast<std::size_t>(heat)][static_cast<std::size_t>(*place)][1],
                entry);
}

// Any other code is a slot number: with groups, counted from the end of the last group.
std::optional<HeatEntry> ReadSlotNumber(const Meeting& m, double code) {
  const int groupSlots = m.NumGroups == 1 ? 0 : m.NumRiders * m.NumGroups;
  const auto value = NumberWithin(code, 0, kMaxSlots - groupSlots);
  if (!value) return std::nullopt;
  // 0 is an empty place, with groups as without: it never names the last group's last rider.
  return Naming(*value == 0 ? 0 : groupSlots + *value);
}

}  // namespace

std::optional<HeatEntry> ResolveHeatEntry(const Meeting& m, const EntryCode& code) {
  if (code.empty) return std::nullopt;

  if (const int group = GroupOfLetter(m, code.first); group != 0) {
    return ReadGroupForm(m, group, code.groupForm, code.groupNumber, false);
  }
  if (code.first == 'R') {
    const auto place = NumberWithin(code.afterFirst, 1, m.NumRiders);
    if (!place || !IsSlot(*place)) return std::nullopt;
    return Naming(m.AverageOrder[static_cast<std::size_t>(*place)]);
  }
  if (code.first == 'S' && code.second != '\0') {
    if (const int standing = GroupOfLetter(m, code.second); standing != 0) {
      const int group = m.GroupOrder[static_cast<std::size_t>(standing)];
      if (group < 1 || group > m.NumGroups || group > kMaxGroups) return std::nullopt;
      return ReadGroupForm(m, group, code.standingForm, code.standingNumber, true);
    }
  }
  if (code.first == 'S' || code.first == 'T') return ReadPlaceForm(m, code);
  return ReadSlotNumber(m, code.slot);
}

std::optional<HeatEntry> ReadHeatEntry(const Meeting& m, std::string_view code) {
  return ResolveHeatEntry(m, ReadEntryCode(code));
}

}  // namespace corvane
