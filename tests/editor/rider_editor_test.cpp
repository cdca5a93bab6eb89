// The rider editor without its window: the average scale, the record search and the editing
// commands.
#include "editor/rider_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor/average_scale.h"
#include "editor/command_line.h"
#include "editor/record_search.h"
#include "riderdb/database_arranging.h"
#include "riderdb/lineup_record.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// What the file keeps for a number typed on the scale.
std::string Stored(double typed, int maxAverage) {
  return FileAverageText(HeldFromTyped(typed, maxAverage));
}

TEST(AverageScale, TypedAveragesStoreOnlyWithinOneSixthAndTheMaximum) {
  EXPECT_EQ(Stored(2, 12), "2.00");
  EXPECT_EQ(Stored(1.99, 12), "");
  EXPECT_EQ(Stored(12.5, 12), "");
  EXPECT_EQ(Stored(12, 12), "12.00");
  EXPECT_EQ(Stored(7.46, 12), "7.46");
  EXPECT_EQ(Stored(0, 12), "");
  // Other scales: the limits follow the maximum, the file stays on twelve.
  EXPECT_EQ(Stored(3, 3), "12.00");
  EXPECT_EQ(Stored(0.5, 3), "2.00");
  EXPECT_EQ(Stored(0.49, 3), "");
  EXPECT_EQ(Stored(1.0 / 6, 1), "2.00");
  EXPECT_EQ(HeldFromTyped(5, 0), 0) << "no scale, no average";
}

TEST(AverageScale, ShownOnTheChosenScaleWithTheLocaleSeparator) {
  const Single nine = HeldAverageOf("9.00");
  EXPECT_EQ(ShownAverage(nine, 3, "."), "2.25");
  EXPECT_EQ(ShownAverage(nine, 12, "."), "9.00");
  EXPECT_EQ(ShownAverage(HeldAverageOf("7.46"), 12, ","), "7,46");
  EXPECT_EQ(ShownAverage(0, 12, "."), "");
  EXPECT_EQ(EditedAverage(HeldAverageOf("7.40"), 12, "."), "7.4");
  EXPECT_EQ(EditedAverage(HeldAverageOf("8"), 12, ","), "8");
  EXPECT_EQ(EditedAverage(HeldAverageOf("7.05"), 12, ","), "7,05");
  EXPECT_DOUBLE_EQ(TypedAverage("7,46", ","), 7.46);
  EXPECT_DOUBLE_EQ(TypedAverage("", "."), 0);
}

TEST(AverageScale, HelpLineAndMaximumSetting) {
  EXPECT_EQ(AverageHelpLine(12, "."), "Rider average (0; 2.00-12.00)");
  EXPECT_EQ(AverageHelpLine(3, ","), "Rider average (0; 0,50-3,00)");
  EXPECT_EQ(MaxAverageSetting("15"), 15);
  EXPECT_EQ(MaxAverageSetting("7 points"), 7);
  EXPECT_EQ(MaxAverageSetting("99.4"), 99);
  EXPECT_EQ(MaxAverageSetting("99.6"), 12);
  EXPECT_EQ(MaxAverageSetting("0"), 12);
  EXPECT_EQ(MaxAverageSetting(""), 12);
  EXPECT_EQ(MaxAverageSetting("-5"), 12);
  EXPECT_EQ(MaxAverageSetting("1e300"), 12);
}

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

class RiderEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("tavrel-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path Write(const std::string& name, const std::string& text) {
    const fs::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
  }
  static std::vector<std::string> Keys(const RiderEditor& editor) {
    std::vector<std::string> keys;
    for (const ListEntry& entry : editor.Database().entries) keys.push_back(entry.key);
    return keys;
  }

  fs::path folder_;
};

TEST_F(RiderEditorTest, DeletingTheMiddleOfThreeRenumbersTheLast) {
  RiderEditor editor(12, ".");
  ASSERT_TRUE(editor.Open(Write("three.rdb", "A,X:2,Ann,5\r\nB,X:2,Bob,6\r\nC,X:2,Cy,7\r\n")).ok());
  editor.Select(2);
  EXPECT_EQ(editor.Delete(), 2) << "the entry that took its place is shown";
  EXPECT_EQ(Keys(editor), (std::vector<std::string>{"1 ID", "2 ID"}));
  EXPECT_EQ(editor.SelectedRecord()->riderNames[1], "Cy");
  EXPECT_TRUE(editor.Dirty());
  EXPECT_EQ(editor.Delete(), 1) << "deleting the last entry shows the one before";
  EXPECT_EQ(editor.Delete(), 0);
  EXPECT_EQ(editor.SelectedRecord(), nullptr);
}

TEST_F(RiderEditorTest, AveragesAreTypedOnTheScaleAndStoredOnTwelve) {
  RiderEditor editor(12, ",");
  editor.SetRiderName(1, "  Ann  ");
  editor.SetRiderAverage(1, "2");
  editor.SetRiderName(2, "Bob");
  editor.SetRiderAverage(2, "1,99");
  editor.SetRiderName(3, "Cy");
  editor.SetRiderAverage(3, "12,5");
  EXPECT_EQ(DatabaseText(editor.Database()), ",:7,Ann,2.00,Bob,,Cy,,,,,,,,,\r\n");

  ASSERT_TRUE(editor.SetMaxAverage(3));
  EXPECT_FALSE(editor.SetMaxAverage(0));
  EXPECT_FALSE(editor.SetMaxAverage(100));
  editor.SetRiderAverage(2, "3");
  EXPECT_EQ(editor.AverageText(1), "0,50");
  EXPECT_EQ(editor.AverageHelpLine(), "Rider average (0; 0,50-3,00)");
  EXPECT_EQ(DatabaseText(editor.Database()), ",:7,Ann,2.00,Bob,12.00,Cy,,,,,,,,,\r\n");
}

