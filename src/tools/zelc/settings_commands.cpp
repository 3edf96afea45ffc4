// Controller settings from the command line: show every key with its effective value,
// change keys through the schema the dialog checks with, print the summary.

#include <memory>
#include <string>
#include <vector>

#include "app/settings/controller_settings.h"
#include "app/settings/controller_settings_summary.h"
#include "app/settings/settings_schema.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/terminal_text.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

using Values = app::ControllerSettingsValues;

// Takes every KEY=VALUE into `edited`; false (reported) at the first one refused.
bool TakeAssignments(const std::vector<std::string>& assignments, std::string_view type,
                     Values& edited) {
  for (const auto& assignment : assignments) {
    const auto eq = assignment.find('=');
    const app::SettingKey* key =
        eq == std::string::npos ? nullptr : app::FindSettingKey(assignment.substr(0, eq));
    if (!key) {
      ReportError("'" + assignment +
                  "'\n\nExpected KEY=VALUE with one of the controller settings keys.");
      return false;
    }
    const std::string value = FromTerminal(std::string_view(assignment).substr(eq + 1));
    if (const auto refusal = app::ParseSetting(*key, value, type, edited)) {
      ReportError(std::string(key->name) + ": " + *refusal);
      return false;
    }
  }
  return true;
}

struct SettingsArgs {
  std::string project;
  std::vector<std::string> assignments;
  bool summary = false;
};

int SettingsCommand(const GlobalOptions& options, std::ostream& out, const SettingsArgs& args) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace) return kFailed;
  const bool changing = !args.assignments.empty();
  if (!(changing ? workspace->openForChange(args.project)
                 : workspace->openForReading(args.project)))
    return kFailed;
  const app::ControllerSettings settings(workspace->model().file());
  const Values read = settings.read();
  if (changing) {
    Values edited = read;
    if (!TakeAssignments(args.assignments, settings.type(), edited)) return kFailed;
    if (!app::CheckSettings(edited)) return kFailed;
    settings.apply(read, edited);
  }
  if (args.summary) {
    out << ToTerminal(app::SettingsSummary(settings.read()));
  } else if (!changing) {
    const Values values = settings.read();
    for (const auto& key : app::SettingsSchema())
      out << key.name << '=' << Field(app::FormatSetting(key, values)) << '\n';
  }
  return 0;
}

}  // namespace

void AddSettingsCommands(CLI::App& app, CommandAction& chosen) {
  auto args = std::make_shared<SettingsArgs>();
  auto* sub =
      app.add_subcommand("controller-settings", "Show or change a project's controller settings");
  sub->add_option("-p,--project", args->project, "The project")->required();
  sub->add_option("--set", args->assignments, "KEY=VALUE, checked as the dialog checks it")
      ->allow_extra_args(false);
  sub->add_flag("--summary", args->summary, "Print the settings summary");
  WhenChosen(sub, chosen, [args](const GlobalOptions& o, std::ostream& out) {
    return SettingsCommand(o, out, *args);
  });
}

}  // namespace zel::zelc
