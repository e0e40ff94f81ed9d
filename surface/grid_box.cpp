// The grid box: the atoms' extent plus a margin of 1.5 angstrom, truncated
// toward zero to whole grid units.
#include <climits>

#include "surface/surface.h"

namespace {

bool Bound(long double value, int& into) {
  // Truncation toward zero is only defined while the value fits an int.
  if (!(value > static_cast<long double>(INT_MIN) - 1 && value < static_cast<long double>(INT_MAX) + 1)) return false;
  into = static_cast<int>(value);
  return true;
}

}  // namespace

bool ComputeGridBox(const Molecule& molecule, int scale, GridBox& box, std::string* why) {
  box = GridBox();
  if (molecule.AtomCount <= 0) return true;
  float minimum[3] = {molecule.AtomX[0], molecule.AtomY[0], molecule.AtomZ[0]};
  float maximum[3] = {minimum[0], minimum[1], minimum[2]};
  for (std::int16_t i = 0; i < molecule.AtomCount; ++i) {
    const float c[3] = {molecule.AtomX[i], molecule.AtomY[i], molecule.AtomZ[i]};
    for (int axis = 0; axis < 3; ++axis) {
      if (maximum[axis] < c[axis]) maximum[axis] = c[axis];
      if (minimum[axis] > c[axis]) minimum[axis] = c[axis];
    }
  }
  const long double margin = 1.5L * scale;
  int* lo[3] = {&box.LoX, &box.LoY, &box.LoZ};
  int* hi[3] = {&box.HiX, &box.HiY, &box.HiZ};
  for (int axis = 0; axis < 3; ++axis) {
    if (!Bound(minimum[axis] - margin, *lo[axis]) || !Bound(maximum[axis] + margin, *hi[axis])) {
      if (why) *why = "the grid box does not fit the grid: the molecule is too wide for this scale";
      box = GridBox();
      return false;
    }
  }
  long long cubes = 1;
  for (int axis = 0; axis < 3; ++axis) {
    const long long side = static_cast<long long>(*hi[axis]) - *lo[axis];
    if (side > 0) cubes *= side;
    if (cubes > INT_MAX) {
      if (why) *why = "the grid holds more than " + std::to_string(INT_MAX) + " cubes: the molecule is too wide for this scale";
      box = GridBox();
      return false;
    }
  }
  return true;
}
