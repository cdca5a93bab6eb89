#include "riderdb/rider_database.h"

#include <algorithm>
#include <cmath>

#include "engine/io/file_io.h"
#include "engine/io/text_encoding.h"
#include "riderdb/database_lines.h"

namespace corvane {

LineupRecord* RiderDatabase::Record(int number) {
  if (number < 1 || number > RecordCount()) return nullptr;
  return &records[static_cast<std::size_t>(number - 1)];
}

const LineupRecord* RiderDatabase::Record(int number) const {
  if (number < 1 || number > RecordCount()) return nullptr;
  return &records[static_cast<std::size_t>(number - 1)];
}

std::string KeyOf(int recordNumber) {
  return Dec(recordNumber) + " ID";
}

int RecordNumberOf(std::string_view key) {
  const double number = LeadingNumber(key);
  if (!(number >= 1 && number <= kMaxLineups)) return 0;
  return RoundToIntegerClamped(number);
}

std::string ShownName(std::string_view name) {
  return name.empty() ? std::string(kUntitledLineup) : std::string(name);
}

ListEntry EntryFor(const LineupRecord& record, int number) {
  return ListEntry{ShownName(record.name), KeyOf(number), record.compId};
}

Status ReadDatabaseText(RiderDatabase& db, std::string_view bytes) {
  const std::string text = FileTextToUtf8(bytes);
  const std::vector<DatabaseLine> lines = NonEmptyLines(text);
  const int room = std::max(0, kMaxLineups - db.RecordCount());
  if (lines.size() > static_cast<std::size_t>(room)) {
    return Error{"The rider database holds more than " + Dec(kMaxLineups) + " line-ups"};
  }
  db.records.reserve(db.records.size() + lines.size());
  db.entries.reserve(db.entries.size() + lines.size());
  for (const DatabaseLine& line : lines) {
    db.records.push_back(ParseLineupLine(line.text));
    db.entries.push_back(EntryFor(db.records.back(), db.RecordCount()));
  }
  return Done{};
}

Status ReadDatabaseFile(RiderDatabase& db, const std::filesystem::path& path) {
  const Result<std::string> bytes = ReadWholeFile(path, kMaxRiderDatabaseBytes);
  if (!bytes) return Error{bytes.error()};
  return ReadDatabaseText(db, bytes.value());
}

std::string DatabaseText(const RiderDatabase& db) {
  std::string text;
  for (const ListEntry& entry : db.entries) {
    const LineupRecord* record = db.Record(RecordNumberOf(entry.key));
    if (record == nullptr) continue;
    text += LineupLine(*record);
    text += "\r\n";
  }
  return text;
}

Status WriteDatabaseFile(const RiderDatabase& db, const std::filesystem::path& path) {
  return WriteFileAtomically(path, FileBytesOf(DatabaseText(db)));
}

namespace {

ListEntry* EntryOf(RiderDatabase& db, int number) {
  const std::string key = KeyOf(number);
  const auto it = std::find_if(db.entries.begin(), db.entries.end(),
                               [&](const ListEntry& e) { return e.key == key; });
  return it == db.entries.end() ? nullptr : &*it;
}

}  // namespace

void SetLineupName(RiderDatabase& db, int number, std::string_view name) {
  LineupRecord* record = db.Record(number);
  if (record == nullptr) return;
  record->name = std::string(name);
  if (ListEntry* entry = EntryOf(db, number)) entry->text = ShownName(name);
}

void SetCompId(RiderDatabase& db, int number, std::string_view compId) {
  LineupRecord* record = db.Record(number);
  if (record == nullptr) return;
  record->compId = std::string(compId);
  if (ListEntry* entry = EntryOf(db, number)) entry->subItem = record->compId;
}

int AddRecord(RiderDatabase& db, LineupRecord record) {
  if (db.RecordCount() >= kMaxLineups) return 0;
  db.records.push_back(std::move(record));
  db.entries.push_back(EntryFor(db.records.back(), db.RecordCount()));
  return db.RecordCount();
}

void DeleteRecord(RiderDatabase& db, int number) {
  if (db.Record(number) == nullptr) return;
  db.records.erase(db.records.begin() + (number - 1));
  std::erase_if(db.entries, [&](const ListEntry& e) { return RecordNumberOf(e.key) == number; });
  for (ListEntry& entry : db.entries) {
    const int k = RecordNumberOf(entry.key);
    if (k > number) entry.key = KeyOf(k - 1);
  }
}

std::string RecordCountText(int count) {
  return Dec(count) + (count == 1 ? " record" : " records");
}

}  // namespace corvane
