// Crossings on cube edges and the fan of triangles, driven through a stand-in
// field whose corners lie above or below the threshold as each case asks.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <sstream>

#include "surface/surface.h"

namespace {

// Trilinear blend of 1 (above) and 0 (below) over the unit cube; threshold 0.5.
struct CornerField {
  std::set<int> Above;  // corner index dx + 2 dy + 4 dz
  float Orbital(float x, float y, float z) const {
    double value = 0;
    for (int corner : Above) {
      const double wx = corner & 1 ? x : 1 - x, wy = corner & 2 ? y : 1 - y, wz = corner & 4 ? z : 1 - z;
      value += wx * wy * wz;
    }
    return static_cast<float>(value);
  }
};

int Corner(int dx, int dy, int dz) { return dx + 2 * dy + 4 * dz; }

// The edge a crossing point lies on.
int EdgeOf(const CrossingPoint& p) {
  const float c[3] = {p.X, p.Y, p.Z};
  for (int e = 0; e < 12; ++e) {
    bool on = true;
    for (int axis = 0; axis < 3; ++axis) {
      const bool along = EdgeStart[e][axis] != EdgeEnd[e][axis];
      on = on && (along ? c[axis] > 0 && c[axis] < 1 : c[axis] == EdgeStart[e][axis]);
    }
    if (on) return e;
  }
  return -1;
}

// Triangles of the written mesh as edge triples, in file order.
std::vector<std::vector<int>> TrianglesOf(const std::string& text) {
  std::vector<std::vector<int>> triangles;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const auto start = line.find("smooth_triangle{ <");
    if (start == std::string::npos) continue;
    std::string numbers = line.substr(start + 18);
    for (char& c : numbers) {
      if (c == '<' || c == '>' || c == ',') c = ' ';
    }
    std::istringstream values(numbers);
    float v[18];
    for (float& value : v) values >> value;
    triangles.push_back({EdgeOf({v[0], v[1], v[2]}), EdgeOf({v[6], v[7], v[8]}), EdgeOf({v[12], v[13], v[14]})});
  }
  return triangles;
}

}  // namespace

