#include "shell/meeting_session.h"

#include <utility>

#include "engine/host/meeting_host.h"
#include "engine/programme/meeting_runner.h"

namespace corvane {

MeetingSession::MeetingSession(MeetingHost& host, std::filesystem::path scriptsFolder,
                               std::uint64_t seed)
    : host_(host), scriptsFolder_(std::move(scriptsFolder)), random_(seed) {}

SetupOutcome MeetingSession::NewMeeting(const std::optional<CompetitionChoice>& choice,
                                        const Preferences& prefs) {
  if (onNewMeeting) onNewMeeting();
  const SetupOutcome outcome =
      corvane::NewMeeting(meeting_, choice, prefs, scriptsFolder_, host_, random_);
  if (outcome != SetupOutcome::NotStarted) {
    started_ = true;
    keptHeatCount_ = -1;
  }
  Stopped();
  return outcome;
}

void MeetingSession::Continue() {
  if (meeting_.ControlMode == 2) {
    RunSingleRace(meeting_, host_, random_);
  } else {
    RunProgramme(meeting_, host_, random_);
  }
  Stopped();
}

void MeetingSession::ScratchRace() {
  RunSingleRace(meeting_, host_, random_);
  Stopped();
}

void MeetingSession::SupportCompetition() {
  StartSupportCompetition(meeting_, host_, random_);
  Stopped();
}

std::string MeetingSession::ProposedSuspendName() const {
  return ProposedMeetingFileName(meeting_.DateLines);
}

Status MeetingSession::Suspend(const std::filesystem::path& file) {
  Status saved = SuspendMeeting(meeting_, file);
  if (saved) keptHeatCount_ = meeting_.HeatCount;
  return saved;
}

ResumeOutcome MeetingSession::Resume(const std::filesystem::path& file) {
  return Resumed(ResumeMeeting(meeting_, file, host_));
}

ResumeOutcome MeetingSession::Resume(std::string_view bytes, std::string_view name) {
  return Resumed(ResumeMeetingBytes(meeting_, bytes, name, host_));
}

ResumeOutcome MeetingSession::Resumed(ResumeOutcome outcome) {
  if (outcome.kind == ResumeOutcome::Loaded) {
    started_ = true;
    keptHeatCount_ = meeting_.HeatCount;
    if (onNewMeeting) onNewMeeting();
    Stopped();
  }
  return outcome;
}

bool MeetingSession::HasUnsuspendedWork() const {
  if (!started_ || meeting_.HeatCount == keptHeatCount_) return false;
  const MeetingMenu menu = MeetingMenuFor(meeting_);
  const bool goesOn = meeting_.MeetingState < kMeetingOver || menu.supportVisible;
  return goesOn && menu.suspendEnabled;
}

}  // namespace corvane
