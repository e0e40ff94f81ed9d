// The orbital edit's text: any accepted value is a nonzero 16-bit number and
// agrees with the C library's own reading of the text.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "check.h"
#include "shell/edit_parsing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  int value = 12345;
  const bool accepted = ParseMoText(text, value);
  const long reference = std::strtol(text.c_str(), nullptr, 10);
  const auto low = static_cast<std::int16_t>(static_cast<std::uint16_t>(reference));
  FUZZ_CHECK(accepted == (low != 0));
  FUZZ_CHECK(value == (accepted ? low : 12345));
  return 0;
}
