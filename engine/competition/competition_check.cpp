#include "engine/competition/competition_check.h"

#include <algorithm>
#include <initializer_list>
#include <set>

#include "engine/competition/competition_file.h"
#include "engine/io/text_encoding.h"
#include "engine/programme/programme_line.h"
#include "engine/programme/transfers.h"
#include "engine/race/heat_entry.h"
#include "engine/records/characters.h"

namespace corvane {

namespace {

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string Letter(int group) {
  return std::string(1, static_cast<char>('A' + group - 1));
}

// The meeting as the heat lines see it before any result: every ordering as set up, every
// earlier programme heat with a winner. What a code names there it can name in a meeting; what
// names nobody there names nobody in any meeting.
Meeting ProbeMeeting(const Meeting& read) {
  Meeting probe = read;
  for (int s = 0; s <= kMaxSlots; ++s) {
    const auto i = static_cast<std::size_t>(s);
    probe.ScoreOrder[i] = probe.AverageOrder[i] = static_cast<Integer>(s);
  }
  for (int g = 0; g <= kMaxGroups; ++g)
    probe.GroupOrder[static_cast<std::size_t>(g)] = static_cast<Integer>(g);
  for (int h = 1; h <= kMaxHeats; ++h) {
    probe.ProgrammeHeats[static_cast<std::size_t>(h)] = static_cast<Integer>(h);
    for (int p = 1; p <= kMaxEntries; ++p)
      probe.HeatResults[static_cast<std::size_t>(h)][static_cast<std::size_t>(p)][1] = 1;
  }
  return probe;
}

struct ProgrammeChecker {
  const Meeting& read;
  Meeting probe;
  CompetitionNotes& notes;
  int line = 0;
  int heats = 0;         // heat lines with two riders or more so far
  bool support = false;  // past the SUPPORT line
  int supportRiders = 0;

  void Note(std::string message) const { notes.Add(line, std::move(message)); }

  // Why an upper-cased code names nobody in this meeting, for a code that reads as no rider.
  std::string WhyNobody(const EntryCode& code, bool outOfRange) const {
    const int groups = read.NumGroups;
    const char first = code.first;
    const bool letter = first >= 'A' && first <= 'Z';
    if (letter && first != 'R' && first != 'S' && first != 'T') {
      const int group = first - 'A' + 1;
      if (group <= groups) {
        return "line-up " + Letter(group) + " has riders 1 to " + Dec(read.NumRiders);
      }
      return "there is no line-up " + std::string(1, first) + " (the meeting has " +
             (groups == 1 ? std::string("one line-up, A") : "A to " + Letter(groups)) +
             "), so it reads as the number 0";
    }
    if ((first == 'S' || first == 'T') && code.heat == 0.0 && groups != 1 && outOfRange) {
      return "a place in the standings needs a meeting of one line-up";
    }
    if ((first == 'S' || first == 'T') && code.heat != 0.0) {
      return "the programme has " + Dec(probe.ProgrammeHeats[0]) + " heat(s) before it";
    }
    if (!letter && outOfRange) return "the number is out of range";
    if (!letter) return "it reads as 0";
    return "the number is out of range";
  }

  void CheckHeat(const ProgrammeLine& heat, std::string_view text) {
    if (IsKeywordLine(text)) {
      Note("this keyword line holds a \":\", so the meeting also reads it as a heat");
    }
    const int groupSlots = read.NumGroups == 1 ? 0 : read.NumGroups * read.NumRiders;
    const auto codes = SplitFields(SplitFields(text, ":", 2)[2], ",", 8);
    std::set<int> fixed;  // riders named for certain, not through a ranking
    int riders = 0;
    for (int k = 0, field = 1; k < heat.entryCount; ++k, ++field) {
      while (field <= 8 && codes[static_cast<std::size_t>(field)].empty()) ++field;
      const std::string codeText = field <= 8 ? codes[static_cast<std::size_t>(field)] : "";
      const EntryCode& code = heat.entries[static_cast<std::size_t>(k)].code;
      const std::optional<HeatEntry> entry = ResolveHeatEntry(probe, code);
      if (!entry || entry->rider == 0) {
        Note(codeText + " names nobody: " + WhyNobody(code, !entry));
        continue;
      }
      const bool bySlot = code.first >= '0' && code.first <= '9';
      if (support && bySlot && entry->rider > groupSlots + supportRiders) {
        Note(codeText + " names nobody: the support competition has " + Dec(supportRiders) +
             " rider(s) of its own");
        continue;
      }
      if (entry->programmedRide || bySlot) {
        if (!fixed.insert(entry->rider).second) {
          Note(codeText + " names a rider already in this heat: the place stays empty");
          continue;
        }
      }
      ++riders;
    }
    if (riders < 2) {
      Note("fewer than two riders: the heat is not raced");
      return;
    }
    ++heats;
    probe.ProgrammeHeats[0] = static_cast<Integer>(std::min(heats, kMaxHeats));
    if (heats == kMaxHeats + 1) {
      Note(
          "heat 41: a meeting races at most 40 heats, so this heat and any after it are never "
          "raced");
    }
  }

