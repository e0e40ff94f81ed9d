// Parsing of the edit boxes' texts, in the C locale whatever the system's.
#include "shell/edit_parsing.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipDigits(const std::string& text, std::size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

}  // namespace

bool ParseMoText(const std::string& text, int& value) {
  // strtol stops at an embedded NUL, as it would in the window's C string.
  errno = 0;
  const long number = std::strtol(text.c_str(), nullptr, 10);
  // An overflow saturates, and the saturated value is reduced like any other.
  const unsigned long low = static_cast<unsigned long>(number) & 0xFFFFul;
  const int reduced = low >= 0x8000ul ? static_cast<int>(low) - 0x10000 : static_cast<int>(low);
  if (reduced == 0) return false;
  value = reduced;
  return true;
}

bool ParseRealText(const std::string& text, float& value) {
  // Only a decimal number counts: the hexadecimal, "inf" and "nan" forms that
  // strtod also takes would read as no number at all.
  std::size_t at = 0;
  while (at < text.size() && IsBlank(text[at])) ++at;
  const std::size_t start = at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  const std::size_t digitsStart = at;
  at = SkipDigits(text, at);
  std::size_t digits = at - digitsStart;
  if (at < text.size() && text[at] == '.') {
    const std::size_t fractionStart = at + 1;
    const std::size_t fractionEnd = SkipDigits(text, fractionStart);
    digits += fractionEnd - fractionStart;
    at = fractionEnd;
  }
  if (digits == 0) return false;
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    std::size_t exponent = at + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    const std::size_t exponentEnd = SkipDigits(text, exponent);
    if (exponentEnd > exponent) at = exponentEnd;
  }
  // from_chars takes no leading '+'; the sign is applied afterwards.
  const std::size_t unsignedStart = start + (at > start && (text[start] == '+' || text[start] == '-') ? 1 : 0);
  double number = 0.0;
  const auto result = std::from_chars(text.data() + unsignedStart, text.data() + at, number);
  if (result.ec != std::errc() || result.ptr != text.data() + at) return false;
  if (negative) number = -number;
  // Halfway between the largest float and the next power of two: anything
  // nearer zero rounds to a finite float, anything else overflows.
  constexpr double FloatRoundingLimit = 0x1.ffffffp127;
  if (!(std::fabs(number) < FloatRoundingLimit)) return false;
  const float rounded = static_cast<float>(number);
  if (rounded == 0.0f) return false;
  value = rounded;
  return true;
}
