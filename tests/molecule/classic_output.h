// Writes small MOPAC outputs in the classic layout: six orbitals per block,
// "ROOT NO." headings, final coordinates after the vectors.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

struct ClassicAtom {
  std::string Symbol;
  float X, Y, Z;
};

inline int OrbitalRows(const std::vector<ClassicAtom>& atoms) {
  int rows = 0;
  for (const auto& atom : atoms) rows += atom.Symbol == "H" ? 1 : 4;
  return rows;
}

// The coefficient printed for atomic-orbital row `row` (from 0) of orbital
// `orbital` (from 1): distinct everywhere, so a misplaced read shows.
inline float ClassicCoefficient(int orbital, int row) {
  const int value = orbital * 100 + row;
  return static_cast<float>((orbital % 2 ? value : -value) / 10000.0);
}

// pageBreakEvery > 0 writes a line holding only "1" after that many
// orbital rows of a block, wherever that falls.
inline std::string ClassicOutput(const std::vector<ClassicAtom>& atoms, int orbitals = 0, int pageBreakEvery = 0) {
  const int rows = OrbitalRows(atoms);
  if (orbitals == 0) orbitals = rows;
  std::string text =
      " *  VECTORS  - FINAL EIGENVECTORS TO BE PRINTED\n"
      "          NO. OF FILLED LEVELS    =          3\n\n"
      "                EIGENVECTORS  \n\n";
  char line[256];
  for (int first = 1; first <= orbitals; first += 6) {
    const int last = std::min(first + 5, orbitals);
    text += "    ROOT NO.";
    for (int k = first; k <= last; ++k) text += "    " + std::to_string(k) + "      ";
    text += "\n\n  ";
    for (int k = first; k <= last; ++k) text += "   -1" + std::to_string(k) + ".12345";
    text += "\n  \n  \n";
    int row = 0, written = 0;
    for (std::size_t a = 0; a < atoms.size(); ++a) {
      const char* labels[] = {"S", "PX", "PY", "PZ"};
      const int lines = atoms[a].Symbol == "H" ? 1 : 4;
      for (int l = 0; l < lines; ++l, ++row) {
        std::snprintf(line, sizeof line, "%3s %2s %3zu ", labels[l], atoms[a].Symbol.c_str(), a + 1);
        text += line;
        for (int k = first; k <= last; ++k) {
          std::snprintf(line, sizeof line, " %11.5f", ClassicCoefficient(k, row));
          text += line;
        }
        text += "\n";
        if (pageBreakEvery > 0 && ++written % pageBreakEvery == 0) text += "1\n";
      }
      text += "  \n";
    }
    text += "\n\n";
  }
  text +=
      "\n              NET ATOMIC CHARGES AND DIPOLE CONTRIBUTIONS\n"
      "\n          CARTESIAN COORDINATES \n\n"
      "    NO.       ATOM               X         Y         Z\n\n";
  for (std::size_t a = 0; a < atoms.size(); ++a) {
    std::snprintf(line, sizeof line, "%6zu         %-2s        %12.4f%10.4f%10.4f\n", a + 1, atoms[a].Symbol.c_str(),
                  atoms[a].X, atoms[a].Y, atoms[a].Z);
    text += line;
  }
  text += "\n\n          ATOMIC ORBITAL ELECTRON POPULATIONS\n";
  return text;
}
