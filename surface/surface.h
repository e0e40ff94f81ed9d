// Isosurface extraction: the grid box round the molecule, the crossings of
// |psi| = threshold with the cube edges, and the fan of triangles per cube.
// The field is any type with `float Orbital(float x, float y, float z) const`.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "molecule/molecule.h"
#include "scene/scene_writer.h"
#include "surface/edge_tables.h"

// Cubes walked have lower corners lo <= c < hi on every axis, in grid units.
struct GridBox {
  int LoX = 0, HiX = 0, LoY = 0, HiY = 0, LoZ = 0, HiZ = 0;
};

// False (with the reason) when a bound or the number of cubes does not fit an
// int; the box is then not usable. A molecule without atoms has an empty box.
bool ComputeGridBox(const Molecule& molecule, int scale, GridBox& box, std::string* why = nullptr);

struct CrossingPoint {
  float X, Y, Z;
};

// The crossing points of one cube, in edge order.
struct CrossingList {
  CrossingPoint Point[12];
  int Count = 0;
};

using ProgressFunction = std::function<void(int position)>;

template <class Field>
bool LiesAbove(const Field& field, float threshold, float x, float y, float z) {
  const float value = field.Orbital(x, y, z);
  const float magnitude = value > 0 ? value : -value;
  return magnitude > threshold;
}

// Once an interval is down to neighbouring floats the midpoint's rounding to
// float decides the crossing. GCC 12 at -O2 (whose C++ front end offers only
// "fast" excess precision) has been seen to carry the unrounded double from
// the last bisection step into the crossing point; the volatile store keeps
// the rounding where it is written.
inline float Midpoint(float a, float b) {
  volatile float rounded = static_cast<float>((static_cast<double>(a) + b) * 0.5);
  return rounded;
}

// Fills the crossing list of the cube with lower corner (x, y, z).
template <class Field>
int FindCrossings(const Field& field, float threshold, int level, int x, int y, int z, CrossingList& list) {
  list.Count = 0;
  for (int e = 0; e < 12; ++e) {
    float ax = static_cast<float>(x + EdgeStart[e][0]), ay = static_cast<float>(y + EdgeStart[e][1]),
          az = static_cast<float>(z + EdgeStart[e][2]);
    float bx = static_cast<float>(x + EdgeEnd[e][0]), by = static_cast<float>(y + EdgeEnd[e][1]),
          bz = static_cast<float>(z + EdgeEnd[e][2]);
    const bool aAbove = LiesAbove(field, threshold, ax, ay, az);
    const bool bAbove = LiesAbove(field, threshold, bx, by, bz);
    if (aAbove == bAbove) continue;
    for (int step = 0; step < level; ++step) {
      const float mx = Midpoint(ax, bx), my = Midpoint(ay, by), mz = Midpoint(az, bz);
      const bool mAbove = LiesAbove(field, threshold, mx, my, mz);
      // B's side is asked again at every step; A's never is.
      if (mAbove != LiesAbove(field, threshold, bx, by, bz)) {
        ax = mx, ay = my, az = mz;
      } else {
        bx = mx, by = my, bz = mz;
      }
    }
    list.Point[list.Count++] = {Midpoint(ax, bx), Midpoint(ay, by), Midpoint(az, bz)};
  }
  return list.Count;
}

// Whether Pm and Pn lie in one face plane of the cube that P0 is not in.
inline bool FormsTriangle(const CrossingPoint& p0, const CrossingPoint& pm, const CrossingPoint& pn) {
  const float c0[3] = {p0.X, p0.Y, p0.Z}, cm[3] = {pm.X, pm.Y, pm.Z}, cn[3] = {pn.X, pn.Y, pn.Z};
  for (int axis = 0; axis < 3; ++axis) {
    if (cm[axis] == cn[axis] && cm[axis] == static_cast<float>(static_cast<int>(cm[axis])) && cm[axis] != c0[axis]) {
      return true;
    }
  }
  return false;
}

// Value and forward-difference normal of the field at a vertex; the step is
// 0.01 grid units, neither divided out nor normalised.
template <class Field>
void VertexNormal(const Field& field, const CrossingPoint& p, float value, float normal[3]) {
  const auto raised = [](float c) { return static_cast<float>(static_cast<double>(c) + 0.01); };
  normal[0] = field.Orbital(raised(p.X), p.Y, p.Z) - value;
  normal[1] = field.Orbital(p.X, raised(p.Y), p.Z) - value;
  normal[2] = field.Orbital(p.X, p.Y, raised(p.Z)) - value;
}

// Writes the fan of triangles from the cube's first crossing point.
template <class Field>
void EmitTriangles(const Field& field, const CrossingList& list, MeshWriter& mesh) {
  const CrossingPoint& p0 = list.Point[0];
  for (int m = 1; m < list.Count - 1; ++m) {
    for (int n = m + 1; n < list.Count; ++n) {
      const CrossingPoint& pm = list.Point[m];
      const CrossingPoint& pn = list.Point[n];
      if (!FormsTriangle(p0, pm, pn)) continue;
      TriangleRecord record;
      const CrossingPoint* vertex[3] = {&p0, &pm, &pn};
      float value[3];
      for (int v = 0; v < 3; ++v) value[v] = field.Orbital(vertex[v]->X, vertex[v]->Y, vertex[v]->Z);
      for (int v = 0; v < 3; ++v) {
        record.Vertex[v][0] = vertex[v]->X;
        record.Vertex[v][1] = vertex[v]->Y;
        record.Vertex[v][2] = vertex[v]->Z;
        VertexNormal(field, *vertex[v], value[v], record.Normal[v]);
      }
      record.Positive = value[0] > 0;
      WriteTriangle(mesh, record);
    }
  }
}

// The literal walk: every cube on its own, slab by slab in z, then x, then y.
template <class Field>
void WalkGridOf(const Field& field, const GridBox& box, float threshold, int level, const ProgressFunction& progress,
                MeshWriter& mesh) {
  CrossingList list;
  for (int z = box.LoZ; z < box.HiZ; ++z) {
    for (int x = box.LoX; x < box.HiX; ++x) {
      for (int y = box.LoY; y < box.HiY; ++y) {
        if (FindCrossings(field, threshold, level, x, y, z, list) >= 3) EmitTriangles(field, list, mesh);
      }
    }
    if (progress) progress(static_cast<int>((static_cast<long long>(z - box.LoZ) * 100) / (box.HiZ - box.LoZ)));
  }
}

// Walks the grid box round the molecule (already in grid units); the box must
// have passed ComputeGridBox.
void WalkGrid(const Molecule& molecule, float threshold, int level, int scale, const ProgressFunction& progress,
              MeshWriter& mesh);
