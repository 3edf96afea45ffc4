// What compiled word expressions mean: 16-bit arithmetic left to right, signed * and /,
// the checked division, the unary operations, BID and DEB, and word stores.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/operand_area.h"
#include "sim/runtime_entry.h"
#include "sim/support/program_run.h"

namespace zel::emu {
namespace {

using Word = std::uint16_t;
// The value of an expression, or nothing when it divides by 0.
using Result = std::optional<Word>;

Word W(int value) {
  return static_cast<Word>(value);
}
int S(Word value) {
  return static_cast<std::int16_t>(value);
}

Result Div(Word x, Word y) {
  if (y == 0) return std::nullopt;
  return W(S(x) / S(y));  // -32768 / -1 gives 32768, which wraps to -32768
}

Word Rol(Word x) {
  return W((x << 1) | (x >> 15));
}
Word Ror(Word x) {
  return W((x >> 1) | (x << 15));
}

constexpr Word kUntouched = 0xA5A5;
const std::vector<Word> kSamples{0, 1, 2, 7, 0xFFF9, 0x7FFF, 0x8000, 0xFFFF, 0x1234, 0xFFFE};

struct WordCase {
  const char* expression;  // over x = FW1, y = FW2, z = R3
  std::function<Result(Word x, Word y, Word z)> expected;
};

std::string Values(Word x, Word y, Word z) {
  return "x=" + std::to_string(x) + " y=" + std::to_string(y) + " z=" + std::to_string(z);
}

// `LOAD expression TO FW10` then `SET O0.0`: a division by 0 reports 34 in the EW word
// and ends the run, so FW10 and O0.0 stay as they were.
void ExpectWordResult(ProgramRun& program, Word x, Word y, Word z, const Result& want) {
  program.reset();
  program.setWord(FlagWord(1), x);
  program.setWord(FlagWord(2), y);
  program.setWord(RegisterWord(3), z);
  program.setWord(FlagWord(10), kUntouched);
  const RunResult run = program.run();
  ASSERT_TRUE(RanCleanly(run)) << Values(x, y, z);
  if (want) {
    EXPECT_EQ(program.word(FlagWord(10)), *want) << Values(x, y, z);
    EXPECT_TRUE(program.bit(OutputBit(0, 0))) << Values(x, y, z);
    EXPECT_EQ(program.word(kFaultWordOffset), 0) << Values(x, y, z);
    EXPECT_TRUE(run.calls.empty()) << Values(x, y, z);
    return;
  }
  EXPECT_EQ(program.word(FlagWord(10)), kUntouched) << Values(x, y, z);
  EXPECT_FALSE(program.bit(OutputBit(0, 0))) << Values(x, y, z);
  EXPECT_EQ(program.word(kFaultWordOffset), 34) << Values(x, y, z);
  EXPECT_THAT(run.calls, testing::ElementsAre(
                             testing::Field(&EntryCall::args, std::vector<std::uint16_t>{34})))
      << Values(x, y, z);
  if (!run.calls.empty()) {
    EXPECT_EQ(run.calls[0].entry, kEntryReportFaultWord);
  }
}

void ExpectWords(const std::vector<WordCase>& cases) {
  for (const WordCase& c : cases) {
    SCOPED_TRACE(c.expression);
    ProgramRun program(std::string("LOAD ") + c.expression + " TO FW10\nSET O0.0\n");
    ASSERT_TRUE(program.ready());
    for (std::size_t i = 0; i < kSamples.size(); ++i) {
      for (std::size_t j = 0; j < kSamples.size(); ++j) {
        const Word x = kSamples[i];
        const Word y = kSamples[j];
        const Word z = kSamples[(3 * i + j) % kSamples.size()];
        ExpectWordResult(program, x, y, z, c.expected(x, y, z));
      }
    }
  }
}

TEST(WordExecutionTest, PlainRightOperand) {
  ExpectWords({
      {"FW1 + FW2", [](Word x, Word y, Word) { return W(x + y); }},
      {"FW1 - FW2", [](Word x, Word y, Word) { return W(x - y); }},
      {"FW1 * FW2", [](Word x, Word y, Word) { return W(S(x) * S(y)); }},
      {"FW1 / FW2", [](Word x, Word y, Word) { return Div(x, y); }},
      {"FW1 AND FW2", [](Word x, Word y, Word) { return W(x & y); }},
      {"FW1 OR FW2", [](Word x, Word y, Word) { return W(x | y); }},
      {"FW1 EXOR FW2", [](Word x, Word y, Word) { return W(x ^ y); }},
      {"FW1 / R3", [](Word x, Word, Word z) { return Div(x, z); }},
  });
}

TEST(WordExecutionTest, ConstantRightOperand) {
  ExpectWords({
      {"FW1 + V7", [](Word x, Word, Word) { return W(x + 7); }},
      {"FW1 - V$8000", [](Word x, Word, Word) { return W(x - 0x8000); }},
      {"FW1 * V-3", [](Word x, Word, Word) { return W(S(x) * -3); }},
      {"FW1 * V$FFFF", [](Word x, Word, Word) { return W(-S(x)); }},
      {"FW1 / V-2", [](Word x, Word, Word) { return Div(x, W(-2)); }},
      {"FW1 / V-1", [](Word x, Word, Word) { return Div(x, W(-1)); }},
      {"FW1 / V0", [](Word, Word, Word) { return Result{}; }},
      {"FW1 AND V$0FF0", [](Word x, Word, Word) { return W(x & 0x0FF0); }},
      {"FW1 OR V$8001", [](Word x, Word, Word) { return W(x | 0x8001); }},
      {"FW1 EXOR V-1", [](Word x, Word, Word) { return W(~x); }},
      {"V7 - FW1", [](Word x, Word, Word) { return W(7 - x); }},
  });
}

TEST(WordExecutionTest, ComputedRightOperand) {
  ExpectWords({
      {"FW1 + (FW2 * R3)", [](Word x, Word y, Word z) { return W(x + S(y) * S(z)); }},
      {"FW1 - (FW2 + R3)", [](Word x, Word y, Word z) { return W(x - (y + z)); }},
      {"FW1 - (FW2 - R3)", [](Word x, Word y, Word z) { return W(x - (y - z)); }},
      {"FW1 * (FW2 + R3)", [](Word x, Word y, Word z) { return W(S(x) * S(W(y + z))); }},
      {"FW1 / (FW2 - R3)", [](Word x, Word y, Word z) { return Div(x, W(y - z)); }},
      {"FW1 AND (FW2 OR R3)", [](Word x, Word y, Word z) { return W(x & (y | z)); }},
      {"FW1 OR (FW2 AND R3)", [](Word x, Word y, Word z) { return W(x | (y & z)); }},
      {"FW1 EXOR (FW2 EXOR V$00FF)", [](Word x, Word y, Word) { return W(x ^ y ^ 0x00FF); }},
      {"FW1 - (FW2 - (R3 - FW1))", [](Word x, Word y, Word z) { return W(x - (y - (z - x))); }},
      {"FW1 + (FW2 SWAP)", [](Word x, Word y, Word) { return W(x + W((y << 8) | (y >> 8))); }},
      {"(FW1 + FW2) * (R3 - V1)",
       [](Word x, Word y, Word z) { return W(S(W(x + y)) * S(W(z - 1))); }},
  });
}

TEST(WordExecutionTest, StrictlyLeftToRight) {
  ExpectWords({
      {"FW1 + FW2 * R3", [](Word x, Word y, Word z) { return W(S(W(x + y)) * S(z)); }},
      {"FW1 - FW2 - R3", [](Word x, Word y, Word z) { return W(x - y - z); }},
      {"FW1 * FW2 / R3", [](Word x, Word y, Word z) { return Div(W(S(x) * S(y)), z); }},
      {"FW1 / FW2 * R3",
       [](Word x, Word y, Word z) {
         const Result q = Div(x, y);
         return q ? Result{W(S(*q) * S(z))} : Result{};
       }},
      {"V100 - FW1 * V2", [](Word x, Word, Word) { return W(S(W(100 - x)) * 2); }},
      {"FW1 EXOR FW2 AND V$00FF", [](Word x, Word y, Word) { return W((x ^ y) & 0x00FF); }},
      {"FW1 + FW2 SWAP",
       [](Word x, Word y, Word) {
         const Word s = W(x + y);
         return W((s << 8) | (s >> 8));
       }},
  });
}

TEST(WordExecutionTest, UnaryOperations) {
  ExpectWords({
      {"FW1 SWAP", [](Word x, Word, Word) { return W((x << 8) | (x >> 8)); }},
      {"FW1 SHL", [](Word x, Word, Word) { return W(x << 1); }},
      {"FW1 SHR", [](Word x, Word, Word) { return W(x >> 1); }},
      {"FW1 ROL", [](Word x, Word, Word) { return Rol(x); }},
      {"FW1 ROR", [](Word x, Word, Word) { return Ror(x); }},
      {"FW1 INV", [](Word x, Word, Word) { return W(~x); }},
      {"FW1 CPL", [](Word x, Word, Word) { return W(-x); }},
      {"FW1 ROL ROL SHR", [](Word x, Word, Word) { return W(Rol(Rol(x)) >> 1); }},
      {"FW1 SHL + FW2 ROR", [](Word x, Word y, Word) { return Ror(W(W(x << 1) + y)); }},
  });
}

TEST(WordExecutionTest, SignedExamples) {
  struct Case {
    const char* expression;
    Word expected;
  };
  const std::vector<Case> cases{
      {"V$FFFF * V2", W(-2)}, {"V-7 / V2", W(-3)},       {"V7 / V-2", W(-3)},
      {"V-7 / V-2", 3},       {"V-32768 / V-1", 0x8000}, {"V$8000 - V1", 0x7FFF},
      {"V$FFFF + V1", 0},     {"V1 - V2 - V3", W(-4)},   {"V2 + V3 * V4", 20},
      {"V100 / V7 * V7", 98}, {"V300 * V300", W(90000)}, {"V-32768 * V-1", 0x8000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expression);
    ProgramRun program(std::string("LOAD ") + c.expression + " TO FW10\nSET O0.0\n");
    ASSERT_TRUE(program.ready());
    ExpectWordResult(program, 0, 0, 0, c.expected);
  }
}

// A division by 0 leaves the module at once, whatever is pending on the stack, and the
// statements after it do not run.
TEST(WordExecutionTest, DivisionByZeroEndsTheRun) {
  const std::vector<const char*> programs{
      "IF I0.0 THEN LOAD FW1 / FW2 TO FW10\nIF I0.0 THEN SET O0.0\n",
      "IF V100 > (FW1 / FW2) THEN SET O0.1\nIF I0.0 THEN SET O0.0\n",
      "IF I0.0 AND (V100 > FW1 + (R3 * (FW1 / FW2))) THEN SET O0.1\nIF I0.0 THEN SET O0.0\n",
  };
  for (const char* text : programs) {
    SCOPED_TRACE(text);
    ProgramRun program(text);
    ASSERT_TRUE(program.ready());
    for (const Word divisor : {Word{0}, Word{2}}) {
      SCOPED_TRACE(divisor);
      program.reset();
      program.setBit(InputBit(0, 0), true);
      program.setWord(FlagWord(1), 9);
      program.setWord(FlagWord(2), divisor);
      program.setWord(FlagWord(10), kUntouched);
      const RunResult run = program.run();
      ASSERT_TRUE(RanCleanly(run));
      EXPECT_EQ(program.bit(OutputBit(0, 0)), divisor != 0);
      EXPECT_EQ(program.word(kFaultWordOffset), divisor == 0 ? 34 : 0);
      EXPECT_EQ(run.calls.size(), divisor == 0 ? 1u : 0u);
    }
  }
}

Word Bcd(int value) {
  return W((value / 1000) << 12 | (value / 100 % 10) << 8 | (value / 10 % 10) << 4 | value % 10);
}

TEST(WordExecutionTest, BidAndDebRoundTrip) {
  ProgramRun program("LOAD FW1 BID TO FW2\nLOAD FW2 DEB TO FW3\nLOAD FW1 + V1 BID DEB TO FW4\n");
  ASSERT_TRUE(program.ready());
  std::vector<int> values{0, 1, 9, 10, 99, 100, 999, 1000, 1001, 4321, 9998, 9999};
  for (int v = 3; v < 9999; v += 97) values.push_back(v);
  for (const int v : values) {
    SCOPED_TRACE(v);
    program.reset();
    program.setWord(FlagWord(1), W(v));
    ASSERT_TRUE(RanCleanly(program.run()));
    EXPECT_EQ(program.word(FlagWord(2)), Bcd(v));
    EXPECT_EQ(program.word(FlagWord(3)), v);
    if (v < 9999) {
      EXPECT_EQ(program.word(FlagWord(4)), v + 1);
    }
  }
}

// BID and DEB work in BX, CX and DX; values pending around them must survive.
TEST(WordExecutionTest, BidAndDebInsideExpressions) {
  ExpectWords({
      {"FW1 AND V$0FFF + (FW2 AND V$0FFF BID)",
       [](Word x, Word y, Word) { return W((x & 0x0FFF) + Bcd((y & 0x0FFF) % 10000)); }},
      {"FW1 AND V$0FFF * (FW2 AND V$0FFF BID DEB)",
       [](Word x, Word y, Word) { return W(S(W(x & 0x0FFF)) * S(W(y & 0x0FFF))); }},
      {"V$1234 DEB - FW1", [](Word x, Word, Word) { return W(1234 - x); }},
  });
}

TEST(WordExecutionTest, StoresReachTheirPlaces) {
  struct Case {
    const char* target;
    std::size_t offset;
  };
  const std::vector<Case> cases{
      {"OW3", OutputWord(3)},     {"FW9999", FlagWord(9999)}, {"R255", RegisterWord(255)},
      {"TP4", TimerPreselect(4)}, {"TW7", TimerWord(7)},      {"CP2", CounterPreselect(2)},
      {"FU10", FuWord(10)},       {"FU255", FuWord(255)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    ProgramRun program(std::string("LOAD FW1 TO ") + c.target + "\n");
    ASSERT_TRUE(program.ready());
    program.setWord(FlagWord(1), 0xBEEF);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    EXPECT_TRUE(run.calls.empty());
    EXPECT_EQ(program.word(c.offset), 0xBEEF);
    EXPECT_EQ(program.word(c.offset - 2), 0);
    EXPECT_EQ(program.word(c.offset + 2), 0);
  }
}

TEST(WordExecutionTest, StoredValueGoesOn) {
  ProgramRun program("LOAD FW1 + FW2 TO FW4 TO R5 TO CW6 TO OW7 TO FW10\n");
  ASSERT_TRUE(program.ready());
  program.setWord(FlagWord(1), 5);
  program.setWord(FlagWord(2), 0xFFFF);
  ASSERT_TRUE(RanCleanly(program.run()));
  for (const std::size_t offset :
       {FlagWord(4), RegisterWord(5), CounterWord(6), OutputWord(7), FlagWord(10)}) {
    EXPECT_EQ(program.word(offset), 4) << offset;
  }
}

TEST(WordExecutionTest, WritingCounterWordSetsTheCounterBit) {
  for (const Word value : {Word{0}, Word{1}, Word{0x8000}}) {
    SCOPED_TRACE(value);
    ProgramRun program("LOAD FW1 TO CW2\n");
    ASSERT_TRUE(program.ready());
    program.setWord(FlagWord(1), value);
    program.controller().setOperandByte(CounterStatus(2), 0x80);
    ASSERT_TRUE(RanCleanly(program.run()));
    EXPECT_EQ(program.word(CounterWord(2)), value);
    // Only the counter bit of the status byte changes.
    EXPECT_EQ(program.controller().operandByte(CounterStatus(2)), 0x81);
    EXPECT_EQ(program.word(CounterPreselect(2)), 0);
    EXPECT_EQ(program.controller().operandByte(CounterStatus(1)), 0);
  }
}

}  // namespace
}  // namespace zel::emu
