#include "stl/alloc/allocation_printout.h"

#include <algorithm>

#include "stl/alloc/allocation_order.h"

namespace zel::stl {

namespace {

// An operand and a symbol are at most nine characters; two blanks keep columns apart.
constexpr std::size_t kColumnWidth = 11;

std::string Row(std::string_view operand, std::string_view symbol, std::string_view comment) {
  std::string row(operand);
  row.resize(std::max(row.size(), kColumnWidth), ' ');
  row += symbol;
  row.resize(std::max(row.size(), 2 * kColumnWidth), ' ');
  row += comment;
  // A row without a comment ends at its last character.
  while (!row.empty() && row.back() == ' ') row.pop_back();
  return row;
}

}  // namespace

std::string AllocationPrintColumns() {
  return Row("Operand", "Symbol", "Comment");
}

std::vector<std::string> AllocationPrintRows(const AllocationList& list) {
  std::vector<std::string> rows;
  rows.reserve(list.size());
  for (const std::size_t index : AllocationOrder(list, AllocationColumn::Operand)) {
    const AllocationEntry& entry = list.at(index);
    rows.push_back(Row(entry.operand.display, entry.symbol, entry.comment));
  }
  return rows;
}

}  // namespace zel::stl
