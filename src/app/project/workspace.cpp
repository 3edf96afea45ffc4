#include "app/project/workspace.h"

#include "app/preferences/preference_checks.h"
#include "app/preferences/startup.h"
#include "app/project/project_messages.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace zel::app {

namespace {

std::optional<fs::path> ExistingDirectory(const Preferences& preferences) {
  const fs::path dir = preferences.projectDirectory();
  if (dir.empty() || !platform::IsDirectoryNoCase(dir)) return std::nullopt;
  return platform::ResolvePathNoCase(dir);
}

}  // namespace

std::optional<fs::path> CheckProjectDirectory(const Preferences& preferences,
                                              const AskForProjectDirectory& ask) {
  if (auto dir = ExistingDirectory(preferences)) return dir;
  if (ask) {
    const auto answer = platform::ShowMessageBox(
        std::string(kMsgEnterProjectPath), platform::Buttons::OkCancel, platform::Icon::Warning);
    if (answer == platform::Answer::Ok) ask();
    if (auto dir = ExistingDirectory(preferences)) return dir;
  }
  platform::ShowMessageBox(std::string(kMsgNoValidProjectPath), platform::Buttons::Ok,
                           platform::Icon::Error);
  return std::nullopt;
}

Workspace::Workspace(Preferences preferences, fs::path projectDirectory)
    : m_preferences(std::move(preferences)),
      m_session(m_preferences.file(), std::move(projectDirectory)) {}

Workspace::~Workspace() {
  m_session.closeProject();
}

std::unique_ptr<Workspace> Workspace::open(const fs::path& programDirectory) {
  Preferences preferences(programDirectory);
  // Time stamps written here must compare with those the desktop program writes.
  SetUpTimeBase(preferences);
  auto dir = CheckProjectDirectory(preferences, nullptr);
  if (!dir) return nullptr;
  return std::unique_ptr<Workspace>(new Workspace(std::move(preferences), std::move(*dir)));
}

bool Workspace::openForChange(std::string_view name) {
  return m_session.openProject(name);
}

bool Workspace::openForReading(std::string_view name) {
  const auto found = m_session.findProject(name);
  if (!found) {
    TellUser(kMsgProjectNotFound);
    return false;
  }
  m_session.model().open(*found, m_session.projectDirectory(), ExclusionFile{});
  return true;
}

}  // namespace zel::app
