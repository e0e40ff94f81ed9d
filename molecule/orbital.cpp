// The value of the chosen molecular orbital at a point in grid units.
#include <cmath>

#include "molecule/molecule.h"

float Molecule::Orbital(float x, float y, float z) const {
  float sum = 0.0f;
  for (std::int16_t i = 0; i < AtomCount; ++i) {
    const float dx = x - AtomX[i];
    const float dy = y - AtomY[i];
    const float dz = z - AtomZ[i];
    const float r2 = static_cast<float>(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy +
                                        static_cast<double>(dz) * dz);
    // A hard cutoff: an atom exactly at the radius is left out.
    if (!(r2 < CutoffSquared)) continue;
    const float r = static_cast<float>(std::sqrt(static_cast<double>(r2)));
    const int e = AtomElement[i];
    if (Elements.Shell[e] == 1) {
      const double expS = FastExp(-Elements.ZetaS[e] * r);
      sum = static_cast<float>(sum + expS * (static_cast<double>(CoefS[i]) * Elements.NormS[e]));
      continue;
    }
    // The p factor is rounded to float, the s factor is used at full precision.
    const float expP = static_cast<float>(FastExp(-Elements.ZetaP[e] * r));
    const double expS = FastExp(-Elements.ZetaS[e] * r);
    const double normP = Elements.NormP[e];
    sum = static_cast<float>(sum + static_cast<double>(CoefS[i]) * Elements.NormS[e] * r * expS);
    sum = static_cast<float>(sum + static_cast<double>(CoefPx[i]) * normP * dx * expP);
    sum = static_cast<float>(sum + static_cast<double>(CoefPy[i]) * normP * dy * expP);
    sum = static_cast<float>(sum + static_cast<double>(CoefPz[i]) * normP * dz * expP);
  }
  return sum;
}
