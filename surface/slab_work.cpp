// Planes and slabs of the fast walk. The orbital is a pure function of the
// point, so a value computed once stands for every call of the cube-by-cube
// walk at the same point, and the text written is the same.
#include "surface/slab_work.h"

#include <cstring>

namespace {

bool SameBits(const float a[3], const float b[3]) { return std::memcmp(a, b, 3 * sizeof(float)) == 0; }

// Corners are ints held as floats, as the cube-by-cube walk holds them.
float Corner(int c) { return static_cast<float>(c); }

}  // namespace

SlabWorker::SlabWorker(const OrbitalSampler& sampler, const GridBox& box, float threshold, int level)
    : Sampler(sampler),
      Box(box),
      CountX(box.HiX - box.LoX),
      CountY(box.HiY - box.LoY),
      Stride(box.HiY - box.LoY + 1),
      Threshold(threshold),
      Level(level) {}

bool SlabWorker::Above(float value) const {
  const float magnitude = value > 0 ? value : -value;
  return magnitude > Threshold;
}

void SlabWorker::EvaluatePoints() {
  PointValue.resize(PointX.size());
  Sampler.Evaluate(PointX.data(), PointY.data(), PointZ.data(), PointValue.data(), PointX.size());
}

void SlabWorker::AddBracket(int x0, int y0, int z0, int x1, int y1, int z1, bool bAbove) {
  Bracket bracket{{Corner(x0), Corner(y0), Corner(z0)}, {Corner(x1), Corner(y1), Corner(z1)}, bAbove};
  Brackets.push_back(bracket);
}

// Bisects every bracket Level times. B's side is known without evaluating it
// again: B is either the edge's end or an earlier midpoint. Once a midpoint
// rounds onto A or B the interval can no longer change, so the remaining
// steps are skipped.
void SlabWorker::ResolveBrackets(std::vector<EdgeVertex>& vertex) {
  Open.clear();
  for (std::size_t i = 0; i < Brackets.size(); ++i) Open.push_back(i);
  for (int step = 0; step < Level && !Open.empty(); ++step) {
    PointX.clear(), PointY.clear(), PointZ.clear();
    for (std::size_t i : Open) {
      const Bracket& b = Brackets[i];
      PointX.push_back(Midpoint(b.A[0], b.B[0]));
      PointY.push_back(Midpoint(b.A[1], b.B[1]));
      PointZ.push_back(Midpoint(b.A[2], b.B[2]));
    }
    EvaluatePoints();
    std::size_t kept = 0;
    for (std::size_t k = 0; k < Open.size(); ++k) {
      Bracket& b = Brackets[Open[k]];
      const float m[3] = {PointX[k], PointY[k], PointZ[k]};
      const bool mAbove = Above(PointValue[k]);
      const bool settled = SameBits(m, b.A) || SameBits(m, b.B);
      if (mAbove != b.BAbove) {
        std::memcpy(b.A, m, sizeof m);
      } else {
        std::memcpy(b.B, m, sizeof m);
      }
      if (!settled) Open[kept++] = Open[k];
    }
    Open.resize(kept);
  }

  // Each crossing point is evaluated at itself and raised by 0.01 on each axis.
  PointX.clear(), PointY.clear(), PointZ.clear();
  const std::size_t first = vertex.size();
  for (const Bracket& b : Brackets) {
    EdgeVertex v;
    v.Point = {Midpoint(b.A[0], b.B[0]), Midpoint(b.A[1], b.B[1]), Midpoint(b.A[2], b.B[2])};
    vertex.push_back(v);
    const auto raised = [](float c) { return static_cast<float>(static_cast<double>(c) + 0.01); };
    const CrossingPoint& p = v.Point;
    PointX.insert(PointX.end(), {p.X, raised(p.X), p.X, p.X});
    PointY.insert(PointY.end(), {p.Y, p.Y, raised(p.Y), p.Y});
    PointZ.insert(PointZ.end(), {p.Z, p.Z, p.Z, raised(p.Z)});
  }
  EvaluatePoints();
  for (std::size_t k = 0; k < Brackets.size(); ++k) {
    EdgeVertex& v = vertex[first + k];
    const float* value = &PointValue[4 * k];
    v.Value = value[0];
    for (int axis = 0; axis < 3; ++axis) v.Normal[axis] = value[1 + axis] - v.Value;
    const float point[3] = {v.Point.X, v.Point.Y, v.Point.Z};
    v.PointLength = static_cast<std::uint8_t>(AppendTriple(v.PointText, point));
    v.NormalLength = static_cast<std::uint8_t>(AppendTriple(v.NormalText, v.Normal));
  }
  Brackets.clear();
}

