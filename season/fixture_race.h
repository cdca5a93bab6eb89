// A fixture's meeting: set up from the season's competition and line-ups, raced under computer
// control, and its result taken from the finished meeting.
#pragma once

#include <cstdint>
#include <string>

#include "engine/io/result.h"
#include "engine/records/meeting.h"
#include "season/season.h"

namespace corvane {

// The seed of a fixture's meeting: the same season seed gives the same meeting.
std::uint64_t FixtureSeed(const Season& season, int fixtureNumber);

// The fixture's meeting set up and ready to run, the home line-up as team A.
Result<Meeting> SetUpFixture(const Season& season, const Fixture& fixture);

// The result a finished meeting gives the fixture.
FixtureResult ResultOfMeeting(const Fixture& fixture, const Meeting& m);

// The file name proposed when the fixture's meeting is suspended, from its number and its two
// line-ups ("Fixture 3 Home v Away.mtg"): safe to use as a file name on any system, letters of
// any language kept, each name cut short when long.
std::string FixtureMeetingFileName(const Season& season, const Fixture& fixture);

// Sets the fixture's meeting up and races it to its end under computer control.
Result<FixtureResult> RaceFixture(const Season& season, const Fixture& fixture);

}  // namespace corvane
