// zelc compile: one statement-list module compiled as the editor's Compile command does,
// on the compile driver's worker, with the message window printed as it fills.

#include <memory>
#include <string>

#include "app/project/project_model.h"
#include "stl/compile/compile_driver.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/job_watcher.h"
#include "tools/zelc/message_printer.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

struct CompileArgs {
  std::string project;
  std::string module;
};

// The module's file name as the project lists it, else as given: a module given without
// its extension is still known as a ladder module by its entry.
std::string ModuleFileName(app::ProjectModel& model, const std::string& given) {
  const app::ModuleRecord* record = model.findModuleByName(given);
  return record ? record->fileName : given;
}

int CompileModule(const GlobalOptions& options, std::ostream& out, const CompileArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace || !workspace->openForReading(args.project)) return kFailed;
  app::ProjectModel& model = workspace->model();
  MessagePrinter printer(out);
  if (stl::IsLadderModule(ModuleFileName(model, args.module))) {
    stl::ReportLadderModule();
    return kFailed;
  }
  JobWatcher watcher(JobWatcher::TerminalProgress());
  stl::Compilation compilation(watcher.target());
  if (!compilation.start(model.directory(), ModuleNameOf(args.module))) return kFailed;
  watcher.wait(compilation.job());
  return compilation.errorCount() == 0 ? 0 : kFailed;
}

}  // namespace

void AddCompileCommands(CLI::App& app, CommandAction& chosen) {
  auto args = std::make_shared<CompileArgs>();
  auto* compile = app.add_subcommand(
      "compile", "Compile a statement-list module into its object file for the project's type");
  compile->add_option("-p,--project", args->project, "The project")->required();
  compile->add_option("MODULE", args->module, "The module (CZ0P05V1 or CZ0P05V1.awl)")->required();
  WhenChosen(compile, chosen, [args](const GlobalOptions& o, std::ostream& out) {
    return CompileModule(o, out, *args);
  });
}

}  // namespace zel::zelc
