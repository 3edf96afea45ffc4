#pragma once
// Where an operand in stored letters lives: its offset and mask in the operand area, the
// run-time entry that stands for it, or the fieldbus station that holds it.

#include <cstdint>
#include <optional>
#include <string_view>

#include "stl/codegen/tree.h"

namespace zel::stl::code {

// Operand area layout of the controller.
inline constexpr std::uint16_t kInputWords = 0;
inline constexpr std::uint16_t kOutputWords = 512;
inline constexpr std::uint16_t kFlagWords = 1024;
inline constexpr std::uint16_t kRegisters = 21024;
inline constexpr std::uint16_t kCounters = 21536;  // 6 bytes: status, preselect, word
inline constexpr std::uint16_t kPrograms = 23072;  // 2 bytes: bit 0 PS, bit 1 P
inline constexpr std::uint16_t kTimers = 23200;    // 10 bytes: status, preselect, word
inline constexpr std::uint16_t kFaultWord = 25760;
inline constexpr std::uint16_t kFunctionWords = 25762;

inline constexpr std::uint16_t CounterStatus(int n) {
  return kCounters + 6 * n;
}
inline constexpr std::uint16_t CounterPreselect(int n) {
  return kCounters + 6 * n + 2;
}
inline constexpr std::uint16_t CounterWord(int n) {
  return kCounters + 6 * n + 4;
}
inline constexpr std::uint16_t TimerStatus(int n) {
  return kTimers + 10 * n;
}
inline constexpr std::uint16_t TimerPreselect(int n) {
  return kTimers + 10 * n + 2;
}

// The function words the controller keeps itself; they are read and written through
// run-time entries.
inline constexpr int kFirstEntryWord = 32;
inline constexpr int kLastEntryWord = 38;

struct FieldbusPlace {
  bool input = true;
  int station = 0;
  int word = 0;
  int bit = -1;  // -1 for a word
};

struct BitOperand {
  enum class Kind { Local, Counter, Timer, Program, Fieldbus, FaultWord, FaultInput };
  Kind kind = Kind::Local;
  std::uint16_t offset = 0;  // status byte or word and bit byte
  std::uint8_t mask = 0;
  int number = 0;                // counter, timer or program number
  std::uint16_t timerStart = 1;  // the timer service's start function
  bool program = false;          // `P`n rather than `PS`n
  FieldbusPlace fieldbus;
};

struct WordOperand {
  enum class Kind { Local, Entry, Fieldbus, FaultWord };
  Kind kind = Kind::Local;
  std::uint16_t offset = 0;
  int number = 0;
  bool counterWord = false;  // `ZW`n, whose write also sets the counter bit
  FieldbusPlace fieldbus;
};

bool IsBitLetters(std::string_view letters);
bool IsWordLetters(std::string_view letters);

// Nothing when the letters name no bit (or word) operand or the numbers are out of range.
std::optional<BitOperand> ToBitOperand(const OperandText& operand);
std::optional<WordOperand> ToWordOperand(const OperandText& operand);

// The counter word that INC and DEC of a counter `Z`n change.
std::optional<WordOperand> CounterWordOf(const OperandText& operand);

}  // namespace zel::stl::code
