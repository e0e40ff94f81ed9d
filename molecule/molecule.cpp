// Construction of the Molecule record and its changes of length unit.
#include "molecule/molecule.h"

#include <cmath>

Molecule::Molecule(const std::string& parameterFileName) : Elements(parameterFileName) {
  BuildExpTables();
}

Molecule::Molecule(const ElementTable& elements) : Elements(elements) { BuildExpTables(); }

void Molecule::BuildExpTables() {
  SeriesEnd = &ExpSeries[9];
  ExpZero = &ExpTable[15];
  ExpSeries[0] = 0.0f;  // never read
  ExpSeries[1] = 1.0f;
  for (int k = -15; k <= 0; ++k) ExpTable[k + 15] = static_cast<float>(std::exp(static_cast<double>(k)));
  for (int k = 2; k <= 10; ++k) ExpSeries[k] = ExpSeries[k - 1] / static_cast<float>(k);
}

void Molecule::ApplyScale(float scale) {
  Scale = scale;
  for (std::int16_t i = 0; i < AtomCount; ++i) {
    AtomX[i] = Scale * AtomX[i];
    AtomY[i] = Scale * AtomY[i];
    AtomZ[i] = Scale * AtomZ[i];
  }
  // One rounding at the end: the squared scale is not rounded on its own.
  CutoffSquared = static_cast<float>(static_cast<double>(Scale) * Scale * CutoffSquared);
  for (std::int16_t e = 0; e < Elements.Count; ++e) {
    Elements.ZetaS[e] = Elements.ZetaS[e] / Scale;
    Elements.ZetaP[e] = Elements.ZetaP[e] / Scale;
    // Only the 2s and 2p functions carry a length factor that absorbs the unit.
    if (Elements.Shell[e] == 2) {
      Elements.NormS[e] = Elements.NormS[e] / Scale;
      Elements.NormP[e] = Elements.NormP[e] / Scale;
    }
  }
}

void Molecule::SetCutoff(float radius) {
  const float t = radius * Scale;
  CutoffSquared = t * t;
}

void Molecule::AtomPosition(std::int16_t i, float& x, float& y, float& z) const {
  x = AtomX[i];
  y = AtomY[i];
  z = AtomZ[i];
}
