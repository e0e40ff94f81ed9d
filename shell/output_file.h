// A scene file that appears whole or not at all: a regular file is written
// beside its final name and renamed over it only once everything is on disk.
#pragma once

#include <fstream>
#include <memory>
#include <ostream>
#include <string>

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  // Removes the unfinished temporary file, if any.
  ~OutputFile();

  // False, with the reason, when the path cannot take a file.
  bool Open(const std::string& path, std::string& why);
  // Writes to standard output; Commit then only flushes it.
  void OpenStandardOutput();
  std::ostream& Stream();
  // Flushes, closes and puts the file in place; false when anything failed.
  bool Commit(std::string& why);

 private:
  void Discard();

  std::ofstream File;
  std::ostream* Out = nullptr;
  std::string FinalPath;
  std::string TemporaryPath;  // empty when written directly
  bool Committed = false;
};
