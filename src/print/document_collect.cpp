// CollectDocument: every section's content, read from the cores that own it.

#include <algorithm>
#include <iterator>

#include "app/modules/module_tree.h"
#include "app/project/project_messages.h"
#include "app/project/project_model.h"
#include "app/settings/controller_settings.h"
#include "app/settings/controller_settings_summary.h"
#include "app/text/text_format.h"
#include "build/build_log.h"
#include "build/cross_reference.h"
#include "library/driver_documentation.h"
#include "library/driver_list.h"
#include "library/io_documentation.h"
#include "library/io_module_list.h"
#include "library/library_messages.h"
#include "platform/files.h"
#include "platform/no_case.h"
#include "print/module_sections.h"
#include "print/project_document.h"
#include "stl/alloc/allocation_list.h"
#include "stl/alloc/allocation_printout.h"
#include "stl/editor/called_module.h"

namespace zel::print {

namespace {

// A sub-title of this text prints as a rule under the column headings.
constexpr std::string_view kRule = "default";

// The count line the configuration windows show.
std::string EntriesLine(std::size_t count) {
  return app::FormatText(library::kEntriesStatus.data(), static_cast<unsigned>(count));
}

// What the sections share: the open project and its allocation list.
class Collector {
 public:
  Collector(const DocumentRequest& request, int columns) : m_request(request), m_columns(columns) {
    m_model.open(request.projectName, request.projectsDirectory, app::ExclusionFile{});
    m_type = m_model.target();
    // A list that stops early still names what it holds.
    if (const auto file = platform::FindPathNoCase(m_model.directory() / app::kAllocListFileName))
      m_symbols.load(*file);
  }

  const app::ProjectModel& model() const { return m_model; }

  std::optional<DocumentSection> documentationText() const {
    const auto found = platform::FindPathNoCase(m_model.file().docFile());
    if (!found) return std::nullopt;
    auto text = platform::ReadWholeFile(*found);
    if (!text) return std::nullopt;
    DocumentSection section;
    section.title = "Project Documentation";
    section.text = std::move(*text);
    return section;
  }

  DocumentSection controllerSettings() const {
    DocumentSection section;
    section.title = "Controller Settings";
    section.text = app::SettingsSummary(app::ControllerSettings(m_model.file()).read());
    return section;
  }

  DocumentSection projectTree() const {
    DocumentSection section;
    section.title = "Project Tree";
    section.lines = app::ProjectTreePrintLines(m_model.modules());
    return section;
  }

  DocumentSection ioConfiguration() const {
    DocumentSection section;
    section.title = library::kIoDocHeading;
    section.subtitle1 = library::IoDocumentationColumns();
    section.subtitle2 = kRule;
    const auto raw = library::StoredIoEntries(m_model.file(), m_type);
    section.lines = library::IoDocumentationRows(
        raw, library::LoadIoModules(m_request.programDirectory, m_type));
    section.lines.emplace_back();
    section.lines.push_back(EntriesLine(raw.size()));
    return section;
  }

  DocumentSection drivers() const {
    library::DriverList installed;
    installed.load(m_request.programDirectory, m_type);
    DocumentSection section;
    section.title = library::kDriverDocHeading;
    section.lines = library::DriverDocumentationLines(m_model.file(), m_type, installed,
                                                      m_request.programDirectory);
    return section;
  }

  DocumentSection allocationList() const {
    DocumentSection section;
    section.title = stl::kAllocationPrintHeading;
    section.subtitle1 = stl::AllocationPrintColumns();
    section.subtitle2 = kRule;
    section.lines = stl::AllocationPrintRows(m_symbols);
    section.lines.emplace_back();
    section.lines.push_back(EntriesLine(m_symbols.size()));
    return section;
  }

  DocumentSection crossReference() const {
    build::CrossReference xref;
    build::TextLog log;
    DocumentSection section;
    section.title = "Cross Reference";
    if (xref.build(build::CrossReferenceProjectOf(m_model, m_request.programDirectory), log)) {
      section.lines = xref.list(static_cast<std::size_t>(std::max(m_columns, 0)), m_symbols);
    } else {
      // Nothing to list: the page tells why, as the message window would.
      section.text = log.text();
    }
    return section;
  }

