#pragma once
// The rows of the library's "IO Modules" page: per script its display name, file name,
// IO address bytes, word area extents and allowed switch positions, in the order the
// user chose by column.

#include <string>
#include <vector>

#include "library/io_module_list.h"

namespace zel::library {

enum class IoModuleColumn { Name, File, In, Out, Iw, Ow, Switch };

struct IoModuleRow {
  std::string name;
  std::string file;
  int in = 0;
  int out = 0;
  int iwSize = 0;
  int owSize = 0;
  std::string switches;  // "0-3, 6+7"
};

std::vector<IoModuleRow> IoModuleRows(const IoModuleList& modules);

// The switch column cannot be sorted: false, the rows as they were.
bool SortIoModuleRows(std::vector<IoModuleRow>& rows, IoModuleColumn column, bool descending);

inline constexpr std::string_view kMsgColumnNotSortable = "Sorry, this column cannot be sorted...";

}  // namespace zel::library
