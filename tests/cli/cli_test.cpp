// dezoduvo-cli as a user runs it: options, exit statuses, messages, and scenes
// that POV-Ray renders.
#include <gtest/gtest.h>

#include "../shell/run_fixture.h"
#include "process.h"

namespace {

const std::string Program = CLI_PROGRAM;

bool Installed(const char* program) { return RunProcess({"sh", "-c", std::string("command -v ") + program}).Status == 0; }

// Pixels of a binary PPM (P6, maxval 255) as RGB triples.
std::vector<std::array<int, 3>> PpmPixels(const std::string& data) {
  std::istringstream in(data);
  std::string magic;
  in >> magic;
  int fields[3] = {0, 0, 0};  // width, height, maximum; comments may stand between them
  for (int& field : fields) {
    while (in >> std::ws && in.peek() == '#') in.ignore(1 << 20, '\n');
    in >> field;
  }
  const int width = fields[0], height = fields[1], maximum = fields[2];
  in.get();
  std::vector<std::array<int, 3>> pixels;
  if (magic != "P6" || maximum != 255) return pixels;
  for (int i = 0; i < width * height; ++i) {
    const int r = in.get(), g = in.get(), b = in.get();
    if (!in) break;
    pixels.push_back({r, g, b});
  }
  return pixels;
}

}  // namespace

class CliTest : public RunFixture {
 protected:
  ProcessResult Cli(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), Program);
    return RunProcess(arguments, Folder);
  }
  // A private home keeps POV-Ray from complaining about a missing user configuration.
  ProcessResult Povray(const std::vector<std::string>& arguments) {
    std::filesystem::create_directories(Folder + "/home/.povray/3.7");
    Write(Folder + "/home/.povray/3.7/povray.conf", "");
    std::vector<std::string> words = {"env", "HOME=" + Folder + "/home", "povray", "-D"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return RunProcess(words, Folder);
  }
};

TEST_F(CliTest, WritesTheSameSceneAsTheRunWithTheSameDefaults) {
  RunPaths paths = Paths;
  paths.Output = Folder + "/run.pov";
  Settings defaults;
  defaults.Threshold = 0.001f;
  RecordingWindow window;
  ASSERT_EQ(RunCalculation(window, paths, defaults).Outcome, RunOutcome::Success);
  const auto result = Cli({"-q", "-p", "pm3r.txt", "-t", "0.001", "in.mno"});
  EXPECT_EQ(result.Status, 0) << result.Error;
  EXPECT_EQ(Read(Folder + "/out.pov"), Read(paths.Output));
  const auto toStandardOutput = Cli({"-q", "-p", "pm3r.txt", "-t", "0.001", "-o", "-", "in.mno"});
  EXPECT_EQ(toStandardOutput.Out, Read(paths.Output));
}

