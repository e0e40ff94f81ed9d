// A catalogue of hostile and damaged input, run through the real program:
// each row either is refused with its exit status and a message that says
// why, or gives a complete scene.
#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "../molecule/classic_output.h"
#include "cli_fixture.h"
#include "molecule/molecule.h"

namespace {

const std::vector<ClassicAtom> Water = {{"O", 0, 0, 0.1173f}, {"H", 0, 0.7572f, -0.4692f}, {"H", 0, -0.7572f, -0.4692f}};

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  if (at == std::string::npos) ADD_FAILURE() << "no \"" << from << "\" to replace";
  return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

std::string WaterWith(const std::string& from, const std::string& to) { return Replaced(ClassicOutput(Water), from, to); }

// Texts that occur once in the water output: oxygen's s coefficient in
// orbital 1, and its z coordinate.
constexpr const char* FirstCoefficient = "0.01000";
constexpr const char* OxygenZ = "0.1173";

std::string Garbage(std::size_t size) {
  std::string bytes(size, '\0');
  std::uint32_t state = 12345;
  for (char& c : bytes) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(state >> 24);
  }
  return bytes;
}

std::string HydrogenLattice(int count) {
  std::vector<ClassicAtom> atoms;
  for (int i = 0; i < count; ++i) {
    atoms.push_back({"H", static_cast<float>(i % 5), static_cast<float>(i / 5 % 5), static_cast<float>(i / 25)});
  }
  return ClassicOutput(atoms, 6);
}

std::string WithFilledLevels(const std::string& levels) {
  return Replaced(ClassicOutput(Water), "FILLED LEVELS    =          3", "FILLED LEVELS    = " + levels);
}

struct Row {
  const char* name;
  std::string input;
  std::vector<std::string> options;  // beyond the input, the output and a low threshold
  int status;
  std::string message = "";     // a fragment of the message on a refusal
  std::string sameAs = "";      // on success: an input whose scene must be the same, byte for byte
  std::string parameters = "";  // a parameter file of the row's own, when not empty
  std::string absent = "";      // on success: a text the scene must not hold
};

}  // namespace

class BadInputTest : public CliFixture {
 protected:
  CliResult RunOn(const std::string& input, const Row& row) {
    Write(Folder + "/in.mno", input);
    std::vector<std::string> options = {"-t", "0.001", "-o", "out.pov"};
    if (!row.parameters.empty()) {
      Write(Folder + "/own.txt", row.parameters);
      options.insert(options.end(), {"-p", "own.txt"});
    }
    options.insert(options.end(), row.options.begin(), row.options.end());
    options.push_back("in.mno");
    return Run(options);
  }
};

