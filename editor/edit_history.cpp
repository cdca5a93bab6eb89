#include "editor/edit_history.h"

#include <utility>

namespace corvane {

void EditHistory::Record(EditorContent before, std::string label, std::string run) {
  if (Continues(run)) return;
  undo_.push_back({std::move(before), std::move(label)});
  // The oldest steps go first; a long session keeps the last ones.
  if (undo_.size() > kMaxSteps) undo_.erase(undo_.begin());
  redo_.clear();
  run_ = std::move(run);
}

void EditHistory::Clear() {
  undo_.clear();
  redo_.clear();
  run_.clear();
}

bool EditHistory::Undo(EditorContent& current) {
  if (undo_.empty()) return false;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  std::swap(step.content, current);
  redo_.push_back(std::move(step));
  run_.clear();
  return true;
}

bool EditHistory::Redo(EditorContent& current) {
  if (redo_.empty()) return false;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  std::swap(step.content, current);
  undo_.push_back(std::move(step));
  run_.clear();
  return true;
}

}  // namespace corvane
