#include "engine/programme/programme_line.h"

#include <iterator>

#include "engine/records/conventions.h"

namespace corvane {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The next field of a line, cut and trimmed exactly as SplitFields cuts it, without copying:
// the text before the first separator (or all of it), which is then consumed.
std::string_view NextField(std::string_view& rest, char separator) {
  const std::size_t at = rest.find(separator);
  const std::string_view field = TrimBlanks(rest.substr(0, at));
  rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
  return field;
}

}  // namespace

CommandWord CommandOfLine(std::string_view line) {
  static constexpr std::string_view kCommands[] = {
      "SUPPORT",        "HANDICAP", "NOMINATED", "POINTS",  "RANKRIDERSCORES",
      "RANKTEAMSCORES", "RESSUBS",  "RDRREP",    "RUNOFFS", "SCORING",
      "STARTPOS",       "TACSUBS",  "TFRRIDER",  "TFRTEAM"};
  static_assert(std::size(kCommands) == static_cast<std::size_t>(CommandWord::kTfrTeam));
  const std::string_view word = TrimBlanks(line.substr(0, line.find('-')));
  for (std::size_t k = 0; k < std::size(kCommands); ++k) {
    const std::string_view command = kCommands[k];
    if (command.size() != word.size()) continue;
    bool same = true;
    for (std::size_t i = 0; same && i < word.size(); ++i) {
      const char c = word[i] >= 'a' && word[i] <= 'z' ? static_cast<char>(word[i] - 32) : word[i];
      same = c == command[i];
    }
    if (same) return static_cast<CommandWord>(k + 1);
  }
  return CommandWord::kNone;
}

ProgrammeLine ReadProgrammeLine(std::string_view text) {
  ProgrammeLine line;
  line.commandWord = CommandOfLine(text);
  if (line.commandWord != CommandWord::kNone) {
    const auto fields = SplitFields(text, "-", 2);
    line.argument = fields[2];
    line.argumentWord = UpperCase(fields[2]);
  }
  std::string_view rest = text;
  const std::string_view label = NextField(rest, ':');
  const std::string_view entries = NextField(rest, ':');  // text after a second ":" is dropped
  line.heat = !entries.empty();
  if (!line.heat) return line;
  line.labelNumber = LeadingNumber(label);
  line.title = Left(label, 20);
  std::string_view fields = entries;
  // A heat has eight starting places: fields after the eighth are dropped.
  for (std::size_t k = 0; k < line.entries.size(); ++k) {
    std::string_view field = NextField(fields, ',');
    if (field.empty()) continue;
    HeatLineEntry& entry = line.entries[static_cast<std::size_t>(line.entryCount++)];
    entry.code = ReadEntryCode(UpperCase(NextField(field, '@')));
    entry.metres = LeadingNumber(NextField(field, '@'));
  }
  return line;
}

const ProgrammeLine& ProgrammeLineCache::Line(const ProgrammeText& programme, int number) {
  if (!programme.IsText(programme_)) {
    programme_ = programme.Shared();
    read_.assign(read_.size(), false);
    otherNumber_ = 0;
  }
  static const ProgrammeLine kNoLine;
  if (number < 1 || static_cast<std::size_t>(number) >= programme.size()) return kNoLine;
  const auto at = static_cast<std::size_t>(number);
  if (number > kKeptLines) {
    if (otherNumber_ != number) {
      other_ = ReadProgrammeLine(programme[at]);
      otherNumber_ = number;
    }
    return other_;
  }
  if (lines_.size() <= at) {
    lines_.resize(at + 1);
    read_.resize(at + 1, false);
  }
  if (!read_[at]) {
    lines_[at] = ReadProgrammeLine(programme[at]);
    read_[at] = true;
  }
  return lines_[at];
}

}  // namespace corvane
