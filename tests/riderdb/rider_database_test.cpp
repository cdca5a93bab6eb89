#include "riderdb/rider_database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "engine/io/text_encoding.h"
#include "engine/race/random_source.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// A folder of its own for the length of one test.
struct TempFolder {
  TempFolder() {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempFolder() { fs::remove_all(path); }
  const fs::path path =
      fs::temp_directory_path() /
      ("corvane-riderdb-" +
       std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
};

std::string FileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

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
  TempFolder folder;
  RiderDatabase db;
  ASSERT_TRUE(ReadDatabaseText(db, "Reds,LGE:7\r\n").ok());
  const RiderDatabase before = db;

  const Status missing = ReadDatabaseFile(db, folder.path / "missing.rdb");
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
  TempFolder folder;
  // The temporary file's name is longer than the target's, too long for the file system.
  const fs::path target = folder.path / (std::string(250, 'd') + ".rdb");
  { std::ofstream(target, std::ios::binary) << "Old,LGE:7\r\n"; }
  RiderDatabase db;
  ASSERT_TRUE(ReadDatabaseText(db, "New,LGE:7\r\n").ok());
  const Status saved = WriteDatabaseFile(db, target);
  ASSERT_FALSE(saved.ok());
  EXPECT_FALSE(saved.error().empty());
  EXPECT_EQ(FileText(target), "Old,LGE:7\r\n");

  const fs::path good = folder.path / "good.rdb";
  ASSERT_TRUE(WriteDatabaseFile(db, good).ok());
  EXPECT_EQ(FileText(good), "New,LGE:7,,,,,,,,,,,,,,\r\n");
}

// A file of an earlier version (Windows-1252) and one with names beyond it (UTF-8), read and
// saved with nothing changed, keep their bytes.
TEST(RiderDatabase, SavedFilesKeepTheirBytesInEitherEncoding) {
  TempFolder folder;
  const std::string files[] = {
      "S\xF8nner \x80,LGE:2,J\xF6rg \x8A\xE9,6.00,Ren\xE9 \x81,7.50\r\nx,SUP:2,y,,z,5.00\r\n",
      "Gda\u0144sk,LGE:2,Bart\u0142omiej Zmarzlak,6.00,\u0410\u0440\u0442\u0451\u043C,7.50\r\n"};
  for (const std::string& bytes : files) {
    const fs::path path = folder.path / "db.rdb";
    std::ofstream(path, std::ios::binary) << bytes;
    RiderDatabase db;
    ASSERT_TRUE(ReadDatabaseFile(db, path).ok());
    ASSERT_TRUE(WriteDatabaseFile(db, path).ok());
    EXPECT_EQ(FileText(path), bytes);
  }
}

// Random records of what the file can hold, in either encoding: written and read back, they are
// the same records.
TEST(RiderDatabase, WrittenRecordsReadBackUnchanged) {
  Pcg32Random random(20240611);
  const auto below = [&](int n) {
    return static_cast<int>(random.NextBits() % static_cast<unsigned>(n));
  };
  const std::vector<std::string> alphabet = {
      "A", "B", "C",      "d",      "e", "f", " ",      "x",      "y",      "z",     "'",
      "-", ".", "\u00E9", "\u00D6", ":", ";", "\u0142", "\u0416", "\u0151", "\u20AC"};
  const auto text = [&](std::size_t most, bool colonAllowed) {
    std::string s;
    const int length = below(static_cast<int>(most) + 1);
    for (int i = 0; i < length; ++i) {
      std::string c = alphabet[static_cast<std::size_t>(below(static_cast<int>(alphabet.size())))];
      if (c == ":" && !colonAllowed) c = "q";
      s += c;
    }
    return Trim(s);
  };

  RiderDatabase db;
  for (int k = 0; k < 200; ++k) {
    LineupRecord r;
    r.name = text(kLineupNameLength, true);
    r.compId = text(kCompIdLength, false);
    r.startingRiders = static_cast<Integer>(2 + below(39));
    for (int j = 1; j <= kLineupRiders; ++j) {
      if (below(3) == 0) continue;
      const auto slot = static_cast<std::size_t>(j);
      r.riderNames[slot] = text(kRiderNameLength, true);
      if (!r.riderNames[slot].empty() && below(5) != 0) {
        r.riderAverages[slot] = static_cast<Single>((200 + below(1001)) / 100.0 / 12);
      }
    }
    AddRecord(db, r);
  }
  RiderDatabase back;
  ASSERT_TRUE(ReadDatabaseText(back, FileBytesOf(DatabaseText(db))).ok());
  ASSERT_EQ(back.RecordCount(), db.RecordCount());
  for (int k = 1; k <= db.RecordCount(); ++k) {
    EXPECT_EQ(*back.Record(k), *db.Record(k)) << "record " << k;
  }
  EXPECT_EQ(back.entries, db.entries);
}

TEST(RiderDatabase, RecordCountSaysRecordOrRecords) {
  for (const auto& [count, text] :
       {std::pair{0, "0 records"}, {1, "1 record"}, {2, "2 records"}, {11, "11 records"}}) {
    EXPECT_EQ(RecordCountText(count), text);
  }
}

}  // namespace
}  // namespace corvane
