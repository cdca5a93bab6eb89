// The scorecard: one row of marks per rider slot 0..40, rides 0..MaxRides in every row.
#pragma once

#include <array>
#include <bitset>
#include <string>
#include <vector>

namespace corvane {

class ScorecardTable {
 public:
  using Row = std::vector<std::string>;
  static constexpr std::size_t kRows = 41;

  ScorecardTable() {
    for (Row& row : rows_) row.resize(1);
    blank_.set();
  }
  ScorecardTable(const ScorecardTable&) = default;
  ScorecardTable(ScorecardTable&&) noexcept = default;
  ScorecardTable& operator=(ScorecardTable&&) noexcept = default;
  ~ScorecardTable() = default;

  // Assignment keeps the rows' storage, and a row known to be blank on both sides is left as it
  // is: statistics copy a fresh card, nearly all blank, into a raced one for every meeting.
  ScorecardTable& operator=(const ScorecardTable& other) {
    for (std::size_t s = 0; s < kRows; ++s) {
      Row& to = rows_[s];
      const Row& from = other.rows_[s];
      if (to.size() != from.size()) {
        to = from;
      } else if (other.blank_[s]) {
        if (!blank_[s]) {
          for (std::string& cell : to) cell.clear();
        }
      } else {
        for (std::size_t ride = 0; ride < to.size(); ++ride) to[ride] = from[ride];
      }
    }
    blank_ = other.blank_;
    return *this;
  }

  // Every row to rides 0..cells-1, keeping what the rows hold.
  void Resize(std::size_t cells) {
    for (Row& row : rows_) row.resize(cells);
  }

  // A row handed out for writing may no longer be blank.
  Row& operator[](std::size_t slot) {
    blank_[slot] = false;
    return rows_[slot];
  }
  const Row& operator[](std::size_t slot) const { return rows_[slot]; }
  std::size_t size() const { return kRows; }
  auto begin() {
    blank_.reset();
    return rows_.begin();
  }
  auto end() {
    blank_.reset();
    return rows_.end();
  }
  auto begin() const { return rows_.begin(); }
  auto end() const { return rows_.end(); }

 private:
  std::array<Row, kRows> rows_;
  // Rows known to hold only empty marks. A row not marked may be blank too.
  std::bitset<kRows> blank_;
};

}  // namespace corvane
