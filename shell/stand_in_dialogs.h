// Dialogs that answer at once, for whole meetings run without a person. The editor's
// stand-in gives each team the next line-up of the rider database that suits the
// competition, in database order (an individual meeting the first one), and starts the
// meeting; the heat manager's lets each race start as prepared. The program shows the real
// programme editor; the heat manager's stand-in serves until its dialog is installed through
// QtMeetingHost.
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
