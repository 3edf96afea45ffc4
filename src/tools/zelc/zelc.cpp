#include "tools/zelc/zelc.h"

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/desktop.h"
#include "platform/message_box.h"
#include "tools/zelc/commands.h"

namespace zel::zelc {

void WhenChosen(CLI::App* sub, CommandAction& chosen, CommandAction action) {
  sub->parse_complete_callback([&chosen, action = std::move(action)] { chosen = action; });
}

int RunZelc(int argc, char** argv, std::ostream& out) {
  CLI::App app{"zelc: ZEL projects, modules and controller settings from the command line"};
  app.require_subcommand(1);
  GlobalOptions options;
  bool yes = false;
  bool no = false;
  app.add_option("--workdir", options.workDir,
                 "The program directory that holds ZEL.INI (default: the current directory)");
  auto* yesFlag = app.add_flag("--yes", yes, "Answer every question with Yes (OK, Ignore)");
  app.add_flag("--no", no, "Answer every question with No (Cancel, Abort)")->excludes(yesFlag);
  std::string trace;
  app.add_option("--trace", trace,
                 "Log every byte to and from the controller into FILE (sets ZEL_TRACE)");

  CommandAction chosen;
  AddProjectCommands(app, chosen);
  AddModuleCommands(app, chosen);
  AddSettingsCommands(app, chosen);
  AddOperandCommands(app, chosen);
  AddAllocationCommands(app, chosen);
  AddCheckCommands(app, chosen);
  AddCompileCommands(app, chosen);
  AddStlTextCommands(app, chosen);
  AddLibraryCommands(app, chosen);
  AddDriverCommands(app, chosen);
  AddIoCommands(app, chosen);
  AddControllerCommands(app, chosen);
  AddToolCommands(app, chosen);
  AddBuildCommands(app, chosen);
  AddRunFileCommands(app, chosen);
  AddModuleImportCommands(app, chosen);
  AddPrintCommands(app, chosen);
  AddArchiveCommands(app, chosen);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    const int status = app.exit(e);
    return status == 0 ? 0 : kUsageError;
  }

  // The access library reads it when it loads, which is after this.
  if (!trace.empty()) setenv("ZEL_TRACE", trace.c_str(), 1);
  platform::SetUpProcessLocale();
  using Policy = platform::ConsoleHost::Policy;
  const Policy policy = yes ? Policy::Yes : no ? Policy::No : Policy::Default;
  platform::SetMessageBoxHost(std::make_shared<platform::ConsoleHost>(policy));
  return chosen ? chosen(options, out) : kUsageError;
}

}  // namespace zel::zelc
