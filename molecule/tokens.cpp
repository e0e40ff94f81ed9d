// Token walking shared by the MOPAC reader and the HOMO/LUMO search.
#include "molecule/tokens.h"

#include <limits>

bool SkipToWord(std::istream& in, const std::string& word) {
  std::string token;
  while (token != word) {
    if (!(in >> token) || !in.good()) return false;
  }
  return true;
}

void SkipTokens(std::istream& in, std::int16_t count) {
  std::string token;
  for (std::int16_t i = 0; i < count; ++i) in >> token;
}

void DropRestOfLine(std::istream& in) { in.ignore(std::numeric_limits<std::streamsize>::max(), '\n'); }

std::string ReadToken(std::istream& in) {
  std::string token;
  if (!(in >> token)) token.clear();
  return token;
}
