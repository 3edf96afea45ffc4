#include "app/project/project_session.h"

#include "app/project/controller_type.h"
#include "app/project/new_project_file.h"
#include "app/project/project_messages.h"
#include "app/project/project_naming.h"
#include "app/shell/message_service.h"
#include "app/text/text_format.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/no_case.h"
#include "platform/timebase.h"

namespace zel::app {

namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

}  // namespace

ProjectSession::ProjectSession(fs::path preferencesFile, fs::path projectDirectory,
                               ShellHooks* hooks)
    : m_projectDirectory(std::move(projectDirectory)),
      m_hooks(hooks ? hooks : &m_defaultHooks),
      m_recent(std::move(preferencesFile)) {}

ProjectSession::~ProjectSession() = default;

std::vector<ProjectListEntry> ProjectSession::listProjects(std::string_view typeFilterLabel,
                                                           ProjectColumn column,
                                                           bool descending) const {
  return ListProjects(m_projectDirectory, typeFilterLabel, column, descending);
}

std::optional<std::string> ProjectSession::findProject(std::string_view name) const {
  if (!IsSafeDirectoryName(name)) return std::nullopt;
  const auto dir = platform::FindPathNoCase(projectPath(name));
  if (!dir || !ProjectFile::ofProject(m_projectDirectory, name).exists()) return std::nullopt;
  return dir->filename().string();
}

bool ProjectSession::isProject(std::string_view name) const {
  return findProject(name).has_value();
}

bool ProjectSession::isOpenProject(std::string_view name) const {
  return m_model.isOpen() && platform::EqualsNoCase(m_model.name(), name);
}

bool ProjectSession::openProject(std::string_view name) {
  const auto found = findProject(name);
  if (!found) {
    TellUser(kMsgProjectNotFound);
    return false;
  }
  if (!closeProject()) return false;
  return openClosedProject(*found);
}

bool ProjectSession::openClosedProject(const std::string& name) {
  ExclusionFile exclusion;
  if (!acquireExclusion(name, exclusion)) return false;
  m_model.open(name, m_projectDirectory, std::move(exclusion));
  m_hooks->restoreWindows(m_model);
  m_hooks->projectChanged(m_model);
  m_recent.add((m_projectDirectory / name).generic_string());
  return true;
}

// The file's advisory lock tells a live holder from a program that ended without closing
// the project: only a live holder is worth a question, a stale file is simply taken over.
bool ProjectSession::acquireExclusion(const std::string& name, ExclusionFile& out) const {
  const fs::path file = projectPath(name) / kExclusionFileName;
  bool tookOver = false;
  while (const auto existing = platform::FindPathNoCase(file)) {
    if (!IsExclusionFileHeld(*existing)) {
      tookOver = true;
      // Creating the file anew takes over one that cannot be deleted.
      platform::DeleteFileAt(*existing);
      break;
    }
    const Answer answer = platform::ShowMessageBox(std::string(kMsgProjectOpenElsewhere),
                                                   Buttons::AbortRetryIgnore, Icon::Warning);
    if (answer == Answer::Retry) continue;
    if (answer != Answer::Ignore) return false;
    // Creating the file anew takes over one that cannot be deleted.
    if (!platform::DeleteFileAt(*existing)) break;
  }
  switch (ExclusionFile::create(platform::ResolvePathNoCase(file), out)) {
    case ExclusionFile::CreateResult::Ok:
      if (tookOver) {
        ShowMessageWindow(false);
        PrintMessage("%s\r\n", FillText(kMsgStaleExclusionTakenOver, name).c_str());
      }
      return true;
    case ExclusionFile::CreateResult::CannotCreate:
      TellUser(kMsgCreateExclusionFailed);
      return false;
    case ExclusionFile::CreateResult::CannotWrite:
      TellUser(kMsgWriteExclusionFailed);
      return false;
  }
  return false;
}

bool ProjectSession::closeProject() {
  if (!m_model.isOpen()) return true;
  if (!m_hooks->saveModifiedDocuments()) return false;
  m_hooks->saveWindows(m_model);
  m_hooks->closeAllDocuments();
  m_model.close();
  m_hooks->projectChanged(m_model);
  return true;
}

bool ProjectSession::acceptNewName(std::string_view name) const {
  if (const auto refusal = CheckNewProjectName(name)) {
    TellUser(*refusal);
    return false;
  }
  if (isProject(name)) {
    TellUser(kMsgProjectExists);
    return false;
  }
  return true;
}

bool ProjectSession::newProject(std::string_view name) {
  if (!acceptNewName(name)) return false;
  const fs::path dir = projectPath(name);
  if (platform::IsDirectoryNoCase(dir)) {
    TellUser(kMsgDirectoryExists);
    return false;
  }
  // A file of that name, in any case, would make a second entry that differs in case only.
  if (platform::PathExistsNoCase(dir) || !platform::CreateDirectoryAt(dir)) {
    TellUser(kMsgCreateProjectDirFailed);
    return false;
  }
  WriteNewProjectFile(ProjectFile::ofProject(m_projectDirectory, name), platform::Now());
  if (!platform::WriteFileAtomically(dir / kDocFileName, {})) {
    TellUser(kMsgCreateDocFileFailed);
    return false;
  }
  if (!openProject(name)) return false;
  m_hooks->resetProjectTreePlacement();
  return true;
}

std::optional<std::string> ProjectSession::resolveTarget(std::string_view target) const {
  auto type = ParseControllerType(target);
  if (!type) type = ControllerTypeFromLabel(target);
  if (!type) return std::nullopt;
  return std::string(Info(*type).name);
}

bool ProjectSession::applySettings(std::string_view project, const Settings& changed) {
  auto name = findProject(project);
  if (!name) {
    TellUser(kMsgProjectNotFound);
    return false;
  }
  if (changed.name.empty()) {
    TellUser(kMsgEnterProjectName);
    return false;
  }
  // An empty type leaves the project's type as it is.
  std::optional<std::string> target;
  if (!changed.target.empty()) {
    target = resolveTarget(changed.target);
    if (!target) {
      TellUser(FillText(kMsgUnknownControllerType, changed.target));
      return false;
    }
  }
  if (!platform::EqualsNoCase(changed.name, *name)) {
    if (!renameProject(*name, changed.name)) return false;
    name = findProject(changed.name);
    if (!name) return false;
  }
  const bool open = isOpenProject(*name);
  const ProjectFile file = ProjectFile::ofProject(m_projectDirectory, *name);
  file.setComment(StorableComment(changed.comment.substr(0, kProjectCommentMax)));
  if (open) m_hooks->projectChanged(m_model);
  if (!target || platform::EqualsNoCase(file.target(), *target)) return true;
  // The settings, IO and driver sections of the new type apply from the next open on.
  if (open && !closeProject()) return false;
  file.setTarget(*target);
  return open ? openClosedProject(*name) : true;
}

std::vector<std::string> ProjectSession::recentProjects() const {
  return m_recent.entries();
}

bool ProjectSession::openRecent(std::size_t index) {
  const std::vector<std::string> entries = m_recent.entries();
  if (index >= entries.size()) return false;
  if (!closeProject()) return false;
  const std::string& entry = entries[index];
  const auto name = findProject(ProjectNameOfRecentEntry(entry));
  if (!name) {
    TellUser(kMsgProjectNotFound);
    m_recent.remove(entry);
    return false;
  }
  if (!openClosedProject(*name)) {
    m_recent.remove(entry);
    return false;
  }
  return true;
}

}  // namespace zel::app
