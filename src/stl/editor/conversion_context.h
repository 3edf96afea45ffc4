#pragma once
// What the line conversions need to know beyond the text itself. Passed in by the caller
// (editor, command line, tests) so the conversions keep no state of their own.

#include <functional>
#include <optional>
#include <string>

#include "app/modules/module.h"

namespace zel::stl {

class AllocationList;

// The comment of the module a CMP or CFM line calls; nothing when the project has no such
// module or the caller does not know the project.
using ModuleCommentLookup = std::function<std::optional<std::string>(app::ModuleKind, int)>;

struct ConversionContext {
  bool elseForOtherwise = false;                   // "STL_ELSE_OTHRW"
  const AllocationList* allocationList = nullptr;  // none: no list comments, no offers
  ModuleCommentLookup moduleComment;               // empty: no module comments
};

}  // namespace zel::stl
