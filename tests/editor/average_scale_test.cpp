#include "editor/average_scale.h"

#include <gtest/gtest.h>

#include "riderdb/lineup_record.h"

namespace corvane {
namespace {

// What the file keeps for a number typed on the scale.
std::string Stored(double typed, int maxAverage) {
  return FileAverageText(HeldFromTyped(typed, maxAverage));
}

TEST(AverageScale, TypedAveragesStoreOnlyWithinOneSixthAndTheMaximum) {
  EXPECT_EQ(Stored(2, 12), "2.00");
  EXPECT_EQ(Stored(1.99, 12), "");
  EXPECT_EQ(Stored(12.5, 12), "");
  EXPECT_EQ(Stored(12, 12), "12.00");
  EXPECT_EQ(Stored(7.46, 12), "7.46");
  EXPECT_EQ(Stored(0, 12), "");
  // Other scales: the limits follow the maximum, the file stays on twelve.
  EXPECT_EQ(Stored(3, 3), "12.00");
  EXPECT_EQ(Stored(0.5, 3), "2.00");
  EXPECT_EQ(Stored(0.49, 3), "");
  EXPECT_EQ(Stored(1.0 / 6, 1), "2.00");
  EXPECT_EQ(HeldFromTyped(5, 0), 0) << "no scale, no average";
}

TEST(AverageScale, ShownOnTheChosenScaleWithTheLocaleSeparator) {
  const Single nine = HeldAverageOf("9.00");
  EXPECT_EQ(ShownAverage(nine, 3, "."), "2.25");
  EXPECT_EQ(ShownAverage(nine, 12, "."), "9.00");
  EXPECT_EQ(ShownAverage(HeldAverageOf("7.46"), 12, ","), "7,46");
  EXPECT_EQ(ShownAverage(0, 12, "."), "");
  EXPECT_EQ(EditedAverage(HeldAverageOf("7.40"), 12, "."), "7.4");
  EXPECT_EQ(EditedAverage(HeldAverageOf("8"), 12, ","), "8");
  EXPECT_EQ(EditedAverage(HeldAverageOf("7.05"), 12, ","), "7,05");
  EXPECT_DOUBLE_EQ(TypedAverage("7,46", ","), 7.46);
  EXPECT_DOUBLE_EQ(TypedAverage("", "."), 0);
}

TEST(AverageScale, HelpLineAndMaximumSetting) {
  EXPECT_EQ(AverageHelpLine(12, "."), "Rider average (0; 2.00-12.00)");
  EXPECT_EQ(AverageHelpLine(3, ","), "Rider average (0; 0,50-3,00)");
  EXPECT_EQ(MaxAverageSetting("15"), 15);
  EXPECT_EQ(MaxAverageSetting("7 points"), 7);
  EXPECT_EQ(MaxAverageSetting("99.4"), 99);
  EXPECT_EQ(MaxAverageSetting("99.6"), 12);
  EXPECT_EQ(MaxAverageSetting("0"), 12);
  EXPECT_EQ(MaxAverageSetting(""), 12);
  EXPECT_EQ(MaxAverageSetting("-5"), 12);
  EXPECT_EQ(MaxAverageSetting("1e300"), 12);
}

}  // namespace
}  // namespace corvane
