// Reading follows the C library's strtol and strtod on decimal text, but with
// std::from_chars and std::to_chars, which ignore the process locale.
#include "shell/edit_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipBlanks(const std::string& text) {
  std::size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  return at;
}

std::size_t SkipDigits(const std::string& text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

// The magnitude from which a double rounds to infinity as a float: halfway
// between the largest float and the next power of two, which rounds to even.
const double FloatOverflow = std::ldexp(1.0, 128) - std::ldexp(1.0, 103);

}  // namespace

bool ParseOrbitalNumber(const std::string& text, int& number) {
  std::size_t at = SkipBlanks(text);
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  // A 32-bit long saturates, so every platform keeps the same low bits.
  constexpr std::int64_t Limit = std::numeric_limits<std::int32_t>::max();
  std::int64_t magnitude = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at) {
    magnitude = std::min<std::int64_t>(magnitude * 10 + (text[at] - '0'), Limit + 1);
  }
  const std::int64_t value = negative ? std::max(-magnitude, -Limit - 1) : std::min(magnitude, Limit);
  const auto low = static_cast<std::int16_t>(static_cast<std::uint16_t>(value & 0xFFFF));
  if (low == 0) return false;
  number = low;
  return true;
}

bool ParseReal(const std::string& text, float& value) {
  const std::size_t start = SkipBlanks(text);
  std::size_t at = start;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  const std::size_t mantissa = at;
  at = SkipDigits(text, at);
  std::size_t digits = at - mantissa;
  if (at < text.size() && text[at] == '.') {
    const std::size_t fraction = at + 1;
    at = SkipDigits(text, fraction);
    digits += at - fraction;
  }
  if (digits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t exponent = at + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    const std::size_t end = SkipDigits(text, exponent);
    if (end > exponent) at = end;  // an "e" without digits is not part of the number
  }
  double magnitude = 0.0;
  const auto [end, error] = std::from_chars(text.data() + mantissa, text.data() + at, magnitude);
  // Out of range is either below the smallest double, which is 0 as a float,
  // or beyond every float: both are ignored.
  if (error != std::errc() || end != text.data() + at) return false;
  if (magnitude >= FloatOverflow) return false;
  const float rounded = static_cast<float>(negative ? -magnitude : magnitude);
  if (rounded == 0.0f) return false;
  value = rounded;
  return true;
}

std::string SettingText(int value) {
  char text[16];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string SettingText(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, static_cast<double>(value), std::chars_format::general, 6);
  return std::string(text, result.ptr);
}