TEST_F(RiderEditorTest, MovingARiderKeepsHisAverageExactlyOnAnyScale) {
  RiderEditor editor(1, ".");
  ASSERT_TRUE(editor.Open(Write("one.rdb", "Reds,LGE:2,Ann,7.46,Bob,\r\n")).ok());
  EXPECT_EQ(editor.AverageText(1), "0.62");
  EXPECT_TRUE(editor.MoveRider(1, 1));
  EXPECT_FALSE(editor.MoveRider(1, -1));
  EXPECT_FALSE(editor.MoveRider(40, 1));
  EXPECT_EQ(DatabaseText(editor.Database()), "Reds,LGE:2,Bob,,Ann,7.46\r\n");
}

TEST_F(RiderEditorTest, AddAndDuplicateGoAtTheEndUntilTheNextSortOrSave) {
  RiderEditor editor(12, ".");
  ASSERT_TRUE(editor.Open(Write("two.rdb", "Reds,LGE:5,Ann,9\r\nBlues,LGE:9\r\n")).ok());
  EXPECT_EQ(Keys(editor), (std::vector<std::string>{"2 ID", "1 ID"}))
      << "sorted by name on reading";
  editor.Select(1);
  EXPECT_EQ(editor.Add(), 3);
  EXPECT_EQ(editor.SelectedRecord()->startingRiders, 5) << "from the line-up shown before";
  editor.SetLineupName("Aces");
  editor.Select(1);
  EXPECT_EQ(editor.Duplicate(), 4);
  EXPECT_EQ(editor.SelectedRecord()->riderNames[1], "Ann");
  EXPECT_EQ(Keys(editor), (std::vector<std::string>{"2 ID", "1 ID", "3 ID", "4 ID"}));

  const fs::path saved = folder_ / "saved.rdb";
  ASSERT_TRUE(editor.Save(saved).ok());
  RiderDatabase back;
  ASSERT_TRUE(ReadDatabaseText(back, Read(saved)).ok());
  std::vector<std::string> written;
  for (const ListEntry& entry : back.entries) written.push_back(entry.text);
  EXPECT_EQ(written, (std::vector<std::string>{"Blues", "Reds", "Aces", "Reds"}))
      << "written in the list's order";
  EXPECT_EQ(Keys(editor), (std::vector<std::string>{"3 ID", "2 ID", "1 ID", "4 ID"}));
  editor.Sort(SortColumn::kId);
  EXPECT_EQ(editor.SortKey(), SortColumn::kId);
}

TEST_F(RiderEditorTest, DirtyFlagTitleAndFailedFileCommands) {
  RiderEditor editor(12, ".");
  EXPECT_EQ(editor.Title(), "Rider Editor - [Untitled]");
  EXPECT_FALSE(editor.Dirty());
  editor.SetCompId(" LGE:1 ");
  EXPECT_EQ(editor.Database().entries[0], (ListEntry{"<Untitled>", "1 ID", "LGE:1"}));
  EXPECT_TRUE(editor.Dirty());

  // A failed open or merge changes nothing; a failed save keeps the changes to save elsewhere.
  EXPECT_FALSE(editor.Open(folder_ / "missing.rdb").ok());
  EXPECT_FALSE(editor.Merge(folder_ / "missing.rdb").ok());
  const Status failed = editor.Save(folder_ / "no such folder" / "x.rdb");
  ASSERT_FALSE(failed.ok());
  EXPECT_FALSE(failed.error().empty());
  EXPECT_TRUE(editor.Dirty());
  EXPECT_EQ(editor.FileName(), "");
  EXPECT_EQ(editor.Database().RecordCount(), 1);

  const fs::path path = folder_ / "ok.rdb";
  ASSERT_TRUE(editor.Save(path).ok());
  EXPECT_FALSE(editor.Dirty());
  EXPECT_EQ(editor.Title(), "Rider Editor - [" + path.string() + "]");
  EXPECT_EQ(Read(path).substr(0, 10), ",LGE 1:7,,") << "the colon cannot end the ID in the file";

  ASSERT_TRUE(editor.Merge(Write("more.rdb", "Reds,LGE:7\r\n")).ok());
  EXPECT_TRUE(editor.Dirty());
  EXPECT_EQ(editor.FileName(), path.string());
  EXPECT_EQ(editor.Database().RecordCount(), 2);
  editor.New();
  EXPECT_FALSE(editor.Dirty());
  EXPECT_EQ(editor.Database().RecordCount(), 1);
  EXPECT_EQ(editor.SelectedRecord()->startingRiders, 7);
}

TEST(DatabaseArgument, DropsBlanksAndOnePairOfQuotes) {
  EXPECT_EQ(DatabaseArgument("\"/home/u/My Teams.rdb\""), "/home/u/My Teams.rdb");
  EXPECT_EQ(DatabaseArgument("  /a/b.rdb  "), "/a/b.rdb");
  EXPECT_EQ(DatabaseArgument(" \"/a/b.rdb"), "/a/b.rdb");
  EXPECT_EQ(DatabaseArgument("\"\"x\"\""), "\"x\"");
  EXPECT_EQ(DatabaseArgument("\""), "");
  EXPECT_EQ(DatabaseArgument(""), "");
}

}  // namespace
}  // namespace corvane
