#pragma once
// The allocation list's entries as clipboard text: one line per entry, display operand,
// symbol and comment separated by TABs, lines ended by CR LF.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "stl/alloc/allocation_entry_check.h"

namespace zel::stl {

// What one pasted line holds beyond this is dropped.
inline constexpr std::size_t kMaxPastedLineLength = 255;

// The lines of the entries at `indices`, in that order.
std::string AllocationClipboardText(const AllocationList& list,
                                    const std::vector<std::size_t>& indices);

// The texts for the entry dialog, one per non-empty line. Lines end at CR, LF or CR LF; a
// line splits at its first and second TAB (the comment keeps any further TABs); missing
// fields are empty.
std::vector<EntryTexts> ParseAllocationClipboard(std::string_view text);

}  // namespace zel::stl
