// zelc xref, import and module-info: the project's cross reference, importing a compiled
// module, and what a compiled module file is.

#include <memory>
#include <optional>
#include <string>

#include "build/cross_reference.h"
#include "build/module_import.h"
#include "build/module_info.h"
#include "platform/files.h"
#include "platform/no_case.h"
#include "stl/alloc/allocation_list.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/terminal_log.h"
#include "tools/zelc/terminal_text.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

struct XrefArgs {
  std::string project;
  std::size_t width = 80;
};

int CrossReference(const GlobalOptions& options, std::ostream& out, const XrefArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace || !workspace->openForReading(args.project)) return kFailed;
  const app::ProjectModel& model = workspace->model();
  TerminalLog log(out);
  build::CrossReference xref;
  if (!xref.build(build::CrossReferenceProjectOf(model, fs::absolute(options.workDir)), log)) {
    return kFailed;
  }
  stl::AllocationList symbols;
  if (const auto file = platform::FindPathNoCase(model.directory() / app::kAllocListFileName)) {
    symbols.load(*file);  // a list that stops early still names what it holds
  }
  const auto lines = xref.list(args.width, symbols);
  for (const auto& line : lines) out << ToTerminal(line) << '\n';
  if (!build::WriteCrossReferenceFile(model.directory(), lines)) {
    ReportError("'" + (model.directory() / build::kCrossReferenceFileName).string() +
                "'\n\nCannot write the cross reference.");
    return kFailed;
  }
  return 0;
}

struct ImportArgs {
  std::string project;
  std::string file;
  std::string kind;
  int number = 0;
  int version = 1;
  std::optional<std::string> comment;
};

std::optional<app::ModuleKind> KindOf(std::string_view text) {
  if (platform::EqualsNoCase(text, "program")) return app::ModuleKind::Program;
  if (platform::EqualsNoCase(text, "cmp")) return app::ModuleKind::Cmp;
  if (platform::EqualsNoCase(text, "cfm")) return app::ModuleKind::Cfm;
  return std::nullopt;
}

int Import(const GlobalOptions& options, const ImportArgs& args) {
  const auto kind = KindOf(args.kind);
  if (!kind) {
    ReportError("Unknown module kind '" + args.kind + "'. Use program, cmp or cfm.");
    return kFailed;
  }
  auto workspace = Workspace::open(options.workDir);
  if (!workspace || !workspace->openForChange(args.project)) return kFailed;
  const auto answer = [&](const app::ModuleEntry& preset) {
    app::ModuleEntry entry = preset;
    entry.kind = *kind;
    entry.number = args.number;
    entry.version = args.version;
    if (args.comment) entry.comment = FromTerminal(*args.comment);
    return std::optional(entry);
  };
  const auto result = build::ImportModule(workspace->model(), nullptr, args.file, answer);
  return result.outcome == build::ImportOutcome::Imported ? 0 : kFailed;
}

int ModuleInfo(std::ostream& out, const std::string& file) {
  const auto description = build::DescribeCompiledModule(file);
  out << ToTerminalLines(description.text);
  return description.isModule ? 0 : kFailed;
}

}  // namespace

void AddModuleImportCommands(CLI::App& app, CommandAction& chosen) {
  auto xrefArgs = std::make_shared<XrefArgs>();
  auto* xref = app.add_subcommand(
      "xref", "Build the project's cross reference, print it and write it to XREF.txt");
  xref->add_option("-p,--project", xrefArgs->project, "The project")->required();
  xref->add_option("--width", xrefArgs->width, "Line width in characters (default 80)")
      ->check(CLI::Range(1, 1000));
  WhenChosen(xref, chosen, [xrefArgs](const GlobalOptions& o, std::ostream& out) {
    return CrossReference(o, out, *xrefArgs);
  });

  auto importArgs = std::make_shared<ImportArgs>();
  auto* import = app.add_subcommand("import", "Import a compiled module into the project");
  import->add_option("-p,--project", importArgs->project, "The project")->required();
  import->add_option("FILE", importArgs->file, "The compiled module file")->required();
  import->add_option("--kind", importArgs->kind, "program, cmp or cfm")->required();
  import->add_option("--number", importArgs->number, "The module number")->required();
  import->add_option("--version", importArgs->version, "The module version")->required();
  import->add_option("--comment", importArgs->comment,
                     "The comment (default: the imported file's name)");
  WhenChosen(import, chosen, [importArgs](const GlobalOptions& o, std::ostream&) {
    return Import(o, *importArgs);
  });

  auto file = std::make_shared<std::string>();
  auto* info = app.add_subcommand("module-info", "Describe a compiled module file");
  info->add_option("FILE", *file, "The file")->required();
  WhenChosen(info, chosen,
             [file](const GlobalOptions&, std::ostream& out) { return ModuleInfo(out, *file); });
}

}  // namespace zel::zelc
