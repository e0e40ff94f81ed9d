// dezoduvo-cli: the calculation run without a window.
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/terminal_window.h"
#include "molecule/molecule.h"
#include "shell/homo_lumo.h"
#include "shell/messages.h"

namespace {

enum ExitStatus { Success = 0, BadCommandLine = 2, InputError = 3, ParameterError = 4, OutputError = 5, RenderError = 6 };

int Fail(int status, const std::string& message) {
  std::cerr << "dezoduvo-cli: " << message << "\n";
  return status;
}

bool Readable(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

std::string DefaultParameters() {
  if (Readable("pm3r.txt")) return "pm3r.txt";
  for (const std::string folder : {DEZODUVO_DATA_DIR, DEZODUVO_SOURCE_DATA_DIR}) {
    if (Readable(folder + "/pm3r.txt")) return folder + "/pm3r.txt";
  }
  return "pm3r.txt";
}

std::string PictureName(const std::string& scene) {
  const auto slash = scene.rfind('/');
  const auto dot = scene.rfind('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? scene.substr(0, dot) : scene) + ".png";
}

// Runs POV-Ray on the scene. Its chatter goes to a log that is shown only
// when the rendering fails.
bool Render(const CommandLine& line, const std::string& picture) {
  std::vector<std::string> words = {"povray", "-D", "+A0.3", "+FN", "+W" + std::to_string(line.RenderWidth),
                                    "+H" + std::to_string(line.RenderHeight), "+I" + line.Output, "+O" + picture};
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  char logName[] = "/tmp/dezoduvo-povray-XXXXXX";
  const int log = mkstemp(logName);
  if (log < 0) return false;
  unlink(logName);
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    dup2(log, STDOUT_FILENO);
    dup2(log, STDERR_FILENO);
    execvp(argv[0], argv.data());
    std::fprintf(stderr, "cannot start povray: %s\n", std::strerror(errno));
    _exit(127);
  }
  int status = 0;
  const bool waited = waitpid(child, &status, 0) == child;
  const bool rendered = waited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!rendered) {
    std::string text(1 << 16, '\0');
    const off_t size = lseek(log, 0, SEEK_END);
    const off_t from = size > static_cast<off_t>(text.size()) ? size - static_cast<off_t>(text.size()) : 0;
    const ssize_t got = pread(log, text.data(), text.size(), from);
    std::cerr << text.substr(0, got > 0 ? static_cast<std::size_t>(got) : 0);
  }
  close(log);
  return rendered;
}

}  // namespace

int main(int argc, char** argv) {
  CommandLine line;
  std::string error;
  if (!ParseArguments(std::vector<std::string>(argv + 1, argv + argc), line, error)) {
    return Fail(BadCommandLine, error + "\nTry 'dezoduvo-cli --help'.");
  }
  if (line.What == CommandLine::Action::Help) {
    std::cout << UsageText;
    return Success;
  }
  if (line.What == CommandLine::Action::Version) {
    std::cout << "dezoduvo-cli " << DEZODUVO_VERSION << "\n";
    return Success;
  }
  if (line.Orbital != CommandLine::Pick::Number) {
    const bool lumo = line.Orbital == CommandLine::Pick::Lumo;
    if (SelectHomoLumo(line.Input, lumo, line.Values.MoNumber) != HomoLumoOutcome::Found) {
      return Fail(InputError, std::string(NoHomoLumoMessage) + ": " + line.Input +
                                  " states no number of filled levels (\"LEVELS = N\")");
    }
  }

  RunPaths paths;
  paths.Parameters = line.Parameters.empty() ? DefaultParameters() : line.Parameters;
  paths.Input = line.Input;
  paths.Output = line.Output;
  paths.OutputToStandardOutput = line.Output == "-";
  TerminalWindow window(line.ShowStructure, !line.Quiet && isatty(STDERR_FILENO));
  RunResult result;
  try {
    result = RunCalculation(window, paths, line.Values);
  } catch (const ParameterFileError& failure) {
    return Fail(ParameterError, failure.what());
  }
  switch (result.Outcome) {
    case RunOutcome::Success:
      break;
    case RunOutcome::NoInput:
      return Fail(BadCommandLine, window.LastMessage);
    case RunOutcome::InputError:
      return Fail(InputError, window.LastMessage + " " + result.Detail);
    case RunOutcome::GridTooLarge:
      return Fail(InputError, window.LastMessage + " (" + result.Detail + ")");
    case RunOutcome::OutputError:
      return Fail(OutputError, window.LastMessage + " " + result.Detail);
  }
  if (!line.Quiet && !paths.OutputToStandardOutput) {
    std::cerr << "Wrote " << line.Output << ": orbital " << line.Values.MoNumber << ", " << result.Triangles
              << " triangles.\n";
  }
  if (line.Render) {
    const std::string picture = PictureName(line.Output);
    if (!Render(line, picture)) return Fail(RenderError, "POV-Ray could not render " + line.Output);
    if (!line.Quiet) std::cerr << "Rendered " << picture << ".\n";
  }
  return Success;
}
