// The MOPAC output reader for today's layout. Unlike the classic token walk it
// reads the file line by line: the block that holds an orbital is found by the
// root numbers in its heading, because MOPAC prints only the orbitals round
// the HOMO unless asked for all of them, so block counting would name the
// wrong orbital.
#include "molecule/modern_mopac_reader.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "molecule/molecule.h"

namespace {

using Line = std::vector<std::string>;

std::vector<Line> SplitLines(const std::string& text) {
  std::vector<Line> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    Line tokens;
    for (std::string token; words >> token;) tokens.push_back(token);
    lines.push_back(std::move(tokens));
  }
  return lines;
}

bool Fail(std::string* why, const std::string& reason) {
  if (why) *why = reason;
  return false;
}

// The whole token must be a number, as the stream's float extraction reads one.
bool ReadFloat(const std::string& token, float& value) {
  if (token.empty()) return false;
  char* end = nullptr;
  errno = 0;
  const float number = std::strtof(token.c_str(), &end);
  if (end != token.c_str() + token.size() || errno == ERANGE) return false;
  value = number;
  return true;
}

bool ReadWhole(const std::string& token, long& value) {
  if (token.empty() || !std::isdigit(static_cast<unsigned char>(token[0]))) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtol(token.c_str(), &end, 10);
  return end == token.c_str() + token.size() && errno == 0;
}

bool IsHeading(const Line& line) { return line.size() >= 2 && line[0] == "Root" && line[1] == "No."; }

bool AllLetters(const std::string& text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!std::isalpha(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

// One atomic-orbital line: label, symbol, atom number, coefficients. Atom
// numbers from 100 on can stand against the symbol ("C100").
struct Row {
  std::string Label;
  std::string Symbol;
  long Atom = 0;
  std::vector<std::string> Coefficients;
};

// Labels of d orbitals carry digits and signs ("Dx2-y2", "z2").
bool IsLabel(const std::string& text) {
  if (!std::isalpha(static_cast<unsigned char>(text[0]))) return false;
  for (char c : text) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') return false;
  }
  return true;
}

bool ParseRow(const Line& line, Row& row) {
  if (line.size() < 3 || !IsLabel(line[0])) return false;
  std::size_t next = 2;
  std::string symbol = line[1];
  std::string number;
  const std::size_t digits = symbol.find_first_of("0123456789");
  if (digits != std::string::npos) {
    number = symbol.substr(digits);
    symbol.erase(digits);
  } else {
    number = line[2];
    next = 3;
  }
  if (!AllLetters(symbol) || symbol.size() > 2 || !ReadWhole(number, row.Atom)) return false;
  row.Label = line[0];
  row.Symbol = symbol;
  row.Coefficients.assign(line.begin() + static_cast<std::ptrdiff_t>(next), line.end());
  return true;
}

struct Block {
  std::vector<long> Roots;
  std::vector<Row> Rows;
};

bool ParseBlocks(const std::vector<Line>& lines, std::size_t from, std::vector<Block>& blocks, std::string* why) {
  std::size_t i = from;
  while (i < lines.size()) {
    while (i < lines.size() && lines[i].empty()) ++i;
    if (i == lines.size() || !IsHeading(lines[i])) break;
    Block block;
    for (std::size_t k = 2; k < lines[i].size(); ++k) {
      long root = 0;
      if (!ReadWhole(lines[i][k], root)) return Fail(why, "unreadable orbital number \"" + lines[i][k] + "\"");
      block.Roots.push_back(root);
    }
    ++i;
    // The symmetry labels and the energies, both starting with a number.
    float ignored = 0.0f;
    while (i < lines.size() && (lines[i].empty() || ReadFloat(lines[i][0], ignored))) ++i;
    Row row;
    while (i < lines.size() && (lines[i].empty() || ParseRow(lines[i], row))) {
      if (!lines[i].empty()) block.Rows.push_back(row);
      ++i;
    }
    if (block.Rows.empty()) return Fail(why, "an eigenvector block without atomic-orbital lines");
    // Every block lists the same atomic orbitals; one that ends early stopped
    // at a line this reader did not recognise.
    if (!blocks.empty() && block.Rows.size() != blocks.front().Rows.size()) {
      return Fail(why, "eigenvector blocks of different lengths");
    }
    blocks.push_back(std::move(block));
  }
  if (blocks.empty()) return Fail(why, "no eigenvector block headed \"Root No.\"");
  return true;
}

// The section's heading line ends in EIGENVECTORS; the keyword descriptions
// that also name it begin with "*".
std::size_t FindEigenvectorHeading(const std::vector<Line>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!lines[i].empty() && lines[i].back() == "EIGENVECTORS" && lines[i][0][0] != '*') return i;
  }
  return lines.size();
}

std::string DescribeRoots(const std::vector<Block>& blocks) {
  std::vector<long> roots;
  for (const Block& block : blocks) roots.insert(roots.end(), block.Roots.begin(), block.Roots.end());
  std::string text;
  for (std::size_t k = 0; k < roots.size();) {
    std::size_t end = k;
    while (end + 1 < roots.size() && roots[end + 1] == roots[end] + 1) ++end;
    if (!text.empty()) text += ", ";
    text += std::to_string(roots[k]);
    if (end > k) text += " to " + std::to_string(roots[end]);
    k = end + 1;
  }
  return text;
}

bool IsDLabel(const std::string& label) {
  return label[0] == 'D' || label[0] == 'd' || label == "x2" || label == "xz" || label == "yz" || label == "z2" ||
         label == "xy";
}

int FindElement(const ElementTable& elements, const std::string& symbol) {
  for (int e = 0; e < elements.Count; ++e) {
    if (symbol == elements.Symbol[e]) return e;
  }
  return -1;
}

