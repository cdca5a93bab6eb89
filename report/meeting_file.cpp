#include "report/meeting_file.h"

#include <bit>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

#include "engine/io/text_encoding.h"
#include "engine/records/meeting_validation.h"
#include "report/meeting_file_layout.h"

namespace corvane {

namespace {

constexpr std::size_t kMaxTextLength = std::numeric_limits<std::uint16_t>::max();

// Texts go out in Windows-1252 or in UTF-8, the same for the whole file (see EncodeMeeting).
class FileWriter {
 public:
  explicit FileWriter(bool inCp1252) : inCp1252_(inCp1252) {}

  void Section(const char* /*label*/) {}

  void Int(Integer value) { Put16(static_cast<std::uint16_t>(value)); }
  void Flag(bool value) { Int(value ? kTrue : Integer{0}); }

  void Float(Single value) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    Put16(static_cast<std::uint16_t>(bits & 0xFFFFu));
    Put16(static_cast<std::uint16_t>(bits >> 16));
  }

  void Text(const std::string& text) {
    std::optional<std::string> stored = inCp1252_ ? Cp1252Form(text) : ValidUtf8(text);
    if (!stored) {
      fitsCp1252_ = false;
      return;
    }
    evidence_.Add(*stored);
    if (stored->size() > kMaxTextLength) {
      if (!problem_) problem_ = "a text is longer than 65535 bytes";
      return;
    }
    Put16(static_cast<std::uint16_t>(stored->size()));
    bytes_ += *stored;
  }

  // Windows-1252 serves when every text fitted and the file will not read back as UTF-8.
  bool Cp1252Served() const { return fitsCp1252_ && !evidence_.LooksLikeUtf8(); }

  // Rows shorter than the scorecard's width write empty cells.
  void Cell(const std::vector<std::string>& row, std::size_t ride) {
    Text(ride < row.size() ? row[ride] : std::string());
  }

  const std::optional<std::string>& problem() const { return problem_; }
  std::string& bytes() { return bytes_; }

 private:
  void Put16(std::uint16_t value) {
    bytes_ += static_cast<char>(value & 0xFFu);
    bytes_ += static_cast<char>(value >> 8);
  }

  std::string bytes_;
  std::optional<std::string> problem_;
  bool inCp1252_;
  bool fitsCp1252_ = true;
  Utf8Evidence evidence_;
};

// Reads values in order; the first read past the end marks the reader as failed, names the
// section it happened in and makes every later read a no-op.
class FileReader {
 public:
  FileReader(std::string_view bytes, bool fromCp1252) : bytes_(bytes), fromCp1252_(fromCp1252) {}

  void Section(const char* label) { section_ = label; }

  void Int(Integer& value) {
    if (const auto raw = Get16()) value = static_cast<Integer>(*raw);
  }
  void Flag(bool& value) {
    Integer raw = 0;
    Int(raw);
    value = raw != 0;
  }

  void Float(Single& value) {
    const auto low = Get16();
    const auto high = Get16();
    if (low && high)
      value = std::bit_cast<Single>(std::uint32_t{*low} | std::uint32_t{*high} << 16);
  }

  void Text(std::string& text) {
    const auto length = Get16();
    if (!length) return;
    if (bytes_.size() - offset_ < *length) {
      Fail();
      return;
    }
    const std::string_view stored = bytes_.substr(offset_, *length);
    evidence_.Add(stored);
    text = fromCp1252_ ? Cp1252ToUtf8(stored) : std::string(stored);
    offset_ += *length;
  }

  void Cell(std::vector<std::string>& row, std::size_t ride) { Text(row[ride]); }

  bool failed() const { return failed_; }
  const char* section() const { return section_; }
  const Utf8Evidence& evidence() const { return evidence_; }

