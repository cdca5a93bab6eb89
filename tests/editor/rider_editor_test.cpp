#include "editor/rider_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor/command_line.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

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
