#include "app/modules/module_tree.h"

#include "app/modules/module_list_filter.h"

namespace zel::app {

namespace {

constexpr std::array<ModuleKind, 3> kGroupKinds = {ModuleKind::Program, ModuleKind::Cmp,
                                                   ModuleKind::Cfm};

std::vector<ModuleRecord> ModulesOfKind(const std::vector<ModuleRecord>& modules, ModuleKind kind) {
  std::vector<ModuleRecord> result;
  for (const auto& module : modules) {
    if (module.kind == kind) result.push_back(module);
  }
  return SortedByFileName(std::move(result));
}

std::string PrintLine(const ModuleRecord& module) {
  return std::string("  ") + (module.selected ? '*' : ' ') + ' ' + module.displayName + " - " +
         module.comment;
}

}  // namespace

std::string_view TreeItemLabel(TreeItem item) {
  return kTreeItemLabels[static_cast<std::size_t>(item)];
}

std::optional<ModuleKind> GroupKind(TreeItem item) {
  switch (item) {
    case TreeItem::Programs:
      return ModuleKind::Program;
    case TreeItem::Cmps:
      return ModuleKind::Cmp;
    case TreeItem::Cfms:
      return ModuleKind::Cfm;
    default:
      return std::nullopt;
  }
}

TreeItem GroupItem(ModuleKind kind) {
  switch (kind) {
    case ModuleKind::Cmp:
      return TreeItem::Cmps;
    case ModuleKind::Cfm:
      return TreeItem::Cfms;
    default:
      return TreeItem::Programs;
  }
}

std::string TreeChildLabel(const ModuleRecord& module) {
  return module.displayName + " - " + module.comment;
}

std::vector<TreeChild> TreeChildren(const std::vector<ModuleRecord>& modules, ModuleKind kind) {
  std::vector<TreeChild> children;
  for (const auto& module : ModulesOfKind(modules, kind)) {
    children.push_back({module.fileName, TreeChildLabel(module), module.language, module.selected});
  }
  return children;
}

std::vector<std::string> ProjectTreePrintLines(const std::vector<ModuleRecord>& modules) {
  std::vector<std::string> lines{std::string(kProjectTreeTitle)};
  for (const ModuleKind kind : kGroupKinds) {
    lines.emplace_back();
    lines.emplace_back(TreeItemLabel(GroupItem(kind)));
    lines.emplace_back();
    for (const auto& module : ModulesOfKind(modules, kind)) lines.push_back(PrintLine(module));
  }
  return lines;
}

std::string ProjectTreePrintout(const std::vector<ModuleRecord>& modules) {
  std::string text;
  for (const auto& line : ProjectTreePrintLines(modules)) text += line + "\n";
  return text;
}

}  // namespace zel::app
