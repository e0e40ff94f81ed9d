// The MOPAC output reader for the layout that MOPAC 7 and later write:
// blocks headed "Root No." with up to eight orbitals, numbered as printed.
#pragma once

#include <cstdint>
#include <string>

class Molecule;

// True when the text holds a block heading "Root No.", which no file of the
// classic layout does (it writes "ROOT NO.").
bool IsModernMopacLayout(const std::string& text);

// Fills the molecule with the atoms, the coefficients of orbital moNumber as
// numbered in the file, and the last CARTESIAN COORDINATES in angstrom.
// False, with why set when given, for a file it cannot read faithfully.
bool ReadModernMopac(Molecule& molecule, const std::string& text, std::int16_t moNumber, std::string* why);
