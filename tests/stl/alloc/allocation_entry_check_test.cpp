// The entry dialog's checks on OK.

#include "stl/alloc/allocation_entry_check.h"

#include <gtest/gtest.h>

namespace zel::stl {
namespace {

AllocationList Existing() {
  AllocationList list;
  for (auto [display, symbol] :
       {std::pair{"O0.0", "PUMP"}, std::pair{"I0.0", "START"}, std::pair{"FW10", ""}}) {
    list.append({*ParseDisplayOperand(display), symbol, "old"});
  }
  return list;
}

struct Case {
  EntryTexts texts;
  std::string_view message;  // empty: accepted
  EntryField field;
};

TEST(AllocationEntryCheck, TheSixStepsInOrder) {
  const std::string nine(9, 'S');
  const Case cases[] = {
      {{"", "", ""}, kMsgInvalidAbsoluteOperand, EntryField::Operand},
      {{"X1", "A", ""}, kMsgInvalidAbsoluteOperand, EntryField::Operand},
      {{"I256.0", "A", ""}, kMsgInvalidAbsoluteOperand, EntryField::Operand},
      {{"I0.0 ", "A", ""}, kMsgInvalidAbsoluteOperand, EntryField::Operand},
      // Valid, but longer than the record's operand field.
      {{"I0000000.0", "A", ""}, kMsgInvalidAbsoluteOperand, EntryField::Operand},
      {{"V$0000FFFF", "A", ""}, kMsgInvalidAbsoluteOperand, EntryField::Operand},
      {{"o0.0", "NEW", ""}, kMsgAbsoluteOperandUsed, EntryField::Operand},
      // A duplicate operand is reported before a bad symbol.
      {{"I0.0", "1BAD", ""}, kMsgAbsoluteOperandUsed, EntryField::Operand},
      {{"I0.1", "", "no symbol"}, "", EntryField::Operand},
      {{"I0.1", "I0.0", ""}, kMsgInvalidSymbolicOperand, EntryField::Symbol},
      {{"I0.1", "fi", ""}, kMsgInvalidSymbolicOperand, EntryField::Symbol},
      {{"I0.1", "V1", ""}, kMsgInvalidSymbolicOperand, EntryField::Symbol},
      {{"I0.1", "I0", ""}, "", EntryField::Operand},
      {{"I0.1", "1BAD", ""}, kMsgInvalidSymbolicOperand, EntryField::Symbol},
      {{"I0.1", "A B", ""}, kMsgInvalidSymbolicOperand, EntryField::Symbol},
      {{"I0.1", nine, ""}, "", EntryField::Operand},
      {{"I0.1", nine + "S", ""}, kMsgInvalidSymbolicOperand, EntryField::Symbol},
      {{"I0.1", "pump", ""}, kMsgSymbolicOperandUsed, EntryField::Symbol},
      {{"I0.1", "\xC4nd", ""}, "", EntryField::Operand},
  };
  const AllocationList list = Existing();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.texts.operand + " / " + c.texts.symbol);
    const EntryCheck check = CheckAllocationEntry(c.texts, list);
    EXPECT_EQ(check.message, c.message);
    EXPECT_EQ(check.entry.has_value(), c.message.empty());
    if (!check.entry) {
      EXPECT_EQ(check.field, c.field);
    }
  }
}

TEST(AllocationEntryCheck, AcceptedEntryTakesTheTextsWithRecomputedOperand) {
  const AllocationList list = Existing();
  const auto check = CheckAllocationEntry({"ton5", "Delay", std::string(50, 'c')}, list);
  ASSERT_TRUE(check.entry);
  EXPECT_EQ(check.entry->operand.stored, "TE5");
  EXPECT_EQ(check.entry->operand.display, "TON5");
  EXPECT_EQ(check.entry->operand.classIndex, OperandClass::TimerOn);
  EXPECT_EQ(check.entry->operand.first, 5);
  EXPECT_EQ(check.entry->symbol, "Delay");
  EXPECT_EQ(check.entry->comment, std::string(36, 'c'));
  EXPECT_EQ(list.size(), 3u);
}

TEST(AllocationEntryCheck, EditedEntryIsLeftOutOfTheDuplicateChecks) {
  AllocationList list = Existing();
  EXPECT_EQ(CheckAllocationEntry({"O0.0", "PUMP", "old"}, list).message, kMsgAbsoluteOperandUsed);
  list.setEditedEntry(0);
  EXPECT_TRUE(CheckAllocationEntry({"O0.0", "PUMP", "old"}, list).entry);
  EXPECT_TRUE(CheckAllocationEntry({"o0.0", "pump", "new"}, list).entry);
  // The other entries still count.
  EXPECT_EQ(CheckAllocationEntry({"O0.0", "START", ""}, list).message, kMsgSymbolicOperandUsed);
  EXPECT_EQ(CheckAllocationEntry({"I0.0", "PUMP", ""}, list).message, kMsgAbsoluteOperandUsed);
}

}  // namespace
}  // namespace zel::stl
