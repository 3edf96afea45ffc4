#pragma once
// Operands in their two written forms. The display notation is what the user types and
// reads (I, O, F, FW ...); the stored notation is what program files, the allocation list
// and the compiler use (E, A, M, MW ...). One prefix table drives both directions.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel::stl {

// Row numbers of the prefix table: the class index the allocation list and the compiler
// store and compare. The order is the search order (longer prefixes first).
enum class OperandClass : unsigned {
  Cfm = 0,
  Cmp,
  CounterWord,
  CounterPreselect,
  Counter,
  TimerWord,
  TimerPreselect,
  TimerOn,
  TimerOff,
  Timer,
  Fi,
  Register,
  Ps,
  Program,
  Fu,
  FlagWord,
  Flag,
  Ew,
  E,
  InputWord,
  Input,
  OutputWord,
  Output,
  Constant,
};

inline constexpr std::size_t kOperandClassCount = 24;
inline constexpr std::int32_t kNoNumber = -1;

enum class OperandKind { ModuleCall, OneBit, MultiBit };

struct OperandPrefix {
  std::string_view display;  // matched without regard to case
  std::string_view stored;   // matched with regard to case
  OperandKind kind;
};

const std::array<OperandPrefix, kOperandClassCount>& OperandPrefixes();
const OperandPrefix& PrefixOf(OperandClass c);

// What a successful parse yields. Numbers are kNoNumber when their group is absent; a
// constant keeps its value in `first`.
struct Operand {
  OperandClass classIndex = OperandClass::Cfm;
  std::int32_t first = kNoNumber;
  std::int32_t second = kNoNumber;
  std::int32_t third = kNoNumber;
  std::string stored;
  std::string display;

  int groupCount() const;
  bool operator==(const Operand&) const = default;
};

// Syntax only: the stored text for a display text, or nothing when no prefix matches, a
// number group is malformed or text remains.
std::optional<std::string> DisplayToStored(std::string_view display);

// Reads a stored text (syntax only) into an operand record with both notations; nothing
// when the text is no operand at all.
std::optional<Operand> ReadStoredOperand(std::string_view stored);

// The range rules of the operand's class.
bool IsValidOperand(const Operand& operand);

// The conversion every consumer that must know validity calls: fills `out` when the text
// parses and returns whether the operand is valid.
bool StoredToDisplay(std::string_view stored, Operand& out);

// Display text to a validated operand record in one step (display -> stored -> checked).
std::optional<Operand> ParseDisplayOperand(std::string_view display);

// `$` and hexadecimal digits, or an optional `-` and decimal digits; stops at the first
// character that does not belong. Saturates instead of overflowing.
std::int64_t ParseOperandNumber(std::string_view text);

// A possible symbolic operand: letter, underscore or one of the accented Windows-1252
// letters first, then these, digits or points. Bytes are Windows-1252.
bool IsSymbolSyntax(std::string_view text);
bool IsSymbolCharacter(unsigned char c);

bool IsOneBit(OperandClass c);
bool IsMultiBit(OperandClass c);
bool IsModuleCall(OperandClass c);
// An input or output with three groups, or an input or output word with two.
bool IsFieldbus(const Operand& operand);

// Display prefix with its class for a display text's start, or nothing.
std::optional<OperandClass> MatchDisplayPrefix(std::string_view display);
std::optional<OperandClass> MatchStoredPrefix(std::string_view stored);

}  // namespace zel::stl
