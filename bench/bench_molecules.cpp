// The benchmark molecules. The synthetic C60 has the cage of buckminsterfullerene
// (edge 1.4 angstrom) and seeded coefficients; it stands in when no MOPAC output
// of C60 is at hand.
#include "bench_molecules.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <tuple>
#include <vector>

namespace {

struct Atom {
  const char* Symbol;
  float X, Y, Z, S, Px, Py, Pz;
};

// The 60 vertices of a truncated icosahedron with edge 2: even permutations of
// (0, ±1, ±3φ), (±1, ±(2 + φ), ±2φ) and (±φ, ±2, ±(2φ + 1)).
std::vector<Atom> Fullerene() {
  const double phi = (1 + std::sqrt(5.0)) / 2;
  const double bases[3][3] = {{0, 1, 3 * phi}, {1, 2 + phi, 2 * phi}, {phi, 2, 2 * phi + 1}};
  std::set<std::tuple<long, long, long>> seen;
  std::vector<Atom> atoms;
  std::mt19937 random(60);
  std::uniform_real_distribution<float> coefficient(-0.3f, 0.3f);
  for (const auto& base : bases) {
    for (int turn = 0; turn < 3; ++turn) {
      const double p[3] = {base[turn], base[(turn + 1) % 3], base[(turn + 2) % 3]};
      for (int signs = 0; signs < 8; ++signs) {
        double c[3];
        for (int axis = 0; axis < 3; ++axis) c[axis] = (signs >> axis & 1 ? -1 : 1) * p[axis] * 0.7;
        const auto key = std::make_tuple(std::lround(c[0] * 1e6), std::lround(c[1] * 1e6), std::lround(c[2] * 1e6));
        if (!seen.insert(key).second) continue;
        atoms.push_back({"C", static_cast<float>(c[0]), static_cast<float>(c[1]), static_cast<float>(c[2]),
                         coefficient(random), coefficient(random), coefficient(random), coefficient(random)});
      }
    }
  }
  return atoms;
}

// Formaldehyde, with coefficients of the kind of an occupied pi orbital.
std::vector<Atom> Formaldehyde() {
  return {{"O", 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.72f},
          {"C", 1.2f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.61f},
          {"H", 1.8f, 0.93f, 0.0f, 0.05f, 0, 0, 0},
          {"H", 1.8f, -0.93f, 0.0f, -0.05f, 0, 0, 0}};
}

bool Place(Molecule& molecule, const std::vector<Atom>& atoms, std::string& why) {
  if (atoms.size() > static_cast<std::size_t>(MaxAtoms)) {
    why = "more than " + std::to_string(MaxAtoms) + " atoms";
    return false;
  }
  molecule.AtomCount = 0;
  for (const Atom& atom : atoms) {
    std::int16_t element = -1;
    for (std::int16_t e = 0; e < molecule.Elements.Count; ++e) {
      if (std::strcmp(molecule.Elements.Symbol[e], atom.Symbol) == 0) element = e;
    }
    if (element < 0) {
      why = std::string("no parameters for ") + atom.Symbol;
      return false;
    }
    const std::int16_t i = molecule.AtomCount++;
    molecule.AtomElement[i] = element;
    molecule.AtomX[i] = atom.X, molecule.AtomY[i] = atom.Y, molecule.AtomZ[i] = atom.Z;
    molecule.CoefS[i] = atom.S, molecule.CoefPx[i] = atom.Px, molecule.CoefPy[i] = atom.Py;
    molecule.CoefPz[i] = atom.Pz;
  }
  return true;
}

}  // namespace

bool ReadAtomTable(Molecule& molecule, const std::string& path, std::string& why) {
  std::ifstream in(path);
  if (!in) {
    why = "cannot open " + path;
    return false;
  }
  std::vector<std::string> symbols;
  std::vector<Atom> atoms;
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string symbol;
    Atom atom{};
    if (!(fields >> symbol)) continue;
    if (!(fields >> atom.X >> atom.Y >> atom.Z >> atom.S >> atom.Px >> atom.Py >> atom.Pz)) {
      why = path + ": a line is not \"symbol x y z s px py pz\"";
      return false;
    }
    symbols.push_back(symbol);
    atoms.push_back(atom);
  }
  for (std::size_t i = 0; i < atoms.size(); ++i) atoms[i].Symbol = symbols[i].c_str();
  return Place(molecule, atoms, why);
}

std::unique_ptr<Molecule> BenchMolecule(const std::string& name, int scale, int moNumber, std::string& why) {
  auto molecule = std::make_unique<Molecule>(DEZODUVO_BENCH_PARAMETERS);
  bool read = false;
  if (name == "c60") {
    read = Place(*molecule, Fullerene(), why);
  } else if (name == "small") {
    read = Place(*molecule, Formaldehyde(), why);
  } else if (name.size() > 6 && name.compare(name.size() - 6, 6, ".atoms") == 0) {
    read = ReadAtomTable(*molecule, name, why);
  } else {
    read = molecule->ReadMopac(name, static_cast<std::int16_t>(moNumber), &why);
  }
  if (!read) return nullptr;
  molecule->ApplyScale(static_cast<float>(scale));
  molecule->SetCutoff(3.5f);
  return molecule;
}
