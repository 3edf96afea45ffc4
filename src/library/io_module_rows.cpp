#include "library/io_module_rows.h"

#include <algorithm>

#include "platform/no_case.h"

namespace zel::library {

std::vector<IoModuleRow> IoModuleRows(const IoModuleList& modules) {
  std::vector<IoModuleRow> rows;
  for (const auto& m : modules.modules())
    rows.push_back(
        {m.displayName, m.fileName, m.in, m.out, m.iwSize, m.owSize, ListSwitchPositionsHex(m)});
  return rows;
}

bool SortIoModuleRows(std::vector<IoModuleRow>& rows, IoModuleColumn column, bool descending) {
  if (column == IoModuleColumn::Switch) return false;
  auto number = [column](const IoModuleRow& r) {
    switch (column) {
      case IoModuleColumn::In:
        return r.in;
      case IoModuleColumn::Out:
        return r.out;
      case IoModuleColumn::Iw:
        return r.iwSize;
      default:
        return r.owSize;
    }
  };
  // Equal keys keep the file order, so one column's order refines the last one.
  auto less = [&](const IoModuleRow& a, const IoModuleRow& b) {
    switch (column) {
      case IoModuleColumn::Name:
        return platform::LessNoCase(a.name, b.name);
      case IoModuleColumn::File:
        return platform::LessNoCase(a.file, b.file);
      default:
        return number(a) < number(b);
    }
  };
  std::stable_sort(rows.begin(), rows.end(), [&](const IoModuleRow& a, const IoModuleRow& b) {
    return descending ? less(b, a) : less(a, b);
  });
  return true;
}

}  // namespace zel::library
