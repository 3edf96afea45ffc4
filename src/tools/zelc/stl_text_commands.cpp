// Program text from the command line: show a stored program file as the editor would, and
// store display text typed or piped in as a program file.

#include <filesystem>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>

#include "app/text/text_format.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "stl/alloc/allocation_list.h"
#include "stl/editor/called_module.h"
#include "stl/editor/document.h"
#include "stl/editor/editor_messages.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/terminal_text.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

struct StlTextArgs {
  std::string project;
  std::string file;
};

void Warn(const std::string& text) {
  platform::ShowMessageBox(text, platform::Buttons::Ok, platform::Icon::Warning);
}

// With a project, FILE may name one of its modules ("CZ0P01V1.awl" or its first eight
// characters); anything else is a path.
fs::path ProgramPath(Workspace* workspace, const std::string& file) {
  if (workspace) {
    if (const auto* module = workspace->model().findModuleByName(file))
      return workspace->model().modulePath(*module);
  }
  return file;
}

// A missing list is an empty one; a list that stopped loading early still shows the
// entries read before the bad record.
void LoadList(Workspace& workspace, stl::AllocationList& list) {
  list.load(workspace.model().directory() / stl::kAllocationListFile);
}

std::unique_ptr<Workspace> OpenProject(const GlobalOptions& options, const std::string& name) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace || !workspace->openForReading(name)) return nullptr;
  return workspace;
}

int ShowProgram(const GlobalOptions& options, std::ostream& out, const StlTextArgs& args) {
  std::unique_ptr<Workspace> workspace;
  if (!args.project.empty() && !(workspace = OpenProject(options, args.project))) return kFailed;
  const fs::path path = ProgramPath(workspace.get(), args.file);
  const auto stored = platform::ReadWholeFile(path);
  if (!stored) {
    ReportError("Cannot read the program file \"" + path.string() + "\".");
    return kFailed;
  }
  stl::AllocationList list;
  stl::ConversionContext context;
  context.elseForOtherwise = app::Preferences(options.workDir).useElseInsteadOfOthrw();
  if (workspace) {
    LoadList(*workspace, list);
    context.allocationList = &list;
    context.moduleComment = stl::ModuleCommentsOf(workspace->model().modules());
  }
  const stl::LoadedDocument doc = stl::LoadDocument(*stored, context);
  if (doc.outOfMemory) {
    ReportError(std::string(stl::kMsgOutOfMemory));
    return kFailed;
  }
  for (const auto& line : doc.lines) out << ToTerminal(line) << '\n';
  for (const int line : doc.invalidLines) Warn(stl::InvalidFileFormatMessage(line));
  return doc.invalidLines.empty() ? 0 : kFailed;
}

// Lines that cannot be converted are stored behind `?` as the editor stores them; each is
// reported as the editor reports it when the line is left.
int StoreProgram(const GlobalOptions& options, const StlTextArgs& args) {
  auto workspace = OpenProject(options, args.project);
  if (!workspace) return kFailed;
  const fs::path path = ProgramPath(workspace.get(), args.file);
  const std::string typed{std::istreambuf_iterator<char>(std::cin),
                          std::istreambuf_iterator<char>()};
  const stl::SavedDocument doc = stl::SaveDocument(FromTerminal(typed));
  if (doc.outOfMemory) {
    ReportError(std::string(stl::kMsgOutOfMemory));
    return kFailed;
  }
  for (const auto& line : doc.rejected)
    Warn(app::FillText(stl::kMsgUnknownInstruction, ToTerminal(line.rejected)));
  if (!platform::WriteFileAtomically(path, doc.storedText)) {
    ReportError("Cannot write the program file \"" + path.string() + "\".");
    return kFailed;
  }
  return 0;
}

}  // namespace

void AddStlTextCommands(CLI::App& app, CommandAction& chosen) {
  auto showArgs = std::make_shared<StlTextArgs>();
  auto* show = app.add_subcommand(
      "stl-show", "Show a stored statement-list program (.AWL) as the editor displays it");
  show->add_option("-p,--project", showArgs->project,
                   "The project whose allocation list and module comments are shown; FILE "
                   "may then name one of its modules");
  show->add_option("file", showArgs->file, "The program file")->required();
  WhenChosen(show, chosen, [showArgs](const GlobalOptions& o, std::ostream& out) {
    return ShowProgram(o, out, *showArgs);
  });

  auto storeArgs = std::make_shared<StlTextArgs>();
  auto* store = app.add_subcommand(
      "stl-store", "Store statement-list display text read from stdin as a program file");
  store
      ->add_option("-p,--project", storeArgs->project,
                   "The project; FILE may name one of its modules")
      ->required();
  store->add_option("file", storeArgs->file, "The program file to write")->required();
  WhenChosen(store, chosen, [storeArgs](const GlobalOptions& o, std::ostream&) {
    return StoreProgram(o, *storeArgs);
  });
}

}  // namespace zel::zelc
