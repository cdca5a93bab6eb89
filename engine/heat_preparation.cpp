#include "engine/heat_preparation.h"

#include "engine/heat_entry.h"
#include "engine/race_simulation.h"

namespace corvane {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The next field of a heat line, cut and trimmed exactly as SplitFields cuts it, without
// copying: the text before the first separator (or all of it), which is then consumed.
std::string_view NextField(std::string_view& rest, char separator) {
  const std::size_t at = rest.find(separator);
  const std::string_view field = TrimBlanks(rest.substr(0, at));
  rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
  return field;
}

// True when `rider` already stands in one of the places before `place`. Empty places are
// skipped rather than ending the search, so a rider named after an empty place is still found.
bool StandsEarlier(const Meeting& m, int place, int rider) {
  for (int earlier = 1; earlier < place; ++earlier) {
    if (m.HeatGrid[static_cast<std::size_t>(earlier)][1] == rider) return true;
  }
  return false;
}

// Places the entries of a heat line into HeatGrid, in gate order.
void PlaceEntries(Meeting& m, std::string_view entries) {
  const bool countRides = m.ScoringOn == 1 && m.ProgLine != m.LastPreparedLine;
  std::string_view rest = entries;
  for (int k = 1; k <= kMaxEntries; ++k) {  // entries after the eighth are dropped
    std::string_view field = NextField(rest, ',');
    if (field.empty()) continue;
    const std::string_view code = NextField(field, '@');
    const std::string_view metresText = NextField(field, '@');
    const auto entry = ReadHeatEntry(m, UpperCase(code));
    if (!entry) continue;

    m.HeatRiders = static_cast<Integer>(m.HeatRiders + 1);
    const int place = m.HeatRiders;
    auto& row = m.HeatGrid[static_cast<std::size_t>(place)];
    row[1] = entry->rider;
    row[2] = entry->namedPlace;
    row[3] = entry->nominatedOrHeat;
    if (entry->programmedRide && countRides) {
      auto& planned = m.PlannedRides[static_cast<std::size_t>(entry->rider)];
      planned = static_cast<Integer>(planned - 1);
    }
    const double metres = LeadingNumber(metresText);
    if (metres > 0 && metres < 100) row[4] = RoundToIntegerClamped(metres);
    row[5] = HandicapOf(m, entry->rider);
    // A rider named twice rides once: the later place stays empty.
    if (entry->rider != 0 && StandsEarlier(m, place, entry->rider)) row[1] = 0;
  }
}

}  // namespace

void PrepareHeat(Meeting& m, MeetingHost& host, RandomSource& random) {
  const bool onLine = m.ProgLine >= 1 && m.ProgLine <= m.ProgrammeLineCount();
  std::string_view line =
      onLine ? std::string_view(m.ProgrammeLines[static_cast<std::size_t>(m.ProgLine)]) : "";
  const std::string_view label = NextField(line, ':');
  const std::string_view entries = NextField(line, ':');  // text after a second ":" is dropped
  if (!entries.empty()) {
    ClearHeatLineup(m);
    m.HeatRiders = 0;
    m.HeatTitle.clear();
    if (LeadingNumber(label) != m.HeatCount + 1) m.HeatTitle = Left(label, 20);
    PlaceEntries(m, entries);

    if (m.MeetingState == kHeatDecided) {
      // The previous heat still has to be reported: wait here, race this one on Continue.
      m.MeetingState = kWaitForUser;
    } else if (m.HeatRiders > 1 && m.HeatCount < kMaxHeats) {
      RunHeat(m, host, random);
    }
  }
  m.LastPreparedLine = m.ProgLine;
}

void ClearHeatLineup(Meeting& m) {
  m.HeatGrid = {};
  m.RaceStatus = {};
  m.ReplacedNow = {};
}

}  // namespace corvane
