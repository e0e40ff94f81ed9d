// Texts of the scene file, character for character.
#include "scene/scene_writer.h"

#include <algorithm>

#include "molecule/molecule.h"
#include "scene/number_text.h"

namespace {

struct ElementColourRow {
  const char* Symbol;
  const char* Colour;
};

// Symbol and "R,G,B" of the elements a semi-empirical run meets most.
constexpr ElementColourRow ElementColours[] = {
    {"F", ".56,.88,.31"}, {"Cl", ".12,.94,.12"}, {"Br", ".65,.16,.16"}, {"I", ".58,0,.58"},
    {"S", "1,1,.19"},     {"P", "1,.5,0"},       {"Si", ".94,.78,.63"}, {"B", "1,.71,.71"},
    {"H", "1,1,1"},       {"C", ".3,.3,.3"},     {"N", "0,0,1"},        {"O", "1,0,0"},
};

void WriteTriple(std::ostream& out, const float value[3]) {
  char text[100];
  out.write(text, static_cast<std::streamsize>(AppendTriple(text, value)));
}

}  // namespace

std::size_t AppendTriple(char* out, const float value[3]) {
  std::size_t length = AppendReal(out, value[0]);
  out[length++] = ',';
  length += AppendReal(out + length, value[1]);
  out[length++] = ',';
  return length + AppendReal(out + length, value[2]);
}

const char* ElementColour(const std::string& symbol) {
  for (const auto& row : ElementColours) {
    if (symbol == row.Symbol) return row.Colour;
  }
  return "1,.08,.58";
}

void WriteHeader(std::ostream& out, const Molecule& molecule) {
  out << "#declare positive = texture { pigment {color rgb <1,0,0> } }\n"
         "#declare negative = texture { pigment  {color rgb <0,0,1> } }\n"
         "#declare Atom0 = color rgb<1,1,1>;\n"
         "#declare Atom1 = color rgb<.3,.3,.3>;\n"
         "#declare Atom2 = color rgb<0,0,1>;\n"
         "#declare Atom3 = color rgb<1,0,0>;\n";
  bool used[MaxElements] = {};
  for (std::int16_t i = 0; i < molecule.AtomCount; ++i) {
    const int element = molecule.AtomElement[i];
    if (element >= 0 && element < MaxElements) used[element] = true;
  }
  for (int element = 4; element < MaxElements; ++element) {
    if (!used[element]) continue;
    out << "#declare Atom" << element << " = color rgb<" << ElementColour(molecule.Elements.Symbol[element])
        << ">;\n";
  }
  out << "#declare BondFinish = finish {}\n";
}

namespace {

constexpr char MeshOpening[] = "#declare mo = mesh{";

}  // namespace

std::size_t AppendTriangle(char* out, const TripleText triple[6], bool positive) {
  static const char Start[] = "smooth_triangle{ <";
  static const char Between[] = ">,<";
  std::size_t length = 0;
  const auto append = [&](const char* piece, std::size_t size) {
    std::copy(piece, piece + size, out + length);
    length += size;
  };
  append(Start, sizeof Start - 1);
  for (int k = 0; k < 6; ++k) {
    if (k > 0) append(Between, 3);
    append(triple[k].Text, triple[k].Length);
  }
  static const char Positive[] = ">\ntexture { positive } }\n";
  static const char Negative[] = ">\ntexture { negative } }\n";
  if (positive) {
    append(Positive, sizeof Positive - 1);
  } else {
    append(Negative, sizeof Negative - 1);
  }
  return length;
}

std::size_t AppendTriangle(char* out, const TriangleRecord& record) {
  char text[6][MaxTripleText];
  TripleText triple[6];
  for (int v = 0; v < 3; ++v) {
    triple[2 * v] = {text[2 * v], AppendTriple(text[2 * v], record.Vertex[v])};
    triple[2 * v + 1] = {text[2 * v + 1], AppendTriple(text[2 * v + 1], record.Normal[v])};
  }
  return AppendTriangle(out, triple, record.Positive);
}

void WriteTriangleText(MeshWriter& mesh, const char* text, std::size_t length, long long triangles) {
  if (triangles <= 0) return;
  if (mesh.Triangles == 0) mesh.Out.write(MeshOpening, sizeof MeshOpening - 1);
  mesh.Out.write(text, static_cast<std::streamsize>(length));
  mesh.Triangles += triangles;
}

void WriteTriangle(MeshWriter& mesh, const TriangleRecord& record) {
  char text[MaxTriangleText];
  WriteTriangleText(mesh, text, AppendTriangle(text, record), 1);
}

void CloseMesh(MeshWriter& mesh) {
  if (mesh.Triangles == 0) {
    mesh.Out << "#declare mo = union {}\n";
  } else {
    mesh.Out << "}\n";
  }
}

void WriteStructureOpening(std::ostream& out, float atomRadius) {
  out << "#declare AtomRadius=" << RealText(atomRadius) << ";\n#declare Mol = union {";
}

void WriteSphere(std::ostream& out, const float position[3], int element) {
  out << "sphere { <";
  WriteTriple(out, position);
  out << ">, AtomRadius pigment { color Atom" << element << "}\nfinish{BondFinish} }\n";
}

void WriteCylinder(std::ostream& out, int firstElement, int secondElement, float length, float turnZ, float turnY,
                   const float position[3]) {
  out << "cylinder{ <0,0,0>,<0,1,0>,AtomRadius\n"
         "pigment { gradient y\n"
         "  color_map { [0.5 color Atom"
      << firstElement << "]\n    [0.5 color Atom" << secondElement
      << "] }\n"
         "  }\n"
         " finish { BondFinish }\n"
         "  scale <1,"
      << RealText(length) << ",1>\n  rotate z*" << RealText(turnZ) << "\n  rotate y*" << RealText(turnY)
      << "\n  translate <";
  WriteTriple(out, position);
  out << ">\n}\n";
}

void WriteStructureClosing(std::ostream& out) { out << "}\n"; }

void WriteTrailer(std::ostream& out, int scale, bool showStructure) {
  const long long placement = 10LL * scale;
  out << "camera { location <0,0,0>\n"
         "look_at <0,0,10> }\n"
         "light_source { <0,0,0> color rgb<0.5,0.5,0.5> }\n"
         "light_source { <20,10,-10> color rgb 1 }\n"
         "object { mo translate <0,0,"
      << placement << "> }\n";
  if (showStructure) out << "object { Mol translate <0,0," << placement << "> }\n";
}
