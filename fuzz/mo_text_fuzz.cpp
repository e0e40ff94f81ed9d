// The orbital edit's text: any accepted value is a nonzero 16-bit number and
// agrees with the C library's own reading of the text.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "check.h"
#include "shell/edit_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  int value = 12345;
  const bool accepted = ParseOrbitalNumber(text, value);
  // The edit reads a 32-bit long on every platform: strtol's value saturated there.
  const long long wide = std::strtol(text.c_str(), nullptr, 10);
  const long long reference = std::min<long long>(std::max<long long>(wide, INT32_MIN), INT32_MAX);
  const auto low = static_cast<std::int16_t>(static_cast<std::uint16_t>(reference));
  FUZZ_CHECK(accepted == (low != 0));
  FUZZ_CHECK(value == (accepted ? low : 12345));
  return 0;
}
