// Every text of the POV-Ray scene file: header, triangle records, mesh
// closing, the ball-and-stick pieces and the trailer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

class Molecule;

// One smooth triangle: vertices and vertex normals in grid units, fan apex
// first; Positive when the orbital is above 0 at the apex.
struct TriangleRecord {
  float Vertex[3][3];
  float Normal[3][3];
  bool Positive;
};

// The mesh of the orbital. Its opening is held back until the first triangle,
// because POV-Ray refuses a mesh without triangles.
struct MeshWriter {
  explicit MeshWriter(std::ostream& stream) : Out(stream) {}
  std::ostream& Out;
  long long Triangles = 0;
};

// The colour of an element in the ball-and-stick model, as "R,G,B".
const char* ElementColour(const std::string& symbol);

// Header through the bond finish, with a colour for every element index of
// 4 or more that some atom of the molecule has.
void WriteHeader(std::ostream& out, const Molecule& molecule);
void WriteTriangle(MeshWriter& mesh, const TriangleRecord& record);
// The record's text without the mesh opening, for records formatted away from
// the stream; out needs room for MaxTriangleText characters.
constexpr std::size_t MaxTriangleText = 512;
std::size_t AppendTriangle(char* out, const TriangleRecord& record);

// "x,y,z" of three reals; out needs room for MaxTripleText characters.
constexpr std::size_t MaxTripleText = 40;
std::size_t AppendTriple(char* out, const float value[3]);
// A triple already formatted by AppendTriple.
struct TripleText {
  const char* Text;
  std::size_t Length;
};
// The record from its triples in record order (apex, apex normal, second
// vertex, its normal, third vertex, its normal), for writers that format
// each shared vertex once.
std::size_t AppendTriangle(char* out, const TripleText triple[6], bool positive);
// Writes records formatted by AppendTriangle, preceded by the mesh opening
// when they are the first ones.
void WriteTriangleText(MeshWriter& mesh, const char* text, std::size_t length, long long triangles);
void CloseMesh(MeshWriter& mesh);

void WriteStructureOpening(std::ostream& out, float atomRadius);
void WriteSphere(std::ostream& out, const float position[3], int element);
void WriteCylinder(std::ostream& out, int firstElement, int secondElement, float length, float turnZ, float turnY,
                   const float position[3]);
void WriteStructureClosing(std::ostream& out);

void WriteTrailer(std::ostream& out, int scale, bool showStructure);

// The ball-and-stick model of the molecule, in grid units.
void WriteStructure(std::ostream& out, const Molecule& molecule, int scale, float bondLength);
