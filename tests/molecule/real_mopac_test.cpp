// The readers against the MOPAC programs a chemist installs today (Debian's
// mopac and mopac7-bin): each test runs the program on one of our example
// inputs in a fresh temporary folder, then compares what the readers take with
// the numbers printed, parsed here independently of the readers.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "molecule/molecule.h"
#include "shell/homo_lumo.h"

namespace {

namespace fs = std::filesystem;

bool HasProgram(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Slurp(const fs::path& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct PrintedRow {
  std::string Label;
  int Atom = 0;
  std::vector<std::string> Values;  // one per root of the row's block
};

struct PrintedBlock {
  std::vector<int> Roots;
  std::vector<PrintedRow> Rows;
};

struct PrintedAtom {
  std::string Symbol;
  float X = 0, Y = 0, Z = 0;
};

struct Printed {
  std::vector<PrintedBlock> Blocks;
  std::vector<PrintedAtom> FinalAtoms;
  int FilledLevels = -1;
};

std::vector<std::string> Words(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

bool Digits(const std::string& word) {
  return !word.empty() && word.find_first_not_of("0123456789") == std::string::npos;
}

// Line by line on the words of each line, sharing nothing with the readers.
Printed ParsePrinted(const std::string& text) {
  Printed printed;
  std::istringstream in(text);
  bool inCoordinates = false;
  for (std::string line; std::getline(in, line);) {
    const std::vector<std::string> words = Words(line);
    const std::size_t filled = line.find("NO. OF FILLED LEVELS");
    if (filled != std::string::npos && printed.FilledLevels < 0) {
      printed.FilledLevels = std::stoi(line.substr(line.find('=', filled) + 1));
    }
    const bool label = !words.empty() && (words[0] == "S" || words[0] == "Px" || words[0] == "Py" || words[0] == "Pz");
    if (words.size() > 2 && words[0] == "Root" && words[1] == "No.") {
      printed.Blocks.emplace_back();
      for (std::size_t k = 2; k < words.size(); ++k) printed.Blocks.back().Roots.push_back(std::stoi(words[k]));
    } else if (label && !printed.Blocks.empty() && words.size() == 3 + printed.Blocks.back().Roots.size()) {
      printed.Blocks.back().Rows.push_back({words[0], std::stoi(words[2]), {words.begin() + 3, words.end()}});
    }
    if (words.size() == 2 && words[0] == "CARTESIAN" && words[1] == "COORDINATES") {
      inCoordinates = true;
      printed.FinalAtoms.clear();
    } else if (inCoordinates && words.size() == 5 && Digits(words[0])) {
      printed.FinalAtoms.push_back({words[1], std::stof(words[2]), std::stof(words[3]), std::stof(words[4])});
    } else if (inCoordinates && !printed.FinalAtoms.empty() && !words.empty()) {
      inCoordinates = false;
    }
  }
  return printed;
}

struct MopacRun {
  const char* Program;
  const char* Input;   // in examples/
  const char* Output;  // what the program writes next to it
};

void PrintTo(const MopacRun& run, std::ostream* out) { *out << run.Program << " " << run.Input; }

class RealMopacTest : public ::testing::TestWithParam<MopacRun> {
 protected:
  void SetUp() override {
    const MopacRun& run = GetParam();
    if (!HasProgram(run.Program)) GTEST_SKIP() << run.Program << " is not installed";
    Folder = fs::temp_directory_path() / ("dezoduvo-mopac-" + std::to_string(getpid()) + "-" + run.Output);
    fs::remove_all(Folder);
    fs::create_directories(Folder);
    fs::copy_file(fs::path(SOURCE_DIR) / "examples" / run.Input, Folder / run.Input);
    // run_mopac7 takes the name without .dat; both write next to the input.
    std::string argument = run.Input;
    if (std::string(run.Program) == "run_mopac7") argument = fs::path(run.Input).stem().string();
    const std::string command = "cd '" + Folder.string() + "' && " + run.Program + " " + argument + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    Output = Folder / run.Output;
    ASSERT_TRUE(fs::exists(Output)) << Output;
  }
  void TearDown() override {
    if (!Folder.empty()) fs::remove_all(Folder);
  }

  fs::path Folder;
  fs::path Output;
};

const std::string Parameters = std::string(SOURCE_DIR) + "/data/pm3r.txt";

TEST_P(RealMopacTest, ReadsEveryPrintedOrbitalAsPrinted) {
  const Printed printed = ParsePrinted(Slurp(Output));
  ASSERT_FALSE(printed.Blocks.empty());
  ASSERT_FALSE(printed.FinalAtoms.empty());
  for (const PrintedBlock& block : printed.Blocks) {
    ASSERT_FALSE(block.Rows.empty());
    for (std::size_t column = 0; column < block.Roots.size(); ++column) {
      SCOPED_TRACE("orbital " + std::to_string(block.Roots[column]));
      Molecule molecule(Parameters);
      std::string why;
      ASSERT_TRUE(molecule.ReadMopac(Output.string(), static_cast<std::int16_t>(block.Roots[column]), &why)) << why;
      ASSERT_EQ(molecule.AtomCount, static_cast<int>(printed.FinalAtoms.size()));
      for (const PrintedRow& row : block.Rows) {
        const float value = std::stof(row.Values.at(column));
        const int a = row.Atom - 1;
        const float read = row.Label == "S"    ? molecule.CoefS[a]
                           : row.Label == "Px" ? molecule.CoefPx[a]
                           : row.Label == "Py" ? molecule.CoefPy[a]
                                               : molecule.CoefPz[a];
        EXPECT_EQ(read, value) << row.Label << " of atom " << row.Atom;
      }
      for (std::size_t a = 0; a < printed.FinalAtoms.size(); ++a) {
        EXPECT_STREQ(molecule.Elements.Symbol[molecule.AtomElement[a]], printed.FinalAtoms[a].Symbol.c_str());
        EXPECT_EQ(molecule.AtomX[a], printed.FinalAtoms[a].X);
        EXPECT_EQ(molecule.AtomY[a], printed.FinalAtoms[a].Y);
        EXPECT_EQ(molecule.AtomZ[a], printed.FinalAtoms[a].Z);
      }
    }
  }
}

TEST_P(RealMopacTest, HomoIsTheStatedFilledLevelAndUnprintedOrbitalsAreRefused) {
  const Printed printed = ParsePrinted(Slurp(Output));
  std::ifstream in(Output);
  int levels = 0;
  ASSERT_TRUE(ReadFilledLevels(in, levels));
  EXPECT_EQ(levels, printed.FilledLevels);

  const int last = printed.Blocks.back().Roots.back();
  Molecule molecule(Parameters);
  std::string why;
  EXPECT_FALSE(molecule.ReadMopac(Output.string(), static_cast<std::int16_t>(last + 1), &why));
  EXPECT_NE(why.find("ALLVEC"), std::string::npos) << why;
}

INSTANTIATE_TEST_SUITE_P(Programs, RealMopacTest,
                         ::testing::Values(MopacRun{"mopac", "formaldehyde.mop", "formaldehyde.out"},  // ALLVEC
                                           MopacRun{"mopac", "benzene.mop", "benzene.out"},  // orbitals 7 to 22 only
                                           MopacRun{"mopac", "thiophene.mop", "thiophene.out"},  // sulfur, ALLVEC
                                           MopacRun{"run_mopac7", "pyridine-mopac7.dat", "pyridine-mopac7.OUT"},
                                           MopacRun{"run_mopac7", "thiophene-mopac7.dat", "thiophene-mopac7.OUT"}),
                         [](const ::testing::TestParamInfo<MopacRun>& info) {
                           std::string name = fs::path(info.param.Output).stem().string();
                           if (std::string(info.param.Program) == "mopac") name += "_mopac22";
                           for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

class RealMopacSceneTest : public RealMopacTest {};

// The whole road: a MOPAC 22 output through the command line into a scene
// that POV-Ray parses and renders without complaint.
TEST_P(RealMopacSceneTest, SceneOfTheHomoRenders) {
  if (!HasProgram("povray")) GTEST_SKIP() << "povray is not installed";
  // POV-Ray refuses to start without a readable configuration in HOME.
  fs::create_directories(Folder / "home/.povray/3.7");
  std::ofstream(Folder / "home/.povray/3.7/povray.conf").close();
  const std::string scene = (Folder / "scene.pov").string();
  const std::string cli = std::string(CLI_PROGRAM) + " -q -p '" + Parameters + "' --homo -o '" + scene + "' '" +
                          Output.string() + "'";
  ASSERT_EQ(std::system(cli.c_str()), 0) << cli;
  const std::string render = "HOME='" + (Folder / "home").string() + "' povray -D +W80 +H60 '+I" + scene + "' '+O" +
                             (Folder / "scene.png").string() + "' >'" + (Folder / "povray.log").string() + "' 2>&1";
  ASSERT_EQ(std::system(render.c_str()), 0) << Slurp(Folder / "povray.log");
  EXPECT_GT(fs::file_size(Folder / "scene.png"), 0u);
}

INSTANTIATE_TEST_SUITE_P(Programs, RealMopacSceneTest,
                         ::testing::Values(MopacRun{"mopac", "thiophene.mop", "thiophene.out"},
                                           MopacRun{"run_mopac7", "pyridine-mopac7.dat", "pyridine-mopac7.OUT"}),
                         [](const ::testing::TestParamInfo<MopacRun>& info) {
                           return std::string(info.param.Program) == "mopac" ? "mopac22" : "mopac7";
                         });

}  // namespace
