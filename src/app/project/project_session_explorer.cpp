// The project explorer's operations on whole projects: rename, delete and copy.

#include "app/project/exclusion_file.h"
#include "app/project/project_messages.h"
#include "app/project/project_naming.h"
#include "app/project/project_session.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/no_case.h"

namespace zel::app {

namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

bool IsPlainFile(const platform::DirEntry& entry) {
  return !entry.isDirectory;
}

}  // namespace

bool ProjectSession::heldByOtherSession(const std::string& name) const {
  if (isOpenProject(name)) return false;
  const auto file = platform::FindPathNoCase(projectPath(name) / kExclusionFileName);
  return file && IsExclusionFileHeld(*file);
}

bool ProjectSession::renameProject(std::string_view from, std::string_view to) {
  const auto source = findProject(from);
  if (!source) {
    TellUser(kMsgProjectNotFound);
    return false;
  }
  if (platform::EqualsNoCase(*source, to)) return true;
  if (!acceptNewName(to)) return false;
  const bool wasOpen = isOpenProject(*source);
  if (wasOpen && !closeProject()) return false;
  const bool renamed = renameDirectory(*source, to);
  if (wasOpen) openClosedProject(renamed ? std::string(to) : *source);
  return renamed;
}

// rename() would replace an empty directory of the new name, and on this platform it
// would move a project away from under another running program: both are refused.
bool ProjectSession::renameDirectory(const std::string& from, std::string_view to) const {
  if (platform::PathExistsNoCase(projectPath(to)) || heldByOtherSession(from) ||
      !platform::MoveFileTo(projectPath(from), projectPath(to))) {
    TellUser(kMsgRenameProjectDirFailed);
    return false;
  }
  return true;
}

bool ProjectSession::deleteProject(std::string_view name) {
  const auto project = findProject(name);
  if (!project) {
    TellUser(kMsgProjectNotFound);
    return false;
  }
  const Answer answer = platform::ShowMessageBox(FillText(kMsgConfirmDeleteProject, *project),
                                                 Buttons::YesNo, Icon::Question);
  if (answer != Answer::Yes) return false;
  if (isOpenProject(*project) && !closeProject()) return false;
  return deleteProjectFiles(*project);
}

// The project file goes last, so a project whose delete failed half-way is still a
// project the user can see and delete again.
bool ProjectSession::deleteProjectFiles(const std::string& name) const {
  const fs::path dir = projectPath(name);
  if (heldByOtherSession(name)) {
    TellUser(FillText(kMsgDeleteFileFailed, (dir / kExclusionFileName).string()));
    return false;
  }
  std::optional<fs::path> projectFile;
  for (const auto& entry : platform::ListDirectory(dir)) {
    if (!IsPlainFile(entry)) continue;
    const fs::path file = dir / entry.name;
    if (platform::EqualsNoCase(entry.name, kProjectFileName)) {
      projectFile = file;
      continue;
    }
    if (!platform::DeleteFileAt(file)) {
      TellUser(FillText(kMsgDeleteFileFailed, file.string()));
      return false;
    }
  }
  if (projectFile && !platform::DeleteFileAt(*projectFile)) {
    TellUser(FillText(kMsgDeleteFileFailed, projectFile->string()));
    return false;
  }
  platform::RemoveDirectoryAt(dir);  // stays when it holds subdirectories
  return true;
}

bool ProjectSession::copyProject(std::string_view from, std::string_view to) {
  const auto source = findProject(from);
  if (!source) {
    TellUser(kMsgProjectNotFound);
    return false;
  }
  if (!acceptNewName(to)) return false;
  const bool wasOpen = isOpenProject(*source);
  if (wasOpen && !closeProject()) return false;
  const bool copied = copyProjectFiles(*source, to);
  if (wasOpen) openClosedProject(copied ? std::string(to) : *source);
  return copied;
}

// Another program's exclusion file is not copied: the copy is open nowhere.
bool ProjectSession::copyProjectFiles(const std::string& from, std::string_view to) const {
  const fs::path target = projectPath(to);
  if (platform::PathExistsNoCase(target) || !platform::CreateDirectoryAt(target)) {
    TellUser(kMsgCreateProjectDirFailed);
    return false;
  }
  const fs::path source = projectPath(from);
  for (const auto& entry : platform::ListDirectory(source)) {
    if (!IsPlainFile(entry) || platform::EqualsNoCase(entry.name, kExclusionFileName)) continue;
    if (!platform::CopyFileTo(source / entry.name, target / entry.name, false)) {
      TellUser(FillText(kMsgCopyFileFailed, (source / entry.name).string()));
      return false;
    }
  }
  return true;
}

}  // namespace zel::app
