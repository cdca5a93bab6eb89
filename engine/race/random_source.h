// The meeting's source of randomness: uniform draws in [0, 1), passed to whoever needs them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/records/conventions.h"

namespace corvane {

// Draws from a PCG32 generator (permuted congruential generator), or, for tests, replays a
// script of given draws. One concrete type, so that every draw is inlined where it is made.
class RandomSource {
 public:
  // The float is built from the top 24 bits of each output, so the same seed gives the same
  // draws on every machine and compiler.
  explicit RandomSource(std::uint64_t seed, std::uint64_t stream = 0x853c49e6748fea9bULL);

  // A uniform draw in [0, 1).
  Single Next() {
    if (script_ != nullptr) [[unlikely]]
      return ScriptedNext();
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

 protected:
  // Given draws in order; after them `fallback`, counting the extra draws.
  struct Script {
    std::vector<Single> draws;
    Single fallback = 0.5f;
    std::size_t next = 0;
    std::size_t overrun = 0;
  };
  // From now on the draws come from `script`, which outlives the source and its copies.
  void Follow(Script& script) { script_ = &script; }

 private:
  Single ScriptedNext();

  std::uint64_t state_ = 0;
  std::uint64_t increment_ = 0;
  Script* script_ = nullptr;
};

// The usual source.
using Pcg32Random = RandomSource;

// Replays given draws in order, so tests can pin every random decision. After the script runs
// out it returns `fallback` and counts the extra draws.
class ScriptedRandom final : public RandomSource {
 public:
  explicit ScriptedRandom(std::vector<Single> draws, Single fallback = 0.5f);
  // A copy would draw from this script, not its own.
  ScriptedRandom(const ScriptedRandom&) = delete;
  ScriptedRandom& operator=(const ScriptedRandom&) = delete;

  std::size_t Used() const { return script_.next; }
  std::size_t Overrun() const { return script_.overrun; }
  bool Exhausted() const { return script_.next >= script_.draws.size(); }

 private:
  Script script_;
};

}  // namespace corvane
