#include "engine/records/conventions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvane {
namespace {

TEST(LeadingNumber, TakesTheLongestNumericPrefixOrZero) {
  const std::pair<const char*, double> cases[] = {
      {"12abc", 12.0},  {"  -3.5x", -3.5}, {".5", 0.5},  {"7,2", 7.0},
      {"1e3", 1000.0},  {"1e", 1.0},  // an exponent without digits is not part of the number
      {"2E+2m", 200.0}, {"", 0.0},         {"abc", 0.0}, {"-", 0.0},
      {".", 0.0},       {"R1", 0.0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingNumber(text), value) << text;
  EXPECT_TRUE(std::isinf(LeadingNumber("1e999")));
  // Whole numbers take a short cut past strtod; they must read exactly as strtod reads them.
  for (const std::string text : {"0", "-0", "+12", "007", "40x", "-32768", "123456789012345",
                                 "1234567890123456789", "2.5", "1e2"}) {
    const double read = LeadingNumber(" " + text);
    EXPECT_EQ(read, std::strtod(text.c_str(), nullptr)) << text;
    EXPECT_EQ(std::signbit(read), text[0] == '-') << text;
  }
}

TEST(RoundToInteger, RoundsHalfToEvenAndDetectsSixteenBitOverflow) {
  const std::pair<double, std::optional<Integer>> cases[] = {
      {0.5, 0},
      {2.5, 2},
      {2.4999, 2},
      {32767.4, 32767},
      {32767.5, std::nullopt},  // rounds to 32768
      {-32768.5, -32768},       // rounds to the even -32768
      {-32769.0, std::nullopt},
      {std::nan(""), std::nullopt},
  };
  for (const auto& [value, rounded] : cases) EXPECT_EQ(RoundToInteger(value), rounded) << value;
  EXPECT_EQ(RoundToIntegerClamped(70000.0), 32767);
  EXPECT_EQ(RoundToIntegerClamped(-1e9), -32768);
  EXPECT_EQ(IntFloor(2.999), 2);  // the floor, not truncation
  EXPECT_EQ(IntFloor(-0.5), -1);
  EXPECT_EQ(IntFloor(3.0), 3);
}

TEST(SplitFields, AtMostCountTrimmedFieldsAtExactSeparators) {
  const struct {
    const char *text, *separator;
    int count;
    std::vector<std::string> fields;  // 1..count
    const char* rest;
  } rows[] = {{"a, b ,c", ",", 2, {"a", "b"}, "c"},
              {"a,,b", ",", 8, {"a", "", "b", "", "", "", "", ""}, ""},
              {"", ",", 3, {"", "", ""}, ""},
              {"x", "-", 2, {"x", ""}, ""},
              {"A-B-C", "-", 2, {"A", "B"}, "C"},
              {"aXb::c", "x", 2, {"aXb::c", ""}, ""},
              {"aXb::c", "::", 2, {"aXb", "c"}, ""}};
  for (const auto& row : rows) {
    std::string rest = "unset";
    std::vector<std::string> fields = SplitFields(row.text, row.separator, row.count, &rest);
    EXPECT_EQ(fields.front(), "") << row.text;
    fields.erase(fields.begin());
    EXPECT_EQ(fields, row.fields) << row.text;
    EXPECT_EQ(rest, row.rest) << row.text;
  }
}

}  // namespace
}  // namespace corvane
