#include "engine/random_source.h"

#include <utility>

namespace corvane {

Pcg32Random::Pcg32Random(std::uint64_t seed, std::uint64_t stream)
    : increment_((stream << 1u) | 1u) {
  NextBits();
  state_ += seed;
  NextBits();
}

std::uint32_t Pcg32Random::NextBits() {
  const std::uint64_t old = state_;
  state_ = old * 6364136223846793005ULL + increment_;
  const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
  const auto rot = static_cast<std::uint32_t>(old >> 59u);
  return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
}

Single Pcg32Random::Next() {
  // 24 bits fill a float's significand exactly: the result is k / 2^24, never 1.
  return static_cast<Single>(NextBits() >> 8) * (1.0f / 16777216.0f);
}

ScriptedRandom::ScriptedRandom(std::vector<Single> draws, Single fallback)
    : draws_(std::move(draws)), fallback_(fallback) {}

Single ScriptedRandom::Next() {
  if (next_ < draws_.size()) return draws_[next_++];
  ++overrun_;
  return fallback_;
}

}  // namespace corvane