TEST_F(CliTest, ExitStatusAndMessageSayWhatWentWrong) {
  Write(Folder + "/bad.txt", "11\n");
  const struct {
    const char* name;
    std::vector<std::string> arguments;
    int status;
    const char* message;
  } cases[] = {
      {"no input", {"-p", "pm3r.txt"}, 2, "no input file given"},
      {"unknown option", {"--colour", "in.mno"}, 2, "unknown option --colour"},
      {"scale out of range", {"-s", "101", "in.mno"}, 2, "from 1 to 100"},
      {"threshold not a number", {"-t", "0.05x", "in.mno"}, 2, "is not a number"},
      {"missing value", {"in.mno", "-o"}, 2, "needs a value"},
      {"render to standard output", {"--render", "-o", "-", "in.mno"}, 2, "--render"},
      {"missing input", {"-p", "pm3r.txt", "none.mno"}, 3, "Input file error. none.mno"},
      {"orbital past the last", {"-p", "pm3r.txt", "-m", "9", "in.mno"}, 3, "no orbital 9"},
      {"missing parameters", {"-p", "none.txt", "in.mno"}, 4, "Cannot open the parameter file none.txt"},
      {"malformed parameters", {"-p", "bad.txt", "in.mno"}, 4, "Parameter file error in bad.txt"},
      {"output folder missing", {"-p", "pm3r.txt", "-o", "no/out.pov", "in.mno"}, 5, "Cannot write output file."},
      {"homo without levels", {"--homo", "-p", "pm3r.txt", "pm3r.txt"}, 3, "Cannot find HOMO/LUMO"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto result = Cli(c.arguments);
    EXPECT_EQ(result.Status, c.status);
    EXPECT_NE(result.Error.find(c.message), std::string::npos) << result.Error;
    EXPECT_FALSE(std::filesystem::exists(Folder + "/out.pov"));
  }
}

TEST_F(CliTest, HomoAndLumoComeFromTheFilledLevels) {
  Write(Paths.Input, ClassicOutput({{"O", 0, 0, 0}, {"H", 0.96f, 0, 0}, {"H", -0.24f, 0.93f, 0}}));
  const auto homo = Cli({"--homo", "-p", "pm3r.txt", "in.mno"});
  EXPECT_EQ(homo.Status, 0) << homo.Error;
  EXPECT_NE(homo.Error.find("orbital 3,"), std::string::npos) << homo.Error;
  const auto lumo = Cli({"--lumo", "-p", "pm3r.txt", "in.mno"});
  EXPECT_NE(lumo.Error.find("orbital 4,"), std::string::npos) << lumo.Error;
}

TEST_F(CliTest, HelpAndVersion) {
  const auto help = Cli({"--help"});
  EXPECT_EQ(help.Status, 0);
  EXPECT_NE(help.Out.find("Usage: dezoduvo-cli"), std::string::npos);
  const auto version = Cli({"--version"});
  EXPECT_EQ(version.Status, 0);
  EXPECT_EQ(version.Out.rfind("dezoduvo-cli ", 0), 0u);
}

TEST_F(CliTest, PovrayRendersBothSignsAndTheStructure) {
  if (!Installed("povray")) GTEST_SKIP() << "povray is not installed";
  // A p-type orbital over an S-H-O chain: red and blue lobes, an undeclared-by-default colour for S.
  Write(Paths.Parameters,
        "5\nH 0.967807 1\nC 1.565085 1.842345 2\nN 2.028094 2.313728 2\nO 3.796544 2.389402 2\n"
        "S 1.891185 1.658972 2\n");
  Write(Paths.Input, ClassicOutput({{"S", 0, 0, 0}, {"H", 1.3f, 0, 0}, {"O", -1.5f, 0.2f, 0}}));
  const auto scene = Cli({"-q", "-p", "pm3r.txt", "-m", "2", "-t", "0.002", "in.mno"});
  ASSERT_EQ(scene.Status, 0) << scene.Error;
  ASSERT_NE(Read(Folder + "/out.pov").find("#declare Atom4 = color rgb<1,1,.19>;\n"), std::string::npos);
  const auto render = Povray({"+W160", "+H120", "-A", "+FP", "+Iout.pov", "+Oout.ppm"});
  ASSERT_EQ(render.Status, 0) << render.Error;
  int red = 0, blue = 0;
  for (const auto& pixel : PpmPixels(Read(Folder + "/out.ppm"))) {
    red += pixel[0] > 100 && pixel[1] < 60 && pixel[2] < 60;
    blue += pixel[2] > 100 && pixel[0] < 60 && pixel[1] < 60;
  }
  EXPECT_GT(red, 20);
  EXPECT_GT(blue, 20);
}

TEST_F(CliTest, RenderOptionWritesAPictureBesideTheScene) {
  if (!Installed("povray")) GTEST_SKIP() << "povray is not installed";
  Values.Threshold = 10.0f;  // an empty surface must render too
  const auto result = Cli({"-q", "-p", "pm3r.txt", "-t", "10", "-o", "empty.pov", "--render=64x48", "in.mno"});
  ASSERT_EQ(result.Status, 0) << result.Error;
  EXPECT_EQ(Read(Folder + "/empty.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
}
