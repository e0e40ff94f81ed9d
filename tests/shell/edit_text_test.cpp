// The edit boxes' parsing: what a typed text stores, and what leaves the
// setting as it was.
#include "shell/edit_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(EditTextTest, OrbitalTextKeepsTheLowSixteenBitsOfItsLeadingNumber) {
  const struct {
    std::string text;
    bool accepted;
    int value;
  } cases[] = {
      {"12", true, 12},
      {"12abc", true, 12},
      {"  +7", true, 7},
      {"-3", true, -3},
      {"70000", true, 4464},
      {"32768", true, -32768},
      {"65535", true, -1},
      {"65536", false, 0},
      {"0", false, 0},
      {"abc", false, 0},
      {"", false, 0},
      {std::string("5\0" "9", 3), true, 5},
      // Read as a 32-bit long, which saturates: its extremes' low bits are all ones and all zeros.
      {"99999999999999999999999", true, -1},
      {"4294967296", true, -1},
      {"-99999999999999999999999", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    int value = 99;
    EXPECT_EQ(ParseOrbitalNumber(c.text, value), c.accepted);
    EXPECT_EQ(value, c.accepted ? c.value : 99);
  }
}

TEST(EditTextTest, RealTextReadsItsLeadingDecimalNumberRoundedToFloat) {
  const struct {
    std::string text;
    bool accepted;
    float value;
  } cases[] = {
      {"0.05", true, 0.05f},
      {"0.050", true, 0.05f},
      {"-0.05", true, -0.05f},
      {" 3.5abc", true, 3.5f},
      {"+1.5E+2x", true, 150.0f},
      {"7.", true, 7.0f},
      {".5", true, 0.5f},
      {"2e", true, 2.0f},
      {"2e+", true, 2.0f},
      {"1e-45", true, 1e-45f},
      {"3.4028234e38", true, 3.4028234e38f},
      // Past the largest float, yet rounding to it rather than to infinity.
      {"3.4028235e38", true, 3.4028234663852886e38f},
      {"-3.4028235677e38", true, -3.4028234663852886e38f},
      {"3.40282357e38", false, 0},
      {"0", false, 0},
      {"0.", false, 0},
      {"-0", false, 0},
      {"1e-50", false, 0},
      {"1e39", false, 0},
      {"-1e39", false, 0},
      {"1e400", false, 0},
      {"inf", false, 0},
      {"nan", false, 0},
      {"0x10", false, 0},
      {".", false, 0},
      {"-", false, 0},
      {"", false, 0},
      {"abc", false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    float value = 0.75f;
    EXPECT_EQ(ParseReal(c.text, value), c.accepted);
    EXPECT_EQ(value, c.accepted ? c.value : 0.75f);
  }
}
