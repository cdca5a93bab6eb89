#include "engine/competition/competition_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <span>

#include "engine/host/meeting_host.h"
#include "engine/io/file_io.h"
#include "engine/io/text_encoding.h"
#include "engine/programme/programme_line.h"
#include "engine/records/characters.h"

namespace corvane {

namespace {

// A run-time failure ends the reading at once.
struct ReadFailure {};

// The regulations the checks may repair, and so the keyword lines the notes of a repair name.
enum Given {
  kTeams,
  kGroups,
  kPerRow,
  kRiders,
  kReserves,
  kResMode,
  kMinRides,
  kRunoffs,
  kBonus,
  kTacSubs,
  kRdrRep,
  kRdrRepSlot,
  kGivenCount
};

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

std::string NumberText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// True when the whole text is one number, as LeadingNumber reads it.
bool IsWholeNumberText(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size();
}

// The state of one reading: the meeting it fills and, when asked for, the notes of what it did.
struct Reader {
  Meeting& m;
  CompetitionNotes* notes = nullptr;
  int line = 0;                          // the kept line being read
  std::array<int, kGivenCount> given{};  // the line that last set each regulation

  void Note(std::string message) const {
    if (notes != nullptr) notes->Add(line, std::move(message));
  }
  void NoteAt(int at, std::string message) const {
    if (notes != nullptr && at > 0) notes->Add(at, std::move(message));
  }

  Integer Whole(double value) const {
    const std::optional<Integer> n = RoundToInteger(value);
    if (!n) {
      Note(NumberText(value) +
           " is too large for a meeting (whole numbers are -32768 to 32767): the meeting cannot "
           "read this file");
      throw ReadFailure{};
    }
    return *n;
  }

  // The lenient number of a value; the notes say what a value that is not one number gave.
  double Number(std::string_view text, std::string_view key) const {
    const double value = LeadingNumber(text);
    if (notes == nullptr || text.empty() || IsWholeNumberText(text)) return value;
    if (value == 0 && !IsWholeNumberText(text.substr(0, 1))) {
      Note(std::string(key) + ": " + Quoted(text) + " is not a number: read as 0");
    } else {
      Note(std::string(key) + ": " + Quoted(text) + " is read as " + NumberText(value) +
           ", the text after the number is ignored");
    }
    return value;
  }
  Integer WholeOf(std::string_view text, std::string_view key) const {
    return Whole(Number(text, key));
  }

  // The value's list of at most `count` items; the notes say what was dropped after them.
  std::vector<std::string> Items(const std::string& value, int count, std::string_view key) const {
    std::string rest;
    auto items = SplitFields(value, ",", count, &rest);
    if (!rest.empty()) {
      Note(std::string(key) + " takes " +
           (count == 1 ? std::string("one value") : Dec(count) + " values") + ": " + Quoted(rest) +
           " is ignored");
    }
    return items;
  }

  void Set(Given which) { given[static_cast<std::size_t>(which)] = line; }

