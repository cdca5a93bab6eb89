#include "riderdb/lineup_choice.h"

#include <algorithm>

#include "engine/io/file_io.h"
#include "engine/io/text_encoding.h"
#include "riderdb/database_lines.h"
#include "riderdb/lineup_record.h"
#include "riderdb/rider_database.h"

namespace corvane {

namespace {

bool IsTeamMeeting(const Meeting& m) {
  return m.NumTeams > 1;
}

// The ID and the name as written, from the first two fields of a line.
struct LineHead {
  std::string name;
  std::string compId;
};

LineHead HeadOf(std::string_view line) {
  const auto fields = SplitFields(line, ",", 2);
  return LineHead{fields[1], SplitFields(fields[2], ":", 1)[1]};
}

std::string OfferedText(const Meeting& m, const std::string& name) {
  const std::string cut = Left(name, kLineupNameLength);
  if (cut.empty()) return std::string(kUntitledLineup);
  return IsTeamMeeting(m) ? UpperCase(cut) : cut;
}

std::string RiderNameOf(const std::vector<std::string>& fields, int rider) {
  return Left(fields[static_cast<std::size_t>(2 * rider + 1)], kRiderNameLength);
}

// Slot `slot` takes rider `rider` of the line-up; a blank name leaves the slot empty.
void TakeRider(Meeting& m, int slot, const std::vector<std::string>& fields, int rider) {
  if (!IsSlot(slot)) return;
  const auto s = static_cast<std::size_t>(slot);
  m.RiderName[s].clear();
  m.RiderAverage[s] = 0;
  if (rider < 1 || rider > kLineupRiders ||
      fields.size() <= static_cast<std::size_t>(2 * rider + 2)) {
    return;
  }
  m.RiderName[s] = RiderNameOf(fields, rider);
  if (!m.RiderName[s].empty()) {
    m.RiderAverage[s] = HeldAverageOf(fields[static_cast<std::size_t>(2 * rider + 2)]);
  }
}

}  // namespace

bool CompIdMatches(std::string_view lineupId, const std::array<std::string, 9>& compIds) {
  for (std::size_t i = 1; i < compIds.size(); ++i) {
    const std::string_view value = compIds[i];
    if (value.empty()) continue;
    if (value.back() == '*') {
      const std::string_view prefix = value.substr(0, value.size() - 1);
      if (lineupId.substr(0, prefix.size()) == prefix) return true;
    } else if (lineupId == value) {
      return true;
    }
  }
  return false;
}

Result<std::vector<OfferedLineup>> OfferLineups(std::string_view databaseBytes, const Meeting& m,
                                                bool allLineups) {
  const std::string text = FileTextToUtf8(databaseBytes);
  const std::vector<DatabaseLine> lines = NonEmptyLines(text);
  if (lines.size() > static_cast<std::size_t>(kMaxLineups)) {
    return Error{"The rider database holds more than " + Dec(kMaxLineups) + " line-ups"};
  }
  std::vector<OfferedLineup> offered;
  for (const DatabaseLine& line : lines) {
    const LineHead head = HeadOf(line.text);
    if (!allLineups && !CompIdMatches(head.compId, m.CompIds)) continue;
    offered.push_back(OfferedLineup{OfferedText(m, head.name), line.position});
  }
  return offered;
}

Result<std::vector<OfferedLineup>> OfferLineupsFromFile(const std::filesystem::path& database,
                                                        const Meeting& m, bool allLineups) {
  const Result<std::string> bytes = ReadWholeFile(database, kMaxRiderDatabaseBytes);
  if (!bytes) return Error{bytes.error()};
  return OfferLineups(bytes.value(), m, allLineups);
}

Result<std::vector<std::string>> ReadOfferedLineup(std::string_view databaseBytes, const Meeting& m,
                                                   const OfferedLineup& chosen) {
  const std::string text = FileTextToUtf8(databaseBytes);
  const std::string_view line = LineAt(text, chosen.position);
  // The database may have been edited since the list was made: a position that no longer
  // starts the same line-up would load somebody else's riders.
  if (line.empty() || OfferedText(m, HeadOf(line).name) != chosen.text) {
    return Error{"The line-up \"" + chosen.text + "\" is no longer in the rider database"};
  }
  return SplitLineupLine(line);
}

void LoadTeamLineup(Meeting& m, int team, const std::vector<std::string>& fields,
                    std::string_view shownName) {
  if (!IsGroup(team)) return;
  const auto t = static_cast<std::size_t>(team);
  m.GroupTitle[t] = Trim(shownName);
  const int positions = std::min<int>(m.NumRiders, kMaxSlots);
  for (int p = 1; p <= positions; ++p) {
    if (m.RdrRepSlot == 1 && p == m.NumRiders) continue;  // kept for the replacement rider
    TakeRider(m, RiderSlot(m, team, p), fields, p);
  }
  m.GroupReplacement[t][1] = 0;
}

int IndividualSlotCount(const Meeting& m) {
  // Reserves kept apart form a separate block only when there are groups; a single group
  // holds its reserves as its last riders.
  const int apart = m.ResMode == 2 && m.NumGroups > 1 ? m.NumReserves : 0;
  const int block = m.SupportMode ? m.SupportRiders : apart;
  const int slots = m.NumGroups * m.NumRiders + std::max(0, block);
  return std::clamp(slots, 0, kMaxSlots);
}

void LoadIndividualLineup(Meeting& m, const std::vector<std::string>& fields,
                          std::string_view shownName) {
  m.TitleLines = Trim(shownName);
  const int slots = IndividualSlotCount(m);
  for (int s = 1; s <= slots; ++s) TakeRider(m, s, fields, s);
}

Status LoadChosenLineupFromText(Meeting& m, int team, const OfferedLineup& chosen,
                                std::string_view databaseBytes) {
  const bool teamMeeting = IsTeamMeeting(m);
  if (teamMeeting && !(IsGroup(team) && team <= m.NumTeams)) {
    return Error{"There is no team " + Dec(team) + " in this meeting"};
  }
  const Result<std::vector<std::string>> fields = ReadOfferedLineup(databaseBytes, m, chosen);
  if (!fields) return Error{fields.error()};
  if (teamMeeting) {
    LoadTeamLineup(m, team, fields.value(), chosen.text);
  } else {
    LoadIndividualLineup(m, fields.value(), chosen.text);
  }
  return Done{};
}

Status LoadChosenLineup(Meeting& m, int team, const OfferedLineup& chosen,
                        const std::filesystem::path& database) {
  const Result<std::string> bytes = ReadWholeFile(database, kMaxRiderDatabaseBytes);
  if (!bytes) return Error{bytes.error()};
  return LoadChosenLineupFromText(m, team, chosen, bytes.value());
}

}  // namespace corvane
