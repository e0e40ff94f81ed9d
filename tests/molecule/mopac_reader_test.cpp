// The classic-layout MOPAC reader: block and column of the chosen orbital,
// one or four lines per atom, page breaks, and every refusal.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "molecule/classic_output.h"
#include "elements_from_text.h"
#include "molecule/molecule.h"
#include "molecule/tokens.h"

namespace {

const char* const Parameters = "4 H 0.967807 1 C 1.565085 1.842345 2 N 2.028094 2.313728 2 O 3.796544 2.389402 2";

ElementTable Elements() { return ElementsFromText(Parameters); }

// Formaldehyde with a hydrogen between two heavy atoms: 13 orbitals, three blocks.
const std::vector<ClassicAtom> Atoms = {
    {"O", 0.0f, 0.0f, 0.0f}, {"C", 1.2521f, 0.0f, 0.0f}, {"H", 1.827f, 0.9275f, 0.0f}, {"N", 2.5f, -1.0f, 0.25f}};

bool Read(Molecule& molecule, const std::string& text, int moNumber, std::string* why = nullptr) {
  std::istringstream in(text);
  return molecule.ReadMopac(in, static_cast<std::int16_t>(moNumber), why);
}

void ExpectOrbital(const Molecule& molecule, const std::vector<ClassicAtom>& atoms, int moNumber) {
  ASSERT_EQ(molecule.AtomCount, static_cast<int>(atoms.size()));
  int row = 0;
  for (std::size_t a = 0; a < atoms.size(); ++a) {
    SCOPED_TRACE("atom " + std::to_string(a + 1));
    EXPECT_EQ(molecule.CoefS[a], ClassicCoefficient(moNumber, row++));
    if (atoms[a].Symbol != "H") {
      EXPECT_EQ(molecule.CoefPx[a], ClassicCoefficient(moNumber, row++));
      EXPECT_EQ(molecule.CoefPy[a], ClassicCoefficient(moNumber, row++));
      EXPECT_EQ(molecule.CoefPz[a], ClassicCoefficient(moNumber, row++));
    } else {
      EXPECT_EQ(molecule.CoefPx[a], 0.0f);
    }
    EXPECT_EQ(molecule.AtomX[a], atoms[a].X);
    EXPECT_EQ(molecule.AtomY[a], atoms[a].Y);
    EXPECT_EQ(molecule.AtomZ[a], atoms[a].Z);
  }
}

}  // namespace

TEST(MopacReaderTest, ReadsEveryOrbitalOfEveryBlockAndColumn) {
  const std::string text = ClassicOutput(Atoms);
  for (int mo : {1, 5, 6, 7, 12, 13}) {
    SCOPED_TRACE("orbital " + std::to_string(mo));
    Molecule molecule(Elements());
    ASSERT_TRUE(Read(molecule, text, mo));
    ExpectOrbital(molecule, Atoms, mo);
    const short elements[] = {3, 1, 0, 2};
    for (int a = 0; a < 4; ++a) EXPECT_EQ(molecule.AtomElement[a], elements[a]);
  }
}

TEST(MopacReaderTest, PageBreaksAnywhereInABlockAreSkipped) {
  // Every break position: between atoms, between an S and a PX line, between two p lines.
  for (int every : {1, 2, 3, 4, 5, 7}) {
    SCOPED_TRACE("break after every " + std::to_string(every) + " rows");
    const std::string text = ClassicOutput(Atoms, 0, every);
    for (int mo : {2, 8, 13}) {
      Molecule molecule(Elements());
      ASSERT_TRUE(Read(molecule, text, mo));
      ExpectOrbital(molecule, Atoms, mo);
    }
  }
}

TEST(MopacReaderTest, ReadsTheFileAtAPath) {
  const std::string path = testing::TempDir() + "/classic.mno";
  std::ofstream(path) << ClassicOutput(Atoms);
  Molecule molecule(Elements());
  ASSERT_TRUE(molecule.ReadMopac(path, 7));
  ExpectOrbital(molecule, Atoms, 7);
  std::string why;
  EXPECT_FALSE(molecule.ReadMopac(testing::TempDir() + "/missing.mno", 1, &why));
  EXPECT_NE(why.find("missing.mno"), std::string::npos);
}

