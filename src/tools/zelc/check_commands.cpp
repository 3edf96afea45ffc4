// zelc check: the checking passes of a compilation on one module, with the same message
// window lines and log file; the intermediate and cross-reference files stay for
// inspection.

#include <memory>
#include <string>

#include "app/project/project_messages.h"
#include "stl/check/check_run.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/message_printer.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

struct CheckArgs {
  std::string project;
  std::string module;
};

int CheckModule(const GlobalOptions& options, std::ostream& out, const CheckArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace) return kFailed;
  const auto project = workspace->session().findProject(args.project);
  if (!project) {
    ReportError(app::kMsgProjectNotFound);
    return kFailed;
  }
  MessagePrinter printer(out);
  stl::CheckRun run(
      {workspace->session().projectDirectory() / *project, ModuleNameOf(args.module), true});
  return run.run() == 0 ? 0 : kFailed;
}

}  // namespace

// How many characters of a module file name make the module name (CZ0P05V1).
constexpr std::size_t kModuleNameLength = 8;

std::string ModuleNameOf(std::string_view file) {
  return std::string(file.substr(0, file.find('.')).substr(0, kModuleNameLength));
}

void AddCheckCommands(CLI::App& app, CommandAction& chosen) {
  auto args = std::make_shared<CheckArgs>();
  auto* check = app.add_subcommand(
      "check", "Check a statement-list module as a compilation does, keeping its .INT and .XREF");
  check->add_option("-p,--project", args->project, "The project")->required();
  check->add_option("MODULE", args->module, "The module (CZ0P05V1 or CZ0P05V1.awl)")->required();
  WhenChosen(check, chosen, [args](const GlobalOptions& o, std::ostream& out) {
    return CheckModule(o, out, *args);
  });
}

}  // namespace zel::zelc
