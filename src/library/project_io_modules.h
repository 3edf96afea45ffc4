#pragma once
// The IO module scripts of the open project's controller type, kept while the project is
// open: loaded when it opens (reporting scripts that cannot be read or do not parse),
// freed when it closes.

#include <filesystem>

#include "app/project/project_attachment.h"
#include "app/project/project_model.h"
#include "library/io_module_list.h"

namespace zel::library {

// Every "*.iod" of the type's run-time library folder in `programDirectory`.
IoModuleList LoadIoModules(const std::filesystem::path& programDirectory, std::string_view type);

class ProjectIoModules : public app::ProjectAttachment {
 public:
  ProjectIoModules(app::ProjectModel& model, std::filesystem::path programDirectory);
  ~ProjectIoModules() override;
  ProjectIoModules(const ProjectIoModules&) = delete;
  ProjectIoModules& operator=(const ProjectIoModules&) = delete;

  // Empty while no project is open.
  const IoModuleList& modules() const { return m_modules; }
  // Reads the folder again (after an install or deinstall).
  void reload();

  void projectOpened(const app::ProjectModel& model) override;
  void projectClosing(const app::ProjectModel& model) override;

 private:
  app::ProjectModel& m_model;
  std::filesystem::path m_programDirectory;
  IoModuleList m_modules;
};

}  // namespace zel::library
