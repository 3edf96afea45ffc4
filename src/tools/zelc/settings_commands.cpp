// Controller settings from the command line: show every key with its effective value,
// change keys through the same checks as the dialog, print the summary.

#include <charconv>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/settings/controller_settings.h"
#include "app/settings/controller_settings_summary.h"
#include "app/settings/settings_dialog_rules.h"
#include "platform/no_case.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/terminal_text.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

using Values = app::ControllerSettingsValues;

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<bool> ParseFlag(std::string_view text) {
  if (text == "1") return true;
  if (text == "0") return false;
  return std::nullopt;
}

// One row per key, in the order of the dialog's pages: how to show it and how to take a
// new value for it. A setter returns the refusal text, or nothing when it took the value.
struct KeyRow {
  std::string_view key;
  std::function<std::string(const Values&)> show;
  std::function<std::optional<std::string>(Values&, std::string_view, std::string_view type)> take;
};

std::string Bool(bool on) {
  return on ? "1" : "0";
}

std::optional<std::string> TakeFlag(bool& field, std::string_view text) {
  const auto flag = ParseFlag(text);
  if (!flag) return "Use 1 or 0.";
  field = *flag;
  return std::nullopt;
}

std::optional<std::string> TakeDrive(std::string& field, std::string_view text,
                                     std::string_view type) {
  if (!app::DialogRulesFor(type).drivesEnabled)
    return "The drives of controller type " + std::string(type) + " cannot be changed.";
  for (const auto drive : app::kDriveChoices) {
    if (platform::EqualsNoCase(drive, text)) {
      field = std::string(drive);
      return std::nullopt;
    }
  }
  return "Use one of the drives A, B, C or D.";
}

std::optional<std::string> TakeComPort(std::string& field, std::string_view text,
                                       std::string_view type) {
  const auto rules = app::DialogRulesFor(type);
  if (!rules.comPortEnabled)
    return "The controller COM port of controller type " + std::string(type) +
           " cannot be changed.";
  for (const auto& choice : rules.comPortChoices) {
    if (choice == text) {
      field = choice;
      return std::nullopt;
    }
  }
  std::string offered;
  for (const auto& choice : rules.comPortChoices) offered += (offered.empty() ? "" : ", ") + choice;
  return "Use one of the controller COM ports " + offered + ".";
}

const std::vector<KeyRow>& KeyRows() {
  using V = Values;
  using T = std::string_view;
  static const std::vector<KeyRow> rows = {
      {app::kKeyRunMode, [](const V& v) { return std::to_string(v.runMode); },
       [](V& v, T text, T) -> std::optional<std::string> {
         const auto n = ParseInt(text);
         if (!n || *n < 0 || *n > 31)
           return "Use a run mode from 0 to 31 (a sum of 1, 2, 4, 8, 16).";
         v.runMode = *n;
         return std::nullopt;
       }},
      {app::kKeyExternalInput, [](const V& v) { return v.externalInput; },
       [](V& v, T text, T) -> std::optional<std::string> {
         v.externalInput = std::string(text);
         return std::nullopt;
       }},
      {app::kKeyExternalOutput, [](const V& v) { return v.externalOutput; },
       [](V& v, T text, T) -> std::optional<std::string> {
         v.externalOutput = std::string(text);
         return std::nullopt;
       }},
      {app::kKeyErrorProgram, [](const V& v) { return std::to_string(v.errorProgram); },
       [](V& v, T text, T) -> std::optional<std::string> {
         const auto n = app::ParseErrorProgramEntry(text);
         if (!n) return "Please enter an integer.";
         v.errorProgram = *n;
         return std::nullopt;
       }},
      {app::kKeyDownloadStopPrograms, [](const V& v) { return Bool(v.downloadStopPrograms); },
       [](V& v, T text, T) { return TakeFlag(v.downloadStopPrograms, text); }},
      {app::kKeyDriveProject, [](const V& v) { return v.driveProject; },
       [](V& v, T text, T type) { return TakeDrive(v.driveProject, text, type); }},
      {app::kKeyDriveStartup, [](const V& v) { return v.driveStartup; },
       [](V& v, T text, T type) { return TakeDrive(v.driveStartup, text, type); }},
      {app::kKeyDriveKernel, [](const V& v) { return v.driveKernel; },
       [](V& v, T text, T type) { return TakeDrive(v.driveKernel, text, type); }},
      {app::kKeyKernelComPort, [](const V& v) { return v.kernelComPort; },
       [](V& v, T text, T type) { return TakeComPort(v.kernelComPort, text, type); }},
      {app::kKeyKernelParams, [](const V& v) { return v.kernelParams; },
       [](V& v, T text, T) -> std::optional<std::string> {
         v.kernelParams = std::string(text);
         return std::nullopt;
       }},
      {"PASSWORD", [](const V& v) { return v.password; },
       [](V& v, T text, T) -> std::optional<std::string> {
         v.password = std::string(text);
         return std::nullopt;
       }},
      {app::kKeyDownloadSources, [](const V& v) { return Bool(v.downloadSources); },
       [](V& v, T text, T) { return TakeFlag(v.downloadSources, text); }},
      {app::kKeyDownloadNewDrivers, [](const V& v) { return Bool(v.downloadNewDrivers); },
       [](V& v, T text, T) { return TakeFlag(v.downloadNewDrivers, text); }},
  };
  return rows;
}

const KeyRow* FindRow(std::string_view key) {
  for (const auto& row : KeyRows()) {
    if (platform::EqualsNoCase(row.key, key)) return &row;
  }
  return nullptr;
}

// Takes every KEY=VALUE into `edited`; false (reported) at the first one refused.
bool TakeAssignments(const std::vector<std::string>& assignments, std::string_view type,
                     Values& edited) {
  for (const auto& assignment : assignments) {
    const auto eq = assignment.find('=');
    const std::string key = assignment.substr(0, eq);
    const KeyRow* row = eq == std::string::npos ? nullptr : FindRow(key);
    if (!row) {
      ReportError("'" + assignment +
                  "'\n\nExpected KEY=VALUE with one of the controller settings keys.");
      return false;
    }
    if (const auto refusal =
            row->take(edited, FromTerminal(std::string_view(assignment).substr(eq + 1)), type)) {
      ReportError(std::string(row->key) + ": " + *refusal);
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
    if (!app::CheckRunModePage(edited)) return kFailed;
    settings.apply(read, edited);
  }
  if (args.summary) {
    out << ToTerminal(app::SettingsSummary(settings.read()));
  } else if (!changing) {
    const Values values = settings.read();
    for (const auto& row : KeyRows()) out << row.key << '=' << Field(row.show(values)) << '\n';
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
