// Small text pieces of the fixed-pitch report: padding, dots and right-aligned numbers.
#pragma once

#include <string>
#include <string_view>

namespace corvane {

inline constexpr std::string_view kLineEnd = "\r\n";

// n blanks; none when n is 0 or less.
std::string Spaces(int n);

// n full stops; none when n is 0 or less.
std::string Dots(int n);

// Text padded with blanks on the left to `width` columns; longer text is kept whole.
std::string RightAligned(std::string_view text, int width);

// Number of characters of a whole number written in decimal, sign included.
int DecimalWidth(long value);

}  // namespace corvane
