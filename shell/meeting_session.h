// The meeting the main window runs, with its random source and host: one method per Meeting
// command, so the commands can be driven without the window.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "engine/competition_file.h"
#include "engine/meeting.h"
#include "engine/meeting_setup.h"
#include "engine/preferences.h"
#include "engine/random_source.h"

namespace corvane {

class MeetingHost;

class MeetingSession {
 public:
  MeetingSession(MeetingHost& host, std::filesystem::path scriptsFolder, std::uint64_t seed);

  const Meeting& meeting() const { return meeting_; }
  Meeting& meeting() { return meeting_; }

  // File, New Meeting: a competition of the menu, or scratch racing (no choice).
  SetupOutcome NewMeeting(const std::optional<CompetitionChoice>& choice, const Preferences& prefs);

 private:
  MeetingHost& host_;
  std::filesystem::path scriptsFolder_;
  Pcg32Random random_;
  Meeting meeting_;
};

}  // namespace corvane
