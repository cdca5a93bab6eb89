#include "engine/conventions.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/text_encoding.h"

namespace corvane {
namespace {

TEST(LeadingNumber, TakesTheLongestNumericPrefix) {
  EXPECT_EQ(LeadingNumber("12abc"), 12.0);
  EXPECT_EQ(LeadingNumber("  -3.5x"), -3.5);
  EXPECT_EQ(LeadingNumber(".5"), 0.5);
  EXPECT_EQ(LeadingNumber("7,2"), 7.0);
  EXPECT_EQ(LeadingNumber("1e3"), 1000.0);
  EXPECT_EQ(LeadingNumber("1e"), 1.0);  // an exponent without digits is not part of the number
  EXPECT_EQ(LeadingNumber("2E+2m"), 200.0);
}

TEST(LeadingNumber, TextWithoutANumberReadsAsZero) {
  EXPECT_EQ(LeadingNumber(""), 0.0);
  EXPECT_EQ(LeadingNumber("abc"), 0.0);
  EXPECT_EQ(LeadingNumber("-"), 0.0);
  EXPECT_EQ(LeadingNumber("."), 0.0);
  EXPECT_EQ(LeadingNumber("R1"), 0.0);
  EXPECT_TRUE(std::isinf(LeadingNumber("1e999")));
}

TEST(RoundToInteger, RoundsHalfToEven) {
  EXPECT_EQ(RoundToInteger(0.5), 0);
  EXPECT_EQ(RoundToInteger(1.5), 2);
  EXPECT_EQ(RoundToInteger(2.5), 2);
  EXPECT_EQ(RoundToInteger(-2.5), -2);
  EXPECT_EQ(RoundToInteger(8.6), 9);
  EXPECT_EQ(RoundToInteger(2.4999), 2);
}

TEST(RoundToInteger, DetectsSixteenBitOverflow) {
  EXPECT_EQ(RoundToInteger(32767.4), 32767);
  EXPECT_EQ(RoundToInteger(32767.5), std::nullopt);  // rounds to 32768
  EXPECT_EQ(RoundToInteger(-32768.5), -32768);       // rounds to the even -32768
  EXPECT_EQ(RoundToInteger(-32769.0), std::nullopt);
  EXPECT_EQ(RoundToInteger(70000.0), std::nullopt);
  EXPECT_EQ(RoundToInteger(std::nan("")), std::nullopt);
  EXPECT_EQ(RoundToIntegerClamped(70000.0), 32767);
  EXPECT_EQ(RoundToIntegerClamped(-1e9), -32768);
}

TEST(IntFloor, IsTheFloorNotTruncation) {
  EXPECT_EQ(IntFloor(2.999), 2);
  EXPECT_EQ(IntFloor(-0.5), -1);
  EXPECT_EQ(IntFloor(3.0), 3);
}

TEST(SplitFields, TakesAtMostCountTrimmedFieldsAndLeavesTheRest) {
  std::string rest;
  const auto parts = SplitFields("a, b ,c", ",", 2, &rest);
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[1], "a");
  EXPECT_EQ(parts[2], "b");
  EXPECT_EQ(rest, "c");
}

TEST(SplitFields, KeepsEmptyFieldsAndPadsMissingOnes) {
  const auto parts = SplitFields("a,,b", ",", 8);
  ASSERT_EQ(parts.size(), 9u);
  EXPECT_EQ(parts[1], "a");
  EXPECT_EQ(parts[2], "");
  EXPECT_EQ(parts[3], "b");
  for (std::size_t k = 4; k <= 8; ++k) EXPECT_EQ(parts[k], "");

  for (const auto& part : SplitFields("", ",", 3)) EXPECT_EQ(part, "");
  const auto single = SplitFields("x", "-", 2);
  EXPECT_EQ(single[1], "x");
  EXPECT_EQ(single[2], "");
}

TEST(SplitFields, MatchesMultiCharacterSeparatorsExactly) {
  const auto parts = SplitFields("Final:AR1,BR1", ":", 2);
  EXPECT_EQ(parts[1], "Final");
  EXPECT_EQ(parts[2], "AR1,BR1");
  const auto none = SplitFields("abc", "", 2);  // no separator: the whole text is one field
  EXPECT_EQ(none[1], "abc");
}

TEST(UpperCase, CoversWindows1252Letters) {
  EXPECT_EQ(UpperCase("lions"), "LIONS");
  EXPECT_EQ(UpperCase("\xE9\xF8\x9A\xFF\xF7"),
            "\xC9\xD8\x8A\x9F\xF7");  // e-acute, o-slash, s-caron, y-umlaut, division sign
}

TEST(TextEncoding, ConvertsBetweenWindows1252AndUtf8) {
  const std::string cp = "Na\xEFve \x80 \x9A";
  const std::string utf8 = Cp1252ToUtf8(cp);
  EXPECT_EQ(utf8, "Na\xC3\xAFve \xE2\x82\xAC \xC5\xA1");
  EXPECT_EQ(Utf8ToCp1252(utf8), cp);
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");  // no Windows-1252 form
  EXPECT_EQ(Utf8ToCp1252("\xC3"), "?");          // truncated sequence
}

TEST(TextEncoding, TellsUtf8FilesFromWindows1252Files) {
  EXPECT_FALSE(LooksLikeUtf8("plain ascii"));
  EXPECT_TRUE(LooksLikeUtf8("J\xC3\xB8rgen"));
  EXPECT_FALSE(LooksLikeUtf8("J\xF8rgen"));
  EXPECT_EQ(FileTextToCp1252("J\xC3\xB8rgen"), "J\xF8rgen");
  EXPECT_EQ(FileTextToCp1252("J\xF8rgen"), "J\xF8rgen");
  EXPECT_EQ(FileTextToCp1252("\xEF\xBB\xBFNUMTEAMS=2"), "NUMTEAMS=2");
}

}  // namespace
}  // namespace corvane
