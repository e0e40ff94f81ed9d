// The MOPAC reader on any bytes, through its stream entry so every layout it
// knows is reached. The first byte picks the orbital (a signed number, so
// zero and negative choices are tried too); the rest is the file.
#include <cstdint>
#include <sstream>
#include <string>

#include "check.h"
#include "molecule/molecule.h"
#include "scene/scene_writer.h"
#include "surface/surface.h"

namespace {

const ElementTable& Table() {
  static const ElementTable table = [] {
    std::istringstream in(
        "10\nH 0.967807 1\nC 1.565085 1.842345 2\nN 2.028094 2.313728 2\nO 3.796544 2.389402 2\n"
        "F 4.708555 2.491178 2\nSi 1.635075 1.313088 2\nP 2.017563 1.504732 2\nS 1.891185 1.658972 2\n"
        "Cl 2.246210 2.151010 2\nBr 5.348457 2.127590 2\n");
    ElementTable read;
    ReadParameters(read, in, "pm3r.txt");
    return read;
  }();
  return table;
}

// Counts characters and keeps none: the scene text is exercised, not stored.
class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const auto moNumber = static_cast<std::int16_t>(static_cast<std::int8_t>(data[0]));
  std::istringstream in(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
  Molecule molecule(Table());
  std::string why;
  if (!molecule.ReadMopac(in, moNumber, &why)) {
    FUZZ_CHECK(!why.empty());
    return 0;
  }
  FUZZ_CHECK(moNumber >= 1);
  FUZZ_CHECK(molecule.AtomCount >= 1 && molecule.AtomCount <= MaxAtoms);
  for (std::int16_t i = 0; i < molecule.AtomCount; ++i) {
    FUZZ_CHECK(molecule.AtomElement[i] >= 0 && molecule.AtomElement[i] < molecule.Elements.Count);
  }

  // What the run does next, short of the grid walk: units, box, the orbital
  // at and between the atoms, the structure model.
  molecule.ApplyScale(4.0f);
  molecule.SetCutoff(3.5f);
  GridBox box;
  if (!ComputeGridBox(molecule, 4, box)) return 0;
  FUZZ_CHECK(box.LoX < box.HiX && box.LoY < box.HiY && box.LoZ < box.HiZ);
  for (std::int16_t i = 0; i < molecule.AtomCount; ++i) {
    float x, y, z;
    molecule.AtomPosition(i, x, y, z);
    (void)molecule.Orbital(x, y, z);
    (void)molecule.Orbital(x + 0.5f, y - 0.25f, z + 1.0f);
  }
  NullBuffer discard;
  std::ostream out(&discard);
  WriteHeader(out, molecule);
  WriteStructure(out, molecule, 4, 1.6f);
  return 0;
}
