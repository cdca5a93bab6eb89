#include "support/whole_meeting.h"

#include <algorithm>
#include <string_view>

#include "engine/competition/meeting_setup.h"
#include "engine/host/meeting_host.h"
#include "engine/programme/meeting_runner.h"
#include "engine/programme/programme_line.h"
#include "engine/programme/transfers.h"
#include "engine/race/random_source.h"
#include "engine/records/conventions.h"
#include "engine/records/meeting_validation.h"
#include "report/headless_host.h"
#include "report/meeting_file.h"
#include "report/results_report.h"
#include "riderdb/lineup_choice.h"
#include "riderdb/lineup_record.h"
#include "support/test_files.h"

namespace corvane::testing {
namespace {

// A host that checks the records stay sound after every heat and report, and counts the runoff
// heats. It can also stop the meeting once it has run a number of heats, as the user stopping
// in the heat manager would: the heat in hand counts as decided and the runner waits at the
// next heat line.
class WatchingHost : public HeadlessHost {
 public:
  WatchingHost(Meeting& m, const MeetingChoices& choices)
      : player(choices.player), playerDraws(choices.seed, 0x9a7e), meeting_(m) {}

  int stopAfterHeats = -1;  // negative: never
  ScriptedPlayer player;
  Pcg32Random playerDraws;
  void ShowHeatManager(Meeting& m) override {
    if (!player) return HeadlessHost::ShowHeatManager(m);
    ++heatManagerShown;
    if (std::string fault = player(m, playerDraws); !fault.empty()) {
      faults.push_back("heat " + N(m.HeatCount + 1) + ": " + fault);
    }
    if (m.MeetingState == kWaitForUser) ++cancels;
  }
  bool StopReached() const { return stopAfterHeats >= 0 && meeting_.HeatCount >= stopAfterHeats; }
  void SetStatusText(std::string_view text) override {
    HeadlessHost::SetStatusText(text);
    if (text.empty()) return;  // cleared on resume
    Meeting& m = meeting_;
    CheckSound("heat " + N(m.HeatCount));
    if (m.ControlMode == 2) {
      ++scratchHeats;
    } else if (m.RunoffsPending > 0 && m.HeatCount >= 1 && m.HeatCount <= kMaxHeats) {
      ++runoffHeats;
    }
    const bool running = m.MeetingState == kRunOn || m.MeetingState == kStartedFromEditor;
    if (running && StopReached()) m.MeetingState = kHeatDecided;
  }
  void PublishResults(std::string_view text) override {
    HeadlessHost::PublishResults(text);
    CheckSound("report after heat " + N(meeting_.HeatCount));
  }

  std::vector<std::string> faults;
  int runoffHeats = 0;
  int scratchHeats = 0;
  int cancels = 0;
  int continues = 0;

 private:
  void CheckSound(const std::string& when) {
    if (const auto problem = MeetingProblem(meeting_)) faults.push_back(when + ": " + *problem);
    for (std::string& fault : HeatLineupFaults(meeting_)) faults.push_back(when + ": " + fault);
  }

