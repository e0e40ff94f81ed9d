// The two kinds of work of the fast walk: a grid plane (its corner values and
// the crossings on its edges along x and y) and a slab between two planes
// (the crossings on its edges along z and the text of its triangles). Each
// crossed edge is bisected once and its crossing point gets its value and
// normal once; the cubes that share the edge share them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/scene_writer.h"
#include "surface/orbital_sampler.h"
#include "surface/surface.h"

// A crossing point with its vertex value and vertex normal, and both
// triples as scene text: a vertex is written in up to a dozen records.
struct EdgeVertex {
  CrossingPoint Point;
  float Value;
  float Normal[3];
  char PointText[MaxTripleText], NormalText[MaxTripleText];
  std::uint8_t PointLength, NormalLength;
};

// Everything of the grid plane at height Z that the slabs on either side use:
// the side of each corner and the crossings on the plane's edges.
// Grid point (x, y) sits at index (x - LoX) * (ny + 1) + (y - LoY); an edge is
// filed under its lower corner, with -1 where the surface does not cross it.
struct GridPlane {
  int Z = 0;
  std::vector<unsigned char> Above;
  std::vector<std::int32_t> AlongX, AlongY;
  std::vector<EdgeVertex> Vertex;
};

// The result of the slab between planes Z and Z + 1: its triangle records as
// scene text, in the walk's order.
struct SlabText {
  int Z = 0;
  std::vector<std::int32_t> AlongZ;
  std::vector<EdgeVertex> Vertex;
  std::string Text;
  long long Triangles = 0;
};

class SlabWorker {
 public:
  SlabWorker(const OrbitalSampler& sampler, const GridBox& box, float threshold, int level);

  void ComputePlane(int z, GridPlane& plane);
  void ComputeSlab(const GridPlane& lower, const GridPlane& upper, SlabText& slab);

 private:
  // A crossed edge during bisection: the interval A..B that holds the
  // crossing, and which side B lies on.
  struct Bracket {
    float A[3], B[3];
    bool BAbove;
  };

  bool Above(float value) const;
  void AddBracket(int x0, int y0, int z0, int x1, int y1, int z1, bool bAbove);
  void ResolveBrackets(std::vector<EdgeVertex>& vertex);
  void EvaluatePoints();
  void AppendCubeTriangles(const EdgeVertex* const* crossing, int count, SlabText& slab);

  const OrbitalSampler& Sampler;
  GridBox Box;
  int CountX, CountY, Stride;
  float Threshold;
  int Level;
  std::vector<Bracket> Brackets;
  std::vector<std::size_t> Open;
  // Points to evaluate and their values, reused from one batch to the next.
  std::vector<float> PointX, PointY, PointZ, PointValue;
};
