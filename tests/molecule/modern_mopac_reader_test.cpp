// Today's MOPAC layout on small written fixtures: the orbital is found by its
// printed root number, the final coordinates wherever they stand, and every
// file that cannot be read faithfully is refused with a reason.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "molecule/molecule.h"

namespace {

using Atom = std::pair<std::string, std::vector<std::string>>;  // symbol, orbital labels

const std::vector<std::string> SP = {"S", "Px", "Py", "Pz"};

struct Layout {
  int FirstRoot = 7;  // MOPAC prints only the orbitals round the HOMO by default
  int Orbitals = 10;
  std::vector<Atom> Atoms = {{"C", SP}, {"O", SP}, {"H", {"S"}}};
  bool SymmetryLine = true;
  bool CoordinatesAfter = false;  // MOPAC 7 prints the final ones after the vectors
  bool Coordinates = true;
  const char* LineEnd = "\n";
};

// A coefficient that names its orbital and row: root 9, row 5 is -0.0905.
std::string Coefficient(int root, int row) {
  char text[16];
  std::snprintf(text, sizeof text, "%.4f", (row % 2 ? -1 : 1) * (root * 100 + row) / 10000.0);
  return text;
}

float ExpectedCoefficient(int root, int row) { return std::stof(Coefficient(root, row)); }

float FinalX(int atom) { return 0.5f + static_cast<float>(atom); }
float FinalY(int atom) { return -0.25f - static_cast<float>(atom); }
float FinalZ(int atom) { return 0.125f * static_cast<float>(atom); }

std::string WriteCoordinates(const Layout& layout, bool final) {
  std::ostringstream out;
  out << "          CARTESIAN COORDINATES\n\n";
  if (!final || layout.CoordinatesAfter) out << "    NO.       ATOM               X         Y         Z\n\n";
  for (std::size_t a = 0; a < layout.Atoms.size(); ++a) {
    const int n = static_cast<int>(a);
    out << "  " << a + 1 << "  " << layout.Atoms[a].first << "  "
        << (final ? FinalX(n) : 99.0f) << "  " << (final ? FinalY(n) : 99.0f) << "  " << (final ? FinalZ(n) : 99.0f)
        << "\n";
  }
  return out.str() + "\n";
}

std::string WriteOutput(const Layout& layout) {
  std::ostringstream out;
  out << " *  VECTORS    - FINAL EIGENVECTORS TO BE PRINTED\n\n";
  if (layout.Coordinates) out << WriteCoordinates(layout, false);
  out << "          NO. OF FILLED LEVELS    =          6\n\n";
  if (layout.Coordinates && !layout.CoordinatesAfter) out << WriteCoordinates(layout, true);
  out << "                EIGENVECTORS\n\n";
  for (int first = layout.FirstRoot; first < layout.FirstRoot + layout.Orbitals; first += 8) {
    const int last = std::min(first + 8, layout.FirstRoot + layout.Orbitals);
    out << "\n   Root No.";
    for (int root = first; root < last; ++root) out << "  " << root;
    out << "\n\n";
    if (layout.SymmetryLine) {
      for (int root = first; root < last; ++root) out << "  " << root << " A1";
      out << "\n\n";
    }
    for (int root = first; root < last; ++root) out << "  " << -20.0 + root;
    out << "\n  \n";
    int row = 0;
    for (std::size_t a = 0; a < layout.Atoms.size(); ++a) {
      for (const std::string& label : layout.Atoms[a].second) {
        out << "  " << label << "  " << layout.Atoms[a].first << "  " << a + 1;
        for (int root = first; root < last; ++root) out << "  " << Coefficient(root, row);
        out << "\n";
        ++row;
      }
    }
    out << "\n";
  }
  out << "\n              NET ATOMIC CHARGES AND DIPOLE CONTRIBUTIONS\n\n";
  if (layout.Coordinates && layout.CoordinatesAfter) out << WriteCoordinates(layout, true);
  std::string text = out.str();
  if (std::string(layout.LineEnd) != "\n") {
    std::string converted;
    for (char c : text) converted += c == '\n' ? std::string(layout.LineEnd) : std::string(1, c);
    text = converted;
  }
  return text;
}

ElementTable Elements() {
  ElementTable table;
  std::istringstream in("4  H 1.0 1  C 1.5 1.6 2  O 2.0 2.1 2  Cl 2.2 2.1 2");
  ReadParameters(table, in, "elements");
  return table;
}

bool Read(const std::string& text, int moNumber, Molecule& molecule, std::string& why) {
  std::istringstream in(text);
  return molecule.ReadMopac(in, static_cast<std::int16_t>(moNumber), &why);
}

TEST(ModernMopacReaderTest, ReadsTheOrbitalByItsPrintedNumber) {
  Layout mopac22;
  Layout mopac7;
  mopac7.SymmetryLine = false;
  mopac7.CoordinatesAfter = true;
  Layout crlf = mopac22;
  crlf.LineEnd = "\r\n";
  const struct {
    const char* Name;
    Layout Shape;
    int MoNumber;
  } cases[] = {
      {"first block, third column", mopac22, 9},
      {"second block, second column", mopac22, 16},
      {"coordinates after the vectors, no symmetry line", mopac7, 7},
      {"CRLF line ends", crlf, 14},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Molecule molecule(Elements());
    std::string why;
    ASSERT_TRUE(Read(WriteOutput(c.Shape), c.MoNumber, molecule, why)) << why;
    ASSERT_EQ(molecule.AtomCount, 3);
    const std::int16_t elements[] = {1, 2, 0};
    int row = 0;
    for (int a = 0; a < 3; ++a) {
      EXPECT_EQ(molecule.AtomElement[a], elements[a]);
      EXPECT_EQ(molecule.CoefS[a], ExpectedCoefficient(c.MoNumber, row++));
      const bool hydrogen = a == 2;
      EXPECT_EQ(molecule.CoefPx[a], hydrogen ? 0.0f : ExpectedCoefficient(c.MoNumber, row++));
      EXPECT_EQ(molecule.CoefPy[a], hydrogen ? 0.0f : ExpectedCoefficient(c.MoNumber, row++));
      EXPECT_EQ(molecule.CoefPz[a], hydrogen ? 0.0f : ExpectedCoefficient(c.MoNumber, row++));
      EXPECT_EQ(molecule.AtomX[a], FinalX(a));
      EXPECT_EQ(molecule.AtomY[a], FinalY(a));
      EXPECT_EQ(molecule.AtomZ[a], FinalZ(a));
    }
  }
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

TEST(ModernMopacReaderTest, RefusesWhatItCannotReadFaithfully) {
  // Without a symmetry line and with the coordinates after the vectors, the
  // classic walk would take orbital 7 for orbital 1 and report success.
  Layout fromSeven;
  fromSeven.SymmetryLine = false;
  fromSeven.CoordinatesAfter = true;
  Layout dOrbitals;
  dOrbitals.Atoms = {{"Cl", {"S", "Px", "Py", "Pz", "Dx2-y2", "Dxz", "Dz2", "Dyz", "Dxy"}}, {"H", {"S"}}};
  Layout olderDLabels;  // MOPAC 7.1 writes the d labels without the D
  olderDLabels.Atoms = {{"Cl", {"S", "Px", "Py", "Pz", "x2", "xz", "z2", "yz", "xy"}}};
  Layout manyAtoms;
  manyAtoms.Atoms.assign(101, Atom{"H", {"S"}});
  Layout unknownElement;
  unknownElement.Atoms = {{"C", SP}, {"Fe", SP}};
  Layout noCoordinates;
  noCoordinates.Coordinates = false;
  const std::string plain = WriteOutput(Layout());

  const struct {
    const char* Name;
    std::string Text;
    int MoNumber;
    const char* Why;
  } cases[] = {
      {"orbital before the printed ones", WriteOutput(fromSeven), 1, "holds orbitals 7 to 16"},
      {"orbital after the printed ones", plain, 17, "prints all of them with the keyword ALLVEC"},
      {"d orbitals", WriteOutput(dOrbitals), 8, "has d orbitals (\"Dx2-y2\")"},
      {"d orbitals, older labels", WriteOutput(olderDLabels), 8, "has d orbitals (\"x2\")"},
      {"more than 100 atoms", WriteOutput(manyAtoms), 8, "more than 100 atoms"},
      {"element not in the table", WriteOutput(unknownElement), 8, "atom 2 (Fe): the element is not in the parameter file"},
      {"unreadable coefficient", Replace(plain, Coefficient(8, 5), "-0.08O5"), 8, "unreadable coefficient \"-0.08O5\""},
      {"unreadable coordinate", Replace(plain, "  3  H  2.5", "  3  H  2,5"), 8, "unreadable coordinates of atom 3"},
      {"no final coordinates", WriteOutput(noCoordinates), 8, "no CARTESIAN COORDINATES"},
      {"coordinates of other atoms", Replace(plain, "  3  H  2.5", "  3  N  2.5"), 8, "give atom 3 as N"},
      {"p lines cut short", Replace(plain, "  Pz  O  2", "  Py  O  2"), 8, "unexpected orbital label \"Py\""},
      {"orbital number below 1", plain, 0, "below 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Molecule molecule(Elements());
    std::string why;
    EXPECT_FALSE(Read(c.Text, c.MoNumber, molecule, why));
    EXPECT_NE(why.find(c.Why), std::string::npos) << why;
  }
}

TEST(ModernMopacReaderTest, ClassicLayoutStillTakesTheClassicWalk) {
  // Orbital 7 of a classic file is the first of its second block of six.
  const std::string classic =
      " VECTORS - FINAL EIGENVECTORS TO BE PRINTED\n"
      "                EIGENVECTORS\n"
      "    ROOT NO.    1    2    3    4    5    6\n\n"
      "   -1 -2 -3 -4 -5 -6\n\n"
      "  S   H  1  0.1  0.2  0.3  0.4  0.5  0.6\n\n"
      "    ROOT NO.    7\n\n"
      "   -7\n\n"
      "  S   H  1  0.7\n\n"
      " NET ATOMIC CHARGES\n\n"
      "          CARTESIAN COORDINATES\n\n"
      "    NO.       ATOM         X         Y         Z\n\n"
      "     1         H         1.0       2.0       3.0\n";
  Molecule molecule(Elements());
  std::string why;
  ASSERT_TRUE(Read(classic, 7, molecule, why)) << why;
  EXPECT_EQ(molecule.CoefS[0], 0.7f);
  EXPECT_EQ(molecule.AtomZ[0], 3.0f);
}

}  // namespace
