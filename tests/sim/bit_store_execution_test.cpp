// What TO and SHIFT to one-bit targets and the OTHRW part mean when compiled: the stored
// value goes on through the expression, SHIFT hands on the target's previous value, and
// exactly one of THEN and OTHRW runs.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sim/runtime_entry.h"
#include "sim/support/program_run.h"

namespace zel::emu {
namespace {

using Bits = std::vector<bool>;

struct StoreCase {
  const char* program;
  std::vector<BitPlace> inputs;  // set from the combination before the run
  std::vector<BitPlace> outputs;
  std::function<Bits(const Bits&)> expected;  // outputs from inputs
  // Further checks after the run, e.g. of the entry calls.
  std::function<void(ProgramRun&, const RunResult&, const Bits&)> check = nullptr;
};

std::string Describe(const Bits& bits) {
  std::string text = "inputs";
  for (bool b : bits) text += b ? " 1" : " 0";
  return text;
}

// Runs the program once for every combination of its inputs.
void ExpectStores(const StoreCase& c) {
  SCOPED_TRACE(c.program);
  ProgramRun program(c.program);
  ASSERT_TRUE(program.ready());
  for (unsigned combination = 0; combination < (1u << c.inputs.size()); ++combination) {
    Bits in;
    for (std::size_t i = 0; i < c.inputs.size(); ++i) in.push_back(((combination >> i) & 1) != 0);
    program.reset();
    for (std::size_t i = 0; i < c.inputs.size(); ++i) program.setBit(c.inputs[i], in[i]);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run)) << Describe(in);
    const Bits want = c.expected(in);
    ASSERT_EQ(want.size(), c.outputs.size());
    for (std::size_t i = 0; i < want.size(); ++i)
      EXPECT_EQ(program.bit(c.outputs[i]), want[i]) << "output " << i << ", " << Describe(in);
    if (c.check) c.check(program, run, in);
  }
}

const BitPlace kI00 = InputBit(0, 0);
const BitPlace kI01 = InputBit(0, 1);
const BitPlace kI02 = InputBit(0, 2);

TEST(BitStoreExecutionTest, ToLocalBitsAndTheValueGoesOn) {
  const BitPlace f20 = FlagBit(2, 0);
  const BitPlace o03 = OutputBit(0, 3);
  const std::vector<StoreCase> cases{
      {"IF I0.6 TO F2.0 AND I0.7 THEN SET O0.3\n",
       {InputBit(0, 6), InputBit(0, 7), f20},
       {f20, o03},
       [](const Bits& i) {
         return Bits{i[0], i[0] && i[1]};
       }},
      {"LOAD I0.0 AND I0.1 TO O1.2\n",
       {kI00, kI01, OutputBit(1, 2)},
       {OutputBit(1, 2)},
       [](const Bits& i) { return Bits{i[0] && i[1]}; }},
      {"LOAD N I0.0 TO F9999.15\n",
       {kI00, FlagBit(9999, 15)},
       {FlagBit(9999, 15)},
       [](const Bits& i) { return Bits{!i[0]}; }},
      {"IF I0.0 TO F1.1 EXOR I0.1 TO F1.9 OR I0.2 TO O0.0 THEN SET O0.5\n",
       {kI00, kI01, kI02, FlagBit(1, 1), FlagBit(1, 9), OutputBit(0, 0)},
       {FlagBit(1, 1), FlagBit(1, 9), OutputBit(0, 0), OutputBit(0, 5)},
       [](const Bits& i) {
         const bool last = (i[0] != i[1]) || i[2];
         return Bits{i[0], i[0] != i[1], last, last};
       }},
      {"LOAD I0.0 EXOR I0.1 TO F1.1 TO O0.9 TO F1.9\n",
       {kI00, kI01, FlagBit(1, 1), OutputBit(0, 9), FlagBit(1, 9)},
       {FlagBit(1, 1), OutputBit(0, 9), FlagBit(1, 9)},
       [](const Bits& i) {
         return Bits{i[0] != i[1], i[0] != i[1], i[0] != i[1]};
       }},
      {"IF I0.0 OR I0.1 TO O0.8 AND N I0.2 TO O0.9 THEN SET O0.0 OTHRW SET O0.1\n",
       {kI00, kI01, kI02},
       {OutputBit(0, 8), OutputBit(0, 9), OutputBit(0, 0), OutputBit(0, 1)},
       [](const Bits& i) {
         const bool first = i[0] || i[1];
         const bool second = first && !i[2];
         return Bits{first, second, second, !second};
       }},
      {"IF I0.0 AND (I0.1 TO F5.0) OR (N I0.2 SHIFT F5.1) THEN SET O0.0 OTHRW SET O0.1\n",
       {kI00, kI01, kI02, FlagBit(5, 0), FlagBit(5, 1)},
       {FlagBit(5, 0), FlagBit(5, 1), OutputBit(0, 0), OutputBit(0, 1)},
       [](const Bits& i) {
         const bool v = (i[0] && i[1]) || i[4];
         return Bits{i[1], !i[2], v, !v};
       }},
      {"LOAD FW1 = V0 TO O0.0\nLOAD (FW1 <> V0) OR I0.1 TO O0.1\n",
       {kI01, OutputBit(0, 0), OutputBit(0, 1)},
       {OutputBit(0, 0), OutputBit(0, 1)},
       [](const Bits& i) {
         return Bits{true, i[0]};
       }},
      {"IF (FW1 = V0) TO F0.4 AND I0.1 THEN SET O0.0\n",
       {kI01, FlagBit(0, 4)},
       {FlagBit(0, 4), OutputBit(0, 0)},
       // FW1 stays 0, so the comparison holds.
       [](const Bits& i) {
         return Bits{true, i[0]};
       }},
  };
  for (const StoreCase& c : cases) ExpectStores(c);
}

