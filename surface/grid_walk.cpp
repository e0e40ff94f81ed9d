// The grid walk over the molecule's own orbital.
#include "surface/surface.h"

void WalkGrid(const Molecule& molecule, float threshold, int level, int scale, const ProgressFunction& progress,
              MeshWriter& mesh) {
  GridBox box;
  if (!ComputeGridBox(molecule, scale, box)) return;
  WalkGridOf(molecule, box, threshold, level, progress, mesh);
}
