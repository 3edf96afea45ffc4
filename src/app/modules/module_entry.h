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

enum class ModuleEntryField { Number, Version, Comment };

struct ModuleEntryRefusal {
  ModuleEntryField field;  // the entry the message is about; the message does not name it
  std::string message;
};

// Why the entry is refused, nullopt when it is acceptable.
std::optional<ModuleEntryRefusal> RefuseModuleEntry(const ModuleEntry& entry);
// The message that refuses the entry, nullopt when it is acceptable.
std::optional<std::string> CheckModuleEntry(const ModuleEntry& entry);

}  // namespace zel::app
