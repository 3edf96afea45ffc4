// External tools from the command line: list the tools of the preferences and run one
// of them as the Extras menu would, optionally with a project open for its tokens.

#include <memory>
#include <string>

#include "app/tools/run_tool.h"
#include "app/tools/tool_record.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/terminal_text.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

// Number, title, program, parameters and flags, TAB-separated; a line "-" after the last
// tool the menu shows, so a script sees what the user sees.
int ListTools(const GlobalOptions& options, std::ostream& out) {
  const app::Preferences preferences(fs::absolute(options.workDir));
  const std::vector<app::ToolRecord> tools = app::ReadTools(preferences.file());
  for (std::size_t i = 0; i < tools.size(); ++i) {
    if (i == app::kMaxMenuTools) out << "-\tnot in the menu\n";
    const app::ToolRecord& tool = tools[i];
    out << i << '\t' << Field(tool.title) << '\t' << Field(tool.program) << '\t'
        << Field(tool.parameters) << '\t' << tool.flags << '\n';
  }
  return 0;
}

struct RunToolArgs {
  std::size_t number = 0;
  std::string project;
};

int RunToolCommand(const GlobalOptions& options, std::ostream& out, const RunToolArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace) return kFailed;
  const std::vector<app::ToolRecord> tools = app::ReadTools(workspace->preferences().file());
  if (args.number >= tools.size()) {
    ReportError("There is no tool " + std::to_string(args.number) + " (" +
                std::to_string(tools.size()) + " tools).");
    return kFailed;
  }
  if (!args.project.empty() && !workspace->openForChange(args.project)) return kFailed;
  app::ToolRunHost host;
  const app::ToolRunResult result =
      app::RunTool(tools[args.number], workspace->preferences(), workspace->session(), host);
  if (result.status == app::ToolRunStatus::Refused) return kFailed;
  if (result.exitCode) out << "Exit code " << *result.exitCode << '\n';
  return 0;
}

}  // namespace

void AddToolCommands(CLI::App& app, CommandAction& chosen) {
  auto* list = app.add_subcommand("tools", "List the external tools of the Extras menu");
  WhenChosen(list, chosen, ListTools);

  auto args = std::make_shared<RunToolArgs>();
  auto* run = app.add_subcommand("run-tool", "Run external tool N (numbered from 0)");
  run->add_option("N", args->number, "The tool's number")->required();
  run->add_option("-p,--project", args->project,
                  "The project to open for the run (tokens, reloading)");
  WhenChosen(run, chosen, [args](const GlobalOptions& options, std::ostream& out) {
    return RunToolCommand(options, out, *args);
  });
}

}  // namespace zel::zelc
