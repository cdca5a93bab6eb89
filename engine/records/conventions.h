// Number and text conventions shared by every reader and rule of the system.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

using Integer = std::int16_t;  // the records' whole numbers are 16-bit
using Single = float;          // averages and race positions are single precision

// The leading number of a text: optional blanks, sign, digits, a decimal point and an exponent.
// Text without a leading number reads as 0. Never fails; huge values give +/-infinity.
double LeadingNumber(std::string_view text);

// Rounds half to even into a 16-bit integer; nullopt when the result does not fit (or is NaN).
std::optional<Integer> RoundToInteger(double value);

// Rounds half to even; values outside the 16-bit range are clamped. For callers whose rules
// allow no failure (a range test has already been made, or the value is known to be small).
Integer RoundToIntegerClamped(double value);

// "Int": the largest whole number not above the value.
int IntFloor(double value);

// Cuts text into at most `count` fields at each exact occurrence of `separator`, each field
// trimmed of blanks. The result has count + 1 elements; element 0 is unused and empty, missing
// fields are empty. Text after the last allowed field is returned in `rest` when asked for.
std::vector<std::string> SplitFields(std::string_view text, std::string_view separator, int count,
                                     std::string* rest = nullptr);

// Blanks (spaces and tabs) removed from both ends.
std::string Trim(std::string_view text);

// Upper case, letter by letter, by the Unicode case mapping (l with stroke to L with stroke,
// s acute to S acute, ...). Each character maps to one character, so counts are kept.
std::string UpperCase(std::string_view text);

// The first n characters (the whole text when it is shorter). The cut never splits a character,
// nor parts a letter from the accents that follow it: then the letter goes too. Every length
// rule counts characters; see engine/records/characters.h for counting and display width.
std::string Left(std::string_view text, std::size_t n);

// Decimal text of a whole number, with a minus sign when negative.
std::string Dec(long value);

}  // namespace corvane
