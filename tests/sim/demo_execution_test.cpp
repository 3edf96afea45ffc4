// The demo project's programs, compiled with its allocation list, run cycle after cycle
// with changing inputs: every run comes back cleanly, and a few of their results are
// checked against what the programs say.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "sim/support/program_run.h"
#include "stl/alloc/allocation_list.h"

namespace zel::emu {
namespace {

const std::filesystem::path kProject = std::filesystem::path(ZEL_DEMO_DIR) / "Projects" / "DEMO";
constexpr int kCycles = 60;

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// What the cycle started with; the check sees it together with the area afterwards.
struct Before {
  std::uint16_t inputs0 = 0, inputs1 = 0;
  std::uint16_t flag30 = 0, flag10 = 0, flag11 = 0;
};

struct DemoCase {
  const char* module;
  std::function<void(const EmulatedController&, const Before&)> check;
};

std::uint16_t Swap(std::uint16_t v) {
  return static_cast<std::uint16_t>(v << 8 | v >> 8);
}

void NoCheck(const EmulatedController&, const Before&) {}

// The filling valve opens below the set point; the pattern word is shuffled.
void CheckValve(const EmulatedController& c, const Before& b) {
  EXPECT_EQ(c.operandBit(OutputBit(0, 4).offset, OutputBit(0, 4).mask), b.flag11 < b.flag10);
  // ROL then ROR give the word back; INV then CPL add one.
  EXPECT_EQ(c.operandWord(FlagWord(31)), static_cast<std::uint16_t>(Swap(b.flag30) + 1));
}

// The error handler latches the fault, switches the pumps off and keeps the raw level.
void CheckErrorHandler(const EmulatedController& c, const Before& b) {
  EXPECT_TRUE(c.operandBit(FlagBit(0, 1).offset, FlagBit(0, 1).mask));
  EXPECT_EQ(c.operandByte(OutputWord(0)) & 0x07, 0x04);
  EXPECT_EQ(c.operandBit(FlagBit(1, 0).offset, FlagBit(1, 0).mask), (b.inputs0 & 0x08) != 0);
  const std::uint16_t doubled = static_cast<std::uint16_t>(b.inputs0 << 1);
  if (doubled < 10000) {
    EXPECT_EQ(c.operandWord(RegisterWord(1)), doubled);
  }
}

TEST(DemoExecutionTest, DemoProgramsCompileAndRunCleanly) {
  stl::AllocationList symbols;
  ASSERT_TRUE(symbols.load(kProject / "C.BEL"));
  const std::vector<DemoCase> cases{
      {"CZ0P00V1", NoCheck}, {"CZ0P01V1", NoCheck},    {"CZ0P02V1", CheckErrorHandler},
      {"CZ0P03V1", NoCheck}, {"CZ0B10V1", CheckValve}, {"CZ0F20V1", NoCheck},
  };
  for (const DemoCase& c : cases) {
    SCOPED_TRACE(c.module);
    const std::string stored = ReadFile(kProject / (std::string(c.module) + ".awl"));
    ASSERT_FALSE(stored.empty());
    CompileOptions options;
    options.module = c.module;
    options.symbols = &symbols;
    const CompiledProgram compiled = CompileStored(stored, options);
    ASSERT_TRUE(compiled.ok) << compiled.messages;
    EXPECT_EQ(compiled.messages.find(':'), std::string::npos) << compiled.messages;
    EmulatedController controller;
    const LoadResult load = controller.load(compiled.object);
    ASSERT_TRUE(load.ok) << load.error;
    std::uint32_t random = 0x1234567;
    for (int cycle = 0; cycle < kCycles; ++cycle) {
      SCOPED_TRACE(cycle);
      const auto next = [&random] {
        random = random * 1103515245u + 12345u;
        return static_cast<std::uint16_t>(random >> 12);
      };
      Before before{next(), next(), next(), next(), next()};
      // Now and then the inputs stay as they were for a while, so timers and steps settle.
      if (cycle % 7 > 3) before.inputs0 = controller.operandWord(InputWord(0));
      controller.setOperandWord(InputWord(0), before.inputs0);
      controller.setOperandWord(InputWord(1), before.inputs1);
      controller.setOperandWord(FlagWord(30), before.flag30);
      controller.setOperandWord(FlagWord(10), before.flag10);
      controller.setOperandWord(FlagWord(11), before.flag11);
      // The timers' bits follow their own clock, which the demo does not model.
      for (int timer = 1; timer <= 3; ++timer)
        controller.setOperandBit(TimerStatus(timer), 1, cycle % 5 == 0);
      const RunResult run = controller.run();
      ASSERT_TRUE(RanCleanly(run));
      c.check(controller, before);
    }
  }
}

}  // namespace
}  // namespace zel::emu
