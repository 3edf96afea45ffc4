#pragma once
// Operands named in commands, in the letters the controller understands ("EW12",
// "M100.3", "A4.2.7", "ZV5"): parsed to a place in the controller memory and read or
// written there. Prefixes are matched longest first, without regard to case.

#include <cstdint>
#include <optional>
#include <string_view>

#include "tools/kzcsim/controller_memory.h"

namespace zel::kzcsim {

enum class Area : std::uint8_t {
  InputBit,
  InputWord,
  OutputBit,
  OutputWord,
  FlagBit,
  FlagWord,
  Register,
  FunctionUnit,
  TimerBit,
  TimerPreset,
  TimerValue,
  CounterBit,
  CounterPreset,
  CounterValue,
  ProgramActive,
  ProgramStopped,
  ProgramStep,   // "S" with a program number
  ProgramLocal,  // "O" program "." local
  InitialFlag,
  ErrorBit,
  ErrorWord,
};

struct OperandRef {
  Area area = Area::Register;
  unsigned station = 0;  // fieldbus station, 0 for the controller's own words
  unsigned index = 0;
  unsigned bit = 0;
};

// Takes one operand from the front of `text`. nullopt, with `text` untouched, when no
// operand is there or its numbers are out of range (a fieldbus word must belong to a
// configured slave).
std::optional<OperandRef> TakeOperand(std::string_view& text, ControllerMemory& memory);

std::uint16_t ReadOperand(ControllerMemory& memory, const OperandRef& ref);
// False when the operand cannot be written (timer and program bits, the initial flag,
// a program's step).
bool WriteOperand(ControllerMemory& memory, const OperandRef& ref, std::uint16_t value);
bool IsBitOperand(const OperandRef& ref);
// The operand after `ref` in a range ("DEW 5-"), nullopt at the end of its area or for
// operands that have no ranges.
std::optional<OperandRef> NextOperand(ControllerMemory& memory, const OperandRef& ref);
// The forceable word that holds `ref` (inputs and outputs), else nullptr.
ForcedWord* ForceableWord(ControllerMemory& memory, const OperandRef& ref);

}  // namespace zel::kzcsim
