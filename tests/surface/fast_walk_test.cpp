// The fast walk against the cube-by-cube walk: the same bytes, the same
// triangle count and the same progress positions, over seeded random
// molecules and settings; and the side-by-side orbital against Orbital itself.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <locale>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "molecule/molecule.h"
#include "scene/scene_writer.h"
#include "shell/calculation_run.h"
#include "surface/fast_walk.h"
#include "surface/orbital_sampler.h"
#include "surface/surface.h"

namespace {

// H and a Shell-1 element with p exponents, two ordinary Shell-2 elements, a
// steep one (Br: its exponential falls below the table within the cutoff),
// and a shell kind that Orbital treats like 2.
const char* const ElementText =
    "6\n"
    "H  0.967807 1\n"
    "C  1.565085 1.842345 2\n"
    "O  3.796544 2.389402 2\n"
    "Br 5.348457 2.127590 2\n"
    "Xx 1.2 0.9 3\n"
    "Hy 0.7 1.1 1\n";

ElementTable Elements() {
  ElementTable table;
  std::istringstream in(ElementText);
  ReadParameters(table, in, "elements");
  return table;
}

enum class Placement {
  Scattered,   // anywhere in a cube round the origin
  OnGrid,      // every atom on a grid point
  Coincident,  // several atoms at one place
  Negative,    // every coordinate below zero
};

struct MoleculeCase {
  const char* Name;
  Placement Where;
  int Atoms;
  float Spread;  // angstrom
  int Scale;
  float Cutoff;  // angstrom
  unsigned Seed;
};

// A seeded random molecule in grid units.
std::unique_ptr<Molecule> MakeMolecule(const MoleculeCase& c) {
  auto molecule = std::make_unique<Molecule>(Elements());
  std::mt19937 random(c.Seed);
  std::uniform_real_distribution<float> position(-c.Spread, c.Spread), coefficient(-1.0f, 1.0f);
  std::uniform_int_distribution<int> element(0, molecule->Elements.Count - 1);
  molecule->AtomCount = static_cast<std::int16_t>(c.Atoms);
  for (int i = 0; i < c.Atoms; ++i) {
    molecule->AtomX[i] = position(random);
    molecule->AtomY[i] = position(random);
    molecule->AtomZ[i] = position(random);
    if (c.Where == Placement::Coincident && i % 3 == 2) {
      molecule->AtomX[i] = molecule->AtomX[0], molecule->AtomY[i] = molecule->AtomY[0];
      molecule->AtomZ[i] = molecule->AtomZ[0];
    }
    if (c.Where == Placement::Negative) {
      molecule->AtomX[i] -= 2 * c.Spread, molecule->AtomY[i] -= 2 * c.Spread, molecule->AtomZ[i] -= 2 * c.Spread;
    }
    molecule->AtomElement[i] = static_cast<std::int16_t>(element(random));
    molecule->CoefS[i] = coefficient(random);
    molecule->CoefPx[i] = coefficient(random);
    molecule->CoefPy[i] = coefficient(random);
    molecule->CoefPz[i] = coefficient(random);
  }
  molecule->ApplyScale(static_cast<float>(c.Scale));
  molecule->SetCutoff(c.Cutoff);
  if (c.Where == Placement::OnGrid) {
    for (int i = 0; i < c.Atoms; ++i) {
      molecule->AtomX[i] = std::round(molecule->AtomX[i]);
      molecule->AtomY[i] = std::round(molecule->AtomY[i]);
      molecule->AtomZ[i] = std::round(molecule->AtomZ[i]);
    }
  }
  return molecule;
}

struct WalkOutput {
  std::string Text;
  std::vector<int> Progress;
  long long Triangles = 0;
};

template <class Walk>
WalkOutput Capture(const Walk& walk) {
  std::ostringstream out;
  MeshWriter mesh(out);
  WalkOutput result;
  walk([&result](int position) { result.Progress.push_back(position); }, mesh);
  CloseMesh(mesh);
  result.Text = out.str();
  result.Triangles = mesh.Triangles;
  return result;
}

// Sanitizer builds run the cube-by-cube walk many times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t SettingsPerMolecule = 1;
#else
constexpr std::size_t SettingsPerMolecule = 3;
#endif

struct Setting {
  float Threshold;
  int Level;
};

// Each molecule is walked with several settings, each by both walks and by
// the fast walk with one and with several threads.
void ExpectSameWalks(const MoleculeCase& c, const std::vector<Setting>& settings) {
  const auto molecule = MakeMolecule(c);
  GridBox box;
  ASSERT_TRUE(ComputeGridBox(*molecule, c.Scale, box));
  for (const Setting& setting : settings) {
    SCOPED_TRACE(std::string(c.Name) + ", threshold " + std::to_string(setting.Threshold) + ", level " +
                 std::to_string(setting.Level));
    const WalkOutput literal = Capture([&](const ProgressFunction& progress, MeshWriter& mesh) {
      WalkGridOf(*molecule, box, setting.Threshold, setting.Level, progress, mesh);
    });
    for (int threads : {1, 3}) {
      SCOPED_TRACE("threads " + std::to_string(threads));
      const WalkOutput fast = Capture([&](const ProgressFunction& progress, MeshWriter& mesh) {
        WalkGridFast(*molecule, box, setting.Threshold, setting.Level, threads, progress, mesh);
      });
      EXPECT_EQ(fast.Triangles, literal.Triangles);
      EXPECT_EQ(fast.Progress, literal.Progress);
      if (fast.Text != literal.Text) {
        const std::size_t at = static_cast<std::size_t>(
            std::mismatch(fast.Text.begin(), fast.Text.end(), literal.Text.begin(), literal.Text.end()).first -
            fast.Text.begin());
        const std::size_t from = at < 200 ? 0 : at - 200;
        ADD_FAILURE() << "the texts differ from byte " << at << ": fast\n"
                      << fast.Text.substr(from, 400) << "\ncube by cube\n"
                      << literal.Text.substr(from, 400);
      }
    }
  }
}

TEST(FastWalkTest, WritesTheSameBytesAsTheCubeByCubeWalk) {
  const MoleculeCase cases[] = {
      {"one atom, fine grid", Placement::Scattered, 1, 0.5f, 16, 3.5f, 1},
      {"two atoms, scale 11", Placement::Scattered, 2, 0.8f, 11, 3.5f, 2},
      {"small molecule, scale 8", Placement::Scattered, 4, 1.2f, 8, 3.5f, 3},
      {"atoms on grid points", Placement::OnGrid, 6, 1.5f, 4, 3.5f, 4},
      {"coincident atoms", Placement::Coincident, 7, 1.5f, 5, 3.5f, 5},
      {"negative coordinates", Placement::Negative, 8, 1.5f, 3, 3.5f, 6},
      {"short cutoff", Placement::Scattered, 6, 1.5f, 6, 0.9f, 7},
      {"long cutoff, steep element", Placement::Scattered, 5, 1.5f, 3, 9.0f, 8},
      {"many atoms, coarse grid", Placement::Scattered, 100, 5.0f, 1, 3.5f, 9},
      {"many atoms, scale 2", Placement::Scattered, 60, 3.0f, 2, 3.5f, 10},
  };
  const Setting settings[] = {{0.05f, 3}, {0.001f, 1}, {0.5f, 8}, {0.01f, 2}, {-0.1f, 3}, {0.2f, 0}, {0.03f, 5}};
  constexpr std::size_t SettingCount = sizeof settings / sizeof settings[0];
  // Each molecule takes the next few settings in turn, so that every setting
  // meets several molecules without every pair being walked.
  for (std::size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
    std::vector<Setting> chosen;
    for (std::size_t k = 0; k < SettingsPerMolecule; ++k) chosen.push_back(settings[(i + k) % SettingCount]);
    ExpectSameWalks(cases[i], chosen);
  }
}

TEST(FastWalkTest, KeepsBisectingUntilTheIntervalCannotShrink) {
  // Past about 24 steps a midpoint rounds onto an end of its interval.
  ExpectSameWalks({"deep bisection", Placement::Scattered, 3, 1.0f, 2, 3.5f, 11}, {{0.05f, 40}, {0.02f, 100}});
}

TEST(FastWalkTest, EmptyBoxesMoveTheProgressAlike) {
  // One atom with scale 0 has no cube at all; the molecule without atoms has
  // no slab either.
  for (int atoms : {0, 1}) {
    SCOPED_TRACE(atoms);
    Molecule molecule(Elements());
    molecule.AtomCount = static_cast<std::int16_t>(atoms);
    GridBox box;
    ASSERT_TRUE(ComputeGridBox(molecule, 0, box));
    box.HiZ = box.LoZ + 3 * atoms;  // slabs without a single cube
    const WalkOutput literal =
        Capture([&](const ProgressFunction& p, MeshWriter& mesh) { WalkGridOf(molecule, box, 0.05f, 3, p, mesh); });
    const WalkOutput fast = Capture(
        [&](const ProgressFunction& p, MeshWriter& mesh) { WalkGridFast(molecule, box, 0.05f, 3, 2, p, mesh); });
    EXPECT_EQ(fast.Text, literal.Text);
    EXPECT_EQ(fast.Progress, literal.Progress);
  }
}

// Every instruction set this processor runs, the baseline first.
std::vector<OrbitalSampler::Instructions> RunnableInstructions() {
  using Instructions = OrbitalSampler::Instructions;
  std::vector<Instructions> sets;
  for (Instructions use : {Instructions::Baseline, Instructions::Avx2, Instructions::Avx512}) {
    if (use <= OrbitalSampler::Widest()) sets.push_back(use);
  }
  return sets;
}

TEST(FastWalkTest, AnErrorInTheProgressStopsTheWalk) {
  // The workers must be stopped and joined, however far ahead they are.
  const auto molecule = MakeMolecule({"stopped", Placement::Scattered, 4, 1.0f, 4, 3.5f, 51});
  GridBox box;
  ASSERT_TRUE(ComputeGridBox(*molecule, 4, box));
  for (int threads : {1, 3}) {
    std::ostringstream out;
    MeshWriter mesh(out);
    int calls = 0;
    const ProgressFunction progress = [&calls](int) {
      if (++calls == 3) throw std::runtime_error("cancelled");
    };
    EXPECT_THROW(WalkGridFast(*molecule, box, 0.05f, 3, threads, progress, mesh), std::runtime_error);
    EXPECT_EQ(calls, 3);
  }
}

TEST(OrbitalSamplerTest, GivesTheBitsOfOrbitalAtAnyPoint) {
  const MoleculeCase cases[] = {
      {"scattered", Placement::Scattered, 30, 2.0f, 4, 3.5f, 21},
      {"coincident", Placement::Coincident, 10, 1.0f, 8, 3.5f, 22},
      {"long cutoff", Placement::Scattered, 20, 2.0f, 3, 12.0f, 23},
  };
  for (const MoleculeCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const auto molecule = MakeMolecule(c);
    std::mt19937 random(c.Seed);
    const float reach = (c.Spread + c.Cutoff) * c.Scale;
    std::uniform_real_distribution<float> position(-reach, reach);
    std::vector<float> x, y, z;
    for (int i = 0; i < 20000; ++i) {
      x.push_back(position(random)), y.push_back(position(random)), z.push_back(position(random));
    }
    // Points at the atoms themselves and at exactly the cutoff radius from one.
    const float radius = std::sqrt(molecule->CutoffSquared);
    for (int i = 0; i < molecule->AtomCount; ++i) {
      for (float shift : {0.0f, radius, -radius, std::nextafter(radius, 0.0f)}) {
        x.push_back(molecule->AtomX[i] + shift), y.push_back(molecule->AtomY[i]), z.push_back(molecule->AtomZ[i]);
      }
    }
    for (OrbitalSampler::Instructions use : RunnableInstructions()) {
      SCOPED_TRACE("instruction set " + std::to_string(static_cast<int>(use)));
      const OrbitalSampler sampler(*molecule, use);
      ASSERT_TRUE(sampler.SideBySide());
      std::vector<float> values(x.size());
      sampler.Evaluate(x.data(), y.data(), z.data(), values.data(), x.size());
      int differences = 0;
      for (std::size_t i = 0; i < x.size(); ++i) {
        const float expected = molecule->Orbital(x[i], y[i], z[i]);
        if (std::memcmp(&values[i], &expected, sizeof expected) != 0 && ++differences <= 5) {
          ADD_FAILURE() << "at (" << x[i] << ", " << y[i] << ", " << z[i] << "): " << values[i] << " instead of "
                        << expected;
        }
      }
    }
  }
}

TEST(OrbitalSamplerTest, JudgesSidesAsOrbitalDoes) {
  const auto molecule = MakeMolecule({"sides", Placement::Scattered, 12, 1.5f, 4, 3.5f, 41});
  const OrbitalSampler sampler(*molecule, RunnableInstructions().front());
  std::mt19937 random(41);
  std::uniform_real_distribution<float> position(-12.0f, 12.0f);
  std::vector<float> x, y, z;
  // Short rows, like the walk's, so that groups are compact enough for the bound to decide.
  for (int row = 0; row < 1000; ++row) {
    const float rowX = position(random), rowY = position(random), rowZ = position(random);
    for (int k = 0; k < 8; ++k) x.push_back(rowX), y.push_back(rowY + 0.5f * k), z.push_back(rowZ);
  }
  // Thresholds at a value the orbital takes, and at the floats either side of it.
  const float taken = std::fabs(molecule->Orbital(x[5], y[5], z[5]));
  for (float threshold : {0.0f, 1e-6f, 0.01f, 0.05f, 0.3f, -0.1f, taken, std::nextafter(taken, 0.0f),
                          std::nextafter(taken, 1.0f)}) {
    SCOPED_TRACE(threshold);
    std::vector<unsigned char> above(x.size());
    sampler.Above(x.data(), y.data(), z.data(), threshold, above.data(), x.size());
    int differences = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
      const bool expected = LiesAbove(*molecule, threshold, x[i], y[i], z[i]);
      if (above[i] != expected && ++differences <= 5) ADD_FAILURE() << "at (" << x[i] << ", " << y[i] << ", " << z[i] << ")";
    }
  }
}