  // An argument that must be one of the words given.
  void OneOf(const ProgrammeLine& command, std::string_view name,
             std::initializer_list<std::string_view> words) const {
    for (std::string_view word : words) {
      if (command.argumentWord == word) return;
    }
    std::string list;
    for (std::string_view word : words) list += (list.empty() ? "" : ", ") + std::string(word);
    Note(Quoted(command.argument) + " is not an argument of " + std::string(name) + " (" + list +
         "): the line changes nothing");
  }

  void CheckNumber(const ProgrammeLine& command, std::string_view name, std::string_view text,
                   int lo, int hi, std::string_view instead) const {
    if (text.empty()) return;
    const double value = LeadingNumber(text);
    if (value >= lo && value <= hi) return;
    Note(std::string(name) + ": " + Quoted(text) + " is not " + Dec(lo) + " to " + Dec(hi) + ": " +
         std::string(instead));
    (void)command;
  }

  void CheckCommand(const ProgrammeLine& command) {
    const std::string& argument = command.argument;
    switch (command.commandWord) {
      case CommandWord::kNone:
        break;
      case CommandWord::kSupport: {
        support = true;
        const int trackReserves = read.ResMode == 2 ? read.NumReserves : 0;
        const int free = kMaxSlots - (read.NumRiders * read.NumGroups + trackReserves);
        const double riders = LeadingNumber(argument);
        if (riders >= 1 && riders <= 8 && riders <= free) {
          supportRiders = RoundToIntegerClamped(riders);
        } else if (!argument.empty()) {
          Note("SUPPORT: " + Quoted(argument) + " riders is not 1 to " +
               Dec(std::clamp(free, 0, 8)) + ": the support competition has no riders of its own");
        }
        break;
      }
      case CommandWord::kHandicap:
        OneOf(command, "HANDICAP", {"OFF", "ON", "RESET"});
        break;
      case CommandWord::kNominated: {
        const auto numbers = SplitFields(argument, ",", 2);
        const int riders = read.NumRiders - read.RdrRepSlot;
        CheckNumber(command, "NOMINATED", numbers[1], 1, riders, "1 is used");
        CheckNumber(command, "NOMINATED", numbers[2], 1, riders, "up to the last rider is used");
        break;
      }
      case CommandWord::kPoints:
        for (const std::string& mark : SplitFields(argument, ",", 8)) {
          if (CharacterCount(mark) > 2) Note("POINTS: " + Quoted(mark) + " is cut to 2 characters");
        }
        break;
      case CommandWord::kRankRiderScores:
      case CommandWord::kRankTeamScores:
        if (!argument.empty())
          Note("the command takes no argument: " + Quoted(argument) + " is ignored");
        break;
      case CommandWord::kResSubs:
        OneOf(command, "RESSUBS", {"OFF", "ON"});
        break;
      case CommandWord::kRdrRep:
        OneOf(command, "RDRREP", {"OFF", "ON"});
        break;
      case CommandWord::kRunoffs:
        CheckNumber(command, "RUNOFFS", argument, 2, 8, "runoffs of 4 riders");
        break;
      case CommandWord::kScoring:
        OneOf(command, "SCORING", {"OFF", "ON", "OPTIONAL"});
        break;
      case CommandWord::kStartPos:
        OneOf(command, "STARTPOS", {"FIXED", "PREF"});
        break;
      case CommandWord::kTacSubs:
        OneOf(command, "TACSUBS", {"OFF", "ON", "UNRES"});
        break;
      case CommandWord::kTfrRider: {
        const auto refs = SplitFields(argument, ">", 2);
        if (ResolveRiderReference(probe, refs[1], true) == 0 ||
            ResolveRiderReference(probe, refs[2], false) == 0) {
          Note(
              "TFRRIDER needs source>destination riders of this meeting (such as SA1>C1): the "
              "line copies nobody");
        }
        break;
      }
      case CommandWord::kTfrTeam: {
        const auto refs = SplitFields(argument, ">", 2);
        if (read.NumTeams <= 1) {
          Note("TFRTEAM does nothing in a meeting without teams");
        } else if (ResolveTeamReference(probe, refs[1], true) == 0 ||
                   ResolveTeamReference(probe, refs[2], false) == 0) {
          Note(
              "TFRTEAM needs source>destination teams of this meeting (such as SA>E): the line "
              "copies nothing");
        }
        break;
      }
    }
  }

