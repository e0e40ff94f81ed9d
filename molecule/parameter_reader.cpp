// The element parameter file: a count, then per element its symbol, its s and
// (except for "H") p Slater exponents per bohr, and its shell kind.
#include <cmath>
#include <fstream>
#include <limits>

#include "molecule/molecule.h"

namespace {

[[noreturn]] void Refuse(const std::string& fileName, const std::string& what) {
  throw ParameterFileError(0, "Parameter file error in " + fileName + ": " + what + ".");
}

float ReadExponent(std::istream& in, const std::string& fileName, const char* symbol, const char* which) {
  float value = 0.0f;
  if (!(in >> value)) Refuse(fileName, std::string("the ") + which + " exponent of " + symbol + " is not a number");
  return value;
}

}  // namespace

ElementTable::ElementTable(const std::string& fileName) { ReadParameters(*this, fileName); }

void ReadParameters(ElementTable& table, const std::string& fileName) {
  std::ifstream in(fileName);
  if (!in.good()) throw ParameterFileError(2, "Cannot open the parameter file " + fileName + ".");
  ReadParameters(table, in, fileName);
}

void ReadParameters(ElementTable& table, std::istream& in, const std::string& fileName) {
  table = ElementTable();
  long count = 0;
  if (!(in >> count)) Refuse(fileName, "the element count is not a whole number");
  if (count > MaxElements) {
    Refuse(fileName, "it lists " + std::to_string(count) + " elements, at most " + std::to_string(MaxElements) +
                         " are allowed");
  }
  if (count <= 0) return;  // an empty table; the rest of the file is not read
  for (std::int16_t e = 0; e < count; ++e) {
    std::string symbol;
    if (!(in >> symbol)) Refuse(fileName, "it ends before element " + std::to_string(e + 1) + " of " + std::to_string(count));
    if (symbol.size() > 2) Refuse(fileName, "the element symbol \"" + symbol + "\" is longer than two characters");
    symbol.copy(table.Symbol[e], 2);
    table.Symbol[e][symbol.size()] = '\0';
    if (symbol == "H") {
      const float zeta = ReadExponent(in, fileName, table.Symbol[e], "s");
      table.NormS[e] = static_cast<float>(std::sqrt(std::pow(static_cast<double>(zeta), 3.0) / Pi));
      table.ZetaS[e] = zeta / BohrRadius;
    } else {
      const float zetaS = ReadExponent(in, fileName, table.Symbol[e], "s");
      const float zetaP = ReadExponent(in, fileName, table.Symbol[e], "p");
      // Normalised in atomic units, then divided once by the bohr radius for
      // the one length factor that the 2s and 2p functions carry.
      const double rootS = std::sqrt(std::pow(static_cast<double>(zetaS), 5.0) / (3.0 * static_cast<double>(Pi)));
      const double rootP = std::sqrt(std::pow(static_cast<double>(zetaP), 5.0) / Pi);
      table.NormS[e] = static_cast<float>(rootS / BohrRadius);
      table.NormP[e] = static_cast<float>(rootP / BohrRadius);
      table.ZetaS[e] = zetaS / BohrRadius;
      table.ZetaP[e] = zetaP / BohrRadius;
    }
    long shell = 0;
    if (!(in >> shell) || shell < std::numeric_limits<std::int16_t>::min() ||
        shell > std::numeric_limits<std::int16_t>::max()) {
      Refuse(fileName, std::string("the shell kind of ") + table.Symbol[e] + " is not a whole number");
    }
    table.Shell[e] = static_cast<std::int16_t>(shell);
    table.Count = static_cast<std::int16_t>(e + 1);
  }
}
