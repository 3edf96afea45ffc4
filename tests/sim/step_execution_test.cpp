// What steps mean when compiled and run: the first run makes step 1 active, a step runs
// cycle after cycle until its last condition holds at its end, an OTHRW part that ran
// keeps it, and JMP TO makes its target the step that runs next.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim/module_image.h"
#include "sim/support/program_run.h"

namespace zel::emu {
namespace {

// What one cycle sees and leaves: the inputs I0.0 and I0.1, then the active step and the
// registers R1, R2, R3, which the steps count up to show that they ran.
struct StepCycle {
  bool i00, i01;
  std::uint16_t step;
  std::uint16_t r1, r2, r3;
};

void ExpectSteps(const char* text, const std::vector<StepCycle>& cycles) {
  SCOPED_TRACE(text);
  ProgramRun program(text);
  ASSERT_TRUE(program.ready());
  for (std::size_t i = 0; i < cycles.size(); ++i) {
    SCOPED_TRACE("cycle " + std::to_string(i + 1));
    const StepCycle& c = cycles[i];
    program.setBit(InputBit(0, 0), c.i00);
    program.setBit(InputBit(0, 1), c.i01);
    ASSERT_TRUE(RanCleanly(program.run()));
    EXPECT_EQ(program.controller().headerWord(kHeaderActiveStep), c.step);
    EXPECT_NE(program.controller().headerWord(kHeaderResume), 0);
    EXPECT_EQ(program.word(RegisterWord(1)), c.r1);
    EXPECT_EQ(program.word(RegisterWord(2)), c.r2);
    EXPECT_EQ(program.word(RegisterWord(3)), c.r3);
  }
}

TEST(StepExecutionTest, StepAdvancesOnlyWhenItsConditionHolds) {
  ExpectSteps(
      "STEP ONE\n"
      "IF I0.0 THEN INC R1\n"
      "STEP TWO\n"
      "IF I0.1 THEN INC R2\n"
      "STEP THREE\n"
      "THEN INC R3\n",
      {
          {true, true, 1, 0, 0, 0},    // the first run only enters step 1
          {false, true, 1, 0, 0, 0},   // step 1 runs, its condition does not hold
          {false, false, 1, 0, 0, 0},  //
          {true, true, 2, 1, 0, 0},    // it holds: step 2 is next
          {true, false, 2, 1, 0, 0},   // step 2 runs, stays
          {true, true, 3, 1, 1, 0},    //
          {false, false, 3, 1, 1, 1},  // the last step runs again and again
          {false, false, 3, 1, 1, 2},
      });
}

TEST(StepExecutionTest, TheLastConditionOfTheStepDecides) {
  ExpectSteps(
      "STEP ONE\n"
      "IF I0.0 THEN INC R1\n"
      "IF I0.1 THEN INC R2\n"
      "STEP TWO\n"
      "THEN INC R3\n",
      {
          {false, false, 1, 0, 0, 0},
          {true, false, 1, 1, 0, 0},
          {false, true, 2, 1, 1, 0},
          {false, false, 2, 1, 1, 1},
      });
}

TEST(StepExecutionTest, StepWhoseOtherwisePartRanDoesNotAdvance) {
  ExpectSteps(
      "STEP ONE\n"
      "IF I0.0 THEN INC R1 OTHRW INC R2\n"
      "STEP TWO\n"
      "IF I0.0 THEN NOP OTHRW INC R2\n"
      "STEP THREE\n"
      "IF NOP THEN INC R3\n",
      {
          {false, false, 1, 0, 0, 0},
          {false, false, 1, 0, 1, 0},  // OTHRW ran
          {false, true, 1, 0, 2, 0},
          {true, false, 2, 1, 2, 0},
          {false, false, 2, 1, 3, 0},
          {true, false, 3, 1, 3, 0},  // THEN NOP: the condition held
          {true, false, 3, 1, 3, 1},
      });
  // An OTHRW part in an earlier sentence does not decide: the last condition does.
  ExpectSteps(
      "STEP ONE\n"
      "IF I0.0 THEN NOP OTHRW INC R2\n"
      "IF I0.1 THEN INC R1\n"
      "STEP TWO\n"
      "THEN INC R3\n",
      {
          {false, false, 1, 0, 0, 0},
          {false, true, 2, 1, 1, 0},
          {false, false, 2, 1, 1, 1},
      });
}

TEST(StepExecutionTest, JumpsMakeTheirTargetTheNextStep) {
  ExpectSteps(
      "STEP A\n"
      "IF I0.0 THEN JMP TO C\n"
      "IF NOP THEN INC R1\n"
      "STEP B\n"
      "THEN INC R2\n"
      "STEP C\n"
      "IF I0.1 THEN INC R3 JMP TO A\n"
      "IF NOP THEN JMP TO B\n",
      {
          {false, false, 1, 0, 0, 0},
          {true, false, 3, 0, 0, 0},   // forward, before the rest of step A
          {false, true, 1, 0, 0, 1},   // backward to the first step
          {false, false, 2, 1, 0, 1},  // step A runs through, on to B
          {false, false, 3, 1, 1, 1},
          {false, false, 2, 1, 1, 1},  // backward to a middle step
          {false, false, 3, 1, 2, 1},
          {false, true, 1, 1, 2, 2},
      });
  // A jump to the step that is running starts it again next time.
  ExpectSteps(
      "STEP A\n"
      "THEN INC R1\n"
      "STEP B\n"
      "IF I0.0 THEN INC R2 JMP TO B\n"
      "IF NOP THEN INC R3\n",
      {
          {false, false, 1, 0, 0, 0},
          {false, false, 2, 1, 0, 0},
          {true, false, 2, 1, 1, 0},
          {true, false, 2, 1, 2, 0},
          {false, false, 2, 1, 2, 1},
      });
}

// Steps with many sentences and module calls keep the same rules.
TEST(StepExecutionTest, ConditionImageSurvivesEntryCallsInTheStep) {
  ExpectSteps(
      "STEP A\n"
      "IF I0.0 THEN SET T1 LOAD FU32 TO FU33 CFM 3 INC R1\n"
      "STEP B\n"
      "IF I0.1 THEN NOP OTHRW SET T2 LOAD FU33 TO FU34 INC R2\n"
      "STEP C\n"
      "THEN INC R3\n",
      {
          {false, false, 1, 0, 0, 0},
          {false, false, 1, 0, 0, 0},
          {true, false, 2, 1, 0, 0},
          {false, false, 2, 1, 1, 0},  // the entries flip the flags: the step must stay
          {false, true, 3, 1, 1, 0},
          {false, false, 3, 1, 1, 1},
      });
}

// A program without steps leaves the step fields alone and always starts at its beginning.
TEST(StepExecutionTest, ProgramWithoutStepsLeavesTheStepFields) {
  for (const char* text : {"THEN INC R3\nIF I0.0 THEN INC R1 OTHRW INC R2\n",
                           "SET O0.0\nINC R1\nRESET C1\n", "IF NOP THEN SET T1 CFM 2\n"}) {
    SCOPED_TRACE(text);
    ProgramRun program(text);
    ASSERT_TRUE(program.ready());
    EmulatedController& controller = program.controller();
    controller.setHeaderWord(kHeaderActiveStep, 0x5A5A);
    controller.setHeaderWord(kHeaderSavedResume, 0x1234);
    for (bool input : {false, true, false}) {
      program.setBit(InputBit(0, 0), input);
      ASSERT_TRUE(RanCleanly(program.run()));
      EXPECT_EQ(controller.headerWord(kHeaderResume), 0);
      EXPECT_EQ(controller.headerWord(kHeaderActiveStep), 0x5A5A);
      EXPECT_EQ(controller.headerWord(kHeaderSavedResume), 0x1234);
    }
  }
}

}  // namespace
}  // namespace zel::emu
