#include "sim/support/program_run.h"

#include <utility>

#include "sim/operand_area.h"

namespace zel::emu {
namespace {

constexpr std::size_t kInputs = 0;
constexpr std::size_t kOutputs = 512;
constexpr std::size_t kFlags = 1024;
constexpr std::size_t kRegisters = 21024;
constexpr std::size_t kCounters = 21536;
constexpr std::size_t kCounterStride = 6;
constexpr int kBitsPerByte = 8;

BitPlace LocalBit(std::size_t base, int word, int bit) {
  const std::size_t offset = base + 2 * static_cast<std::size_t>(word) + (bit >= 8 ? 1 : 0);
  return {offset, static_cast<std::uint8_t>(1u << (bit % kBitsPerByte))};
}

std::size_t Numbered(std::size_t base, std::size_t stride, int number) {
  return base + stride * static_cast<std::size_t>(number);
}

}  // namespace

BitPlace InputBit(int word, int bit) {
  return LocalBit(kInputs, word, bit);
}
BitPlace OutputBit(int word, int bit) {
  return LocalBit(kOutputs, word, bit);
}
BitPlace FlagBit(int word, int bit) {
  return LocalBit(kFlags, word, bit);
}
std::size_t InputWord(int word) {
  return Numbered(kInputs, 2, word);
}
std::size_t OutputWord(int word) {
  return Numbered(kOutputs, 2, word);
}
std::size_t FlagWord(int word) {
  return Numbered(kFlags, 2, word);
}
std::size_t RegisterWord(int number) {
  return Numbered(kRegisters, 2, number);
}
std::size_t CounterStatus(int number) {
  return Numbered(kCounters, kCounterStride, number);
}
std::size_t CounterPreselect(int number) {
  return CounterStatus(number) + 2;
}
std::size_t CounterWord(int number) {
  return CounterStatus(number) + 4;
}
std::size_t TimerStatus(int number) {
  return Numbered(kTimerOffset, kTimerStride, number);
}
std::size_t TimerPreselect(int number) {
  return TimerStatus(number) + 2;
}
std::size_t TimerWord(int number) {
  return TimerStatus(number) + 4;
}
std::size_t FuWord(int number) {
  return Numbered(kFuOffset, 2, number);
}

::testing::Matcher<const EntryCall&> IsCall(std::uint8_t entry, std::vector<std::uint16_t> args) {
  return ::testing::AllOf(::testing::Field("entry", &EntryCall::entry, entry),
                          ::testing::Field("args", &EntryCall::args, std::move(args)));
}

::testing::AssertionResult RanCleanly(const RunResult& run) {
  if (!run.fault.empty()) return ::testing::AssertionFailure() << "fault: " << run.fault;
  if (run.budgetExhausted) return ::testing::AssertionFailure() << "the run did not end";
  if (!run.returned) return ::testing::AssertionFailure() << "did not return";
  if (!run.stackBalanced) return ::testing::AssertionFailure() << "stack not balanced";
  if (!run.registersPreserved) {
    return ::testing::AssertionFailure() << "BP, SI, DI or DS changed";
  }
  return ::testing::AssertionSuccess();
}

ProgramRun::ProgramRun(std::string_view display, const CompileOptions& options)
    : m_display(display), m_compiled(CompileDisplay(display, options)) {
  if (m_compiled.ok) m_load = m_controller.load(m_compiled.object);
}

::testing::AssertionResult ProgramRun::ready() const {
  if (!m_compiled.ok) {
    return ::testing::AssertionFailure() << "not compiled: " << m_display << "\n"
                                         << m_compiled.messages;
  }
  if (!m_load.ok) return ::testing::AssertionFailure() << "not loaded: " << m_load.error;
  return ::testing::AssertionSuccess();
}

void ProgramRun::reset() {
  if (m_compiled.ok) m_load = m_controller.load(m_compiled.object);
}

RunResult ProgramRun::run() {
  return m_controller.run();
}

}  // namespace zel::emu