  void Run() {
    for (line = 1; line <= read.ProgrammeLineCount(); ++line) {
      const std::string& text = read.ProgrammeLines[static_cast<std::size_t>(line)];
      const ProgrammeLine programmeLine = ReadProgrammeLine(text);
      if (programmeLine.commandWord != CommandWord::kNone) {
        CheckCommand(programmeLine);
      } else if (programmeLine.heat) {
        CheckHeat(programmeLine, text);
      }
    }
    line = 0;
  }
};

// The last line that sets the keyword, 0 when none does.
int KeywordLine(const Meeting& m, std::string_view key) {
  int found = 0;
  for (int i = 1; i <= m.ProgrammeLineCount(); ++i) {
    if (UpperCase(SplitFields(m.ProgrammeLines[static_cast<std::size_t>(i)], "=", 1)[1]) == key &&
        IsKeywordLine(m.ProgrammeLines[static_cast<std::size_t>(i)]))
      found = i;
  }
  return found;
}

void CheckPlannedRides(const Meeting& m, CompetitionNotes& notes) {
  std::string over;
  for (int g = 1; g <= m.NumGroups; ++g) {
    for (int k = 1; k <= m.NumRiders; ++k) {
      const int slot = RiderSlot(m, g, k);
      if (!IsSlot(slot)) continue;
      const int planned = m.PlannedRides[static_cast<std::size_t>(slot)];
      if (planned > m.MaxRides) {
        over += (over.empty() ? "" : ", ") + (m.NumGroups > 1 ? Letter(g) : "") + Dec(k) + " " +
                Dec(planned);
      }
    }
  }
  if (over.empty()) return;
  notes.Add(KeywordLine(m, "MAXRIDES"),
            "riders programmed for more rides than MAXRIDES (" + Dec(m.MaxRides) + "): " + over);
}

bool HoldsCompetition(const Meeting& m) {
  for (int i = 1; i <= m.ProgrammeLineCount(); ++i) {
    const std::string& text = m.ProgrammeLines[static_cast<std::size_t>(i)];
    if (IsKeywordLine(text) || IsCommandLine(text) || ReadProgrammeLine(text).heat) return true;
  }
  return false;
}

}  // namespace

CompetitionCheck CheckCompetitionText(std::string_view bytes, Integer prefMaxAverage) {
  CompetitionCheck check;
  Meeting& m = check.meeting;
  m.MaxAverage = prefMaxAverage;
  CompetitionNotes notes;
  check.readable = LoadCompetitionText(m, bytes, prefMaxAverage, &notes);
  if (check.readable) {
    check.holdsCompetition = HoldsCompetition(m);
    if (check.holdsCompetition) {
      ProgrammeChecker programme{m, ProbeMeeting(m), notes};
      programme.Run();
      CheckPlannedRides(m, notes);
    } else {
      notes.Add(0, "the file holds no competition: no keyword, command or heat line");
    }
  }
  if (!check.readable && !notes.notes.empty()) {
    check.failure = notes.notes.back().message;
  }
  for (const CompetitionNote& note : notes.notes) {
    CheckFinding finding;
    const auto at = static_cast<std::size_t>(note.programmeLine);
    if (note.programmeLine > 0 && at < notes.fileLine.size()) {
      finding.fileLine = notes.fileLine[at];
      finding.lineText = m.ProgrammeLines[at];
    }
    finding.message = note.message;
    check.findings.push_back(std::move(finding));
  }
  std::stable_sort(check.findings.begin(), check.findings.end(),
                   [](const CheckFinding& a, const CheckFinding& b) {
                     const auto key = [](int line) { return line == 0 ? INT32_MAX : line; };
                     return key(a.fileLine) < key(b.fileLine);
                   });
  return check;
}

std::vector<std::string> PlannedRidesTable(const Meeting& m) {
  std::vector<std::string> table;
  bool any = false;
  for (int g = 1; g <= m.NumGroups; ++g) {
    std::string row = (m.NumGroups > 1 ? Letter(g) : std::string(" ")) + " ";
    for (int k = 1; k <= m.NumRiders; ++k) {
      const int slot = RiderSlot(m, g, k);
      if (!IsSlot(slot)) break;
      const int planned = m.PlannedRides[static_cast<std::size_t>(slot)];
      any = any || planned > 0;
      row += (planned < 10 ? "  " : " ") + Dec(planned);
    }
    table.push_back(row);
  }
  if (!any) table.clear();
  return table;
}

std::string CheckSummary(const CompetitionCheck& check, std::string_view name) {
  const std::string file(name);
  if (!check.readable) {
    return file + ": " + check.failure;
  }
  if (!check.holdsCompetition) return file + ": the file holds no competition";
  const std::size_t count = check.findings.size();
  if (count == 0) return file + ": no problems found";
  return file + ": " + Dec(static_cast<long>(count)) + (count == 1 ? " problem" : " problems") +
         " found";
}

}  // namespace corvane
