#include "stl/alloc/allocation_order.h"

#include <algorithm>
#include <array>

#include "stl/lang/cp1252_case.h"

namespace zel::stl {
namespace {

int Compare(auto a, auto b) {
  return a < b ? -1 : (b < a ? 1 : 0);
}

int CompareColumn(const AllocationEntry& a, const AllocationEntry& b, AllocationColumn column) {
  switch (column) {
    case AllocationColumn::Operand:
      return CompareOperands(a.operand, b.operand);
    case AllocationColumn::Symbol:
      return CompareNoCaseCp1252(a.symbol, b.symbol);
    case AllocationColumn::Comment:
      return CompareNoCaseCp1252(a.comment, b.comment);
  }
  return 0;
}

}  // namespace

int CompareOperands(const Operand& a, const Operand& b) {
  // The class index runs from high to low; the numbers from low to high.
  if (const int order =
          Compare(static_cast<unsigned>(b.classIndex), static_cast<unsigned>(a.classIndex)))
    return order;
  const std::array<int, 3> keys{Compare(a.first, b.first), Compare(a.second, b.second),
                                Compare(a.third, b.third)};
  for (const int order : keys)
    if (order != 0) return order;
  return 0;
}

bool IsInputOrOutput(const Operand& operand) {
  switch (operand.classIndex) {
    case OperandClass::InputWord:
    case OperandClass::Input:
    case OperandClass::OutputWord:
    case OperandClass::Output:
      return true;
    default:
      return false;
  }
}

bool PassesFilter(const AllocationEntry& entry, AllocationFilter filter) {
  switch (filter) {
    case AllocationFilter::InputsOutputs:
      return IsInputOrOutput(entry.operand);
    case AllocationFilter::Others:
      return !IsInputOrOutput(entry.operand);
    case AllocationFilter::All:
      break;
  }
  return true;
}

std::vector<std::size_t> AllocationOrder(const AllocationList& list, AllocationColumn column,
                                         bool reversed, AllocationFilter filter) {
  std::vector<std::size_t> order;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (PassesFilter(list.at(i), filter)) order.push_back(i);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    const int c = CompareColumn(list.at(a), list.at(b), column);
    return reversed ? c > 0 : c < 0;
  });
  return order;
}

}  // namespace zel::stl
