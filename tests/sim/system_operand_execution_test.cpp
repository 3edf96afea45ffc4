// What the controller's own operands mean in compiled code: FU 32..38 through their
// entries and the other FU words in the area, the EW word whose non-zero value ends the
// run, the E bit and FI.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "sim/operand_area.h"
#include "sim/runtime_entry.h"
#include "sim/support/program_run.h"

namespace zel::emu {
namespace {

using Word = std::uint16_t;
using testing::ElementsAre;

testing::Matcher<const EntryCall&> ReadFu(Word number) {
  return IsCall(kEntryReadFu, {number});
}
testing::Matcher<const EntryCall&> WriteFu(Word number, Word value) {
  return IsCall(kEntryWriteFu, {number, value});
}
testing::Matcher<const EntryCall&> ReportEw(Word value) {
  return IsCall(kEntryReportFaultWord, {value});
}

struct FuCase {
  const char* program;
  std::function<void(ProgramRun&, Word x, Word fu)> check;  // after a run with FW1 = x, FU33 = fu
};

TEST(SystemOperandExecutionTest, EntryFuWordsReadAndWritten) {
  const std::vector<FuCase> cases{
      {"LOAD FU33 TO FW2\n",
       [](ProgramRun& p, Word, Word fu) { EXPECT_EQ(p.word(FlagWord(2)), fu); }},
      {"LOAD FW1 TO FU35\n",
       [](ProgramRun& p, Word x, Word) {
         EXPECT_EQ(p.controller().fuValue(35), x);
         EXPECT_EQ(p.word(FuWord(35)), 0);  // the controller keeps it, not the area
       }},
      {"LOAD FW1 - FU33 TO FW2\n",
       [](ProgramRun& p, Word x, Word fu) { EXPECT_EQ(p.word(FlagWord(2)), Word(x - fu)); }},
      {"LOAD FU33 - FW1 TO FW2\n",
       [](ProgramRun& p, Word x, Word fu) { EXPECT_EQ(p.word(FlagWord(2)), Word(fu - x)); }},
      {"LOAD FW1 * FU33 TO FW2\n",
       [](ProgramRun& p, Word x, Word fu) {
         EXPECT_EQ(p.word(FlagWord(2)), Word(std::int16_t(x) * std::int16_t(fu)));
       }},
      {"LOAD FU33 + FU33 TO FU38\n",
       [](ProgramRun& p, Word, Word fu) { EXPECT_EQ(p.controller().fuValue(38), Word(2 * fu)); }},
      {"LOAD FW1 TO FU36 TO FW2\n",
       [](ProgramRun& p, Word x, Word) {
         EXPECT_EQ(p.controller().fuValue(36), x);
         EXPECT_EQ(p.word(FlagWord(2)), x);
       }},
      {"LOAD FW1 + (FW1 * (V1 + FU33)) TO FW2\n",
       [](ProgramRun& p, Word x, Word fu) {
         EXPECT_EQ(p.word(FlagWord(2)), Word(x + std::int16_t(x) * std::int16_t(Word(1 + fu))));
       }},
      {"IF FU33 > FW1 THEN SET O0.0 OTHRW SET O0.1\n",
       [](ProgramRun& p, Word x, Word fu) {
         EXPECT_EQ(p.bit(OutputBit(0, 0)), fu > x);
         EXPECT_EQ(p.bit(OutputBit(0, 1)), !(fu > x));
       }},
      {"IF FW1 > FU33 THEN SET O0.0 OTHRW SET O0.1\n",
       [](ProgramRun& p, Word x, Word fu) {
         EXPECT_EQ(p.bit(OutputBit(0, 0)), x > fu);
         EXPECT_EQ(p.bit(OutputBit(0, 1)), !(x > fu));
       }},
      {"IF I0.0 OR (FW1 = FU33) THEN SET O0.0 OTHRW SET O0.1\n",
       [](ProgramRun& p, Word x, Word fu) { EXPECT_EQ(p.bit(OutputBit(0, 0)), x == fu); }},
  };
  const std::vector<std::pair<Word, Word>> values{{0, 0}, {7, 3}, {3, 7}, {0xFFFF, 1}, {9, 9}};
  for (const FuCase& c : cases) {
    SCOPED_TRACE(c.program);
    ProgramRun program(c.program);
    ASSERT_TRUE(program.ready());
    for (const auto& [x, fu] : values) {
      SCOPED_TRACE(std::to_string(x) + " " + std::to_string(fu));
      program.reset();
      program.setWord(FlagWord(1), x);
      program.controller().setFuValue(33, fu);
      const RunResult run = program.run();
      ASSERT_TRUE(RanCleanly(run));
      c.check(program, x, fu);
    }
  }
}

TEST(SystemOperandExecutionTest, EntryCallsRecorded) {
  ProgramRun program("LOAD FU32 + FU38 TO FU34 TO FU37\n");
  ASSERT_TRUE(program.ready());
  program.controller().setFuValue(32, 100);
  program.controller().setFuValue(38, 23);
  const RunResult run = program.run();
  ASSERT_TRUE(RanCleanly(run));
  EXPECT_THAT(run.calls, ElementsAre(ReadFu(32), ReadFu(38), WriteFu(34, 123), WriteFu(37, 123)));
}

TEST(SystemOperandExecutionTest, OtherFuWordsInTheArea) {
  for (const int number : {0, 10, 31, 39, 255}) {
    SCOPED_TRACE(number);
    const std::string fu = "FU" + std::to_string(number);
    ProgramRun program("LOAD " + fu + " + V1 TO FW2\nLOAD FW1 TO " + fu + "\n");
    ASSERT_TRUE(program.ready());
    program.setWord(FuWord(number), 41);
    program.setWord(FlagWord(1), 0x1234);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    EXPECT_TRUE(run.calls.empty());
    EXPECT_EQ(program.word(FlagWord(2)), 42);
    EXPECT_EQ(program.word(FuWord(number)), 0x1234);
  }
}

TEST(SystemOperandExecutionTest, FuDivisorZeroReportsAndEnds) {
  ProgramRun program("LOAD FW1 / FU34 TO FW2\nSET O0.0\n");
  ASSERT_TRUE(program.ready());
  for (const Word divisor : {Word{0}, Word{0xFFFF}, Word{4}}) {
    SCOPED_TRACE(divisor);
    program.reset();
    program.setWord(FlagWord(1), 0x8000);
    program.controller().setFuValue(34, divisor);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    if (divisor == 0) {
      EXPECT_THAT(run.calls, ElementsAre(ReadFu(34), ReportEw(34)));
      EXPECT_EQ(program.word(kFaultWordOffset), 34);
      EXPECT_FALSE(program.bit(OutputBit(0, 0)));
    } else {
      EXPECT_THAT(run.calls, ElementsAre(ReadFu(34)));
      EXPECT_EQ(program.word(FlagWord(2)), Word(-32768 / std::int16_t(divisor)));
      EXPECT_TRUE(program.bit(OutputBit(0, 0)));
    }
  }
}

// A non-zero value written to EW ends the run; 0 lets it go on.
TEST(SystemOperandExecutionTest, WritingEwReportsAndNonZeroEnds) {
  struct Case {
    const char* program;
    Word fw1;
    bool goesOn;
  };
  const std::vector<Case> cases{
      {"LOAD FW1 TO EW\nSET O0.0\n", 0, true},
      {"LOAD FW1 TO EW\nSET O0.0\n", 5, false},
      {"LOAD FW1 TO EW\nSET O0.0\n", 0x8000, false},
      {"LOAD FW1 TO EW TO FW2\nSET O0.0\n", 0, true},
      {"LOAD FW1 TO EW TO FW2\nSET O0.0\n", 3, false},
      {"IF I0.0 THEN LOAD FW1 TO EW\nIF I0.0 THEN SET O0.0\n", 0x0100, false},
      {"IF I0.0 THEN LOAD FW1 TO EW\nIF I0.0 THEN SET O0.0\n", 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.program) + " FW1=" + std::to_string(c.fw1));
    ProgramRun program(c.program);
    ASSERT_TRUE(program.ready());
    program.setBit(InputBit(0, 0), true);
    program.setWord(FlagWord(1), c.fw1);
    program.setWord(FlagWord(2), 0xAAAA);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    EXPECT_THAT(run.calls, ElementsAre(ReportEw(c.fw1)));
    EXPECT_EQ(program.word(kFaultWordOffset), c.fw1);
    EXPECT_EQ(program.bit(OutputBit(0, 0)), c.goesOn);
    if (std::string(c.program).find("FW2") != std::string::npos) {
      EXPECT_EQ(program.word(FlagWord(2)), c.goesOn ? c.fw1 : 0xAAAA);
    }
  }
}

TEST(SystemOperandExecutionTest, EwReadAsWord) {
  ProgramRun program("LOAD EW + V1 TO FW2\nLOAD FW1 - EW TO FW3\nLOAD FW1 * EW TO FW4\n");
  ASSERT_TRUE(program.ready());
  program.setWord(kFaultWordOffset, 6);
  program.setWord(FlagWord(1), 20);
  const RunResult run = program.run();
  ASSERT_TRUE(RanCleanly(run));
  EXPECT_TRUE(run.calls.empty());
  EXPECT_EQ(program.word(FlagWord(2)), 7);
  EXPECT_EQ(program.word(FlagWord(3)), 14);
  EXPECT_EQ(program.word(FlagWord(4)), 120);
  EXPECT_EQ(program.word(kFaultWordOffset), 6);
}

TEST(SystemOperandExecutionTest, EBitIsEwNonZero) {
  ProgramRun program("IF E THEN SET O0.0 OTHRW SET O0.1\n");
  ASSERT_TRUE(program.ready());
  for (const Word ew : {Word{0}, Word{1}, Word{0x0100}, Word{0x8000}, Word{0xFFFF}}) {
    SCOPED_TRACE(ew);
    program.reset();
    program.setWord(kFaultWordOffset, ew);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    EXPECT_TRUE(run.calls.empty());
    EXPECT_EQ(program.bit(OutputBit(0, 0)), ew != 0);
    EXPECT_EQ(program.bit(OutputBit(0, 1)), ew == 0);
  }
}

TEST(SystemOperandExecutionTest, FiReadThroughItsEntry) {
  ProgramRun program("IF FI THEN SET O0.0 OTHRW SET O0.1\nIF N FI THEN SET O0.2\n");
  ASSERT_TRUE(program.ready());
  for (const Word fi : {Word{0}, Word{1}}) {
    SCOPED_TRACE(fi);
    program.reset();
    program.controller().setFiValue(fi);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    EXPECT_THAT(run.calls, ElementsAre(testing::Field(&EntryCall::entry, kEntryReadFi),
                                       testing::Field(&EntryCall::entry, kEntryReadFi)));
    EXPECT_EQ(program.bit(OutputBit(0, 0)), fi != 0);
    EXPECT_EQ(program.bit(OutputBit(0, 1)), fi == 0);
    EXPECT_EQ(program.bit(OutputBit(0, 2)), fi == 0);
  }
}

}  // namespace
}  // namespace zel::emu
