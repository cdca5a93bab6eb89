#include "report/meeting_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include "engine/io/file_io.h"
#include "engine/io/text_encoding.h"
#include "report/headless_host.h"
#include "report/results_report.h"
#include "support/test_files.h"
#include "tests/report/report_fixtures.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::string Encoded(const Meeting& m) {
  Result<std::string> bytes = EncodeMeeting(m);
  EXPECT_TRUE(bytes.ok()) << bytes.error();
  return bytes.ok() ? bytes.value() : std::string();
}

int Int16At(const std::string& bytes, std::size_t offset) {
  return static_cast<std::int16_t>(static_cast<unsigned char>(bytes[offset]) |
                                   static_cast<unsigned char>(bytes[offset + 1]) << 8);
}

void PutInt16(std::string& bytes, std::size_t offset, int value) {
  bytes[offset] = static_cast<char>(value & 0xFF);
  bytes[offset + 1] = static_cast<char>((value >> 8) & 0xFF);
}

// Byte offsets in the file of a meeting with no programme lines, no ride columns and every
// text empty.
constexpr std::size_t kNumGroupsAt = 8;
constexpr std::size_t kSupportModeAt = 118;
constexpr std::size_t kRiderAverageAt = 240;
constexpr std::size_t kRiderTeamAt = 486;
constexpr std::size_t kPlaceCountsAt = 1612;
constexpr std::size_t kHeatResultsAt = 2672;
constexpr std::size_t kProgLineAt = 6136;
constexpr std::size_t kHeatCountAt = 6142;
constexpr std::size_t kHeatGridAt = 6170;
constexpr std::size_t kRunoffTableAt = 6278;
constexpr std::size_t kMeetingStateAt = 6302;

std::size_t HeatResultsAt(std::size_t heat, std::size_t entry, std::size_t field) {
  return kHeatResultsAt + 2 * (heat + 41 * (entry + 9 * field));
}

// A meeting in which every whole number of the file holds its own value, 100, 101, ... in the
// order the file keeps them (the two flags take their turn but are written -1), every text its
// own two letters "aa", "ab", ... in order and every average its own value. Three programme
// lines, two ride columns. Arrays are filled with their first index varying fastest.
Meeting GoldenMeeting() {
  Meeting m;
  Integer next = 100;
  int texts = 0;
  const auto n = [&](Integer& v) { v = next++; };
  const auto each = [&](auto& array) {
    for (Integer& v : array) n(v);
  };
  const auto t = [&](std::string& text) {
    text = {static_cast<char>('a' + texts / 26), static_cast<char>('a' + texts % 26)};
    ++texts;
  };
  const auto flag = [&](bool& v) {
    v = true;
    ++next;
  };
  m.MaxRides = 2;
  ResizeScorecard(m, 2);
  ProgrammeText::Lines lines(4);
  for (std::string& line : lines) t(line);
  m.ProgrammeLines = lines;
  for (Integer* v :
       {&m.NumTeams, &m.NumGroups, &m.NumRiders, &m.ResMode, &m.NumReserves, &m.MinRides,
        &m.MaxRidesRes, &m.ResUse, &m.StartPen, &m.RunoffMode, &m.RunoffDepth, &m.BonusPts,
        &m.TacSubUse, &m.TacSubMargin, &m.RdrRepUse, &m.RdrRepSlot, &m.SpclRaceMode})
    n(*v);
  each(m.Handicaps);
  for (std::string& mark : m.ProgMarks) t(mark);
  n(m.TeamScoring);
  n(m.MaxAverage);
  for (std::string& id : m.CompIds) t(id);
  n(m.HeatRiders);
  flag(m.SupportMode);
  n(m.SupportRiders);
  n(m.MainHeats);
  n(m.StartGridNow);
  each(m.TeamControl);
  n(m.ControlMode);
  n(m.StartGridOption);
  flag(m.HomeAdvantage);
  t(m.DateLines);
  t(m.VenueLines);
  t(m.TitleLines);
  for (std::string& name : m.RiderName) t(name);
  for (int s = 0; s <= kMaxSlots; ++s)
    m.RiderAverage[static_cast<std::size_t>(s)] = 0.5f + static_cast<Single>(s) / 128;
  for (auto* array :
       {&m.AverageOrder, &m.RiderTeam, &m.RiderNumber, &m.RidesTaken, &m.RidesCounted})
    each(*array);
  for (std::size_t ride = 0; ride <= 2; ++ride)
    for (std::size_t s = 0; s <= kMaxSlots; ++s) t(m.Scorecard[s][ride]);
  for (auto* array : {&m.RiderPoints, &m.RiderBonus, &m.PlannedRides, &m.RiderFlag,
                      &m.NominatedRides, &m.RdrRepRides, &m.TacSubRides, &m.HandicapCode})
    each(*array);
  for (std::string& title : m.GroupTitle) t(title);
  each(m.GroupPoints);
  each(m.GroupExtra);
  for (std::size_t place = 0; place <= 8; ++place)
    for (auto& slot : m.PlaceCounts) n(slot[place]);
  for (std::size_t place = 0; place <= 8; ++place)
    for (auto& group : m.GroupPlaceCounts) n(group[place]);
  for (std::size_t field = 0; field <= 2; ++field)
    for (auto& group : m.GroupReplacement) n(group[field]);
  each(m.ProgrammeHeats);
  for (std::size_t field = 0; field <= 3; ++field)
    for (std::size_t entry = 0; entry <= 8; ++entry)
      for (auto& heat : m.HeatResults) n(heat[entry][field]);
  for (std::size_t column = 0; column <= 4; ++column)
    for (auto& heat : m.HeatScores) n(heat[column]);
  each(m.GroupOrder);
  each(m.ScoreOrder);
  for (Integer* v : {&m.ProgLine, &m.LastPreparedLine, &m.ResultsWidth, &m.HeatCount, &m.ScoringOn,
                     &m.ResUseNow, &m.HandicapOn, &m.NominatedFirst, &m.NominatedLast,
                     &m.TacSubsNow, &m.RdrRepNow, &m.MaxRiderPoints, &m.MaxRiderBonus,
                     &m.MaxGroupTotal, &m.MaxHeatPoints, &m.RunoffsPending, &m.RunoffStage})
    n(*v);
  for (std::size_t column = 0; column <= 5; ++column)
    for (auto& place : m.HeatGrid) n(place[column]);
  for (std::size_t column = 0; column <= 2; ++column)
    for (auto& row : m.RunoffTable) n(row[column]);
  n(m.MeetingState);
  return m;
}

