// Outputs written by MOPAC itself, kept outside the repository: the classic
// layout still takes the classic walk, MOPAC 7's partial listing is read by
// root number, and d orbitals are refused.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "molecule/molecule.h"
#include "shell/homo_lumo.h"

namespace {

const std::string Samples = SHARED_SAMPLES_DIR;
const std::string Parameters = std::string(SOURCE_DIR) + "/data/pm3r.txt";

TEST(SharedSamplesTest, ReadsOrRefusesEachSample) {
  if (!std::filesystem::exists(Samples)) GTEST_SKIP() << "no samples at " << Samples;
  const struct {
    const char* File;
    int FilledLevels;
    int MoNumber;
    const char* Why;  // null: the read succeeds
  } cases[] = {
      {"classic-mopac5-formaldehyde.out", 6, 6, nullptr},
      {"classic-mopac5-allyl-cation.out", 8, 8, nullptr},
      {"mopac7-tetrazine.out", 27, 27, nullptr},
      {"mopac7-tetrazine.out", 27, 18, "holds orbitals 19 to 34"},
      {"mopac710-fecl4-d-orbitals.out", 16, 16, "has d orbitals"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.File) + ", orbital " + std::to_string(c.MoNumber));
    const std::string path = Samples + "/" + c.File;
    std::ifstream in(path);
    int levels = 0;
    EXPECT_TRUE(ReadFilledLevels(in, levels));
    EXPECT_EQ(levels, c.FilledLevels);
    Molecule molecule(Parameters);
    std::string why;
    const bool read = molecule.ReadMopac(path, static_cast<std::int16_t>(c.MoNumber), &why);
    if (c.Why) {
      EXPECT_FALSE(read);
      EXPECT_NE(why.find(c.Why), std::string::npos) << why;
    } else {
      EXPECT_TRUE(read) << why;
    }
  }
}

TEST(SharedSamplesTest, TakesTetrazineOrbitalsByPrintedNumber) {
  const std::string path = Samples + "/mopac7-tetrazine.out";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "no sample " << path;
  // Numbers as printed: orbital 19 is the first column of the first block,
  // orbital 28 the second column of the second; the coordinates follow the
  // vectors.
  Molecule first(Parameters);
  ASSERT_TRUE(first.ReadMopac(path, 19));
  ASSERT_EQ(first.AtomCount, 16);
  EXPECT_EQ(first.CoefS[0], 0.0991f);
  EXPECT_EQ(first.CoefPy[8], -0.3804f);
  EXPECT_EQ(first.CoefS[15], -0.3279f);
  EXPECT_EQ(first.AtomX[15], 3.2756f);
  EXPECT_EQ(first.AtomY[15], 4.7560f);
  EXPECT_EQ(first.AtomZ[15], 0.0004f);
  Molecule second(Parameters);
  ASSERT_TRUE(second.ReadMopac(path, 28));
  EXPECT_EQ(second.CoefPz[1], -0.4745f);
}

}  // namespace
