// A project's IO configuration from the command line: list the entries, add, change or
// delete one, checked as the entry dialog and the collision checks of the window check.

#include <memory>
#include <optional>
#include <string>

#include "library/io_configuration.h"
#include "library/io_entry.h"
#include "library/io_module_list.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/terminal_text.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

struct IoArgs {
  std::string project;
  std::string add;
  std::vector<std::string> set;  // N and the entry
  int remove = -1;
};

// zelc shows no dialog: a collision found while loading cannot be corrected here, so the
// entry dialog counts as cancelled and the questions decide (--yes drops the entry).
class NoDialog : public library::IoEntryEditor {
 public:
  std::optional<library::IoEntry> edit(const library::IoEntry&, library::IoField) override {
    return std::nullopt;
  }
};

std::optional<library::IoEntry> EntryArgument(const std::string& text) {
  auto entry = library::ParseIoEntry(FromTerminal(text));
  if (!entry) ReportError("Skipping '" + text + "'\n\nInvalid format of IO entry.");
  return entry;
}

std::optional<std::size_t> IndexArgument(const std::string& text, std::size_t count) {
  std::size_t used = 0;
  long long n = -1;
  try {
    n = std::stoll(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || n < 0 || static_cast<std::size_t>(n) >= count) {
    ReportError("No IO entry " + text + ".");
    return std::nullopt;
  }
  return static_cast<std::size_t>(n);
}

void List(const library::IoConfiguration& config, const library::IoModuleList& modules,
          std::ostream& out) {
  const auto raw = config.readRawEntries();
  for (std::size_t n = 0; n < raw.size(); ++n) {
    const auto entry = library::ParseIoEntry(raw[n]);
    const library::IoModuleScript* module = entry ? modules.find(entry->module) : nullptr;
    const std::string name = !entry   ? "Invalid format of IO entry."
                             : module ? module->displayName
                                      : "Unknown IO Module.";
    out << n << '\t' << Field(raw[n]) << '\t' << Field(name) << '\n';
  }
}

int Change(library::IoConfiguration& config, const IoArgs& args) {
  NoDialog noDialog;
  if (!config.load(noDialog)) return kFailed;
  std::optional<std::string> refusal;
  if (!args.add.empty()) {
    const auto entry = EntryArgument(args.add);
    if (!entry) return kFailed;
    refusal = config.add(*entry);
  } else if (!args.set.empty()) {
    const auto index = IndexArgument(args.set.at(0), config.entries().size());
    const auto entry = index ? EntryArgument(args.set.at(1)) : std::nullopt;
    if (!entry) return kFailed;
    refusal = config.replace(*index, *entry);
  } else {
    const auto index = IndexArgument(std::to_string(args.remove), config.entries().size());
    if (!index) return kFailed;
    config.remove({*index});
  }
  if (refusal) {
    ReportError(*refusal);
    return kFailed;
  }
  return 0;
}

int IoCommand(const GlobalOptions& options, std::ostream& out, const IoArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace) return kFailed;
  const bool changing = !args.add.empty() || !args.set.empty() || args.remove >= 0;
  if (!(changing ? workspace->openForChange(args.project)
                 : workspace->openForReading(args.project)))
    return kFailed;
  const std::string type = workspace->model().target();
  const auto modules = library::LoadIoModules(options.workDir, type);
  library::IoConfiguration config(workspace->model().file(), type, modules);
  if (changing) {
    if (const int status = Change(config, args); status != 0) return status;
  }
  List(config, modules, out);
  return 0;
}

}  // namespace

void AddIoCommands(CLI::App& app, CommandAction& chosen) {
  auto args = std::make_shared<IoArgs>();
  auto* sub = app.add_subcommand("io", "Show or change a project's IO configuration");
  sub->add_option("-p,--project", args->project, "The project")->required();
  auto* add = sub->add_option("--add", args->add, "Append the entry \"MOD,SW,IW,OW\"");
  auto* set = sub->add_option("--set", args->set, "Replace entry N by \"MOD,SW,IW,OW\"")
                  ->expected(2)
                  ->type_name("N ENTRY");
  auto* remove = sub->add_option("--delete", args->remove, "Delete entry N");
  add->excludes(set)->excludes(remove);
  set->excludes(remove);
  WhenChosen(sub, chosen, [args](const GlobalOptions& o, std::ostream& out) {
    return IoCommand(o, out, *args);
  });
}

}  // namespace zel::zelc
