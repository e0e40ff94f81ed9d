// Runs the real dezoduvo-cli in a temporary folder that holds a parameter file,
// and collects its exit status, its messages and its peak memory.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

struct CliResult {
  int Status = -1;  // the exit status, or -1 when the program did not exit normally
  std::string Output;
  std::string Errors;
  long PeakKilobytes = 0;
};

constexpr const char* Pm3Parameters =
    "10\nH 0.967807 1\nC 1.565085 1.842345 2\nN 2.028094 2.313728 2\nO 3.796544 2.389402 2\n"
    "F 4.708555 2.491178 2\nSi 1.635075 1.313088 2\nP 2.017563 1.504732 2\nS 1.891185 1.658972 2\n"
    "Cl 2.246210 2.151010 2\nBr 5.348457 2.127590 2\n";

class CliFixture : public testing::Test {
 protected:
  CliFixture() {
    char pattern[] = "/tmp/dezoduvo-cli-XXXXXX";
    Folder = mkdtemp(pattern);
    Write(Folder + "/pm3r.txt", Pm3Parameters);
  }
  ~CliFixture() override { std::filesystem::remove_all(Folder); }

  static void Write(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  std::vector<std::string> Entries(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  // Runs the program in the folder with the parameter file given first;
  // beforeExec runs in the child (dropping privileges, say) and returns false
  // to give up, which shows as exit status 126.
  CliResult Run(const std::vector<std::string>& options,
                const std::function<bool()>& beforeExec = nullptr) const {
    std::vector<std::string> words = {CLI_PROGRAM, "-q", "-p", Folder + "/pm3r.txt"};
    words.insert(words.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const std::string outputPath = Folder + "/.stdout", errorPath = Folder + "/.stderr";
    const pid_t child = fork();
    if (child == 0) {
      const int out = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
      const int err = open(errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
      dup2(out, STDOUT_FILENO);
      dup2(err, STDERR_FILENO);
      if (chdir(Folder.c_str()) != 0 || (beforeExec && !beforeExec())) _exit(126);
      execv(argv[0], argv.data());
      _exit(127);
    }
    CliResult result;
    int status = 0;
    struct rusage usage {};
    wait4(child, &status, 0, &usage);
    result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.PeakKilobytes = usage.ru_maxrss;
    result.Output = Read(outputPath);
    result.Errors = Read(errorPath);
    std::filesystem::remove(outputPath);
    std::filesystem::remove(errorPath);
    return result;
  }

  std::string Folder;
};
