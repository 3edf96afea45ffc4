// What SET, RESET, INC, DEC and the THEN and OTHRW parts do when compiled and run: the
// operand area after the run, the run-time entries called, and a clean return.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "sim/operand_area.h"
#include "sim/runtime_entry.h"
#include "sim/support/program_run.h"

namespace zel::emu {

void PrintTo(const EntryCall& call, std::ostream* out);

namespace {

constexpr std::size_t kRecordSize = 7;
constexpr std::size_t kConfigSize = 700;

std::uint8_t Byte(bool ones) {
  return ones ? 0xFF : 0x00;
}

std::size_t ProgramStateAt(int number) {
  return kProgramStateOffset + 2 * static_cast<std::size_t>(number);
}

// AX and BX mean something at the program state entry only.
std::vector<EntryCall> Calls(const RunResult& run) {
  std::vector<EntryCall> calls = run.calls;
  for (EntryCall& call : calls)
    if (call.entry != kEntryProgramState) call.ax = call.bx = 0;
  return calls;
}

struct BitCase {
  const char* program;
  BitPlace place;
  bool before;  // the bit's byte and both neighbours start all ones or all zeros
  bool after;
};

TEST(StatementExecutionTest, SetAndResetOfLocalBitsTouchOnlyTheirBit) {
  const std::vector<BitCase> cases{
      {"SET O0.0\n", OutputBit(0, 0), false, true},
      {"RESET O0.0\n", OutputBit(0, 0), true, false},
      {"SET O3.9\n", OutputBit(3, 9), false, true},
      {"RESET O3.9\n", OutputBit(3, 9), true, false},
      {"SET O255.15\n", OutputBit(255, 15), false, true},
      {"SET F0.7\n", FlagBit(0, 7), false, true},
      {"RESET F123.8\n", FlagBit(123, 8), true, false},
      {"SET F9999.15\n", FlagBit(9999, 15), false, true},
      {"RESET F9999.15\n", FlagBit(9999, 15), true, false},
      // setting a set bit and resetting a reset one change nothing
      {"SET O1.1\n", OutputBit(1, 1), true, true},
      {"RESET F1.1\n", FlagBit(1, 1), false, false},
  };
  for (const BitCase& c : cases) {
    SCOPED_TRACE(c.program);
    ProgramRun program(c.program);
    ASSERT_TRUE(program.ready());
    for (std::size_t at : {c.place.offset - 1, c.place.offset, c.place.offset + 1})
      program.controller().setOperandByte(at, Byte(c.before));
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    EXPECT_TRUE(run.calls.empty());
    const std::uint8_t others = Byte(c.before) & static_cast<std::uint8_t>(~c.place.mask);
    EXPECT_EQ(program.controller().operandByte(c.place.offset),
              others | (c.after ? c.place.mask : 0));
    EXPECT_EQ(program.controller().operandByte(c.place.offset - 1), Byte(c.before));
    EXPECT_EQ(program.controller().operandByte(c.place.offset + 1), Byte(c.before));
  }
}

std::string TwoStations() {
  std::string config(kConfigSize, '\0');
  const auto station = [&config](int number, std::uint8_t type, char inputs, char outputs) {
    config[number * kRecordSize] = static_cast<char>(type);
    config[number * kRecordSize + 3] = inputs;
    config[number * kRecordSize + 6] = outputs;
  };
  station(2, 0x01, 4, 4);  // byte station
  station(3, 0x21, 8, 8);  // word station: four words each way
  return config;
}

TEST(StatementExecutionTest, SetAndResetOfFieldbusOutputBits) {
  struct Case {
    const char* program;
    int station;
    std::size_t unit;  // byte of the station
    std::uint8_t mask;
    bool before;
    bool after;
  };
  const std::vector<Case> cases{
      {"SET O2.1.3\n", 2, 1, 0x08, false, true},
      {"RESET O2.1.3\n", 2, 1, 0x08, true, false},
      {"SET O2.3.7\n", 2, 3, 0x80, false, true},
      // a word station has two bytes per word; bits 8..15 are in the second
      {"SET O3.0.0\n", 3, 0, 0x01, false, true},
      {"SET O3.1.10\n", 3, 3, 0x04, false, true},
      {"RESET O3.2.8\n", 3, 5, 0x01, true, false},
      {"RESET O3.3.7\n", 3, 6, 0x80, true, false},
  };
  CompileOptions options;
  options.fieldbusConfig = TwoStations();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    ProgramRun program(c.program, options);
    ASSERT_TRUE(program.ready());
    EmulatedController& controller = program.controller();
    for (std::size_t unit = 0; unit < 8; ++unit) {
      controller.setStationByte(Fieldbus::Outputs, c.station, unit, Byte(c.before));
      controller.setStationByte(Fieldbus::Inputs, c.station, unit, Byte(!c.before));
    }
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    for (std::size_t unit = 0; unit < 8; ++unit) {
      SCOPED_TRACE(unit);
      std::uint8_t want = Byte(c.before);
      if (unit == c.unit) want = c.after ? want | c.mask : want & ~c.mask;
      EXPECT_EQ(controller.stationByte(Fieldbus::Outputs, c.station, unit), want);
      EXPECT_EQ(controller.stationByte(Fieldbus::Inputs, c.station, unit), Byte(!c.before));
    }
  }
}

struct CounterCase {
  const char* program;
  std::uint16_t status, preselect, count;  // of C1 before the run
  std::uint16_t wantStatus, wantPreselect, wantCount;
};

void ExpectCounters(const std::vector<CounterCase>& cases) {
  for (const CounterCase& c : cases) {
    SCOPED_TRACE(c.program);
    ProgramRun program(c.program);
    ASSERT_TRUE(program.ready());
    program.setWord(FlagWord(3), 1234);
    program.setWord(CounterStatus(1), c.status);
    program.setWord(CounterPreselect(1), c.preselect);
    program.setWord(CounterWord(1), c.count);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    EXPECT_TRUE(run.calls.empty());
    EXPECT_EQ(program.word(CounterStatus(1)), c.wantStatus);
    EXPECT_EQ(program.word(CounterPreselect(1)), c.wantPreselect);
    EXPECT_EQ(program.word(CounterWord(1)), c.wantCount);
    // the neighbours stay untouched
    EXPECT_EQ(program.word(CounterWord(0)), 0);
    EXPECT_EQ(program.word(CounterStatus(2)), 0);
  }
}

TEST(StatementExecutionTest, SetOfACounterClearsItsWordResetKeepsIt) {
  ExpectCounters({
      {"SET C1\n", 0x0000, 9, 77, 0x0001, 9, 0},
      {"SET C1\n", 0x8000, 9, 77, 0x8001, 9, 0},
      {"RESET C1\n", 0xFFFF, 9, 77, 0xFFFE, 9, 77},
      {"SET C1\nLOAD V20 TO CP1\n", 0, 9, 77, 1, 20, 0},
      {"LOAD FW3 TO CP1\nSET C1\n", 0, 9, 77, 1, 1234, 0},
  });
}

TEST(StatementExecutionTest, CountingClearsTheCounterBitAtItsEnd) {
  ExpectCounters({
      // INC: the bit goes when the count reaches the preselect
      {"INC C1\n", 1, 3, 1, 1, 3, 2},
      {"INC C1\n", 1, 3, 2, 0, 3, 3},
      {"INC C1\n", 1, 3, 3, 1, 3, 4},
      {"INC CW1\n", 1, 3, 2, 0, 3, 3},
      {"INC C1\n", 1, 0, 0xFFFF, 0, 0, 0},
      // a counter whose bit is off stays off
      {"INC C1\n", 0, 3, 0, 0, 3, 1},
      // DEC: the bit goes when the count reaches 0
      {"DEC C1\n", 1, 3, 2, 1, 3, 1},
      {"DEC C1\n", 1, 3, 1, 0, 3, 0},
      {"DEC CW1\n", 1, 3, 0, 1, 3, 0xFFFF},
      // the preselect is a plain word
      {"INC CP1\n", 1, 3, 3, 1, 4, 3},
      {"DEC CP1\n", 1, 3, 3, 1, 2, 3},
  });
}

TEST(StatementExecutionTest, IncAndDecOfLocalWordsWrapAround) {
  struct Case {
    const char* program;
    std::size_t offset;
    std::uint16_t before, after;
  };
  const std::vector<Case> cases{
      {"INC R2\n", RegisterWord(2), 41, 42},      {"INC R2\n", RegisterWord(2), 0xFFFF, 0},
      {"DEC R2\n", RegisterWord(2), 0, 0xFFFF},   {"INC R255\n", RegisterWord(255), 0x00FF, 0x0100},
      {"INC FW3\n", FlagWord(3), 0x7FFF, 0x8000}, {"DEC FW9999\n", FlagWord(9999), 0x0100, 0x00FF},
      {"INC OW7\n", OutputWord(7), 5, 6},         {"INC TP4\n", TimerPreselect(4), 5, 6},
      {"DEC TW4\n", TimerWord(4), 5, 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    ProgramRun program(c.program);
    ASSERT_TRUE(program.ready());
    program.setWord(c.offset - 2, 0x1111);
    program.setWord(c.offset, c.before);
    program.setWord(c.offset + 2, 0x2222);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    EXPECT_TRUE(run.calls.empty());
    EXPECT_EQ(program.word(c.offset), c.after);
    EXPECT_EQ(program.word(c.offset - 2), 0x1111);
    EXPECT_EQ(program.word(c.offset + 2), 0x2222);
  }
}

TEST(StatementExecutionTest, IncAndDecOfFieldbusOutputWords) {
  struct Case {
    const char* program;
    int station;
    std::size_t unit;
    bool word;
    std::uint16_t before, after;
  };
  const std::vector<Case> cases{
      {"INC OW2.1\n", 2, 1, false, 0x12FF, 0x1200},  // a byte station: only the byte counts
      {"DEC OW2.3\n", 2, 3, false, 0x0000, 0x00FF},
      {"INC OW3.1\n", 3, 2, true, 0x00FF, 0x0100},
      {"DEC OW3.3\n", 3, 6, true, 0x0000, 0xFFFF},
  };
  CompileOptions options;
  options.fieldbusConfig = TwoStations();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    ProgramRun program(c.program, options);
    ASSERT_TRUE(program.ready());
    EmulatedController& controller = program.controller();
    if (c.word) {
      controller.setStationWord(Fieldbus::Outputs, c.station, c.unit, c.before);
    } else {
      controller.setStationByte(Fieldbus::Outputs, c.station, c.unit, c.before & 0xFF);
      controller.setStationByte(Fieldbus::Outputs, c.station, c.unit + 1, c.before >> 8);
    }
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    EXPECT_EQ(controller.stationWord(Fieldbus::Outputs, c.station, c.unit), c.after);
    EXPECT_EQ(controller.stationWord(Fieldbus::Inputs, c.station, c.unit), 0);
  }
}

// The fault word EW: every value written is reported, and one that is not 0 ends the run.
TEST(StatementExecutionTest, FaultWordChangesAreReportedAndNonZeroEndsTheRun) {
  struct Case {
    const char* program;
    std::uint16_t before;
    std::uint16_t reported;
    bool rest;  // whether the statement after it ran
  };
  const std::vector<Case> cases{
      {"LOAD V5 TO EW\nSET O0.0\n", 0, 5, false},
      {"LOAD V0 TO EW\nSET O0.0\n", 7, 0, true},
      {"LOAD FW3 TO EW\nSET O0.0\n", 0, 0x8000, false},
      {"RESET E\nSET O0.0\n", 34, 0, true},
      {"RESET E\nSET O0.0\n", 0, 0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program);
    ProgramRun program(c.program);
    ASSERT_TRUE(program.ready());
    program.setWord(kFaultWordOffset, c.before);
    program.setWord(FlagWord(3), 0x8000);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    ASSERT_FALSE(run.calls.empty());
    EXPECT_EQ(run.calls.back().entry, kEntryReportFaultWord);
    EXPECT_EQ(run.calls.back().args, std::vector<std::uint16_t>{c.reported});
    EXPECT_EQ(program.word(kFaultWordOffset), c.reported);
    EXPECT_EQ(program.bit(OutputBit(0, 0)), c.rest);
  }
}

struct EntryCase {
  const char* program;
  std::function<void(ProgramRun&)> before;
  std::vector<EntryCall> calls;
  std::function<void(ProgramRun&)> after;
};

void ExpectEntryCalls(const std::vector<EntryCase>& cases, const char* module = "CZ0P05V1") {
  CompileOptions options;
  options.module = module;
  for (const EntryCase& c : cases) {
    SCOPED_TRACE(c.program);
    ProgramRun program(c.program, options);
    ASSERT_TRUE(program.ready());
    if (c.before) c.before(program);
    const RunResult run = program.run();
    ASSERT_TRUE(RanCleanly(run));
    EXPECT_EQ(Calls(run), c.calls);
    c.after(program);
  }
}

EntryCall Timer(std::uint16_t function, std::uint16_t number) {
  return {kEntryTimer, {function, number}, 0, 0};
}

TEST(StatementExecutionTest, TimersStartAndResetThroughTheTimerService) {
  const auto timerBit = [](int number, bool on) {
    return [number, on](ProgramRun& p) { EXPECT_EQ(p.bit({TimerStatus(number), 0x01}), on); };
  };
  const auto runningT4 = [](ProgramRun& p) { p.setWord(TimerStatus(4), 1); };
  ExpectEntryCalls({
      {"SET T1\n", nullptr, {Timer(1, 1)}, timerBit(1, true)},
      {"SET TON7\n", nullptr, {Timer(3, 7)}, timerBit(7, true)},
      {"SET TOFF255\n", nullptr, {Timer(4, 255)}, timerBit(255, true)},
      {"RESET T4\n", runningT4, {Timer(2, 4)}, timerBit(4, false)},
      {"RESET TON4\n", runningT4, {Timer(2, 4)}, timerBit(4, false)},
      {"RESET TOFF4\n", runningT4, {Timer(2, 4)}, timerBit(4, false)},
      {"SET T0\nRESET T9\nSET TON9\n",
       nullptr,
       {Timer(1, 0), Timer(2, 9), Timer(3, 9)},
       timerBit(9, true)},
  });
}

TEST(StatementExecutionTest, TimerPreselectWrittenBeforeTheStart) {
  const auto preselect = [](int number, std::uint16_t value) {
    return [number, value](ProgramRun& p) {
      EXPECT_EQ(p.word(TimerPreselect(number)), value);
      EXPECT_EQ(p.word(TimerWord(number)), 0);
      EXPECT_TRUE(p.bit({TimerStatus(number), 0x01}));
    };
  };
  ExpectEntryCalls({
      {"SET T1 WITH 2.5s\n", nullptr, {Timer(1, 1)}, preselect(1, 250)},
      {"SET T1 WITH 655.35s\n", nullptr, {Timer(1, 1)}, preselect(1, 65535)},
      {"SET TON2 WITH 0.05s\n", nullptr, {Timer(3, 2)}, preselect(2, 5)},
      {"SET TOFF3 WITH 10\n", nullptr, {Timer(4, 3)}, preselect(3, 1000)},
  });
}

EntryCall State(std::uint16_t number, std::uint16_t word) {
  return {kEntryProgramState, {}, word, number};
}

TEST(StatementExecutionTest, ProgramStatesGoThroughTheStateEntry) {
  const auto state = [](int number, std::uint16_t word) {
    return [number, word](ProgramRun& p) { p.setWord(ProgramStateAt(number), word); };
  };
  const auto expect = [](int number, std::uint16_t word) {
    return [number, word](ProgramRun& p) {
      EXPECT_EQ(p.word(ProgramStateAt(number)), word);
      EXPECT_TRUE(p.bit(OutputBit(0, 0)));
    };
  };
  ExpectEntryCalls({
      {"SET P7\nSET O0.0\n", nullptr, {State(7, 3)}, expect(7, 3)},
      {"SET PS7\nSET O0.0\n", nullptr, {State(7, 1)}, expect(7, 1)},
      // P goes with PS: SET P sets both, RESET P clears both, PS alone leaves P
      {"RESET P7\nSET O0.0\n", state(7, 3), {State(7, 0)}, expect(7, 0)},
      {"RESET PS7\nSET O0.0\n", state(7, 3), {State(7, 2)}, expect(7, 2)},
      {"SET P63\nSET O0.0\n", state(63, 0x0180), {State(63, 0x0183)}, expect(63, 0x0183)},
      {"SET P0\nSET O0.0\n", nullptr, {State(0, 3)}, expect(0, 3)},
      // setting another program keeps this one running
      {"SET P5\nSET O0.0\n", nullptr, {State(5, 3)}, expect(5, 3)},
      {"RESET PS6\nRESET P7\nSET O0.0\n",
       [](ProgramRun& p) {
         p.setWord(ProgramStateAt(6), 3);
         p.setWord(ProgramStateAt(7), 3);
       },
       {State(6, 2), State(7, 0)},
       expect(7, 0)},
  });
}

TEST(StatementExecutionTest, ResetOfTheOwnProgramEndsTheRun) {
  const auto running = [](ProgramRun& p) { p.setWord(ProgramStateAt(5), 3); };
  const auto rest = [](bool ran) {
    return [ran](ProgramRun& p) {
      EXPECT_EQ(p.bit(OutputBit(0, 0)), ran);
      EXPECT_EQ(p.word(RegisterWord(1)), ran ? 1 : 0);
    };
  };
  ExpectEntryCalls({
      {"RESET P5\nSET O0.0\nINC R1\n", running, {State(5, 0)}, rest(false)},
      {"IF I0.0 THEN RESET P5 SET O0.0\nIF NOP THEN INC R1\n",
       [](ProgramRun& p) { p.setBit(InputBit(0, 0), true); },
       {State(5, 0)},
       rest(false)},
      // not taken: the rest runs
      {"IF I0.0 THEN RESET P5\nIF NOP THEN SET O0.0 INC R1\n", nullptr, {}, rest(true)},
  });
  // In a module that is not a program the number is just another program's.
  ExpectEntryCalls({{"RESET P5\nSET O0.0\nINC R1\n", running, {State(5, 0)}, rest(true)}},
                   "CZ0B05V1");
  ExpectEntryCalls({{"RESET P5\nSET O0.0\nINC R1\n", running, {State(5, 0)}, rest(true)}},
                   "CZ0F05V1");
}

struct SentenceCase {
  const char* program;
  std::vector<BitPlace> inputs;
  // outputs O0.0 .. O0.7 after the run, one bit each, for every combination of the inputs
  std::vector<std::uint8_t> outputs;
};

TEST(StatementExecutionTest, ThenAndOtherwisePartsRunByTheCondition) {
  const BitPlace i00 = InputBit(0, 0);
  const BitPlace i01 = InputBit(0, 1);
  const std::vector<SentenceCase> cases{
      {"IF I0.0 THEN SET O0.0 OTHRW SET O0.1\n", {i00}, {0x02, 0x01}},
      {"IF I0.0 THEN SET O0.0 SET O0.2 OTHRW SET O0.1 SET O0.3\n", {i00}, {0x0A, 0x05}},
      {"IF I0.0 THEN SET O0.0\n", {i00}, {0x00, 0x01}},
      {"IF N I0.0 THEN SET O0.0\n", {i00}, {0x01, 0x00}},
      {"IF I0.0 THEN NOP OTHRW SET O0.1\n", {i00}, {0x02, 0x00}},
      {"IF NOP THEN SET O0.0\n", {i00}, {0x01, 0x01}},
      {"THEN SET O0.0\n", {}, {0x01}},
      // the entry calls in a part change the flags; the other part still does not run
      {"IF I0.0 THEN SET T1 SET O0.0 OTHRW SET TON2 SET O0.1\n", {i00}, {0x02, 0x01}},
      {"IF I0.0 THEN CFM 2 WITH V1 SET O0.0 OTHRW CFM 3 WITH V2 SET O0.1\n", {i00}, {0x02, 0x01}},
      // sentences one after the other, each with its own condition
      {"THEN SET O0.3\n"
       "IF I0.0 THEN SET O0.0 OTHRW SET O0.1\n"
       "IF I0.1 THEN SET O0.2\n"
       "IF I0.0 AND I0.1 THEN NOP OTHRW SET O0.4\n"
       "IF NOP THEN SET O0.5\n",
       {i00, i01},
       {0x3A, 0x39, 0x3E, 0x2D}},
  };
  for (const SentenceCase& c : cases) {
    SCOPED_TRACE(c.program);
    ProgramRun program(c.program);
    ASSERT_TRUE(program.ready());
    ASSERT_EQ(c.outputs.size(), std::size_t{1} << c.inputs.size());
    for (std::size_t combination = 0; combination < c.outputs.size(); ++combination) {
      SCOPED_TRACE(combination);
      program.reset();
      for (std::size_t i = 0; i < c.inputs.size(); ++i)
        program.setBit(c.inputs[i], ((combination >> i) & 1) != 0);
      ASSERT_TRUE(RanCleanly(program.run()));
      EXPECT_EQ(program.controller().operandByte(OutputWord(0)), c.outputs[combination]);
    }
  }
}

// The same sentences run every cycle with what the inputs are then.
TEST(StatementExecutionTest, SentencesFollowTheInputsCycleAfterCycle) {
  ProgramRun program(
      "IF I0.0 THEN SET O0.0 INC R1 OTHRW RESET O0.0 INC R2\n"
      "IF I0.1 THEN SET C1 LOAD V2 TO CP1\n"
      "IF I0.2 THEN INC C1\n");
  ASSERT_TRUE(program.ready());
  struct Cycle {
    bool i00, i01, i02;
    bool o00;
    std::uint16_t r1, r2, cw1;
    bool c1;
  };
  const std::vector<Cycle> cycles{
      {true, false, false, true, 1, 0, 0, false},  {false, true, false, false, 1, 1, 0, true},
      {false, false, true, false, 1, 2, 1, true},  {true, false, true, true, 2, 2, 2, false},
      {true, false, true, true, 3, 2, 3, false},   {false, true, true, false, 3, 3, 1, true},
      {false, false, false, false, 3, 4, 1, true},
  };
  for (std::size_t i = 0; i < cycles.size(); ++i) {
    SCOPED_TRACE(i);
    const Cycle& c = cycles[i];
    program.setBit(InputBit(0, 0), c.i00);
    program.setBit(InputBit(0, 1), c.i01);
    program.setBit(InputBit(0, 2), c.i02);
    ASSERT_TRUE(RanCleanly(program.run()));
    EXPECT_EQ(program.bit(OutputBit(0, 0)), c.o00);
    EXPECT_EQ(program.word(RegisterWord(1)), c.r1);
    EXPECT_EQ(program.word(RegisterWord(2)), c.r2);
    EXPECT_EQ(program.word(CounterWord(1)), c.cw1);
    EXPECT_EQ(program.bit({CounterStatus(1), 0x01}), c.c1);
  }
}

}  // namespace
}  // namespace zel::emu
