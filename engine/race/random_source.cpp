#include "engine/race/random_source.h"

#include <utility>

namespace corvane {

Pcg32Random::Pcg32Random(std::uint64_t seed, std::uint64_t stream)
    : increment_((stream << 1u) | 1u) {
  NextBits();
  state_ += seed;
  NextBits();
}

ScriptedRandom::ScriptedRandom(std::vector<Single> draws, Single fallback)
    : draws_(std::move(draws)), fallback_(fallback) {}

Single ScriptedRandom::Next() {
  if (next_ < draws_.size()) return draws_[next_++];
  ++overrun_;
  return fallback_;
}

}  // namespace corvane
