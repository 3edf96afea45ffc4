// Run file commands: the listing of a run file and the update file of a project.

#include <memory>
#include <optional>
#include <string>

#include "app/project/project_model.h"
#include "build/build_log.h"
#include "build/project_update_file.h"
#include "build/run_file_listing.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/terminal_log.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

struct RunFileArgs {
  std::string project;  // empty: the project open in the last session
  std::string file;
};

// The directory of the named project, or of the one the last session left open; nullopt
// when there is none (the caller then reports that no project is open). `failed` is set
// when the project was named but could not be opened (the user was told).
std::optional<fs::path> ProjectDirectory(Workspace& workspace, const std::string& given,
                                         bool& failed) {
  const std::string name = given.empty() ? workspace.preferences().currentProject() : given;
  if (name.empty()) return std::nullopt;
  if (!workspace.openForReading(name)) {
    failed = true;
    return std::nullopt;
  }
  return workspace.model().directory();
}

int ListRun(const GlobalOptions& options, std::ostream& out, const RunFileArgs& args) {
  TerminalLog log(out);
  if (!args.file.empty()) return build::ListRunFileAt(args.file, log) ? 0 : kFailed;
  auto workspace = Workspace::open(options.workDir);
  if (!workspace) return kFailed;
  bool failed = false;
  const auto directory = ProjectDirectory(*workspace, args.project, failed);
  if (failed) return kFailed;
  return build::ListRunFile(directory, log) ? 0 : kFailed;
}

int UpdateFile(const GlobalOptions& options, std::ostream& out, const RunFileArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace) return kFailed;
  bool failed = false;
  const auto directory = ProjectDirectory(*workspace, args.project, failed);
  if (failed) return kFailed;
  TerminalLog log(out);
  return build::WriteProjectUpdateFile(directory, log) ? 0 : kFailed;
}

}  // namespace

void AddRunFileCommands(CLI::App& app, CommandAction& chosen) {
  auto args = std::make_shared<RunFileArgs>();
  auto* list = app.add_subcommand(
      "list-run", "List the records of a run file (default: the open project's Project.RUN)");
  list->add_option("FILE", args->file, "A run file to list instead");
  list->add_option("-p,--project", args->project, "The project (default: the open one)");
  WhenChosen(list, chosen,
             [args](const GlobalOptions& o, std::ostream& out) { return ListRun(o, out, *args); });

  auto* update = app.add_subcommand(
      "update-file", "Write the project's Update.RUN from its Download.RUN and Project.RUN");
  update->add_option("-p,--project", args->project, "The project (default: the open one)");
  WhenChosen(update, chosen, [args](const GlobalOptions& o, std::ostream& out) {
    return UpdateFile(o, out, *args);
  });
}

}  // namespace zel::zelc
