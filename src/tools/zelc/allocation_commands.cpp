// The allocation list from the command line: list, add and delete entries through the
// same checks as the entry dialog.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/message_box.h"
#include "stl/alloc/allocation_entry_check.h"
#include "stl/alloc/allocation_list.h"
#include "stl/alloc/allocation_order.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/terminal_text.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

struct AllocationArgs {
  std::string project;
  std::string operand;
  std::string symbol;
  std::string comment;
};

// The project's list. A missing file is an empty list; a file that stopped loading early
// is reported, since saving it would drop the records after the bad one.
bool LoadList(Workspace& workspace, stl::AllocationList& list) {
  const auto file = workspace.model().directory() / stl::kAllocationListFile;
  if (list.load(file) || !platform::PathExistsNoCase(file)) return true;
  ReportError("The allocation list \"" + file.string() + "\" holds an invalid operand after " +
              std::to_string(list.size()) + " entries; it was not changed.");
  return false;
}

bool SaveList(const stl::AllocationList& list) {
  if (list.save()) return true;
  ReportError("Cannot write the allocation list \"" + list.path().string() + "\".");
  return false;
}

int ListAllocations(const GlobalOptions& options, std::ostream& out, const AllocationArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace || !workspace->openForReading(args.project)) return kFailed;
  stl::AllocationList list;
  const bool complete = LoadList(*workspace, list);
  for (const std::size_t i : stl::AllocationOrder(list, stl::AllocationColumn::Operand)) {
    const auto& entry = list.at(i);
    out << ToTerminal(entry.operand.display) << '\t' << Field(entry.symbol) << '\t'
        << Field(entry.comment) << '\n';
  }
  return complete ? 0 : kFailed;
}

int AddAllocation(const GlobalOptions& options, const AllocationArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace || !workspace->openForChange(args.project)) return kFailed;
  stl::AllocationList list;
  if (!LoadList(*workspace, list)) return kFailed;
  const stl::EntryTexts texts{FromTerminal(args.operand), FromTerminal(args.symbol),
                              FromTerminal(args.comment)};
  auto check = stl::CheckAllocationEntry(texts, list);
  if (!check.entry) {
    platform::ShowMessageBox(std::string(check.message), platform::Buttons::Ok,
                             platform::Icon::Warning);
    return kFailed;
  }
  list.append(std::move(*check.entry));
  return SaveList(list) ? 0 : kFailed;
}

int DeleteAllocation(const GlobalOptions& options, const AllocationArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace || !workspace->openForChange(args.project)) return kFailed;
  stl::AllocationList list;
  if (!LoadList(*workspace, list)) return kFailed;
  const auto stored = stl::DisplayToStored(FromTerminal(args.operand));
  const auto* entry = stored ? list.findByOperand(*stored) : nullptr;
  if (!entry) {
    ReportError("'" + args.operand + "' is not in the allocation list.");
    return kFailed;
  }
  list.remove(static_cast<std::size_t>(entry - list.entries().data()));
  return SaveList(list) ? 0 : kFailed;
}

using AllocationCommand = int (*)(const GlobalOptions&, const AllocationArgs&);

CLI::App* AddListSubcommand(CLI::App& app, CommandAction& chosen, std::string name,
                            std::string help, std::shared_ptr<AllocationArgs> args,
                            AllocationCommand command) {
  auto* sub = app.add_subcommand(std::move(name), std::move(help));
  sub->add_option("-p,--project", args->project, "The project")->required();
  WhenChosen(sub, chosen,
             [args, command](const GlobalOptions& o, std::ostream&) { return command(o, *args); });
  return sub;
}

}  // namespace

void AddAllocationCommands(CLI::App& app, CommandAction& chosen) {
  auto args = std::make_shared<AllocationArgs>();

  auto* list = app.add_subcommand(
      "alloc", "List a project's allocation list: operand, symbol, comment in operand order");
  list->add_option("-p,--project", args->project, "The project")->required();
  WhenChosen(list, chosen, [args](const GlobalOptions& o, std::ostream& out) {
    return ListAllocations(o, out, *args);
  });

  auto* add = AddListSubcommand(app, chosen, "alloc-add", "Add an entry to the allocation list",
                                args, AddAllocation);
  add->add_option("OPERAND", args->operand, "Absolute operand (display notation)")->required();
  add->add_option("SYMBOL", args->symbol, "Symbolic operand (up to 9 characters)");
  add->add_option("COMMENT", args->comment, "Comment (up to 36 characters)");

  auto* remove = AddListSubcommand(
      app, chosen, "alloc-del", "Delete an entry of the allocation list", args, DeleteAllocation);
  remove->add_option("OPERAND", args->operand, "Absolute operand (display notation)")->required();
}

}  // namespace zel::zelc
