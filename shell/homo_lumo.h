// The HOMO and LUMO search: the number of filled levels stated in a MOPAC output.
#pragma once

#include <istream>
#include <string>

// The first whole token "LEVELS" followed by "=" and a whole number (or by
// one token "=N", as MOPAC 7 writes three-digit counts). False when none is
// found before the stream ends or fails.
bool ReadFilledLevels(std::istream& in, int& levels);

enum class HomoLumoOutcome { NoInputFile, NotFound, Found };

// On Found, moNumber is the HOMO, or the LUMO when lumo is set.
HomoLumoOutcome SelectHomoLumo(const std::string& inputPath, bool lumo, int& moNumber);
