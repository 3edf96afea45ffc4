// The emulated controller itself, proved with hand-assembled modules.

#include "sim/emulated_controller.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "sim/module_assembler.h"
#include "sim/operand_area.h"

namespace zel::emu {

void PrintTo(const EntryCall& call, std::ostream* out) {
  char text[64];
  std::snprintf(text, sizeof text, "entry %02X ax %04X bx %04X args", call.entry, call.ax, call.bx);
  *out << text;
  for (std::uint16_t arg : call.args) *out << ' ' << arg;
}

namespace {

constexpr std::uint16_t kMw0 = 1024;
constexpr std::uint16_t kMw1 = 1026;
constexpr std::uint16_t kMw2 = 1028;
constexpr std::uint16_t kMw3 = 1030;

using Code = std::function<void(ModuleAssembler&)>;

void StoreAx(ModuleAssembler& a, std::uint16_t offset) {
  a.emit({0x89, 0x84}).emitWord(offset);
}

std::string Hex4(std::uint16_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%04X", value);
  return text;
}

// Runs `code` between prologue and epilogue on a fresh controller.
RunResult RunModule(EmulatedController& controller, const Code& code) {
  ModuleAssembler a;
  code(a);
  const LoadResult load = controller.load(a.finish());
  EXPECT_TRUE(load.ok) << load.error;
  return controller.run();
}

void ExpectCleanReturn(const RunResult& r) {
  EXPECT_TRUE(r.returned) << r.fault;
  EXPECT_EQ(r.fault, "");
  EXPECT_TRUE(r.stackBalanced);
  EXPECT_TRUE(r.registersPreserved);
  EXPECT_FALSE(r.budgetExhausted);
}

TEST(EmulatedControllerTest, WordWrittenToOperandAreaAndReturned) {
  struct Case {
    std::uint16_t offset;
    std::uint16_t value;
  };
  for (const Case& c : {Case{0, 0x1234}, {kMw0 + 10, 0xFFFF}, {21024, 1}, {27296, 0x8001}}) {
    SCOPED_TRACE(c.offset);
    EmulatedController controller;
    const RunResult r = RunModule(controller, [&](ModuleAssembler& a) {
      a.emit({0xB8}).emitWord(c.value);
      StoreAx(a, c.offset);
    });
    ExpectCleanReturn(r);
    EXPECT_TRUE(r.calls.empty());
    EXPECT_EQ(controller.operandWord(c.offset), c.value);
    if (c.offset > 0) {
      EXPECT_EQ(controller.operandByte(c.offset - 1), 0);
    }
    if (c.offset + 2u < kOperandAreaSize) {
      EXPECT_EQ(controller.operandByte(c.offset + 2), 0);
    }
    // The header's jump, 10 prologue, 3 resume test, 2 own and 6 epilogue instructions.
    EXPECT_EQ(r.instructions, 22u);
  }
}

TEST(EmulatedControllerTest, ArgumentsPushedFirstOneFirst) {
  EmulatedController controller;
  ModuleAssembler a;
  // [BP+12] is the last word pushed, [BP+14] the first.
  a.emit({0x8B, 0x46, 0x0C});
  StoreAx(a, kMw0);
  a.emit({0x8B, 0x46, 0x0E});
  StoreAx(a, kMw1);
  ASSERT_TRUE(controller.load(a.finish()).ok);
  ExpectCleanReturn(controller.run(0x1111, 0x2222));
  EXPECT_EQ(controller.operandWord(kMw0), 0x2222);
  EXPECT_EQ(controller.operandWord(kMw1), 0x1111);
}

TEST(EmulatedControllerTest, EntriesServeAndRecordTheirCalls) {
  struct Case {
    const char* name;
    std::function<void(EmulatedController&)> before;
    Code code;
    EntryCall call;
    std::function<void(const EmulatedController&)> expect;
  };
  const auto nothing = [](auto&) {};
  const std::vector<Case> cases{
      {"CMP 5",
       nothing,
       [](ModuleAssembler& a) {
         a.emit({0xBB, 0x77, 0, 0xB8, 5, 0, 0x50, 0x26, 0xFF, 0x5D, 0x24});
       },
       {kEntryCallCmp, {5}, 5, 0x77},
       nothing},
      {"CFM 9",
       nothing,
       [](ModuleAssembler& a) {
         a.emit({0xBB, 0, 0, 0xB8, 9, 0, 0x50, 0x26, 0xFF, 0x5D, 0x2C});
       },
       {kEntryCallCfm, {9}, 9, 0},
       nothing},
      {"start T7",
       [](EmulatedController& c) { c.setOperandByte(23270, 0x80); },
       [](ModuleAssembler& a) {
         a.emit({0xBB, 0, 0, 0xB8, 1, 0, 0x50, 0xB8, 7, 0, 0x50, 0x26, 0xFF, 0x5D, 0x28});
       },
       {kEntryTimer, {1, 7}, 7, 0},
       [](const EmulatedController& c) { EXPECT_EQ(c.operandByte(23270), 0x81); }},
      {"reset T7",
       [](EmulatedController& c) { c.setOperandByte(23270, 0x81); },
       [](ModuleAssembler& a) {
         a.emit({0xBB, 0, 0, 0xB8, 2, 0, 0x50, 0xB8, 7, 0, 0x50, 0x26, 0xFF, 0x5D, 0x28});
       },
       {kEntryTimer, {2, 7}, 7, 0},
       [](const EmulatedController& c) { EXPECT_EQ(c.operandByte(23270), 0x80); }},
      {"start TON255",
       nothing,
       [](ModuleAssembler& a) {
         a.emit({0xBB, 0, 0, 0xB8, 3, 0, 0x50, 0xB8, 255, 0, 0x50, 0x26, 0xFF, 0x5D, 0x28});
       },
       {kEntryTimer, {3, 255}, 255, 0},
       [](const EmulatedController& c) { EXPECT_EQ(c.operandByte(25750), 0x01); }},
      {"read FU33",
       [](EmulatedController& c) { c.setFuValue(33, 0xBEEF); },
       [](ModuleAssembler& a) {
         a.emit({0xBB, 0, 0, 0xB8, 33, 0, 0x50, 0x26, 0xFF, 0x5D, 0x34, 0xC4, 0x7E, 0xFC});
         StoreAx(a, kMw0);
       },
       {kEntryReadFu, {33}, 33, 0},
       [](const EmulatedController& c) { EXPECT_EQ(c.operandWord(kMw0), 0xBEEF); }},
      {"write FU35",
       nothing,
       [](ModuleAssembler& a) {
         a.emit({0xB8, 0x21, 0x43, 0x50, 0xBB, 35, 0, 0x53, 0x50, 0x26, 0xFF, 0x5D, 0x38, 0x58});
         StoreAx(a, kMw0);
       },
       {kEntryWriteFu, {35, 0x4321}, 0x4321, 35},
       [](const EmulatedController& c) {
         EXPECT_EQ(c.fuValue(35), 0x4321);
         EXPECT_EQ(c.fuValue(34), 0);
         EXPECT_EQ(c.operandWord(kMw0), 0x4321);
       }},
      {"read FI",
       [](EmulatedController& c) { c.setFiValue(1); },
       [](ModuleAssembler& a) {
         a.emit({0xBB, 0, 0, 0xB8, 0, 0, 0x26, 0xFF, 0x5D, 0x3C});
         StoreAx(a, kMw0);
       },
       {kEntryReadFi, {}, 0, 0},
       [](const EmulatedController& c) { EXPECT_EQ(c.operandWord(kMw0), 1); }},
      {"state of P5",
       nothing,
       [](ModuleAssembler& a) {
         a.emit({0xB8, 3, 0, 0xBB, 5, 0, 0x53, 0x50, 0x26, 0xFF, 0x5D, 0x40, 0x58, 0x5B});
       },
       {kEntryProgramState, {}, 3, 5},
       [](const EmulatedController& c) {
         EXPECT_EQ(c.operandWord(kProgramStateOffset + 10), 3);
         EXPECT_EQ(c.operandWord(kProgramStateOffset + 8), 0);
       }},
      {"report EW 34",
       nothing,
       [](ModuleAssembler& a) {
         a.emit({0xBB, 0, 0, 0xB8, 34, 0, 0x50, 0x26, 0xFF, 0x5D, 0x44});
       },
       {kEntryReportFaultWord, {34}, 34, 0},
       [](const EmulatedController& c) { EXPECT_EQ(c.operandWord(kFaultWordOffset), 34); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EmulatedController controller;
    ModuleAssembler a;
    c.code(a);
    a.emit({0xC4, 0x7E, 0xFC});
    ASSERT_TRUE(controller.load(a.finish()).ok);
    c.before(controller);
    const RunResult r = controller.run();
    ExpectCleanReturn(r);
    EXPECT_THAT(r.calls, testing::ElementsAre(c.call));
    EXPECT_EQ(controller.calls(), r.calls);
    c.expect(controller);
  }
}

// BX (17), CX and DX into MW1..MW3, the flags after the call into the high byte of MW0.
void CallKeepingRegisters(ModuleAssembler& a, std::span<const std::uint8_t> call) {
  a.emit({0xBB, 0x11, 0x00, 0xB9, 0x22, 0x22, 0xBA, 0x33, 0x33, 0x31, 0xC0});
  a.emitBytes(call);
  a.emit({0xC4, 0x7E, 0xFC, 0x9F, 0x89, 0x9C}).emitWord(kMw1);
  a.emit({0x89, 0x8C}).emitWord(kMw2);
  a.emit({0x89, 0x94}).emitWord(kMw3);
  a.emit({0x88, 0xA4}).emitWord(kMw0 + 1);
}

TEST(EmulatedControllerTest, EntriesLeaveGarbageInRegistersTheyMayChange) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> call;
    std::uint16_t bx, cx, dx;
  };
  const std::vector<Case> cases{
      {"CMP", {0xB8, 5, 0, 0x50, 0x26, 0xFF, 0x5D, 0x24}, 0xDEAD, 0xDEAD, 0xDEAD},
      {"FI", {0x26, 0xFF, 0x5D, 0x3C}, 0xDEAD, 0xDEAD, 0xDEAD},
      {"program state",
       {0xB8, 1, 0, 0x53, 0x50, 0x26, 0xFF, 0x5D, 0x40, 0x58, 0x5B},
       0x0011,
       0x2222,
       0x3333},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EmulatedController controller;
    ExpectCleanReturn(
        RunModule(controller, [&](ModuleAssembler& a) { CallKeepingRegisters(a, c.call); }));
    EXPECT_EQ(controller.operandWord(kMw1), c.bx);
    EXPECT_EQ(controller.operandWord(kMw2), c.cx);
    EXPECT_EQ(controller.operandWord(kMw3), c.dx);
    // XOR AX,AX set the zero flag before the call; the entry turned it over.
    EXPECT_FALSE(controller.operandBit(kMw0 + 1, 0x40));
  }
}

TEST(EmulatedControllerTest, FaultsStopTheRunWithTheirReason) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> setup;
    std::vector<std::uint8_t> culprit;
    std::string fault;  // {at}: the culprit's offset, {after}: the offset after it
  };
  const std::vector<Case> cases{
      {"divide by 0",
       {0xB8, 5, 0, 0x31, 0xDB, 0x99},
       {0xF7, 0xFB},
       "Divide fault (interrupt 0) at 1000:{at}."},
      {"-32768 / -1",
       {0xB8, 0, 0x80, 0xBB, 0xFF, 0xFF, 0x99},
       {0xF7, 0xFB},
       "Divide fault (interrupt 0) at 1000:{at}."},
      {"header field 0x30",
       {},
       {0x26, 0xC7, 0x45, 0x30, 1, 0},
       "The module wrote outside its data at linear address 10030 from 1000:{at}."},
      {"beyond station 2",
       {0x26, 0xC4, 0x7D, 0x68, 0x26, 0xC4, 0xBD, 8, 0},
       {0x26, 0xC6, 0x85, 0x40, 0, 1},
       "The module wrote outside its data at linear address 50140 from 1000:{at}."},
      {"ES:DI not restored",
       {0xB8, 5, 0, 0x50, 0x26, 0xFF, 0x5D, 0x24},
       {0x26, 0x89, 0x45, 0x1C},
       "The module wrote outside its data at linear address EC999 from 1000:{at}."},
      {"empty entry slot",
       {},
       {0x26, 0xFF, 0x5D, 0x30},
       "The processor left the module's code at 0000:0000."},
      {"FU 40",
       {0xB8, 40, 0, 0x50},
       {0x26, 0xFF, 0x5D, 0x34},
       "Entry read FU called from 1000:{after}: FU number 40 is not 32..38."},
      {"timer 300",
       {0xB8, 1, 0, 0x50, 0xB8, 0x2C, 1, 0x50},
       {0x26, 0xFF, 0x5D, 0x28},
       "Entry timer service called from 1000:{after}: timer number 300 is not 0..255."},
      {"timer code 5",
       {0xB8, 5, 0, 0x50, 0xB8, 1, 0, 0x50},
       {0x26, 0xFF, 0x5D, 0x28},
       "Entry timer service called from 1000:{after}: function code 5 is not 1..4."},
      {"CMP 100",
       {0xB8, 100, 0, 0x50},
       {0x26, 0xFF, 0x5D, 0x24},
       "Entry call CMP called from 1000:{after}: module number 100 is not 0..99."},
      {"program 64",
       {0xBB, 64, 0, 0x53, 0x50},
       {0x26, 0xFF, 0x5D, 0x40},
       "Entry program state called from 1000:{after}: program number 64 is not 0..63."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ModuleAssembler a;
    a.emitBytes(c.setup);
    const std::uint16_t at = a.position();
    a.emitBytes(c.culprit);
    std::string fault = c.fault;
    if (auto p = fault.find("{at}"); p != std::string::npos) fault.replace(p, 4, Hex4(at));
    if (auto p = fault.find("{after}"); p != std::string::npos) {
      fault.replace(p, 7, Hex4(a.position()));
    }
    EmulatedController controller;
    ASSERT_TRUE(controller.load(a.finish()).ok);
    const RunResult r = controller.run();
    EXPECT_FALSE(r.returned);
    EXPECT_FALSE(r.budgetExhausted);
    EXPECT_EQ(r.fault, fault);
  }
}

TEST(EmulatedControllerTest, RunsAgainAfterAFault) {
  EmulatedController controller;
  const RunResult bad = RunModule(controller, [](ModuleAssembler& a) {
    a.emit({0x31, 0xDB, 0x99, 0xF7, 0xFB});
  });
  ASSERT_FALSE(bad.returned);
  const RunResult good = RunModule(controller, [](ModuleAssembler& a) {
    a.emit({0xB8, 7, 0});
    StoreAx(a, kMw0);
  });
  ExpectCleanReturn(good);
  EXPECT_EQ(controller.operandWord(kMw0), 7);
}

TEST(EmulatedControllerTest, HangStoppedByTheBudget) {
  ModuleAssembler a;
  const std::uint16_t loop = a.position();
  a.emit({0xEB, 0xFE});
  EmulatedController controller;
  ASSERT_TRUE(controller.load(a.finish()).ok);
  for (std::uint64_t budget : {std::uint64_t{5000}, EmulatedController::kDefaultBudget}) {
    SCOPED_TRACE(budget);
    const RunResult r = controller.run(0, 0, budget);
    EXPECT_FALSE(r.returned);
    EXPECT_TRUE(r.budgetExhausted);
    EXPECT_EQ(r.instructions, budget);
    EXPECT_EQ(r.fault, "The module did not return within " + std::to_string(budget) +
                           " instructions (stopped at 1000:" + Hex4(loop) + ").");
  }
}

// The first run counts in MW0 and sets the resume offset; the next run resumes there,
// counts in MW1 and clears it again, so the third run starts from the beginning.
TEST(EmulatedControllerTest, ResumeOffsetKeptBetweenRuns) {
  ModuleAssembler a;
  a.emit({0x26, 0xC7, 0x45, 0x1C});
  const std::uint16_t resumeField = a.position();
  a.emitWord(0).emit({0xFF, 0x84}).emitWord(kMw0).jumpToExit();
  const std::uint16_t resume = a.position();
  a.patchWord(resumeField, resume);
  a.emit({0xFF, 0x84}).emitWord(kMw1).emit({0x26, 0xC7, 0x45, 0x1C, 0, 0});
  EmulatedController controller;
  ASSERT_TRUE(controller.load(a.finish()).ok);
  struct Expected {
    std::uint16_t mw0, mw1, resume;
  };
  for (const Expected& e : {Expected{1, 0, resume}, {1, 1, 0}, {2, 1, resume}}) {
    ExpectCleanReturn(controller.run());
    EXPECT_EQ(controller.operandWord(kMw0), e.mw0);
    EXPECT_EQ(controller.operandWord(kMw1), e.mw1);
    EXPECT_EQ(controller.headerWord(0x1C), e.resume);
  }
}

TEST(EmulatedControllerTest, AssembledModuleHasTheUsualFrame) {
  const std::vector<std::uint8_t> file = ModuleAssembler().finish();
  const std::vector<std::uint8_t> code(file.begin() + 128, file.begin() + file[24]);
  EXPECT_THAT(
      code, testing::ElementsAreArray<std::uint8_t>(
                {0x55, 0x56, 0x57, 0x1E, 0x89, 0xE5, 0x0E, 0xE8, 0x00, 0x00, 0x81, 0x6E, 0xFC, 0x8A,
                 0x00, 0xC4, 0x7E, 0xFC, 0x26, 0xC5, 0x75, 0x08, 0x26, 0x8B, 0x45, 0x1C, 0x09, 0xC0,
                 0x74, 0x02, 0xFF, 0xE0, 0x89, 0xEC, 0x1F, 0x5F, 0x5E, 0x5D, 0xCA, 0x04, 0x00}));
  EXPECT_EQ(file.size(), 128 + code.size() + 27298 + 200 + 200 + 2);
}

// A function module has no resume test: a resume offset left in its header is ignored.
TEST(EmulatedControllerTest, FunctionModuleAlwaysStartsAtTheBeginning) {
  ModuleAssembler a(ModuleAssembler::Kind::Function);
  a.emit({0xFF, 0x84}).emitWord(kMw0);
  EmulatedController controller;
  ASSERT_TRUE(controller.load(a.finish()).ok);
  controller.setHeaderWord(0x1C, 0xFFFF);
  for (std::uint16_t count : {1, 2}) {
    ExpectCleanReturn(controller.run());
    EXPECT_EQ(controller.operandWord(kMw0), count);
  }
}

TEST(EmulatedControllerTest, BadFilesRejected) {
  std::vector<std::uint8_t> good = ModuleAssembler().finish();
  auto with = [&](std::size_t at, std::uint8_t value) {
    std::vector<std::uint8_t> file = good;
    file[at] = value;
    return file;
  };
  std::vector<std::uint8_t> noCode = with(24, 128);
  noCode[25] = 0;
  std::vector<std::uint8_t> cut(good.begin(), good.begin() + good[24] - 1);
  struct Case {
    std::vector<std::uint8_t> file;
    std::string error;
  };
  const std::vector<Case> cases{
      {{0xEB, 0x7E, 0, 0}, "The module file is too short: 4 bytes, a module header alone has 128."},
      {with(0, 0xE9), "The module file does not start with the module header's jump (EB 7E)."},
      {with(1, 0x7F), "The module file does not start with the module header's jump (EB 7E)."},
      {with(6, 3), "The module header is not valid: the word at offset 6 is 3, not 2."},
      {noCode,
       "The module header is not valid: the module has no code (word at offset 24 is 128)."},
      {cut, "The module file is too short: the code ends at byte " + std::to_string(good[24]) +
                ", the file has " + std::to_string(good[24] - 1) + "."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    EmulatedController controller;
    const LoadResult load = controller.load(c.file);
    EXPECT_FALSE(load.ok);
    EXPECT_EQ(load.error, c.error);
    EXPECT_EQ(controller.run().fault, "No module is loaded.");
  }
  EmulatedController controller;
  EXPECT_TRUE(controller.load(good).ok);
}

// Station s's far pointer lies at s * 4 of the table the header points at.
void LoadStation(ModuleAssembler& a, std::uint8_t table, int station) {
  a.emit({0x26, 0xC4, 0x7D, table, 0x26, 0xC4, 0xBD})
      .emitWord(static_cast<std::uint16_t>(station * 4));
}

TEST(EmulatedControllerTest, FieldbusStationsReachedThroughTheTables) {
  struct Case {
    int in, inUnit, out, outUnit;
  };
  for (const Case& c : {Case{0, 0, 1, 60}, {5, 4, 7, 2}, {99, 62, 98, 0}}) {
    SCOPED_TRACE(c.in);
    EmulatedController controller;
    ModuleAssembler a;
    LoadStation(a, 0x68, c.in);
    a.emit({0x26, 0x8B, 0x85}).emitWord(static_cast<std::uint16_t>(c.inUnit));
    a.emit({0xC4, 0x7E, 0xFC});
    LoadStation(a, 0x6C, c.out);
    a.emit({0x26, 0x89, 0x85}).emitWord(static_cast<std::uint16_t>(c.outUnit));
    a.emit({0x26, 0x80, 0x8D, 0x3F, 0x00, 0x81, 0xC4, 0x7E, 0xFC});
    ASSERT_TRUE(controller.load(a.finish()).ok);
    controller.setStationWord(Fieldbus::Inputs, c.in, c.inUnit, 0xCAFE);
    ExpectCleanReturn(controller.run());
    EXPECT_EQ(controller.stationWord(Fieldbus::Outputs, c.out, c.outUnit), 0xCAFE);
    EXPECT_EQ(controller.stationByte(Fieldbus::Outputs, c.out, 63), 0x81);
    EXPECT_EQ(controller.stationWord(Fieldbus::Inputs, c.out, c.outUnit), 0);
    EXPECT_EQ(controller.stationWord(Fieldbus::Outputs, c.in, c.inUnit),
              c.in == c.out ? 0xCAFE : 0);
  }
}

TEST(EmulatedControllerTest, StackBalanceAndKeptRegistersJudged) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> epilogue;
    bool balanced, preserved;
  };
  const std::vector<Case> cases{
      {"usual", {0x89, 0xEC, 0x1F, 0x5F, 0x5E, 0x5D, 0xCA, 0x04, 0x00}, true, true},
      {"arguments left", {0x89, 0xEC, 0x1F, 0x5F, 0x5E, 0x5D, 0xCB}, false, true},
      {"SI and DI swapped", {0x89, 0xEC, 0x1F, 0x5E, 0x5F, 0x5D, 0xCA, 0x04, 0x00}, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EmulatedController controller;
    ASSERT_TRUE(controller.load(ModuleAssembler().finishWith(c.epilogue)).ok);
    const RunResult r = controller.run();
    EXPECT_TRUE(r.returned) << r.fault;
    EXPECT_EQ(r.stackBalanced, c.balanced);
    EXPECT_EQ(r.registersPreserved, c.preserved);
  }
}

}  // namespace
}  // namespace zel::emu
