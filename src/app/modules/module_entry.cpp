#include "app/modules/module_entry.h"

#include "app/modules/module_messages.h"

namespace zel::app {

ModuleEntry EntryOf(const ModuleRecord& module) {
  return ModuleEntry{module.kind, module.number, module.version, module.comment};
}

std::optional<std::string> CheckModuleEntry(const ModuleEntry& entry) {
  const int maxNumber = MaxModuleNumber(entry.kind);
  if (entry.number < 0 || entry.number > maxNumber) {
    return IntegerRangeMessage(0, maxNumber);
  }
  if (entry.version < kMinVersion || entry.version > kMaxVersion) {
    return IntegerRangeMessage(kMinVersion, kMaxVersion);
  }
  if (entry.comment.size() > kModuleCommentMax) {
    return MaxCharsMessage(kModuleCommentMax);
  }
  return std::nullopt;
}

}  // namespace zel::app
