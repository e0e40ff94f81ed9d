// The command line of dezoduvo-cli.
#pragma once

#include <string>
#include <vector>

#include "shell/settings.h"

struct CommandLine {
  enum class Action { Run, Help, Version };
  Action What = Action::Run;
  Settings Values;
  std::string Input;
  std::string Output = "out.pov";
  std::string Parameters;  // empty: look in the working directory, then the installed copy
  enum class Pick { Number, Homo, Lumo };
  Pick Orbital = Pick::Number;
  bool ShowStructure = true;
  bool Render = false;
  int RenderWidth = 800;
  int RenderHeight = 600;
  bool Quiet = false;
};

// False, with a message, when the arguments are not usable.
bool ParseArguments(const std::vector<std::string>& arguments, CommandLine& line, std::string& error);

extern const char* const UsageText;
