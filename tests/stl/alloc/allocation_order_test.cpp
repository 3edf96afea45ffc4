// The view's orders and filter over the allocation list.

#include "stl/alloc/allocation_order.h"

#include <gtest/gtest.h>

namespace zel::stl {
namespace {

AllocationList Make(std::initializer_list<std::array<const char*, 3>> rows) {
  AllocationList list;
  for (const auto& row : rows) list.append({*ParseDisplayOperand(row[0]), row[1], row[2]});
  return list;
}

std::vector<std::string> Displays(const AllocationList& list,
                                  const std::vector<std::size_t>& order) {
  std::vector<std::string> out;
  for (auto i : order) out.push_back(list.at(i).operand.display);
  return out;
}

TEST(AllocationOrder, OperandsByClassHighToLowThenNumbers) {
  const AllocationList list = Make({{"CFM1", "", ""},
                                    {"I0.1", "", ""},
                                    {"V5", "", ""},
                                    {"O1.0.0", "", ""},
                                    {"O0.0", "", ""},
                                    {"I0.0", "", ""},
                                    {"T1", "", ""},
                                    {"TON1", "", ""},
                                    {"IW2", "", ""},
                                    {"I1.0", "", ""},
                                    {"O255.15", "", ""},
                                    {"V-5", "", ""},
                                    {"I1.0.1", "", ""},
                                    {"FI", "", ""},
                                    {"CMP1", "", ""},
                                    {"I0.15", "", ""}});
  const std::vector<std::string> first = {"V-5",  "V5",    "O0.0", "O1.0.0", "O255.15", "I0.0",
                                          "I0.1", "I0.15", "I1.0", "I1.0.1", "IW2",     "FI",
                                          "T1",   "TON1",  "CMP1", "CFM1"};
  EXPECT_EQ(Displays(list, AllocationOrder(list, AllocationColumn::Operand)), first);
  const auto reversed = Displays(list, AllocationOrder(list, AllocationColumn::Operand, true));
  EXPECT_EQ(reversed, std::vector<std::string>(first.rbegin(), first.rend()));
}

TEST(AllocationOrder, CompareOperandsIsAStrictOrderOnRecords) {
  const auto a = *ParseDisplayOperand("I0.0");
  const auto b = *ParseDisplayOperand("i0.0");
  EXPECT_EQ(CompareOperands(a, b), 0);
  EXPECT_FALSE(OperandLess(a, b));
  EXPECT_FALSE(OperandLess(b, a));
  Operand fieldbus;  // not valid (station 0), but ordered all the same
  ASSERT_FALSE(StoredToDisplay("E0.0.1", fieldbus));
  EXPECT_TRUE(OperandLess(a, fieldbus));
  EXPECT_GT(CompareOperands(*ParseDisplayOperand("I0.0"), *ParseDisplayOperand("O9.9")), 0);
}

TEST(AllocationOrder, SymbolsAndCommentsWithoutRegardToCaseStable) {
  const AllocationList list = Make({{"I0.0", "beta", "Zulu"},
                                    {"I0.1", "Alpha", "alpha"},
                                    {"I0.2", "", "\xE4rger"},
                                    {"I0.3", "BETA2", "ALPHA"},
                                    {"I0.4", "\xC4x", "mike"}});
  EXPECT_EQ(Displays(list, AllocationOrder(list, AllocationColumn::Symbol)),
            (std::vector<std::string>{"I0.2", "I0.1", "I0.0", "I0.3", "I0.4"}));
  EXPECT_EQ(Displays(list, AllocationOrder(list, AllocationColumn::Symbol, true)),
            (std::vector<std::string>{"I0.4", "I0.3", "I0.0", "I0.1", "I0.2"}));
  // Equal comments without case keep their list order in both directions.
  EXPECT_EQ(Displays(list, AllocationOrder(list, AllocationColumn::Comment)),
            (std::vector<std::string>{"I0.1", "I0.3", "I0.4", "I0.0", "I0.2"}));
  EXPECT_EQ(Displays(list, AllocationOrder(list, AllocationColumn::Comment, true)),
            (std::vector<std::string>{"I0.2", "I0.0", "I0.4", "I0.1", "I0.3"}));
}

TEST(AllocationOrder, FilterSplitsInputsAndOutputsFromTheRest) {
  const AllocationList list = Make({{"IW1", "", ""},
                                    {"F0.0", "", ""},
                                    {"O0.0", "", ""},
                                    {"EW", "", ""},
                                    {"E", "", ""},
                                    {"OW1.1", "", ""},
                                    {"I1.1.1", "", ""},
                                    {"FW1", "", ""}});
  using F = AllocationFilter;
  EXPECT_EQ(
      Displays(list, AllocationOrder(list, AllocationColumn::Operand, false, F::InputsOutputs)),
      (std::vector<std::string>{"O0.0", "OW1.1", "I1.1.1", "IW1"}));
  EXPECT_EQ(Displays(list, AllocationOrder(list, AllocationColumn::Operand, false, F::Others)),
            (std::vector<std::string>{"E", "EW", "F0.0", "FW1"}));
  EXPECT_EQ(AllocationOrder(list, AllocationColumn::Symbol, false, F::All).size(), 8u);
}

}  // namespace
}  // namespace zel::stl
