// A programme line read into the parts that depend on its text alone: whether it is a command,
// and for a heat line its label and its entries. A meeting races the same lines again and
// again (statistics race one set-up many times), so each line is read once and kept.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/race/entry_code.h"
#include "engine/records/programme_text.h"

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
  // COMMAND or COMMAND-ARGUMENT, the word in any case; kNone for any other line.
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

// The lines of one Meeting object's programme, read as they are first needed and read again
// once the programme has changed. The cache belongs to the object, not to the meeting it holds:
// a copy starts empty and an assignment keeps what the target has read, which is what lets a
// working copy race one set-up many times while reading each line once.
class ProgrammeLineCache {
 public:
  ProgrammeLineCache() = default;
  ProgrammeLineCache(const ProgrammeLineCache&) {}
  ProgrammeLineCache(ProgrammeLineCache&&) noexcept = default;
  ProgrammeLineCache& operator=(const ProgrammeLineCache&) { return *this; }
  ProgrammeLineCache& operator=(ProgrammeLineCache&&) noexcept = default;
  ~ProgrammeLineCache() = default;

  // Line `number` of `programme`, read; a line that is not in it reads as an empty line. The
  // reference holds until the next call.
  const ProgrammeLine& Line(const ProgrammeText& programme, int number);

 private:
  // Lines past this number (a hostile file may have thousands) share one entry, so the cache
  // stays small.
  static constexpr int kKeptLines = 200;
  // The programme the entries were read from. Held, it cannot change (a change copies it).
  std::shared_ptr<const ProgrammeText::Lines> programme_;
  std::vector<ProgrammeLine> lines_;
  std::vector<bool> read_;  // which entries of lines_ hold their line
  ProgrammeLine other_;
  int otherNumber_ = 0;  // the line other_ holds, 0 for none
};

}  // namespace corvane
