#include "riderdb/rider_database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "support/test_files.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

TEST(RiderDatabase, ReadingAppendsRecordsWithKeyedEntries) {
  RiderDatabase db;
  ASSERT_TRUE(ReadDatabaseText(db, "Reds,LGE:7,A,9\r\n\r\n,SUP:8\r\n").ok());
  ASSERT_TRUE(ReadDatabaseText(db, "Blues,LG2:5\n").ok());
  EXPECT_EQ(db.entries,
            (std::vector<ListEntry>{
                {"Reds", "1 ID", "LGE"}, {"<Untitled>", "2 ID", "SUP"}, {"Blues", "3 ID", "LG2"}}));
  EXPECT_EQ(db.Record(3)->startingRiders, 5);
  EXPECT_EQ(db.Record(4), nullptr);
  EXPECT_EQ(db.Record(0), nullptr);
}

TEST(RiderDatabase, Utf8AndWindows1252FilesReadAlike) {
  RiderDatabase fromUtf8;
  RiderDatabase fromCp1252;
  ASSERT_TRUE(ReadDatabaseText(fromUtf8, "\xEF\xBB\xBFS\xC3\xB8nner,X:2,J\xC3\xB6rg,6").ok());
  ASSERT_TRUE(ReadDatabaseText(fromCp1252, "S\xF8nner,X:2,J\xF6rg,6").ok());
  EXPECT_EQ(fromUtf8.records, fromCp1252.records);
  EXPECT_EQ(fromUtf8.records[0].riderNames[1], "J\xC3\xB6rg");
}

TEST(RiderDatabase, AFailedReadLeavesTheRecordsAsTheyWere) {
  const testing::TempFolder folder("riderdb");
  RiderDatabase db;
  ASSERT_TRUE(ReadDatabaseText(db, "Reds,LGE:7\r\n").ok());
  const RiderDatabase before = db;

  const Status missing = ReadDatabaseFile(db, folder.path() / "missing.rdb");
  EXPECT_FALSE(missing.ok());
  EXPECT_NE(missing.error().find("missing.rdb"), std::string::npos);

  std::string tooMany;
  for (int i = 0; i < kMaxLineups; ++i) tooMany += "x\n";
  EXPECT_FALSE(ReadDatabaseText(db, tooMany).ok()) << "one record already held";
  EXPECT_EQ(db.records, before.records);
  EXPECT_EQ(db.entries, before.entries);
}

TEST(RiderDatabase, WritingFollowsTheListOrderAndSkipsStrayKeys) {
  RiderDatabase db;
  ASSERT_TRUE(ReadDatabaseText(db, "A,X:2\r\nB,Y:2\r\n,Z:2\r\n").ok());
  std::swap(db.entries[0], db.entries[2]);
  db.entries.push_back(ListEntry{"Ghost", "9 ID", ""});
  EXPECT_EQ(DatabaseText(db), ",Z:2,,,,\r\nB,Y:2,,,,\r\nA,X:2,,,,\r\n");
}

TEST(RiderDatabase, DeletingRenumbersAndAnEmptyNameIsWrittenEmpty) {
  RiderDatabase db;
  ASSERT_TRUE(ReadDatabaseText(db, "A,X:2\r\nB,Y:2,Bee,5\r\nC,Z:3,Cee,6\r\n").ok());
  DeleteRecord(db, 2);
  SetLineupName(db, 2, "");
  SetCompId(db, 2, "LGE");
  EXPECT_EQ(db.entries[1], (ListEntry{"<Untitled>", "2 ID", "LGE"}));
  EXPECT_EQ(db.Record(2)->riderNames[1], "Cee");
  // Not as the text the list shows for it.
  EXPECT_EQ(DatabaseText(db).substr(0, 20), "A,X:2,,,,\r\n,LGE:3,Ce");
}

TEST(RiderDatabase, AFailedSaveLeavesTheOldFileAndSaysWhy) {
  const testing::TempFolder folder("riderdb");
  // The temporary file's name is longer than the target's, too long for the file system.
  const fs::path target = folder.path() / (std::string(250, 'd') + ".rdb");
  testing::WriteText(target, "Old,LGE:7\r\n");
  RiderDatabase db;
  ASSERT_TRUE(ReadDatabaseText(db, "New,LGE:7\r\n").ok());
  const Status saved = WriteDatabaseFile(db, target);
  ASSERT_FALSE(saved.ok());
  EXPECT_FALSE(saved.error().empty());
  EXPECT_EQ(testing::FileText(target), "Old,LGE:7\r\n");

  const fs::path good = folder.path() / "good.rdb";
  ASSERT_TRUE(WriteDatabaseFile(db, good).ok());
  EXPECT_EQ(testing::FileText(good), "New,LGE:7,,,,,,,,,,,,,,\r\n");
}

// A file of an earlier version (Windows-1252) and one with names beyond it (UTF-8), read and
// saved with nothing changed, keep their bytes.
TEST(RiderDatabase, SavedFilesKeepTheirBytesInEitherEncoding) {
  const testing::TempFolder folder("riderdb");
  const std::string files[] = {
      "S\xF8nner \x80,LGE:2,J\xF6rg \x8A\xE9,6.00,Ren\xE9 \x81,7.50\r\nx,SUP:2,y,,z,5.00\r\n",
      "Gda\u0144sk,LGE:2,Bart\u0142omiej Zmarzlak,6.00,\u0410\u0440\u0442\u0451\u043C,7.50\r\n"};
  for (const std::string& bytes : files) {
    const fs::path path = folder.path() / "db.rdb";
    testing::WriteText(path, bytes);
    RiderDatabase db;
    ASSERT_TRUE(ReadDatabaseFile(db, path).ok());
    ASSERT_TRUE(WriteDatabaseFile(db, path).ok());
    EXPECT_EQ(testing::FileText(path), bytes);
  }
}

TEST(RiderDatabase, RecordCountSaysRecordOrRecords) {
  for (const auto& [count, text] :
       {std::pair{0, "0 records"}, {1, "1 record"}, {2, "2 records"}, {11, "11 records"}}) {
    EXPECT_EQ(RecordCountText(count), text);
  }
}

}  // namespace
}  // namespace corvane
