// Molecules for the benchmarks, already in grid units: a synthetic C60 and a
// small molecule built in code, or atoms and coefficients read from a table.
#pragma once

#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

#include "molecule/molecule.h"

// "c60" and "small" are built in; any other name is a file read by ReadAtomTable,
// or a MOPAC output that Molecule::ReadMopac reads (orbital moNumber).
// Returns null, with the reason, when the name cannot be used.
std::unique_ptr<Molecule> BenchMolecule(const std::string& name, int scale, int moNumber, std::string& why);

// An atom table: one line per atom, "symbol x y z s px py pz", coordinates in
// angstrom, coefficients of the chosen orbital.
bool ReadAtomTable(Molecule& molecule, const std::string& path, std::string& why);

// A stream that counts what is written to it and keeps nothing.
class CountingBuffer : public std::streambuf {
 public:
  long long Count = 0;

 protected:
  int_type overflow(int_type c) override {
    if (c != traits_type::eof()) ++Count;
    return c;
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    Count += n;
    return n;
  }
};
