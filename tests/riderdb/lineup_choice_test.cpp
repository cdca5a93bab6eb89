#include "riderdb/lineup_choice.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

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
  EXPECT_EQ(m.RiderName[9] + "|" + m.RiderName[10], "Other|");
  EXPECT_EQ(m.RiderAverage[9] + m.RiderAverage[15], 0) << "99 is off the 12-point scale";

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

}  // namespace
}  // namespace corvane