 private:
  std::optional<std::uint16_t> Get16() {
    if (failed_ || bytes_.size() - offset_ < 2) {
      Fail();
      return std::nullopt;
    }
    const auto low = static_cast<unsigned char>(bytes_[offset_]);
    const auto high = static_cast<unsigned char>(bytes_[offset_ + 1]);
    offset_ += 2;
    return static_cast<std::uint16_t>(low | high << 8);
  }

  void Fail() { failed_ = true; }

  std::string_view bytes_;
  bool fromCp1252_;
  Utf8Evidence evidence_;
  std::size_t offset_ = 0;
  bool failed_ = false;
  const char* section_ = "the line count";
};

Error Unreadable(const std::string& reason) {
  return Error{"This is not a meeting file that can be resumed: " + reason + "."};
}

}  // namespace

Result<std::string> EncodeMeeting(const Meeting& m) {
  const int lines = m.ProgrammeLineCount();
  if (lines < 0 || lines > std::numeric_limits<Integer>::max()) {
    return Error{"The meeting cannot be written: its programme has " + Dec(lines) + " lines."};
  }
  if (m.MaxRides < 0) {
    return Error{"The meeting cannot be written: MaxRides is " + Dec(m.MaxRides) + "."};
  }
  // Windows-1252 first, as earlier versions wrote; UTF-8 when some text needs it.
  for (const bool inCp1252 : {true, false}) {
    FileWriter writer(inCp1252);
    writer.Int(static_cast<Integer>(lines));
    writer.Int(m.MaxRides);
    meeting_file::TransferRecords(writer, m);
    if (inCp1252 && !writer.Cp1252Served()) continue;
    if (writer.problem()) return Error{"The meeting cannot be written: " + *writer.problem() + "."};
    return std::move(writer.bytes());
  }
  return Error{"The meeting cannot be written."};  // not reached: UTF-8 holds every text
}

namespace {

Result<Meeting> DecodeTexts(std::string_view bytes, const Meeting& current, bool fromCp1252,
                            bool& cp1252File) {
  FileReader reader(bytes, fromCp1252);
  Integer lines = 0;
  Meeting loaded;
  reader.Int(lines);
  reader.Int(loaded.MaxRides);
  if (reader.failed()) return Unreadable("the file ends before the programme line count");
  if (lines < 0) return Unreadable("the programme line count is " + Dec(lines));
  if (loaded.MaxRides < 0 || loaded.MaxRides > kMaxHeats) {
    return Unreadable("MaxRides is " + Dec(loaded.MaxRides) + ", outside 0 to 40");
  }
  loaded.ProgrammeLines = ProgrammeText::Lines(static_cast<std::size_t>(lines) + 1);
  ResizeScorecard(loaded, loaded.MaxRides);

  meeting_file::TransferRecords(reader, loaded);
  if (reader.failed())
    return Unreadable(std::string("the file ends early, in ") + reader.section());
  cp1252File = reader.evidence().AnyNonAscii() && !reader.evidence().LooksLikeUtf8();
  if (cp1252File && !fromCp1252) return loaded;  // read again as Windows-1252 first

  loaded.CompetitionTitle = current.CompetitionTitle;
  loaded.SpclRaceName = current.SpclRaceName;
  loaded.GroupsPerRow = current.GroupsPerRow;
  loaded.HeatTitle = current.HeatTitle;
  loaded.SlotCursor = current.SlotCursor;

  if (const auto problem = MeetingProblem(loaded)) return Unreadable(*problem);
  return loaded;
}

}  // namespace

// A file is UTF-8 when all its texts together are (see LooksLikeUtf8); otherwise its texts are
// read again as Windows-1252.
Result<Meeting> DecodeMeeting(std::string_view bytes, const Meeting& current) {
  bool cp1252File = false;
  Result<Meeting> loaded = DecodeTexts(bytes, current, false, cp1252File);
  if (!loaded || !cp1252File) return loaded;
  return DecodeTexts(bytes, current, true, cp1252File);
}

}  // namespace corvane
