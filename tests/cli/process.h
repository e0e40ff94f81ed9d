// Runs a program with arguments and collects its exit status, its output and
// its peak memory.
#pragma once

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

struct ProcessResult {
  int Status = -1;  // exit status, or -1 when it did not exit normally
  std::string Out;
  std::string Error;
  long PeakKilobytes = 0;
};

inline std::string Drain(int descriptor) {
  std::string text;
  char buffer[65536];
  ssize_t got;
  while ((got = read(descriptor, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(got));
  return text;
}

// Output goes through files so that neither pipe can fill and block the child.
// beforeExec runs in the child (dropping privileges, say) and returns false to
// give up, which shows as exit status 126.
inline ProcessResult RunProcess(const std::vector<std::string>& words, const std::string& folder = "",
                                const std::function<bool()>& beforeExec = nullptr) {
  char outName[] = "/tmp/dezoduvo-out-XXXXXX", errorName[] = "/tmp/dezoduvo-err-XXXXXX";
  const int out = mkstemp(outName), error = mkstemp(errorName);
  unlink(outName);
  unlink(errorName);
  const pid_t child = fork();
  if (child == 0) {
    dup2(out, STDOUT_FILENO);
    dup2(error, STDERR_FILENO);
    const int input = open("/dev/null", O_RDONLY);
    dup2(input, STDIN_FILENO);
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(126);
    if (beforeExec && !beforeExec()) _exit(126);
    std::vector<char*> argv;
    for (const auto& word : words) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  struct rusage usage {};
  wait4(child, &status, 0, &usage);
  ProcessResult result;
  result.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  result.PeakKilobytes = usage.ru_maxrss;
  lseek(out, 0, SEEK_SET);
  lseek(error, 0, SEEK_SET);
  result.Out = Drain(out);
  result.Error = Drain(error);
  close(out);
  close(error);
  return result;
}
