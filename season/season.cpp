#include "season/season.h"

namespace corvane {

const FixtureResult* Season::ResultOf(int fixtureNumber) const {
  for (const FixtureResult& result : results) {
    if (result.fixture == fixtureNumber) return &result;
  }
  return nullptr;
}

const Fixture* Season::NextFixture() const {
  for (const Fixture& fixture : fixtures) {
    if (ResultOf(fixture.number) == nullptr) return &fixture;
  }
  return nullptr;
}

}  // namespace corvane
