// The number of filled levels: MOPAC states it as "... LEVELS = N", but the
// word also stands in keyword descriptions, where no number follows it.
#include "shell/homo_lumo.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fstream>

#include "molecule/tokens.h"

namespace {

bool WholeNumber(const std::string& text, int& value) {
  if (text.empty()) return false;
  std::size_t digits = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (digits == text.size()) return false;
  for (std::size_t i = digits; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  errno = 0;
  const long number = std::strtol(text.c_str(), nullptr, 10);
  if (errno != 0 || number < INT_MIN || number > INT_MAX) return false;
  value = static_cast<int>(number);
  return true;
}

}  // namespace

bool ReadFilledLevels(std::istream& in, int& levels) {
  while (SkipToWord(in, "LEVELS")) {
    std::string sign = ReadToken(in);
    if (sign == "=") {
      if (WholeNumber(ReadToken(in), levels)) return true;
    } else if (sign.size() > 1 && sign[0] == '=' && WholeNumber(sign.substr(1), levels)) {
      return true;
    }
  }
  return false;
}

HomoLumoOutcome SelectHomoLumo(const std::string& inputPath, bool lumo, int& moNumber) {
  if (inputPath.empty()) return HomoLumoOutcome::NoInputFile;
  std::ifstream in(inputPath);
  int levels = 0;
  if (!ReadFilledLevels(in, levels)) return HomoLumoOutcome::NotFound;
  // A LUMO past the last orbital is left for the reader to refuse.
  moNumber = lumo && levels < INT_MAX ? levels + 1 : levels;
  return HomoLumoOutcome::Found;
}
