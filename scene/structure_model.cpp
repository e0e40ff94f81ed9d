// The ball-and-stick model: a sphere per atom and a two-coloured cylinder per
// pair of atoms closer than the bond length, turned onto the bond.
#include <cmath>

#include "molecule/molecule.h"
#include "scene/scene_writer.h"

namespace {

// Degrees per radian with the program's own pi, formed at double precision.
double Degrees(double radians) { return radians * 360 / (2 * static_cast<double>(Pi)); }

}  // namespace

void WriteStructure(std::ostream& out, const Molecule& molecule, int scale, float bondLength) {
  const float atomRadius = static_cast<float>(scale * 0.05L);
  WriteStructureOpening(out, atomRadius);
  for (std::int16_t i = 0; i < molecule.AtomCount; ++i) {
    float position[3];
    molecule.AtomPosition(i, position[0], position[1], position[2]);
    WriteSphere(out, position, molecule.AtomElement[i]);
  }
  for (std::int16_t a = 0; a + 1 < molecule.AtomCount; ++a) {
    float pa[3];
    molecule.AtomPosition(a, pa[0], pa[1], pa[2]);
    for (std::int16_t b = static_cast<std::int16_t>(a + 1); b < molecule.AtomCount; ++b) {
      float pb[3];
      molecule.AtomPosition(b, pb[0], pb[1], pb[2]);
      const float dx = pb[0] - pa[0], dy = pb[1] - pa[1], dz = pb[2] - pa[2];
      const float d = static_cast<float>(
          std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy + static_cast<double>(dz) * dz));
      // Equal to the bond length is not a bond; two atoms at one point have no direction to draw.
      if (!(static_cast<double>(d) / scale < bondLength) || d == 0.0f) continue;
      float azimuth;
      if (dx == 0.0f) {
        azimuth = dz > 0 ? 90.0f : (dz < 0 ? -90.0f : 0.0f);
      } else {
        azimuth = static_cast<float>(Degrees(std::atan(static_cast<double>(dz) / dx)));
        if (dx < 0) azimuth = static_cast<float>(static_cast<double>(azimuth) + 180);
      }
      const float polar = static_cast<float>(Degrees(std::acos(static_cast<double>(dy) / d)));
      WriteCylinder(out, molecule.AtomElement[a], molecule.AtomElement[b], d, -polar, -azimuth, pa);
    }
  }
  WriteStructureClosing(out);
}
