// Copying the leading riders or teams of a stage into line-ups that are still empty, for the
// stages that follow (qualifying groups into a final, the best teams into a play-off).
#pragma once

#include <string_view>

#include "engine/records/meeting.h"

namespace corvane {

// "source>destination". The destination is a group letter and rider number (C2); the source
// may also pick by average (AR1), by score (AS1), and through the team standings (SAR1: the
// highest average of the team standing first). Copies name and average only into a slot with
// no rider.
void TransferRider(Meeting& m, std::string_view argument);

// "source>destination" with team letters; the source may be a place in the team standings
// (SA: the team standing first). Copies the team's title, extra points and riders into a group
// that has no title.
void TransferTeam(Meeting& m, std::string_view argument);

// True when a "TFRTEAM" command of the programme copies a team into `group`: such a group
// starts the meeting empty and is filled by the programme.
bool FilledByTransfer(const Meeting& m, int group);

// The slot a rider reference names, 0 when it names none. Selectors (R, S and the standings
// prefix) are accepted only where `isSource` is true.
int ResolveRiderReference(const Meeting& m, std::string_view reference, bool isSource);

// The group a team reference names, 0 when it names none.
int ResolveTeamReference(const Meeting& m, std::string_view reference, bool isSource);

}  // namespace corvane
