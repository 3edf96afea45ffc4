#pragma once
// A project directory in a unique temporary directory, a preferences file beside it and
// scripted message box answers; removed again after each test.

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::app::testing {

namespace fs = std::filesystem;

class ProjectRootTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // A directory with a "Project.FW4" holding TARGET and COMMENT.
  void makeProject(const std::string& name, const std::string& target = "VM1X",
                   const std::string& comment = "") const;
  void writeFile(const fs::path& relative, const std::string& content = "x") const;
  fs::path projectDir(const std::string& name) const { return m_projects / name; }
  fs::path projectFile(const std::string& name) const { return m_projects / name / "Project.FW4"; }
  std::string read(const std::string& project, const std::string& section,
                   const std::string& key) const;
  // Names in a directory, sorted, "." and ".." left out.
  std::vector<std::string> namesIn(const fs::path& dir) const;

  void answer(platform::Answer a) { m_answers->push(a); }
  std::vector<std::string> texts() const { return m_answers->texts(); }
  std::vector<platform::MessageBoxRequest> shown() const { return m_answers->shown(); }

  // Made in SetUp and dropped in TearDown, so a test may start over by calling both.
  std::optional<test::TempDir> m_temp;
  std::optional<test::ScriptedAnswers> m_answers;
  fs::path m_root;
  fs::path m_projects;     // the project directory
  fs::path m_preferences;  // "ZEL.INI"
};

}  // namespace zel::app::testing
