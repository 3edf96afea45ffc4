#include "library/project_scripts.h"

namespace zel::library {

ProjectScripts::ProjectScripts(app::ProjectModel& model, std::filesystem::path programDirectory)
    : m_model(model), m_programDirectory(std::move(programDirectory)) {
  m_model.attach(this);
  if (m_model.isOpen()) projectOpened(m_model);
}

ProjectScripts::~ProjectScripts() {
  m_model.detach(this);
}

void ProjectScripts::reload() {
  if (m_model.isOpen())
    projectOpened(m_model);
  else
    clear();
}

void ProjectScripts::projectOpened(const app::ProjectModel& model) {
  m_drivers.load(m_programDirectory, model.target());
  m_ioModules = LoadIoModules(m_programDirectory, model.target());
}

void ProjectScripts::projectClosing(const app::ProjectModel& /*model*/) {
  clear();
}

void ProjectScripts::clear() {
  m_drivers.clear();
  m_ioModules.clear();
}

}  // namespace zel::library
