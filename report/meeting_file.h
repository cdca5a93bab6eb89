// The meeting file (.mtg): the meeting records in a fixed order, little-endian, without header
// or checksum. Integers and flags take 2 bytes (true is -1), averages 4 bytes (IEEE single),
// texts a 2-byte length and their bytes, all in Windows-1252 when every text fits it and all in
// UTF-8 otherwise; arrays are written element by element with the first index varying fastest.
// The file is 6,058 bytes plus 2 bytes and the bytes of every text.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/io/result.h"
#include "engine/records/meeting.h"

namespace corvane {

class MeetingHost;

// Files larger than this are not meeting files; reading stops there.
inline constexpr std::size_t kMaxMeetingFileBytes = 64u << 20;

// The bytes of a meeting file. Fails only for a meeting the layout cannot hold: more than
// 32767 programme lines, a negative MaxRides, or a text longer than 65535 characters.
Result<std::string> EncodeMeeting(const Meeting& m);

// The meeting held by a meeting file. The file's records are read into a fresh meeting; the
// records a file does not hold (competition title, special race name, groups per row, heat
// title, slot cursor) are taken from `current`, and the current heat's race status and
// replacement marks start cleared. Fails, naming the reason, when the file ends early or a
// value is out of range (see MeetingProblem). Bytes after the last record are ignored: files
// written over a longer one by earlier versions kept the old tail there.
Result<Meeting> DecodeMeeting(std::string_view bytes, const Meeting& current);

// Writes the meeting to `path`, replacing any file there whole; a failed write leaves the
// previous file as it was and says why.
Status SuspendMeeting(const Meeting& m, const std::filesystem::path& path);

struct ResumeOutcome {
  enum Kind {
    Missing,   // no file of that name: nothing happened
    Rejected,  // the file could not be read or is not a sound meeting; `message` says why
    Loaded,    // the meeting was replaced, the report rebuilt and the status text cleared
  };
  Kind kind = Missing;
  std::string message;
};

// Resumes the meeting in `path`. The meeting in memory is replaced only when the whole file was
// read and is sound; otherwise it is left untouched.
ResumeOutcome ResumeMeeting(Meeting& m, const std::filesystem::path& path, MeetingHost& host);
// The same for a meeting file's bytes kept elsewhere; `name` says where in a message.
ResumeOutcome ResumeMeetingBytes(Meeting& m, std::string_view bytes, std::string_view name,
                                 MeetingHost& host);

// The file name proposed when suspending, from the date line: its first two characters, its
// fourth and fifth, its last two, and ".mtg" (a date dd/mm/yy gives ddmmyy.mtg). Characters
// that cannot stand in a file name, and blanks, become "_". A date with its month named in
// English ("7 Dec 2026") gives its day, month and year as digits (071226.mtg).
std::string ProposedMeetingFileName(std::string_view dateLine);

}  // namespace corvane
