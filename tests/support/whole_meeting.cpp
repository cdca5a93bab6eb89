#include "support/whole_meeting.h"

#include <algorithm>
#include <string_view>

#include "engine/conventions.h"
#include "engine/file_io.h"
#include "engine/headless_host.h"
#include "engine/meeting_runner.h"
#include "engine/meeting_setup.h"
#include "engine/meeting_validation.h"
#include "engine/random_source.h"
#include "engine/rankings.h"
#include "engine/transfers.h"
#include "report/meeting_file.h"
#include "report/results_report.h"
#include "riderdb/lineup_choice.h"
#include "riderdb/lineup_record.h"

namespace corvane::testing {
namespace {

std::size_t At(int index) {
  return static_cast<std::size_t>(index);
}

std::string N(long value) {
  return std::to_string(value);
}

// The points, rides, scorecard and team points of a meeting, to compare before and after a heat
// that must not score.
struct ScoringRecords {
  SlotArray<Integer> rides{};
  SlotArray<Integer> points{};
  SlotArray<Integer> bonus{};
  SlotArray<std::string> card;  // the marks of the rides taken, one after another
  GroupArray<Integer> teamPoints{};

  bool operator==(const ScoringRecords&) const = default;
};

ScoringRecords ScoringRecordsOf(const Meeting& m) {
  ScoringRecords records;
  for (int s = 0; s <= kMaxSlots; ++s) {
    const auto i = At(s);
    records.rides[i] = m.RidesTaken[i];
    records.points[i] = m.RiderPoints[i];
    records.bonus[i] = m.RiderBonus[i];
    const auto& row = m.Scorecard[i];
    for (std::size_t ride = 1; ride < row.size() && ride <= At(m.RidesTaken[i]); ++ride) {
      records.card[i] += row[ride] + "|";
    }
  }
  records.teamPoints = m.GroupPoints;
  return records;
}

// True when no line of the programme changes the marks.
bool MarksFixedByProgramme(const Meeting& m) {
  for (std::size_t k = 1; k < m.ProgrammeLines.size(); ++k) {
    if (UpperCase(Trim(m.ProgrammeLines[k])).starts_with("POINTS")) return false;
  }
  return true;
}

// A runoff heat as it was decided: the riders in finishing order, the stage of its runoff and
// the size of the level block.
struct RunoffHeat {
  int heat = 0;
  int stage = 0;
  int blockSize = 0;
  int heatRiders = 0;
  std::vector<int> ranked;
};

// A host that checks the meeting after every heat: the records stay sound, and a runoff heat
// leaves points, rides and scorecards as they were. It can also stop the meeting once it has run
// a number of heats, as the user stopping in the heat manager would: the heat in hand counts as
// decided and the runner waits at the next heat line.
class WatchingHost : public HeadlessHost {
 public:
  explicit WatchingHost(Meeting& m) : meeting_(m), beforeHeat_(ScoringRecordsOf(m)) {}

  int stopAfterHeats = -1;  // negative: never
  bool StopReached() const { return stopAfterHeats >= 0 && meeting_.HeatCount >= stopAfterHeats; }
  void SetStatusText(std::string_view text) override;
  void PublishResults(std::string_view text) override;

  std::vector<std::string> faults;
  std::vector<RunoffHeat> runoffHeats;

 private:
  void CheckSound(const std::string& when) {
    if (const auto problem = MeetingProblem(meeting_)) faults.push_back(when + ": " + *problem);
  }

