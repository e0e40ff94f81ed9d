// The calculation run: from the two input files to a complete scene file,
// driven through a small window interface so it runs without a window.
#pragma once

#include <string>

#include "shell/settings.h"

// What the run needs of its window.
class CalculationWindow {
 public:
  virtual ~CalculationWindow() = default;
  // A modal message with a single OK button and no icon.
  virtual void ShowMessage(const std::string& text, const std::string& title) = 0;
  virtual void SetCalculateEnabled(bool enabled) = 0;
  // 0 to 100.
  virtual void SetProgress(int position) = 0;
  virtual bool ShowStructure() const = 0;
};

struct RunPaths {
  std::string Parameters;
  std::string Input;
  std::string Output;
  // The scene goes to standard output instead of the output path.
  bool OutputToStandardOutput = false;
};

enum class RunOutcome { Success, NoInput, InputError, GridTooLarge, OutputError };

struct RunResult {
  RunOutcome Outcome = RunOutcome::Success;
  std::string Detail;  // why, where one is known
  long long Triangles = 0;
};

// One run. A parameter file that cannot be used throws ParameterFileError,
// with nothing written and the window untouched; any error raised later
// leaves the window idle and the output path as it was.
// threads computes the grid walk (0: one per hardware thread); the file is
// the same for every count.
RunResult RunCalculation(CalculationWindow& window, const RunPaths& paths, const Settings& settings, int threads = 0);
