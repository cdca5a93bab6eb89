#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "engine/conventions.h"

namespace corvane {
namespace {

// Whole numbers take a short cut past strtod; they must read exactly as strtod reads them.
TEST(LeadingNumber, WholeNumbersReadAsStrtodReadsThem) {
  for (const std::string text : {"0", "7", "-0", "+12", "007", "40x", " 3,4", "-32768",
                                 "123456789012345", "1234567890123456789", "99999999999999999"}) {
    const std::string trimmed = text.substr(text.find_first_not_of(' '));
    const double expected = std::strtod(trimmed.c_str(), nullptr);
    const double read = LeadingNumber(text);
    EXPECT_EQ(read, expected) << text;
    EXPECT_EQ(std::signbit(read), std::signbit(expected)) << text;
  }
  EXPECT_EQ(LeadingNumber("2.5"), 2.5);
  EXPECT_EQ(LeadingNumber("1e2"), 100.0);
  EXPECT_EQ(LeadingNumber("-"), 0.0);
}

}  // namespace
}  // namespace corvane
