#pragma once
// The checks an IO configuration entry must pass: the entry dialog's own validation, and
// the collision of an entry with the other entries of the list.

#include <optional>
#include <string>
#include <vector>

#include "library/io_entry.h"
#include "library/io_module_list.h"

namespace zel::library {

// The field of the entry dialog that reopens with the cursor in it.
enum class IoField { Module, Switch, Iw, Ow };

struct IoEntryProblem {
  std::string message;  // the whole text shown to the user
  IoField field = IoField::Module;
};

// Three checks in this order, each against every other entry; the first hit is reported,
// naming the other entry as the file holds it:
//   IO address ranges [address, address + In/Out - 1] of the switch positions,
//   IW byte ranges [2 * IW, 2 * IW + IW size - 1], OW byte ranges likewise.
// Entries whose module is not installed take part in none. `self` is the entry's index in
// `entries` (left out of the comparison), or entries.size() for an entry not yet listed.
std::optional<IoEntryProblem> FindIoCollision(const IoEntry& entry,
                                              const std::vector<IoEntry>& entries, std::size_t self,
                                              const IoModuleList& modules);

// The entry dialog's validation of its fields; `module` is the chosen type (nullptr: none).
std::optional<IoEntryProblem> ValidateIoEntry(const IoEntry& entry, const IoModuleScript* module);

}  // namespace zel::library
