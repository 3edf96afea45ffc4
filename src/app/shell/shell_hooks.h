#pragma once
// What the project operations need from whoever presents them. The desktop program
// implements these with its windows; the command-line front end and the tests use the
// defaults, which have no windows to save, close or restore.

#include <string_view>

#include "app/modules/module.h"
#include "app/project/project_model.h"

namespace zel::app {

class ShellHooks {
 public:
  virtual ~ShellHooks() = default;
  // Asks to save modified documents; false when the user cancelled (the operation that
  // needed the close stops).
  virtual bool saveModifiedDocuments() { return true; }
  // Before the project closes: write its open windows into section "WINDOWS".
  virtual void saveWindows(const ProjectModel& /*model*/) {}
  virtual void closeAllDocuments() {}
  // After a project opened: reopen the windows of section "WINDOWS".
  virtual void restoreWindows(const ProjectModel& /*model*/) {}
  // Title, tree and menus follow the open project (or its absence).
  virtual void projectChanged(const ProjectModel& /*model*/) {}
  virtual void resetProjectTreePlacement() {}
  // Module editors.
  virtual void openModule(const ModuleRecord& /*module*/) {}
  virtual void saveModuleEditor(const ModuleRecord& /*module*/) {}
  virtual void closeModuleEditor(const ModuleRecord& /*module*/) {}
  virtual void moduleRenamed(const ModuleRecord& /*from*/, const ModuleRecord& /*to*/) {}
};

}  // namespace zel::app
