// zelc backup, restore: a project packed into a ZIP file and a new project made from one,
// as the desktop program's Project menu does them. The exit status is 0 only when the
// archive or the project was made whole.

#include <memory>
#include <string>

#include "app/project/project_messages.h"
#include "app/shell/message_service.h"
#include "archive/project_restore.h"
#include "build/project_backup.h"
#include "build/project_build.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/message_printer.h"
#include "tools/zelc/workspace.h"

#ifndef ZEL_VERSION
#define ZEL_VERSION ""
#endif

namespace zel::zelc {

namespace {

struct ArchiveArgs {
  std::string project;
  std::string file;
};

archive::ArchiveReport TerminalReport(build::MessageWindowLog& log) {
  archive::ArchiveReport report;
  report.print = [&log](std::string_view text) { log.print(text); };
  report.alert = [](std::string_view text) { app::TellUser(text); };
  report.raise = [] { app::ShowMessageWindow(true); };
  return report;
}

int Backup(const GlobalOptions& options, std::ostream& out, const ArchiveArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace) return kFailed;
  MessagePrinter printer(out);
  build::MessageWindowLog log;
  const build::BackupRequest request{workspace->projectDirectory(), args.project,
                                     fs::absolute(args.file), ZEL_VERSION};
  return build::BackupProject(request, TerminalReport(log)) ? 0 : kFailed;
}

int Restore(const GlobalOptions& options, std::ostream& out, const ArchiveArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace) return kFailed;
  MessagePrinter printer(out);
  build::MessageWindowLog log;
  return archive::RestoreProject(workspace->projectDirectory(), args.project,
                                 fs::absolute(args.file), TerminalReport(log))
             ? 0
             : kFailed;
}

}  // namespace

void AddArchiveCommands(CLI::App& app, CommandAction& chosen) {
  auto backupArgs = std::make_shared<ArchiveArgs>();
  auto* backup = app.add_subcommand(
      "backup", "Pack a project into a ZIP file, leaving out what a build makes again");
  backup->add_option("-p,--project", backupArgs->project, "The project")->required();
  backup->add_option("file", backupArgs->file, "The ZIP file to write")->required();
  WhenChosen(backup, chosen, [backupArgs](const GlobalOptions& o, std::ostream& out) {
    return Backup(o, out, *backupArgs);
  });
  auto restoreArgs = std::make_shared<ArchiveArgs>();
  auto* restore = app.add_subcommand("restore", "Make a new project from a ZIP file");
  restore->add_option("file", restoreArgs->file, "The ZIP file")->required();
  restore->add_option("name", restoreArgs->project, "The new project's name")->required();
  WhenChosen(restore, chosen, [restoreArgs](const GlobalOptions& o, std::ostream& out) {
    return Restore(o, out, *restoreArgs);
  });
}

}  // namespace zel::zelc
