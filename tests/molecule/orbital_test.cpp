// The record's unit conversions, the fast exponential and the orbital sum.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

#include "elements_from_text.h"
#include "molecule/molecule.h"

TEST(MoleculeTest, ConstructionBuildsTheExponentialTables) {
  const Molecule molecule(ElementsFromText("0"));
  EXPECT_EQ(molecule.ExpTable[15], 1.0f);
  EXPECT_EQ(molecule.ExpTable[0], static_cast<float>(std::exp(-15.0)));
  EXPECT_FLOAT_EQ(molecule.ExpTable[0], 3.0590232e-07f);
  EXPECT_EQ(molecule.ExpSeries[1], 1.0f);
  EXPECT_EQ(molecule.ExpSeries[2], 0.5f);
  EXPECT_EQ(molecule.ExpSeries[3], 0.5f / 3.0f);
  EXPECT_EQ(molecule.SeriesEnd, &molecule.ExpSeries[9]);
  EXPECT_EQ(molecule.Scale, 1.0f);
  EXPECT_EQ(molecule.CutoffSquared, 12.0f);
}

TEST(MoleculeTest, ApplyScaleConvertsLengthsAndOnlyShellTwoNormalisations) {
  Molecule molecule(ElementsFromText("2 H 1.0 1 C 2.0 2.0 2"));
  molecule.AtomCount = 1;
  molecule.AtomX[0] = 1.0f, molecule.AtomY[0] = -2.0f, molecule.AtomZ[0] = 0.5f;
  const ElementTable before = molecule.Elements;
  molecule.ApplyScale(4.0f);
  float x, y, z;
  molecule.AtomPosition(0, x, y, z);
  EXPECT_EQ(x, 4.0f);
  EXPECT_EQ(y, -8.0f);
  EXPECT_EQ(z, 2.0f);
  EXPECT_EQ(molecule.CutoffSquared, 192.0f);
  for (int e = 0; e < 2; ++e) {
    EXPECT_EQ(molecule.Elements.ZetaS[e], before.ZetaS[e] / 4.0f);
    EXPECT_EQ(molecule.Elements.ZetaP[e], before.ZetaP[e] / 4.0f);
  }
  EXPECT_EQ(molecule.Elements.NormS[0], before.NormS[0]);
  EXPECT_EQ(molecule.Elements.NormS[1], before.NormS[1] / 4.0f);
  EXPECT_EQ(molecule.Elements.NormP[1], before.NormP[1] / 4.0f);
}

TEST(MoleculeTest, CutoffIsSquaredInGridUnitsEitherSideOfApplyScale) {
  Molecule after(ElementsFromText("0"));
  after.ApplyScale(4.0f);
  after.SetCutoff(3.5f);
  EXPECT_EQ(after.CutoffSquared, 196.0f);
  Molecule before(ElementsFromText("0"));
  before.SetCutoff(3.5f);
  EXPECT_EQ(before.CutoffSquared, 12.25f);
  before.ApplyScale(4.0f);
  EXPECT_EQ(before.CutoffSquared, 196.0f);
}

TEST(FastExpTest, IntegersComeStraightFromTheTable) {
  const Molecule molecule(ElementsFromText("0"));
  for (int n = -15; n <= 0; ++n) {
    SCOPED_TRACE(n);
    EXPECT_EQ(molecule.FastExp(static_cast<float>(n)), molecule.ExpTable[n + 15]);
  }
}

TEST(FastExpTest, FractionsTruncateTowardZeroAndStayClose) {
  const Molecule molecule(ElementsFromText("0"));
  EXPECT_NEAR(molecule.FastExp(-0.5f), 0.60653073, 1e-7);
  // -2.5 splits as -2 and -0.5, not -3 and 0.5.
  EXPECT_EQ(molecule.FastExp(-2.5f), molecule.FastExp(-0.5f) * molecule.ExpTable[13]);
  for (float x : {-1.999f, -0.999f, -7.3f, -15.5f, -15.999f}) {
    SCOPED_TRACE(x);
    EXPECT_NEAR(molecule.FastExp(x) / std::exp(static_cast<double>(x)), 1.0, 1e-5);
  }
}

TEST(FastExpTest, OutsideTheTableIsZeroBelowAndExactAbove) {
  const Molecule molecule(ElementsFromText("0"));
  for (float x : {-16.0f, -16.5f, -1e30f, -std::numeric_limits<float>::infinity(),
                  std::numeric_limits<float>::quiet_NaN()}) {
    EXPECT_EQ(molecule.FastExp(x), 0.0) << x;
  }
  EXPECT_EQ(molecule.FastExp(1.0f), std::exp(1.0));
  EXPECT_EQ(molecule.FastExp(2.5f), std::exp(2.5));
}

TEST(OrbitalTest, OneAtomExamples) {
  Molecule hydrogen(ElementsFromText("1 H 1.0 1"));
  hydrogen.AtomCount = 1;
  hydrogen.CoefS[0] = 1.0f;
  hydrogen.SetCutoff(3.5f);
  EXPECT_NEAR(hydrogen.Orbital(1, 0, 0), 0.0852576f, 1e-7f);
  // At a Shell-1 centre the exponential is exactly 1.
  EXPECT_EQ(hydrogen.Orbital(0, 0, 0), hydrogen.Elements.NormS[0]);

  Molecule carbon(ElementsFromText("1 C 2.0 2.0 2"));
  carbon.AtomCount = 1;
  carbon.CoefPx[0] = 1.0f;
  carbon.SetCutoff(3.5f);
  EXPECT_NEAR(carbon.Orbital(1, 0, 0), 0.137724f, 1e-6f);
  EXPECT_EQ(carbon.Orbital(-1, 0, 0), -carbon.Orbital(1, 0, 0));
  EXPECT_EQ(carbon.Orbital(0, 0, 0), 0.0f);
}

TEST(OrbitalTest, AnAtomExactlyAtTheCutoffAddsNothing) {
  Molecule molecule(ElementsFromText("1 H 1.0 1"));
  molecule.AtomCount = 1;
  molecule.CoefS[0] = 1.0f;
  molecule.CutoffSquared = 4.0f;
  EXPECT_EQ(molecule.Orbital(2, 0, 0), 0.0f);
  EXPECT_GT(molecule.Orbital(1.99f, 0, 0), 0.0f);
  molecule.AtomCount = 0;
  EXPECT_EQ(molecule.Orbital(0.5f, 0, 0), 0.0f);
}

TEST(OrbitalTest, HydrogenReadAsShellTwoEvaluatesWithZeroPTerms) {
  Molecule molecule(ElementsFromText("1 H 1.0 2"));
  molecule.AtomCount = 1;
  molecule.CoefS[0] = 1.0f;
  molecule.SetCutoff(3.5f);
  const float value = molecule.Orbital(1, 0, 0);
  EXPECT_TRUE(std::isfinite(value));
  const double expected = static_cast<double>(molecule.Elements.NormS[0]) * 1.0f * molecule.FastExp(-molecule.Elements.ZetaS[0]);
  EXPECT_EQ(value, static_cast<float>(expected));
}
