#include "stl/alloc/allocation_entry_check.h"

namespace zel::stl {
namespace {

EntryCheck Refuse(std::string_view message, EntryField field) {
  return EntryCheck{std::nullopt, message, field};
}

// Display-to-stored with validation, within the stored field of a record: a longer text
// (leading zeros are kept as typed) would be cut in the file into another operand.
std::optional<Operand> AbsoluteOperand(std::string_view display) {
  if (display.size() > kMaxOperandLength) return std::nullopt;
  auto operand = ParseDisplayOperand(display);
  if (!operand || operand->stored.size() > kMaxOperandLength) return std::nullopt;
  return operand;
}

bool IsSymbolAcceptable(std::string_view symbol) {
  return symbol.size() <= kMaxSymbolLength && IsSymbolSyntax(symbol) &&
         !ParseDisplayOperand(symbol).has_value();
}

}  // namespace

std::string CutComment(std::string_view comment) {
  return std::string(comment.substr(0, kMaxStoredCommentLength));
}

EntryCheck CheckAllocationEntry(const EntryTexts& texts, const AllocationList& list) {
  auto operand = AbsoluteOperand(texts.operand);
  if (!operand) return Refuse(kMsgInvalidAbsoluteOperand, EntryField::Operand);
  if (list.findByOperand(operand->stored))
    return Refuse(kMsgAbsoluteOperandUsed, EntryField::Operand);
  if (!texts.symbol.empty()) {
    if (!IsSymbolAcceptable(texts.symbol))
      return Refuse(kMsgInvalidSymbolicOperand, EntryField::Symbol);
    if (list.findBySymbol(texts.symbol)) return Refuse(kMsgSymbolicOperandUsed, EntryField::Symbol);
  }
  AllocationEntry entry{std::move(*operand), texts.symbol, CutComment(texts.comment)};
  return EntryCheck{std::move(entry), {}, EntryField::Operand};
}

}  // namespace zel::stl
