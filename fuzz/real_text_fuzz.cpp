// The real edits' text: an accepted value is a finite nonzero float, and for
// text that the C library can only read as a decimal number both readings agree.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "check.h"
#include "shell/edit_text.h"

namespace {

// strtod also reads hexadecimal numbers, infinities and NaNs: those texts have
// no plain-decimal reference.
bool OnlyDecimalForms(const std::string& text) {
  for (const char c : text) {
    if (c == '\0') return true;  // strtod stops here
    if (c == 'x' || c == 'X' || c == 'i' || c == 'I' || c == 'n' || c == 'N') return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  float value = 0.75f;
  const bool accepted = ParseReal(text, value);
  if (accepted) {
    FUZZ_CHECK(std::isfinite(value) && value != 0.0f);
  } else {
    FUZZ_CHECK(value == 0.75f);
  }
  if (!OnlyDecimalForms(text)) return 0;
  const double reference = std::strtod(text.c_str(), nullptr);
  const bool referenceFits = std::fabs(reference) < 0x1.ffffffp127;
  const bool referenceAccepted = referenceFits && static_cast<float>(reference) != 0.0f;
  FUZZ_CHECK(accepted == referenceAccepted);
  if (accepted) FUZZ_CHECK(value == static_cast<float>(reference));
  return 0;
}
