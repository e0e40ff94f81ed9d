// A temporary folder with a parameter file and a small classic MOPAC output,
// and a window that records what the run does to it.
#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "../molecule/classic_output.h"
#include "../temporary_folder.h"
#include "shell/calculation_run.h"

class RecordingWindow : public CalculationWindow {
 public:
  void ShowMessage(const std::string& text, const std::string& title) override {
    Events.push_back("message " + title + ": " + text);
  }
  void SetCalculateEnabled(bool enabled) override { Events.push_back(enabled ? "enable" : "disable"); }
  void SetProgress(int position) override { Events.push_back("progress " + std::to_string(position)); }
  bool ShowStructure() const override { return Structure; }

  bool Structure = true;
  std::vector<std::string> Events;
};

class RunFixture : public TemporaryFolderTest {
 protected:
  RunFixture() {
    Paths.Parameters = Folder + "/pm3r.txt";
    Paths.Input = Folder + "/in.mno";
    Paths.Output = Folder + "/out.pov";
    Write(Paths.Parameters,
          "4\nH 0.967807 1\nC 1.565085 1.842345 2\nN 2.028094 2.313728 2\nO 3.796544 2.389402 2\n");
    Write(Paths.Input, ClassicOutput({{"H", 0, 0, 0}}));
    Values.Threshold = 0.001f;  // the fixture's coefficients are small
  }

  RunPaths Paths;
  Settings Values;
  RecordingWindow Window;
};
