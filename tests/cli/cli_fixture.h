// Runs the real dezoduvo-cli in a temporary folder that holds a parameter file,
// and collects its exit status, its messages and its peak memory.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "../temporary_folder.h"
#include "process.h"

using CliResult = ProcessResult;

constexpr const char* Pm3Parameters =
    "10\nH 0.967807 1\nC 1.565085 1.842345 2\nN 2.028094 2.313728 2\nO 3.796544 2.389402 2\n"
    "F 4.708555 2.491178 2\nSi 1.635075 1.313088 2\nP 2.017563 1.504732 2\nS 1.891185 1.658972 2\n"
    "Cl 2.246210 2.151010 2\nBr 5.348457 2.127590 2\n";

class CliFixture : public TemporaryFolderTest {
 protected:
  CliFixture() { Write(Folder + "/pm3r.txt", Pm3Parameters); }

  // Runs the program in the folder with the parameter file given first;
  // beforeExec runs in the child (dropping privileges, say) and returns false
  // to give up, which shows as exit status 126.
  CliResult Run(const std::vector<std::string>& options,
                const std::function<bool()>& beforeExec = nullptr) const {
    std::vector<std::string> words = {CLI_PROGRAM, "-q", "-p", Folder + "/pm3r.txt"};
    words.insert(words.end(), options.begin(), options.end());
    return RunProcess(words, Folder, beforeExec);
  }
};
