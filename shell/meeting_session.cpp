#include "shell/meeting_session.h"

#include <utility>

#include "engine/meeting_host.h"
#include "engine/meeting_runner.h"

namespace corvane {

MeetingSession::MeetingSession(MeetingHost& host, std::filesystem::path scriptsFolder,
                               std::uint64_t seed)
    : host_(host), scriptsFolder_(std::move(scriptsFolder)), random_(seed) {}

SetupOutcome MeetingSession::NewMeeting(const std::optional<CompetitionChoice>& choice,
                                        const Preferences& prefs) {
  return corvane::NewMeeting(meeting_, choice, prefs, scriptsFolder_, host_, random_);
}

void MeetingSession::Continue() {
  if (meeting_.ControlMode == 2) {
    RunSingleRace(meeting_, host_, random_);
  } else {
    RunProgramme(meeting_, host_, random_);
  }
}

void MeetingSession::ScratchRace() {
  RunSingleRace(meeting_, host_, random_);
}

void MeetingSession::SupportCompetition() {
  StartSupportCompetition(meeting_, host_, random_);
}

std::string MeetingSession::ProposedSuspendName() const {
  return ProposedMeetingFileName(meeting_.DateLines);
}

Status MeetingSession::Suspend(const std::filesystem::path& file) const {
  return SuspendMeeting(meeting_, file);
}

ResumeOutcome MeetingSession::Resume(const std::filesystem::path& file) {
  return ResumeMeeting(meeting_, file, host_);
}

}  // namespace corvane
