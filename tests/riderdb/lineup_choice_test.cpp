#include "riderdb/lineup_choice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/competition_file.h"
#include "engine/transfers.h"
#include "riderdb/lineup_record.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

std::array<std::string, 9> Ids(std::initializer_list<std::string> values) {
  std::array<std::string, 9> ids;
  std::size_t i = 1;
  for (const auto& v : values) ids[i++] = v;
  return ids;
}

std::vector<std::string> Texts(const std::vector<OfferedLineup>& offered) {
  std::vector<std::string> texts;
  for (const auto& o : offered) texts.push_back(o.text);
  return texts;
}

Meeting TeamMeeting(int teams, int riders) {
  Meeting m;
  m.NumTeams = m.NumGroups = m.GroupsPerRow = static_cast<Integer>(teams);
  m.NumRiders = static_cast<Integer>(riders);
  return m;
}

TEST(LineupChoice, CompIdsMatchExactlyOrByPrefixWildcard) {
  const auto wildcard = Ids({"LG*"});
  const auto exact = Ids({"", "LGE", "SUP"});  // an empty value is skipped, later ones tried
  const struct {
    const char* id;
    const std::array<std::string, 9>& ids;
    bool matches;
  } cases[] = {{"LG", wildcard, true}, {"LGE", wildcard, true}, {"LG2", wildcard, true},
               {"L", wildcard, false}, {"LGE", exact, true},    {"SUP", exact, true},
               {"LG", exact, false}};
  for (const auto& c : cases) EXPECT_EQ(CompIdMatches(c.id, c.ids), c.matches) << c.id;
  EXPECT_FALSE(CompIdMatches("LGE", Ids({})));
}

TEST(LineupChoice, OfferedTextsFollowTheKindOfMeeting) {
  const std::string db = "Reds,LGE:7\r\n\r\n,LGE:7\r\nBlues,SUP:8\r\nGreens,L:4\r\n";
  Meeting team = TeamMeeting(2, 7);
  team.CompIds = Ids({"LG*"});
  const auto offered = OfferLineups(db, team, false);
  ASSERT_TRUE(offered.ok());
  EXPECT_EQ(Texts(offered.value()), (std::vector<std::string>{"REDS", "<Untitled>"}));
  EXPECT_EQ(offered.value()[1].position, 14u);

  Meeting individual;
  individual.CompIds = Ids({"LG*"});
  EXPECT_EQ(Texts(OfferLineups(db, individual, true).value()),
            (std::vector<std::string>{"Reds", "<Untitled>", "Blues", "Greens"}));
}

TEST(LineupChoice, ATeamTakesItsPositionsAndLosesItsReplacedRider) {
  // Nine riders for a team of seven plus the replacement slot: the first seven are loaded.
  std::string line = "Reds,LGE:9";
  for (int j = 1; j <= 9; ++j) line += ",R" + std::to_string(j) + "," + std::to_string(j + 2);
  const std::string db = "Blues,LGE:7,Other,99\r\n" + line + ",,\r\n";
  Meeting m = TeamMeeting(2, 8);
  m.RdrRepSlot = 1;
  m.RdrRepUse = 1;
  m.CompIds = Ids({"LGE"});
  m.RiderName[16] = "Kept";
  m.GroupReplacement[2][1] = 12;
  const auto offered = OfferLineups(db, m, false).value();
  ASSERT_EQ(offered.size(), 2u);

  ASSERT_TRUE(LoadChosenLineupFromText(m, 2, offered[1], db).ok());
  EXPECT_EQ(m.GroupTitle[2], "REDS");
  EXPECT_EQ(m.RiderName[9], "R1");
  EXPECT_FLOAT_EQ(m.RiderAverage[9] * 12, 3.0f);
  EXPECT_EQ(m.RiderName[15], "R7");
  EXPECT_EQ(m.RiderName[16], "Kept") << "the replacement slot is not loaded";
  EXPECT_EQ(m.GroupReplacement[2][1], 0);
  EXPECT_TRUE(m.RiderName[1].empty()) << "the other team is untouched";

  // A shorter line-up empties the positions it has no rider for.
  ASSERT_TRUE(LoadChosenLineupFromText(m, 2, offered[0], db).ok());
  EXPECT_EQ(m.RiderName[9], "Other");
  EXPECT_EQ(m.RiderAverage[9], 0) << "an average off the 12-point scale is none";
  EXPECT_TRUE(m.RiderName[10].empty());
  EXPECT_EQ(m.RiderAverage[15], 0);

  EXPECT_FALSE(LoadChosenLineupFromText(m, 3, offered[0], db).ok());
}

