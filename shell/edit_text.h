// The numbers of the window's edit boxes: what a text is read as while it is
// typed, and how a setting is written back. Independent of the process
// locale, so a decimal comma locale neither breaks reading nor writing.
#pragma once

#include <string>

// The orbital number of a text read as a decimal long and cut to its low
// 16 bits, signed. False when that is 0, which the edit ignores.
bool ParseOrbitalNumber(const std::string& text, int& number);

// The leading decimal number of a text (optional sign, fraction, exponent)
// rounded to float. False when that is 0 or beyond the range of a float.
bool ParseReal(const std::string& text, float& value);

// What an edit shows for a setting: "%i" for the orbital number, "%g" (six
// significant digits) for the reals.
std::string SettingText(int value);
std::string SettingText(float value);
