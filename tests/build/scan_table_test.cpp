#include "build/scan_table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace zel::build {
namespace {

// A card at $300 (position 0) and $310 (position 2); position 1 is not decoded.
constexpr std::string_view kCard =
    ";$NE Test card\r\n"
    ";$EA 4 4 2 2 $300 $0 $310 784\r\n"
    ";$CE\r\n"
    "INPUTMOVEBYTEIO <addr+2> <eb>\r\n"
    "; a comment\r\n"
    "\r\n"
    "  5\t1 2\r\n"
    ";$CA\r\n"
    "OUTPUTMOVEWORDIO <addr> <ab>\r\n";

class ScanTableTest : public ::testing::Test {
 protected:
  ScanTableTest() {
    m_dir.writeFile("RUNTIME.VM1X/CARD.IOD", kCard);
    m_dir.writeFile("RUNTIME.VM1X/NOEA.IOD", ";$NE No layout\n;$CE\n1 2 3\n;$CA\n1 2 3\n");
    m_dir.writeFile("RUNTIME.VM1X/LATEEA.IOD", ";$CE\n1 2 3\n;$EA $300\n");
    m_dir.writeFile("RUNTIME.VM1X/BADLIST.IOD", ";$EA 1 1 1 1 $300 $xyz\n;$CE\n1 2 3\n");
    m_dir.writeFile("RUNTIME.VM1X/BADLINE.IOD",
                    ";$EA 1 1 1 1 $300\n;$CE\nFOO 1 2\n1 <ew+$FFFF> 0\n2 3 4\n");
  }

  std::vector<ScanCommand> build(ScanDirection direction, std::vector<std::string> entries) {
    return BuildScanTable(direction, {m_dir.path(), "VM1X", std::move(entries)}, m_log);
  }

