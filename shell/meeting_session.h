// The meeting the main window runs, with its random source and host: one method per meeting
// command, so the commands can be driven without the window.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "engine/competition/competition_file.h"
#include "engine/competition/meeting_setup.h"
#include "engine/io/result.h"
#include "engine/race/random_source.h"
#include "engine/records/meeting.h"
#include "engine/records/preferences.h"
#include "report/meeting_file.h"

namespace corvane {

class MeetingHost;

class MeetingSession {
 public:
  MeetingSession(MeetingHost& host, std::filesystem::path scriptsFolder, std::uint64_t seed);

  const Meeting& meeting() const { return meeting_; }
  Meeting& meeting() { return meeting_; }

  // File, New Meeting: a competition of the menu, or scratch racing (no choice). The meeting
  // runs until it waits for the user or is over.
  SetupOutcome NewMeeting(const std::optional<CompetitionChoice>& choice, const Preferences& prefs);

  // Meeting, Continue: the next single race in scratch racing, otherwise the programme.
  void Continue();
  // Meeting, Scratch Race: one race outside the programme.
  void ScratchRace();
  // Meeting, Support Competition.
  void SupportCompetition();

  // Told when a new meeting begins (New Meeting, a resumed file) and whenever a command has
  // left the runner stopped: the meeting waits for the user or is over.
  std::function<void()> onNewMeeting;
  std::function<void()> onStopped;

  // Meeting, Suspend and Resume.
  std::string ProposedSuspendName() const;
  Status Suspend(const std::filesystem::path& file);
  ResumeOutcome Resume(const std::filesystem::path& file);
  // Resume of a meeting file's bytes kept elsewhere (a season's fixture in play).
  ResumeOutcome Resume(std::string_view bytes, std::string_view name);

  // True while a meeting is under way (its programme, support competition or scratch racing
  // can go on) and can be suspended, and has raced since it was started, last suspended or
  // resumed: replacing it now would lose that.
  bool HasUnsuspendedWork() const;

 private:
  ResumeOutcome Resumed(ResumeOutcome outcome);
  void Stopped() const {
    if (onStopped) onStopped();
  }

  MeetingHost& host_;
  std::filesystem::path scriptsFolder_;
  Pcg32Random random_;
  Meeting meeting_;
  bool started_ = false;        // a meeting has been started or resumed
  Integer keptHeatCount_ = -1;  // its heats when last suspended or resumed; -1 never since
};

}  // namespace corvane
