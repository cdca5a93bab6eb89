#include "cli/lineup_selection.h"

#include <algorithm>

#include "engine/programme/transfers.h"
#include "riderdb/lineup_choice.h"
#include "riderdb/lineup_record.h"

namespace corvane {

namespace {

bool SameName(std::string_view a, std::string_view b) {
  return UpperCase(a) == UpperCase(b);
}

// Finds a line-up by name among every line-up of the database.
Result<OfferedLineup> FindLineup(const Meeting& m, const std::string& name,
                                 std::string_view database) {
  const auto all = OfferLineups(database, m, true);
  if (!all) return Error{all.error()};
  const auto& offered = all.value();
  const auto found = std::find_if(offered.begin(), offered.end(),
                                  [&](const OfferedLineup& o) { return SameName(o.text, name); });
  if (found != offered.end()) return *found;
  std::string names;
  for (const OfferedLineup& o : offered) names += (names.empty() ? "" : ", ") + o.text;
  return Error{"no line-up \"" + name + "\" in the rider database; it holds: " + names};
}

// A line-up fits when the meeting has a place for each of its riders: a team's places without
// the rider replacement's slot, or every place of an individual meeting (or of the support
// riders). Loading one that does not would leave riders out without a word.
Status Fits(const Meeting& m, const OfferedLineup& chosen, std::string_view database) {
  const auto fields = ReadOfferedLineup(database, m, chosen);
  if (!fields) return Error{fields.error()};
  const LineupRecord lineup = ParseLineupFields(fields.value());
  int riders = 0;
  for (int r = 1; r <= kLineupRiders; ++r) {
    if (!lineup.riderNames[static_cast<std::size_t>(r)].empty()) ++riders;
  }
  const bool team = m.NumTeams > 1 && !m.SupportMode;
  const int places = m.SupportMode ? m.SupportRiders
                                   : (team ? m.NumRiders - m.RdrRepSlot : IndividualSlotCount(m));
  if (riders <= places) return Done{};
  return Error{"the line-up \"" + chosen.text + "\" has " + Dec(riders) + " riders, but " +
               (team ? "a team of this meeting has " : "this meeting has ") + Dec(places) +
               " places"};
}

}  // namespace

Status FillLineups(Meeting& m, const std::vector<std::string>& names, std::string_view database) {
  // Every team takes a line-up, except those the programme fills by transfer; an individual
  // meeting takes one line-up of riders.
  std::vector<int> teams;
  for (int g = 1; g <= std::max<int>(1, m.NumTeams); ++g) {
    if (!FilledByTransfer(m, g)) teams.push_back(g);
  }
  if (names.size() > teams.size()) {
    return Error{"too many line-ups: the competition takes " +
                 Dec(static_cast<long>(teams.size()))};
  }
  std::vector<OfferedLineup> chosen;
  if (names.empty()) {
    const auto offered = OfferLineups(database, m, false);
    if (!offered) return Error{offered.error()};
    if (offered.value().empty()) {
      return Error{"the rider database has no line-up for this competition"};
    }
    const auto count = std::min(teams.size(), offered.value().size());
    chosen.assign(offered.value().begin(), offered.value().begin() + static_cast<long>(count));
  } else {
    for (const std::string& name : names) {
      auto found = FindLineup(m, name, database);
      if (!found) return Error{found.error()};
      chosen.push_back(found.value());
    }
  }
  for (std::size_t k = 0; k < chosen.size(); ++k) {
    const Status fits = Fits(m, chosen[k], database);
    if (!fits) return fits;
    const Status loaded = LoadChosenLineupFromText(m, teams[k], chosen[k], database);
    if (!loaded) return loaded;
  }
  return Done{};
}

Status FillSupportRiders(Meeting& m, const std::string& name, std::string_view database) {
  const auto found = FindLineup(m, name, database);
  if (!found) return Error{found.error()};
  const Status fits = Fits(m, found.value(), database);
  if (!fits) return fits;
  const auto fields = ReadOfferedLineup(database, m, found.value());
  if (!fields) return Error{fields.error()};
  const LineupRecord lineup = ParseLineupFields(fields.value());
  const int first = m.NumGroups * m.NumRiders;
  for (int i = 1; i <= m.SupportRiders && first + i <= kMaxSlots; ++i) {
    const auto slot = static_cast<std::size_t>(first + i);
    const auto rider = static_cast<std::size_t>(i);
    m.RiderName[slot] = lineup.riderNames[rider];
    m.RiderAverage[slot] = m.RiderName[slot].empty() ? 0.0f : lineup.riderAverages[rider];
    m.RiderFlag[slot] = m.RiderName[slot].empty() || m.RiderAverage[slot] == 0 ? 1 : 0;
  }
  return Done{};
}

}  // namespace corvane
