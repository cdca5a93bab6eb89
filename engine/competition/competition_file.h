// Reading a competition's configuration file (.cfg) into the meeting records: the kept lines,
// the regulations with their checks, and every rider's programmed rides.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "engine/competition/competition_notes.h"
#include "engine/records/conventions.h"
#include "engine/records/meeting.h"

namespace corvane {

class MeetingHost;

// A competition as the New Meeting menu names it: the entry's tag and caption.
struct CompetitionChoice {
  std::string fileName;  // a plain name is looked for in the Scripts folder; a full path works
  std::string caption;
};

inline constexpr std::size_t kMaxCompetitionFileBytes = 16u << 20;
inline constexpr int kMaxProgrammeLines = 32767;  // the line count is a 16-bit number
inline constexpr std::string_view kCompetitionFileNotFound = "Configuration file not found";

// Fills the meeting from the file's bytes (Windows-1252 or UTF-8): kept lines, keyword pass,
// checks and derived values, ride count. Returns false on a failure that ends the reading (an
// empty file, too many lines, a number that does not fit 16 bits where no range test comes
// first); the records then hold what was stored before the failure. `notes`, when given, is
// told every line ignored and every value refused or repaired; it changes nothing read.
bool LoadCompetitionText(Meeting& m, std::string_view bytes, Integer prefMaxAverage,
                         CompetitionNotes* notes = nullptr);

// The keywords of a competition file, upper case.
std::span<const std::string_view> CompetitionKeywords();

// True when the reader takes the line as a keyword: its text before any "=" is one of the
// competition keywords, in any case.
bool IsKeywordLine(std::string_view line);

// The competition's name from its title line "text~title": the second field of the first
// non-comment line cut at "~" that has one, cut to 40 characters; empty when there is none.
std::string CompetitionTitleLine(std::string_view bytes);

// Where the file of a competition is: a full path as it is, a plain name in scriptsFolder.
std::filesystem::path CompetitionFilePath(const std::string& fileName,
                                          const std::filesystem::path& scriptsFolder);

// Reads the chosen competition's file into the meeting, sets CompetitionTitle and shows the
// programme editor. On failure shows "Configuration file not found" and no editor; returns
// false then.
bool ReadCompetitionFile(Meeting& m, const CompetitionChoice& choice,
                         const std::filesystem::path& scriptsFolder, Integer prefMaxAverage,
                         MeetingHost& host);

}  // namespace corvane
