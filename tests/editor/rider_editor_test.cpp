// The rider editor without its window: the average scale, the record search and the editing
// commands.
#include "editor/rider_editor.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "editor/average_scale.h"
#include "editor/command_line.h"
#include "editor/record_search.h"
#include "riderdb/database_arranging.h"
#include "riderdb/lineup_record.h"
#include "support/test_files.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

TEST(AverageScale, TypedStoredShownAndTheMaximumSetting) {
  // Typed averages are kept only within one sixth of the scale and its maximum; whatever the
  // scale, the file stays on twelve.
  const struct {
    double typed;
    int scale;
    const char* stored;
  } typed[] = {{2, 12, "2.00"},    {1.99, 12, ""},      {12, 12, "12.00"}, {12.5, 12, ""},
               {7.46, 12, "7.46"}, {0, 12, ""},         {3, 3, "12.00"},   {0.5, 3, "2.00"},
               {0.49, 3, ""},      {1.0 / 6, 1, "2.00"}};
  for (const auto& row : typed) {
    EXPECT_EQ(FileAverageText(HeldFromTyped(row.typed, row.scale)), row.stored)
        << row.typed << " on " << row.scale;
  }
  EXPECT_EQ(HeldFromTyped(5, 0), 0) << "no scale, no average";

  EXPECT_EQ(ShownAverage(HeldAverageOf("7.46"), 12, ","), "7,46");
  EXPECT_EQ(ShownAverage(0, 12, "."), "");
  EXPECT_EQ(EditedAverage(HeldAverageOf("7.05"), 12, ","), "7,05");
  EXPECT_DOUBLE_EQ(TypedAverage("7,46", ","), 7.46);

  const std::pair<const char*, int> maxima[] = {{"15", 15},   {"7 points", 7}, {"99.4", 99},
                                                {"99.6", 12}, {"0", 12},       {"", 12},
                                                {"-5", 12},   {"1e300", 12}};
  for (const auto& [text, maximum] : maxima) EXPECT_EQ(MaxAverageSetting(text), maximum) << text;
}

// Where a search starts: -1 when the text is not found from character `from` on.
int Found(std::string_view text, std::string_view field, bool wholeWords, bool matchCase,
          int from) {
  int ptr = from;
  const bool matching =
      FindString(SearchSettings{std::string(text), wholeWords, matchCase}, field, ptr);
  if (!matching) {
    EXPECT_EQ(ptr, 1) << "no match puts the position back at 1";
    return -1;
  }
  return ptr;
}

TEST(FindString, WholeWordsCaseAndStartingPoint) {
  // Whole words stand between single spaces and the field's ends; an occurrence inside a word
  // does not hide a whole one later in the field.
  const std::pair<const char*, int> words[] = {
      {"A Rider", 3},  {"Rider Two", 1},    {"Riders", -1}, {"Rider-X", -1},
      {"X-Rider", -1}, {"Riders Rider", 8}, {"A  Rider", 4}};
  for (const auto& [field, found] : words)
    EXPECT_EQ(Found("Rider", field, true, false, 1), found) << field;
  EXPECT_EQ(Found("A Rid", "A Rider", true, false, 1), -1);
  EXPECT_EQ(Found("rider", "A Rider", false, true, 1), -1);
  EXPECT_EQ(Found("\u00E9LAN", "\u00C9lan", false, false, 1), 1)
      << "accented letters ignore case too";
  // Places count characters: "\u0141" is the fifth, though the sixth byte.
  EXPECT_EQ(Found("\u0142ukasz", "\u017Bak \u0141ukasz", false, false, 1), 5);
  EXPECT_EQ(Found("\u0142ukasz", "\u017Bak \u0141ukasz", false, true, 1), -1);
  EXPECT_EQ(Found("\u0410", "\u0430\u0430", false, false, 2), 2);
  EXPECT_EQ(Found("an", "Ann Dan", false, false, 2), 6);
  EXPECT_EQ(Found("an", "Ann Dan", false, false, 7), -1);
  EXPECT_EQ(Found("", "Ann", false, false, 1), -1) << "an empty text is never searched for";
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
  std::optional<SearchPlace> Search(std::string text, SearchPlace start, int maxAverage = 12) {
    return SearchRecords(db_, SearchSettings{std::move(text), false, false}, start, maxAverage,
                         ".");
  }
  RiderDatabase db_;
};

