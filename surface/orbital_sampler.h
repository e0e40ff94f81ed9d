// The orbital at many points at once, bit for bit the value Molecule::Orbital
// gives: atoms that cannot reach a group of points are skipped before any
// arithmetic, and the rest are summed in ascending atom order with the same
// roundings, several points side by side.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "molecule/molecule.h"

class OrbitalSampler {
 public:
  // Instruction sets for the side-by-side arithmetic; all give the same bits.
  enum class Instructions { Baseline, Avx2, Avx512 };
  // The widest set this processor runs.
  static Instructions Widest();

  // The molecule must stay unchanged while the sampler is in use. use must
  // be one that the processor runs.
  explicit OrbitalSampler(const Molecule& molecule, Instructions use = Widest());

  // out[i] = molecule.Orbital(x[i], y[i], z[i]) for every i below count.
  void Evaluate(const float* x, const float* y, const float* z, float* out, std::size_t count) const;
  float Evaluate(float x, float y, float z) const;

  // above[i] = whether |molecule.Orbital(x[i], y[i], z[i])| > threshold. Where
  // a bound of |Orbital| over a group of points proves them all at or below
  // the threshold, the orbital itself is not evaluated there.
  void Above(const float* x, const float* y, const float* z, float threshold, unsigned char* above,
             std::size_t count) const;

  // False when the molecule holds values outside what the side-by-side
  // arithmetic covers (an unknown element, a negative or undefined
  // exponent); every value then comes from Molecule::Orbital itself.
  bool SideBySide() const { return Atoms.size() == static_cast<std::size_t>(Source.AtomCount) && Usable; }

 private:
  // Per atom, what the orbital sum needs, folded as the sum folds it.
  struct AtomTerms {
    float X, Y, Z;
    float MinusZetaS, MinusZetaP;
    bool SingleS;  // Shell 1: one s function without a length factor
    double CoefNormS;
    double CoefNormPx, CoefNormPy, CoefNormPz;
    // For the bound: the magnitudes of the s and of the summed p coefficients.
    double BoundS, BoundP;
  };
  struct Group;
  void EvaluateGroup(const Group& group, float* out) const;
  void EvaluateGroupAvx2(const Group& group, float* out) const;
  void EvaluateGroupAvx512(const Group& group, float* out) const;
  void SumGroup(const Group& group, float* out) const;
  double GroupBound(const Group& group) const;

  const Molecule& Source;
  std::vector<AtomTerms> Atoms;
  float CutoffSquared;
  // An atom farther than this from a group's bounding box (squared, in double)
  // lies outside the cutoff for every point of the group, whatever the
  // roundings of the distance in float.
  double SkipDistanceSquared;
  double CutoffRadius;  // slightly above the square root of CutoffSquared
  bool Usable = true;
  Instructions Use;
};
