#include <gtest/gtest.h>

#include "engine/meeting.h"

TEST(Smoke, Builds) {
  EXPECT_EQ(corvane::Meeting{}.NumRiders, 40);
}
