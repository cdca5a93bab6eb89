#include "editor/rider_editor.h"

#include <algorithm>
#include <utility>

#include "editor/average_scale.h"
#include "engine/records/conventions.h"

namespace corvane {

RiderEditor::RiderEditor(int maxAverage, std::string decimalSeparator)
    : maxAverage_(IsMaxAverage(maxAverage) ? maxAverage : kDefaultMaxAverage),
      decimalSeparator_(decimalSeparator.empty() ? "." : std::move(decimalSeparator)) {
  New();
}

std::string RiderEditor::Title() const {
  return "Rider Editor - [" + (fileName_.empty() ? std::string("Untitled") : fileName_) + "]";
}

void RiderEditor::Select(int number) {
  if (db_.Record(number) != nullptr) selected_ = number;
}

bool RiderEditor::SetMaxAverage(int maxAverage) {
  if (!IsMaxAverage(maxAverage)) return false;
  maxAverage_ = maxAverage;
  return true;
}

std::string RiderEditor::AverageText(int slot) const {
  const LineupRecord* record = SelectedRecord();
  if (record == nullptr || slot < 1 || slot > kLineupRiders) return {};
  return ShownAverage(record->riderAverages[static_cast<std::size_t>(slot)], maxAverage_,
                      decimalSeparator_);
}

std::string RiderEditor::AverageEditingText(int slot) const {
  const LineupRecord* record = SelectedRecord();
  if (record == nullptr || slot < 1 || slot > kLineupRiders) return {};
  return EditedAverage(record->riderAverages[static_cast<std::size_t>(slot)], maxAverage_,
                       decimalSeparator_);
}

std::string RiderEditor::AverageHelpLine() const {
  return corvane::AverageHelpLine(maxAverage_, decimalSeparator_);
}

void RiderEditor::New() {
  db_ = RiderDatabase{};
  selected_ = AddRecord(db_, LineupRecord{});
  fileName_.clear();
  dirty_ = false;
  history_.Clear();
}

void RiderEditor::SortIfSorted() {
  if (sorted_) SortEntries(db_, sortKey_);
}

Status RiderEditor::Open(const std::filesystem::path& path) {
  RiderDatabase opened;
  const Status read = ReadDatabaseFile(opened, path);
  if (!read) return read;
  db_ = std::move(opened);
  fileName_ = path.string();
  dirty_ = false;
  history_.Clear();
  sorted_ = true;
  SortIfSorted();
  selected_ = db_.entries.empty() ? 0 : RecordNumberOf(db_.entries.front().key);
  return read;
}

Status RiderEditor::Merge(const std::filesystem::path& path) {
  EditorContent before = Content();
  const Status read = ReadDatabaseFile(db_, path);
  if (!read) return read;
  history_.Record(std::move(before), "Merge");
  SortIfSorted();
  if (db_.Record(selected_) == nullptr && !db_.entries.empty()) {
    selected_ = RecordNumberOf(db_.entries.front().key);
  }
  Edited();
  return read;
}

Status RiderEditor::Save(const std::filesystem::path& path) {
  const Status written = WriteDatabaseFile(db_, path);
  if (!written) return written;
  sorted_ = true;
  SortIfSorted();
  fileName_ = path.string();
  dirty_ = false;
  return written;
}

int RiderEditor::Add() {
  const LineupRecord* shown = SelectedRecord();
  LineupRecord record;
  if (shown != nullptr && shown->startingRiders != 0) record.startingRiders = shown->startingRiders;
  EditorContent before = Content();
  const int number = AddRecord(db_, std::move(record));
  if (number == 0) return 0;
  history_.Record(std::move(before), "Add");
  sorted_ = false;
  selected_ = number;
  Edited();
  return number;
}

int RiderEditor::Duplicate() {
  EditorContent before = Content();
  const int number = DuplicateRecord(db_, selected_);
  if (number == 0) return 0;
  history_.Record(std::move(before), "Duplicate");
  sorted_ = false;
  selected_ = number;
  Edited();
  return number;
}

int RiderEditor::Delete() {
  const int index = EntryIndexOf(db_, selected_);
  if (db_.Record(selected_) == nullptr) return selected_;
  Remember("Delete");
  DeleteRecord(db_, selected_);
  Edited();
  selected_ = 0;
  if (db_.entries.empty()) return 0;
  const auto at =
      static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(db_.entries.size()) - 1));
  selected_ = RecordNumberOf(db_.entries[at].key);
  return selected_;
}

void RiderEditor::Sort(SortColumn column) {
  Remember("Sort");
  sortKey_ = column;
  sorted_ = true;
  SortEntries(db_, column);
}

void RiderEditor::SetLineupName(std::string_view name) {
  if (Shown() == nullptr) return;
  Remember("Typing", "name");
  corvane::SetLineupName(db_, selected_, Left(Trim(name), kLineupNameLength));
  Edited();
}

void RiderEditor::SetCompId(std::string_view compId) {
  if (Shown() == nullptr) return;
  Remember("Typing", "id");
  corvane::SetCompId(db_, selected_, Left(Trim(compId), kCompIdLength));
  Edited();
}

void RiderEditor::SetRiderName(int slot, std::string_view name) {
  LineupRecord* record = Shown();
  if (record == nullptr || slot < 1 || slot > kLineupRiders) return;
  Remember("Typing", "rider " + Dec(slot));
  record = Shown();
  record->riderNames[static_cast<std::size_t>(slot)] = Left(Trim(name), kRiderNameLength);
  Edited();
}

void RiderEditor::SetRiderAverage(int slot, std::string_view typed) {
  LineupRecord* record = Shown();
  if (record == nullptr || slot < 1 || slot > kLineupRiders) return;
  Remember("Typing", "average " + Dec(slot));
  record = Shown();
  record->riderAverages[static_cast<std::size_t>(slot)] =
      HeldFromTyped(TypedAverage(typed, decimalSeparator_), maxAverage_);
  Edited();
}

void RiderEditor::SetStartingRiders(int count) {
  LineupRecord* record = Shown();
  if (record == nullptr || count < 2 || count > kLineupRiders) return;
  if (record->startingRiders == count) return;
  Remember("Starting Riders");
  record = Shown();
  record->startingRiders = static_cast<Integer>(count);
  Edited();
}

bool RiderEditor::MoveRider(int slot, int step) {
  LineupRecord* record = Shown();
  const int other = slot + step;
  if (record == nullptr || (step != -1 && step != 1) || slot < 1 || slot > kLineupRiders ||
      other < 1 || other > kLineupRiders) {
    return false;
  }
  Remember("Move");
  record = Shown();
  SwapRiders(*record, slot, other);
  Edited();
  return true;
}

void RiderEditor::Remember(std::string label, const std::string& field) {
  // A typing run belongs to one box of one line-up.
  const std::string run = field.empty() ? field : Dec(selected_) + " " + field;
  if (history_.Continues(run)) return;
  history_.Record(Content(), std::move(label), run);
}

void RiderEditor::SetContent(EditorContent&& content) {
  db_ = std::move(content.db);
  selected_ = content.selected;
  sortKey_ = content.sortKey;
  sorted_ = content.sorted;
  Edited();
}

bool RiderEditor::Undo() {
  EditorContent content = Content();
  if (!history_.Undo(content)) return false;
  SetContent(std::move(content));
  return true;
}

bool RiderEditor::Redo() {
  EditorContent content = Content();
  if (!history_.Redo(content)) return false;
  SetContent(std::move(content));
  return true;
}

}  // namespace corvane
