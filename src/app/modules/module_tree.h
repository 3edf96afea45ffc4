#pragma once
// The project tree as data: its top-level items, the modules under the three groups, and
// the tree's print-out.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/modules/module.h"

namespace zel::app {

enum class TreeItem {
  ProjectSettings,
  ProjectDocumentation,
  AllocationList,
  Programs,
  Cmps,
  Cfms,
  ControllerSettings,
  IoConfiguration,
  DriverConfiguration,
};

// Labels of the top-level items, indexed by TreeItem.
inline constexpr std::array<std::string_view, 9> kTreeItemLabels = {"Project Settings",
                                                                    "Project Documentation",
                                                                    "Allocation List",
                                                                    "Programs",
                                                                    "CMPs",
                                                                    "CFMs",
                                                                    "Controller Settings",
                                                                    "IO Configuration",
                                                                    "Driver Configuration"};
inline constexpr std::string_view kProjectTreeTitle = "Project Tree";

std::string_view TreeItemLabel(TreeItem item);
// The module kind a group item holds; nullopt for the other items.
std::optional<ModuleKind> GroupKind(TreeItem item);
TreeItem GroupItem(ModuleKind kind);

struct TreeChild {
  std::string fileName;
  std::string label;  // "%s - %s": display name, comment
  Language language = Language::Unknown;
  bool selected = false;
};

std::string TreeChildLabel(const ModuleRecord& module);
// The modules of one kind, sorted by file name without regard to case.
std::vector<TreeChild> TreeChildren(const std::vector<ModuleRecord>& modules, ModuleKind kind);

// The print-out: "Project Tree", then per group an empty line, its heading, an empty
// line and one line per module: two blanks, "*" when selected for download else a blank,
// a blank, display name, " - ", comment. An empty group prints its heading only.
std::vector<std::string> ProjectTreePrintLines(const std::vector<ModuleRecord>& modules);
// The same lines, each ended by "\n".
std::string ProjectTreePrintout(const std::vector<ModuleRecord>& modules);

}  // namespace zel::app