TEST_F(BadInputTest, EveryRowIsRefusedWithItsReasonOrGivesACompleteScene) {
  const std::string water = ClassicOutput(Water);
  std::string elevenElements = "11\n";
  for (const char* symbol : {"H", "C", "N", "O", "F", "Si", "P", "S", "Cl", "Br", "I"}) {
    elevenElements += std::string(symbol) + (std::string(symbol) == "H" ? " 1.0 1\n" : " 1.5 1.5 2\n");
  }
  std::string megabyteOfWords;
  while (megabyteOfWords.size() < (1u << 20)) megabyteOfWords += "word ";
  const std::string coefficientRow = water.substr(water.find("  S  O"), water.find('\n', water.find("  S  O")) - water.find("  S  O"));

  const Row rows[] = {
      {"empty file", "", {}, 3, "no eigenvector section"},
      {"binary garbage", Garbage(65536), {}, 3, "Input file error."},
      {"only NUL bytes", std::string(4096, '\0'), {}, 3, "no eigenvector section"},
      {"NUL bytes after the output", water + std::string(100, '\0'), {}, 0, "", water},
      {"a NUL byte glued to a coefficient", WaterWith(" 0.01000", std::string(1, '\0') + FirstCoefficient), {}, 3,
       "atom 1 (O): no readable coefficient of orbital 1"},
      {"a symbol of 10,000 characters", WaterWith("  O   1", " " + std::string(10000, 'Q') + "   1"), {}, 3,
       "the element is not in the parameter file"},
      {"a token of 10,000 characters before the vectors", std::string(10000, 'x') + "\n" + water, {}, 0, "", water},
      {"a coefficient of 10,000 characters", WaterWith(FirstCoefficient, FirstCoefficient + std::string(9993, '0')), {},
       0, "", water},
      {"a line of 1 MB before the vectors", megabyteOfWords + "\n" + water, {}, 0, "", water},
      {"a line of 1 MB after a coefficient", Replaced(water, coefficientRow, coefficientRow + megabyteOfWords), {}, 0,
       "", water},
      {"100 atoms", HydrogenLattice(100), {"--no-structure"}, 0, ""},
      {"101 atoms", HydrogenLattice(101), {}, 3, "more than 100 atoms"},
      {"11 elements", water, {}, 4, "it lists 11 elements, at most 10 are allowed", "", elevenElements},
      {"an unknown symbol", ClassicOutput({{"Xe", 0, 0, 0}}), {}, 3, "atom 1 (Xe): the element is not in the parameter file"},
      {"a symbol of three letters", ClassicOutput({{"Abc", 0, 0, 0}}), {}, 3, "atom 1 (Abc): the element is not"},
      {"a parameter symbol of three letters", water, {}, 4, "the element symbol \"Oxy\" is longer than two characters",
       "", "2\nH 0.967807 1\nOxy 3.796544 2.389402 2\n"},
      {"nan as a coefficient", WaterWith(FirstCoefficient, "nan"), {}, 3, "atom 1 (O): no readable coefficient"},
      {"inf as a coefficient", WaterWith(FirstCoefficient, "inf"), {}, 3, "atom 1 (O): no readable coefficient"},
      {"1e39 as a coefficient", WaterWith(FirstCoefficient, "1e39"), {}, 3, "atom 1 (O): no readable coefficient"},
      {"-0 as a coefficient", WaterWith(FirstCoefficient, "-0"), {}, 0, "", WaterWith(FirstCoefficient, "0")},
      {"nan as a coordinate", WaterWith(OxygenZ, "nan"), {}, 3, "unreadable coordinates of atom 1"},
      {"inf as a coordinate", WaterWith(OxygenZ, "inf"), {}, 3, "unreadable coordinates of atom 1"},
      {"1e39 as a coordinate", WaterWith(OxygenZ, "1e39"), {}, 3, "unreadable coordinates of atom 1"},
      {"-0 as a coordinate", WaterWith(OxygenZ, "-0"), {}, 0, "", WaterWith(OxygenZ, "0")},
      {"orbital number 0", water, {"-m", "0"}, 2, "\"0\" is not an orbital number from 1 to 32767"},
      {"a negative orbital number", water, {"-m", "-3"}, 2, "\"-3\" is not an orbital number from 1 to 32767"},
      {"no filled levels stated", "", {"--homo"}, 3, "Cannot find HOMO/LUMO"},
      {"zero filled levels", WithFilledLevels("0"), {"--homo"}, 3, "orbital number 0 is below 1"},
      {"negative filled levels", WithFilledLevels("-5"), {"--homo"}, 3, "orbital number -5 is below 1"},
      {"filled levels beyond a 16-bit number", WithFilledLevels("65537"), {"--homo"}, 3, "no orbital 65537"},
      {"filled levels below a 16-bit number", WithFilledLevels("-70000"), {"--homo"}, 3,
       "orbital number -70000 is below 1"},
      {"the orbital after the last", water, {"-m", "7"}, 3, "no orbital 7 in the eigenvectors"},
      {"the largest orbital number", water, {"-m", "32767"}, 3, "no orbital 32767 in the eigenvectors"},
      {"a LUMO past the last orbital", WithFilledLevels("6"), {"--lumo"}, 3, "no orbital 7 in the eigenvectors"},
      {"a negative element count", water, {}, 3, "atom 1 (O): the element is not in the parameter file", "", "-1\n"},
      {"a non-numeric exponent", water, {}, 4, "the p exponent of O is not a number", "",
       "2\nH 0.967807 1\nO 3.796544 x 2\n"},
      {"a non-numeric shell kind", water, {}, 4, "the shell kind of O is not a whole number", "",
       "2\nH 0.967807 1\nO 3.796544 2.389402 two\n"},
      // Kinds other than 1 and 2 are not checked: the 2s and 2p formula applies
      // without the unit change of their normalisation.
      {"shell kind 7", water, {}, 0, "", "", "2\nH 0.967807 1\nO 3.796544 2.389402 7\n"},
      // An exponent that overflows when converted to inverse angstrom meets
      // r = 0 at the atom on a grid point.
      {"an exponent beyond the float range once converted", ClassicOutput({{"H", 0, 0, 0}}), {}, 0, "", "",
       "1\nH 3e38 1\n"},
      {"atoms all at one point", ClassicOutput({{"C", 1, 1, 1}, {"O", 1, 1, 1}, {"H", 1, 1, 1}}), {}, 0, "", "", "",
       "cylinder"},
      {"one atom", ClassicOutput({{"N", 0, 0, 0}}), {}, 0, ""},
      {"a box whose bounds pass the int range", ClassicOutput({{"H", -3e7f, 0, 0}, {"H", 3e7f, 0, 0}}), {"-s", "100"},
       3, "the grid box does not fit the grid"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const CliResult result = RunOn(row.input, row);
    EXPECT_EQ(result.Status, row.status) << result.Error;
    if (row.status != 0) {
      EXPECT_NE(result.Error.find(row.message), std::string::npos) << result.Error;
      EXPECT_FALSE(std::filesystem::exists(Folder + "/out.pov"));
    } else {
      const std::string scene = Read(Folder + "/out.pov");
      EXPECT_EQ(scene.rfind("#declare positive", 0), 0u);
      EXPECT_NE(scene.find("object { mo translate <0,0,"), std::string::npos);
      if (!row.absent.empty()) {
        EXPECT_EQ(scene.find(row.absent), std::string::npos);
      }
      if (!row.sameAs.empty()) {
        ASSERT_EQ(RunOn(row.sameAs, Row{"", "", {}, 0}).Status, 0);
        EXPECT_TRUE(Read(Folder + "/out.pov") == scene) << "the scene differs";
      }
      std::filesystem::remove(Folder + "/out.pov");
    }
  }
}

TEST_F(BadInputTest, WindowsLineEndsGiveTheSameSceneByteForByte) {
  const std::string lineFeeds = ClassicOutput({{"C", 0, 0, 0}, {"O", 0, 0, 1.2f}, {"H", 0, 0.94f, -0.54f}, {"H", 0, -0.94f, -0.54f}},
                                         0, 5);
  std::string windows;
  for (const char c : lineFeeds) windows += c == '\n' ? std::string("\r\n") : std::string(1, c);
  for (const char* orbital : {"1", "7", "10"}) {
    SCOPED_TRACE(orbital);
    std::string scenes[2];
    int which = 0;
    for (const std::string& input : {lineFeeds, windows}) {
      ASSERT_EQ(RunOn(input, Row{"", "", {"-m", orbital}, 0}).Status, 0);
      scenes[which++] = Read(Folder + "/out.pov");
    }
    EXPECT_NE(scenes[0].find("smooth_triangle"), std::string::npos);
    EXPECT_TRUE(scenes[0] == scenes[1]) << "the scenes differ";
  }
}

namespace {

// What the run needs of a reading, to compare a cut file with the whole one.
std::string Reading(const Molecule& molecule) {
  std::ostringstream text;
  for (int i = 0; i < molecule.AtomCount; ++i) {
    text << molecule.AtomElement[i] << ' ' << molecule.AtomX[i] << ' ' << molecule.AtomY[i] << ' ' << molecule.AtomZ[i]
         << ' ' << molecule.CoefS[i] << ' ' << molecule.CoefPx[i] << ' ' << molecule.CoefPy[i] << ' '
         << molecule.CoefPz[i] << '\n';
  }
  return text.str();
}

}  // namespace

TEST(TruncatedOutputTest, ACutFileIsRefusedUntilItsLastCoordinateIsWhole) {
  ElementTable elements;
  std::istringstream parameters(Pm3Parameters);
  ReadParameters(elements, parameters, "pm3r.txt");
  const std::string whole = ClassicOutput({{"C", 0, 0, 0}, {"H", 1.09f, 0, 0}, {"S", 0, 1.8f, 0.25f}}, 0, 4);
  // The last coordinate of the last atom: a cut inside it reads a shorter number.
  const std::size_t lastLineEnd = whole.find('\n', whole.find("S        "));
  const std::size_t lastNumberStart = whole.rfind(' ', lastLineEnd) + 1;
  for (const std::int16_t orbital : {1, 6, 9}) {
    SCOPED_TRACE(orbital);
    Molecule full(elements);
    std::istringstream in(whole);
    ASSERT_TRUE(full.ReadMopac(in, orbital));
    const std::string expected = Reading(full);
    // Every cut, not only at line ends.
    for (std::size_t length = 0; length <= whole.size(); ++length) {
      if (length > lastNumberStart && length < lastLineEnd) continue;
      Molecule cut(elements);
      std::istringstream part(whole.substr(0, length));
      std::string why;
      const bool read = cut.ReadMopac(part, orbital, &why);
      if (length <= lastNumberStart) {
        EXPECT_FALSE(read) << "cut after " << length << " characters";
        EXPECT_FALSE(why.empty());
      } else {
        EXPECT_TRUE(read) << "cut after " << length << " characters: " << why;
        EXPECT_EQ(Reading(cut), expected) << "cut after " << length << " characters";
      }
    }
  }
}

TEST_F(BadInputTest, AMoleculeTooWideForItsScaleIsRefusedBeforeAnyWork) {
  // 1000 angstrom at 100 points per angstrom: about 9e9 cubes, past the int
  // range, where a walk would run for days.
  const Row row{"", ClassicOutput({{"H", -500, 0, 0}, {"C", 500, 0, 0}}), {"-s", "100"}, 3};
  const CliResult result = RunOn(row.input, row);
  EXPECT_EQ(result.Status, 3);
  EXPECT_NE(result.Error.find("The grid is too large for this molecule and scale. (the grid holds more than 2147483647 cubes"),
            std::string::npos)
      << result.Error;
  EXPECT_FALSE(std::filesystem::exists(Folder + "/out.pov"));
  // Nothing in proportion to the grid was allocated (the sanitizers' own
  // shadow memory included).
  EXPECT_LT(result.PeakKilobytes, 256 * 1024);
}

TEST_F(BadInputTest, InputAndParameterPathsThatAreNoFilesAreRefused) {
  Write(Folder + "/in.mno", ClassicOutput(Water));
  std::filesystem::create_directory(Folder + "/folder");
  const struct {
    const char* name;
    std::vector<std::string> options;
    int status;
    const char* message;
  } cases[] = {
      {"a missing input", {"missing.mno"}, 3, "missing.mno: cannot open missing.mno"},
      {"a folder as input", {"folder"}, 3, "folder: the file cannot be read"},
      {"a missing parameter file", {"-p", "none.txt", "in.mno"}, 4, "Cannot open the parameter file none.txt."},
      {"a folder as parameter file", {"-p", "folder", "in.mno"}, 4, "Parameter file error in folder"},
      {"a folder for the HOMO", {"--homo", "folder"}, 3, "Cannot find HOMO/LUMO"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> options = {"-o", "out.pov"};
    options.insert(options.end(), c.options.begin(), c.options.end());
    const CliResult result = Run(options);
    EXPECT_EQ(result.Status, c.status) << result.Error;
    EXPECT_NE(result.Error.find(c.message), std::string::npos) << result.Error;
    EXPECT_FALSE(std::filesystem::exists(Folder + "/out.pov"));
  }
}
