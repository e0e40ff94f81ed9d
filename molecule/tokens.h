// Token walking over text streams: white-space separated tokens, read whole
// whatever their length, compared by exact case-sensitive equality.
#pragma once

#include <cstdint>
#include <istream>
#include <string>

// Reads tokens until one equals word. False as soon as a read leaves the stream
// in any state but good, so a word that ends the file without a line end after
// it is not found. Never matches a token read before the call.
bool SkipToWord(std::istream& in, const std::string& word);

// Reads and drops count tokens; nothing for a count of 0 or less.
void SkipTokens(std::istream& in, std::int16_t count);

// Drops everything up to and including the next line end, however long.
void DropRestOfLine(std::istream& in);

// Reads one token; empty when the read fails.
std::string ReadToken(std::istream& in);