TEST(BitStoreExecutionTest, ShiftHandsOnThePreviousValue) {
  const BitPlace f30 = FlagBit(3, 0);
  const BitPlace f39 = FlagBit(3, 9);
  const BitPlace o215 = OutputBit(2, 15);
  const BitPlace o00 = OutputBit(0, 0);
  const std::vector<StoreCase> cases{
      {"LOAD I0.0 SHIFT F3.0 TO O0.0\n",
       {kI00, f30, o00},
       {f30, o00},
       [](const Bits& i) {
         return Bits{i[0], i[1]};
       }},
      {"IF I0.0 SHIFT F3.0 THEN SET O0.0 OTHRW RESET O0.0\n",
       {kI00, f30, o00},
       {f30, o00},
       [](const Bits& i) {
         return Bits{i[0], i[1]};
       }},
      {"LOAD I0.0 SHIFT F3.0 SHIFT F3.9 SHIFT O2.15 TO O0.0\n",
       {kI00, f30, f39, o215, o00},
       {f30, f39, o215, o00},
       [](const Bits& i) {
         return Bits{i[0], i[1], i[2], i[3]};
       }},
      {"IF I0.0 AND I0.1 SHIFT F3.0 AND I0.2 TO O0.0 THEN SET O0.1\n",
       {kI00, kI01, kI02, f30, o00},
       {f30, o00, OutputBit(0, 1)},
       [](const Bits& i) {
         return Bits{i[0] && i[1], i[3] && i[2], i[3] && i[2]};
       }},
      {"IF N (I0.0 EXOR I0.1) SHIFT F3.9 EXOR I0.2 THEN SET O0.0 OTHRW SET O0.1\n",
       {kI00, kI01, kI02, f39},
       {f39, o00, OutputBit(0, 1)},
       [](const Bits& i) {
         return Bits{i[0] == i[1], i[3] != i[2], i[3] == i[2]};
       }},
      {"LOAD N (I0.0 OR I0.1) SHIFT F3.9 TO O0.0 SHIFT F3.0\n",
       {kI00, kI01, f39, o00, f30},
       {f39, o00, f30},
       [](const Bits& i) {
         return Bits{!(i[0] || i[1]), i[2], i[2]};
       }},
  };
  for (const StoreCase& c : cases) ExpectStores(c);
}

// A shift register over several cycles: each run moves every bit one place on.
TEST(BitStoreExecutionTest, ShiftRegisterOverCycles) {
  ProgramRun program("LOAD I0.0 SHIFT F3.0 SHIFT F3.1 SHIFT F3.2 TO O0.0\n");
  ASSERT_TRUE(program.ready());
  const std::vector<bool> feed{true, false, true, true, false, false, false};
  std::vector<bool> stages(4, false);  // F3.0, F3.1, F3.2, O0.0
  for (std::size_t cycle = 0; cycle < feed.size(); ++cycle) {
    SCOPED_TRACE(cycle);
    program.setBit(kI00, feed[cycle]);
    ASSERT_TRUE(RanCleanly(program.run()));
    stages = {feed[cycle], stages[0], stages[1], stages[2]};
    EXPECT_EQ(program.bit(FlagBit(3, 0)), stages[0]);
    EXPECT_EQ(program.bit(FlagBit(3, 1)), stages[1]);
    EXPECT_EQ(program.bit(FlagBit(3, 2)), stages[2]);
    EXPECT_EQ(program.bit(OutputBit(0, 0)), stages[3]);
  }
}

