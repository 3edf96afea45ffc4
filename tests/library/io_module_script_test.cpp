#include "library/io_module_script.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/io_module_list.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::library {
namespace {

TEST(IoModuleScript, ReadsEveryMarkerAndKeepsBothScanSections) {
  const std::string text =
      "; digital input card\r\n"
      ";$NE  Digital In 16  \t\r\n"
      ";$NR\t DI16 \r\n"
      ";$EA 4 0 2 0 $300 $0 $310 junk $320\r\n"
      ";$CE\r\n"
      "INPUTMOVEWORDIO <addr> <eb>\r\n"
      "; a comment stays for the build to skip\r\n"
      "\r\n"
      ";$CA\r\n"
      "NOP 0 0\r\n";
  const auto module = ParseIoModuleScript(text, "di16.iod");
  ASSERT_TRUE(module);
  EXPECT_EQ(module->fileName, "DI16.IOD");
  EXPECT_EQ(module->displayName, "Digital In 16");
  EXPECT_EQ(module->version3Name, "DI16");
  EXPECT_EQ((std::vector<int>{module->iwSize, module->owSize, module->in, module->out}),
            (std::vector<int>{4, 0, 2, 0}));
  // Reading stops at the first word that is not "$" and hexadecimal digits.
  EXPECT_EQ(module->allowedPositions(), (std::vector<int>{0, 2}));
  EXPECT_EQ(module->addressOf(2), 0x310u);
  EXPECT_EQ(module->addressOf(3), 0u);
  EXPECT_EQ(module->inputScan,
            (std::vector<std::string>{"INPUTMOVEWORDIO <addr> <eb>",
                                      "; a comment stays for the build to skip", ""}));
  EXPECT_EQ(module->outputScan, (std::vector<std::string>{"NOP 0 0"}));
}

TEST(IoModuleScript, OutputSectionFirstAndLfLineEnds) {
  const auto module = ParseIoModuleScript(
      ";$NE Out\n;$EA 0 2 0 1 $200\n;$CA\nOUTPUTMOVEBYTEIO <addr> <ab>\n;$CE\nNOP 0 0", "o.iod");
  ASSERT_TRUE(module);
  EXPECT_EQ(module->outputScan, (std::vector<std::string>{"OUTPUTMOVEBYTEIO <addr> <ab>"}));
  EXPECT_EQ(module->inputScan, (std::vector<std::string>{"NOP 0 0"}));
  EXPECT_FALSE(module->version3Name);
}

TEST(IoModuleScript, InvalidScripts) {
  const std::vector<std::string> invalid = {
      "",
      ";$EA 2 2 1 1 $300",                     // no name line
      ";$NE Card",                             // no layout line
      ";$NE Card\n;$EA 2 2 1",                 // three numbers
      ";$NE Card\n;$EA 2 2 1\n4",              // the fourth on another line
      ";$NE Card\n;$EA 2 2 x 1",               // a word that is no number
      ";$NE Card\n;$EA 2 -2 1 1",              // a negative extent
      ";$NE Card\n;$EA 2 2 1 99999999999999",  // beyond any address space
      ";$NR Card\n;$EA 2 2 1 1",               // the version-3 name is not the name
  };
  for (const auto& text : invalid) EXPECT_FALSE(ParseIoModuleScript(text, "x.iod")) << text;
}

TEST(IoModuleScript, MarkersAnywhereFirstOccurrenceCounts) {
  const auto module =
      ParseIoModuleScript("x ;$NE First\n;$NE Second\n  ;$EA 1 2 3 4\n;$EA 5 6 7 8", "a.iod");
  ASSERT_TRUE(module);
  EXPECT_EQ(module->displayName, "First");
  EXPECT_EQ(module->iwSize, 1);
  EXPECT_EQ(module->out, 4);
  EXPECT_EQ(module->allowedPositionCount(), 0u);
}

TEST(IoModuleScript, ReadsAtMost256SwitchAddresses) {
  std::string text = ";$NE Big\n;$EA 0 0 1 0";
  for (int i = 1; i <= 300; ++i) text += " $" + std::to_string(i);
  const auto module = ParseIoModuleScript(text, "big.iod");
  ASSERT_TRUE(module);
  EXPECT_EQ(module->allowedPositionCount(), kMaxSwitchPositions);
  EXPECT_EQ(module->addressOf(255), 0x256u);
  EXPECT_EQ(module->addressOf(256), 0u);
  EXPECT_EQ(module->addressOf(-1), 0u);
}

std::string WithAddresses(const std::vector<int>& allowed) {
  std::string text = ";$NE Card\n;$EA 0 0 1 0";
  std::vector<bool> on(static_cast<std::size_t>(allowed.empty() ? 0 : allowed.back() + 1));
  for (int p : allowed) on[static_cast<std::size_t>(p)] = true;
  for (std::size_t i = 0; i < on.size(); ++i) text += on[i] ? " $100" : " $0";
  return text;
}

TEST(IoModuleScript, SwitchListings) {
  struct Case {
    std::vector<int> allowed;
    std::string decimal;
    std::string hex;
  };
  const std::vector<Case> cases = {
      {{}, "", ""},
      {{0}, "0", "0"},
      {{0, 2}, "0, 2", "0, 2"},
      {{0, 1}, "0, 1", "0+1"},
      {{0, 1, 2}, "0, 1, 2", "0-2"},
      {{1, 2, 3, 5, 6, 9}, "1, 2, 3, 5, 6, 9", "1-3, 5+6, 9"},
      {{9, 10, 11, 12, 15, 16, 17, 26}, "9, 10, 11, 12, 15, 16, 17, 26", "9-C, F-11, 1A"},
      {{254, 255}, "254, 255", "FE+FF"},
  };
  for (const auto& c : cases) {
    const auto module = ParseIoModuleScript(WithAddresses(c.allowed), "c.iod");
    ASSERT_TRUE(module);
    EXPECT_EQ(ListSwitchPositionsDecimal(*module), c.decimal);
    EXPECT_EQ(ListSwitchPositionsHex(*module), c.hex);
  }
}

TEST(IoModuleList, LeavesOutInvalidScriptsWithAMessage) {
  test::TempDir dir;
  dir.writeFile("RUNTIME.VM1X/b.IOD", ";$NE B\n;$EA 2 2 1 1 $300\n");
  dir.writeFile("RUNTIME.VM1X/a.iod", ";$NE A\n;$EA 2 2 1\n");
  dir.writeFile("RUNTIME.VM1X/c.dmk", "[DRIVER]\n");
  test::ScriptedAnswers answers;
  const auto list = LoadIoModulesFrom(dir / "runtime.vm1x");
  ASSERT_EQ(list.count(), 1u);
  EXPECT_EQ(list.at(0).fileName, "B.IOD");
  EXPECT_TRUE(list.find("b.iod"));
  EXPECT_FALSE(list.find("a.iod"));
  EXPECT_EQ(answers.texts(), (std::vector<std::string>{"'" + (dir / "RUNTIME.VM1X/a.iod").string() +
                                                       "'\n\nInvalid IOD file format."}));
}

}  // namespace
}  // namespace zel::library
