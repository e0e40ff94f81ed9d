// std::to_chars gives printf's "%.6g" text without consulting the locale.
#include "scene/number_text.h"

#include <charconv>

std::size_t AppendReal(char* out, float value) {
  if (value == 0.0f) {  // also a negated zero: never "-0"
    *out = '0';
    return 1;
  }
  const auto result = std::to_chars(out, out + 32, static_cast<double>(value), std::chars_format::general, 6);
  return static_cast<std::size_t>(result.ptr - out);
}

std::string RealText(float value) {
  char text[32];
  return std::string(text, AppendReal(text, value));
}
