// What CMP and CFM calls do when compiled and run: the parameters reach the FU words in
// order, a CMP ends the caller's run and the next run goes on right after the call with
// the resume address the caller had, a CFM returns at once.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim/module_image.h"
#include "sim/runtime_entry.h"
#include "sim/support/program_run.h"

namespace zel::emu {
namespace {

using Words = std::vector<std::uint16_t>;

// The entries called, with their arguments; AX and BX are left out.
std::vector<std::pair<std::uint8_t, Words>> Calls(const RunResult& run) {
  std::vector<std::pair<std::uint8_t, Words>> calls;
  for (const EntryCall& call : run.calls) calls.emplace_back(call.entry, call.args);
  return calls;
}

using CallList = std::vector<std::pair<std::uint8_t, Words>>;

TEST(ModuleCallExecutionTest, ParametersReachTheFunctionWordsInOrder) {
  struct Case {
    const char* program;
    const char* module;
    CallList calls;
    Words fu;  // FU32 on afterwards
  };
  const std::vector<Case> cases{
      {"CMP 5 WITH FW1 WITH V7 WITH R2\n",
       "CZ0P05V1",
       {{kEntryWriteFu, {32, 111}},
        {kEntryWriteFu, {33, 7}},
        {kEntryWriteFu, {34, 222}},
        {kEntryCallCmp, {5}}},
       {111, 7, 222, 0}},
      {"CFM 20 WITH R2 WITH FW1\n",
       "CZ0P05V1",
       {{kEntryWriteFu, {32, 222}}, {kEntryWriteFu, {33, 111}}, {kEntryCallCfm, {20}}},
       {222, 111, 0}},
      {"CMP 99\n", "CZ0B10V1", {{kEntryCallCmp, {99}}}, {0}},
      {"CFM 0 WITH V$FFFF\n",
       "CZ0F20V1",
       {{kEntryWriteFu, {32, 0xFFFF}}, {kEntryCallCfm, {0}}},
       {0xFFFF, 0x3333}},
      // a parameter read from an FU word passes through the read entry first
      {"CMP 1 WITH FU33 WITH FU32\n",
       "CZ0P05V1",
       {{kEntryReadFu, {33}},
        {kEntryWriteFu, {32, 0x3333}},
        {kEntryReadFu, {32}},
        {kEntryWriteFu, {33, 0x3333}},
        {kEntryCallCmp, {1}}},
       {0x3333, 0x3333}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    CompileOptions options;
    options.module = c.module;
    ProgramRun program(c.program, options);
    ASSERT_TRUE(program.ready());
    program.setWord(FlagWord(1), 111);
    program.setWord(RegisterWord(2), 222);
    program.controller().setFuValue(33, 0x3333);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    EXPECT_EQ(Calls(run), c.calls);
    for (std::size_t i = 0; i < c.fu.size(); ++i)
      EXPECT_EQ(program.controller().fuValue(32 + static_cast<int>(i)), c.fu[i]) << i;
  }
}

// Beyond FU38 the parameters go straight into the operand area.
TEST(ModuleCallExecutionTest, ParametersBeyondTheEntryWordsWrittenDirectly) {
  ProgramRun program(
      "CFM 3 WITH V1 WITH V2 WITH V3 WITH V4 WITH V5 WITH V6 WITH V7 WITH V8 WITH V9\n");
  ASSERT_TRUE(program.ready());
  const RunResult run = program.run();
  ASSERT_TRUE(RanCleanly(run));
  ASSERT_EQ(run.calls.size(), 8u);
  for (int n = 32; n <= 38; ++n) EXPECT_EQ(program.controller().fuValue(n), n - 31);
  EXPECT_EQ(program.word(FuWord(39)), 8);
  EXPECT_EQ(program.word(FuWord(40)), 9);
  EXPECT_EQ(program.word(FuWord(38)), 0);
  EXPECT_EQ(program.word(FuWord(41)), 0);
  EXPECT_EQ(run.calls.back().entry, kEntryCallCfm);
}

struct CallCycle {
  bool i00;
  CallList calls;
  std::uint8_t outputs;  // O0.0 .. O0.7 after the run
  bool resumeSet;        // whether the module goes on elsewhere than at its start
};

void ExpectCycles(const char* text, const char* module, const std::vector<CallCycle>& cycles) {
  SCOPED_TRACE(text);
  CompileOptions options;
  options.module = module;
  ProgramRun program(text, options);
  ASSERT_TRUE(program.ready());
  for (std::size_t i = 0; i < cycles.size(); ++i) {
    SCOPED_TRACE("cycle " + std::to_string(i + 1));
    const CallCycle& c = cycles[i];
    program.setBit(InputBit(0, 0), c.i00);
    program.controller().setOperandByte(OutputWord(0), 0);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    EXPECT_EQ(Calls(run), c.calls);
    EXPECT_EQ(program.controller().operandByte(OutputWord(0)), c.outputs);
    EXPECT_EQ(program.controller().headerWord(kHeaderResume) != 0, c.resumeSet);
  }
}

TEST(ModuleCallExecutionTest, CmpEndsTheRunAndTheNextRunGoesOnAfterIt) {
  const CallList cmp5{{kEntryWriteFu, {32, 7}}, {kEntryCallCmp, {5}}};
  ExpectCycles("SET O0.0\nCMP 5 WITH V7\nSET O0.1\n", "CZ0P05V1",
               {
                   {false, cmp5, 0x01, true},
                   {false, {}, 0x02, false},
                   {false, cmp5, 0x01, true},
                   {false, {}, 0x02, false},
               });
  // two calls in a row: one per run
  ExpectCycles("CMP 1\nCMP 2\nSET O0.2\n", "CZ0B10V1",
               {
                   {false, {{kEntryCallCmp, {1}}}, 0x00, true},
                   {false, {{kEntryCallCmp, {2}}}, 0x00, true},
                   {false, {}, 0x04, false},
                   {false, {{kEntryCallCmp, {1}}}, 0x00, true},
               });
  // inside a THEN part: the rest of the part and the later sentences run next time, and
  // the OTHRW part is still skipped
  ExpectCycles("IF I0.0 THEN SET O0.0 CMP 3 SET O0.1 OTHRW SET O0.2\nIF NOP THEN SET O0.3\n",
               "CZ0P05V1",
               {
                   {true, {{kEntryCallCmp, {3}}}, 0x01, true},
                   {false, {}, 0x0A, false},
                   {false, {}, 0x0C, false},
                   {true, {{kEntryCallCmp, {3}}}, 0x01, true},
                   {true, {}, 0x0A, false},
               });
  // an OTHRW part's call
  ExpectCycles("IF I0.0 THEN SET O0.0 OTHRW CMP 4 SET O0.1\nIF NOP THEN SET O0.3\n", "CZ0P05V1",
               {
                   {false, {{kEntryCallCmp, {4}}}, 0x00, true},
                   {true, {}, 0x0A, false},
                   {true, {}, 0x09, false},
               });
}

TEST(ModuleCallExecutionTest, CfmReturnsWithinTheRun) {
  ExpectCycles("SET O0.0\nCFM 5 WITH V7\nSET O0.1\n", "CZ0P05V1",
               {
                   {false, {{kEntryWriteFu, {32, 7}}, {kEntryCallCfm, {5}}}, 0x03, false},
                   {false, {{kEntryWriteFu, {32, 7}}, {kEntryCallCfm, {5}}}, 0x03, false},
               });
  ExpectCycles("IF I0.0 THEN CFM 1 SET O0.0 OTHRW CFM 2 SET O0.1\n", "CZ0F20V1",
               {
                   {true, {{kEntryCallCfm, {1}}}, 0x01, false},
                   {false, {{kEntryCallCfm, {2}}}, 0x02, false},
               });
}

// A CMP called before a resume address was ever set leaves 0 behind; one called from a
// step puts the step's own address back.
TEST(ModuleCallExecutionTest, CallerResumeAddressComesBack) {
  ProgramRun program(
      "STEP A\n"
      "IF NOP THEN SET F0.0\n"
      "STEP B\n"
      "IF I0.0 THEN CMP 4 SET O0.0\n"
      "IF I0.1 THEN INC R1\n"
      "STEP C\n"
      "IF NOP THEN INC R3\n");
  ASSERT_TRUE(program.ready());
  EmulatedController& controller = program.controller();
  ASSERT_TRUE(RanCleanly(program.run()));  // enters step A
  ASSERT_TRUE(RanCleanly(program.run()));  // step A, on to B
  ASSERT_EQ(controller.headerWord(kHeaderActiveStep), 2);
  const std::uint16_t stepB = controller.headerWord(kHeaderResume);
  ASSERT_NE(stepB, 0);

  program.setBit(InputBit(0, 0), true);
  RunResult run = program.run();
  ASSERT_TRUE(RanCleanly(run));
  ASSERT_EQ(run.calls.size(), 1u);
  EXPECT_EQ(run.calls[0].entry, kEntryCallCmp);
  EXPECT_EQ(controller.headerWord(kHeaderSavedResume), stepB);
  EXPECT_NE(controller.headerWord(kHeaderResume), stepB);
  EXPECT_FALSE(program.bit(OutputBit(0, 0)));

  program.setBit(InputBit(0, 0), false);
  run = program.run();  // after the call; I0.1 is 0, so step B stays
  ASSERT_TRUE(RanCleanly(run));
  EXPECT_TRUE(run.calls.empty());
  EXPECT_TRUE(program.bit(OutputBit(0, 0)));
  EXPECT_EQ(program.word(RegisterWord(1)), 0);
  EXPECT_EQ(controller.headerWord(kHeaderResume), stepB);
  EXPECT_EQ(controller.headerWord(kHeaderActiveStep), 2);

  run = program.run();  // step B again from its start, no call this time
  ASSERT_TRUE(RanCleanly(run));
  EXPECT_TRUE(run.calls.empty());
  EXPECT_EQ(controller.headerWord(kHeaderResume), stepB);

  program.setBit(InputBit(0, 1), true);
  ASSERT_TRUE(RanCleanly(program.run()));
  EXPECT_EQ(program.word(RegisterWord(1)), 1);
  EXPECT_EQ(controller.headerWord(kHeaderActiveStep), 3);
  ASSERT_TRUE(RanCleanly(program.run()));
  EXPECT_EQ(program.word(RegisterWord(3)), 1);
}

// The controller may hand a resume address of its own; the call keeps it for the caller.
TEST(ModuleCallExecutionTest, SavedResumeAddressIsTheOneBeforeTheCall) {
  ProgramRun program("SET O0.0\nCMP 2\nINC R1\n");
  ASSERT_TRUE(program.ready());
  EmulatedController& controller = program.controller();
  ASSERT_TRUE(RanCleanly(program.run()));
  EXPECT_EQ(controller.headerWord(kHeaderSavedResume), 0);
  const std::uint16_t returnPoint = controller.headerWord(kHeaderResume);
  ASSERT_NE(returnPoint, 0);
  ASSERT_TRUE(RanCleanly(program.run()));
  EXPECT_EQ(program.word(RegisterWord(1)), 1);
  EXPECT_EQ(controller.headerWord(kHeaderResume), 0);
  // a second round takes the same way
  ASSERT_TRUE(RanCleanly(program.run()));
  EXPECT_EQ(controller.headerWord(kHeaderResume), returnPoint);
  ASSERT_TRUE(RanCleanly(program.run()));
  EXPECT_EQ(program.word(RegisterWord(1)), 2);
}

}  // namespace
}  // namespace zel::emu
