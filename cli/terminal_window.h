// The command line's stand-in for the window: messages and a progress bar on
// standard error.
#pragma once

#include <string>

#include "shell/calculation_run.h"

class TerminalWindow : public CalculationWindow {
 public:
  TerminalWindow(bool showStructure, bool showProgress) : Structure(showStructure), Progress(showProgress) {}
  void ShowMessage(const std::string& text, const std::string& title) override;
  void SetCalculateEnabled(bool) override {}
  void SetProgress(int position) override;
  bool ShowStructure() const override { return Structure; }

  std::string LastMessage;

 private:
  bool Structure;
  bool Progress;
  int Shown = -1;
};
