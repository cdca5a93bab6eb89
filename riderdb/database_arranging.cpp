#include "riderdb/database_arranging.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

void SortEntries(RiderDatabase& db, SortColumn column) {
  std::vector<std::pair<std::string, ListEntry>> keyed;
  keyed.reserve(db.entries.size());
  for (ListEntry& entry : db.entries) {
    std::string sortText = UpperCase(column == SortColumn::kName ? entry.text : entry.subItem);
    keyed.emplace_back(std::move(sortText), std::move(entry));
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < keyed.size(); ++i) db.entries[i] = std::move(keyed[i].second);
}

int EntryIndexOf(const RiderDatabase& db, int number) {
  const std::string key = KeyOf(number);
  for (std::size_t i = 0; i < db.entries.size(); ++i) {
    if (db.entries[i].key == key) return static_cast<int>(i);
  }
  return -1;
}

int DuplicateRecord(RiderDatabase& db, int number) {
  const LineupRecord* record = db.Record(number);
  if (record == nullptr) return 0;
  return AddRecord(db, *record);
}

void SwapRiders(LineupRecord& record, int slot, int otherSlot) {
  const auto valid = [](int s) { return s >= 1 && s <= kLineupRiders; };
  if (!valid(slot) || !valid(otherSlot)) return;
  const auto a = static_cast<std::size_t>(slot);
  const auto b = static_cast<std::size_t>(otherSlot);
  std::swap(record.riderNames[a], record.riderNames[b]);
  std::swap(record.riderAverages[a], record.riderAverages[b]);
}

}  // namespace corvane
