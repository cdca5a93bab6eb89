// The rider editor's database and the user's commands on it, without any window: the records
// and their list, the line-up being shown, the file they came from, whether there are unsaved
// changes, the order of the list and the scale on which averages are shown and typed.
//
// Text is UTF-8 here, as in the engine; the window converts at its boxes.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "editor/edit_history.h"
#include "engine/io/result.h"
#include "riderdb/database_arranging.h"
#include "riderdb/rider_database.h"

namespace corvane {

class RiderEditor {
 public:
  RiderEditor(int maxAverage, std::string decimalSeparator);

  const RiderDatabase& Database() const { return db_; }
  const std::string& FileName() const { return fileName_; }
  bool Dirty() const { return dirty_; }
  // "Rider Editor - [path]", or "Rider Editor - [Untitled]" for a database never saved.
  std::string Title() const;

  // The record shown in the panel; 0 when there is none.
  int Selected() const { return selected_; }
  const LineupRecord* SelectedRecord() const { return db_.Record(selected_); }
  // Shows another record; a number with no record leaves the selection as it was.
  void Select(int number);

  int MaxAverage() const { return maxAverage_; }
  // Changes the scale; only 1 to 99 is taken. The file is not affected.
  bool SetMaxAverage(int maxAverage);
  const std::string& DecimalSeparator() const { return decimalSeparator_; }
  std::string AverageText(int slot) const;         // two decimals, or empty
  std::string AverageEditingText(int slot) const;  // as few decimals as needed, or empty
  std::string AverageHelpLine() const;

  // A fresh database of one untitled line-up of 7 riders, with no file.
  void New();
  // Replaces the database with the file's; on failure nothing changes.
  Status Open(const std::filesystem::path& path);
  // Appends the file's line-ups; the file name stays. On failure nothing changes.
  Status Merge(const std::filesystem::path& path);
  // Writes the list to the file, which becomes the database's file. On failure the database
  // keeps its file name and its unsaved changes.
  Status Save(const std::filesystem::path& path);
  // The user chose not to keep the changes.
  void DiscardChanges() { dirty_ = false; }

  // An untitled line-up with as many starting riders as the one shown (7 when none), added at
  // the end of the list and shown; its number, 0 when the database is full.
  int Add();
  // A copy of the line-up shown, added and shown likewise.
  int Duplicate();
  // Deletes the line-up shown; later records move down a number. The entry now in its place
  // in the list (or the last one) is shown; returns its number, 0 when none is left.
  int Delete();
  // Sorts the list; it stays sorted until a line-up is added.
  void Sort(SortColumn column);
  SortColumn SortKey() const { return sortKey_; }

  // Edits of the line-up shown. Texts are stored trimmed and cut to their limits.
  void SetLineupName(std::string_view name);
  void SetCompId(std::string_view compId);
  void SetRiderName(int slot, std::string_view name);
  // The average typed on the shown scale; anything outside the lowest and highest average
  // leaves the slot without one.
  void SetRiderAverage(int slot, std::string_view typed);
  void SetStartingRiders(int count);
  // Moves the rider in `slot` one row up (step -1) or down (+1); false when there is no row.
  bool MoveRider(int slot, int step);

  // Undo and Redo of the commands and edits above (New and Open start afresh). Typing in one
  // box is one step until EndTyping, called when the box is left.
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  std::string UndoLabel() const { return history_.UndoLabel(); }
  std::string RedoLabel() const { return history_.RedoLabel(); }
  bool Undo();
  bool Redo();
  void EndTyping() { history_.EndRun(); }

 private:
  LineupRecord* Shown() { return db_.Record(selected_); }
  void Edited() { dirty_ = true; }
  void SortIfSorted();
  EditorContent Content() const { return {db_, selected_, sortKey_, sorted_}; }
  void SetContent(EditorContent&& content);
  // Keeps the content before a command as an undo step; `field` names the box of a typing run.
  void Remember(std::string label, const std::string& field = {});

  RiderDatabase db_;
  std::string fileName_;
  bool dirty_ = false;
  int selected_ = 0;
  int maxAverage_;
  std::string decimalSeparator_;
  SortColumn sortKey_ = SortColumn::kName;
  bool sorted_ = true;
  EditHistory history_;
};

}  // namespace corvane
