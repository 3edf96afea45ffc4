#pragma once
// The project operations: list, open, close, create, change the settings of, rename,
// delete and copy the projects of one project directory, and the recent projects. Every
// question and failure goes to the user through the platform's message box service; the
// presenting program takes part only through ShellHooks.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/preferences/recent_projects.h"
#include "app/project/project_list.h"
#include "app/project/project_model.h"
#include "app/shell/shell_hooks.h"

namespace zel::app {

namespace fs = std::filesystem;

// The Project Settings dialog's comment field holds this many characters.
inline constexpr std::size_t kProjectCommentMax = 255;

class ProjectSession {
 public:
  // `hooks` may be null: the defaults then stand in (nothing to save, close or restore).
  ProjectSession(fs::path preferencesFile, fs::path projectDirectory, ShellHooks* hooks = nullptr);
  ~ProjectSession();
  ProjectSession(const ProjectSession&) = delete;
  ProjectSession& operator=(const ProjectSession&) = delete;

  const fs::path& projectDirectory() const { return m_projectDirectory; }
  // The caller closes the open project first.
  void setProjectDirectory(fs::path dir) { m_projectDirectory = std::move(dir); }
  ProjectModel& model() { return m_model; }
  const ProjectModel& model() const { return m_model; }

  std::vector<ProjectListEntry> listProjects(std::string_view typeFilterLabel, ProjectColumn column,
                                             bool descending) const;
  // A directory of the project directory holding a project file, both found without
  // regard to case.
  bool isProject(std::string_view name) const;
  // The name as the project's directory spells it; nullopt when it is no project.
  std::optional<std::string> findProject(std::string_view name) const;

  // Each returns false when it failed (the message was shown) or the user cancelled.
  bool openProject(std::string_view name);
  bool closeProject();
  bool newProject(std::string_view name);

  struct Settings {
    std::string name;
    std::string comment;
    std::string target;  // a type name or label
  };
  // The Project Settings dialog's OK for `project` (open or not).
  bool applySettings(std::string_view project, const Settings& changed);

  bool renameProject(std::string_view from, std::string_view to);
  // Asks first; deletes the project's files, leaves subdirectories alone.
  bool deleteProject(std::string_view name);
  bool copyProject(std::string_view from, std::string_view to);

  std::vector<std::string> recentProjects() const;
  bool openRecent(std::size_t index);  // 0-based

 private:
  bool isOpenProject(std::string_view name) const;
  // The name a new, renamed or copied project may take; tells the user why not.
  bool acceptNewName(std::string_view name) const;
  bool heldByOtherSession(const std::string& name) const;
  bool openClosedProject(const std::string& name);
  bool acquireExclusion(const std::string& name, ExclusionFile& out) const;
  bool renameDirectory(const std::string& from, std::string_view to) const;
  bool deleteProjectFiles(const std::string& name) const;
  bool copyProjectFiles(const std::string& from, std::string_view to) const;
  std::optional<std::string> resolveTarget(std::string_view target) const;
  fs::path projectPath(std::string_view name) const { return m_projectDirectory / name; }

  fs::path m_projectDirectory;
  ShellHooks m_defaultHooks;
  ShellHooks* m_hooks;
  RecentProjects m_recent;
  ProjectModel m_model;
};

}  // namespace zel::app
