// What compiled one-bit expressions mean: AND, OR, EXOR, N and brackets run on the emulated
// controller over every combination of their inputs, each result computed here on its own.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sim/operand_area.h"
#include "sim/support/program_run.h"

namespace zel::emu {
namespace {

// The inputs of the table below: local bits in different bytes and areas, the `E` bit
// (the EW word non-zero) and `FI` (through its entry).
struct Inputs {
  bool a = false;  // I0.0
  bool b = false;  // I1.9
  bool c = false;  // F2.3
  bool d = false;  // O4.12
  bool e = false;  // E
  bool f = false;  // FI
};

constexpr int kInputCount = 6;

Inputs Combination(int bits) {
  return {(bits & 1) != 0, (bits & 2) != 0,  (bits & 4) != 0,
          (bits & 8) != 0, (bits & 16) != 0, (bits & 32) != 0};
}

void Apply(ProgramRun& program, const Inputs& in) {
  program.setBit(InputBit(0, 0), in.a);
  program.setBit(InputBit(1, 9), in.b);
  program.setBit(FlagBit(2, 3), in.c);
  program.setBit(OutputBit(4, 12), in.d);
  // Only the high byte is non-zero: the whole word decides, not its low byte.
  program.setWord(kFaultWordOffset, in.e ? 0x0100 : 0);
  program.controller().setFiValue(in.f ? 1 : 0);
}

std::string Describe(const Inputs& in) {
  return "a=" + std::to_string(in.a) + " b=" + std::to_string(in.b) + " c=" + std::to_string(in.c) +
         " d=" + std::to_string(in.d) + " E=" + std::to_string(in.e) +
         " FI=" + std::to_string(in.f);
}

struct LogicCase {
  const char* condition;
  std::function<bool(const Inputs&)> expected;
};

// Runs `IF condition THEN SET O0.0 OTHRW SET O0.1` for every combination of the inputs;
// exactly one of the two outputs must be set.
void ExpectCondition(const LogicCase& c) {
  SCOPED_TRACE(c.condition);
  ProgramRun program(std::string("IF ") + c.condition + " THEN SET O0.0 OTHRW SET O0.1\n");
  ASSERT_TRUE(program.ready());
  for (int bits = 0; bits < (1 << kInputCount); ++bits) {
    const Inputs in = Combination(bits);
    program.reset();
    Apply(program, in);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run)) << Describe(in);
    const bool want = c.expected(in);
    EXPECT_EQ(program.bit(OutputBit(0, 0)), want) << Describe(in);
    EXPECT_EQ(program.bit(OutputBit(0, 1)), !want) << Describe(in);
    // Reading E must not report anything.
    EXPECT_EQ(program.word(kFaultWordOffset), in.e ? 0x0100 : 0) << Describe(in);
  }
}

TEST(ExpressionExecutionTest, OperatorsOfTwoBitsOverAllInputs) {
  const std::vector<LogicCase> cases{
      {"I0.0 AND I1.9", [](const Inputs& i) { return i.a && i.b; }},
      {"I0.0 OR I1.9", [](const Inputs& i) { return i.a || i.b; }},
      {"I0.0 EXOR I1.9", [](const Inputs& i) { return i.a != i.b; }},
      {"F2.3 EXOR F2.3", [](const Inputs&) { return false; }},
      {"O4.12 AND F2.3", [](const Inputs& i) { return i.d && i.c; }},
      {"N I0.0 AND I1.9", [](const Inputs& i) { return !i.a && i.b; }},
      {"I0.0 OR N I1.9", [](const Inputs& i) { return i.a || !i.b; }},
      {"N I0.0 EXOR N O4.12", [](const Inputs& i) { return i.a != i.d; }},
      {"N F2.3 OR N O4.12", [](const Inputs& i) { return !i.c || !i.d; }},
  };
  for (const LogicCase& c : cases) ExpectCondition(c);
}

TEST(ExpressionExecutionTest, SingleOperandConditions) {
  const std::vector<LogicCase> cases{
      {"I1.9", [](const Inputs& i) { return i.b; }},
      {"N O4.12", [](const Inputs& i) { return !i.d; }},
      {"E", [](const Inputs& i) { return i.e; }},
      {"N E", [](const Inputs& i) { return !i.e; }},
      {"FI", [](const Inputs& i) { return i.f; }},
      {"N FI", [](const Inputs& i) { return !i.f; }},
      {"N (F2.3)", [](const Inputs& i) { return !i.c; }},
      {"((I0.0))", [](const Inputs& i) { return i.a; }},
  };
  for (const LogicCase& c : cases) ExpectCondition(c);
}

TEST(ExpressionExecutionTest, StrictlyLeftToRight) {
  const std::vector<LogicCase> cases{
      {"I0.0 AND I1.9 OR F2.3", [](const Inputs& i) { return (i.a && i.b) || i.c; }},
      {"I0.0 OR I1.9 AND F2.3", [](const Inputs& i) { return (i.a || i.b) && i.c; }},
      {"I0.0 EXOR I1.9 AND F2.3 OR O4.12",
       [](const Inputs& i) { return ((i.a != i.b) && i.c) || i.d; }},
      {"I0.0 EXOR I1.9 EXOR F2.3 EXOR O4.12",
       [](const Inputs& i) { return ((i.a != i.b) != i.c) != i.d; }},
  };
  for (const LogicCase& c : cases) ExpectCondition(c);
}