  test::TempDir m_dir;
  TextLog m_log;
};

TEST_F(ScanTableTest, EntriesBecomeTheirScriptsSectionWithTheirPlaceFilledIn) {
  struct Case {
    const char* name;
    ScanDirection direction;
    std::vector<std::string> entries;
    std::vector<ScanCommand> table;
    std::string text;
    std::uint32_t errors;
  };
  const std::string invalidScript = "ERROR: Invalid IO scan script\r\n";
  const std::string invalidSwitch = "ERROR: Invalid IO module switch position\r\n";
  const std::string invalidEntry = "ERROR: Invalid entry in IO scan table of this project\r\n";
  const Case cases[] = {
      {"inputs",
       ScanDirection::Input,
       {"CARD.IOD,0,5,1"},
       {{1, 0x302, 10}, {5, 1, 2}},
       "Input Module:  CARD.IOD , 0 , 5 , 1\r\n",
       0},
      {"outputs",
       ScanDirection::Output,
       {"CARD.IOD, 2, 5, 1"},
       {{7, 0x310, 2}},
       "Output Module:  CARD.IOD , 2 , 5 , 1\r\n",
       0},
      {"decimal address, name in another case",
       ScanDirection::Output,
       {"card.iod,3,0,7"},
       {{7, 784, 14}},
       "Output Module:  card.iod , 3 , 0 , 7\r\n",
       0},
      {"position not decoded",
       ScanDirection::Input,
       {"CARD.IOD,1,0,0"},
       {},
       "Input Module:  CARD.IOD , 1 , 0 , 0\r\n" + invalidSwitch,
       1},
      {"position past the list",
       ScanDirection::Input,
       {"CARD.IOD,4,0,0"},
       {},
       "Input Module:  CARD.IOD , 4 , 0 , 0\r\n" + invalidSwitch,
       1},
      {"position past 15", ScanDirection::Input, {"CARD.IOD,16,0,0"}, {}, invalidSwitch, 1},
      {"three fields", ScanDirection::Input, {"CARD.IOD,0,0"}, {}, invalidEntry, 1},
      {"no name", ScanDirection::Input, {",0,0,0"}, {}, invalidEntry, 1},
      {"not installed",
       ScanDirection::Input,
       {"NONE.IOD,0,0,0"},
       {},
       "ERROR: Cannot read IO scan description (.IOD) for NONE.IOD\r\n",
       1},
      {"a path is no module",
       ScanDirection::Input,
       {"../RUNTIME.VM1X/CARD.IOD,0,0,0"},
       {},
       "ERROR: Cannot read IO scan description (.IOD) for ../RUNTIME.VM1X/CARD.IOD\r\n",
       1},
      {"no address list, correct section",
       ScanDirection::Input,
       {"NOEA.IOD,0,0,0"},
       {},
       "Input Module:  NOEA.IOD , 0 , 0 , 0\r\n" + invalidScript,
       1},
      {"address list after the section start",
       ScanDirection::Input,
       {"LATEEA.IOD,0,0,0"},
       {},
       "Input Module:  LATEEA.IOD , 0 , 0 , 0\r\n" + invalidScript,
       1},
      {"address list with a word that is no number",
       ScanDirection::Input,
       {"BADLIST.IOD,0,0,0"},
       {},
       "Input Module:  BADLIST.IOD , 0 , 0 , 0\r\n" + invalidScript,
       1},
      {"bad lines are passed over",
       ScanDirection::Input,
       {"BADLINE.IOD,0,1,0"},
       {{2, 3, 4}},
       "Input Module:  BADLINE.IOD , 0 , 1 , 0\r\n" + invalidScript +
           "ERROR: Value out of range in IO scan script BADLINE.IOD, line 4\r\n",
       2},
      {"the walk goes on after an error",
       ScanDirection::Input,
       {"NONE.IOD,0,0,0", "CARD.IOD,0,5,1"},
       {{1, 0x302, 10}, {5, 1, 2}},
       "ERROR: Cannot read IO scan description (.IOD) for NONE.IOD\r\n"
       "Input Module:  CARD.IOD , 0 , 5 , 1\r\n",
       1},
      // Its address list stands before the output section it lacks.
      {"a module without the direction's section adds nothing",
       ScanDirection::Output,
       {"LATEEA.IOD,0,0,0"},
       {},
       "Output Module:  LATEEA.IOD , 0 , 0 , 0\r\n",
       0},
  };
  for (const Case& c : cases) {
    m_log = TextLog();
    EXPECT_EQ(build(c.direction, c.entries), c.table) << c.name;
    EXPECT_EQ(m_log.text(), c.text) << c.name;
    EXPECT_EQ(m_log.errors(), c.errors) << c.name;
  }
}

TEST_F(ScanTableTest, TheTableStopsAtItsLimitWithOneErrorNamingModuleAndLine) {
  std::string big = ";$EA $300\r\n;$CE\r\n";
  for (int i = 0; i < 600; ++i) big += "NOP 0 " + std::to_string(i) + "\r\n";
  m_dir.writeFile("RUNTIME.VM1X/BIG.IOD", big);

  const auto table =
      build(ScanDirection::Input, {"BIG.IOD,0,0,0", "BIG.IOD,0,0,0", "CARD.IOD,0,0,0"});
  ASSERT_EQ(table.size(), kMaxScanCommands);
  EXPECT_EQ(table[599], (ScanCommand{37, 0, 599}));
  EXPECT_EQ(table[999], (ScanCommand{37, 0, 399}));
  EXPECT_EQ(m_log.errors(), 1u);
  EXPECT_NE(
      m_log.text().find("ERROR: Too many IO scan commands (at most 1000) at BIG.IOD, line 403\r\n"),
      std::string::npos)
      << m_log.text();
}

TEST_F(ScanTableTest, EntriesAreReadFromTheProjectUpToTheFirstEmptyOne) {
  m_dir.writeFile("Project.FW4",
                  "[VM1X_IO]\r\nIO_0=CARD.IOD,0,5,1\r\nIO_1=CARD.IOD,2,0,0\r\nIO_3=X.IOD,0,0,0\r\n"
                  "[VM2X_IO]\r\nIO_0=OTHER.IOD,0,0,0\r\n");
  const app::ProjectFile project(m_dir / "Project.FW4");
  EXPECT_EQ(ReadIoEntries(project, "VM1X"),
            (std::vector<std::string>{"CARD.IOD,0,5,1", "CARD.IOD,2,0,0"}));
  EXPECT_TRUE(ReadIoEntries(project, "RUD").empty());
}

TEST(ScanTablePayload, EachCommandIsEightLittleEndianBytes) {
  const std::vector<ScanCommand> table = {{1, 0x12345678, 0xABCD}, {74, 0, 1}};
  EXPECT_EQ(ScanTablePayload(table),
            (std::vector<std::uint8_t>{0x01, 0x00, 0x78, 0x56, 0x34, 0x12, 0xCD, 0xAB,  //
                                       0x4A, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00}));
  EXPECT_TRUE(ScanTablePayload({}).empty());
  EXPECT_EQ(ScanRecordType(ScanDirection::Input), 2);
  EXPECT_EQ(ScanRecordType(ScanDirection::Output), 3);
}

}  // namespace
}  // namespace zel::build
