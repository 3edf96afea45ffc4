#pragma once
// The scripts of the open project's controller type, its drivers and its IO modules, kept
// while the project is open: loaded when it opens (reporting scripts that cannot be read or
// do not parse), freed when it closes. A program that works on a project's drivers or IO
// modules makes one over its project model for as long as it runs; when the model already
// holds a project, the scripts are loaded at once.

#include <filesystem>

#include "app/project/project_attachment.h"
#include "app/project/project_model.h"
#include "library/driver_list.h"
#include "library/io_module_list.h"

namespace zel::library {

class ProjectScripts : public app::ProjectAttachment {
 public:
  ProjectScripts(app::ProjectModel& model, std::filesystem::path programDirectory);
  ~ProjectScripts() override;
  ProjectScripts(const ProjectScripts&) = delete;
  ProjectScripts& operator=(const ProjectScripts&) = delete;

  const std::filesystem::path& programDirectory() const { return m_programDirectory; }
  // The installed drivers and IO modules of the open project's type; empty while no
  // project is open.
  const DriverList& drivers() const { return m_drivers; }
  const IoModuleList& ioModules() const { return m_ioModules; }
  // Reads the folder again (after an install or deinstall).
  void reload();

  void projectOpened(const app::ProjectModel& model) override;
  void projectClosing(const app::ProjectModel& model) override;

 private:
  void clear();

  app::ProjectModel& m_model;
  std::filesystem::path m_programDirectory;
  DriverList m_drivers;
  IoModuleList m_ioModules;
};

}  // namespace zel::library
