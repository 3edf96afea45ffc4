// The code generation pass as a whole: its reports in the message window and the log, and
// the compiled module file it lays out.

#include "stl/codegen/code_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "stl/codegen/translator.h"
#include "stl/lang/fieldbus_config.h"

namespace zel::stl {
namespace {

constexpr const char* kModule = "CZ0P05V1";

std::uint16_t WordAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8);
}

CodeGenResult Generate(std::string_view intermediate,
                       std::optional<std::string> fieldbus = std::nullopt) {
  return GenerateCode(intermediate, {kModule, [fieldbus] { return fieldbus; }});
}

std::string Window(const CodeGenResult& result) {
  std::string text;
  for (const CodeGenLine& line : result.lines) text += line.window;
  return text;
}

std::string Log(const CodeGenResult& result) {
  std::string text;
  for (const CodeGenLine& line : result.lines) text += line.log;
  return text;
}

struct ReportCase {
  const char* name;
  std::string intermediate;
  int errors;
  std::string window;
  std::string log;
};

void PrintTo(const ReportCase& c, std::ostream* os) {
  *os << c.name;
}

class CodeGeneratorReports : public testing::TestWithParam<ReportCase> {};

TEST_P(CodeGeneratorReports, ReadAsTheMessageWindowAndTheLogShowThem) {
  const ReportCase& c = GetParam();
  const CodeGenResult result = Generate(c.intermediate);
  EXPECT_EQ(result.errors, c.errors);
  EXPECT_EQ(Window(result), c.window);
  EXPECT_EQ(Log(result), c.log);
  EXPECT_TRUE(result.object.empty());
  EXPECT_EQ(result.codeSize, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CodeGeneratorReports,
    testing::Values(
        ReportCase{"MissingStepCountsAndGoesOn", "wE0.0db7\n\nwE0.1db8\n", 2,
                   "CZ0P05V1(1) ERROR: step missing.\r\nCZ0P05V1(3) ERROR: step missing.\r\n",
                   "CZ0P05V1(1) ERROR: step missing.\nCZ0P05V1(3) ERROR: step missing.\n"},
        ReportCase{"StepDefinedTwice", "#1\nwE0.0dsA0.0\n#1\nwE0.1dsA0.1\n", 1,
                   "CZ0P05V1(3) ERROR: multiple defined step.\r\n",
                   "CZ0P05V1(3) ERROR: multiple defined step.\n"},
        ReportCase{"UnknownCharacterStops", "wE0.0\nd%sA0.0\n", 1,
                   "CZ0P05V1(2)  Compiler: Unknown operation \r\n", "Compilation terminated\n"},
        ReportCase{"SyntaxErrorRecovers", "wE0.0sA0.0\n", 1,
                   "CZ0P05V1(1)  Compiler: Syntax error\r\n", "Compilation terminated\n"},
        ReportCase{"OverlongTokenIsAnException", "sM" + std::string(400, '1') + ".0\n", 1,
                   "Compilation terminated by exception\r\nToken buffer overflow\r\n",
                   "Compilation terminated\n"},
        ReportCase{"ConstantBeyondAWordIsNotCut", "lMW1+@70000qMW2\n", 1,
                   "CZ0P05V1(1)  Compiler: internal ERROR 11.\r\n", "Compilation terminated\n"},
        ReportCase{"FieldbusWithoutConfiguration", "\nwE1.0.0dsA0.0\n", 1,
                   "CZ0P05V1(2)  Compiler: Kolva Fieldbus not configured\r\n",
                   "Compilation terminated\n"},
        ReportCase{"FaultsBeforeAStopComeFirst", "wE0.0db7\n#1\n#1\nw%", 2,
                   "CZ0P05V1(3) ERROR: multiple defined step.\r\nCZ0P05V1(4)  Compiler: "
                   "Unknown operation \r\n",
                   "CZ0P05V1(3) ERROR: multiple defined step.\nCompilation terminated\n"}));

TEST(CodeGenerator, CodeSegmentOverflowLeavesNoObject) {
  std::string program;
  for (int i = 0; i < 14000; ++i) program += "sA0.0\n";  // five bytes of code each
  const CodeGenResult result = Generate(program);
  EXPECT_EQ(result.errors, 1);
  EXPECT_TRUE(result.object.empty());
  // The line of the SET whose code no longer fits.
  EXPECT_EQ(Window(result), "CZ0P05V1(12994)  Compiler: code segment overflow.\r\n");
  EXPECT_EQ(Log(result), "Compilation terminated\n");
}

TEST(CodeGenerator, LaysOutTheCompiledModuleFile) {
  std::string config(kFieldbusConfigSize, '\0');
  config[3 * kFieldbusRecordSize] = 0x21;  // station 3: word units
  config[3 * kFieldbusRecordSize + 3] = 8;
  config[3 * kFieldbusRecordSize + 6] = 8;
  const CodeGenResult result = Generate("wE0.0uE3.2.9dsA0.1c5g7\nlMW2qAW3.1\n", config);
  ASSERT_EQ(result.errors, 0) << Window(result);
  const std::size_t n = result.codeSize;
  const std::vector<std::uint8_t>& file = result.object;
  const std::size_t map = code::kHeaderSize + n;
  ASSERT_EQ(file.size(), map + code::kOperandAreaSize + 400 + 2 + 4);

  const std::pair<std::size_t, std::uint16_t> header[] = {
      {0, 0x7EEB}, {2, 0},  {4, 36}, {6, 2},
      {8, 0},      {20, 0}, {22, 0}, {24, static_cast<std::uint16_t>(n + 128)},
      {26, 27298}, {28, 0}, {126, 0}};
  for (const auto& [at, value] : header) EXPECT_EQ(WordAt(file, at), value) << "header " << at;
  EXPECT_EQ(file[128], 0x55);  // the code follows the header at once

  EXPECT_EQ(file[map + 0], 0x01);               // E0.0
  EXPECT_EQ(file[map + 512], 0x02);             // A0.1
  EXPECT_EQ(WordAt(file, map + 1028), 0xFFFF);  // MW2
  const std::size_t cmp = map + code::kOperandAreaSize;
  for (std::size_t i = 0; i < 100; ++i) {
    EXPECT_EQ(WordAt(file, cmp + 2 * i), i == 5 ? 1 : 0) << "CMP " << i;
    EXPECT_EQ(WordAt(file, cmp + 200 + 2 * i), i == 7 ? 1 : 0) << "CFM " << i;
  }
  EXPECT_EQ(WordAt(file, cmp + 400), 1);  // one station
  // Station 3, its type, input word 2 and output word 1 used: units doubled for words.
  EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + cmp + 402, file.end()),
            (std::vector<std::uint8_t>{3, 0x21, 6, 4}));

  char size[32];
  std::snprintf(size, sizeof size, "%5u Bytes Machine Code", static_cast<unsigned>(n));
  EXPECT_EQ(MachineCodeLine(n), size);
  EXPECT_TRUE(result.lines.empty()) << Window(result);
}

TEST(CodeGenerator, ModulesWithoutStepsHaveNoStepCode) {
  // Writing the active step or the condition image is step code (26 89 45 22, 26 C7 45 ..).
  for (const char* module : {"CZ0P05V1", "CZ0F20V1"}) {
    const CodeGenResult result =
        GenerateCode("wE0.0dsA0.0frA0.0\nwMW1>@3dlMW1qMW2\n", {module, {}});
    EXPECT_EQ(result.errors, 0) << module;
    if (result.object.size() < 128 + result.codeSize) continue;
    const std::vector<std::uint8_t> activeStep{0x45, 0x22};
    const auto code = std::vector<std::uint8_t>(result.object.begin() + 128,
                                                result.object.begin() + 128 + result.codeSize);
    EXPECT_EQ(std::search(code.begin(), code.end(), activeStep.begin(), activeStep.end()),
              code.end())
        << module;
  }
}

}  // namespace
}  // namespace zel::stl
