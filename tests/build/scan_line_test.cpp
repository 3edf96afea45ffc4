#include "build/scan_line.h"

#include <gtest/gtest.h>

#include "build/scan_commands.h"

namespace zel::build {
namespace {

TEST(ScanCommands, LookupTakesCodesAndTheFirstNameTheTextBeginsWith) {
  struct Case {
    const char* text;
    std::optional<std::uint16_t> code;
  };
  const Case cases[] = {
      {"JUMP", 58},
      {"JUMPONZERO", 24},
      {"jumponnonzero", 25},
      {"Jump", 58},
      {"ENDOFTABLE", 0},
      {"CPUVERIFY", 74},
      {"?SHL?", 30},
      {"EQ", 55},
      {"NE", 56},
      {"0", 0},
      {"74", 74},
      {"75", 75},  // a code the kernel may know though the table does not
      {"65535", 65535},
      {"65536", std::nullopt},
      {"12X", std::nullopt},
      {"SHL", std::nullopt},
      {"JUM", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LookupScanCommand(c.text), c.code) << c.text;
  }
}

TEST(ScanCommands, NamesAreTheTableInCodeOrder) {
  EXPECT_EQ(ScanCommandName(0), "ENDOFTABLE");
  EXPECT_EQ(ScanCommandName(24), "JUMPONZERO");
  EXPECT_EQ(ScanCommandName(58), "JUMP");
  EXPECT_EQ(ScanCommandName(74), "CPUVERIFY");
  EXPECT_EQ(ScanCommandName(75), "");
  // Every name looks up to its own code unless an earlier name is its beginning.
  for (std::uint16_t code = 0; code < kScanCommandCount; ++code) {
    const auto found = LookupScanCommand(ScanCommandName(code));
    ASSERT_TRUE(found) << code;
    EXPECT_LE(*found, code);
    EXPECT_EQ(ScanCommandName(code).substr(0, ScanCommandName(*found).size()),
              ScanCommandName(*found));
  }
}

TEST(ScanLine, ReadsCommandsArgumentsAndPlaceholders) {
  // A card at 0x300 with its first input word 3 and first output word 2.
  const ScanPlaceholders values{0x300, 3, 2};
  struct Case {
    const char* line;
    ScanCommand command;
  };
  const Case cases[] = {
      {"INPUTMOVEBYTEIO <addr+2> <eb>", {1, 0x302, 6}},
      {"1 <ew+$10> 0", {1, 19, 0}},
      {"1 <ab-1> 0", {1, 3, 0}},
      {"1 <aw> <AB>", {1, 2, 4}},
      {"1 < ew> <Addr-$300>", {1, 3, 0}},
      {"JUMP $1F 10", {58, 0x1F, 10}},
      {"  \tJUMPONZERO\t4294967295  65535", {24, 0xFFFFFFFF, 0xFFFF}},
      {"3 $fFfF 0\r\n", {3, 0xFFFF, 0}},
      {"3 1 2 ; what it moves", {3, 1, 2}},
      {"3 1 2;", {3, 1, 2}},
  };
  for (const Case& c : cases) {
    const ScanLine line = ParseScanLine(c.line, values);
    EXPECT_EQ(line.status, ScanLineStatus::Command) << c.line;
    EXPECT_EQ(line.command, c.command) << c.line;
  }
}

TEST(ScanLine, RefusesWhatIsNoCommandLineAndPassesOverComments) {
  const ScanPlaceholders values{0x300, 3, 2};
  struct Case {
    const char* line;
    ScanLineStatus status;
  };
  const Case cases[] = {
      {"", ScanLineStatus::Blank},
      {" \t ", ScanLineStatus::Blank},
      {"; INPUTMOVEBYTEIO 1 2", ScanLineStatus::Blank},
      {"\t;\r", ScanLineStatus::Blank},
      {"FOO 1 2", ScanLineStatus::Invalid},
      {"1 2", ScanLineStatus::Invalid},
      {"1", ScanLineStatus::Invalid},
      {"1 2 3 4", ScanLineStatus::Invalid},
      {"1 2x 3", ScanLineStatus::Invalid},
      {"1 $ 3", ScanLineStatus::Invalid},
      {"1 $G 3", ScanLineStatus::Invalid},
      {"1 -3 3", ScanLineStatus::Invalid},
      {"1 <xy> 3", ScanLineStatus::Invalid},
      {"1 <ew+> 3", ScanLineStatus::Invalid},
      {"1 <ew 3", ScanLineStatus::Invalid},
      {"1 <ew +1> 3", ScanLineStatus::Invalid},
      {"1 <ew*2> 3", ScanLineStatus::Invalid},
      {"1 <ew>> 3", ScanLineStatus::Invalid},
      {"1 2\t<ew>x", ScanLineStatus::Invalid},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseScanLine(c.line, values).status, c.status) << c.line;
  }
}

TEST(ScanLine, ValuesThatDoNotFitAreRefusedNeverWrapped) {
  struct Case {
    const char* line;
    ScanPlaceholders values;
  };
  const Case cases[] = {
      {"1 4294967296 0", {0x300, 3, 2}},   {"1 $100000000 0", {0x300, 3, 2}},
      {"1 0 65536", {0x300, 3, 2}},        {"1 0 $10000", {0x300, 3, 2}},
      {"1 <ab-5> 0", {0x300, 3, 2}},       {"1 <ew-4> 0", {0x300, 3, 2}},
      {"1 0 <addr+$FD00>", {0x300, 3, 2}}, {"1 <addr> 0", {0x10000, 3, 2}},
      {"1 <eb> 0", {0x300, 0x8000, 2}},    {"1 <ew+99999999999999999999999> 0", {0x300, 3, 2}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseScanLine(c.line, c.values).status, ScanLineStatus::OutOfRange) << c.line;
  }
  // The largest values that fit.
  EXPECT_EQ(ParseScanLine("1 <eb> <addr+$FC00>", {0x3FF, 0x7FFF, 0}).command,
            (ScanCommand{1, 0xFFFE, 0xFFFF}));
}

}  // namespace
}  // namespace zel::build
