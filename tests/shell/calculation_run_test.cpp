// The calculation run end to end through a recording window.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "molecule/molecule.h"
#include "run_fixture.h"
#include "shell/messages.h"

namespace {

const std::vector<std::string> IdleAgain = {"progress 100", "progress 0", "enable"};

std::vector<std::string> Tail(const std::vector<std::string>& events, std::size_t count) {
  return std::vector<std::string>(events.end() - static_cast<long>(std::min(count, events.size())), events.end());
}

}  // namespace

using CalculationRunTest = RunFixture;

TEST_F(CalculationRunTest, OneAtomWalksTwelveSlabsWithTheirProgress) {
  const RunResult result = RunCalculation(Window, Paths, Values);
  EXPECT_EQ(result.Outcome, RunOutcome::Success);
  EXPECT_GT(result.Triangles, 0);
  const std::vector<std::string> expected = {
      "disable",     "progress 0",  "progress 8",  "progress 16", "progress 25", "progress 33", "progress 41",
      "progress 50", "progress 58", "progress 66", "progress 75", "progress 83", "progress 91", "progress 100",
      "progress 0",  "enable"};
  EXPECT_EQ(Window.Events, expected);
  const std::string scene = Read(Paths.Output);
  EXPECT_EQ(scene.rfind("#declare positive", 0), 0u);
  EXPECT_NE(scene.find("#declare BondFinish = finish {}\n#declare mo = mesh{smooth_triangle{ <"), std::string::npos);
  EXPECT_NE(scene.find("#declare AtomRadius=0.2;\n#declare Mol = union {sphere { <0,0,0>"), std::string::npos);
  EXPECT_TRUE(EndsWith(scene, "}\nobject { mo translate <0,0,40> }\nobject { Mol translate <0,0,40> }\n"));
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in.mno", "out.pov", "pm3r.txt"}));
}

TEST_F(CalculationRunTest, WithoutStructureNothingOfTheModelIsWritten) {
  Window.Structure = false;
  ASSERT_EQ(RunCalculation(Window, Paths, Values).Outcome, RunOutcome::Success);
  const std::string scene = Read(Paths.Output);
  EXPECT_EQ(scene.find("AtomRadius"), std::string::npos);
  EXPECT_EQ(scene.find("Mol"), std::string::npos);
  EXPECT_TRUE(EndsWith(scene, "}\nobject { mo translate <0,0,40> }\n"));
}

TEST_F(CalculationRunTest, NoSurfaceGivesACompleteFileWithAnEmptyUnion) {
  Values.Threshold = 10.0f;
  Window.Structure = false;
  ASSERT_EQ(RunCalculation(Window, Paths, Values).Outcome, RunOutcome::Success);
  EXPECT_EQ(Read(Paths.Output),
            "#declare positive = texture { pigment {color rgb <1,0,0> } }\n"
            "#declare negative = texture { pigment  {color rgb <0,0,1> } }\n"
            "#declare Atom0 = color rgb<1,1,1>;\n"
            "#declare Atom1 = color rgb<.3,.3,.3>;\n"
            "#declare Atom2 = color rgb<0,0,1>;\n"
            "#declare Atom3 = color rgb<1,0,0>;\n"
            "#declare BondFinish = finish {}\n"
            "#declare mo = union {}\n"
            "camera { location <0,0,0>\n"
            "look_at <0,0,10> }\n"
            "light_source { <0,0,0> color rgb<0.5,0.5,0.5> }\n"
            "light_source { <20,10,-10> color rgb 1 }\n"
            "object { mo translate <0,0,40> }\n");
}

TEST_F(CalculationRunTest, RefusalsBeforeTheWalkTouchNothing) {
  Write(Paths.Output, "precious");
  struct Case {
    const char* name;
    RunPaths paths;
    RunOutcome outcome;
    const char* message;
  };
  RunPaths noInput = Paths, missingInput = Paths, badInput = Paths;
  noInput.Input.clear();
  missingInput.Input = Folder + "/missing.mno";
  badInput.Input = Paths.Parameters;
  const Case cases[] = {
      {"no input path", noInput, RunOutcome::NoInput, NoInputMessage},
      {"missing input", missingInput, RunOutcome::InputError, InputErrorMessage},
      {"not a MOPAC output", badInput, RunOutcome::InputError, InputErrorMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Window.Events.clear();
    EXPECT_EQ(RunCalculation(Window, c.paths, Values).Outcome, c.outcome);
    EXPECT_EQ(Window.Events, std::vector<std::string>{std::string("message Dezoduvo error: ") + c.message});
    EXPECT_EQ(Read(Paths.Output), "precious");
  }
}

TEST_F(CalculationRunTest, MissingParameterFileRaisesBeforeAnythingChanges) {
  Paths.Parameters = Folder + "/none.txt";
  EXPECT_THROW(RunCalculation(Window, Paths, Values), ParameterFileError);
  EXPECT_TRUE(Window.Events.empty());
  EXPECT_FALSE(std::filesystem::exists(Paths.Output));
}

TEST_F(CalculationRunTest, UnwritableOutputIsReportedAndLeavesNoTrace) {
  mkdir((Folder + "/folder").c_str(), 0755);
  const struct {
    const char* name;
    std::string output;
  } cases[] = {
      {"missing folder", Folder + "/missing/out.pov"},
      {"a folder", Folder + "/folder"},
      {"empty name", ""},
      {"full device", "/dev/full"},
      {"the input itself", Paths.Input},
  };
  const std::string input = Read(Paths.Input);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Window.Events.clear();
    Paths.Output = c.output;
    EXPECT_EQ(RunCalculation(Window, Paths, Values).Outcome, RunOutcome::OutputError);
    EXPECT_NE(std::find(Window.Events.begin(), Window.Events.end(),
                        std::string("message Dezoduvo error: ") + OutputErrorMessage),
              Window.Events.end());
    EXPECT_EQ(Tail(Window.Events, 2), (std::vector<std::string>{"progress 0", "enable"}));
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"folder", "in.mno", "pm3r.txt"}));
  }
  EXPECT_EQ(Read(Paths.Input), input);
}

TEST_F(CalculationRunTest, AnExistingFileIsReplacedWholeAndALinkIsFollowed) {
  Write(Paths.Output, std::string(100000, 'x'));
  chmod(Paths.Output.c_str(), 0640);
  const std::string link = Folder + "/link.pov";
  std::filesystem::create_symlink("out.pov", link);
  Paths.Output = link;
  ASSERT_EQ(RunCalculation(Window, Paths, Values).Outcome, RunOutcome::Success);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  const std::string scene = Read(Folder + "/out.pov");
  EXPECT_EQ(scene.rfind("#declare positive", 0), 0u);
  EXPECT_EQ(scene.find("xxxxxxxx"), std::string::npos);
  struct stat info;
  stat((Folder + "/out.pov").c_str(), &info);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"in.mno", "link.pov", "out.pov", "pm3r.txt"}));
}

TEST_F(CalculationRunTest, AGridThatDoesNotFitIsRefused) {
  Write(Paths.Input, ClassicOutput({{"H", -5000, 0, 0}, {"H", 5000, 0, 0}}));
  Values.Scale = 100;
  const RunResult result = RunCalculation(Window, Paths, Values);
  EXPECT_EQ(result.Outcome, RunOutcome::GridTooLarge);
  EXPECT_EQ(Window.Events,
            (std::vector<std::string>{"disable", std::string("message Dezoduvo error: ") + GridTooLargeMessage,
                                      "progress 0", "enable"}));
  EXPECT_FALSE(std::filesystem::exists(Paths.Output));
}
