// The scale on which the editor shows and takes averages. The file keeps every average on the
// 12-point scale (held in memory divided by 12); the user sees and types them on the scale 0 to
// the maximum average, 12 unless the settings say otherwise.
#pragma once

#include <string>
#include <string_view>

#include "engine/records/conventions.h"

namespace corvane {

inline constexpr int kDefaultMaxAverage = 12;
inline constexpr int kLowestMaxAverage = 1;
inline constexpr int kHighestMaxAverage = 99;

bool IsMaxAverage(int value);

// The maximum average a settings value gives: its leading number rounded to a whole number,
// 12 when that lies outside 1..99.
int MaxAverageSetting(std::string_view text);

// The number typed in an average box, whose decimal separator is the locale's.
double TypedAverage(std::string_view typed, std::string_view decimalSeparator);

// The average held for a number typed on the scale: typed / maximum, when that lies between one
// sixth and 1 inclusive (2.00 to 12.00 in the file); otherwise 0, no average.
Single HeldFromTyped(double typed, int maxAverage);

// An average as the box shows it: with two decimals ("7.46", "2.25") when the box is left, as
// few as needed ("7.4", "8") while it is being edited; empty when there is no average.
std::string ShownAverage(Single held, int maxAverage, std::string_view decimalSeparator);
std::string EditedAverage(Single held, int maxAverage, std::string_view decimalSeparator);

// The status-bar help of an average box: "Rider average (0; 2.00-12.00)" on the default scale.
std::string AverageHelpLine(int maxAverage, std::string_view decimalSeparator);

}  // namespace corvane
