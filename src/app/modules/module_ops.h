#pragma once
// The commands on a project's programs, CMPs and CFMs: insert, change properties,
// delete, open, and the download selection. They ask their questions through the
// platform's message box host, keep the model and section "MODULES" in step, and tell
// the shell what changed through its hooks.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/modules/module.h"
#include "app/modules/module_entry.h"
#include "app/project/project_model.h"
#include "app/shell/shell_hooks.h"

namespace zel::app {

enum class ModuleEditOutcome {
  Done,
  Refused,   // the entry was refused with a message; the dialog stays open
  Declined,  // the user would not overwrite; the dialog stays open
  Failed,    // a file operation failed and was reported; nothing more to do
};

struct ModuleEditResult {
  ModuleEditOutcome outcome = ModuleEditOutcome::Done;
  std::optional<ModuleRecord> module;  // the new or changed record when Done
  bool keepDialogOpen() const {
    return outcome == ModuleEditOutcome::Refused || outcome == ModuleEditOutcome::Declined;
  }
};

// One row of the "Select Programs for Download" dialog as it is confirmed.
struct DownloadChoice {
  std::string fileName;
  bool selected = false;
};

enum class OpenAction { OpenEditor, RefuseImported };
OpenAction OpenActionFor(const ModuleRecord& module);

class ModuleOperations {
 public:
  // `hooks` may be null: then nothing outside the model is told.
  ModuleOperations(ProjectModel& model, ShellHooks* hooks);

  ModuleEditResult insertModule(const ModuleEntry& entry);
  // Applies the properties dialog's entry to the module named `fileName`.
  ModuleEditResult applyProperties(std::string_view fileName, const ModuleEntry& entry);
  // Asks first; true when the module was deleted.
  bool deleteModule(std::string_view fileName);
  // Deletes without asking (the user already agreed to overwrite it).
  void removeModule(ModuleRecord module);
  // Opens the module's editor, or says why it cannot be opened; false then.
  bool openModule(std::string_view fileName);

  bool toggleDownloadSelection(std::string_view fileName);
  // OK of "Select Programs for Download"; unlike a toggle it leaves "TIMESTAMP" alone.
  void applyDownloadSelection(const std::vector<DownloadChoice>& choices);

 private:
  ShellHooks& hooks() { return m_hooks ? *m_hooks : m_noHooks; }
  // Asks whether a module with `entry`'s identity may be overwritten and deletes it.
  // False when the user said No.
  bool clearIdentity(const ModuleEntry& entry);
  bool provideSource(const ModuleRecord& module);
  const ModuleRecord* previousVersion(const ModuleRecord& module);
  ModuleEditResult renameModule(const ModuleRecord& module, const ModuleEntry& entry);
  void modulesChanged();

  ProjectModel& m_model;
  ShellHooks* m_hooks;
  ShellHooks m_noHooks;
};

}  // namespace zel::app