  Meeting& meeting_;
  ScoringRecords beforeHeat_;
};

// More Continue steps than any meeting needs: the runner makes progress at every call.
constexpr int kMaxContinues = 100;

bool IsHeatLine(const std::string& line) {
  return line.find(':') != std::string::npos;
}

bool IsSupportLine(const std::string& line) {
  return UpperCase(Trim(line)).starts_with("SUPPORT");
}

// Heat lines of the main meeting and of the support competition.
std::pair<int, int> HeatLines(const Meeting& m) {
  int main = 0;
  int support = 0;
  bool inSupport = false;
  for (std::size_t k = 1; k < m.ProgrammeLines.size(); ++k) {
    const std::string& line = m.ProgrammeLines[k];
    if (!inSupport && IsSupportLine(line)) inSupport = true;
    if (IsHeatLine(line)) ++(inSupport ? support : main);
  }
  return {main, support};
}

// The runoff heats that settled their block at once: while the riders (or the teams of the
// riders) in one are still level, the standings must keep them in its finishing order.
void CheckRunoffOrders(const Meeting& m, const WatchingHost& host,
                       std::vector<std::string>& faults) {
  Meeting ranked = m;
  RankRiderScores(ranked);
  RankTeamScores(ranked);
  const bool teams = m.NumTeams > 1;
  const auto position = [&](int participant) {
    if (teams) {
      for (int q = 1; q <= m.NumTeams; ++q) {
        if (ranked.GroupOrder[At(q)] == participant) return q;
      }
    } else {
      for (int q = 1; q <= kMaxSlots; ++q) {
        if (ranked.ScoreOrder[At(q)] == participant) return q;
      }
    }
    return 0;
  };
  const auto total = [&](int participant) {
    return teams ? m.GroupPoints[At(participant)]
                 : m.RiderPoints[At(participant)] + m.RiderBonus[At(participant)];
  };
  for (const RunoffHeat& runoff : host.runoffHeats) {
    if (runoff.stage != 1 || runoff.blockSize > runoff.heatRiders) continue;
    for (std::size_t k = 0; k + 1 < runoff.ranked.size(); ++k) {
      const int ahead = teams ? m.RiderTeam[At(runoff.ranked[k])] : runoff.ranked[k];
      const int behind = teams ? m.RiderTeam[At(runoff.ranked[k + 1])] : runoff.ranked[k + 1];
      if (total(ahead) != total(behind)) continue;
      if (position(ahead) > position(behind)) {
        faults.push_back("runoff heat " + N(runoff.heat) + " put " + N(ahead) + " ahead of " +
                         N(behind) + ", the standings do not");
      }
    }
  }
}

void WatchingHost::SetStatusText(std::string_view text) {
  HeadlessHost::SetStatusText(text);
  if (text.empty()) return;  // cleared on resume
  Meeting& m = meeting_;
  const std::string heat = "heat " + N(m.HeatCount);
  CheckSound(heat);
  const ScoringRecords now = ScoringRecordsOf(m);
  if (m.RunoffsPending > 0 && m.HeatCount >= 1 && m.HeatCount <= kMaxHeats) {
    if (now != beforeHeat_) faults.push_back(heat + ", a runoff, changed points or scorecards");
    RunoffHeat runoff;
    runoff.heat = m.HeatCount;
    runoff.stage = m.RunoffStage;
    const int row = std::clamp<int>(m.RunoffsPending, 0, 3);
    runoff.blockSize = m.RunoffTable[At(row)][2];
    runoff.heatRiders = m.HeatRiders;
    const HeatRecord& record = m.HeatResults[At(m.HeatCount)];
    for (int e = 1; e <= record[0][2] && e <= kMaxEntries; ++e) {
      runoff.ranked.push_back(record[At(e)][1]);
    }
    runoffHeats.push_back(std::move(runoff));
  }
  beforeHeat_ = now;
  const bool running = m.MeetingState == kRunOn || m.MeetingState == kStartedFromEditor;
  if (running && StopReached()) m.MeetingState = kHeatDecided;
}

void WatchingHost::PublishResults(std::string_view text) {
  HeadlessHost::PublishResults(text);
  CheckSound("report after heat " + N(meeting_.HeatCount));
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
  for (int step = 0; step < kMaxContinues; ++step) {
    if (m.MeetingState != kMeetingOver) {
      if (host.StopReached()) return false;
      RunProgramme(m, host, random);
    } else if (m.SupportMode && m.RunoffsPending == 0) {
      if (host.StopReached()) return false;  // main meeting over, support competition to come
      host.fillLineups = [supportPick](Meeting& meeting) {
        FillSupportRidersFromDatabase(meeting, supportPick);
      };
      StartSupportCompetition(m, host, random);
    } else {
      return true;
    }
  }
  host.faults.push_back("the meeting did not end after " + N(kMaxContinues) + " Continues");
  return true;
}

// Every invariant of a finished meeting: the scoring and standings checks, the heat count
// against the programme's heat lines and the runoffs, and each one-heat runoff's order kept by
// the standings while the riders or teams in it are still level.
std::vector<std::string> FinishedMeetingFaults(const Meeting& m, const WatchingHost& host) {
  std::vector<std::string> faults = host.faults;
  if (m.MeetingState != kMeetingOver) faults.push_back("the meeting is not over");
  for (std::string& fault : ScoringFaults(m, MarksFixedByProgramme(m))) faults.push_back(fault);
  for (std::string& fault : StandingsFaults(m)) faults.push_back(fault);

  const auto [mainLines, supportLines] = HeatLines(m);
  const int runoffs = static_cast<int>(host.runoffHeats.size());
  const int programmeHeats = m.ProgrammeHeats[0];
  if (m.HeatCount > kMaxHeats) faults.push_back("more than 40 heats");
  if (m.HeatCount != programmeHeats + runoffs) {
    faults.push_back(N(m.HeatCount) + " heats: " + N(programmeHeats) + " heat lines and " +
                     N(runoffs) + " runoffs");
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
  CheckRunoffOrders(m, host, faults);
  return faults;
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
  static const std::string bytes = [] {
    const auto read = ReadWholeFile(
        std::filesystem::path(CORVANE_SOURCE_DIR) / "Lineups" / "Lineups.rdb", 1u << 20);
    return read ? read.value() : std::string();
  }();
  return bytes;
}

FinishedMeeting RunWholeMeeting(const std::string& competition, const MeetingChoices& choices,
                                int stopAfter) {
  FinishedMeeting result;
  Meeting& m = result.meeting;
  WatchingHost host(m);
  host.stopAfterHeats = stopAfter;
  Pcg32Random random(choices.seed);
  StartMeeting(m, competition, choices, host, random);
  if (RunOn(m, host, random, choices.lineupPick)) {
    result.faults = FinishedMeetingFaults(m, host);
    result.report = WriteResults(m);
    result.runoffHeats = static_cast<int>(host.runoffHeats.size());
    return result;
  }
  result.suspended = true;
  const std::string where = "suspended after heat " + N(m.HeatCount) + ": ";
  const std::string reportAtStop = WriteResults(m);
  const Result<std::string> bytes = EncodeMeeting(m);
  Result<Meeting> resumed = bytes ? DecodeMeeting(bytes.value(), m) : Error{bytes.error()};
  if (!resumed) {
    result.faults.push_back(where + "the meeting file failed: " + resumed.error());
    return result;
  }
  m = std::move(resumed.value());
  if (WriteResults(m) != reportAtStop)
    result.faults.push_back(where + "the meeting file lost something");
  WatchingHost resumedHost(m);
  resumedHost.runoffHeats = host.runoffHeats;
  resumedHost.faults = host.faults;
  if (!RunOn(m, resumedHost, random, choices.lineupPick))
    result.faults.push_back(where + "stopped again");
  for (std::string& fault : FinishedMeetingFaults(m, resumedHost))
    result.faults.push_back(where + fault);
  result.report = WriteResults(m);
  result.runoffHeats = static_cast<int>(resumedHost.runoffHeats.size());
  return result;
}

}  // namespace corvane::testing
