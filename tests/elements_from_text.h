// An element table read from parameter-file text, for tests that need one.
#pragma once

#include <sstream>
#include <string>

#include "molecule/molecule.h"

inline ElementTable ElementsFromText(const std::string& text) {
  ElementTable table;
  std::istringstream in(text);
  ReadParameters(table, in, "test.txt");
  return table;
}
