// Undo and Redo for the rider editor: the database as it was before each command, put back
// whole. A run of typing in one box is one step, so Undo takes back the word, not a letter.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "riderdb/database_arranging.h"
#include "riderdb/rider_database.h"

namespace corvane {

// What a command can change: the records, the list and its order, and the line-up shown.
struct EditorContent {
  RiderDatabase db;
  int selected = 0;
  SortColumn sortKey = SortColumn::kName;
  bool sorted = true;
};

class EditHistory {
 public:
  static constexpr std::size_t kMaxSteps = 200;

  // True when an edit of the box named `run` adds to the last step instead of making one.
  bool Continues(const std::string& run) const { return !run.empty() && run == run_; }
  // A new step holding the content before a command; `run` names the box of a typing run (empty
  // for any other command). The steps that could be redone are dropped.
  void Record(EditorContent before, std::string label, std::string run = {});
  // The next edit starts a step of its own, even in the same box.
  void EndRun() { run_.clear(); }
  void Clear();

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // What Undo and Redo would take back or do again ("Delete"); empty when nothing.
  std::string UndoLabel() const { return undo_.empty() ? std::string() : undo_.back().label; }
  std::string RedoLabel() const { return redo_.empty() ? std::string() : redo_.back().label; }

  // Exchanges `current` with the content of the last step; false when there is none.
  bool Undo(EditorContent& current);
  bool Redo(EditorContent& current);

 private:
  struct Step {
    EditorContent content;
    std::string label;
  };
  std::vector<Step> undo_;
  std::vector<Step> redo_;
  std::string run_;
};

}  // namespace corvane