TEST(MopacReaderTest, RefusesUnusableFiles) {
  const std::string good = ClassicOutput(Atoms);
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = good;
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
  };
  std::vector<ClassicAtom> many;
  for (int a = 0; a < 101; ++a) many.push_back({"H", static_cast<float>(a), 0.0f, 0.0f});
  std::vector<ClassicAtom> withSulfur = Atoms;
  withSulfur[1].Symbol = "S";
  struct Case {
    const char* name;
    std::string text;
    int mo;
    const char* reason;
  };
  const Case cases[] = {
      {"empty file", "", 1, "eigenvector"},
      {"one EIGENVECTORS only", replaced("FINAL EIGENVECTORS", "FINAL VECTORS"), 1, "eigenvector"},
      {"lower-case heading", replaced("  EIGENVECTORS  \n", "  eigenvectors  \n"), 1, "eigenvector"},
      {"heading as the last token", good.substr(0, good.find("EIGENVECTORS  \n") + 12), 1, "eigenvector"},
      {"orbital past the last block", good, 19, "no orbital 19"},
      {"orbital zero", good, 0, "below 1"},
      {"negative orbital", good, -3, "below 1"},
      {"element not in the parameter file", ClassicOutput(withSulfur), 1, "atom 2 (S)"},
      {"more than 100 atoms", ClassicOutput(many, 6), 1, "more than 100"},
      {"unreadable hydrogen coefficient", replaced("  S  H   3      0.01080", "  S  H   3      x.01080"), 1, "atom 3"},
      {"unreadable carbon p coefficient", replaced(" PY  C   2      0.01060", " PY  C   2      nan"), 1, "atom 2"},
      {"coefficient beyond float range", replaced(" PY  C   2      0.01060", " PY  C   2      1e39"), 1, "atom 2"},
      {"no coordinates after the vectors", replaced("CARTESIAN COORDINATES", "INTERNAL COORDINATES"), 1, "CARTESIAN"},
      {"unreadable coordinate", replaced("1.2521", "inf"), 1, "coordinates of atom 2"},
      {"orbital past the last column", good, 14, "coefficient of orbital 14"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Molecule molecule(Elements());
    std::string why;
    EXPECT_FALSE(Read(molecule, c.text, c.mo, &why));
    EXPECT_NE(why.find(c.reason), std::string::npos) << why;
    EXPECT_LE(molecule.AtomCount, 100);
  }
}

TEST(MopacReaderTest, TheTokenEndingTheAtomListIsNotTakenForTheCoordinatesHeading) {
  std::string text = ClassicOutput(Atoms, 6);
  text.erase(text.find("              NET ATOMIC"), text.find("          CARTESIAN") - text.find("              NET ATOMIC"));
  Molecule molecule(Elements());
  std::string why;
  EXPECT_FALSE(Read(molecule, text, 1, &why));
  EXPECT_NE(why.find("CARTESIAN"), std::string::npos);
  text += "\n CARTESIAN COORDINATES \n\n NO. ATOM X Y Z\n 1 O 1 2 3\n 2 C 4 5 6\n 3 H 7 8 9\n 4 N 10 11 12\n";
  ASSERT_TRUE(Read(molecule, text, 1));
  EXPECT_EQ(molecule.AtomZ[3], 12.0f);
}

TEST(MopacReaderTest, ALoneOneFollowedByAnythingButSEndsTheAtomList) {
  std::string text = ClassicOutput(Atoms, 6);
  const auto at = text.find("  S  H   3");
  text.insert(at, "1\nPX\n");
  Molecule molecule(Elements());
  // The list ends after carbon; the coordinates of the first two atoms are read.
  ASSERT_TRUE(Read(molecule, text, 1));
  EXPECT_EQ(molecule.AtomCount, 2);
  EXPECT_EQ(molecule.AtomX[1], 1.2521f);
}

TEST(TokenWalkTest, WordsMatchWholeTokensInTheirCaseOnly) {
  struct Case {
    const char* text;
    bool found;
    const char* after;
  };
  const Case cases[] = {
      {"a ROOT: ROOT b", true, "b"},   {"root Root ROOTS\n", false, ""}, {"x ROOT\n", true, ""},
      {"x ROOT", false, ""},           {"", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::istringstream in(c.text);
    EXPECT_EQ(SkipToWord(in, "ROOT"), c.found);
    if (c.found) {
      EXPECT_EQ(ReadToken(in), c.after);
    }
  }
  std::istringstream in(std::string(5000, 'x') + " ROOT tail");
  EXPECT_TRUE(SkipToWord(in, "ROOT"));
  std::istringstream line(std::string(200000, 'y') + "\nnext");
  DropRestOfLine(line);
  EXPECT_EQ(ReadToken(line), "next");
}
