// Project commands: list, create, change settings, delete and copy projects.

#include <optional>
#include <string>

#include "app/project/controller_type.h"
#include "app/project/project_file.h"
#include "app/project/project_list.h"
#include "app/project/project_messages.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/terminal_text.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {

namespace {

bool IsKnownTypeFilter(std::string_view filter) {
  return filter == app::kAllTypesLabel || app::ParseControllerType(filter) ||
         app::ControllerTypeFromLabel(filter);
}

int ListProjectsCommand(const GlobalOptions& options, std::ostream& out,
                        const std::string& typeFilter) {
  auto workspace = Workspace::open(options.workDir);
  if (!workspace) return kFailed;
  const std::string filter = typeFilter.empty() ? std::string(app::kAllTypesLabel) : typeFilter;
  if (!IsKnownTypeFilter(filter)) {
    ReportError("Unknown controller type '" + filter +
                "'. Use (all), RUD Compact, RUD Standard, VM0X, VM1X or VM2X.");
    return kFailed;
  }
  for (const auto& entry :
       workspace->session().listProjects(filter, app::ProjectColumn::Name, false)) {
    out << Field(entry.name) << '\t' << Field(entry.comment) << '\t' << app::TypeLabel(entry.target)
        << '\n';
  }
  return 0;
}

struct SettingsChange {
  std::string project;
  std::optional<std::string> comment;
  std::optional<std::string> type;
  std::optional<std::string> rename;
};

bool ApplySettings(app::ProjectSession& session, const SettingsChange& change) {
  const auto name = session.findProject(change.project);
  if (!name) {
    ReportError(app::kMsgProjectNotFound);
    return false;
  }
  const auto file = app::ProjectFile::ofProject(session.projectDirectory(), *name);
  app::ProjectSession::Settings settings{
      change.rename.value_or(*name),
      change.comment ? FromTerminal(*change.comment) : file.comment(),
      // No type given keeps the stored one, even a type this program does not know.
      change.type.value_or(std::string())};
  return session.applySettings(*name, settings);
}

}  // namespace

void AddProjectCommands(CLI::App& app, CommandAction& chosen) {
  auto typeFilter = std::make_shared<std::string>();
  auto* projects = app.add_subcommand("projects", "List the projects: name, comment, type");
  projects->add_option("--type", *typeFilter, "Only projects of this type (label or name)");
  WhenChosen(projects, chosen, [typeFilter](const GlobalOptions& o, std::ostream& out) {
    return ListProjectsCommand(o, out, *typeFilter);
  });

  auto names = std::make_shared<std::pair<std::string, std::string>>();
  auto* create = app.add_subcommand("new", "Create a project (type VM1X, then see 'settings')");
  create->add_option("NAME", names->first)->required();
  WhenChosen(create, chosen, [names](const GlobalOptions& o, std::ostream&) {
    return OnSession(o, [&](app::ProjectSession& s) { return s.newProject(names->first); });
  });

  auto change = std::make_shared<SettingsChange>();
  auto* settings = app.add_subcommand("settings", "Change a project's comment, type or name");
  settings->add_option("NAME", change->project)->required();
  settings->add_option("--comment", change->comment, "The new comment");
  settings->add_option("--type", change->type, "The new controller type (label or name)");
  settings->add_option("--rename", change->rename, "The new name");
  WhenChosen(settings, chosen, [change](const GlobalOptions& o, std::ostream&) {
    return OnSession(o, [&](app::ProjectSession& s) { return ApplySettings(s, *change); });
  });

  auto* remove = app.add_subcommand("delete", "Delete a project (asks first)");
  remove->add_option("NAME", names->first)->required();
  WhenChosen(remove, chosen, [names](const GlobalOptions& o, std::ostream&) {
    return OnSession(o, [&](app::ProjectSession& s) { return s.deleteProject(names->first); });
  });

  auto* copy = app.add_subcommand("copy", "Copy a project to a new name");
  copy->add_option("NAME", names->first)->required();
  copy->add_option("NEW", names->second)->required();
  WhenChosen(copy, chosen, [names](const GlobalOptions& o, std::ostream&) {
    return OnSession(
        o, [&](app::ProjectSession& s) { return s.copyProject(names->first, names->second); });
  });
}

}  // namespace zel::zelc
