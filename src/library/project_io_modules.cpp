#include "library/project_io_modules.h"

#include "library/runtime_folder.h"

namespace zel::library {

IoModuleList LoadIoModules(const std::filesystem::path& programDirectory, std::string_view type) {
  return LoadIoModulesFrom(RuntimeDirectory(programDirectory, type));
}

ProjectIoModules::ProjectIoModules(app::ProjectModel& model, std::filesystem::path programDirectory)
    : m_model(model), m_programDirectory(std::move(programDirectory)) {
  m_model.attach(this);
  if (m_model.isOpen()) projectOpened(m_model);
}

ProjectIoModules::~ProjectIoModules() {
  m_model.detach(this);
}

void ProjectIoModules::reload() {
  if (m_model.isOpen())
    projectOpened(m_model);
  else
    m_modules.clear();
}

void ProjectIoModules::projectOpened(const app::ProjectModel& model) {
  m_modules = LoadIoModules(m_programDirectory, model.target());
}

void ProjectIoModules::projectClosing(const app::ProjectModel& /*model*/) {
  m_modules.clear();
}

}  // namespace zel::library