  // A value a check changed, noted on the line that gave it.
  void Repaired(Given which, std::string_view key, long before, long after,
                std::string_view why) const {
    if (before == after) return;
    NoteAt(given[static_cast<std::size_t>(which)], std::string(key) + " " + Dec(before) + " " +
                                                       std::string(why) + ": " + Dec(after) +
                                                       " is used");
  }
};

bool InRange(double value, double lo, double hi) {
  return value >= lo && value <= hi;
}

// Splits the text into lines at CR LF, CR or LF. An empty file has no line at all.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

void KeepLines(Reader& r, std::string_view text) {
  r.m.ProgrammeLines = ProgrammeText();
  int fileLine = 0;
  for (std::string_view raw : SplitLines(text)) {
    ++fileLine;
    if (raw.empty()) continue;
    std::string line = Trim(raw);
    if (!line.empty() && line[0] == '#') continue;
    if (r.m.ProgrammeLineCount() >= kMaxProgrammeLines) {
      r.line = 0;
      r.Note("more than " + Dec(kMaxProgrammeLines) +
             " lines that are not comments: the meeting cannot read this file");
      throw ReadFailure{};
    }
    r.m.ProgrammeLines.push_back(std::move(line));
    if (r.notes != nullptr) r.notes->fileLine.push_back(fileLine);
  }
}

constexpr std::string_view kKeywords[] = {
    "NUMTEAMS",  "NUMGROUPS",  "NUMRIDERS",   "RESERVES",   "MAXRIDES",  "MINRIDES",
    "RUNOFFS",   "RESUSE",     "STARTPEN",    "BONUSPTS",   "TACSUBUSE", "RDRREPUSE",
    "SPCLRACES", "GROUPTITLE", "HANDICAPUSE", "MAXAVERAGE", "COMPID"};
// A line that is no keyword: the runner takes it as a command or a heat, or ignores it.
void NoteOtherLine(const Reader& r, const std::string& text, const std::string& key) {
  if (r.notes == nullptr || IsCommandLine(text) || ReadProgrammeLine(text).heat) return;
  const bool isCommandWord = CommandOfLine(key) != CommandWord::kNone;
  if (text.find('=') != std::string::npos) {
    if (isCommandWord) {
      r.Note(key + " is a command, written " + key + "-argument: the line is ignored");
    } else {
      r.Note(Quoted(key) + " is not a keyword: the line is ignored" + DidYouMean(key));
    }
  } else if (text.find('~') != std::string::npos) {
    return;  // the title line
  } else if (text.find(':') != std::string::npos) {
    r.Note("a heat line needs riders after \":\": the line is ignored");
  } else if (!Trim(text).empty()) {
    const std::string word = UpperCase(SplitFields(text, "-", 1)[1]);
    r.Note("not a keyword, command or heat: the line is ignored" + DidYouMean(word));
  }
}

void ApplyKeyword(Reader& r, const std::string& key, const std::string& value,
                  Integer prefMaxAverage) {
  Meeting& m = r.m;
  if (key == "NUMTEAMS") {
    m.NumTeams = r.WholeOf(r.Items(value, 1, key)[1], key);
    r.Set(kTeams);
  } else if (key == "NUMGROUPS") {
    const auto items = r.Items(value, 2, key);
    m.NumGroups = r.WholeOf(items[1], key);
    m.GroupsPerRow = r.WholeOf(items[2], key);
    r.Set(kGroups);
    r.given[kPerRow] = items[2].empty() ? 0 : r.line;
  } else if (key == "NUMRIDERS") {
    m.NumRiders = r.WholeOf(value, key);
    r.Set(kRiders);
  } else if (key == "RESERVES") {
    const auto items = r.Items(value, 2, key);
    m.NumReserves = r.WholeOf(items[1], key);
    m.ResMode = r.WholeOf(items[2], key);
    r.Set(kReserves);
    r.given[kResMode] = items[2].empty() ? 0 : r.line;
  } else if (key == "MAXRIDES") {
    const auto items = r.Items(value, 2, key);
    const double a = r.Number(items[1], key);
    const double b = r.Number(items[2], key);
    if (InRange(a, 0, 9)) {
      m.MaxRides = r.Whole(a);
    } else {
      r.Note("MAXRIDES " + NumberText(a) + " is outside 0 to 9: ignored, " + Dec(m.MaxRides) +
             " stays");
    }
    if (InRange(b, 0, 9)) {
      m.MaxRidesRes = r.Whole(b);
    } else {
      r.Note("MAXRIDES: the reserves' limit " + NumberText(b) + " is outside 0 to 9: ignored, " +
             Dec(m.MaxRidesRes) + " stays");
    }
  } else if (key == "MINRIDES") {
    m.MinRides = r.WholeOf(value, key);
    r.Set(kMinRides);
  } else if (key == "RUNOFFS") {
    m.RunoffMode = r.WholeOf(value, key);
    r.Set(kRunoffs);
  } else if (key == "RESUSE") {
    const double v = r.Number(value, key);
    if (InRange(v, 0, 7)) {
      m.ResUse = r.Whole(v);
    } else {
      r.Note("RESUSE " + NumberText(v) + " is outside 0 to 7: ignored, " + Dec(m.ResUse) +
             " stays");
    }
  } else if (key == "STARTPEN") {
    const double v = r.Number(value, key);
    if (InRange(v, 0, 99)) {
      m.StartPen = r.Whole(v);
    } else {
      r.Note("STARTPEN " + NumberText(v) + " is outside 0 to 99: ignored, " + Dec(m.StartPen) +
             " stays");
    }
  } else if (key == "BONUSPTS") {
    m.BonusPts = r.WholeOf(value, key);
    r.Set(kBonus);
  } else if (key == "TACSUBUSE") {
    const auto items = r.Items(value, 2, key);
    m.TacSubUse = r.WholeOf(items[1], key);
    r.Set(kTacSubs);
    const double margin = r.Number(items[2], key);
    m.TacSubMargin = InRange(margin, 2, 99) ? r.Whole(margin) : Integer{6};
    if (!items[2].empty() && !InRange(margin, 2, 99)) {
      r.Note("TACSUBUSE: the margin " + NumberText(margin) + " is outside 2 to 99: 6 is used");
    }
  } else if (key == "RDRREPUSE") {
    const auto items = r.Items(value, 2, key);
    m.RdrRepUse = r.WholeOf(items[1], key);
    m.RdrRepSlot = r.WholeOf(items[2], key);
    r.Set(kRdrRep);
    r.given[kRdrRepSlot] = items[2].empty() ? 0 : r.line;
  } else if (key == "SPCLRACES") {
    const auto items = r.Items(value, 2, key);
    const double mode = r.Number(items[1], key);
    if (InRange(mode, 0, 2)) {
      m.SpclRaceMode = r.Whole(mode);
    } else {
      r.Note("SPCLRACES " + NumberText(mode) + " is outside 0 to 2: ignored, " +
             Dec(m.SpclRaceMode) + " stays");
    }
    m.SpclRaceName = Left(items[2], 18);
    if (CharacterCount(items[2]) > 18)
      r.Note("SPCLRACES: the name is cut to " + Quoted(m.SpclRaceName));
  } else if (key == "GROUPTITLE") {
    const auto items = r.Items(value, 2, key);
    if (!items[1].empty() && items[1][0] >= 'A' && items[1][0] <= 'I') {
      m.GroupTitle[static_cast<std::size_t>(items[1][0] - 'A' + 1)] = UpperCase(Left(items[2], 32));
      if (CharacterCount(items[2]) > 32) r.Note("GROUPTITLE: the title is cut to 32 characters");
    } else {
      r.Note("GROUPTITLE needs a line-up letter A to I (upper case) first: the line is ignored");
    }
  } else if (key == "HANDICAPUSE") {
    const auto items = r.Items(value, 8, key);
    for (std::size_t i = 1; i <= 8; ++i) {
      const double metres = r.Number(items[i], key);
      if (InRange(metres, 0, 99)) {
        m.Handicaps[i] = r.Whole(metres);
      } else {
        r.Note("HANDICAPUSE: distance " + Dec(static_cast<long>(i)) + " (" + NumberText(metres) +
               ") is outside 0 to 99: ignored");
      }
    }
  } else if (key == "MAXAVERAGE") {
    const double v = r.Number(value, key);
    m.MaxAverage = InRange(v, 1, 99) ? r.Whole(v) : prefMaxAverage;
    if (!InRange(v, 1, 99)) {
      r.Note("MAXAVERAGE " + NumberText(v) + " is outside 1 to 99: the preference (" +
             Dec(prefMaxAverage) + ") is used");
    }
  } else if (key == "COMPID") {
    const auto items = r.Items(value, 8, key);
    for (std::size_t i = 1; i <= 8; ++i) {
      m.CompIds[i] = UpperCase(Left(items[i], 6));
      if (CharacterCount(items[i]) > 6) {
        r.Note("COMPID: " + Quoted(items[i]) + " is cut to 6 characters: " + Quoted(m.CompIds[i]));
      }
    }
  }
}

// Each keyword's lines, so that a keyword given twice is noted on the line that no longer counts.
void NoteRepeatedKeyword(const Reader& r, std::map<std::string, int>& seen,
                         const std::string& key) {
  if (r.notes == nullptr) return;
  const auto [at, first] = seen.emplace(key, r.line);
  if (first) return;
  r.NoteAt(at->second, key + " is given again on line " +
                           Dec(r.notes->fileLine[static_cast<std::size_t>(r.line)]) +
                           ", which counts: this line does not");
  at->second = r.line;
}

void ReadKeywords(Reader& r, Integer prefMaxAverage) {
  std::map<std::string, int> seen;
  for (r.line = 1; r.line <= r.m.ProgrammeLineCount(); ++r.line) {
    const std::string& text = r.m.ProgrammeLines[static_cast<std::size_t>(r.line)];
    std::string rest;
    const auto parts = SplitFields(text, "=", 2, &rest);
    const std::string key = UpperCase(parts[1]);
    if (std::find(std::begin(kKeywords), std::end(kKeywords), key) == std::end(kKeywords)) {
      NoteOtherLine(r, text, key);
      continue;
    }
    if (!rest.empty()) r.Note(key + ": the text after a second \"=\" is ignored");
    if (text.find('=') == std::string::npos) r.Note(key + " without \"=\" reads as no value");
    NoteRepeatedKeyword(r, seen, key);
    ApplyKeyword(r, key, parts[2], prefMaxAverage);
  }
  r.line = 0;
}

bool RidersAllowed(const Meeting& m) {
  const int n = m.NumRiders;
  const int most = std::max(m.NumTeams, m.NumGroups);
  if (n < 2 || n > 40) return false;
  if (n >= 9) return m.NumTeams == 1 && m.NumGroups == 1;
  if (n >= 7) return most <= 4;
  if (n >= 5) return most <= 6;
  return true;
}

Integer CheckedRunoffMode(Integer mode) {
  if (mode >= 2 && mode <= 4) return 3;
  return mode == 1 ? Integer{1} : Integer{0};
}

// The checks and derived values, in an order where each step sees the earlier ones. The notes
// name each value a check changed on the line that gave it.
void CheckRegulations(Reader& r) {
  Meeting& m = r.m;
  const std::string individual = "does not apply in an individual meeting";
  Integer before = m.NumTeams;
  if (m.NumTeams < 2 || m.NumTeams > 9) m.NumTeams = 1;
  r.Repaired(kTeams, "NUMTEAMS", before, m.NumTeams, "is not 2 to 9, so the meeting has no teams");
  before = m.NumGroups;
  if (m.NumGroups < 2 || m.NumGroups > 9) m.NumGroups = 1;
  r.Repaired(kGroups, "NUMGROUPS", before, m.NumGroups, "is not 2 to 9");
  before = m.GroupsPerRow;
  if (m.GroupsPerRow < 2 || m.GroupsPerRow > m.NumGroups) m.GroupsPerRow = m.NumGroups;
  r.Repaired(kPerRow, "NUMGROUPS: line-ups side by side", before, m.GroupsPerRow,
             "is not 2 to the number of line-ups");
  before = m.NumRiders;
  if (!RidersAllowed(m)) m.NumRiders = 2;
  r.Repaired(kRiders, "NUMRIDERS", before, m.NumRiders,
             "is not allowed with " + Dec(m.NumTeams) + " team(s) and " + Dec(m.NumGroups) +
                 " line-up(s) (5 or 6 need at most 6, 7 or 8 at most 4, 9 to 40 one of each)");
  before = m.NumReserves;
  if (m.NumReserves < 0 || m.NumReserves > 4 || m.NumReserves > m.NumRiders) m.NumReserves = 0;
  r.Repaired(kReserves, "RESERVES", before, m.NumReserves, "is not 0 to 4 and at most NUMRIDERS");

  before = m.ResMode;
  if (m.NumTeams == 1 && m.NumGroups >= 2) {
    m.ResMode = 2;
  } else if (m.NumTeams == 1) {
    if (m.ResMode != 0 && m.ResMode != 2) m.ResMode = 0;
  } else if (m.ResMode < 0 || m.ResMode > 2) {
    m.ResMode = 0;
  }
  r.Repaired(kResMode, "RESERVES: mode", before, m.ResMode, "does not apply to this meeting");

  before = m.MinRides;
  if (m.NumTeams == 1 || m.MinRides < 0 || m.MinRides > 9) m.MinRides = 0;
  r.Repaired(kMinRides, "MINRIDES", before, m.MinRides,
             m.NumTeams == 1 ? individual : "is not 0 to 9");

  before = m.RunoffMode;
  if (m.NumTeams == 1 && m.NumGroups >= 2) {
    m.RunoffMode = 0;
  } else if (m.NumTeams == 1 && m.NumRiders <= 4) {
    m.RunoffMode = CheckedRunoffMode(m.RunoffMode);
    m.RunoffDepth = static_cast<Integer>(m.NumRiders - 1);
  } else if (m.NumTeams >= 2 && m.NumTeams <= 4) {
    m.RunoffMode = CheckedRunoffMode(m.RunoffMode);
    m.RunoffDepth = static_cast<Integer>(m.NumTeams - 1);
  } else {
    if (m.RunoffMode < 0 || m.RunoffMode > 4) m.RunoffMode = 0;
    m.RunoffDepth = 4;
  }
  r.Repaired(kRunoffs, "RUNOFFS", before, m.RunoffMode, "does not apply to this meeting");

  before = m.BonusPts;
  if (m.NumTeams == 1 || m.TeamScoring == 1 || m.BonusPts < 0 || m.BonusPts > 2) m.BonusPts = 0;
  r.Repaired(kBonus, "BONUSPTS", before, m.BonusPts,
             m.NumTeams == 1
                 ? individual
                 : (m.TeamScoring == 1 ? "does not apply with team scoring" : "is not 0 to 2"));
  before = m.TacSubUse;
  if (m.NumTeams == 1 || m.TacSubUse < 0 || m.TacSubUse > 2) m.TacSubUse = 0;
  r.Repaired(kTacSubs, "TACSUBUSE", before, m.TacSubUse,
             m.NumTeams == 1 ? individual : "is not 0 to 2");
  before = m.RdrRepUse;
  if (m.RdrRepUse > m.NumRiders - 1 || m.RdrRepUse < 0 || m.NumTeams == 1) m.RdrRepUse = 0;
  r.Repaired(kRdrRep, "RDRREPUSE", before, m.RdrRepUse,
             m.NumTeams == 1 ? individual : "is not 0 to one less than NUMRIDERS");

  // The replacement slot adds one rider to every group, but only while the groups still fit
  // in the meeting's 40 slots.
  const bool slotFits = m.NumGroups * (m.NumRiders + 1) <= kMaxSlots;
  before = m.RdrRepSlot;
  if (m.RdrRepSlot == 1 && m.RdrRepUse > 0 && m.NumTeams <= 4 && slotFits) {
    m.NumRiders = static_cast<Integer>(m.NumRiders + 1);
  } else {
    m.RdrRepSlot = 0;
  }
  r.Repaired(kRdrRepSlot, "RDRREPUSE: the extra rider", before, m.RdrRepSlot,
             "needs rider replacement, at most 4 teams and room in 40 slots");
}

void CountPlannedRides(Reader& r) {
  Meeting& m = r.m;
  bool support = false;
  for (r.line = 1; r.line <= m.ProgrammeLineCount(); ++r.line) {
    const auto command = SplitFields(m.ProgrammeLines[static_cast<std::size_t>(r.line)], "-", 2);
    if (UpperCase(command[1]) == "SUPPORT") {
      support = true;
      continue;
    }
    const auto heat = SplitFields(command[1], ":", 2);
    if (heat[2].empty() || support) continue;
    const auto items = SplitFields(heat[2], ",", 8);
    for (std::size_t k = 1; k <= 8; ++k) {
      const std::string& item = items[k];
      if (item.empty()) continue;
      const char letter = UpperCase(item.substr(0, 1))[0];
      const int group = letter - 'A' + 1;
      if (group < 1 || group > m.NumGroups) continue;
      const double number = LeadingNumber(std::string_view(item).substr(1));
      if (!InRange(number, 1, m.NumRiders)) continue;
      const int slot = RiderSlot(m, group, r.Whole(number));
      if (!IsSlot(slot)) continue;
      auto& planned = m.PlannedRides[static_cast<std::size_t>(slot)];
      planned = r.Whole(planned + 1.0);
    }
  }
  r.line = 0;
}

}  // namespace

bool LoadCompetitionText(Meeting& m, std::string_view bytes, Integer prefMaxAverage,
                         CompetitionNotes* notes) {
  Reader reader{m, notes};
  try {
    // An empty file fails on its first read.
    if (bytes.empty()) {
      reader.Note("the file is empty, so a meeting cannot read it");
      throw ReadFailure{};
    }
    KeepLines(reader, FileTextToUtf8(bytes));
    ReadKeywords(reader, prefMaxAverage);
    CheckRegulations(reader);
    CountPlannedRides(reader);
    return true;
  } catch (const ReadFailure&) {
    return false;
  }
}

std::span<const std::string_view> CompetitionKeywords() {
  return kKeywords;
}

bool IsKeywordLine(std::string_view line) {
  const std::string key = UpperCase(SplitFields(line, "=", 1)[1]);
  return std::find(std::begin(kKeywords), std::end(kKeywords), key) != std::end(kKeywords);
}

std::string CompetitionTitleLine(std::string_view bytes) {
  const std::string text = FileTextToUtf8(bytes);
  for (std::string_view raw : SplitLines(text)) {
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') continue;
    // The caption is the second field of the line cut at "~": "Test~Audit~Cup" is Audit.
    const std::string title = SplitFields(line, "~", 2)[2];
    if (!title.empty()) return Left(title, 40);
  }
  return std::string();
}

std::filesystem::path CompetitionFilePath(const std::string& fileName,
                                          const std::filesystem::path& scriptsFolder) {
  const std::filesystem::path file(fileName);
  return file.is_absolute() ? file : scriptsFolder / file;
}

bool ReadCompetitionFile(Meeting& m, const CompetitionChoice& choice,
                         const std::filesystem::path& scriptsFolder, Integer prefMaxAverage,
                         MeetingHost& host) {
  bool ok = false;
  if (!choice.fileName.empty()) {
    const Result<std::string> bytes = ReadWholeFile(
        CompetitionFilePath(choice.fileName, scriptsFolder), kMaxCompetitionFileBytes);
    ok = bytes.ok() && LoadCompetitionText(m, bytes.value(), prefMaxAverage);
  }
  if (!ok) {
    host.ShowWarning(kCompetitionFileNotFound, "Corvane");
    return false;
  }
  m.CompetitionTitle = choice.caption;
  host.ShowProgrammeEditor(m);
  return true;
}

}  // namespace corvane
