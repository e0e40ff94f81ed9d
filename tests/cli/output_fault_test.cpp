// Output faults through the real program: exit status 5 with the reason, the
// file at the output path exactly as it was, and no temporary file left.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "../molecule/classic_output.h"
#include "cli_fixture.h"

namespace {

constexpr uid_t Nobody = 65534;

class OutputFaultTest : public CliFixture {
 protected:
  OutputFaultTest() {
    Write(Folder + "/in.mno", ClassicOutput({{"C", 0, 0, 0}, {"O", 0, 0, 1.2f}}));
    Out = Folder + "/out";
    mkdir(Out.c_str(), 0755);
  }

  // Runs with the scene going to output and checks the refusal.
  void ExpectRefused(const std::string& output, const std::string& reason,
                     const std::function<bool()>& beforeExec = nullptr) {
    const CliResult result = Run({"-t", "0.001", "-o", output, "in.mno"}, beforeExec);
    EXPECT_EQ(result.Status, 5) << result.Error;
    EXPECT_NE(result.Error.find("Cannot write output file."), std::string::npos) << result.Error;
    EXPECT_NE(result.Error.find(reason), std::string::npos) << result.Error;
  }

  std::string Out;  // a folder for the outputs of one test
};

bool BecomeNobody() { return setgroups(0, nullptr) == 0 && setgid(Nobody) == 0 && setuid(Nobody) == 0; }

}  // namespace

TEST_F(OutputFaultTest, PathsThatCannotTakeTheSceneAreRefused) {
  Write(Out + "/kept.pov", "precious");
  mkdir((Out + "/folder").c_str(), 0755);
  std::filesystem::create_symlink("missing/out.pov", Out + "/dangling.pov");
  std::filesystem::create_symlink("folder", Out + "/to-folder.pov");
  std::filesystem::create_symlink("../in.mno", Out + "/to-input.pov");
  const std::vector<std::string> before = Entries(Out);
  const std::string input = Read(Folder + "/in.mno");
  const struct {
    const char* name;
    std::string output;
    const char* reason;
  } cases[] = {
      {"missing folder", Out + "/missing/out.pov", "No such file or directory"},
      {"a folder", Out + "/folder", "is a folder"},
      {"a link to a folder", Out + "/to-folder.pov", "is a folder"},
      {"a link into a missing folder", Out + "/dangling.pov", "No such file or directory"},
      {"a full device", "/dev/full", "/dev/full"},
      {"the input itself", "in.mno", "is the input file"},
      {"the input by another name", Folder + "/./in.mno", "is the input file"},
      {"a link to the input", Out + "/to-input.pov", "is the input file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectRefused(c.output, c.reason);
    EXPECT_EQ(Entries(Out), before);
    EXPECT_EQ(Read(Out + "/kept.pov"), "precious");
  }
  EXPECT_EQ(Read(Folder + "/in.mno"), input);
  EXPECT_TRUE(std::filesystem::is_symlink(Out + "/to-input.pov"));
}

TEST_F(OutputFaultTest, AReadOnlyFolderKeepsItsFileForAUserWithoutRoot) {
  // The user needs to reach the input, the parameters and the folder.
  chmod(Folder.c_str(), 0755);
  Write(Out + "/out.pov", "precious");
  chmod((Out + "/out.pov").c_str(), 0666);  // writable itself: only the folder refuses
  chmod(Out.c_str(), 0555);
  const CliResult probe = Run({"--version"}, BecomeNobody);
  if (probe.Status != 0) GTEST_SKIP() << "cannot run the program as user " << Nobody;
  ExpectRefused(Out + "/out.pov", "Permission denied", BecomeNobody);
  ExpectRefused(Out + "/new.pov", "Permission denied", BecomeNobody);
  EXPECT_EQ(Read(Out + "/out.pov"), "precious");
  EXPECT_EQ(Entries(Out), std::vector<std::string>{"out.pov"});
  chmod(Out.c_str(), 0755);
}

TEST_F(OutputFaultTest, AFullFileSystemKeepsTheOldSceneAndLeavesNoTemporaryFile) {
  if (mount("tmpfs", Out.c_str(), "tmpfs", 0, "size=1m") != 0) {
    GTEST_SKIP() << "cannot mount a small file system: " << std::strerror(errno);
  }
  // Unmounted however the test ends, so the folder can be removed.
  const std::unique_ptr<const std::string, void (*)(const std::string*)> mounted(
      &Out, [](const std::string* path) { umount(path->c_str()); });
  const std::string old = "#declare an old scene\n";
  Write(Out + "/out.pov", old);
  {
    // Fill what is left; the final short write meets the end of the space.
    std::FILE* filler = std::fopen((Out + "/filler").c_str(), "wb");
    ASSERT_NE(filler, nullptr);
    const std::string block(4096, 'f');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() && std::fflush(filler) == 0) {
    }
    std::fclose(filler);
  }
  const std::vector<std::string> before = Entries(Out);
  ExpectRefused(Out + "/out.pov", "the file could not be written completely");
  EXPECT_EQ(Read(Out + "/out.pov"), old);
  EXPECT_EQ(Entries(Out), before);
  // With room again the same run succeeds: the refusal was the full disk.
  std::filesystem::remove(Out + "/filler");
  const CliResult again = Run({"-t", "0.001", "-o", Out + "/out.pov", "in.mno"});
  EXPECT_EQ(again.Status, 0) << again.Error;
  EXPECT_EQ(Read(Out + "/out.pov").rfind("#declare positive", 0), 0u);
}