// Reads column of every row into the molecule's atoms; an atom is S alone
// or S, Px, Py, Pz in this order.
bool ReadAtoms(Molecule& molecule, const Block& block, std::size_t column, std::string* why) {
  const char* const labels[] = {"S", "Px", "Py", "Pz"};
  std::array<float, MaxAtoms>* const targets[] = {&molecule.CoefS, &molecule.CoefPx, &molecule.CoefPy,
                                                  &molecule.CoefPz};
  int expected = 0;  // position of the row's label within its atom
  for (std::size_t r = 0; r < block.Rows.size(); ++r) {
    const Row& row = block.Rows[r];
    const std::string atom = "atom " + std::to_string(row.Atom) + " (" + row.Symbol + ")";
    if (row.Label == "S") {
      if (molecule.AtomCount == MaxAtoms) return Fail(why, "more than " + std::to_string(MaxAtoms) + " atoms");
      const int element = FindElement(molecule.Elements, row.Symbol);
      if (element < 0) return Fail(why, atom + ": the element is not in the parameter file");
      if (row.Atom != molecule.AtomCount + 1) return Fail(why, atom + ": atoms out of order in the eigenvectors");
      molecule.AtomElement[molecule.AtomCount] = static_cast<std::int16_t>(element);
      ++molecule.AtomCount;
      expected = 0;
    } else if (IsDLabel(row.Label)) {
      return Fail(why, atom + " has d orbitals (\"" + row.Label + "\"); only s and p orbitals can be drawn");
    } else if (expected == 0 || expected > 3 || row.Label != labels[expected] ||
               row.Atom != molecule.AtomCount) {
      return Fail(why, atom + ": unexpected orbital label \"" + row.Label + "\"");
    }
    if (row.Coefficients.size() != block.Roots.size()) {
      return Fail(why, atom + ": " + std::to_string(row.Coefficients.size()) + " coefficients on a line of a block of " +
                           std::to_string(block.Roots.size()) + " orbitals");
    }
    float value = 0.0f;
    if (!ReadFloat(row.Coefficients[column], value)) {
      return Fail(why, atom + ": unreadable coefficient \"" + row.Coefficients[column] + "\"");
    }
    (*targets[expected])[molecule.AtomCount - 1] = value;
    ++expected;
  }
  // An atom left without its full set of p lines would be drawn wrongly.
  if (expected != 1 && expected != 4) return Fail(why, "the last atom's p orbitals are incomplete");
  return true;
}

bool ReadCoordinates(Molecule& molecule, const std::vector<Line>& lines, std::string* why) {
  std::size_t heading = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].size() == 2 && lines[i][0] == "CARTESIAN" && lines[i][1] == "COORDINATES") heading = i;
  }
  if (heading == lines.size()) return Fail(why, "no CARTESIAN COORDINATES");
  std::size_t i = heading + 1;
  while (i < lines.size() && (lines[i].empty() || lines[i][0] == "NO.")) ++i;
  for (std::int16_t j = 0; j < molecule.AtomCount; ++j, ++i) {
    const std::string atom = "atom " + std::to_string(j + 1);
    long number = 0;
    float x = 0.0f, y = 0.0f, z = 0.0f;
    if (i == lines.size() || lines[i].size() != 5 || !ReadWhole(lines[i][0], number) || number != j + 1) {
      return Fail(why, "the last CARTESIAN COORDINATES do not list " + atom);
    }
    const std::string& symbol = molecule.Elements.Symbol[molecule.AtomElement[j]];
    if (lines[i][1] != symbol) {
      return Fail(why, "the last CARTESIAN COORDINATES give " + atom + " as " + lines[i][1] + ", the eigenvectors as " +
                           symbol);
    }
    if (!ReadFloat(lines[i][2], x) || !ReadFloat(lines[i][3], y) || !ReadFloat(lines[i][4], z)) {
      return Fail(why, "unreadable coordinates of " + atom);
    }
    molecule.AtomX[j] = x;
    molecule.AtomY[j] = y;
    molecule.AtomZ[j] = z;
  }
  // A coordinate list longer than the atoms read means the eigenvector
  // block ended early, at a line this reader did not recognise.
  long number = 0;
  if (i < lines.size() && lines[i].size() == 5 && ReadWhole(lines[i][0], number) && number == molecule.AtomCount + 1) {
    return Fail(why, "the last CARTESIAN COORDINATES list more atoms than the eigenvectors");
  }
  return true;
}

}  // namespace

bool IsModernMopacLayout(const std::string& text) {
  for (const Line& line : SplitLines(text)) {
    if (IsHeading(line)) return true;
  }
  return false;
}

bool ReadModernMopac(Molecule& molecule, const std::string& text, std::int16_t moNumber, std::string* why) {
  molecule.AtomCount = 0;
  const std::vector<Line> lines = SplitLines(text);
  const std::size_t heading = FindEigenvectorHeading(lines);
  if (heading == lines.size()) return Fail(why, "no eigenvector section (the keyword VECTORS prints it)");
  std::vector<Block> blocks;
  if (!ParseBlocks(lines, heading + 1, blocks, why)) return false;

  for (const Block& block : blocks) {
    for (std::size_t column = 0; column < block.Roots.size(); ++column) {
      if (block.Roots[column] != moNumber) continue;
      return ReadAtoms(molecule, block, column, why) && ReadCoordinates(molecule, lines, why);
    }
  }
  return Fail(why, "no orbital " + std::to_string(moNumber) + " in the file, which holds orbitals " +
                       DescribeRoots(blocks) + " (MOPAC 22 prints all of them with the keyword ALLVEC)");
}
