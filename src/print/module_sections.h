#pragma once
// The sections of one module in the project documentation: its properties, its source in
// display form and its compile log.

#include <string>
#include <vector>

#include "app/project/project_model.h"
#include "print/project_document.h"
#include "stl/editor/conversion_context.h"

namespace zel::print {

struct ModuleSectionChoice {
  bool properties = false;
  bool source = false;
  bool log = false;
};

// The modules the documentation prints: those selected for download, sorted by file name
// without regard to case.
std::vector<app::ModuleRecord> ModulesToPrint(const std::vector<app::ModuleRecord>& modules);

// "%s - %s": the display name and the comment.
std::string SourceTitle(const app::ModuleRecord& module);

// The chosen sections of `module`, in print order. The source is that of a statement-list
// module only; the log only when the module has one.
std::vector<DocumentSection> ModuleSections(const app::ProjectModel& model,
                                            const app::ModuleRecord& module,
                                            const ModuleSectionChoice& choice,
                                            const stl::ConversionContext& context);

}  // namespace zel::print
