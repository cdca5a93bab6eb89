// An entry code of a heat line, read into the parts that depend on its text alone. Which
// rider it names depends on the meeting (its groups, standings and heat results) and is
// settled later, by ResolveHeatEntry; the text needs reading only once per line.
#pragma once

#include <string_view>

namespace corvane {

struct EntryCode {
  bool empty = true;          // no code at all ("@10"): slot number 0, an empty place
  char first = '\0';          // the group letter, R, S, T, or the start of a slot number
  char second = '\0';         // after S: a letter naming a group by its standing
  char groupForm = '\0';      // after a group letter: N, R, S, T or the number itself
  char standingForm = '\0';   // the same after "S" and a standing letter
  double groupNumber = 0;     // the number of "A3", "AN3", ...
  double standingNumber = 0;  // the number of "SA3", "SAN3", ...
  double afterFirst = 0;      // the number after the first character ("R3")
  double place = 0;           // "S3", "T2.5": the place, before any "."
  double heat = 0;            // "T2.5": the programme heat after the "."; 0 when none
  double slot = 0;            // the whole code read as a slot number
};

// Reads an upper-cased entry code.
EntryCode ReadEntryCode(std::string_view code);

}  // namespace corvane
