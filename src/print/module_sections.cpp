#include "print/module_sections.h"

#include <algorithm>

#include "app/modules/module_info.h"
#include "build/module_info.h"
#include "platform/no_case.h"
#include "stl/editor/program_file.h"

namespace zel::print {

std::vector<app::ModuleRecord> ModulesToPrint(const std::vector<app::ModuleRecord>& modules) {
  std::vector<app::ModuleRecord> chosen;
  std::copy_if(modules.begin(), modules.end(), std::back_inserter(chosen),
               [](const app::ModuleRecord& m) { return m.selected; });
  std::stable_sort(chosen.begin(), chosen.end(),
                   [](const app::ModuleRecord& a, const app::ModuleRecord& b) {
                     return platform::LessNoCase(a.fileName, b.fileName);
                   });
  return chosen;
}

std::string SourceTitle(const app::ModuleRecord& module) {
  return module.displayName + " - " + module.comment;
}

namespace {

DocumentSection SourceSection(const app::ProjectModel& model, const app::ModuleRecord& module,
                              const stl::ConversionContext& context) {
  DocumentSection section;
  section.title = SourceTitle(module);
  const auto path = model.modulePath(module);
  const stl::ProgramLoad loaded = stl::LoadProgramFile(path, context);
  // The page says what is missing rather than leaving the module out unnoticed.
  if (!loaded.readable)
    section.lines.push_back("'" + path.string() + "'  cannot be read.");
  else if (loaded.document.outOfMemory)
    section.lines.push_back("'" + path.string() + "'  is too large to print.");
  else
    section.lines = loaded.document.lines;
  return section;
}

}  // namespace

std::vector<DocumentSection> ModuleSections(const app::ProjectModel& model,
                                            const app::ModuleRecord& module,
                                            const ModuleSectionChoice& choice,
                                            const stl::ConversionContext& context) {
  std::vector<DocumentSection> sections;
  if (choice.properties) {
    DocumentSection properties;
    properties.title = "Properties of " + module.displayName;
    properties.text = app::PropertiesInfoText(module, app::ReadModuleFileFacts(model, module),
                                              build::CompiledLanguageName);
    sections.push_back(std::move(properties));
  }
  if (choice.source && module.language == app::Language::Stl)
    sections.push_back(SourceSection(model, module, context));
  if (choice.log) {
    if (auto log = app::ReadModuleLog(model, module)) {
      DocumentSection section;
      section.title = "Log file for " + module.displayName;
      section.text = std::move(*log);
      sections.push_back(std::move(section));
    }
  }
  return sections;
}

}  // namespace zel::print