TEST(TrianglesTest, FansFromTheFirstCrossingPointInPairOrder) {
  struct Case {
    const char* name;
    std::set<int> above;
    std::vector<std::vector<int>> triangles;
  };
  const Case cases[] = {
      {"one corner", {Corner(0, 0, 0)}, {{0, 1, 2}}},
      {"two corners along x", {Corner(0, 0, 0), Corner(1, 0, 0)}, {{1, 2, 4}, {1, 3, 4}}},
      {"the lower face",
       {Corner(0, 0, 0), Corner(1, 0, 0), Corner(0, 1, 0), Corner(1, 1, 0)},
       {{2, 4, 7}, {2, 6, 7}}},
      {"opposite corners",
       {Corner(0, 0, 0), Corner(1, 1, 1)},
       {{0, 1, 2}, {0, 7, 10}, {0, 7, 11}, {0, 10, 11}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CornerField field{c.above};
    CrossingList list;
    FindCrossings(field, 0.5f, 3, 0, 0, 0, list);
    std::ostringstream out;
    MeshWriter mesh(out);
    EmitTriangles(field, list, mesh);
    EXPECT_EQ(TrianglesOf(out.str()), c.triangles);
  }
}

TEST(TrianglesTest, AlternatingCornersCrossEveryEdgeAndGiveTwentyFourTriangles) {
  CornerField field{{Corner(0, 0, 0), Corner(1, 1, 0), Corner(1, 0, 1), Corner(0, 1, 1)}};
  CrossingList list;
  ASSERT_EQ(FindCrossings(field, 0.5f, 3, 0, 0, 0, list), 12);
  std::ostringstream out;
  MeshWriter mesh(out);
  EmitTriangles(field, list, mesh);
  const auto triangles = TrianglesOf(out.str());
  EXPECT_EQ(triangles.size(), 24u);
  for (const auto& triangle : triangles) EXPECT_EQ(triangle[0], 0);
}

TEST(CrossingsTest, BisectionLandsOnOddMultiplesOfTheLastInterval) {
  CornerField field{{Corner(0, 0, 0)}};
  for (int level : {0, 1, 3, 8}) {
    SCOPED_TRACE(level);
    CrossingList list;
    ASSERT_EQ(FindCrossings(field, 0.5f, level, 0, 0, 0, list), 3);
    const float scaled = list.Point[0].X * std::ldexp(1.0f, level + 1);
    EXPECT_EQ(scaled, std::floor(scaled));
    EXPECT_EQ(static_cast<int>(scaled) % 2, 1);
    EXPECT_EQ(list.Point[0].Y, 0.0f);
  }
  CrossingList list;
  FindCrossings(field, 0.5f, 1, 0, 0, 0, list);
  EXPECT_EQ(list.Point[0].X, 0.25f);  // the value 0.5 at the midpoint is not above
}

TEST(CrossingsTest, AValueEqualToTheThresholdIsNotAbove) {
  struct Flat {
    float Value;
    float Orbital(float, float, float) const { return Value; }
  };
  for (float value : {0.5f, -0.5f}) {
    EXPECT_FALSE(LiesAbove(Flat{value}, 0.5f, 0, 0, 0));
    EXPECT_TRUE(LiesAbove(Flat{value * 1.0001f}, 0.5f, 0, 0, 0));
  }
  EXPECT_TRUE(LiesAbove(Flat{0.0f}, -0.1f, 0, 0, 0));  // a negative threshold puts every point above
}

TEST(TrianglesTest, TheSignAtTheApexChoosesTheTexture) {
  struct Signed {
    float Apex;
    float Orbital(float x, float y, float z) const { return x == 0.25f && y == 0 && z == 0 ? Apex : 1.0f; }
  };
  CrossingList list;
  list.Count = 3;
  list.Point[0] = {0.25f, 0, 0};
  list.Point[1] = {0, 0.25f, 0};
  list.Point[2] = {0, 0, 0.25f};
  const struct {
    float apex;
    const char* texture;
  } cases[] = {{0.0f, "negative"}, {-0.0f, "negative"}, {1e-45f, "positive"}, {-1.0f, "negative"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.apex);
    std::ostringstream out;
    MeshWriter mesh(out);
    EmitTriangles(Signed{c.apex}, list, mesh);
    EXPECT_NE(out.str().find(std::string("texture { ") + c.texture + " } }\n"), std::string::npos) << out.str();
  }
}

TEST(GridBoxTest, BoundsTruncateTowardZero) {
  Molecule molecule{ElementTable()};
  molecule.AtomCount = 2;
  molecule.AtomX = {-2.3f, 2.3f};
  molecule.AtomY = {0.0f, 0.0f};
  molecule.AtomZ = {9.0f, 9.0f};
  GridBox box;
  ASSERT_TRUE(ComputeGridBox(molecule, 4, box));
  EXPECT_EQ(box.LoX, -8);
  EXPECT_EQ(box.HiX, 8);
  EXPECT_EQ(box.LoY, -6);
  EXPECT_EQ(box.HiY, 6);
  EXPECT_EQ(box.LoZ, 3);
  EXPECT_EQ(box.HiZ, 15);
}

TEST(GridBoxTest, RefusesBoxesThatDoNotFitAnInt) {
  Molecule molecule{ElementTable()};
  molecule.AtomCount = 2;
  molecule.AtomX = {0.0f, 1000.0f * 100};
  std::string why;
  GridBox box;
  EXPECT_FALSE(ComputeGridBox(molecule, 100, box, &why));
  EXPECT_NE(why.find("too wide"), std::string::npos);
  molecule.AtomX = {-3e9f, 3e9f};
  EXPECT_FALSE(ComputeGridBox(molecule, 1, box, &why));
}