  std::vector<DocumentSection> module(const app::ModuleRecord& module,
                                      const ModuleSectionChoice& choice) const {
    stl::ConversionContext context;
    context.elseForOtherwise = m_request.elseWord;
    context.allocationList = &m_symbols;
    context.moduleComment = stl::ModuleCommentsOf(m_model.modules());
    return ModuleSections(m_model, module, choice, context);
  }

 private:
  const DocumentRequest& m_request;
  int m_columns;
  app::ProjectModel m_model;
  std::string m_type;
  stl::AllocationList m_symbols;
};

void Append(std::vector<DocumentSection>& to, std::vector<DocumentSection> sections) {
  std::move(sections.begin(), sections.end(), std::back_inserter(to));
}

bool SetError(std::string* error, std::string text) {
  if (error) *error = std::move(text);
  return false;
}

// The one section another window asked for; false when the project has no such module.
bool CollectSingle(const Collector& c, const SectionChoice& choice, ProjectDocument& document,
                   std::string* error) {
  switch (choice.section) {
    case SingleSection::ProjectTree:
      document.sections.push_back(c.projectTree());
      return true;
    case SingleSection::AllocList:
      document.sections.push_back(c.allocationList());
      return true;
    case SingleSection::CrossRef:
      document.sections.push_back(c.crossReference());
      return true;
    case SingleSection::IoConfig:
      document.sections.push_back(c.ioConfiguration());
      return true;
    case SingleSection::Drivers:
      document.sections.push_back(c.drivers());
      return true;
    case SingleSection::Module:
      break;
  }
  for (const app::ModuleRecord& module : c.model().modules()) {
    if (!platform::EqualsNoCase(module.fileName, choice.moduleFileName)) continue;
    if (module.language != app::Language::Stl)
      return SetError(error, "'" + module.displayName + "'\n\nThe module has no source to print.");
    Append(document.sections, c.module(module, ModuleSectionChoice{false, true, false}));
    return true;
  }
  return SetError(error, "'" + choice.moduleFileName + "'\n\nThe project has no such module.");
}

}  // namespace

std::optional<ProjectDocument> CollectDocument(const DocumentRequest& request, int columns,
                                               std::string* error) {
  const auto file = app::ProjectFile::ofProject(request.projectsDirectory, request.projectName);
  if (request.projectName.empty() || !file.exists()) {
    SetError(error, std::string(app::kMsgProjectNotFound));
    return std::nullopt;
  }
  const Collector c(request, columns);
  ProjectDocument document;
  document.projectName = c.model().name();
  document.controllerType = c.model().target();
  document.comment = c.model().file().comment();

  if (request.single) {
    if (!CollectSingle(c, *request.single, document, error)) return std::nullopt;
    return document;
  }

  const PrintOptions& o = request.options;
  document.titlePage = o.title;
  if (o.docText) {
    if (auto text = c.documentationText()) document.sections.push_back(std::move(*text));
  }
  if (o.controllerSettings) document.sections.push_back(c.controllerSettings());
  if (o.projectTree) document.sections.push_back(c.projectTree());
  if (o.io) document.sections.push_back(c.ioConfiguration());
  if (o.drivers) document.sections.push_back(c.drivers());
  if (o.allocationList) document.sections.push_back(c.allocationList());
  const ModuleSectionChoice choice{o.properties, o.source, o.log};
  if (choice.properties || choice.source || choice.log) {
    for (const app::ModuleRecord& module : ModulesToPrint(c.model().modules()))
      Append(document.sections, c.module(module, choice));
  }
  if (o.crossReference) document.sections.push_back(c.crossReference());
  if (o.metrics) {
    DocumentSection metrics;
    metrics.title = "Print Metrics";
    metrics.metrics = true;
    document.sections.push_back(std::move(metrics));
  }
  return document;
}

}  // namespace zel::print
