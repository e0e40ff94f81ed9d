// The number of filled levels as the MOPAC programs in use today state it.
#include <gtest/gtest.h>

#include <sstream>

#include "shell/homo_lumo.h"

namespace {

TEST(FilledLevelsTest, ReadsTheCountAsMopacPrintsIt) {
  const struct {
    const char* Name;
    const char* Text;
    int Levels;
  } cases[] = {
      {"MOPAC 22", "      RHF CALCULATION, NO. OF DOUBLY OCCUPIED LEVELS = 6\n"
                   "          NO. OF FILLED LEVELS    =          6\n", 6},
      {"MOPAC 7, three digits against the sign", "      RHF CALCULATION, NO. OF DOUBLY OCCUPIED LEVELS =103\n", 103},
      {"keyword descriptions before the count",
       " *  OPEN(N,N)- THERE ARE 5 ELECTRONS IN 6 LEVELS\n"
       "      THERE ARE   16 DOUBLY FILLED LEVELS\n"
       "      RHF CALCULATION, NO. OF DOUBLY OCCUPIED LEVELS =   16\n", 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    std::istringstream in(c.Text);
    int levels = 0;
    ASSERT_TRUE(ReadFilledLevels(in, levels));
    EXPECT_EQ(levels, c.Levels);
  }
}

}  // namespace
