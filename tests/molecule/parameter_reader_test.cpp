// The element parameter reader: normalisation, unit conversion and refusals.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "elements_from_text.h"
#include "molecule/molecule.h"

TEST(ParameterReaderTest, HydrogenHasOneExponentAndNoLengthFactor) {
  const ElementTable table = ElementsFromText("1 H 1.0 1");
  EXPECT_EQ(table.Count, 1);
  EXPECT_STREQ(table.Symbol[0], "H");
  EXPECT_FLOAT_EQ(table.NormS[0], 0.5641898f);
  EXPECT_EQ(table.NormS[0], static_cast<float>(std::sqrt(1.0 / static_cast<double>(3.14159f))));
  EXPECT_FLOAT_EQ(table.ZetaS[0], 1.8897161f);
  EXPECT_EQ(table.ZetaS[0], 1.0f / 0.52918f);
  EXPECT_EQ(table.ZetaP[0], 0.0f);
  EXPECT_EQ(table.NormP[0], 0.0f);
  EXPECT_EQ(table.Shell[0], 1);
}

TEST(ParameterReaderTest, OtherElementsGetTwoSAndTwoPConstants) {
  const ElementTable table = ElementsFromText("1 C 2.0 2.0 2");
  EXPECT_FLOAT_EQ(table.NormS[0], 3.4820595f);
  EXPECT_FLOAT_EQ(table.NormP[0], 6.0311041f);
  EXPECT_FLOAT_EQ(table.ZetaS[0], 3.7794323f);
  EXPECT_EQ(table.ZetaS[0], table.ZetaP[0]);
  EXPECT_EQ(table.Shell[0], 2);
}

TEST(ParameterReaderTest, LowerCaseHIsNotHydrogen) {
  const ElementTable table = ElementsFromText("1 h 1.0 2.0 2");
  EXPECT_STREQ(table.Symbol[0], "h");
  EXPECT_GT(table.ZetaP[0], 0.0f);
  EXPECT_EQ(table.Shell[0], 2);
}

TEST(ParameterReaderTest, LayoutOverLinesDoesNotMatter) {
  const ElementTable oneLine = ElementsFromText("2 H 0.967807 1 O 3.796544 2.389402 2");
  const ElementTable manyLines = ElementsFromText("2\n\nH\n0.967807\n1\n\tO 3.796544\n2.389402\r\n2\n");
  for (int e = 0; e < 2; ++e) {
    SCOPED_TRACE(e);
    EXPECT_STREQ(oneLine.Symbol[e], manyLines.Symbol[e]);
    EXPECT_EQ(oneLine.ZetaS[e], manyLines.ZetaS[e]);
    EXPECT_EQ(oneLine.ZetaP[e], manyLines.ZetaP[e]);
    EXPECT_EQ(oneLine.NormS[e], manyLines.NormS[e]);
    EXPECT_EQ(oneLine.NormP[e], manyLines.NormP[e]);
    EXPECT_EQ(oneLine.Shell[e], manyLines.Shell[e]);
  }
}

TEST(ParameterReaderTest, CountOfZeroOrBelowGivesAnEmptyTable) {
  for (const char* text : {"0 H 1.0 1", "-3 garbage"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ElementsFromText(text).Count, 0);
  }
}

TEST(ParameterReaderTest, TokensAfterTheLastEntryAreNotRead) {
  EXPECT_EQ(ElementsFromText("1 H 1.0 1 this is a note about sources").Count, 1);
}

TEST(ParameterReaderTest, RefusesMalformedFilesNamingTheFileAndTheFault) {
  struct Case {
    const char* text;
    const char* detail;
  };
  const Case cases[] = {
      {"", "element count"},
      {"three H 1.0 1", "element count"},
      {"11", "at most 10"},
      {"1 Abc 1.0 2.0 2", "longer than two"},
      {"1 C x 2.0 2", "s exponent of C"},
      {"1 C 2.0 y 2", "p exponent of C"},
      {"1 H 1.0", "shell kind of H"},
      {"1 H 1.0 one", "shell kind of H"},
      {"2 H 1.0 1", "ends before element 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    try {
      ElementsFromText(c.text);
      ADD_FAILURE() << "accepted";
    } catch (const ParameterFileError& error) {
      EXPECT_EQ(error.Code, 0);
      EXPECT_NE(std::string(error.what()).find("Parameter file error in test.txt"), std::string::npos) << error.what();
      EXPECT_NE(std::string(error.what()).find(c.detail), std::string::npos) << error.what();
    }
  }
}

TEST(ParameterReaderTest, MissingFileThrowsCodeTwoNamingTheFile) {
  try {
    Molecule molecule("/nonexistent/folder/pm3r.txt");
    ADD_FAILURE() << "constructed";
  } catch (const ParameterFileError& error) {
    EXPECT_EQ(error.Code, 2);
    EXPECT_NE(std::string(error.what()).find("/nonexistent/folder/pm3r.txt"), std::string::npos);
  }
}

TEST(ParameterReaderTest, BundledPm3FileStartsWithHydrogenCarbonNitrogenOxygen) {
  const ElementTable table(std::string(SOURCE_DIR) + "/data/pm3r.txt");
  ASSERT_GE(table.Count, 4);
  const char* first[] = {"H", "C", "N", "O"};
  for (int e = 0; e < 4; ++e) EXPECT_STREQ(table.Symbol[e], first[e]);
  for (int e = 0; e < table.Count; ++e) EXPECT_EQ(table.Shell[e], std::string(table.Symbol[e]) == "H" ? 1 : 2);
}