void SlabWorker::ComputePlane(int z, GridPlane& plane) {
  const std::size_t size = static_cast<std::size_t>(CountX + 1) * Stride;
  plane.Z = z;
  plane.Above.resize(size);
  plane.AlongX.assign(size, -1);
  plane.AlongY.assign(size, -1);
  plane.Vertex.clear();

  // Only the corners' sides matter, not their values. Row by row along y, so
  // that each group of points judged together is short.
  PointY.resize(Stride);
  for (int j = 0; j < Stride; ++j) PointY[j] = Corner(Box.LoY + j);
  PointZ.assign(Stride, Corner(z));
  for (int i = 0; i <= CountX; ++i) {
    PointX.assign(Stride, Corner(Box.LoX + i));
    Sampler.Above(PointX.data(), PointY.data(), PointZ.data(), Threshold,
                  &plane.Above[static_cast<std::size_t>(i) * Stride], Stride);
  }

  std::vector<std::int32_t*> slots;
  for (int i = 0; i <= CountX; ++i) {
    for (int j = 0; j <= CountY; ++j) {
      const std::size_t here = static_cast<std::size_t>(i) * Stride + j;
      const int x = Box.LoX + i, y = Box.LoY + j;
      if (i < CountX && plane.Above[here] != plane.Above[here + Stride]) {
        AddBracket(x, y, z, x + 1, y, z, plane.Above[here + Stride]);
        slots.push_back(&plane.AlongX[here]);
      }
      if (j < CountY && plane.Above[here] != plane.Above[here + 1]) {
        AddBracket(x, y, z, x, y + 1, z, plane.Above[here + 1]);
        slots.push_back(&plane.AlongY[here]);
      }
    }
  }
  ResolveBrackets(plane.Vertex);
  for (std::size_t k = 0; k < slots.size(); ++k) *slots[k] = static_cast<std::int32_t>(k);
}

void SlabWorker::ComputeSlab(const GridPlane& lower, const GridPlane& upper, SlabText& slab) {
  const std::size_t size = static_cast<std::size_t>(CountX + 1) * Stride;
  const int z = lower.Z;
  slab.Z = z;
  slab.AlongZ.assign(size, -1);
  slab.Vertex.clear();
  slab.Text.clear();
  slab.Triangles = 0;

  std::vector<std::size_t> crossed;
  for (std::size_t here = 0; here < size; ++here) {
    if (lower.Above[here] == upper.Above[here]) continue;
    const int x = Box.LoX + static_cast<int>(here / Stride), y = Box.LoY + static_cast<int>(here % Stride);
    AddBracket(x, y, z, x, y, z + 1, upper.Above[here]);
    crossed.push_back(here);
  }
  ResolveBrackets(slab.Vertex);
  for (std::size_t k = 0; k < crossed.size(); ++k) slab.AlongZ[crossed[k]] = static_cast<std::int32_t>(k);

  for (int i = 0; i < CountX; ++i) {
    for (int j = 0; j < CountY; ++j) {
      const std::size_t c = static_cast<std::size_t>(i) * Stride + j;
      const std::size_t cx = c + Stride, cy = c + 1, cxy = c + Stride + 1;
      // The twelve edges in the order of the edge table.
      const struct {
        const std::vector<std::int32_t>& Index;
        const std::vector<EdgeVertex>& Vertex;
        std::size_t At;
      } edges[12] = {{lower.AlongX, lower.Vertex, c},  {lower.AlongY, lower.Vertex, c},
                     {slab.AlongZ, slab.Vertex, c},    {lower.AlongY, lower.Vertex, cx},
                     {slab.AlongZ, slab.Vertex, cx},   {lower.AlongX, lower.Vertex, cy},
                     {slab.AlongZ, slab.Vertex, cy},   {slab.AlongZ, slab.Vertex, cxy},
                     {upper.AlongX, upper.Vertex, c},  {upper.AlongY, upper.Vertex, c},
                     {upper.AlongY, upper.Vertex, cx}, {upper.AlongX, upper.Vertex, cy}};
      const EdgeVertex* crossing[12];
      int count = 0;
      for (const auto& edge : edges) {
        const std::int32_t index = edge.Index[edge.At];
        if (index >= 0) crossing[count++] = &edge.Vertex[index];
      }
      if (count >= 3) AppendCubeTriangles(crossing, count, slab);
    }
  }
}

// The fan from the cube's first crossing point, pair by pair as EmitTriangles
// forms it.
void SlabWorker::AppendCubeTriangles(const EdgeVertex* const* crossing, int count, SlabText& slab) {
  const EdgeVertex& apex = *crossing[0];
  char text[MaxTriangleText];
  for (int m = 1; m < count - 1; ++m) {
    for (int n = m + 1; n < count; ++n) {
      if (!FormsTriangle(apex.Point, crossing[m]->Point, crossing[n]->Point)) continue;
      const EdgeVertex* vertex[3] = {&apex, crossing[m], crossing[n]};
      TripleText triple[6];
      for (int v = 0; v < 3; ++v) {
        triple[2 * v] = {vertex[v]->PointText, vertex[v]->PointLength};
        triple[2 * v + 1] = {vertex[v]->NormalText, vertex[v]->NormalLength};
      }
      slab.Text.append(text, AppendTriangle(text, triple, apex.Value > 0));
      ++slab.Triangles;
    }
  }
}
