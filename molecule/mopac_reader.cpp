// The MOPAC output reader for the classic layout: a token walk to the chosen
// orbital's block and column, then the coordinates after the vectors.
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "molecule/modern_mopac_reader.h"
#include "molecule/molecule.h"
#include "molecule/tokens.h"

namespace {

constexpr int OrbitalsPerBlock = 6;

// The classic program breaks pages with a line holding only "1", even between
// the lines of one atom; it stands where a label is expected and is skipped.
std::string ReadLabel(std::istream& in) {
  std::string label = ReadToken(in);
  if (label == "1") label = ReadToken(in);
  return label;
}

int FindElement(const ElementTable& elements, const std::string& symbol) {
  for (int e = 0; e < elements.Count; ++e) {
    if (symbol == elements.Symbol[e]) return e;
  }
  return -1;
}

bool Fail(std::string* why, const std::string& reason) {
  if (why) *why = reason;
  return false;
}

// Reads one coefficient after skipping the tokens before it on its line.
bool ReadCoefficient(std::istream& in, std::int16_t skip, float& into) {
  SkipTokens(in, skip);
  float value = 0.0f;
  if (!(in >> value)) return false;
  into = value;
  DropRestOfLine(in);
  return true;
}

}  // namespace

bool Molecule::ReadMopac(const std::string& path, std::int16_t moNumber, std::string* why) {
  AtomCount = 0;
  std::ifstream in(path);
  if (!in) return Fail(why, "cannot open " + path);
  return ReadMopac(in, moNumber, why);
}

bool Molecule::ReadMopac(std::istream& in, std::int16_t moNumber, std::string* why) {
  AtomCount = 0;
  CoefPx.fill(0.0f);
  CoefPy.fill(0.0f);
  CoefPz.fill(0.0f);
  if (moNumber < 1) return Fail(why, "orbital number " + std::to_string(moNumber) + " is below 1");
  std::string text;
  try {
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::ios_base::failure&) {
    // A folder opens as a stream on Linux and fails only when read.
    return Fail(why, "the file cannot be read");
  }
  // The classic walk drops the first block's heading unseen and counts
  // blocks of six, so on today's layout it could take a wrong orbital
  // without noticing; such files never reach it.
  if (IsModernMopacLayout(text)) return ReadModernMopac(*this, text, moNumber, why);
  std::istringstream classic(text);
  return ReadClassicMopac(classic, moNumber, why);
}

bool Molecule::ReadClassicMopac(std::istream& in, std::int16_t moNumber, std::string* why) {
  const std::int16_t block = static_cast<std::int16_t>((moNumber - 1) / OrbitalsPerBlock);
  const std::int16_t column = static_cast<std::int16_t>((moNumber - 1) % OrbitalsPerBlock);

  if (!SkipToWord(in, "EIGENVECTORS") || !SkipToWord(in, "EIGENVECTORS")) {
    return Fail(why, "no eigenvector section (the keyword VECTORS prints it)");
  }
  ReadToken(in);  // the first block's "ROOT"
  for (std::int16_t b = 0; b < block; ++b) {
    if (!SkipToWord(in, "ROOT")) return Fail(why, "no orbital " + std::to_string(moNumber) + " in the eigenvectors");
  }
  DropRestOfLine(in);  // the orbital numbers of the block
  ReadToken(in);       // the orbital energies
  DropRestOfLine(in);
  ReadLabel(in);

  std::string next;
  do {
    if (AtomCount == MaxAtoms) return Fail(why, "more than " + std::to_string(MaxAtoms) + " atoms");
    const std::string symbol = ReadToken(in);
    const int element = FindElement(Elements, symbol);
    const std::string atom = "atom " + std::to_string(AtomCount + 1) + " (" + symbol + ")";
    if (element < 0) return Fail(why, atom + ": the element is not in the parameter file");
    AtomElement[AtomCount] = static_cast<std::int16_t>(element);
    // The symbol alone decides between one line and four per atom.
    if (symbol == "H") {
      SkipTokens(in, static_cast<std::int16_t>(column + 1));
      float value = 0.0f;
      in >> value;
      if (!in.good()) return Fail(why, atom + ": no readable coefficient of orbital " + std::to_string(moNumber));
      CoefS[AtomCount] = value;
      DropRestOfLine(in);
    } else {
      bool read = ReadCoefficient(in, static_cast<std::int16_t>(column + 1), CoefS[AtomCount]);
      for (auto* coefficients : {&CoefPx, &CoefPy, &CoefPz}) {
        if (!read) break;
        ReadLabel(in);
        read = ReadCoefficient(in, static_cast<std::int16_t>(column + 2), (*coefficients)[AtomCount]);
      }
      if (!read) return Fail(why, atom + ": no readable coefficient of orbital " + std::to_string(moNumber));
    }
    ++AtomCount;
    next = ReadLabel(in);
  } while (next == "S");

  if (!SkipToWord(in, "CARTESIAN")) return Fail(why, "no CARTESIAN COORDINATES after the eigenvectors");
  SkipTokens(in, 6);
  for (std::int16_t j = 0; j < AtomCount; ++j) {
    SkipTokens(in, 2);
    float x = 0.0f, y = 0.0f, z = 0.0f;
    if (!(in >> x >> y >> z)) return Fail(why, "unreadable coordinates of atom " + std::to_string(j + 1));
    AtomX[j] = x;
    AtomY[j] = y;
    AtomZ[j] = z;
  }
  return true;
}