TEST(ExpressionExecutionTest, BracketsKeepThePendingValue) {
  const std::vector<LogicCase> cases{
      {"I0.0 AND (I1.9 OR (F2.3 EXOR O4.12))",
       [](const Inputs& i) { return i.a && (i.b || (i.c != i.d)); }},
      {"(I0.0 OR I1.9) AND (F2.3 OR O4.12)",
       [](const Inputs& i) { return (i.a || i.b) && (i.c || i.d); }},
      {"I0.0 OR (I1.9 AND F2.3) EXOR O4.12",
       [](const Inputs& i) { return (i.a || (i.b && i.c)) != i.d; }},
      {"((I0.0 AND I1.9) OR (F2.3 AND O4.12)) EXOR (I0.0 OR O4.12)",
       [](const Inputs& i) { return ((i.a && i.b) || (i.c && i.d)) != (i.a || i.d); }},
      {"I0.0 AND (I1.9 AND (F2.3 AND (O4.12 OR (E EXOR (FI)))))",
       [](const Inputs& i) { return i.a && i.b && i.c && (i.d || (i.e != i.f)); }},
  };
  for (const LogicCase& c : cases) ExpectCondition(c);
}

// Sixteen brackets, each holding a value pending on the stack.
TEST(ExpressionExecutionTest, SixteenNestedBrackets) {
  const std::vector<const char*> operands{"I0.0", "I1.9", "F2.3", "O4.12", "E", "FI"};
  const std::vector<const char*> operators{" AND (", " OR (", " EXOR ("};
  std::string text = "I0.0";
  for (int level = 0; level < 16; ++level) {
    text += std::string(operators[level % 3]) + (level % 2 == 0 ? "N " : "") +
            operands[(level + 1) % 6];
  }
  text += std::string(16, ')');
  const auto expected = [](const Inputs& in) {
    const bool values[] = {in.a, in.b, in.c, in.d, in.e, in.f};
    // Innermost first: the value of the deepest bracket, then outwards.
    bool inner = values[16 % 6];
    if (15 % 2 == 0) inner = !inner;
    for (int level = 14; level >= -1; --level) {
      bool left = level < 0 ? values[0] : values[(level + 1) % 6];
      if (level >= 0 && level % 2 == 0) left = !left;
      const int op = (level + 1) % 3;
      inner = op == 0 ? (left && inner) : op == 1 ? (left || inner) : (left != inner);
    }
    return inner;
  };
  ExpectCondition({text.c_str(), expected});
}

TEST(ExpressionExecutionTest, NegatedBrackets) {
  const std::vector<LogicCase> cases{
      {"N (I0.0 AND I1.9)", [](const Inputs& i) { return !(i.a && i.b); }},
      {"N (I0.0 OR F2.3) AND O4.12", [](const Inputs& i) { return !(i.a || i.c) && i.d; }},
      {"I0.0 EXOR (I1.9 AND N (F2.3 OR O4.12))",
       [](const Inputs& i) { return i.a != (i.b && !(i.c || i.d)); }},
      {"N (N (I0.0 OR I1.9) AND F2.3)", [](const Inputs& i) { return !(!(i.a || i.b) && i.c); }},
      {"I0.0 OR N (I1.9 EXOR N (F2.3))", [](const Inputs& i) { return i.a || !(i.b != !i.c); }},
      {"N (E) AND I0.0", [](const Inputs& i) { return !i.e && i.a; }},
      {"N (I0.0 AND N (I1.9 OR N (F2.3 EXOR N (O4.12 AND N (E OR N (FI))))))",
       [](const Inputs& i) { return !(i.a && !(i.b || !(i.c != !(i.d && !(i.e || !i.f))))); }},
  };
  for (const LogicCase& c : cases) ExpectCondition(c);
}

// E and FI are not read through AL: a value pending in AH must survive them.
TEST(ExpressionExecutionTest, SystemBitsAsOperands) {
  const std::vector<LogicCase> cases{
      {"I0.0 AND E", [](const Inputs& i) { return i.a && i.e; }},
      {"E AND I0.0", [](const Inputs& i) { return i.e && i.a; }},
      {"I0.0 OR N E", [](const Inputs& i) { return i.a || !i.e; }},
      {"N E EXOR F2.3", [](const Inputs& i) { return !i.e != i.c; }},
      {"I0.0 AND FI", [](const Inputs& i) { return i.a && i.f; }},
      {"FI OR I1.9", [](const Inputs& i) { return i.f || i.b; }},
      {"I0.0 EXOR N FI", [](const Inputs& i) { return i.a != !i.f; }},
      {"N FI AND N E", [](const Inputs& i) { return !i.f && !i.e; }},
      {"(FI EXOR E) OR (I0.0 AND N FI)",
       [](const Inputs& i) { return (i.f != i.e) || (i.a && !i.f); }},
      {"I1.9 AND FI AND E", [](const Inputs& i) { return i.b && i.f && i.e; }},
  };
  for (const LogicCase& c : cases) ExpectCondition(c);
}

}  // namespace
}  // namespace zel::emu
