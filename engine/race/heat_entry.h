// Reading one entry of a heat line: the rider it names and what the line-up records beside him.
#pragma once

#include <optional>
#include <string_view>

#include "engine/race/entry_code.h"
#include "engine/records/meeting.h"

namespace corvane {

// What an accepted entry puts into its starting place.
struct HeatEntry {
  Integer rider = 0;            // HeatGrid column 1: the rider slot, 0 = an empty place
  Integer namedPlace = 0;       // column 2: the place a "T" entry names
  Integer nominatedOrHeat = 0;  // column 3: NominatedFirst ("N"), or the heat a "T" entry names
  bool programmedRide = false;  // a plain group code: the ride is one of the rider's PlannedRides
};

// Reads an upper-cased entry code. Codes:
//   A3, AN3, AR3, AS3, AT3   rider 3 of group A, or the rider at place 3 of group A by score
//                            (N, S, T) or by average (R); "A" is any group letter up to NumGroups
//   R3                       the rider at place 3 by average
//   SA3, SAN3, ...           the same forms for the group now standing first (SB: second, ...)
//   S3, T3                   place 3 of the standings (one group only); S3.0 is the same
//   S2.5, T2.5               the rider placed second in the fifth programme heat
//   12                       slot 12; with groups, the 12th slot after the last group
// Returns nothing for a code whose number is out of range: it fills no place.
std::optional<HeatEntry> ReadHeatEntry(const Meeting& m, std::string_view code);

// The same for a code already read: what it names in this meeting as it stands now.
std::optional<HeatEntry> ResolveHeatEntry(const Meeting& m, const EntryCode& code);

// Places the entries of a heat line into HeatGrid, in gate order, after HeatRiders: each with
// its metres and handicap, a programmed ride counted once per line. A rider named twice rides
// once: the later place stays empty.
void PlaceHeatEntries(Meeting& m, const ProgrammeLine& line);

}  // namespace corvane
