// Texts of the scene file, compared character for character.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <sstream>

#include "elements_from_text.h"
#include "molecule/molecule.h"
#include "scene/number_text.h"
#include "scene/scene_writer.h"

namespace {


const char* const HeaderText =
    "#declare positive = texture { pigment {color rgb <1,0,0> } }\n"
    "#declare negative = texture { pigment  {color rgb <0,0,1> } }\n"
    "#declare Atom0 = color rgb<1,1,1>;\n"
    "#declare Atom1 = color rgb<.3,.3,.3>;\n"
    "#declare Atom2 = color rgb<0,0,1>;\n"
    "#declare Atom3 = color rgb<1,0,0>;\n";

}  // namespace

TEST(NumberTextTest, GeneralNotationWithSixDigitsAndUnsignedZero) {
  const struct {
    float value;
    const char* text;
  } cases[] = {
      {0.2f, "0.2"},          {12.0f, "12"},           {-3.5f, "-3.5"},
      {0.000123f, "0.000123"}, {1e-05f, "1e-05"},      {-2.345678e-05f, "-2.34568e-05"},
      {1234567.0f, "1.23457e+06"}, {0.0f, "0"},        {-0.0f, "0"},
      {123456.0f, "123456"},  {-90.0000763f, "-90.0001"}, {std::numeric_limits<float>::max(), "3.40282e+38"},
      {1e-45f, "1.4013e-45"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(RealText(c.value), c.text);
  }
}

TEST(NumberTextTest, IgnoresTheProcessLocale) {
  const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
  if (!german) german = std::setlocale(LC_ALL, "C.UTF-8");
  EXPECT_EQ(RealText(-3.5f), "-3.5");
  std::setlocale(LC_ALL, "C");
}

TEST(SceneWriterTest, EmptyMeshBecomesAnEmptyUnion) {
  std::ostringstream out;
  MeshWriter mesh(out);
  CloseMesh(mesh);
  EXPECT_EQ(out.str(), "#declare mo = union {}\n");
}

TEST(SceneWriterTest, FirstTriangleOpensTheMeshOnItsLine) {
  std::ostringstream out;
  MeshWriter mesh(out);
  const TriangleRecord record{{{0.5f, -1, 2}, {0, 1, 0.25f}, {3, 4, 5}}, {{-0.0f, -1e-05f, 1}, {1, 2, 3}, {4, 5, 6}}, true};
  WriteTriangle(mesh, record);
  TriangleRecord second = record;
  second.Positive = false;
  WriteTriangle(mesh, second);
  CloseMesh(mesh);
  const std::string line = "smooth_triangle{ <0.5,-1,2>,<0,-1e-05,1>,<0,1,0.25>,<1,2,3>,<3,4,5>,<4,5,6>\n";
  EXPECT_EQ(out.str(), "#declare mo = mesh{" + line + "texture { positive } }\n" + line +
                           "texture { negative } }\n}\n");
}

TEST(SceneWriterTest, HeaderDeclaresAColourForEveryElementIndexInUse) {
  const ElementTable elements = ElementsFromText(
      "10 H 1 1 C 1 1 2 N 1 1 2 O 1 1 2 F 1 1 2 Si 1 1 2 P 1 1 2 S 1 1 2 Cl 1 1 2 Xx 1 1 2");
  Molecule molecule(elements);
  molecule.AtomCount = 4;
  molecule.AtomElement = {9, 1, 7, 7};
  std::ostringstream out;
  WriteHeader(out, molecule);
  EXPECT_EQ(out.str(), std::string(HeaderText) +
                           "#declare Atom7 = color rgb<1,1,.19>;\n"
                           "#declare Atom9 = color rgb<1,.08,.58>;\n"
                           "#declare BondFinish = finish {}\n");
  molecule.AtomElement = {0, 1, 2, 3};
  std::ostringstream plain;
  WriteHeader(plain, molecule);
  EXPECT_EQ(plain.str(), std::string(HeaderText) + "#declare BondFinish = finish {}\n");
}

TEST(SceneWriterTest, TrailerPlacesObjectsTenAngstromAhead) {
  std::ostringstream with, without;
  WriteTrailer(with, 4, true);
  WriteTrailer(without, 4, false);
  const std::string common =
      "camera { location <0,0,0>\n"
      "look_at <0,0,10> }\n"
      "light_source { <0,0,0> color rgb<0.5,0.5,0.5> }\n"
      "light_source { <20,10,-10> color rgb 1 }\n"
      "object { mo translate <0,0,40> }\n";
  EXPECT_EQ(with.str(), common + "object { Mol translate <0,0,40> }\n");
  EXPECT_EQ(without.str(), common);
}

class StructureModelTest : public testing::Test {
 protected:
  StructureModelTest() : molecule(ElementsFromText("4 H 1 1 C 1 1 2 N 1 1 2 O 1 1 2")) {}

  // Atoms in angstrom, written at the given scale.
  std::string Write(const std::vector<std::array<float, 3>>& atoms, int scale, float bondLength) {
    molecule.AtomCount = static_cast<std::int16_t>(atoms.size());
    for (std::size_t i = 0; i < atoms.size(); ++i) {
      molecule.AtomX[i] = atoms[i][0];
      molecule.AtomY[i] = atoms[i][1];
      molecule.AtomZ[i] = atoms[i][2];
      molecule.AtomElement[i] = static_cast<std::int16_t>(i % 4);
    }
    molecule.ApplyScale(static_cast<float>(scale));
    std::ostringstream out;
    WriteStructure(out, molecule, scale, bondLength);
    return out.str();
  }

  static std::string Cylinder(int first, int second, const char* length, const char* z, const char* y,
                              const char* at) {
    return std::string("cylinder{ <0,0,0>,<0,1,0>,AtomRadius\npigment { gradient y\n  color_map { [0.5 color Atom") +
           std::to_string(first) + "]\n    [0.5 color Atom" + std::to_string(second) +
           "] }\n  }\n finish { BondFinish }\n  scale <1," + length + ",1>\n  rotate z*" + z + "\n  rotate y*" + y +
           "\n  translate <" + at + ">\n}\n";
  }

  Molecule molecule;
};

TEST_F(StructureModelTest, BondAlongXWithItsAnglesAndSpheres) {
  const std::string text = Write({{0, 0, 0}, {1.4f, 0, 0}}, 4, 1.5f);
  EXPECT_EQ(text,
            "#declare AtomRadius=0.2;\n"
            "#declare Mol = union {sphere { <0,0,0>, AtomRadius pigment { color Atom0}\nfinish{BondFinish} }\n"
            "sphere { <5.6,0,0>, AtomRadius pigment { color Atom1}\nfinish{BondFinish} }\n" +
                Cylinder(0, 1, "5.6", "-90.0001", "0", "0,0,0") + "}\n");
}

TEST_F(StructureModelTest, BondTestIsStrictAndAnglesFollowTheDirection) {
  EXPECT_EQ(Write({{0, 0, 0}, {1.5f, 0, 0}}, 4, 1.5f).find("cylinder"), std::string::npos);
  EXPECT_NE(Write({{1.4f, 0, 0}, {0, 0, 0}}, 4, 1.5f).find(Cylinder(0, 1, "5.6", "-90.0001", "-180", "5.6,0,0")),
            std::string::npos);
  const struct {
    std::array<float, 3> second;
    const char* z;
    const char* y;
  } cases[] = {
      {{0, 0, 1}, "-90.0001", "-90"},  // dx = 0, dz > 0
      {{0, 0, -1}, "-90.0001", "90"},  // dx = 0, dz < 0
      {{0, 1, 0}, "0", "0"},           // straight up: both angles zero
      {{0, -1, 0}, "-180", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.z) + " " + c.y);
    EXPECT_NE(Write({{0, 0, 0}, c.second}, 1, 1.6f).find(Cylinder(0, 1, "1", c.z, c.y, "0,0,0")), std::string::npos);
  }
}

TEST_F(StructureModelTest, CoincidentAtomsGetSpheresButNoCylinder) {
  const std::string text = Write({{1, 1, 1}, {1, 1, 1}}, 4, 1.6f);
  EXPECT_EQ(text.find("cylinder"), std::string::npos);
  EXPECT_NE(text.find("color Atom1}"), std::string::npos);
}

TEST_F(StructureModelTest, NoAtomsGiveAnEmptyUnionOnOneLine) {
  EXPECT_EQ(Write({}, 4, 1.6f), "#declare AtomRadius=0.2;\n#declare Mol = union {}\n");
}
