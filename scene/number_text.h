// Number text of the scene file: "%g" with 6 significant digits in the C
// locale, whatever the process locale, and zero always written "0".
#pragma once

#include <string>

// Appends the real and returns the number of characters appended.
std::size_t AppendReal(char* out, float value);
std::string RealText(float value);
