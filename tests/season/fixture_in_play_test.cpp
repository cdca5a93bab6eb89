// The season file's record of a fixture suspended in the middle: kept across opening, gone with
// the fixture's result, and files made before it was kept still open and take it.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "season/season_file.h"
#include "season/season_setup.h"
#include "tests/support/test_files.h"

namespace corvane {
namespace {

class FixtureInPlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SeasonRequest request;
    request.seed = 11;
    const Result<Season> season = NewSeason(request, CORVANE_SOURCE_DIR);
    ASSERT_TRUE(season.ok()) << season.error();
    auto file = SeasonFile::Create(path_, season.value());
    ASSERT_TRUE(file.ok()) << file.error();
    ASSERT_TRUE(PlayFixtures(*file.value(), 2).ok());
  }
  void Sql(const char* sql) {
    sqlite3* db = nullptr;
    sqlite3_open(path_.c_str(), &db);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
  }
  std::unique_ptr<SeasonFile> Open() {
    auto file = SeasonFile::Open(path_);
    EXPECT_TRUE(file.ok()) << file.error();
    return file.ok() ? std::move(file).value() : nullptr;
  }

  testing::TempFolder folder_{"in-play"};
  std::filesystem::path path_ = folder_ / "league.season";
};

// A file of the previous release has no table for the record: it opens, races on, and takes a
// record; the record and its bytes come back, and go with the fixture's result, stored once.
TEST_F(FixtureInPlayTest, KeptUntilTheResultInFilesOldAndNew) {
  Sql("DROP TABLE fixture_in_play");
  const std::string meeting("\x01\x00 meeting\xff bytes", 17);
  {
    auto file = Open();
    ASSERT_NE(file, nullptr);
    EXPECT_FALSE(file->fixtureInPlay());
    ASSERT_TRUE(PlayFixtures(*file, 1).ok()) << "an old file races on";
    ASSERT_TRUE(file->SetFixtureInPlay({4, "first"}).ok());
    ASSERT_TRUE(file->SetFixtureInPlay({4, meeting}).ok()) << "a later suspension replaces it";
  }
  auto file = Open();
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->fixtureInPlay());
  EXPECT_EQ(file->fixtureInPlay()->fixture, 4);
  EXPECT_EQ(file->fixtureInPlay()->meeting, meeting);

  FixtureResult result{
      4, 50, 40, "report", {RiderRides{file->season().fixtures[3].home, "A", 5, 12, 1}}};
  ASSERT_TRUE(file->AddResult(result).ok());
  EXPECT_FALSE(file->fixtureInPlay());
  result.homeScore = 10;
  EXPECT_FALSE(file->AddResult(result).ok()) << "the same fixture twice";
  file.reset();
  file = Open();
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(file->fixtureInPlay());
  ASSERT_EQ(file->season().results.size(), 4u);
  EXPECT_EQ(file->season().ResultOf(4)->homeScore, 50);
}

TEST_F(FixtureInPlayTest, RecordsThatCannotStandAreRefusedOrPassedOver) {
  {
    auto file = Open();
    ASSERT_NE(file, nullptr);
    for (const int fixture : {0, 1, 57}) {
      EXPECT_FALSE(file->SetFixtureInPlay({fixture, "m"}).ok()) << fixture;
    }
  }
  // An older program stored fixture 2 without knowing it was recorded in play.
  Sql("INSERT INTO fixture_in_play VALUES (1, 2, x'00')");
  auto file = Open();
  ASSERT_NE(file, nullptr);
  EXPECT_FALSE(file->fixtureInPlay());
  file.reset();
  Sql("UPDATE fixture_in_play SET fixture = 999");
  EXPECT_FALSE(SeasonFile::Open(path_).ok()) << "a fixture the season does not have";
}

}  // namespace
}  // namespace corvane
