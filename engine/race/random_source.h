// The meeting's source of randomness: uniform draws in [0, 1), passed to whoever needs them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/records/conventions.h"

namespace corvane {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A uniform draw in [0, 1).
  virtual Single Next() = 0;
};

// PCG32 (permuted congruential generator). The float is built from the top 24 bits of each
// output, so the same seed gives the same draws on every machine and compiler.
class Pcg32Random final : public RandomSource {
 public:
  explicit Pcg32Random(std::uint64_t seed, std::uint64_t stream = 0x853c49e6748fea9bULL);
  // Defined here so that a caller holding a Pcg32Random draws without a call.
  Single Next() override {
    // 24 bits fill a float's significand exactly: the result is k / 2^24, never 1.
    return static_cast<Single>(NextBits() >> 8) * (1.0f / 16777216.0f);
  }
  std::uint32_t NextBits() {
    const std::uint64_t old = state_;
    state_ = old * 6364136223846793005ULL + increment_;
    const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rot = static_cast<std::uint32_t>(old >> 59u);
    return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
  }

 private:
  std::uint64_t state_ = 0;
  std::uint64_t increment_ = 0;
};

// Replays given draws in order, so tests can pin every random decision. After the script runs
// out it returns `fallback` and counts the extra draws.
class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<Single> draws, Single fallback = 0.5f);
  Single Next() override;

  std::size_t Used() const { return next_; }
  std::size_t Overrun() const { return overrun_; }
  bool Exhausted() const { return next_ >= draws_.size(); }

 private:
  std::vector<Single> draws_;
  Single fallback_;
  std::size_t next_ = 0;
  std::size_t overrun_ = 0;
};

}  // namespace corvane
