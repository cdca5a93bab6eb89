// The programme's lines, 0..n (line 0 unused). Copies of a meeting share one text until one of
// them changes it: statistics copy a set-up into a working meeting for every meeting they race,
// and the programme is the same every time. The lines are changed only through Edit, so no
// reference into a shared text is ever handed out for writing.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

class ProgrammeText {
 public:
  using Lines = std::vector<std::string>;

  ProgrammeText() : ProgrammeText(Lines(1)) {}
  ProgrammeText(Lines lines)  // NOLINT: a programme is written as its lines
      : lines_(std::make_shared<Lines>(std::move(lines))) {}
  ProgrammeText(std::initializer_list<std::string> lines) : ProgrammeText(Lines(lines)) {}

  const Lines& lines() const { return *lines_; }
  std::size_t size() const { return lines_->size(); }
  bool empty() const { return lines_->empty(); }
  const std::string& operator[](std::size_t line) const { return (*lines_)[line]; }
  Lines::const_iterator begin() const { return lines_->begin(); }
  Lines::const_iterator end() const { return lines_->end(); }

  // Changes the lines through edit(Lines&). A text that is shared is copied first, so the
  // copies that share it keep theirs.
  template <class Change>
  void Edit(Change&& change) {
    if (lines_.use_count() != 1) lines_ = std::make_shared<Lines>(*lines_);
    std::forward<Change>(change)(*lines_);
  }
  void push_back(std::string line) {
    Edit([&](Lines& lines) { lines.push_back(std::move(line)); });
  }

  // The text as it stands, for readers that keep what they read of it: while they hold it, it
  // cannot change, so the same pointer means the same text.
  std::shared_ptr<const Lines> Shared() const { return lines_; }
  bool IsText(const std::shared_ptr<const Lines>& text) const { return text == lines_; }

 private:
  std::shared_ptr<Lines> lines_;
};

}  // namespace corvane