// Timers go through their entry, which changes AX and the flags: the value must go on.
TEST(BitStoreExecutionTest, ToTimersAndCounters) {
  const auto timerCall = [](std::uint16_t start, std::uint16_t timer) {
    return [start, timer](ProgramRun&, const RunResult& run, const Bits& i) {
      const std::uint16_t code = i[0] ? start : kTimerReset;
      EXPECT_THAT(run.calls, testing::ElementsAre(IsCall(kEntryTimer, {code, timer})))
          << Describe(i);
    };
  };
  const BitPlace c3{CounterStatus(3), 0x01};
  const std::vector<StoreCase> cases{
      {"IF I0.0 TO T2 AND I0.1 THEN SET O0.0\n",
       {kI00, kI01},
       {BitPlace{TimerStatus(2), 0x01}, OutputBit(0, 0)},
       [](const Bits& i) {
         return Bits{i[0], i[0] && i[1]};
       },
       timerCall(kTimerStart, 2)},
      {"IF I0.1 OR (I0.0 TO T2) THEN SET O0.0\n",
       {kI00, kI01},
       {BitPlace{TimerStatus(2), 0x01}, OutputBit(0, 0)},
       [](const Bits& i) {
         return Bits{i[0], i[1] || i[0]};
       },
       timerCall(kTimerStart, 2)},
      {"IF I0.0 TO TON5 OR I0.1 THEN SET O0.0 OTHRW SET O0.1\n",
       {kI00, kI01},
       {BitPlace{TimerStatus(5), 0x01}, OutputBit(0, 0), OutputBit(0, 1)},
       [](const Bits& i) {
         return Bits{i[0], i[0] || i[1], !(i[0] || i[1])};
       },
       timerCall(kTimerStartOnDelay, 5)},
      {"IF I0.0 TO TOFF255 EXOR I0.1 THEN SET O0.0\n",
       {kI00, kI01},
       {BitPlace{TimerStatus(255), 0x01}, OutputBit(0, 0)},
       [](const Bits& i) {
         return Bits{i[0], i[0] != i[1]};
       },
       timerCall(kTimerStartOffDelay, 255)},
      {"IF I0.0 TO C3 AND I0.1 THEN SET O0.0\n",
       {kI00, kI01, c3},
       {c3, OutputBit(0, 0)},
       [](const Bits& i) {
         return Bits{i[0], i[0] && i[1]};
       },
       [](ProgramRun&, const RunResult& run, const Bits&) { EXPECT_TRUE(run.calls.empty()); }},
  };
  for (const StoreCase& c : cases) ExpectStores(c);
}

TEST(BitStoreExecutionTest, CounterAsToTargetClearsItsWordOnlyForOne) {
  for (bool value : {false, true}) {
    SCOPED_TRACE(value);
    ProgramRun program("LOAD I0.0 TO C3\n");
    ASSERT_TRUE(program.ready());
    program.setBit(kI00, value);
    program.setWord(CounterWord(3), 7);
    program.setBit({CounterStatus(3), 0x01}, !value);
    ASSERT_TRUE(RanCleanly(program.run()));
    EXPECT_EQ(program.bit({CounterStatus(3), 0x01}), value);
    EXPECT_EQ(program.word(CounterWord(3)), value ? 0 : 7);
  }
}

TEST(BitStoreExecutionTest, ThenOrOtherwiseRuns) {
  const BitPlace o00 = OutputBit(0, 0);
  const BitPlace o01 = OutputBit(0, 1);
  const BitPlace o02 = OutputBit(0, 2);
  const BitPlace o03 = OutputBit(0, 3);
  const std::vector<StoreCase> cases{
      {"IF I0.0 THEN NOP OTHRW SET O0.1\n",
       {kI00},
       {o00, o01},
       [](const Bits& i) {
         return Bits{false, !i[0]};
       }},
      {"IF N (I0.0) THEN NOP OTHRW SET O0.1\n",
       {kI00},
       {o01},
       [](const Bits& i) { return Bits{i[0]}; }},
      {"IF I0.0 AND I0.1 THEN SET O0.0 RESET O0.2 OTHRW SET O0.1 RESET O0.3\n",
       {kI00, kI01, o02, o03},
       {o00, o01, o02, o03},
       [](const Bits& i) {
         const bool v = i[0] && i[1];
         return Bits{v, !v, v ? false : i[2], v ? i[3] : false};
       }},
      {"IF I0.0 THEN SET O0.0 OTHRW SET O0.1\n"
       "IF I0.1 THEN NOP OTHRW SET O0.2\n"
       "IF I0.2 THEN SET O0.3\n",
       {kI00, kI01, kI02},
       {o00, o01, o02, o03},
       [](const Bits& i) {
         return Bits{i[0], !i[0], !i[1], i[2]};
       }},
      {"THEN SET O0.0\n"
       "IF I0.0 THEN RESET O0.0\n",
       {kI00},
       {o00},
       [](const Bits& i) { return Bits{!i[0]}; }},
      {"IF (I0.0 EXOR I0.1) OR N I0.2 THEN LOAD I0.1 TO O0.0 OTHRW LOAD I0.0 TO O0.1\n",
       {kI00, kI01, kI02, o00, o01},
       {o00, o01},
       [](const Bits& i) {
         const bool v = (i[0] != i[1]) || !i[2];
         return Bits{v ? i[1] : i[3], v ? i[4] : i[0]};
       }},
  };
  for (const StoreCase& c : cases) ExpectStores(c);
}

}  // namespace
}  // namespace zel::emu
