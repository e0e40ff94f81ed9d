// The orbital evaluated for groups of points side by side. Every lane performs
// the IEEE operations of Molecule::Orbital and Molecule::FastExp in their
// order, rounding to float at the same places; nothing is fused or reordered
// (the build forbids contraction), so each lane yields the same bits.
#include "surface/orbital_sampler.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::size_t Lanes = 8;
typedef float Floats __attribute__((vector_size(Lanes * sizeof(float))));
typedef double Doubles __attribute__((vector_size(Lanes * sizeof(double))));
typedef std::int32_t Ints __attribute__((vector_size(Lanes * sizeof(std::int32_t))));

// Vectors wider than a register would pass through memory between real
// calls, so the helpers are always inlined and their calling convention,
// about which GCC warns, never applies.
#pragma GCC diagnostic ignored "-Wpsabi"
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
#define SAMPLER_X86 1
#else
#define SAMPLER_X86 0
#endif
#define SAMPLER_INLINE inline __attribute__((always_inline))

SAMPLER_INLINE Doubles Widen(const Floats& v) { return __builtin_convertvector(v, Doubles); }
SAMPLER_INLINE Floats Narrow(const Doubles& v) { return __builtin_convertvector(v, Floats); }

SAMPLER_INLINE bool AnySet(const Ints& mask) {
  std::int32_t any = 0;
  for (std::size_t lane = 0; lane < Lanes; ++lane) any |= mask[lane];
  return any != 0;
}

struct ExpTables {
  double Series[16];  // the polynomial's coefficients 1/1!, 1/2!, ... as the loop reads them
  int Terms;
  const float* Zero;  // Zero[n] = exp(n) for n = -15 ... 0
};

// FastExp for arguments at most 0. Below -16 the value is 0, as FastExp has
// it; the lane is then computed on 0 so the table index stays in range.
SAMPLER_INLINE Doubles FastExpSideBySide(const Floats& x, const ExpTables& tables) {
  const Ints inTable = x > -16.0f;
  const Floats safe = inTable ? x : Floats{};
  const Ints n = __builtin_convertvector(safe, Ints);  // truncation toward zero
  const Floats f = safe - __builtin_convertvector(n, Floats);
  Floats b = Floats{} + 1.0f;
  Floats a = f;
  for (int k = 0; k < tables.Terms; ++k) {
    b = Narrow(Widen(a) * tables.Series[k] + Widen(b));
    a = f * a;
  }
  Doubles power;
  for (std::size_t lane = 0; lane < Lanes; ++lane) power[lane] = inTable[lane] ? tables.Zero[n[lane]] : 0.0;
  return Widen(b) * power;
}

bool UsableExponent(float zeta) { return std::isfinite(zeta) && zeta >= 0.0f; }

double Gap(double low, double high, double c) { return c < low ? low - c : (c > high ? c - high : 0.0); }

// The largest value of r * exp(-zeta * r) for r from distance up to radius.
double RadialBound(double zeta, double distance, double radius) {
  if (zeta * distance >= 1.0) return distance * std::exp(-zeta * distance);  // falling from here on
  if (zeta > 0.0) return 1.0 / (zeta * 2.718281828459045);                   // the peak, at r = 1 / zeta
  return radius;
}

}  // namespace

// Up to Lanes points side by side; spare lanes repeat the last point and
// their results are dropped. Low and High bound the points on each axis.
struct OrbitalSampler::Group {
  Group(const float* x, const float* y, const float* z, std::size_t lanes) : Lanes(lanes) {
    for (std::size_t lane = 0; lane < ::Lanes; ++lane) {
      const std::size_t from = lane < lanes ? lane : lanes - 1;
      X[lane] = x[from];
      Y[lane] = y[from];
      Z[lane] = z[from];
    }
    Low[0] = High[0] = X[0], Low[1] = High[1] = Y[0], Low[2] = High[2] = Z[0];
    for (std::size_t lane = 1; lane < ::Lanes; ++lane) {
      Low[0] = std::min(Low[0], X[lane]), High[0] = std::max(High[0], X[lane]);
      Low[1] = std::min(Low[1], Y[lane]), High[1] = std::max(High[1], Y[lane]);
      Low[2] = std::min(Low[2], Z[lane]), High[2] = std::max(High[2], Z[lane]);
    }
  }
  // The squared distance from the group's box to a point, in double.
  double GapSquared(float x, float y, float z) const {
    const double gapX = Gap(Low[0], High[0], x), gapY = Gap(Low[1], High[1], y), gapZ = Gap(Low[2], High[2], z);
    return gapX * gapX + gapY * gapY + gapZ * gapZ;
  }
  Floats X, Y, Z;
  float Low[3], High[3];
  std::size_t Lanes;
};

