// Parsing of dezoduvo-cli's options. Numbers are read in the C locale and must
// fill their whole argument.
#include "cli/arguments.h"

#include <charconv>
#include <cmath>

const char* const UsageText =
    "Usage: dezoduvo-cli [options] INPUT\n"
    "Writes a POV-Ray scene of one molecular orbital of the MOPAC output INPUT.\n"
    "\n"
    "  -o, --output FILE       scene file to write (default out.pov; - for standard output)\n"
    "  -p, --parameters FILE   element parameter file (default pm3r.txt in the working\n"
    "                          directory, else the copy installed with the program)\n"
    "  -m, --mo N              orbital number, counted from 1 (default 1)\n"
    "      --homo              draw the highest occupied orbital\n"
    "      --lumo              draw the lowest unoccupied orbital\n"
    "  -t, --threshold X       contour level of |psi| (default 0.05)\n"
    "  -c, --cutoff X          atomic orbital cutoff radius in angstrom (default 3.5)\n"
    "  -b, --bond-length X     atoms closer than this, in angstrom, are bonded (default 1.6)\n"
    "  -s, --scale N           grid points per angstrom, 1 to 100 (default 4)\n"
    "  -a, --accuracy N        bisection steps per crossed edge, 1 to 100 (default 3)\n"
    "      --no-structure      leave out the ball-and-stick model\n"
    "      --render[=WxH]      render the scene with POV-Ray into a PNG beside it\n"
    "                          (default 800x600, antialiased)\n"
    "  -q, --quiet             no progress bar\n"
    "  -h, --help              show this help\n"
    "      --version           show the version\n"
    "\n"
    "Exit status: 0 success, 2 bad command line, 3 input file error, 4 parameter file\n"
    "error, 5 cannot write output file, 6 rendering failed.\n";

namespace {

bool ParseInt(const std::string& text, int low, int high, int& value) {
  int number = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || number < low || number > high) {
    return false;
  }
  value = number;
  return true;
}

bool ParseReal(const std::string& text, float& value) {
  float number = 0.0f;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(number)) return false;
  value = number;
  return true;
}

bool ParseSize(const std::string& text, int& width, int& height) {
  const auto x = text.find('x');
  return x != std::string::npos && ParseInt(text.substr(0, x), 1, 16384, width) &&
         ParseInt(text.substr(x + 1), 1, 16384, height);
}

}  // namespace

bool ParseArguments(const std::vector<std::string>& arguments, CommandLine& line, std::string& error) {
  line = CommandLine();
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    std::string option = arguments[i];
    std::string attached;
    bool hasAttached = false;
    if (!optionsEnded && option.rfind("--", 0) == 0 && option.find('=') != std::string::npos) {
      attached = option.substr(option.find('=') + 1);
      option = option.substr(0, option.find('='));
      hasAttached = true;
    }
    const auto value = [&](std::string& into) {
      if (hasAttached) {
        into = attached;
        return true;
      }
      if (i + 1 >= arguments.size()) {
        error = "option " + option + " needs a value";
        return false;
      }
      into = arguments[++i];
      return true;
    };
    const auto bad = [&](const std::string& text, const char* what) {
      error = "option " + option + ": \"" + text + "\" is not " + what;
      return false;
    };
    std::string text;
    if (optionsEnded || option == "-" || option.empty() || option[0] != '-') {
      if (!line.Input.empty()) {
        error = "more than one input file: " + line.Input + " and " + option;
        return false;
      }
      line.Input = arguments[i];
    } else if (option == "--") {
      optionsEnded = true;
    } else if (option == "-h" || option == "--help") {
      line.What = CommandLine::Action::Help;
      return true;
    } else if (option == "--version") {
      line.What = CommandLine::Action::Version;
      return true;
    } else if (option == "-o" || option == "--output") {
      if (!value(line.Output)) return false;
      if (line.Output.empty()) return bad(line.Output, "a file name");
    } else if (option == "-p" || option == "--parameters") {
      if (!value(line.Parameters)) return false;
      if (line.Parameters.empty()) return bad(line.Parameters, "a file name");
    } else if (option == "-m" || option == "--mo") {
      if (!value(text)) return false;
      if (!ParseInt(text, 1, 32767, line.Values.MoNumber)) return bad(text, "an orbital number from 1 to 32767");
      line.Orbital = CommandLine::Pick::Number;
    } else if (option == "--homo" || option == "--lumo") {
      line.Orbital = option == "--homo" ? CommandLine::Pick::Homo : CommandLine::Pick::Lumo;
    } else if (option == "-t" || option == "--threshold") {
      if (!value(text)) return false;
      if (!ParseReal(text, line.Values.Threshold)) return bad(text, "a number");
    } else if (option == "-c" || option == "--cutoff") {
      if (!value(text)) return false;
      if (!ParseReal(text, line.Values.Cutoff)) return bad(text, "a number");
    } else if (option == "-b" || option == "--bond-length") {
      if (!value(text)) return false;
      if (!ParseReal(text, line.Values.BondLength)) return bad(text, "a number");
    } else if (option == "-s" || option == "--scale") {
      if (!value(text)) return false;
      if (!ParseInt(text, 1, 100, line.Values.Scale)) return bad(text, "a whole number from 1 to 100");
    } else if (option == "-a" || option == "--accuracy") {
      if (!value(text)) return false;
      if (!ParseInt(text, 1, 100, line.Values.Level)) return bad(text, "a whole number from 1 to 100");
    } else if (option == "--no-structure") {
      line.ShowStructure = false;
    } else if (option == "--render") {
      line.Render = true;
      if (hasAttached && !ParseSize(attached, line.RenderWidth, line.RenderHeight)) {
        return bad(attached, "a size such as 800x600");
      }
    } else if (option == "-q" || option == "--quiet") {
      line.Quiet = true;
    } else {
      error = "unknown option " + option;
      return false;
    }
    if (hasAttached && (option == "--no-structure" || option == "--homo" || option == "--lumo" ||
                        option == "--quiet")) {
      error = "option " + option + " takes no value";
      return false;
    }
  }
  if (line.Input.empty()) {
    error = "no input file given";
    return false;
  }
  if (line.Render && line.Output == "-") {
    error = "--render needs a scene file, not standard output";
    return false;
  }
  return true;
}