TEST(LineupChoice, AnIndividualMeetingFillsEveryShownSlotFromOne) {
  Meeting m;
  m.NumGroups = 2;  // two groups of eight and a separate block of two track reserves
  m.NumRiders = 8;
  m.ResMode = 2;
  m.NumReserves = 2;
  m.CompIds = Ids({"IND"});
  std::string db = "Field,IND:20";
  for (int j = 1; j <= 20; ++j) db += ",R" + std::to_string(j) + ",6";
  for (int s = 1; s <= kMaxSlots; ++s) m.RiderName[static_cast<std::size_t>(s)] = "old";
  const auto offered = OfferLineups(db, m, false).value();
  ASSERT_EQ(offered.size(), 1u);
  ASSERT_TRUE(LoadChosenLineupFromText(m, 0, offered[0], db).ok());
  EXPECT_EQ(m.TitleLines, "Field");
  EXPECT_EQ(m.RiderName[18], "R18");
  EXPECT_FLOAT_EQ(m.RiderAverage[18], 0.5f);
  EXPECT_EQ(m.RiderName[19], "old");

  m.NumGroups = 1;  // one group holds its reserves among its own riders: no block after it
  m.NumRiders = 16;
  EXPECT_EQ(IndividualSlotCount(m), 16);
}

TEST(LineupChoice, AChangedDatabaseIsNotReadFromAStalePosition) {
  const std::string db = "Reds,LGE:7,A,6\r\nBlues,LGE:7,B,7\r\n";
  Meeting m = TeamMeeting(2, 7);
  m.CompIds = Ids({"LGE"});
  const auto offered = OfferLineups(db, m, false).value();
  ASSERT_EQ(offered.size(), 2u);
  const Meeting before = m;

  // A line-up added at the top moves Blues: its old position is now inside another line.
  const std::string edited = "Greens,LGE:7\r\n" + db;
  EXPECT_FALSE(LoadChosenLineupFromText(m, 1, offered[1], edited).ok());
  // The line-ups swapped places: the position starts a line, but not Blues.
  EXPECT_FALSE(
      LoadChosenLineupFromText(m, 1, offered[0], "Blues,LGE:7,B,7\r\nReds,LGE:7\r\n").ok());
  // Shortened past the position.
  EXPECT_FALSE(LoadChosenLineupFromText(m, 1, offered[1], "Reds,LGE:7\r\n").ok());
  EXPECT_EQ(m.RiderName, before.RiderName);
  EXPECT_EQ(m.GroupTitle, before.GroupTitle);

  EXPECT_FALSE(LoadChosenLineup(m, 1, offered[0], "/nonexistent/Lineups.rdb").ok());
  EXPECT_FALSE(OfferLineupsFromFile("/nonexistent/Lineups.rdb", m, false).ok());
}

// The bundled database and competitions, from the source tree.
const fs::path kSourceDir = CORVANE_SOURCE_DIR;

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

int NamedRiders(const std::vector<std::string>& fields) {
  const LineupRecord r = ParseLineupFields(fields);
  int named = 0;
  for (const auto& name : r.riderNames) named += name.empty() ? 0 : 1;
  return named;
}

// How many line-ups of how many riders a meeting needs to be filled from the database.
void ExpectFilled(const Meeting& m, const std::string& bundled, const std::string& what) {
  const bool teamMeeting = m.NumTeams > 1;
  int lineupsNeeded = 1;
  if (teamMeeting) {
    lineupsNeeded = 0;
    for (int g = 1; g <= m.NumTeams; ++g) lineupsNeeded += FilledByTransfer(m, g) ? 0 : 1;
  }
  const int ridersNeeded =
      teamMeeting ? m.NumRiders - (m.RdrRepSlot == 1 ? 1 : 0) : IndividualSlotCount(m);
  const auto offered = OfferLineups(bundled, m, false);
  ASSERT_TRUE(offered.ok()) << what;
  int fit = 0;
  for (const auto& o : offered.value()) {
    const auto fields = ReadOfferedLineup(bundled, m, o);
    ASSERT_TRUE(fields.ok()) << what << ": " << o.text;
    if (NamedRiders(fields.value()) >= ridersNeeded) ++fit;
  }
  EXPECT_GE(fit, lineupsNeeded) << what << " needs " << lineupsNeeded << " line-ups of "
                                << ridersNeeded << " riders";
  for (std::size_t i = 1; i < m.CompIds.size(); ++i) {
    if (m.CompIds[i].empty()) continue;
    Meeting one = m;
    one.CompIds = Ids({m.CompIds[i]});
    EXPECT_FALSE(OfferLineups(bundled, one, false).value().empty())
        << what << " offers nothing for " << m.CompIds[i];
  }
}

// Every bundled competition, and the support competition of eight riders, can be filled.
TEST(BundledLineups, EveryBundledCompetitionCanBeFilled) {
  const std::string bundled = FileText(kSourceDir / "Lineups" / "Lineups.rdb");
  ASSERT_FALSE(bundled.empty());
  EXPECT_EQ(bundled.find('\n'), bundled.find("\r\n") + 1) << "lines end with CR LF";
  int competitions = 0;
  for (const auto& file : fs::directory_iterator(kSourceDir / "Scripts")) {
    Meeting m;
    if (file.path().extension() != ".cfg" || !LoadCompetitionText(m, FileText(file.path()), 12))
      continue;
    ++competitions;
    ExpectFilled(m, bundled, file.path().filename().string());
  }
  EXPECT_GE(competitions, 6);
  Meeting support = TeamMeeting(1, 8);
  support.CompIds = Ids({"SUP"});
  ExpectFilled(support, bundled, "the support competition");
}

}  // namespace
}  // namespace corvane
