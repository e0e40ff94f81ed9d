// The search for the number of filled levels on any bytes.
#include <cstdint>
#include <sstream>
#include <string>

#include "shell/homo_lumo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  int levels = 0;
  (void)ReadFilledLevels(in, levels);
  return 0;
}
