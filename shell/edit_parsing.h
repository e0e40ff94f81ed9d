// The window's edit boxes turn their text into settings: the orbital number as
// a 16-bit integer, the three reals as floats. Plain C++, so the parsing can be
// tested and fuzzed without a window.
#pragma once

#include <string>

// The text as the C library's string-to-long reads it (leading blanks, a sign,
// digits up to the first other character), reduced to its low 16 bits as a
// signed value. False, value untouched, when that value is 0.
bool ParseMoText(const std::string& text, int& value);

// The longest leading decimal number of the text (leading blanks, a sign,
// digits with a fraction and an exponent), read as a double and rounded to
// float. False, value untouched, when nothing reads, the float is 0, or the
// number lies beyond the range of a float.
bool ParseRealText(const std::string& text, float& value);
