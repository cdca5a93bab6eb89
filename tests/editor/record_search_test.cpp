#include "editor/record_search.h"

#include <gtest/gtest.h>

#include "riderdb/database_arranging.h"

namespace corvane {
namespace {

// Where a search starts: -1 when the text is not found from character `from` on.
int Found(std::string_view text, std::string_view field, bool wholeWords, bool matchCase = false,
          int from = 1) {
  int ptr = from;
  const bool matching =
      FindString(SearchSettings{std::string(text), wholeWords, matchCase}, field, ptr);
  if (!matching) {
    EXPECT_EQ(ptr, 1) << "no match puts the position back at 1";
    return -1;
  }
  return ptr;
}

TEST(FindString, WholeWordsStandBetweenSingleSpacesAndTheFieldEnds) {
  EXPECT_EQ(Found("Rider", "A Rider", true), 3);
  EXPECT_EQ(Found("Rider", "Rider Two", true), 1);
  EXPECT_EQ(Found("Rider", "Rider", true), 1);
  EXPECT_EQ(Found("Rider", "Riders", true), -1);
  EXPECT_EQ(Found("Rider", "Rider-X", true), -1);
  EXPECT_EQ(Found("Rider", "X-Rider", true), -1);
  EXPECT_EQ(Found("Rider", "A  Rider", true), 4);
  // An occurrence inside a word does not hide a whole one later in the field.
  EXPECT_EQ(Found("Rider", "Riders Rider", true), 8);
  EXPECT_EQ(Found("Rider", "Riders", false), 1);
  EXPECT_EQ(Found("A Rid", "A Rider", true), -1);
}

TEST(FindString, CaseModesAndStartingPoint) {
  EXPECT_EQ(Found("rider", "A Rider", false, true), -1);
  EXPECT_EQ(Found("rider", "A Rider", false, false), 3);
  EXPECT_EQ(Found("\xE9LAN", "\xC9lan", false, false), 1) << "accented letters ignore case too";
  EXPECT_EQ(Found("an", "Ann Dan", false, false, 2), 6);
  EXPECT_EQ(Found("an", "Ann Dan", false, false, 7), -1);
  EXPECT_EQ(Found("x", "", false), -1);
  EXPECT_EQ(Found("", "Ann", false), -1) << "an empty text is never searched for";
}

class SearchRecordsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ReadDatabaseText(db_,
                                 "Reds,LGE:7,A Rider,7.40,Bob,9.00\r\n"
                                 ",SUP:2,Cy,,Rider Two,6\r\n"
                                 "Blues,LG2:3,Dee,8\r\n")
                    .ok());
  }
  std::optional<SearchPlace> Search(std::string text, SearchPlace start, int maxAverage = 12,
                                    bool wholeWords = false) {
    return SearchRecords(db_, SearchSettings{std::move(text), wholeWords, false}, start, maxAverage,
                         ".");
  }
  RiderDatabase db_;
};

TEST_F(SearchRecordsTest, FieldsInFileOrderWithAveragesAsShown) {
  EXPECT_EQ(Search("Rider", {0, 1, 1}), (SearchPlace{0, 3, 3}));
  EXPECT_EQ(Search("Rider", {0, 3, 4}), (SearchPlace{1, 5, 1})) << "past the first, on to entry 2";
  EXPECT_EQ(Search("7.4", {0, 1, 1}), (SearchPlace{0, 4, 1}));
  EXPECT_EQ(Search("2.25", {0, 1, 1}, 3), (SearchPlace{0, 6, 1})) << "9.00 shown on a scale of 3";
  EXPECT_EQ(Search("LG2", {0, 1, 1}), (SearchPlace{2, 2, 1}));
  EXPECT_EQ(Search("Untitled", {0, 1, 1}), std::nullopt) << "an untitled line-up's box is empty";
  EXPECT_EQ(Search("Nobody", {1, 40, 1}), std::nullopt);
  EXPECT_EQ(Search("", {0, 1, 1}), std::nullopt);
}

TEST_F(SearchRecordsTest, WrapsFromTheLastFieldOfTheLastEntryAndFollowsTheList) {
  EXPECT_EQ(Search("Reds", {2, 82, 1}), (SearchPlace{0, 1, 1}));
  // What lies before the caret in the start field is found when the search comes round.
  EXPECT_EQ(Search("Reds", {0, 1, 2}), (SearchPlace{0, 1, 1}));
  EXPECT_EQ(Search("Bob", {0, 5, 2}), (SearchPlace{0, 5, 1}));
  SortEntries(db_, SortColumn::kName);  // <Untitled>, Blues, Reds
  EXPECT_EQ(Search("Rider", {0, 5, 2}), (SearchPlace{2, 3, 3}));
  // A start beyond the list is brought back into it.
  EXPECT_EQ(Search("Dee", {9, 99, -4}), (SearchPlace{1, 3, 1}));
}

}  // namespace
}  // namespace corvane
