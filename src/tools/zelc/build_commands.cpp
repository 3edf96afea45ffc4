// zelc make, build, clean: the project build as the desktop program's Project menu runs
// it, with the message window printed as it fills. The exit status is 0 only for a build
// without errors.

#include <memory>
#include <string>

#include "build/clean_up.h"
#include "build/project_build.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/job_watcher.h"
#include "tools/zelc/message_printer.h"
#include "tools/zelc/workspace.h"

#ifndef ZEL_VERSION
#define ZEL_VERSION ""
#endif

namespace zel::zelc {

namespace {

struct BuildArgs {
  std::string project;
};

int RunBuild(const GlobalOptions& options, std::ostream& out, const BuildArgs& args,
             build::BuildMode mode) {
  auto workspace = Workspace::open(options.workDir);
  // The build rewrites the project file's "DOWNLOAD" section: the project is ours while
  // it runs.
  if (!workspace || !workspace->openForChange(args.project)) return kFailed;
  MessagePrinter printer(out);
  JobWatcher watcher(JobWatcher::TerminalProgress());
  build::Builder builder(watcher.target());
  build::BuildRequest request;
  request.mode = mode;
  request.programDirectory = fs::absolute(options.workDir);
  request.projectsDirectory = workspace->projectDirectory();
  request.projectName = workspace->model().name();
  request.productVersion = ZEL_VERSION;
  if (!builder.start(request)) return kFailed;
  watcher.wait(builder.job());
  return builder.counts().errors == 0 ? 0 : kFailed;
}

int CleanUp(const GlobalOptions& options, std::ostream& out, const BuildArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace || !workspace->openForChange(args.project)) return kFailed;
  MessagePrinter printer(out);
  build::MessageWindowLog log;
  return build::CleanUpProject(workspace->projectDirectory(), workspace->model().name(), log)
             ? 0
             : kFailed;
}

}  // namespace

void AddBuildCommands(CLI::App& app, CommandAction& chosen) {
  const struct {
    const char* name;
    const char* help;
    build::BuildMode mode;
  } builds[] = {
      {"make", "Make the project: compile the modules that are out of date, then link",
       build::BuildMode::Make},
      {"build", "Build the project: compile every selected module, then link",
       build::BuildMode::Build},
  };
  for (const auto& entry : builds) {
    auto args = std::make_shared<BuildArgs>();
    auto* sub = app.add_subcommand(entry.name, entry.help);
    sub->add_option("-p,--project", args->project, "The project")->required();
    WhenChosen(sub, chosen, [args, mode = entry.mode](const GlobalOptions& o, std::ostream& out) {
      return RunBuild(o, out, *args, mode);
    });
  }
  auto args = std::make_shared<BuildArgs>();
  auto* clean = app.add_subcommand(
      "clean", "Remove what builds left: run files, Startup.BAT, object and intermediate files");
  clean->add_option("-p,--project", args->project, "The project")->required();
  WhenChosen(clean, chosen,
             [args](const GlobalOptions& o, std::ostream& out) { return CleanUp(o, out, *args); });
}

}  // namespace zel::zelc