TEST_F(SearchRecordsTest, FieldsInFileOrderRoundFromTheLastEntryFollowingTheList) {
  EXPECT_EQ(Search("Rider", {0, 3, 4}), (SearchPlace{1, 5, 1})) << "past the first, on to entry 2";
  EXPECT_EQ(Search("2.25", {0, 1, 1}, 3), (SearchPlace{0, 6, 1})) << "9.00 shown on a scale of 3";
  EXPECT_EQ(Search("LG2", {0, 1, 1}), (SearchPlace{2, 2, 1}));
  EXPECT_EQ(Search("Untitled", {0, 1, 1}), std::nullopt) << "an untitled line-up's box is empty";
  EXPECT_EQ(Search("Reds", {2, 82, 1}), (SearchPlace{0, 1, 1}));
  // What lies before the caret in the start field is found when the search comes round.
  EXPECT_EQ(Search("Bob", {0, 5, 2}), (SearchPlace{0, 5, 1}));
  SortEntries(db_, SortColumn::kName);  // <Untitled>, Blues, Reds
  EXPECT_EQ(Search("Rider", {0, 5, 2}), (SearchPlace{2, 3, 3}));
  // A start beyond the list is brought back into it.
  EXPECT_EQ(Search("Dee", {9, 99, -4}), (SearchPlace{1, 3, 1}));
}

class RiderEditorTest : public ::testing::Test {
 protected:
  fs::path Write(const std::string& name, const std::string& text) {
    testing::WriteText(folder_ / name, text);
    return folder_ / name;
  }
  static std::vector<std::string> Keys(const RiderEditor& editor) {
    std::vector<std::string> keys;
    for (const ListEntry& entry : editor.Database().entries) keys.push_back(entry.key);
    return keys;
  }

  const testing::TempFolder temp_{"tavrel"};
  const std::filesystem::path& folder_ = temp_.path();
};

TEST_F(RiderEditorTest, DeletingTheLastEntriesLeavesNoneSelected) {
  RiderEditor editor(12, ".");
  ASSERT_TRUE(editor.Open(Write("two.rdb", "A,X:2,Ann,5\r\nB,X:2,Bob,6\r\n")).ok());
  editor.Select(2);
  EXPECT_EQ(editor.Delete(), 1) << "deleting the last entry shows the one before";
  EXPECT_EQ(editor.Delete(), 0);
  EXPECT_EQ(editor.SelectedRecord(), nullptr);
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
  ASSERT_TRUE(ReadDatabaseText(back, testing::FileText(saved)).ok());
  std::vector<std::string> written;
  for (const ListEntry& entry : back.entries) written.push_back(entry.text);
  EXPECT_EQ(written, (std::vector<std::string>{"Blues", "Reds", "Aces", "Reds"}))
      << "written in the list's order";
  EXPECT_EQ(Keys(editor), (std::vector<std::string>{"3 ID", "2 ID", "1 ID", "4 ID"}));
}

TEST_F(RiderEditorTest, DirtyFlagAndFailedFileCommands) {
  RiderEditor editor(12, ".");
  editor.SetCompId(" LGE:1 ");
  EXPECT_EQ(editor.Database().entries[0], (ListEntry{"<Untitled>", "1 ID", "LGE:1"}));

  // A failed open or merge changes nothing (a failed save is the window's test).
  EXPECT_FALSE(editor.Open(folder_ / "missing.rdb").ok());
  EXPECT_FALSE(editor.Merge(folder_ / "missing.rdb").ok());
  EXPECT_TRUE(editor.Dirty());
  EXPECT_EQ(editor.Database().RecordCount(), 1);

  const fs::path path = folder_ / "ok.rdb";
  ASSERT_TRUE(editor.Save(path).ok());
  EXPECT_FALSE(editor.Dirty());
  EXPECT_EQ(testing::FileText(path).substr(0, 10), ",LGE 1:7,,")
      << "the colon cannot end the ID in the file";

  ASSERT_TRUE(editor.Merge(Write("more.rdb", "Reds,LGE:7\r\n")).ok());
  EXPECT_TRUE(editor.Dirty());
  EXPECT_EQ(editor.FileName(), path.string());
  EXPECT_EQ(editor.Database().RecordCount(), 2);
}

