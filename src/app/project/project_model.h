#pragma once
// The one open project: its name, its file, its exclusion file and its module list.
// Everything else about the project is read from the file when needed.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/modules/module.h"
#include "app/project/exclusion_file.h"
#include "app/project/project_attachment.h"
#include "app/project/project_file.h"

namespace zel::app {

class ProjectModel {
 public:
  bool isOpen() const { return !m_name.empty(); }
  const std::string& name() const { return m_name; }
  fs::path directory() const { return m_file.directory(); }
  const fs::path& projectFilePath() const { return m_file.path(); }
  const ProjectFile& file() const { return m_file; }
  std::string target() const { return m_file.target(); }

  // Called by the project operations once the exclusion file is held.
  void open(std::string name, const fs::path& projectDirectory, ExclusionFile exclusion);
  void close();  // drops the modules, closes and deletes the exclusion file

  // Attachments hear of every open and close from now on (not of one already open);
  // each must be detached before it dies. Attaching twice is the same as once.
  void attach(ProjectAttachment* attachment);
  void detach(ProjectAttachment* attachment);

  // Section "MODULES": keys "SRC_0", "SRC_1", ... up to the first missing or empty one;
  // entries that do not parse are dropped.
  void loadModules();
  bool saveModules() const;  // rewrites the whole section in model order

  const std::vector<ModuleRecord>& modules() const { return m_modules; }
  void addModule(ModuleRecord module);
  bool removeModule(std::string_view fileName);  // ignoring case
  bool replaceModule(std::string_view fileName, ModuleRecord replacement);
  const ModuleRecord* moduleAt(std::size_t index) const;
  ModuleRecord* findModule(Language language, ModuleKind kind, int number, int version);
  // File name equal ignoring case, or its first eight characters equal ignoring case.
  ModuleRecord* findModuleByName(std::string_view name);

  fs::path modulePath(const ModuleRecord& module) const;
  fs::path objectPath(const ModuleRecord& module, std::string_view type = {}) const;
  fs::path logPath(const ModuleRecord& module) const;
  fs::path mfuPath(const ModuleRecord& module) const;
  fs::path backupPath(const ModuleRecord& module) const;
  fs::path xrefPath(const ModuleRecord& module) const;

 private:
  std::string m_name;
  ProjectFile m_file{fs::path{}};
  ExclusionFile m_exclusion;
  std::vector<ModuleRecord> m_modules;
  std::vector<ProjectAttachment*> m_attachments;  // not owned
};

}  // namespace zel::app
