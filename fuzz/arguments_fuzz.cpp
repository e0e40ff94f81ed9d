// The command line's parser on any argument vector: the input is split at NUL
// bytes into the arguments. An accepted line always names a usable run.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "check.h"
#include "cli/arguments.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> arguments(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      arguments.emplace_back();
    } else {
      arguments.back().push_back(static_cast<char>(data[i]));
    }
  }
  CommandLine line;
  std::string error;
  if (!ParseArguments(arguments, line, error)) {
    FUZZ_CHECK(!error.empty());
    return 0;
  }
  if (line.What != CommandLine::Action::Run) return 0;
  FUZZ_CHECK(!line.Input.empty() && !line.Output.empty());
  FUZZ_CHECK(line.Values.Scale >= 1 && line.Values.Scale <= 100);
  FUZZ_CHECK(line.Values.Level >= 1 && line.Values.Level <= 100);
  FUZZ_CHECK(line.Values.MoNumber >= 1 && line.Values.MoNumber <= 32767);
  FUZZ_CHECK(std::isfinite(line.Values.Threshold) && std::isfinite(line.Values.Cutoff) &&
             std::isfinite(line.Values.BondLength));
  FUZZ_CHECK(line.RenderWidth >= 1 && line.RenderWidth <= 16384 && line.RenderHeight >= 1 &&
             line.RenderHeight <= 16384);
  FUZZ_CHECK(!(line.Render && line.Output == "-"));
  return 0;
}
