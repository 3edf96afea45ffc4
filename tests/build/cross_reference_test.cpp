#include "build/cross_reference.h"

#include <gtest/gtest.h>

#include "build/usage_operands.h"
#include "platform/files.h"
#include "stl/codegen/operand_access.h"
#include "stl/codegen/usage.h"
#include "xref_import_fixture.h"

namespace zel::build::testing {
namespace {

using Lines = std::vector<std::string>;
namespace code = stl::code;

std::vector<unsigned> OneTo(unsigned count) {
  std::vector<unsigned> numbers;
  for (unsigned n = 1; n <= count; ++n) numbers.push_back(n);
  return numbers;
}

std::string Numbers(unsigned from, unsigned to) {
  std::string text;
  for (unsigned n = from; n <= to; ++n) {
    char field[8];
    std::snprintf(field, sizeof field, "%5u", n);
    text += field;
  }
  return text;
}

TEST(CrossReferenceLayout, NumbersPerLineNeverDropsBelowOne) {
  struct Case {
    std::size_t width;
    std::size_t perLine;
  };
  for (const Case& c : {Case{80, 10}, Case{81, 10}, Case{85, 11}, Case{40, 2}, Case{36, 1},
                        Case{35, 1}, Case{34, 1}, Case{30, 1}, Case{5, 1}, Case{0, 1}}) {
    EXPECT_EQ(NumbersPerLine(c.width), c.perLine) << "width " << c.width;
  }
}

TEST(CrossReferenceLayout, BlocksWrapTheirNumbersOnContinuationLines) {
  const std::string first = "I0.0     START      P05V1     ";
  const std::string more = std::string(30, ' ');
  struct Case {
    const char* what;
    std::size_t width;
    unsigned count;
    Lines expected;
  };
  const Case cases[] = {
      {"20 numbers at width 80", 80, 20, {first + Numbers(1, 10), more + Numbers(11, 20)}},
      {"exactly one line full", 80, 10, {first + Numbers(1, 10)}},
      {"one number", 80, 1, {first + Numbers(1, 1)}},
      {"width 45 holds three",
       45,
       7,
       {first + Numbers(1, 3), more + Numbers(4, 6), more + Numbers(7, 7)}},
      {"too narrow still prints one per line",
       20,
       3,
       {first + Numbers(1, 1), more + Numbers(2, 2), more + Numbers(3, 3)}},
  };
  for (const Case& c : cases) {
    const CrossReference::Uses uses{{"P05V1", OneTo(c.count)}};
    EXPECT_EQ(OperandBlock("I0.0", "START", uses, c.width), c.expected) << c.what;
  }
}

TEST(CrossReferenceLayout, LaterModulesOfAnOperandStartBlank) {
  const CrossReference::Uses uses{{"B10V1", {0}}, {"P00V1", {4, 12}}};
  EXPECT_EQ(
      OperandBlock("FW1200", "", uses, 80),
      (Lines{"FW1200              B10V1         0", "                    P00V1         4   12"}));
  // "%5u": a number wider than five places pushes the next along.
  EXPECT_EQ(OperandBlock("R1", "", {{"P01V1", {7, 99999, 123456, 3}}}, 80),
            (Lines{"R1                  P01V1         799999123456    3"}));
  // An operand as long as its column and a symbol of nine still leave the module column.
  EXPECT_EQ(OperandBlock("I99.15.15", "Long_Name", {{"P01V1", {7}}}, 80),
            (Lines{"I99.15.15Long_Name  P01V1         7"}));
}

TEST(UsedOperands, EveryKindOfRecordNamesItsOperand) {
  code::UsageCollector usage;
  usage.markWord(code::kInputWords + 2 * 3);            // EW3
  usage.markBit(code::kOutputWords + 2 * 2 + 1, 0x02);  // A2.9: its word AW2
  usage.markWord(code::kFlagWords + 2 * 9999);          // MW9999
  usage.markBit(code::kFlagWords, 0x01);                // M0.0: MW0
  usage.markWord(code::kRegisters + 2 * 255);           // R255
  usage.markBit(code::kPrograms + 2 * 63, 0x02);        // P63
  usage.markWord(code::kFunctionWords);                 // O0
  usage.markBit(code::CounterStatus(7), 0x01);          // Z7
  usage.markWord(code::CounterPreselect(7));            // ZV7
  usage.markWord(code::CounterWord(255));               // ZW255
  usage.markBit(code::TimerStatus(0), 0x01);            // T0
  usage.markWord(code::TimerPreselect(1));              // TV1
  usage.markWord(code::TimerStatus(255) + 4);           // TW255
  usage.markBit(code::kFaultWord, 0x01);                // F
  usage.markCfm(0);
  usage.markCmp(99);
  const auto file = ModuleFile(usage.records());
  const std::span bytes(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
  const auto header = ReadModuleHeader(bytes);
  ASSERT_TRUE(header);
  const auto read = ReadModuleUsage(bytes, *header);
  ASSERT_TRUE(read);
  EXPECT_EQ(UsedOperands(*read), (Lines{"EW3", "AW2", "MW0", "MW9999", "R255", "P63", "O0", "Z7",
                                        "ZV7", "ZW255", "T0", "TV1", "TW255", "F", "g0", "c99"}));
}

TEST(UsedOperands, AnEmptyMapNamesNothing) {
  ModuleUsage usage;
  usage.operands.assign(kUsageMapSize, 0);
  EXPECT_TRUE(UsedOperands(usage).empty());
  usage.operands.clear();  // a map cut short is read as far as it goes
  EXPECT_TRUE(UsedOperands(usage).empty());
}

class CrossReferenceTest : public ProjectFixture {
 protected:
  CrossReferenceProject project() const {
    return CrossReferenceProjectOf(m_model, m_root / "program");
  }
  bool build() {
    m_log = TextLog();
    return m_xref.build(project(), m_log);
  }
  Lines modulesOf(const std::string& operand) const {
    Lines names;
    for (const auto& [module, lines] : m_xref.table().at(operand)) names.push_back(module);
    return names;
  }

  CrossReference m_xref;
  TextLog m_log;
};

TEST_F(CrossReferenceTest, ReadsEveryKindOfModuleAndSaysWhatItDid) {
  writeFile("CZ0P00V1.awl", "x");
  writeFile("CZ0P00V1.XREF", "E0.0 3\nMW5 4\nE0.0 9\n");
  writeFile("cz0p01v1.kop", "x");
  writeFile("cz0p01v1.xref", "MW5 1\r\n");
  writeFile("CZ0P02V1.awl", "x");  // compiled with errors: no cross reference
  code::UsageCollector usage;
  usage.markWord(code::kFlagWords + 10);  // MW5
  usage.markCmp(4);
  writeFile("CZ0B10V1.VM1X.OBJ", ModuleFile(usage.records()));
  openProject({"CZ0P00V1.awl,1,a", "cz0p01v1.kop,1,b", "CZ0P02V1.awl,1,c", "CZ0B10V1.IMP,1,d",
               "CZ0P03V1.txt,1,e"});

  ASSERT_TRUE(build());
  EXPECT_EQ(m_log.text(),
            "\r\nZEL Project Cross Reference\r\n\r\n"
            "analysing CZ0P00V1.awl\r\n"
            "analysing cz0p01v1.kop\r\n"
            "analysing CZ0P02V1.awl\r\n"
            "Cross Reference: Cannot access " +
                (m_dir / "CZ0P02V1.XREF").string() +
                "\r\n"
                "analysing CZ0B10V1.IMP\r\n"
                "analysing CZ0P03V1.txt\r\n"
                "Cross Reference: CZ0P03V1.txt is not a known module type\r\n");
  EXPECT_FALSE(m_xref.recent());
  EXPECT_EQ(m_xref.sortedOperands(), (Lines{"E0.0", "MW5", "c4"}));
  EXPECT_EQ(m_xref.linesOf("E0.0", "P00V1"), (std::vector<unsigned>{3, 9}));
  EXPECT_EQ(modulesOf("MW5"), (Lines{"B10V1", "P00V1", "p01v1"}));
  EXPECT_EQ(m_xref.linesOf("MW5", "B10V1"), (std::vector<unsigned>{0}));
  EXPECT_EQ(m_xref.linesOf("MW5", "p01v1"), (std::vector<unsigned>{1}));
  EXPECT_EQ(m_xref.linesOf("c4", "B10V1"), (std::vector<unsigned>{0}));
}

TEST_F(CrossReferenceTest, ImportedObjectFilesThatFailTheirChecksAreSkipped) {
  code::UsageCollector usage;
  usage.markWord(code::kRegisters);  // R0
  const auto used = usage.records();
  std::string cut = ModuleFile(used);
  cut.resize(cut.size() - 300);  // usage records cut short
  struct Case {
    const char* what;
    std::string entry;
    std::string objectName;
    std::string object;
    bool listed;
  };
  const Case cases[] = {
      {"a valid module", "CZ0B01V1.IMP,1,x", "CZ0B01V1.VM1X.OBJ", ModuleFile(used), true},
      {"object file in another case", "CZ0F01V1.IMP,1,x", "cz0f01v1.vm1x.obj", ModuleFile(used),
       true},
      {"no object file for this type", "CZ0B02V1.IMP,1,x", "CZ0B02V1.VM2X.OBJ", ModuleFile(used),
       false},
      {"a module in C carries no records", "CZ0B03V1.IMP,1,x", "CZ0B03V1.VM1X.OBJ",
       ModuleFile(used, 2), false},
      {"unknown language", "CZ0B04V1.IMP,1,x", "CZ0B04V1.VM1X.OBJ", ModuleFile(used, 3), false},
      {"minor version out of range", "CZ0B05V1.IMP,1,x", "CZ0B05V1.VM1X.OBJ",
       ModuleFile(used, 0, 0x9A), false},
      {"records cut short", "CZ0B06V1.IMP,1,x", "CZ0B06V1.VM1X.OBJ", cut, false},
      {"shorter than a header", "CZ0B07V1.IMP,1,x", "CZ0B07V1.VM1X.OBJ",
       ModuleFile(used).substr(0, 127), false},
      {"larger than any module", "CZ0B08V1.IMP,1,x", "CZ0B08V1.VM1X.OBJ",
       ModuleFile(used) + std::string(1 << 20, '\0'), false},
      {"program number 64", "CZ0P64V1.IMP,1,x", "CZ0P64V1.VM1X.OBJ", ModuleFile(used), false},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    writeFile(c.objectName, c.object);
    openProject({c.entry});
    ASSERT_TRUE(build()) << c.what;
    EXPECT_EQ(m_xref.table().count("R0"), c.listed ? 1u : 0u) << c.what;
    EXPECT_TRUE(m_xref.recent()) << c.what;
  }
}

TEST_F(CrossReferenceTest, NotRecentWhenTheSourcesChangedAfterTheCrossReference) {
  constexpr std::int64_t kXref = 1'700'000'000;
  struct Case {
    const char* what;
    std::int64_t source;
    std::optional<std::int64_t> allocationList;
    bool recent;
  };
  const Case cases[] = {
      {"all older", kXref - 100, kXref - 100, true},
      {"within the slack", kXref + 2, kXref + 2, true},
      {"allocation list edited later", kXref - 100, kXref + 3, false},
      {"source edited later", kXref + 3, kXref - 100, false},
      {"no allocation list", kXref, std::nullopt, true},
  };
  for (const Case& c : cases) {
    TearDown();
    SetUp();
    writeFile("CZ0P00V1.awl", "x");
    writeFile("CZ0P00V1.XREF", "E0.0 1\n");
    setTime("CZ0P00V1.XREF", kXref);
    setTime("CZ0P00V1.awl", c.source);
    if (c.allocationList) {
      writeFile("c.bel", "");
      setTime("c.bel", *c.allocationList);
    }
    openProject({"CZ0P00V1.awl,1,a"});
    ASSERT_TRUE(build()) << c.what;
    EXPECT_EQ(m_xref.recent(), c.recent) << c.what;
    EXPECT_EQ(m_xref.table().count("E0.0"), 1u) << c.what;
  }
}

TEST_F(CrossReferenceTest, SortsByTheAllocationListsOperandOrder) {
  writeFile("CZ0P00V1.awl", "x");
  writeFile("CZ0P00V1.XREF",
            "MW5 1\nE1.0.0 1\nE0.1 1\nA1.0 1\n@5 1\nc3 1\nE1.0 1\nE0.0 1\nEW3 1\ng0 1\n"
            "garbage 1\nM0.1 1\nMW12 1\nE0.10 1\nAW2.1 1\nZ1 1\n@-2 1\n");
  openProject({"CZ0P00V1.awl,1,a"});
  ASSERT_TRUE(build());
  EXPECT_EQ(m_xref.sortedOperands(),
            (Lines{"@-2", "@5", "A1.0", "AW2.1", "E0.0", "E0.1", "E0.10", "E1.0", "E1.0.0", "EW3",
                   "M0.1", "MW5", "MW12", "Z1", "c3", "g0", "garbage"}));
}

TEST_F(CrossReferenceTest, AModuleListedTwiceIsOneEntryWithTheLinesOfBoth) {
  writeFile("CZ0P00V1.awl", "x");
  writeFile("CZ0P00V1.XREF", "E0.0 4\nE0.0 2\n");
  writeFile("CZ0P01V1.awl", "x");
  writeFile("CZ0P01V1.XREF", "E0.0 1\n");
  openProject({"CZ0P01V1.awl,1,a", "CZ0P00V1.awl,1,b", "CZ0P00V1.awl,1,c"});
  ASSERT_TRUE(build());
  EXPECT_EQ(modulesOf("E0.0"), (Lines{"P00V1", "P01V1"}));
  EXPECT_EQ(m_xref.linesOf("E0.0", "P00V1"), (std::vector<unsigned>{4, 2, 4, 2}));
}

TEST_F(CrossReferenceTest, XrefLinesThatDoNotParseAreLeftOut) {
  writeFile("CZ0P00V1.awl", "x");
  writeFile("CZ0P00V1.XREF", "E0.0 1\n\nnoblank\n 5\nE0.1 x\nE0.2 99999999999\nE0.3 7 \nM0.0 2");
  openProject({"CZ0P00V1.awl,1,a"});
  ASSERT_TRUE(build());
  EXPECT_EQ(m_xref.sortedOperands(), (Lines{"E0.0", "E0.3", "M0.0"}));
  EXPECT_EQ(m_xref.linesOf("E0.3", "P00V1"), (std::vector<unsigned>{7}));
}

TEST_F(CrossReferenceTest, FailsWithoutAProjectOrItsParts) {
  struct Case {
    const char* what;
    CrossReferenceProject project;
    std::string message;
  };
  const Case cases[] = {
      {"no project", {"/p", "", "VM1X", "/r", {}}, "Cross Reference: No project open\r\n"},
      {"no type",
       {"/p", "X", "", "/r", {}},
       "Cross Reference: Cannot initialise Cross Reference\r\n"},
      {"no run-time folder",
       {"/p", "X", "VM1X", "", {}},
       "Cross Reference: Cannot initialise Cross Reference\r\n"},
  };
  for (const Case& c : cases) {
    TextLog log;
    EXPECT_FALSE(m_xref.build(c.project, log)) << c.what;
    EXPECT_EQ(log.text(), "\r\nZEL Project Cross Reference\r\n\r\n" + c.message) << c.what;
    EXPECT_TRUE(m_xref.table().empty()) << c.what;
  }
}

TEST_F(CrossReferenceTest, ListShowsDisplayNotationSymbolsAndTheWarning) {
  writeFile("CZ0P00V1.awl", "x");
  writeFile("CZ0P00V1.XREF", "E0.0 3\nbad 4\nMW5 6\n");
  writeFile("CZ0P01V1.awl", "x");
  stl::AllocationList symbols;
  symbols.setPath(m_dir / "C.BEL");
  stl::AllocationEntry entry;
  ASSERT_TRUE(stl::StoredToDisplay("MW5", entry.operand));
  entry.symbol = "Level";
  symbols.append(entry);
  openProject({"CZ0P00V1.awl,1,a", "CZ0P01V1.awl,1,b"});
  ASSERT_TRUE(build());
  EXPECT_EQ(m_xref.list(80, symbols),
            (Lines{"Cross Reference for Project DEMO", "",
                   "Operand  Symbol     Program     Used in line/rung", std::string(49, '-'),
                   "I0.0                P00V1         3", "FW5      Level      P00V1         6",
                   "?                   P00V1         4", "",
                   "WARNING: This Cross Reference is not recent."}));

  ASSERT_TRUE(WriteCrossReferenceFile(m_dir, m_xref.list(80, symbols)));
  const std::string written = readFile("XREF.txt");
  EXPECT_EQ(written.substr(0, 34), "Cross Reference for Project DEMO\r\n");
  EXPECT_EQ(written.substr(written.size() - 46),
            "WARNING: This Cross Reference is not recent.\r\n");
}

TEST_F(CrossReferenceTest, ARecentListEndsWithItsLastOperand) {
  writeFile("CZ0P00V1.awl", "x");
  writeFile("CZ0P00V1.XREF", "A0.1 3\n");
  setTime("CZ0P00V1.awl", 1'700'000'000);
  setTime("CZ0P00V1.XREF", 1'700'000'000);
  openProject({"CZ0P00V1.awl,1,a"});
  ASSERT_TRUE(build());
  const auto lines = m_xref.list(80, stl::AllocationList());
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "O0.1                P00V1         3");
}

}  // namespace
}  // namespace zel::build::testing
