#pragma once
// What the user enters for a new module or in a module's properties: kind, number,
// version and comment, and the checks the dialog applies before anything is done.

#include <optional>
#include <string>

#include "app/modules/module.h"

namespace zel::app {

inline constexpr std::string_view kNewModuleComment = "No comment";

struct ModuleEntry {
  ModuleKind kind = ModuleKind::Program;
  int number = 0;
  int version = kMinVersion;
  std::string comment{kNewModuleComment};
};

// The entry of a module record, for presetting the properties dialog.
ModuleEntry EntryOf(const ModuleRecord& module);

// The message that refuses the entry, nullopt when it is acceptable.
std::optional<std::string> CheckModuleEntry(const ModuleEntry& entry);

}  // namespace zel::app
