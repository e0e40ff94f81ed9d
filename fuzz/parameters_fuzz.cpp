// The element parameter reader on any bytes: it either throws its own error or
// gives a table whose every element can be evaluated as an orbital.
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>

#include "check.h"
#include "molecule/molecule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  ElementTable table;
  try {
    ReadParameters(table, in, "fuzz.txt");
  } catch (const ParameterFileError& error) {
    FUZZ_CHECK(error.Code == 0);
    FUZZ_CHECK(std::strstr(error.what(), "fuzz.txt") != nullptr);
    return 0;
  }
  FUZZ_CHECK(table.Count >= 0 && table.Count <= MaxElements);
  for (int e = 0; e < table.Count; ++e) FUZZ_CHECK(std::strlen(table.Symbol[e]) <= 2);

  // Whatever exponents the file gave, the orbital is evaluated near and at
  // each atom: an atom on a grid point puts r = 0 into the exponential.
  Molecule molecule(table);
  for (std::int16_t e = 0; e < table.Count; ++e) {
    molecule.AtomElement[e] = e;
    molecule.AtomX[e] = static_cast<float>(e);
    molecule.CoefS[e] = molecule.CoefPx[e] = molecule.CoefPy[e] = molecule.CoefPz[e] = 0.5f;
  }
  molecule.AtomCount = table.Count;
  molecule.ApplyScale(4.0f);
  molecule.SetCutoff(3.5f);
  const float points[][3] = {{0, 0, 0}, {1, 0, 0}, {0.5f, 0.25f, -0.125f}, {4, 0, 0}, {13, 0, 0}};
  for (const auto& p : points) (void)molecule.Orbital(p[0], p[1], p[2]);
  return 0;
}