TEST(OrbitalSamplerTest, FallsBackToOrbitalForExponentsOutsideTheTable) {
  auto molecule = MakeMolecule({"negative exponent", Placement::Scattered, 4, 1.0f, 2, 3.5f, 31});
  molecule->Elements.ZetaS[molecule->AtomElement[2]] = -0.5f;
  const OrbitalSampler sampler(*molecule);
  EXPECT_FALSE(sampler.SideBySide());
  for (float x : {-1.0f, 0.25f, 2.0f}) EXPECT_EQ(sampler.Evaluate(x, 0.5f, -0.5f), molecule->Orbital(x, 0.5f, -0.5f));
}

class QuietWindow : public CalculationWindow {
 public:
  void ShowMessage(const std::string& text, const std::string&) override { ADD_FAILURE() << text; }
  void SetCalculateEnabled(bool) override {}
  void SetProgress(int position) override { Progress.push_back(position); }
  bool ShowStructure() const override { return Structure; }
  bool Structure = true;
  std::vector<int> Progress;
};

// The file the run writes with the cube-by-cube walk in its place.
std::string CubeByCubeScene(const std::string& parameters, const std::string& input, const Settings& settings,
                            bool structure) {
  Molecule molecule(parameters);
  EXPECT_TRUE(molecule.ReadMopac(input, static_cast<std::int16_t>(settings.MoNumber)));
  molecule.ApplyScale(static_cast<float>(settings.Scale));
  molecule.SetCutoff(settings.Cutoff);
  GridBox box;
  EXPECT_TRUE(ComputeGridBox(molecule, settings.Scale, box));
  std::ostringstream out;
  out.imbue(std::locale::classic());
  WriteHeader(out, molecule);
  MeshWriter mesh(out);
  WalkGridOf(molecule, box, settings.Threshold, settings.Level, ProgressFunction(), mesh);
  CloseMesh(mesh);
  if (structure) WriteStructure(out, molecule, settings.Scale, settings.BondLength);
  WriteTrailer(out, settings.Scale, structure);
  return out.str();
}

