#include "stl/editor/called_module.h"

namespace zel::stl {
namespace {

const app::ModuleRecord* FindVersion(const std::vector<app::ModuleRecord>& modules,
                                     app::ModuleKind kind, int number, int version) {
  for (const auto& module : modules)
    if (module.kind == kind && module.number == number && module.version == version) return &module;
  return nullptr;
}

}  // namespace

const app::ModuleRecord* FindCalledModule(const std::vector<app::ModuleRecord>& modules,
                                          app::ModuleKind kind, int number, CalledVersion rule) {
  if (rule == CalledVersion::SelectedFirst) {
    for (int version = app::kMaxVersion; version >= app::kMinVersion; --version) {
      const auto* module = FindVersion(modules, kind, number, version);
      if (module && module->selected) return module;
    }
  }
  for (int version = app::kMaxVersion; version >= app::kMinVersion; --version)
    if (const auto* module = FindVersion(modules, kind, number, version)) return module;
  return nullptr;
}

ModuleCommentLookup ModuleCommentsOf(const std::vector<app::ModuleRecord>& modules) {
  return [&modules](app::ModuleKind kind, int number) -> std::optional<std::string> {
    const auto* module = FindCalledModule(modules, kind, number, CalledVersion::Highest);
    if (!module) return std::nullopt;
    return module->comment;
  };
}

}  // namespace zel::stl