// The committed file was written once by the writer and checked against the layout: the
// offsets below are worked out by hand from it (every text here is 4 bytes long).
TEST(MeetingFile, WriterGivesTheGoldenFileByteForByte) {
  const std::string golden =
      testing::FileText(std::string(CORVANE_SOURCE_DIR) + "/tests/report/golden_meeting.mtg");
  ASSERT_EQ(golden.size(), 6058u + 208 * 4);
  const std::pair<std::size_t, int> whole[] = {
      {0, 3},       {2, 2},       {20, 100},    {54, 117},    {144, 126},   {184, 128},
      {186, -1},    {194, 133},   {214, 143},   {218, -1},    {560, 146},   {806, 269},
      {1462, 351},  {2158, 679},  {2198, 699},  {2286, 743},  {2936, 1068}, {3116, 1158},
      {3176, 1188}, {3258, 1229}, {4082, 1641}, {6210, 2705}, {6620, 2910}, {6640, 2920},
      {6722, 2961}, {6728, 2964}, {6752, 2976}, {6756, 2978}, {6864, 3032}, {6888, 3044}};
  for (const auto& [offset, value] : whole) EXPECT_EQ(Int16At(golden, offset), value) << offset;
  const std::pair<std::size_t, const char*> texts[] = {
      {4, "aa"}, {72, "ae"}, {148, "aw"}, {220, "bf"}, {232, "bi"}, {1134, "em"}, {2118, "hq"}};
  for (const auto& [offset, text] : texts)
    EXPECT_EQ(golden.substr(offset, 4), std::string("\2\0", 2) + text) << offset;
  const Single average = 0.5f + 1.0f / 128;
  EXPECT_EQ(golden.substr(400, 4), std::string(reinterpret_cast<const char*>(&average), 4));
  EXPECT_TRUE(Encoded(GoldenMeeting()) == golden);
}

TEST(MeetingFile, FileCutShortAtAnyLengthIsRejected) {
  const std::string bytes = Encoded(test::TwoTeamMatch());
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    const Result<Meeting> loaded = DecodeMeeting(std::string_view(bytes).substr(0, length), {});
    ASSERT_FALSE(loaded.ok()) << "accepted a file cut to " << length << " bytes";
  }
  EXPECT_NE(DecodeMeeting(bytes.substr(0, 3000), {}).error().find("ends early"), std::string::npos);
}

