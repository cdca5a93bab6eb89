#include "shell/meeting_session.h"

#include <utility>

#include "engine/meeting_host.h"

namespace corvane {

MeetingSession::MeetingSession(MeetingHost& host, std::filesystem::path scriptsFolder,
                               std::uint64_t seed)
    : host_(host), scriptsFolder_(std::move(scriptsFolder)), random_(seed) {}

SetupOutcome MeetingSession::NewMeeting(const std::optional<CompetitionChoice>& choice,
                                        const Preferences& prefs) {
  return corvane::NewMeeting(meeting_, choice, prefs, scriptsFolder_, host_, random_);
}

}  // namespace corvane
