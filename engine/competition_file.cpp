#include "engine/competition_file.h"

#include <algorithm>

#include "engine/file_io.h"
#include "engine/meeting_host.h"
#include "engine/text_encoding.h"

namespace corvane {

namespace {

// A run-time failure ends the reading at once.
struct ReadFailure {};

Integer Whole(double value) {
  const std::optional<Integer> n = RoundToInteger(value);
  if (!n) throw ReadFailure{};
  return *n;
}

Integer WholeOf(std::string_view text) {
  return Whole(LeadingNumber(text));
}

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

void KeepLines(Meeting& m, std::string_view text) {
  m.ProgrammeLines = ProgrammeText();
  for (std::string_view raw : SplitLines(text)) {
    if (raw.empty()) continue;
    std::string line = Trim(raw);
    if (!line.empty() && line[0] == '#') continue;
    if (m.ProgrammeLineCount() >= kMaxProgrammeLines) throw ReadFailure{};
    m.ProgrammeLines.push_back(std::move(line));
  }
}

void ApplyKeyword(Meeting& m, const std::string& key, const std::string& value,
                  Integer prefMaxAverage) {
  if (key == "NUMTEAMS") {
    m.NumTeams = WholeOf(SplitFields(value, ",", 1)[1]);
  } else if (key == "NUMGROUPS") {
    const auto items = SplitFields(value, ",", 2);
    m.NumGroups = WholeOf(items[1]);
    m.GroupsPerRow = WholeOf(items[2]);
  } else if (key == "NUMRIDERS") {
    m.NumRiders = WholeOf(value);
  } else if (key == "RESERVES") {
    const auto items = SplitFields(value, ",", 2);
    m.NumReserves = WholeOf(items[1]);
    m.ResMode = WholeOf(items[2]);
  } else if (key == "MAXRIDES") {
    const auto items = SplitFields(value, ",", 2);
    const double a = LeadingNumber(items[1]);
    const double b = LeadingNumber(items[2]);
    if (InRange(a, 0, 9)) m.MaxRides = Whole(a);
    if (InRange(b, 0, 9)) m.MaxRidesRes = Whole(b);
  } else if (key == "MINRIDES") {
    m.MinRides = WholeOf(value);
  } else if (key == "RUNOFFS") {
    m.RunoffMode = WholeOf(value);
  } else if (key == "RESUSE") {
    const double v = LeadingNumber(value);
    if (InRange(v, 0, 7)) m.ResUse = Whole(v);
  } else if (key == "STARTPEN") {
    const double v = LeadingNumber(value);
    if (InRange(v, 0, 99)) m.StartPen = Whole(v);
  } else if (key == "BONUSPTS") {
    m.BonusPts = WholeOf(value);
  } else if (key == "TACSUBUSE") {
    const auto items = SplitFields(value, ",", 2);
    m.TacSubUse = WholeOf(items[1]);
    const double margin = LeadingNumber(items[2]);
    m.TacSubMargin = InRange(margin, 2, 99) ? Whole(margin) : Integer{6};
  } else if (key == "RDRREPUSE") {
    const auto items = SplitFields(value, ",", 2);
    m.RdrRepUse = WholeOf(items[1]);
    m.RdrRepSlot = WholeOf(items[2]);
  } else if (key == "SPCLRACES") {
    const auto items = SplitFields(value, ",", 2);
    const double mode = LeadingNumber(items[1]);
    if (InRange(mode, 0, 2)) m.SpclRaceMode = Whole(mode);
    m.SpclRaceName = Left(items[2], 18);
  } else if (key == "GROUPTITLE") {
    const auto items = SplitFields(value, ",", 2);
    if (!items[1].empty() && items[1][0] >= 'A' && items[1][0] <= 'I') {
      m.GroupTitle[static_cast<std::size_t>(items[1][0] - 'A' + 1)] = UpperCase(Left(items[2], 32));
    }
  } else if (key == "HANDICAPUSE") {
    const auto items = SplitFields(value, ",", 8);
    for (std::size_t i = 1; i <= 8; ++i) {
      const double metres = LeadingNumber(items[i]);
      if (InRange(metres, 0, 99)) m.Handicaps[i] = Whole(metres);
    }
  } else if (key == "MAXAVERAGE") {
    const double v = LeadingNumber(value);
    m.MaxAverage = InRange(v, 1, 99) ? Whole(v) : prefMaxAverage;
  } else if (key == "COMPID") {
    const auto items = SplitFields(value, ",", 8);
    for (std::size_t i = 1; i <= 8; ++i) m.CompIds[i] = UpperCase(Left(items[i], 6));
  }
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

// The checks and derived values, in an order where each step sees the earlier ones.
void CheckRegulations(Meeting& m) {
  if (m.NumTeams < 2 || m.NumTeams > 9) m.NumTeams = 1;
  if (m.NumGroups < 2 || m.NumGroups > 9) m.NumGroups = 1;
  if (m.GroupsPerRow < 2 || m.GroupsPerRow > m.NumGroups) m.GroupsPerRow = m.NumGroups;
  if (!RidersAllowed(m)) m.NumRiders = 2;
  if (m.NumReserves < 0 || m.NumReserves > 4 || m.NumReserves > m.NumRiders) m.NumReserves = 0;

  if (m.NumTeams == 1 && m.NumGroups >= 2) {
    m.ResMode = 2;
  } else if (m.NumTeams == 1) {
    if (m.ResMode != 0 && m.ResMode != 2) m.ResMode = 0;
  } else if (m.ResMode < 0 || m.ResMode > 2) {
    m.ResMode = 0;
  }

  if (m.NumTeams == 1 || m.MinRides < 0 || m.MinRides > 9) m.MinRides = 0;

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

  if (m.NumTeams == 1 || m.TeamScoring == 1 || m.BonusPts < 0 || m.BonusPts > 2) m.BonusPts = 0;
  if (m.NumTeams == 1 || m.TacSubUse < 0 || m.TacSubUse > 2) m.TacSubUse = 0;
  if (m.RdrRepUse > m.NumRiders - 1 || m.RdrRepUse < 0 || m.NumTeams == 1) m.RdrRepUse = 0;

  // The replacement slot adds one rider to every group, but only while the groups still fit
  // in the meeting's 40 slots.
  const bool slotFits = m.NumGroups * (m.NumRiders + 1) <= kMaxSlots;
  if (m.RdrRepSlot == 1 && m.RdrRepUse > 0 && m.NumTeams <= 4 && slotFits) {
    m.NumRiders = static_cast<Integer>(m.NumRiders + 1);
  } else {
    m.RdrRepSlot = 0;
  }
}

void CountPlannedRides(Meeting& m) {
  bool support = false;
  for (int i = 1; i <= m.ProgrammeLineCount(); ++i) {
    const auto command = SplitFields(m.ProgrammeLines[static_cast<std::size_t>(i)], "-", 2);
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
      const int slot = RiderSlot(m, group, Whole(number));
      if (!IsSlot(slot)) continue;
      auto& planned = m.PlannedRides[static_cast<std::size_t>(slot)];
      planned = Whole(planned + 1.0);
    }
  }
}

}  // namespace

bool LoadCompetitionText(Meeting& m, std::string_view bytes, Integer prefMaxAverage) {
  try {
    // An empty file fails on its first read.
    if (bytes.empty()) throw ReadFailure{};
    KeepLines(m, FileTextToCp1252(bytes));
    for (int i = 1; i <= m.ProgrammeLineCount(); ++i) {
      const auto parts = SplitFields(m.ProgrammeLines[static_cast<std::size_t>(i)], "=", 2);
      ApplyKeyword(m, UpperCase(parts[1]), parts[2], prefMaxAverage);
    }
    CheckRegulations(m);
    CountPlannedRides(m);
    return true;
  } catch (const ReadFailure&) {
    return false;
  }
}

std::string CompetitionTitleLine(std::string_view bytes) {
  const std::string text = FileTextToCp1252(bytes);
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