TEST(DatabaseArgument, DropsBlanksAndOnePairOfQuotes) {
  EXPECT_EQ(DatabaseArgument(" \"/a/b.rdb"), "/a/b.rdb");
  EXPECT_EQ(DatabaseArgument("\"\"x\"\""), "\"x\"");
  EXPECT_EQ(DatabaseArgument("\""), "");
}

// Undo takes back each command and a run of typing in one box as one step, Redo does it again,
// a new command drops what could be redone; New and Open start afresh, a failed merge is no
// step.
TEST(RiderEditorUndo, CommandsAndTypingRunsComeBackInOrder) {
  RiderEditor editor(12, ".");
  const auto names = [&] {
    std::string text;
    for (const ListEntry& entry : editor.Database().entries) text += entry.text + "|";
    return text;
  };
  editor.SetLineupName("R");
  editor.SetLineupName("Reds");  // the same run
  editor.SetRiderName(1, "Al");
  editor.EndTyping();
  editor.SetRiderName(1, "Alf");  // a new run after leaving the box
  editor.Add();
  editor.SetLineupName("Blues");
  editor.Sort(SortColumn::kName);
  editor.Delete();
  ASSERT_EQ(names(), "Reds|");
  EXPECT_EQ(editor.UndoLabel(), "Delete");

  const std::pair<const char*, std::string> undone[] = {
      {"Delete", "Blues|Reds|"}, {"Sort", "Reds|Blues|"}, {"Typing", "Reds|<Untitled>|"},
      {"Add", "Reds|"},          {"Typing", "Reds|"},     {"Typing", "Reds|"},
      {"Typing", "<Untitled>|"}};
  for (const auto& [label, before] : undone) {
    EXPECT_EQ(editor.UndoLabel(), label);
    ASSERT_TRUE(editor.Undo());
    EXPECT_EQ(names(), before) << label;
  }
  EXPECT_EQ(editor.SelectedRecord()->riderNames[1], "");
  EXPECT_FALSE(editor.Undo());
  EXPECT_TRUE(editor.Dirty());

  ASSERT_TRUE(editor.Redo() && editor.Redo() && editor.Redo());
  EXPECT_EQ(editor.SelectedRecord()->riderNames[1], "Alf");
  editor.MoveRider(1, 1);
  EXPECT_FALSE(editor.CanRedo());
  ASSERT_TRUE(editor.Undo());
  EXPECT_EQ(editor.SelectedRecord()->riderNames[1], "Alf");

  EXPECT_FALSE(editor.Merge("/no/such/file.rdb").ok());
  EXPECT_EQ(editor.UndoLabel(), "Typing");
  editor.New();
  EXPECT_FALSE(editor.CanUndo() || editor.CanRedo());
}

// "tavrel --help" answers instead of opening a database of that name.
TEST(EditorCommandInfo, AnswersHelpAndVersionAndRejectsOtherOptions) {
  EXPECT_FALSE(EditorCommandInfo({"my riders.rdb"}, "1.2.3", true));
  EXPECT_FALSE(EditorCommandInfo({"-style"}, "1.2.3", false));
  EXPECT_EQ(EditorCommandInfo({"--version"}, "1.2.3", false)->text, "tavrel 1.2.3\n");
  EXPECT_TRUE(
      EditorCommandInfo({"x.rdb", "--help"}, "1", false)->text.starts_with("Usage: tavrel"));
  const auto unknown = EditorCommandInfo({"-x"}, "1", true);
  ASSERT_TRUE(unknown);
  EXPECT_TRUE(unknown->error);
  EXPECT_NE(unknown->text.find("-x"), std::string::npos);
}

}  // namespace
}  // namespace corvane
