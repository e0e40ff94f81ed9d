// Whole scene files compared byte for byte with files checked in, so that any
// change of rounding, order or text shows.
#include <gtest/gtest.h>

#include "molecule/molecule.h"
#include "run_fixture.h"

using GoldenSceneTest = RunFixture;

TEST_F(GoldenSceneTest, WholeFilesMatchTheirGoldenCopies) {
  const std::string data = TEST_DATA_DIR;
  Paths.Parameters = data + "/pm3-hcno.txt";
  Paths.Input = data + "/water-classic.mno";
  const struct {
    const char* golden;
    int mo, scale, level;
    float threshold, cutoff, bondLength;
    bool structure;
  } cases[] = {
      {"water-mo2-scale2.pov", 2, 2, 3, 0.005f, 3.5f, 1.6f, true},
      {"water-mo5-negative.pov", 5, 3, 5, -0.01f, 3.5f, 1.6f, false},
      {"water-mo4-short-cutoff.pov", 4, 3, 1, 0.003f, 2.0f, 1.0f, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.golden);
    Values = Settings{c.threshold, c.cutoff, c.bondLength, c.scale, c.level, c.mo};
    Window.Structure = c.structure;
    ASSERT_EQ(RunCalculation(Window, Paths, Values).Outcome, RunOutcome::Success);
    const std::string expected = Read(data + "/golden/" + c.golden);
    ASSERT_FALSE(expected.empty());
    EXPECT_TRUE(Read(Paths.Output) == expected) << "scene differs from " << c.golden;
  }
}
