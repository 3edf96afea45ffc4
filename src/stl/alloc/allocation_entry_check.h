#pragma once
// What the allocation list's entry dialog does on OK: the three typed texts are checked
// against the operand rules and against the other entries, and either become an entry or
// give the message to show and the field to make active.

#include <optional>
#include <string>
#include <string_view>

#include "stl/alloc/allocation_list.h"

namespace zel::stl {

inline constexpr std::string_view kMsgInvalidAbsoluteOperand = "Invalid absolute operand!";
inline constexpr std::string_view kMsgAbsoluteOperandUsed = "Absolute operand already used.";
inline constexpr std::string_view kMsgInvalidSymbolicOperand = "Invalid symbolic operand!";
inline constexpr std::string_view kMsgSymbolicOperandUsed = "Symbolic operand already used.";

// The entry dialog's fields, in the order the view's columns show them.
enum class EntryField { Operand, Symbol, Comment };

// The texts as typed (display notation, Windows-1252).
struct EntryTexts {
  std::string operand;
  std::string symbol;
  std::string comment;

  bool operator==(const EntryTexts&) const = default;
};

struct EntryCheck {
  std::optional<AllocationEntry> entry;  // set when accepted
  std::string_view message;              // set when refused
  EntryField field = EntryField::Operand;
};

// The field limits of the dialog's edit controls: texts beyond them cannot be typed, so
// an operand or symbol that is longer is refused, and a comment is cut.
std::string CutComment(std::string_view comment);

// The six steps on OK. The list's edited entry, if any, is left out of the duplicate
// checks; the list is not changed.
EntryCheck CheckAllocationEntry(const EntryTexts& texts, const AllocationList& list);

}  // namespace zel::stl