OrbitalSampler::OrbitalSampler(const Molecule& molecule, Instructions use)
    : Source(molecule), CutoffSquared(molecule.CutoffSquared), Use(use) {
  const double cutoff = CutoffSquared;
  if (std::isnan(cutoff) || cutoff <= 0.0) {
    SkipDistanceSquared = -1.0;  // no point is ever inside
  } else {
    // Float roundings of the distance change it by far less than this margin.
    SkipDistanceSquared = cutoff * (1.0 + 1e-4) + 1e-37;
  }
  CutoffRadius = std::sqrt(std::max(cutoff, 0.0)) * (1.0 + 1e-6);
  // FastExp's polynomial length is set by SeriesEnd; the side-by-side copy
  // has room for the coefficients the record holds.
  const std::ptrdiff_t terms = molecule.SeriesEnd - &molecule.ExpSeries[1];
  if (terms < 0 || terms > 10 || molecule.ExpZero != &molecule.ExpTable[15]) Usable = false;
  for (std::int16_t i = 0; i < molecule.AtomCount; ++i) {
    const int e = molecule.AtomElement[i];
    if (e < 0 || e >= MaxElements) {
      Usable = false;
      break;
    }
    const ElementTable& elements = molecule.Elements;
    AtomTerms atom;
    atom.X = molecule.AtomX[i];
    atom.Y = molecule.AtomY[i];
    atom.Z = molecule.AtomZ[i];
    atom.SingleS = elements.Shell[e] == 1;
    atom.MinusZetaS = -elements.ZetaS[e];
    atom.MinusZetaP = -elements.ZetaP[e];
    // Exponent arguments must stay at or below 0, where FastExp reads its table.
    if (!UsableExponent(elements.ZetaS[e]) || (!atom.SingleS && !UsableExponent(elements.ZetaP[e]))) Usable = false;
    atom.CoefNormS = static_cast<double>(molecule.CoefS[i]) * elements.NormS[e];
    const double normP = elements.NormP[e];
    atom.CoefNormPx = static_cast<double>(molecule.CoefPx[i]) * normP;
    atom.CoefNormPy = static_cast<double>(molecule.CoefPy[i]) * normP;
    atom.CoefNormPz = static_cast<double>(molecule.CoefPz[i]) * normP;
    atom.BoundS = std::fabs(atom.CoefNormS);
    atom.BoundP = atom.SingleS ? 0.0 : std::fabs(atom.CoefNormPx) + std::fabs(atom.CoefNormPy) + std::fabs(atom.CoefNormPz);
    Atoms.push_back(atom);
  }
}

float OrbitalSampler::Evaluate(float x, float y, float z) const {
  float value;
  Evaluate(&x, &y, &z, &value, 1);
  return value;
}

void OrbitalSampler::Evaluate(const float* x, const float* y, const float* z, float* out, std::size_t count) const {
  if (!SideBySide()) {
    for (std::size_t i = 0; i < count; ++i) out[i] = Source.Orbital(x[i], y[i], z[i]);
    return;
  }
  for (std::size_t start = 0; start < count; start += Lanes) {
    EvaluateGroup(Group(x + start, y + start, z + start, std::min(Lanes, count - start)), out + start);
  }
}

void OrbitalSampler::Above(const float* x, const float* y, const float* z, float threshold, unsigned char* above,
                           std::size_t count) const {
  const auto side = [threshold](float value) {
    const float magnitude = value > 0 ? value : -value;
    return magnitude > threshold;
  };
  if (!SideBySide()) {
    for (std::size_t i = 0; i < count; ++i) above[i] = side(Source.Orbital(x[i], y[i], z[i]));
    return;
  }
  float value[Lanes];
  for (std::size_t start = 0; start < count; start += Lanes) {
    const Group group(x + start, y + start, z + start, std::min(Lanes, count - start));
    // The bound's slack covers every rounding of the float sum and FastExp's
    // error of below 1e-5 many times over; a NaN bound is never trusted.
    if (GroupBound(group) * 1.001 + 1e-30 < threshold) {
      std::fill(above + start, above + start + group.Lanes, 0);
      continue;
    }
    EvaluateGroup(group, value);
    for (std::size_t lane = 0; lane < group.Lanes; ++lane) above[start + lane] = side(value[lane]);
  }
}

