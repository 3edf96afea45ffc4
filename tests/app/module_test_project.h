#pragma once
// A real project directory in a unique temporary directory, opened in a ProjectModel,
// with scripted message box answers and hooks that record what the shell was told.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/project/project_model.h"
#include "app/shell/shell_hooks.h"
#include "platform/message_box.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::app::testing {

namespace fs = std::filesystem;

class RecordingHooks : public ShellHooks {
 public:
  void projectChanged(const ProjectModel& model) override;
  void openModule(const ModuleRecord& module) override;
  void saveModuleEditor(const ModuleRecord& module) override;
  void closeModuleEditor(const ModuleRecord& module) override;
  void moduleRenamed(const ModuleRecord& from, const ModuleRecord& to) override;

  std::vector<std::string> calls;
};

class ModuleProjectTest : public ::testing::Test {
 protected:
  static constexpr const char* kProjectName = "DEMO";

  void SetUp() override;
  void TearDown() override;

  // Writes section "MODULES" from `entries` and opens the project.
  void openProject(const std::vector<std::string>& entries);
  void writeFile(const std::string& name, const std::string& content = "x") const;
  std::string readFile(const std::string& name) const;
  bool hasFile(const std::string& name) const;  // exactly this spelling
  // Every file name in the project directory except the project and exclusion files.
  std::vector<std::string> moduleFiles() const;
  // The values of section "MODULES" as stored, in key order.
  std::vector<std::string> storedEntries() const;
  std::string projectValue(const std::string& key) const;
  void answer(platform::Answer a) { m_answers->push(a); }
  std::vector<std::string> texts() const { return m_answers->texts(); }

  // Made in SetUp and dropped in TearDown, so a test may start over by calling both.
  std::optional<test::TempDir> m_temp;
  std::optional<test::ScriptedAnswers> m_answers;
  fs::path m_root;
  fs::path m_dir;
  ProjectModel m_model;
  RecordingHooks m_hooks;
};

}  // namespace zel::app::testing
