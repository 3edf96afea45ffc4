#pragma once
// The orders and the filter of the allocation list's view. The operand order is shared
// with the cross reference, so it is defined on operand records.

#include <cstddef>
#include <vector>

#include "stl/alloc/allocation_list.h"

namespace zel::stl {

enum class AllocationColumn { Operand, Symbol, Comment };
enum class AllocationFilter { All, InputsOutputs, Others };

// The operand order's first direction: class index from high to low (V, O, OW, I ... CFM),
// then first, second and third number ascending. <0 when `a` comes first, 0 when the keys
// are equal.
int CompareOperands(const Operand& a, const Operand& b);
inline bool OperandLess(const Operand& a, const Operand& b) {
  return CompareOperands(a, b) < 0;
}

// IW, I, OW and O entries.
bool IsInputOrOutput(const Operand& operand);
bool PassesFilter(const AllocationEntry& entry, AllocationFilter filter);

// Indices of the entries the filter lets through, sorted by the column: ascending (the
// first direction) or, when `reversed`, with every key reversed. Symbols and comments
// compare without regard to case. Entries with equal keys keep their list order.
std::vector<std::size_t> AllocationOrder(const AllocationList& list, AllocationColumn column,
                                         bool reversed = false,
                                         AllocationFilter filter = AllocationFilter::All);

}  // namespace zel::stl
