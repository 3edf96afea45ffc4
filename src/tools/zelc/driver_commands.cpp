// A project's driver configuration from the command line: list the configured drivers
// with their option values, add and delete drivers, set options (checked as the Driver
// Options dialog checks them).

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/text/text_format.h"
#include "library/driver_config.h"
#include "library/driver_options_model.h"
#include "library/library_messages.h"
#include "library/project_scripts.h"
#include "platform/message_box.h"
#include "platform/no_case.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/terminal_text.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

struct DriversArgs {
  std::string project;
  std::vector<std::string> add;
  std::vector<std::pair<std::string, std::string>> set;  // driver, KEY=VALUE
  std::vector<std::string> remove;
};

void TellUnknown(std::string_view name) {
  platform::ShowMessageBox(app::FillText(library::kMsgUnknownDriver, name), platform::Buttons::Ok,
                           platform::Icon::Warning);
}

// The options model of an installed driver of the open project.
std::optional<library::DriverOptionsModel> OptionsOf(const library::ProjectScripts& scripts,
                                                     const app::ProjectModel& model,
                                                     std::string_view name) {
  return library::LoadDriverOptions(scripts.programDirectory(), model.file(), model.target(), name);
}

void PrintConfiguration(std::ostream& out, const library::ProjectScripts& scripts,
                        const app::ProjectModel& model) {
  const auto& file = model.file();
  for (const auto& name : library::ReadConfiguredDriverNames(file, model.target())) {
    const library::DriverInfo* driver = scripts.drivers().find(name);
    const library::DriverRow row = driver ? library::RowOf(*driver) : library::PlaceholderRow(name);
    out << Field(row.name) << '\t' << row.number << '\t' << Field(row.uses) << '\t'
        << Field(row.description) << '\n';
    const auto options = driver ? OptionsOf(scripts, model, name) : std::nullopt;
    if (options) {
      for (const auto& option : options->rows()) {
        out << "  " << Field(option.option.key) << '=' << Field(option.value) << '\n';
      }
    } else {
      for (const auto& [key, value] : library::ReadStoredOptions(file, model.target(), name)) {
        out << "  " << Field(key) << '=' << Field(value) << '\n';
      }
    }
  }
}

// Adds each driver with its options as the Options dialog's OK would store them.
bool AddDrivers(const std::vector<std::string>& names, library::DriverConfiguration& config,
                const library::ProjectScripts& scripts, const app::ProjectModel& model) {
  for (const auto& name : names) {
    if (!config.canInsertFrom(scripts.drivers())) return false;
    const library::DriverInfo* driver = scripts.drivers().find(name);
    if (!driver) {
      TellUnknown(name);
      return false;
    }
    if (!config.acceptNew(*driver)) return false;
    auto options = OptionsOf(scripts, model, driver->name);
    if (options && !options->empty()) {
      if (const auto refusal = options->validate()) {
        ReportError(options->rows()[refusal->row].option.key + ": " + refusal->message);
        return false;
      }
      if (!options->save()) return false;
    }
    if (!config.insert(*driver)) return false;
  }
  return true;
}

bool SetOptions(const std::vector<std::pair<std::string, std::string>>& sets,
                const library::DriverConfiguration& config, const library::ProjectScripts& scripts,
                const app::ProjectModel& model) {
  std::map<std::string, library::DriverOptionsModel> edited;
  for (const auto& [name, assignment] : sets) {
    const library::DriverRow* row = config.find(name);
    if (!row || !row->known) {
      TellUnknown(name);
      return false;
    }
    auto it = edited.find(row->name);
    if (it == edited.end()) {
      auto options = OptionsOf(scripts, model, row->name);
      if (!options) {
        TellUnknown(name);
        return false;
      }
      it = edited.emplace(row->name, std::move(*options)).first;
    }
    const auto eq = assignment.find('=');
    const auto index = eq == std::string::npos
                           ? std::nullopt
                           : it->second.findKey(std::string_view(assignment).substr(0, eq));
    if (!index) {
      ReportError("'" + assignment + "'\n\nExpected KEY=VALUE with an option key of driver '" +
                  row->name + "'.");
      return false;
    }
    it->second.setValue(*index, FromTerminal(std::string_view(assignment).substr(eq + 1)));
  }
  for (const auto& [name, options] : edited) {
    if (const auto refusal = options.validate()) {
      ReportError(name + " " + options.rows()[refusal->row].option.key + ": " + refusal->message);
      return false;
    }
  }
  for (const auto& [name, options] : edited) {
    if (!options.save()) return false;
  }
  return true;
}

int DriversCommand(const GlobalOptions& options, std::ostream& out, const DriversArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace) return kFailed;
  const bool changing = !args.add.empty() || !args.set.empty() || !args.remove.empty();
  if (!(changing ? workspace->openForChange(args.project)
                 : workspace->openForReading(args.project)))
    return kFailed;
  const auto& model = workspace->model();
  library::ProjectScripts scripts(workspace->model(), workspace->preferences().programDirectory());
  library::DriverConfiguration config(model.file(), model.target());
  config.load(scripts.drivers(), false);
  if (!AddDrivers(args.add, config, scripts, model)) return kFailed;
  if (!SetOptions(args.set, config, scripts, model)) return kFailed;
  for (const auto& name : args.remove) {
    if (!config.remove(name)) {
      TellUnknown(name);
      return kFailed;
    }
  }
  if (!changing) PrintConfiguration(out, scripts, model);
  return 0;
}

}  // namespace

void AddDriverCommands(CLI::App& app, CommandAction& chosen) {
  auto args = std::make_shared<DriversArgs>();
  auto* sub = app.add_subcommand("drivers", "Show or change a project's driver configuration");
  sub->add_option("-p,--project", args->project, "The project")->required();
  sub->add_option("--add", args->add, "Add an installed driver (its options at their defaults)")
      ->allow_extra_args(false);
  sub->add_option("--set", args->set, "NAME KEY=VALUE: set an option of a configured driver")
      ->allow_extra_args(false);
  sub->add_option("--delete", args->remove, "Remove a driver (its options stay stored)")
      ->allow_extra_args(false);
  WhenChosen(sub, chosen, [args](const GlobalOptions& o, std::ostream& out) {
    return DriversCommand(o, out, *args);
  });
}

}  // namespace zel::zelc
