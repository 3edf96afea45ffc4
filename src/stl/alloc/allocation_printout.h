#pragma once
// The allocation list as the project documentation prints it (under the heading, its
// column headings repeated on every page): the operand in display
// notation, the symbol and the comment, in the order the list's view starts with.

#include <string>
#include <string_view>
#include <vector>

#include "stl/alloc/allocation_list.h"

namespace zel::stl {

inline constexpr std::string_view kAllocationPrintHeading = "Allocation List";

// The column headings, aligned with the rows.
std::string AllocationPrintColumns();

// One row per entry, sorted by the operand column in its first direction.
std::vector<std::string> AllocationPrintRows(const AllocationList& list);

}  // namespace zel::stl
