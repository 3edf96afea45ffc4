#include "tools/zelc/workspace.h"

#include "app/preferences/startup.h"
#include "app/project/project_messages.h"
#include "app/project/project_model.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace zel::zelc {

void ReportError(std::string_view text) {
  platform::ShowMessageBox(std::string(text), platform::Buttons::Ok, platform::Icon::Error);
}

Workspace::Workspace(const fs::path& workDir, fs::path projectDirectory)
    : m_preferences(workDir),
      m_session(m_preferences.file(), std::move(projectDirectory), nullptr) {}

Workspace::~Workspace() {
  m_session.closeProject();
}

std::unique_ptr<Workspace> Workspace::open(const fs::path& workDir) {
  const app::Preferences preferences(workDir);
  // Time stamps written by zelc must compare with those the desktop program writes.
  app::SetUpTimeBase(preferences);
  const fs::path projectDirectory = preferences.projectDirectory();
  if (projectDirectory.empty() || !platform::IsDirectoryNoCase(projectDirectory)) {
    ReportError(app::kMsgNoValidProjectPath);
    return nullptr;
  }
  return std::unique_ptr<Workspace>(
      new Workspace(workDir, platform::ResolvePathNoCase(projectDirectory)));
}

int OnSession(const GlobalOptions& options,
              const std::function<bool(app::ProjectSession&)>& operation) {
  auto workspace = Workspace::open(options.workDir);
  return workspace && operation(workspace->session()) ? 0 : kFailed;
}

bool Workspace::openForChange(std::string_view name) {
  return m_session.openProject(name);
}

bool Workspace::openForReading(std::string_view name) {
  const auto found = m_session.findProject(name);
  if (!found) {
    ReportError(app::kMsgProjectNotFound);
    return false;
  }
  m_session.model().open(*found, m_session.projectDirectory(), app::ExclusionFile{});
  return true;
}

}  // namespace zel::zelc
