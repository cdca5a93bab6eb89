#include "engine/race/random_source.h"

#include <utility>

namespace corvane {

RandomSource::RandomSource(std::uint64_t seed, std::uint64_t stream)
    : increment_((stream << 1u) | 1u) {
  NextBits();
  state_ += seed;
  NextBits();
}

Single RandomSource::ScriptedNext() {
  Script& script = *script_;
  if (script.next < script.draws.size()) return script.draws[script.next++];
  ++script.overrun;
  return script.fallback;
}

ScriptedRandom::ScriptedRandom(std::vector<Single> draws, Single fallback)
    : RandomSource(0), script_{std::move(draws), fallback} {
  Follow(script_);
}

}  // namespace corvane
