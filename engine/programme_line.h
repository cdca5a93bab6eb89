// A programme line read into the parts that depend on its text alone: whether it is a command,
// and for a heat line its label and its entries. A meeting races the same lines again and
// again (statistics race one set-up many times), so each line is read once and kept.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "engine/entry_code.h"

namespace corvane {

struct HeatLineEntry {
  EntryCode code;
  double metres = 0;  // the number after "@": metres behind the tapes
};

// The command a line starts with, in the order of the command words.
enum class CommandWord : unsigned char {
  kNone,
  kSupport,
  kHandicap,
  kNominated,
  kPoints,
  kRankRiderScores,
  kRankTeamScores,
  kResSubs,
  kRdrRep,
  kRunoffs,
  kScoring,
  kStartPos,
  kTacSubs,
  kTfrRider,
  kTfrTeam,
};

struct ProgrammeLine {
  std::string text;      // the line this was read from
  bool command = false;  // COMMAND or COMMAND-ARGUMENT, the word in any case
  CommandWord commandWord = CommandWord::kNone;
  std::string argument;      // the text between the first and any second "-", trimmed
  std::string argumentWord;  // the argument upper-cased
  bool heat = false;         // "label:entries" with at least one character of entries
  double labelNumber = 0;
  std::string title;  // the label as a heat title: its first 20 characters
  int entryCount = 0;
  std::array<HeatLineEntry, 8> entries;  // the non-empty fields of the first eight
};

// The command word the text before the line's first "-", blanks trimmed, is in any case; kNone
// when it is none.
CommandWord CommandOfLine(std::string_view line);
inline bool IsCommandLine(std::string_view line) {
  return CommandOfLine(line) != CommandWord::kNone;
}

ProgrammeLine ReadProgrammeLine(std::string_view line);

// The lines of one Meeting object, read as they are first needed and read again whenever their
// text has changed. The cache belongs to the object, not to the meeting it holds: a copy starts
// empty and an assignment keeps what the target has read, which is what lets a working copy
// race one set-up many times while reading each line once.
class ProgrammeLineCache {
 public:
  ProgrammeLineCache() = default;
  ProgrammeLineCache(const ProgrammeLineCache&) {}
  ProgrammeLineCache(ProgrammeLineCache&&) noexcept = default;
  ProgrammeLineCache& operator=(const ProgrammeLineCache&) { return *this; }
  ProgrammeLineCache& operator=(ProgrammeLineCache&&) noexcept = default;
  ~ProgrammeLineCache() = default;

  // Line `number` of the programme, whose text is `text`. The reference holds until the next
  // call.
  const ProgrammeLine& Line(int number, std::string_view text);

 private:
  // Lines past this number (a hostile file may have thousands) share one entry, so the cache
  // stays small.
  static constexpr int kKeptLines = 200;
  std::vector<ProgrammeLine> lines_;
  ProgrammeLine other_;
};

}  // namespace corvane
