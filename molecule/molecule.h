// The Molecule record: element parameters, atoms, the chosen orbital's
// coefficients, the length unit in force and the tables of the fast exponential.
#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>

#include "molecule/constants.h"

// Raised by the element parameter reader. Code 2 means the file could not be
// opened; Code 0 means it opened but its contents are unusable.
struct ParameterFileError : std::runtime_error {
  ParameterFileError(int code, const std::string& message)
      : std::runtime_error(message), Code(code) {}
  int Code;
};

// Basis parameters of up to MaxElements elements, entry e of every array
// describing the same element. Exponents are per current length unit.
struct ElementTable {
  ElementTable() = default;
  explicit ElementTable(const std::string& fileName);

  std::int16_t Count = 0;
  char Symbol[MaxElements][3] = {};
  float ZetaS[MaxElements] = {};
  float ZetaP[MaxElements] = {};
  float NormS[MaxElements] = {};
  float NormP[MaxElements] = {};
  std::int16_t Shell[MaxElements] = {};
};

// Reads the element parameter file into the table; exponents arrive per bohr
// and are stored per angstrom. Throws ParameterFileError.
void ReadParameters(ElementTable& table, const std::string& fileName);
void ReadParameters(ElementTable& table, std::istream& in, const std::string& fileName);

class Molecule {
 public:
  // Reads the element parameter file (throws ParameterFileError) and builds
  // the exponential tables.
  explicit Molecule(const std::string& parameterFileName);
  // For callers that already hold the element table (tests, fuzzing).
  explicit Molecule(const ElementTable& elements);
  Molecule(const Molecule&) = delete;
  Molecule& operator=(const Molecule&) = delete;

  // Fills atoms and coefficients of orbital moNumber from a MOPAC output, in
  // the classic layout (orbitals counted from 1 in blocks of six) or today's
  // (orbitals numbered as printed). On false, why (when given) says what was
  // wrong.
  bool ReadMopac(const std::string& path, std::int16_t moNumber, std::string* why = nullptr);
  bool ReadMopac(std::istream& in, std::int16_t moNumber, std::string* why = nullptr);

  // Converts from angstrom to grid units; call once, after ReadMopac.
  void ApplyScale(float scale);
  // Cutoff radius in angstrom, converted with the Scale in force.
  void SetCutoff(float radius);
  void AtomPosition(std::int16_t i, float& x, float& y, float& z) const;

  double FastExp(float x) const;
  // The orbital at a point in grid units.
  float Orbital(float x, float y, float z) const;

  float ExpTable[16];
  float ExpSeries[11];
  const float* SeriesEnd;
  const float* ExpZero;
  float Scale = 1.0f;
  float CutoffSquared = 12.0f;
  std::array<float, MaxAtoms> CoefS{};
  std::array<float, MaxAtoms> CoefPx{};
  std::array<float, MaxAtoms> CoefPy{};
  std::array<float, MaxAtoms> CoefPz{};
  ElementTable Elements;
  std::array<float, MaxAtoms> AtomX{};
  std::array<float, MaxAtoms> AtomY{};
  std::array<float, MaxAtoms> AtomZ{};
  std::array<std::int16_t, MaxAtoms> AtomElement{};
  std::int16_t AtomCount = 0;

 private:
  void BuildExpTables();
  bool ReadClassicMopac(std::istream& in, std::int16_t moNumber, std::string* why);
};