TEST(MeetingFile, ValuesOutsideTheirArraysAreRejected) {
  const std::string sound = Encoded(Meeting{});
  ASSERT_TRUE(DecodeMeeting(sound, {}).ok());

  struct Spoiled {
    std::size_t offset;
    int value;
    const char* named;
  };
  const Spoiled cases[] = {
      {0, -1, "line count"},
      {2, 41, "MaxRides"},
      {kNumGroupsAt, 10, "NumGroups"},
      {kRiderTeamAt + 2 * 5, 10, "RiderTeam(5)"},
      {HeatResultsAt(2, 1, 1), 41, "HeatResults(2, 1, 1)"},
      {HeatResultsAt(2, 1, 2), 18, "HeatResults(2, 1, 2)"},
      {HeatResultsAt(7, 0, 2), 9, "HeatResults(7, 0, 2)"},
      {kProgLineAt, 2, "ProgLine"},  // one past the end of a programme without lines is the most
      {kHeatCountAt, 41, "HeatCount"},
      {kHeatGridAt + 2 * (3 + 9 * 1), 45, "HeatGrid(3, 1)"},
      {kRunoffTableAt, 4, "RunoffTable(0, 0)"},
      {kMeetingStateAt, 4, "MeetingState"},
  };
  for (const Spoiled& c : cases) {
    std::string bytes = sound;
    PutInt16(bytes, c.offset, c.value);
    const Result<Meeting> loaded = DecodeMeeting(bytes, {});
    ASSERT_FALSE(loaded.ok()) << c.named << " = " << c.value << " was accepted";
    EXPECT_NE(loaded.error().find(c.named), std::string::npos) << loaded.error();
  }
  Meeting m;
  m.RiderAverage[4] = std::nanf("");  // an average that is not a number
  EXPECT_FALSE(DecodeMeeting(Encoded(m), {}).ok());
}

// Texts that all fit Windows-1252 are written in it, as earlier versions wrote them; one that
// does not puts the whole file in UTF-8. Either way every text reads back as it was.
TEST(MeetingFile, TextsGoInWindows1252WhenTheyAllFitAndInUtf8Otherwise) {
  const struct {
    std::string name, title;
    bool cp1252;
  } cases[] = {
      {"S\u00F8ren \u20AC", "J\u00D8RGENSEN", true},
      {"Bart\u0142omiej \u0416", "J\u00D8RGENSEN", false},
      {"\u00C3\u00A9", "LIONS", false},  // in Windows-1252 the file would read back as UTF-8
      {"\u00C3\u00A9", "J\u00D8RGENSEN", true},  // ... unless another text shows it is not
  };
  for (const auto& c : cases) {
    Meeting m = test::TwoTeamMatch();
    m.RiderName[1] = c.name;
    m.GroupTitle[2] = c.title;
    const std::string bytes = Encoded(m);
    for (const std::string& text : {c.name, c.title}) {
      EXPECT_NE(bytes.find(c.cp1252 ? *Cp1252Form(text) : text), std::string::npos) << text;
    }
    const Result<Meeting> back = DecodeMeeting(bytes, m);
    ASSERT_TRUE(back.ok()) << back.error();
    EXPECT_EQ(back.value().RiderName[1], c.name);
    EXPECT_EQ(back.value().GroupTitle[2], c.title);
    EXPECT_EQ(Encoded(back.value()), bytes);
  }
}

TEST(MeetingFile, ProposedNameTakesDayMonthAndYearFromTheDate) {
  // A date with one-digit parts keeps its separators and blanks out of the name; a date with an
  // English month name gives its numbers.
  const std::pair<const char*, const char*> cases[] = {{"12/05/24", "120524.mtg"},
                                                       {"12/05/2024", "120524.mtg"},
                                                       {"", ".mtg"},
                                                       {"7", "77.mtg"},
                                                       {"Sat", "Saat.mtg"},
                                                       {"1/2/03", "1__003.mtg"},
                                                       {"7 Dec 2026", "071226.mtg"},
                                                       {"Monday, December 7, 2026", "071226.mtg"},
                                                       {"31-may-99", "310599.mtg"},
                                                       {"7 Dez 2026", "7_ez26.mtg"},
                                                       {"Dec 2026", "De_226.mtg"},
                                                       {"7 Dec 123456", "7_ec56.mtg"}};
  for (const auto& [date, name] : cases) EXPECT_EQ(ProposedMeetingFileName(date), name) << date;
}

// A folder of its own for each test, removed afterwards.
class MeetingFileOnDisk : public ::testing::Test {
 protected:
  const testing::TempFolder temp_{"mtg"};
  const std::filesystem::path& folder_ = temp_.path();
};