// An upper bound of |Orbital| over the group: each atom within reach adds
// its coefficients' magnitudes times the largest radial factor at any
// distance it can have from the group (|dx|, |dy| and |dz| are at most r).
double OrbitalSampler::GroupBound(const Group& group) const {
  double bound = 0.0;
  for (const AtomTerms& atom : Atoms) {
    const double gapSquared = group.GapSquared(atom.X, atom.Y, atom.Z);
    if (gapSquared > SkipDistanceSquared) continue;
    const double distance = std::sqrt(gapSquared) * (1.0 - 1e-6);
    if (atom.SingleS) {
      bound += atom.BoundS * std::exp(static_cast<double>(atom.MinusZetaS) * distance);
    } else {
      bound += atom.BoundS * RadialBound(-static_cast<double>(atom.MinusZetaS), distance, CutoffRadius) +
               atom.BoundP * RadialBound(-static_cast<double>(atom.MinusZetaP), distance, CutoffRadius);
    }
  }
  return bound;
}

OrbitalSampler::Instructions OrbitalSampler::Widest() {
#if SAMPLER_X86
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512f")) return Instructions::Avx512;
  if (__builtin_cpu_supports("avx2")) return Instructions::Avx2;
#endif
  return Instructions::Baseline;
}

void OrbitalSampler::EvaluateGroup(const Group& group, float* out) const {
  switch (Use) {
#if SAMPLER_X86
    case Instructions::Avx512:
      return EvaluateGroupAvx512(group, out);
    case Instructions::Avx2:
      return EvaluateGroupAvx2(group, out);
#endif
    default:
      return SumGroup(group, out);
  }
}

// The same arithmetic in wider registers. Neither set brings fused
// multiply-add (that is a separate set, and contraction is off anyway), and
// their conversions, products, sums and square roots round as the baseline's.
#if SAMPLER_X86
__attribute__((target("avx512f"))) void OrbitalSampler::EvaluateGroupAvx512(const Group& group, float* out) const {
  SumGroup(group, out);
}
__attribute__((target("avx2"))) void OrbitalSampler::EvaluateGroupAvx2(const Group& group, float* out) const {
  SumGroup(group, out);
}
#endif

SAMPLER_INLINE void OrbitalSampler::SumGroup(const Group& group, float* out) const {
  ExpTables tables;
  tables.Terms = static_cast<int>(Source.SeriesEnd - &Source.ExpSeries[1]);
  for (int k = 0; k < tables.Terms; ++k) tables.Series[k] = Source.ExpSeries[1 + k];
  tables.Zero = Source.ExpZero;
  const Floats px = group.X, py = group.Y, pz = group.Z;

  Floats sum = Floats{};
  for (const AtomTerms& atom : Atoms) {
    // A NaN distance is kept, and the exact test below leaves the atom out.
    if (group.GapSquared(atom.X, atom.Y, atom.Z) > SkipDistanceSquared) continue;
    const Floats dx = px - atom.X, dy = py - atom.Y, dz = pz - atom.Z;
    const Doubles wideX = Widen(dx), wideY = Widen(dy), wideZ = Widen(dz);
    const Floats r2 = Narrow(wideX * wideX + wideY * wideY + wideZ * wideZ);
    const Ints inside = r2 < CutoffSquared;
    if (!AnySet(inside)) continue;
    Floats r;
    for (std::size_t lane = 0; lane < Lanes; ++lane) r[lane] = static_cast<float>(std::sqrt(static_cast<double>(r2[lane])));
    // Lanes outside the cutoff compute on a distance of 0 and keep their sum.
    r = inside ? r : Floats{};
    if (atom.SingleS) {
      const Doubles expS = FastExpSideBySide(atom.MinusZetaS * r, tables);
      const Floats next = Narrow(Widen(sum) + expS * atom.CoefNormS);
      sum = inside ? next : sum;
      continue;
    }
    const Doubles expP = Widen(Narrow(FastExpSideBySide(atom.MinusZetaP * r, tables)));
    const Doubles expS = FastExpSideBySide(atom.MinusZetaS * r, tables);
    Floats next = Narrow(Widen(sum) + atom.CoefNormS * Widen(r) * expS);
    next = Narrow(Widen(next) + atom.CoefNormPx * wideX * expP);
    next = Narrow(Widen(next) + atom.CoefNormPy * wideY * expP);
    next = Narrow(Widen(next) + atom.CoefNormPz * wideZ * expP);
    sum = inside ? next : sum;
  }
  for (std::size_t lane = 0; lane < group.Lanes; ++lane) out[lane] = sum[lane];
}
