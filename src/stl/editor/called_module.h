#pragma once
// Which of a project's modules a CMP n or CFM n names. A project may hold several
// versions of one module; the editor's two uses pick among them differently.

#include <vector>

#include "app/modules/module.h"
#include "stl/editor/conversion_context.h"

namespace zel::stl {

enum class CalledVersion {
  // The highest version present (9 down to 1): the comment shown beside a call line.
  Highest,
  // Versions 9 down to 1, the first one selected for download, otherwise the highest
  // present: the module the "Module Call" dialog inserts.
  SelectedFirst,
};

// Nothing when the project has no module of that kind and number with a version 1..9.
const app::ModuleRecord* FindCalledModule(const std::vector<app::ModuleRecord>& modules,
                                          app::ModuleKind kind, int number, CalledVersion rule);

// The lookup for the comment beside a call line, by CalledVersion::Highest. The list must
// outlive the lookup.
ModuleCommentLookup ModuleCommentsOf(const std::vector<app::ModuleRecord>& modules);

}  // namespace zel::stl
