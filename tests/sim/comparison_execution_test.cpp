// What compiled word comparisons mean: the six operators compare unsigned, whichever way
// the right side is reached, and their one-bit result combines like any other bit.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "sim/support/program_run.h"

namespace zel::emu {
namespace {

using Word = std::uint16_t;

struct Operator {
  const char* text;
  std::function<bool(Word, Word)> holds;
};

const std::vector<Operator> kOperators{
    {"<", [](Word l, Word r) { return l < r; }},  {"<=", [](Word l, Word r) { return l <= r; }},
    {"=", [](Word l, Word r) { return l == r; }}, {">=", [](Word l, Word r) { return l >= r; }},
    {">", [](Word l, Word r) { return l > r; }},  {"<>", [](Word l, Word r) { return l != r; }},
};

const std::vector<std::pair<Word, Word>> kPairs{
    {0, 0},           {1, 0},           {0, 1},           {5, 5},
    {0xFFFF, 1},      {1, 0xFFFF},      {0x8000, 0x7FFF}, {0x7FFF, 0x8000},
    {0xFFFF, 0xFFFF}, {0x1234, 0x1235}, {0, 0xFFFF},      {0x0100, 0x00FF},
};

std::string Pair(Word l, Word r) {
  return "left=" + std::to_string(l) + " right=" + std::to_string(r);
}

// Runs `IF condition THEN SET O0.0 OTHRW SET O0.1` with FW1, FW2 and I0.0 set.
void ExpectCondition(ProgramRun& program, Word fw1, Word fw2, bool i00, bool want) {
  program.reset();
  program.setWord(FlagWord(1), fw1);
  program.setWord(FlagWord(2), fw2);
  program.setBit(InputBit(0, 0), i00);
  const RunResult run = program.run();
  ASSERT_TRUE(RanCleanly(run)) << Pair(fw1, fw2);
  EXPECT_EQ(program.bit(OutputBit(0, 0)), want) << Pair(fw1, fw2) << " I0.0=" << i00;
  EXPECT_EQ(program.bit(OutputBit(0, 1)), !want) << Pair(fw1, fw2) << " I0.0=" << i00;
  EXPECT_EQ(program.word(FlagWord(1)), fw1);
  EXPECT_EQ(program.word(FlagWord(2)), fw2);
}

std::string Sentence(const std::string& condition) {
  return "IF " + condition + " THEN SET O0.0 OTHRW SET O0.1\n";
}

// Each form writes the comparison of FW1 with FW2 with the operator at {op}, reaching
// the right side (or the left one) by another path; `combine` adds I0.0 around it.
struct Form {
  const char* text;
  std::function<bool(bool comparison, bool i00)> combine;
};

std::string WithOperator(std::string text, const char* op) {
  text.replace(text.find("{op}"), 4, op);
  return text;
}

TEST(ComparisonExecutionTest, EachOperatorWhateverTheSides) {
  const auto alone = [](bool c, bool) { return c; };
  const std::vector<Form> forms{
      {"FW1 {op} FW2", alone},
      {"FW1 {op} FW2 + V0", alone},
      {"FW1 + V0 {op} FW2", alone},
      {"FW1 * V1 {op} FW2 - V0", alone},
      {"I0.0 AND (FW1 {op} V0 + FW2)", [](bool c, bool i) { return i && c; }},
      {"FW1 {op} (FW2 EXOR V0)", alone},
      {"(FW1 {op} FW2)", alone},
      {"FW1 INV INV {op} FW2 SWAP SWAP", alone},
      {"I0.0 AND (FW1 {op} FW2)", [](bool c, bool i) { return i && c; }},
      {"I0.0 OR (FW1 {op} FW2)", [](bool c, bool i) { return i || c; }},
      {"I0.0 EXOR (FW1 {op} FW2)", [](bool c, bool i) { return i != c; }},
      {"(FW1 {op} FW2) AND N I0.0", [](bool c, bool i) { return c && !i; }},
      {"N (FW1 {op} FW2)", [](bool c, bool) { return !c; }},
      {"N I0.0 OR N (FW1 {op} FW2)", [](bool c, bool i) { return !i || !c; }},
  };
  for (const Form& form : forms) {
    for (const Operator& op : kOperators) {
      const std::string text = Sentence(WithOperator(form.text, op.text));
      SCOPED_TRACE(text);
      ProgramRun program(text);
      ASSERT_TRUE(program.ready());
      for (const auto& [l, r] : kPairs) {
        for (const bool i00 : {false, true}) {
          ExpectCondition(program, l, r, i00, form.combine(op.holds(l, r), i00));
        }
      }
    }
  }
}

TEST(ComparisonExecutionTest, ConstantRightSide) {
  for (const Operator& op : kOperators) {
    for (const auto& [l, r] : kPairs) {
      const std::string text = Sentence(std::string("FW1 ") + op.text + " V" + std::to_string(r));
      SCOPED_TRACE(text);
      ProgramRun program(text);
      ASSERT_TRUE(program.ready());
      ExpectCondition(program, l, 0, false, op.holds(l, r));
    }
  }
}

// Two comparisons in one condition, each in its own brackets; both sides pend in turn.
TEST(ComparisonExecutionTest, ComparisonsCombined) {
  struct Case {
    const char* condition;
    std::function<bool(Word, Word, bool)> expected;
  };
  const std::vector<Case> cases{
      {"(FW1 > FW2) EXOR (FW2 > FW1)", [](Word l, Word r, bool) { return l != r; }},
      {"(FW1 >= V$8000) AND (FW2 < V$8000) OR I0.0",
       [](Word l, Word r, bool i) { return (l >= 0x8000 && r < 0x8000) || i; }},
      {"I0.0 AND ((FW1 = FW2) OR (FW1 - FW2 = V1))",
       [](Word l, Word r, bool i) { return i && (l == r || Word(l - r) == 1); }},
      {"(FW1 * V2 < FW2 / V2) AND N (FW1 <> V0)",
       [](Word l, Word r, bool) {
         return Word(static_cast<std::int16_t>(l) * 2) < Word(static_cast<std::int16_t>(r) / 2) &&
                l == 0;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.condition);
    ProgramRun program(Sentence(c.condition));
    ASSERT_TRUE(program.ready());
    for (const auto& [l, r] : kPairs) {
      for (const bool i00 : {false, true}) {
        ExpectCondition(program, l, r, i00, c.expected(l, r, i00));
      }
    }
  }
}

}  // namespace
}  // namespace zel::emu
