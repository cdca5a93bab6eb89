// Offering a rider database's line-ups to the programme editor of a meeting, and loading the
// one chosen into the meeting's rider slots.
//
// Only where each offered line-up begins is kept; a chosen line-up is read again from the
// database, and refused if the database no longer holds it there.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/io/result.h"
#include "engine/records/meeting.h"

namespace corvane {

struct OfferedLineup {
  std::string text;      // as the drop-down list shows it
  std::size_t position;  // where its line begins in the database text

  bool operator==(const OfferedLineup&) const = default;
};

// True when the line-up's competition ID suits one of the competition's IDs (1..8, empty ones
// skipped): "LG*" takes every ID that begins with "LG", any other value only itself (case
// counts).
bool CompIdMatches(std::string_view lineupId, const std::array<std::string, 9>& compIds);

// The line-ups offered for the meeting, in database order: those whose ID matches, or all of
// them with allLineups. A team meeting shows a name upper-cased, an individual meeting as
// written; an empty name shows "<Untitled>".
Result<std::vector<OfferedLineup>> OfferLineups(std::string_view databaseBytes, const Meeting& m,
                                                bool allLineups);
Result<std::vector<OfferedLineup>> OfferLineupsFromFile(const std::filesystem::path& database,
                                                        const Meeting& m, bool allLineups);

// The 82 fields of the offered line-up, read again from the database bytes. Fails when the
// line found at its position is not the line-up that was offered.
Result<std::vector<std::string>> ReadOfferedLineup(std::string_view databaseBytes, const Meeting& m,
                                                   const OfferedLineup& chosen);

// Loads the fields into team `team`: its name becomes `shownName`, every position except the
// rider-replacement slot takes the line-up's rider of the same number (extra riders are left
// out, missing ones leave the slot empty), and the team has no replaced rider any more.
void LoadTeamLineup(Meeting& m, int team, const std::vector<std::string>& fields,
                    std::string_view shownName);

// The rider slots an individual meeting's editor shows: every group's riders and the separate
// block of track reserves (support riders in the support competition).
int IndividualSlotCount(const Meeting& m);

// Loads the fields into an individual meeting's slots from 1 on; the meeting title becomes
// `shownName`.
void LoadIndividualLineup(Meeting& m, const std::vector<std::string>& fields,
                          std::string_view shownName);

// Re-reads the chosen line-up from the database file and loads it: into `team` in a team
// meeting, into the meeting's slots in an individual meeting (team is then not used). On
// failure the meeting is left as it was.
Status LoadChosenLineup(Meeting& m, int team, const OfferedLineup& chosen,
                        const std::filesystem::path& database);
Status LoadChosenLineupFromText(Meeting& m, int team, const OfferedLineup& chosen,
                                std::string_view databaseBytes);

}  // namespace corvane
