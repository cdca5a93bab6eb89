// The scorecard: one row of marks per rider slot 0..40, rides 0..MaxRides in every row.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace corvane {

class ScorecardTable {
 public:
  using Row = std::vector<std::string>;
  static constexpr std::size_t kRows = 41;

  ScorecardTable() {
    for (Row& row : rows_) row.resize(1);
  }
  ScorecardTable(const ScorecardTable&) = default;
  ScorecardTable(ScorecardTable&&) noexcept = default;
  ScorecardTable& operator=(ScorecardTable&&) noexcept = default;
  ~ScorecardTable() = default;

  // Assignment keeps the rows' storage. Most cells of a meeting's card are empty, and an empty
  // cell is cleared in place: statistics copy a fresh card into a raced one for every meeting.
  ScorecardTable& operator=(const ScorecardTable& other) {
    for (std::size_t s = 0; s < kRows; ++s) {
      Row& to = rows_[s];
      const Row& from = other.rows_[s];
      if (to.size() != from.size()) {
        to = from;
        continue;
      }
      const std::string* cell = from.data();
      for (std::string& target : to) {
        if (cell->empty()) {
          if (!target.empty()) target.clear();
        } else {
          target = *cell;
        }
        ++cell;
      }
    }
    return *this;
  }

  Row& operator[](std::size_t slot) { return rows_[slot]; }
  const Row& operator[](std::size_t slot) const { return rows_[slot]; }
  std::size_t size() const { return kRows; }
  auto begin() { return rows_.begin(); }
  auto end() { return rows_.end(); }
  auto begin() const { return rows_.begin(); }
  auto end() const { return rows_.end(); }

 private:
  std::array<Row, kRows> rows_;
};

}  // namespace corvane
