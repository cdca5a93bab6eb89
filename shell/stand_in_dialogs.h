// What the program does where the programme editor and the heat manager will open. The
// editor's stand-in gives each team the next line-up of the rider database that suits the
// competition, in database order (an individual meeting the first one), and starts the
// meeting; the heat manager's lets each race start as prepared. The dialogs replace these
// through QtMeetingHost.
#pragma once

#include <filesystem>
#include <string>

namespace corvane {

struct Meeting;

// The rider database a preference names: a plain name in the Lineups folder, or a full path.
std::filesystem::path RiderDatabasePath(const std::string& prefRiderDbFile,
                                        const std::filesystem::path& lineupsFolder);

void StandInProgrammeEditor(Meeting& m, const std::filesystem::path& database);
void StandInHeatManager(Meeting& m);

}  // namespace corvane
