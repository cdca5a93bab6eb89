#include "shell/stand_in_dialogs.h"

#include <algorithm>
#include <vector>

#include "engine/records/meeting.h"
#include "riderdb/lineup_choice.h"

namespace corvane {

std::filesystem::path RiderDatabasePath(const std::string& prefRiderDbFile,
                                        const std::filesystem::path& lineupsFolder) {
  const std::filesystem::path file(prefRiderDbFile);
  return file.is_absolute() ? file : lineupsFolder / file;
}

void StandInProgrammeEditor(Meeting& m, const std::filesystem::path& database) {
  // The support riders are entered after the main meeting; its line-ups stay as they are.
  if (!m.SupportMode) {
    m.MeetingState = kRunOn;
    Result<std::vector<OfferedLineup>> offered = OfferLineupsFromFile(database, m, false);
    if (offered && offered.value().empty()) offered = OfferLineupsFromFile(database, m, true);
    if (offered) {
      const std::vector<OfferedLineup>& lineups = offered.value();
      const int teams = m.NumTeams > 1 ? std::min<int>(m.NumGroups, kMaxGroups) : 1;
      for (int team = 1; team <= teams && static_cast<std::size_t>(team) <= lineups.size();
           ++team) {
        LoadChosenLineup(m, team, lineups[static_cast<std::size_t>(team) - 1], database);
      }
    }
  }
  m.MeetingState = kStartedFromEditor;
}

// Starting the race, as the heat manager's Start Race does.
void StandInHeatManager(Meeting& m) {
  m.MeetingState = kHeatDecided;
}

}  // namespace corvane
