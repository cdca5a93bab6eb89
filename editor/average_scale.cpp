#include "editor/average_scale.h"

#include <cmath>

#include "riderdb/lineup_record.h"

namespace corvane {

namespace {

// Whole hundredths of a value, as two-decimal text.
std::string HundredthsText(long hundredths, std::string_view decimalSeparator, bool trimZeros) {
  std::string text = Dec(hundredths / 100);
  const long fraction = hundredths % 100;
  if (trimZeros && fraction == 0) return text;
  text += decimalSeparator;
  text += (fraction < 10 ? "0" : "") + Dec(fraction);
  if (trimZeros && text.back() == '0') text.pop_back();
  return text;
}

std::string ScaledText(Single held, int maxAverage, std::string_view decimalSeparator,
                       bool trimZeros) {
  if (!(held > 0) || !IsMaxAverage(maxAverage)) return {};
  const double shown = static_cast<double>(held) * maxAverage;
  if (!std::isfinite(shown) || shown > 1000) return {};
  return HundredthsText(std::lround(shown * 100), decimalSeparator, trimZeros);
}

}  // namespace

bool IsMaxAverage(int value) {
  return value >= kLowestMaxAverage && value <= kHighestMaxAverage;
}

int MaxAverageSetting(std::string_view text) {
  const double value = LeadingNumber(text);
  if (!(value >= kLowestMaxAverage - 0.5 && value <= kHighestMaxAverage + 0.5)) {
    return kDefaultMaxAverage;
  }
  const int rounded = RoundToIntegerClamped(value);
  return IsMaxAverage(rounded) ? rounded : kDefaultMaxAverage;
}

double TypedAverage(std::string_view typed, std::string_view decimalSeparator) {
  std::string text(typed);
  if (!decimalSeparator.empty() && decimalSeparator != ".") {
    const auto at = text.find(decimalSeparator);
    if (at != std::string::npos) text.replace(at, decimalSeparator.size(), ".");
  }
  return LeadingNumber(text);
}

Single HeldFromTyped(double typed, int maxAverage) {
  if (!IsMaxAverage(maxAverage) || !std::isfinite(typed)) return 0;
  // The limits are tested on the file's scale, with room for the rounding of the division, so
  // 2 typed on the default scale or 0.5 with a maximum of 3 is the lowest average, not none.
  const double fileValue = typed * kFileAverageScale / maxAverage;
  constexpr double kSlack = 1e-9;
  if (fileValue < kLowestFileAverage - kSlack || fileValue > kHighestFileAverage + kSlack) {
    return 0;
  }
  return static_cast<Single>(typed / maxAverage);
}

std::string ShownAverage(Single held, int maxAverage, std::string_view decimalSeparator) {
  return ScaledText(held, maxAverage, decimalSeparator, false);
}

std::string EditedAverage(Single held, int maxAverage, std::string_view decimalSeparator) {
  return ScaledText(held, maxAverage, decimalSeparator, true);
}

std::string AverageHelpLine(int maxAverage, std::string_view decimalSeparator) {
  // The lowest average is one sixth of the maximum, shown as the maximum times 0.1667.
  const long lowest = std::lround(maxAverage * 0.1667 * 100);
  return "Rider average (0; " + HundredthsText(lowest, decimalSeparator, false) + "-" +
         HundredthsText(static_cast<long>(maxAverage) * 100, decimalSeparator, false) + ")";
}

}  // namespace corvane
