// Module commands: list, insert, change, delete and select programs, CMPs and CFMs.

#include <memory>
#include <optional>
#include <string>

#include "app/modules/module_entry.h"
#include "app/modules/module_ops.h"
#include "platform/no_case.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/terminal_text.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

struct ModuleArgs {
  std::string project;
  std::string file;
  std::string kind;
  std::optional<int> number;
  std::optional<int> version;
  std::optional<std::string> comment;
  std::string onOff;
};

std::optional<app::ModuleKind> ParseKind(std::string_view text) {
  if (platform::EqualsNoCase(text, "program")) return app::ModuleKind::Program;
  if (platform::EqualsNoCase(text, "cmp")) return app::ModuleKind::Cmp;
  if (platform::EqualsNoCase(text, "cfm")) return app::ModuleKind::Cfm;
  return std::nullopt;
}

int ListModules(const GlobalOptions& options, std::ostream& out, const ModuleArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace || !workspace->openForReading(args.project)) return kFailed;
  for (const auto& module : workspace->model().modules()) {
    out << module.fileName << '\t' << (module.selected ? '1' : '0') << '\t' << module.displayName
        << '\t' << Field(module.comment) << '\n';
  }
  return 0;
}

// Opens the project for a change and finds the module named on the command line.
const app::ModuleRecord* OpenModule(Workspace& workspace, const ModuleArgs& args) {
  if (!workspace.openForChange(args.project)) return nullptr;
  const auto* module = workspace.model().findModuleByName(args.file);
  if (!module) ReportError("'" + args.file + "'\n\nThere is no such program in the project.");
  return module;
}

// Fills the fields the command line names into `entry`; false when the kind is unknown.
bool OverrideEntry(const ModuleArgs& args, app::ModuleEntry& entry) {
  if (!args.kind.empty()) {
    const auto kind = ParseKind(args.kind);
    if (!kind) {
      ReportError("Unknown module kind '" + args.kind + "'. Use program, cmp or cfm.");
      return false;
    }
    entry.kind = *kind;
  }
  if (args.number) entry.number = *args.number;
  if (args.version) entry.version = *args.version;
  if (args.comment) entry.comment = FromTerminal(*args.comment);
  return true;
}

int InsertModule(const GlobalOptions& options, const ModuleArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace || !workspace->openForChange(args.project)) return kFailed;
  app::ModuleEntry entry;
  if (!OverrideEntry(args, entry)) return kFailed;
  app::ModuleOperations operations(workspace->model(), nullptr);
  return operations.insertModule(entry).outcome == app::ModuleEditOutcome::Done ? 0 : kFailed;
}

int ChangeModule(const GlobalOptions& options, const ModuleArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace) return kFailed;
  const auto* module = OpenModule(*workspace, args);
  if (!module) return kFailed;
  app::ModuleEntry entry = app::EntryOf(*module);
  if (!OverrideEntry(args, entry)) return kFailed;
  app::ModuleOperations operations(workspace->model(), nullptr);
  const std::string fileName = module->fileName;
  return operations.applyProperties(fileName, entry).outcome == app::ModuleEditOutcome::Done
             ? 0
             : kFailed;
}

int DeleteModule(const GlobalOptions& options, const ModuleArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace) return kFailed;
  const auto* module = OpenModule(*workspace, args);
  if (!module) return kFailed;
  app::ModuleOperations operations(workspace->model(), nullptr);
  return operations.deleteModule(std::string(module->fileName)) ? 0 : kFailed;
}

int SelectModule(const GlobalOptions& options, const ModuleArgs& args) {
  const bool on = platform::EqualsNoCase(args.onOff, "on");
  if (!on && !platform::EqualsNoCase(args.onOff, "off")) {
    ReportError("Say 'on' or 'off' for the download selection.");
    return kFailed;
  }
  auto workspace = Workspace::open(options.workDir);
  if (!workspace) return kFailed;
  const auto* module = OpenModule(*workspace, args);
  if (!module) return kFailed;
  // Only a real change counts: toggling sets the project's time stamp.
  if (module->selected == on) return 0;
  app::ModuleOperations operations(workspace->model(), nullptr);
  return operations.toggleDownloadSelection(std::string(module->fileName)) ? 0 : kFailed;
}

using ModuleCommand = int (*)(const GlobalOptions&, const ModuleArgs&);

CLI::App* AddModuleSubcommand(CLI::App& app, CommandAction& chosen, std::string name,
                              std::string help, std::shared_ptr<ModuleArgs> args,
                              ModuleCommand command) {
  auto* sub = app.add_subcommand(std::move(name), std::move(help));
  sub->add_option("-p,--project", args->project, "The project")->required();
  WhenChosen(sub, chosen,
             [args, command](const GlobalOptions& o, std::ostream&) { return command(o, *args); });
  return sub;
}

void AddIdentityOptions(CLI::App* sub, ModuleArgs& args) {
  sub->add_option("--kind", args.kind, "program, cmp or cfm");
  sub->add_option("--number", args.number, "Module number (programs 0-63, CMPs/CFMs 0-99)");
  sub->add_option("--version", args.version, "Version 1-9");
  sub->add_option("--comment", args.comment, "Comment (up to 255 characters)");
}

}  // namespace

void AddModuleCommands(CLI::App& app, CommandAction& chosen) {
  auto args = std::make_shared<ModuleArgs>();

  auto* list =
      app.add_subcommand("modules", "List a project's modules: file, selected, name, comment");
  list->add_option("-p,--project", args->project, "The project")->required();
  WhenChosen(list, chosen, [args](const GlobalOptions& o, std::ostream& out) {
    return ListModules(o, out, *args);
  });

  auto* create = AddModuleSubcommand(app, chosen, "module-new",
                                     "Insert a new statement-list module", args, InsertModule);
  AddIdentityOptions(create, *args);
  create->get_option("--kind")->required();
  create->get_option("--number")->required();
  create->get_option("--version")->required();

  auto* change = AddModuleSubcommand(app, chosen, "module-set",
                                     "Change a module's identity or comment", args, ChangeModule);
  change->add_option("FILE", args->file, "The module's file name")->required();
  AddIdentityOptions(change, *args);

  auto* remove =
      AddModuleSubcommand(app, chosen, "module-delete",
                          "Delete a module and its files (asks first)", args, DeleteModule);
  remove->add_option("FILE", args->file, "The module's file name")->required();

  auto* select = AddModuleSubcommand(app, chosen, "select", "Select a module for download or not",
                                     args, SelectModule);
  select->add_option("FILE", args->file, "The module's file name")->required();
  select->add_option("STATE", args->onOff, "on or off")->required();
}

}  // namespace zel::zelc
