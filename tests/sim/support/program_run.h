#pragma once
// What the execution suites share: operand addresses in the operand area, and a compiled
// program that is loaded afresh before every run so that each case starts from zeros.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/emulated_controller.h"
#include "sim/support/compiled_program.h"

namespace zel::emu {

struct BitPlace {
  std::size_t offset = 0;
  std::uint8_t mask = 0;
};

// Bits of a local word: I at 0, O at 512, F at 1024; bits 8..15 live in the second byte.
BitPlace InputBit(int word, int bit);
BitPlace OutputBit(int word, int bit);
BitPlace FlagBit(int word, int bit);
std::size_t InputWord(int word);
std::size_t OutputWord(int word);
std::size_t FlagWord(int word);
std::size_t RegisterWord(int number);
std::size_t CounterStatus(int number);
std::size_t CounterPreselect(int number);
std::size_t CounterWord(int number);
std::size_t TimerStatus(int number);
std::size_t TimerPreselect(int number);
std::size_t TimerWord(int number);
std::size_t FuWord(int number);

// An entry call by its entry and arguments; what AX and BX held is the caller's business.
::testing::Matcher<const EntryCall&> IsCall(std::uint8_t entry, std::vector<std::uint16_t> args);

// A clean return: back at the controller, no fault, no hang, stack and the caller's
// registers as they were.
::testing::AssertionResult RanCleanly(const RunResult& run);

class ProgramRun {
 public:
  explicit ProgramRun(std::string_view display, const CompileOptions& options = {});

  // Whether the program compiled and loaded; the messages when not.
  ::testing::AssertionResult ready() const;
  // Loads the module again: operand area, stations and FU values back to zero.
  void reset();
  RunResult run();

  EmulatedController& controller() { return m_controller; }
  bool bit(BitPlace place) const { return m_controller.operandBit(place.offset, place.mask); }
  void setBit(BitPlace place, bool value) {
    m_controller.setOperandBit(place.offset, place.mask, value);
  }
  std::uint16_t word(std::size_t offset) const { return m_controller.operandWord(offset); }
  void setWord(std::size_t offset, std::uint16_t value) {
    m_controller.setOperandWord(offset, value);
  }

 private:
  std::string m_display;
  CompiledProgram m_compiled;
  EmulatedController m_controller;
  LoadResult m_load;
};

}  // namespace zel::emu
