#include "riderdb/database_arranging.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

std::vector<std::string> Keys(const RiderDatabase& db) {
  std::vector<std::string> keys;
  for (const ListEntry& entry : db.entries) keys.push_back(entry.key);
  return keys;
}

TEST(DatabaseArranging, SortingIgnoresCaseAndKeepsTheOrderOfEqualEntries) {
  RiderDatabase db;
  ASSERT_TRUE(ReadDatabaseText(db, "reds,B:7\r\nBlues,a:7\r\nReds,A:7\r\n\xE9lan,C:7\r\n").ok());
  SortEntries(db, SortColumn::kName);
  // Equal names keep their order; accented letters sort after the plain ones.
  EXPECT_EQ(Keys(db), (std::vector<std::string>{"2 ID", "1 ID", "3 ID", "4 ID"}));
  SortEntries(db, SortColumn::kId);
  EXPECT_EQ(Keys(db), (std::vector<std::string>{"2 ID", "3 ID", "1 ID", "4 ID"}));
  EXPECT_EQ(EntryIndexOf(db, 1), 2);
  EXPECT_EQ(EntryIndexOf(db, 9), -1);
}

}  // namespace
}  // namespace corvane