  Meeting& meeting_;
};

// More Continue steps than any meeting needs: the runner makes progress at every call.
constexpr int kMaxContinues = 100;
// A player's meeting waits for Continue at every heat; one cancelled before the start waits
// again. The meeting, and its support competition, may take one Continue each beyond those.
constexpr int kMaxPlayerContinues = 500;

// The heat lines of the main meeting and of the support competition, and whether no POINTS
// line changes the marks.
struct ProgrammeShape {
  int mainLines = 0;
  int supportLines = 0;
  bool marksFixed = true;
};
ProgrammeShape ShapeOf(const Meeting& m) {
  ProgrammeShape shape;
  shape.marksFixed = MarksFixedByProgramme(m);
  bool inSupport = false;
  for (std::size_t k = 1; k < m.ProgrammeLines.size(); ++k) {
    const std::string& line = m.ProgrammeLines[k];
    const std::string upper = UpperCase(Trim(line));
    inSupport = inSupport || upper.starts_with("SUPPORT");
    // A heat line with fewer than two entries is passed over.
    const ProgrammeLine read = ReadProgrammeLine(line);
    if (read.commandWord != CommandWord::kNone || !read.heat || read.entryCount < 2) continue;
    ++(inSupport ? shape.supportLines : shape.mainLines);
  }
  return shape;
}

// The line-ups the database offers the competition, from the `pick`-th on, one to each team the
// programme does not fill by transfer (one line-up of riders in an individual meeting).
void FillLineupsFromDatabase(Meeting& m, std::size_t pick) {
  const std::string& database = BundledRiderDatabase();
  const auto offered = OfferLineups(database, m, false);
  if (!offered || offered.value().empty()) return;
  const auto& lineups = offered.value();
  std::size_t next = pick;
  for (int g = 1; g <= std::max<int>(1, m.NumTeams); ++g) {
    if (FilledByTransfer(m, g)) continue;
    (void)LoadChosenLineupFromText(m, g, lineups[next++ % lineups.size()], database);
  }
}

// Support riders from the database's support line-ups, in the slots after the groups.
void FillSupportRidersFromDatabase(Meeting& m, std::size_t pick) {
  const std::string& database = BundledRiderDatabase();
  const auto offered = OfferLineups(database, m, false);
  if (!offered) return;
  std::vector<LineupRecord> support;
  for (const OfferedLineup& lineup : offered.value()) {
    const auto fields = ReadOfferedLineup(database, m, lineup);
    if (!fields) continue;
    LineupRecord record = ParseLineupFields(fields.value());
    if (record.compId == "SUP") support.push_back(std::move(record));
  }
  if (support.empty()) return;
  const LineupRecord& riders = support[pick % support.size()];
  const int first = m.NumGroups * m.NumRiders;
  for (int i = 1; i <= m.SupportRiders && first + i <= kMaxSlots; ++i) {
    const auto slot = At(first + i);
    m.RiderName[slot] = riders.riderNames[At(i)];
    m.RiderAverage[slot] = riders.riderAverages[At(i)];
    m.RiderFlag[slot] = m.RiderName[slot].empty() || m.RiderAverage[slot] == 0 ? 1 : 0;
  }
}

// Sets up a meeting of the competition as New Meeting does and runs it until it is over or the
// host's stop is reached.
void StartMeeting(Meeting& m, const std::string& competition, const MeetingChoices& choices,
                  WatchingHost& host, RandomSource& random) {
  host.fillLineups = [&choices](Meeting& meeting) {
    meeting.DateLines = "01/06/24";
    for (int g = 1; g <= meeting.NumGroups && choices.player; ++g) {
      if ((choices.playerGroups >> g & 1u) == 0) continue;
      meeting.TeamControl[At(g)] = 1;
      meeting.ControlMode = 1;
    }
    FillLineupsFromDatabase(meeting, choices.lineupPick);
    for (int g = 1; g <= meeting.NumTeams && choices.replacedRider > 0; ++g) {
      if (meeting.RdrRepUse > 0) {
        meeting.GroupReplacement[At(g)][1] =
            static_cast<Integer>(RiderSlot(meeting, g, choices.replacedRider));
      }
    }
    if (IsSlot(choices.absentRider)) meeting.RiderName[At(choices.absentRider)].clear();
  };
  NewMeeting(m, CompetitionChoice{(ScriptsFolder() / competition).string(), competition},
             choices.prefs, ScriptsFolder(), host, random);
}

// Runs the meeting on as Continue does, support competition included, until it is over or the
// host's stop is reached. Returns true when the meeting is over.
bool RunOn(Meeting& m, WatchingHost& host, RandomSource& random, std::size_t supportPick) {
  const int steps = host.player ? kMaxPlayerContinues : kMaxContinues;
  for (int step = 0; step < steps; ++step, ++host.continues) {
    // A player goes on through the Meeting menu, which must offer the way.
    const MeetingMenu menu = MeetingMenuFor(m);
    if (m.MeetingState != kMeetingOver) {
      if (host.StopReached()) return false;
      if (host.player && !(menu.continueVisible && menu.continueEnabled)) {
        host.faults.push_back("waits after heat " + N(m.HeatCount) +
                              " for a Continue the Meeting menu does not offer");
        return true;
      }
      RunProgramme(m, host, random);
    } else if (m.SupportMode && m.RunoffsPending == 0) {
      if (host.StopReached()) return false;  // main meeting over, support competition to come
      if (host.player && !(menu.supportVisible && menu.supportEnabled)) return true;
      host.fillLineups = [supportPick](Meeting& meeting) {
        FillSupportRidersFromDatabase(meeting, supportPick);
      };
      StartSupportCompetition(m, host, random);
    } else {
      return true;
    }
  }
  host.faults.push_back("the meeting did not end after " + N(steps) + " Continues");
  return true;
}

// Every invariant of a finished meeting: the scoring and standings checks, and the heat count
// against the programme's heat lines and the runoffs.
std::vector<std::string> FinishedMeetingFaults(const Meeting& m, const WatchingHost& host) {
  std::vector<std::string> faults = host.faults;
  if (m.MeetingState != kMeetingOver) faults.push_back("the meeting is not over");
  const auto [mainLines, supportLines, marksFixed] = ShapeOf(m);
  for (std::string& fault : ScoringFaults(m, marksFixed)) faults.push_back(fault);
  for (std::string& fault : StandingsFaults(m)) faults.push_back(fault);

  const int runoffs = host.runoffHeats;
  const int programmeHeats = m.ProgrammeHeats[0];
  if (m.HeatCount > kMaxHeats) faults.push_back("more than 40 heats");
  if (m.HeatCount != programmeHeats + runoffs + host.scratchHeats) {
    faults.push_back(N(m.HeatCount) + " heats: " + N(programmeHeats) + " heat lines, " +
                     N(runoffs) + " runoffs and " + N(host.scratchHeats) + " scratch races");
  }
  // Every Continue decides a heat, or ends the meeting or its main part.
  const int bound = mainLines + supportLines + runoffs + host.cancels + 2;
  if (host.player && host.continues > bound) {
    faults.push_back("over after " + N(host.continues) + " Continues, at most " + N(bound) +
                     " expected");
  }
  if (m.HeatCount < kMaxHeats) {
    if (m.MainHeats != mainLines + runoffs) {
      faults.push_back(N(m.MainHeats) + " heats in the main meeting, which has " + N(mainLines) +
                       " heat lines and " + N(runoffs) + " runoffs");
    }
    const int supportHeats = programmeHeats - mainLines;
    if (supportHeats != supportLines) {
      faults.push_back(N(supportHeats) + " support heats of " + N(supportLines));
    }
  }
  return faults;
}

// Suspends the meeting to meeting file bytes and resumes it from them, as Suspend and Resume do.
// False when the file is refused.
bool SuspendAndResume(Meeting& m, WatchingHost& host, FinishedMeeting& result,
                      const std::string& where) {
  result.suspended = true;
  const std::string reportAtStop = WriteResults(m);
  const Result<std::string> bytes = EncodeMeeting(m);
  Result<Meeting> resumed = bytes ? DecodeMeeting(bytes.value(), m) : Error{bytes.error()};
  if (!resumed) {
    result.faults.push_back(where + "the meeting file failed: " + resumed.error());
    return false;
  }
  m = std::move(resumed.value());
  if (WriteResults(m) != reportAtStop) host.faults.push_back("the meeting file lost something");
  return true;
}

}  // namespace

std::filesystem::path ScriptsFolder() {
  return std::filesystem::path(CORVANE_SOURCE_DIR) / "Scripts";
}

std::vector<std::string> BundledCompetitions() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(ScriptsFolder())) {
    if (entry.path().extension() == ".cfg") names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

const std::string& BundledRiderDatabase() {
  static const std::string bytes =
      FileText(std::filesystem::path(CORVANE_SOURCE_DIR) / "Lineups" / "Lineups.rdb");
  return bytes;
}

FinishedMeeting RunWholeMeeting(const std::string& competition, const MeetingChoices& choices,
                                int stopAfter) {
  FinishedMeeting result;
  Meeting& m = result.meeting;
  WatchingHost host(m, choices);
  host.stopAfterHeats = stopAfter;
  Pcg32Random random(choices.seed);
  StartMeeting(m, competition, choices, host, random);
  std::string where;
  if (!RunOn(m, host, random, choices.lineupPick)) {
    where = "suspended after heat " + N(m.HeatCount) + ": ";
    if (!SuspendAndResume(m, host, result, where)) return result;
    host.stopAfterHeats = -1;
    if (!RunOn(m, host, random, choices.lineupPick)) host.faults.push_back("stopped again");
  }
  // Meeting, Scratch Race: single races steered by the player once the meeting is over.
  for (int k = 0; k < choices.scratchRaces && m.MeetingState == kMeetingOver; ++k) {
    RunSingleRace(m, host, random);
  }
  for (std::string& fault : FinishedMeetingFaults(m, host)) result.faults.push_back(where + fault);
  result.report = WriteResults(m);
  result.runoffHeats = host.runoffHeats;
  result.continues = host.continues;
  return result;
}

FinishedMeeting RunScratchMeeting(const MeetingChoices& choices, int riders, int races,
                                  int stopAfter) {
  FinishedMeeting result;
  Meeting& m = result.meeting;
  WatchingHost host(m, choices);
  Pcg32Random random(choices.seed);
  host.fillLineups = [&choices, riders](Meeting& meeting) {
    meeting.DateLines = "01/06/24";
    Pcg32Random draw(choices.seed, 0x5c7a);
    meeting.NumRiders = static_cast<Integer>(riders);  // the editor packs the rows filled in
    for (int s = 1; s <= riders && s <= kMaxSlots; ++s) {
      meeting.RiderName[At(s)] = "Rider " + N(s);
      meeting.RiderAverage[At(s)] = 0.3f + static_cast<Single>(draw.NextBits() % 60) / 100.0f;
    }
  };
  NewMeeting(m, std::nullopt, choices.prefs, ScriptsFolder(), host, random);
  std::string where;
  for (int race = 1; race < races; ++race) {  // the first race ran at once
    if (race == stopAfter) {
      where = "suspended after race " + N(race) + ": ";
      if (!SuspendAndResume(m, host, result, where)) return result;
    }
    RunSingleRace(m, host, random);
  }
  std::vector<std::string> faults = host.faults;
  for (std::string& fault : ScoringFaults(m)) faults.push_back(fault);
  for (std::string& fault : StandingsFaults(m)) faults.push_back(fault);
  if (m.HeatCount != host.scratchHeats) {
    faults.push_back(N(m.HeatCount) + " heats, " + N(host.scratchHeats) + " races run");
  }
  for (std::string& fault : faults) result.faults.push_back(where + fault);
  result.report = WriteResults(m);
  return result;
}

}  // namespace corvane::testing
