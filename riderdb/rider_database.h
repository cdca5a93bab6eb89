// A rider database as the editor holds it: the line-up records in the order they were read or
// created (record numbers from 1), and the list the user sees and arranges, whose entries point
// at records through keys in the "# ID" format. Saving writes the list's order.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/io/result.h"
#include "riderdb/lineup_record.h"

namespace corvane {

inline constexpr std::size_t kMaxRiderDatabaseBytes = 64u << 20;
// Record numbers are 16-bit, and the limit also bounds what a hostile file can make us hold.
inline constexpr int kMaxLineups = 32767;
inline constexpr std::string_view kUntitledLineup = "<Untitled>";

struct ListEntry {
  std::string text;     // the line-up name, "<Untitled>" when it is empty
  std::string key;      // the record number, "3 ID"
  std::string subItem;  // the competition ID

  bool operator==(const ListEntry&) const = default;
};

struct RiderDatabase {
  std::vector<LineupRecord> records;  // record number k is records[k - 1]
  std::vector<ListEntry> entries;     // list order

  int RecordCount() const { return static_cast<int>(records.size()); }
  // The record with this number; nullptr when there is none.
  LineupRecord* Record(int number);
  const LineupRecord* Record(int number) const;
};

// "3 ID" for record 3, and back (a leading-number parse; 0 when the key names no number).
std::string KeyOf(int recordNumber);
int RecordNumberOf(std::string_view key);

// How a line-up name is shown in a list.
std::string ShownName(std::string_view name);

// The list entry that shows record `number`.
ListEntry EntryFor(const LineupRecord& record, int number);

// Appends the records of the database text (Windows-1252 or UTF-8 bytes) with an entry each
// at the end of the list. All or nothing: on failure the database is left as it was.
Status ReadDatabaseText(RiderDatabase& db, std::string_view bytes);
Status ReadDatabaseFile(RiderDatabase& db, const std::filesystem::path& path);

// The file text: one CR LF-ended line a list entry, in list order. Entries whose key names no
// record are left out.
std::string DatabaseText(const RiderDatabase& db);
// Saves through a temporary file, so a failed save leaves the previous file whole.
Status WriteDatabaseFile(const RiderDatabase& db, const std::filesystem::path& path);

// Editing helpers that keep a record and its list entry in step.
void SetLineupName(RiderDatabase& db, int number, std::string_view name);
void SetCompId(RiderDatabase& db, int number, std::string_view compId);
// Adds the record at the end of both the records and the list; returns its number, 0 when the
// database is full.
int AddRecord(RiderDatabase& db, LineupRecord record);
// Removes the record and its entry; every later record moves down one number and its entry is
// keyed again to match.
void DeleteRecord(RiderDatabase& db, int number);

// The status-bar text for a number of records: "1 record", otherwise "5 records".
std::string RecordCountText(int count);

}  // namespace corvane
