#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "engine/conventions.h"

// Whole numbers take a short cut past strtod; they must read exactly as strtod reads them.
TEST(LeadingNumber, WholeNumbersReadAsStrtodReadsThem) {
  for (const std::string text : {"0", "-0", "+12", "007", "40x", "-32768", "123456789012345",
                                 "1234567890123456789", "2.5", "1e2"}) {
    const double read = corvane::LeadingNumber(" " + text);
    EXPECT_EQ(read, std::strtod(text.c_str(), nullptr)) << text;
    EXPECT_EQ(std::signbit(read), text[0] == '-') << text;
  }
}
