#include "app/modules/module_entry.h"

#include "app/modules/module_messages.h"

namespace zel::app {

ModuleEntry EntryOf(const ModuleRecord& module) {
  return ModuleEntry{module.kind, module.number, module.version, module.comment};
}

std::optional<ModuleEntryRefusal> RefuseModuleEntry(const ModuleEntry& entry) {
  const int maxNumber = MaxModuleNumber(entry.kind);
  if (entry.number < 0 || entry.number > maxNumber) {
    return ModuleEntryRefusal{ModuleEntryField::Number, IntegerRangeMessage(0, maxNumber)};
  }
  if (entry.version < kMinVersion || entry.version > kMaxVersion) {
    return ModuleEntryRefusal{ModuleEntryField::Version,
                              IntegerRangeMessage(kMinVersion, kMaxVersion)};
  }
  if (entry.comment.size() > kModuleCommentMax) {
    return ModuleEntryRefusal{ModuleEntryField::Comment, MaxCharsMessage(kModuleCommentMax)};
  }
  return std::nullopt;
}

std::optional<std::string> CheckModuleEntry(const ModuleEntry& entry) {
  auto refusal = RefuseModuleEntry(entry);
  if (!refusal) return std::nullopt;
  return std::move(refusal->message);
}

}  // namespace zel::app
