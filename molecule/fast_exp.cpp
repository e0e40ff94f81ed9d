// The exponential of the radial factors: a table of exp(-15..0) for the integer
// part and a degree-8 Taylor polynomial for the fraction.
#include <cmath>
#include <cstdint>

#include "molecule/molecule.h"

double Molecule::FastExp(float x) const {
  // Outside the table the true value is either negligible (below exp(-16),
  // about 1.1e-7) or only reachable through a negative exponent in the file.
  // A NaN (an infinite exponent at r = 0) has no table entry either and is
  // taken as negligible.
  if (!(x > -16.0f)) return 0.0;
  if (x >= 1.0f) return std::exp(static_cast<double>(x));
  const std::int16_t n = static_cast<std::int16_t>(x);  // truncation toward zero
  const float f = x - static_cast<float>(n);
  float b = 1.0f;
  float a = f;
  // Ascending powers, every partial sum rounded to float: not Horner's scheme.
  for (const float* q = &ExpSeries[1]; q != SeriesEnd; ++q) {
    b = static_cast<float>(static_cast<double>(a) * *q + b);
    a = f * a;
  }
  return static_cast<double>(b) * ExpZero[n];
}
