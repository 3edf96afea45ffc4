#include "print/print_options.h"

#include <gtest/gtest.h>

#include "print/print_font.h"
#include "support/temp_dir.h"

namespace zel::print {
namespace {

TEST(ParseSectionName, KnowsTheSectionsAndModuleFileNames) {
  struct Case {
    const char* name;
    std::optional<SectionChoice> expected;
  };
  const Case cases[] = {
      {"ProjectTree", SectionChoice{SingleSection::ProjectTree, {}}},
      {"AllocList", SectionChoice{SingleSection::AllocList, {}}},
      {"CrossRef", SectionChoice{SingleSection::CrossRef, {}}},
      {"IOConfig", SectionChoice{SingleSection::IoConfig, {}}},
      {"Drivers", SectionChoice{SingleSection::Drivers, {}}},
      {"CZ0P01V1.AWL", SectionChoice{SingleSection::Module, "CZ0P01V1.AWL"}},
      {"cz0b10v2.awl", SectionChoice{SingleSection::Module, "cz0b10v2.awl"}},
      {"Cz0F99v9.Awl", SectionChoice{SingleSection::Module, "Cz0F99v9.Awl"}},
      {"projecttree", std::nullopt},  // the section names are exact
      {"Project Tree", std::nullopt},
      {"", std::nullopt},
      {"CZ0X01V1.AWL", std::nullopt},   // no such kind
      {"CZ0P1V1.AWL", std::nullopt},    // one digit
      {"CZ0P001V1.AWL", std::nullopt},  // three digits
      {"CZ0P0AV1.AWL", std::nullopt},
      {"CZ0P01W1.AWL", std::nullopt},
      {"CZ0P01VX.AWL", std::nullopt},
      {"CZ0P01V1.KOP", std::nullopt},  // only statement-list sources print alone
      {"CZ0P01V1.AWLX", std::nullopt},
      {"CZ1P01V1.AWL", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseSectionName(c.name), c.expected) << c.name;
}

TEST(PrintOptions, ReadsSectionPrintWithItsDefaults) {
  test::TempDir dir;
  dir.writeFile(
      "Project.FW4",
      "[PROJECT]\r\nTARGET=VM1X\r\n[PRINT]\r\nTITLE=0\r\nXREF=0\r\nMETRIC=1\r\nLOG=x\r\n");
  const app::ProjectFile file(dir / "Project.FW4");
  PrintOptions expected;
  expected.title = false;
  expected.crossReference = false;
  expected.metrics = true;
  EXPECT_EQ(ReadPrintOptions(file), expected);
  // Without the section every option is on but the metrics page.
  const app::ProjectFile none(dir / "missing.FW4");
  EXPECT_EQ(ReadPrintOptions(none), PrintOptions{});
  EXPECT_FALSE(PrintOptions{}.metrics);
}

TEST(PrintOptions, WritesEveryKeyAndReadsItBack) {
  test::TempDir dir;
  dir.writeFile("Project.FW4", "[PROJECT]\r\nTARGET=VM1X\r\n");
  app::ProjectFile file(dir / "Project.FW4");
  // Each option alone switched over, so a key written for the wrong option shows.
  for (int i = 0; i < 12; ++i) {
    PrintOptions options;
    bool* flags[] = {
        &options.title,  &options.docText, &options.controllerSettings, &options.projectTree,
        &options.io,     &options.drivers, &options.allocationList,     &options.properties,
        &options.source, &options.log,     &options.crossReference,     &options.metrics};
    *flags[i] = !*flags[i];
    ASSERT_TRUE(WritePrintOptions(file, options));
    EXPECT_EQ(ReadPrintOptions(file), options) << i;
  }
  EXPECT_EQ(file.keys(kPrintSection).size(), 12u);
  EXPECT_EQ(file.read(kPrintSection, "METRIC"), "1");  // the last case switched it on
}

TEST(PrintFont, ReadsFaceSizeWeightAndItalic) {
  struct Case {
    const char* text;
    PrintFont expected;
  };
  const PrintFont def;
  const Case cases[] = {
      {"Courier New,9,400,0", def},
      {"Liberation Mono,10,700,1", {"Liberation Mono", 10, 700, true}},
      {"Font2,12, 400, 0", {"Font2", 12, 400, false}},
      {"", def},
      {"Courier-New,9,400,0", def},  // a face of other characters
      {"Courier New,9,400", def},    // a number missing
      {"Courier New,0,400,0", def},  // no size
      {"Courier New,-9,400,0", def},
      {"Courier New,x,400,0", def},
      {",9,400,0", def},
  };
  for (const auto& c : cases) EXPECT_EQ(ParsePrintFont(c.text), c.expected) << c.text;
  EXPECT_EQ(ParsePrintFont(kDefaultPrintFont), def);
}

TEST(PrintFont, HeightFollowsTheVerticalResolution) {
  EXPECT_EQ(PrintFontHeight({"Courier New", 9, 400, false}, 600), 75);
  EXPECT_EQ(PrintFontHeight({"Courier New", 12, 400, false}, 72), 12);
  EXPECT_EQ(PrintFontHeight({"Courier New", 10, 400, false}, 300), 41);
}

}  // namespace
}  // namespace zel::print
