// The fast grid walk: the same triangle records in the same order as
// WalkGridOf over the molecule, with every orbital value computed once and
// the slabs shared out among threads.
#pragma once

#include "molecule/molecule.h"
#include "scene/scene_writer.h"
#include "surface/surface.h"

// One thread per hardware thread.
constexpr int AllThreads = 0;

// Writes the mesh's triangle records slab by slab in z order and reports the
// progress after each slab on the calling thread, as WalkGridOf does. threads
// is the number of threads that compute; 1 computes on the calling thread.
// Memory grows with a few planes of the box, not with its volume or the surface.
void WalkGridFast(const Molecule& molecule, const GridBox& box, float threshold, int level, int threads,
                  const ProgressFunction& progress, MeshWriter& mesh);