TEST(FastWalkTest, RunWritesTheFileOfTheCubeByCubeWalk) {
  struct RunCase {
    const char* Input;  // below the source folder
    int MoNumber, Scale, Level;
    float Threshold, Cutoff;
    bool Structure;
  };
  const RunCase cases[] = {
      {"tests/data/water-classic.mno", 2, 5, 3, 0.005f, 3.5f, true},
      {"examples/formaldehyde.out", 7, 3, 6, 0.02f, 2.0f, false},
      {"examples/thiophene.out", 10, 2, 2, 0.1f, 3.5f, true},
  };
  const std::string parameters = std::string(SOURCE_DIR) + "/data/pm3r.txt";
  for (const RunCase& c : cases) {
    SCOPED_TRACE(std::string(c.Input) + ", orbital " + std::to_string(c.MoNumber));
    const RunPaths paths{parameters, std::string(SOURCE_DIR) + "/" + c.Input,
                         ::testing::TempDir() + "fast_walk_run.pov"};
    Settings settings;
    settings.MoNumber = c.MoNumber, settings.Scale = c.Scale, settings.Level = c.Level;
    settings.Threshold = c.Threshold, settings.Cutoff = c.Cutoff;
    const std::string expected = CubeByCubeScene(parameters, paths.Input, settings, c.Structure);
    for (int threads : {1, 2}) {
      QuietWindow window;
      window.Structure = c.Structure;
      ASSERT_EQ(RunCalculation(window, paths, settings, threads).Outcome, RunOutcome::Success);
      std::ifstream written(paths.Output, std::ios::binary);
      const std::string text((std::istreambuf_iterator<char>(written)), std::istreambuf_iterator<char>());
      EXPECT_EQ(text, expected) << "threads " << threads;
      EXPECT_NE(text.find("smooth_triangle"), std::string::npos);
    }
  }
}

}  // namespace