// Suspended, resumed and suspended again: the same bytes and the same report. Records a meeting
// file does not hold come from the meeting in memory; the race in hand is not carried over.
TEST_F(MeetingFileOnDisk, SuspendResumeAndSuspendAgainGiveTheSameFileAndReport) {
  const fs::path first = folder_ / "120524.mtg";
  testing::WriteText(
      first, std::string(20000, 'x'));  // a longer file is replaced, not overwritten in part
  const Meeting original = test::TwoTeamMatch();
  ASSERT_TRUE(SuspendMeeting(original, first).ok());
  const std::string bytes = testing::FileText(first);
  EXPECT_EQ(bytes, Encoded(original));
  testing::WriteText(first,
                     bytes + std::string(300, '\x7F'));  // bytes after the last record are ignored

  Meeting m;
  m.CompetitionTitle = "Another Competition";
  m.SpclRaceName = "Golden Helmet";
  m.HeatTitle = "Final";
  m.GroupsPerRow = 3;
  m.SlotCursor = 2;
  m.RaceStatus[3] = 9;
  m.ReplacedNow[4] = 1;
  m.NumTeams = 7;
  HeadlessHost host;
  host.statusText = "Heat 3:  Race not held";
  const ResumeOutcome outcome = ResumeMeeting(m, first, host);
  ASSERT_EQ(outcome.kind, ResumeOutcome::Loaded) << outcome.message;
  EXPECT_EQ(host.results, WriteResults(original));
  EXPECT_EQ(host.statusText, "");
  EXPECT_EQ(host.menu, MeetingMenuFor(original));
  EXPECT_EQ(m.CompetitionTitle + m.SpclRaceName + m.HeatTitle,
            "Another CompetitionGolden HelmetFinal");
  EXPECT_EQ((std::vector<int>{m.GroupsPerRow, m.SlotCursor}), (std::vector<int>{3, 2}));
  EXPECT_TRUE(m.RaceStatus == SlotArray<Integer>{} && m.ReplacedNow == SlotArray<Integer>{});

  ASSERT_TRUE(SuspendMeeting(m, folder_ / "again.mtg").ok());
  EXPECT_EQ(testing::FileText(folder_ / "again.mtg"), bytes);
}

// A missing file does nothing; a rejected one (corrupt, cut short, empty, a folder) says which
// file it was. Either way the meeting, the report and the status line are left untouched.
TEST_F(MeetingFileOnDisk, MissingOrRejectedFileLeavesTheMeetingUntouched) {
  const fs::path path = folder_ / "bad.mtg";
  std::string bytes = Encoded(Meeting{});
  PutInt16(bytes, kHeatCountAt, 99);
  const std::string corrupt[] = {bytes, Encoded(Meeting{}).substr(0, 5000), ""};
  const auto resume = [](const fs::path& file, ResumeOutcome::Kind kind) {
    Meeting m = test::TwoTeamMatch();
    HeadlessHost host;
    host.statusText = "kept";
    const ResumeOutcome outcome = ResumeMeeting(m, file, host);
    EXPECT_EQ(outcome.kind, kind) << file;
    EXPECT_EQ(Encoded(m), Encoded(test::TwoTeamMatch()));
    EXPECT_EQ(host.results, "");
    EXPECT_EQ(host.statusText, "kept");
    return outcome.message;
  };
  EXPECT_EQ(resume(folder_ / "none.mtg", ResumeOutcome::Missing), "");
  for (const std::string& contents : corrupt) {
    testing::WriteText(path, contents);
    const std::string message = resume(path, ResumeOutcome::Rejected);
    EXPECT_NE(message.find("bad.mtg"), std::string::npos) << message;
  }
  resume(folder_, ResumeOutcome::Rejected);
}

TEST_F(MeetingFileOnDisk, FailedSuspendSaysWhyAndKeepsThePreviousFile) {
  const Status noFolder = SuspendMeeting(Meeting{}, folder_ / "missing" / "x.mtg");
  ASSERT_FALSE(noFolder.ok());
  EXPECT_NE(noFolder.error().find("x.mtg"), std::string::npos) << noFolder.error();

  // A meeting the layout cannot hold is refused before anything is written.
  const fs::path path = folder_ / "meeting.mtg";
  testing::WriteText(path, "previous");
  Meeting tooLong;
  tooLong.GroupTitle[1] = std::string(70000, 'A');
  const Status refused = SuspendMeeting(tooLong, path);
  ASSERT_FALSE(refused.ok());
  EXPECT_NE(refused.error().find("65535"), std::string::npos) << refused.error();
  EXPECT_EQ(testing::FileText(path), "previous");

  if (::geteuid() == 0) return;    // folder permissions do not stop the superuser
  ::chmod(folder_.c_str(), 0500);  // a read-only folder
  EXPECT_FALSE(SuspendMeeting(Meeting{}, path).ok());
  EXPECT_EQ(testing::FileText(path), "previous");
}

}  // namespace
}  // namespace corvane
