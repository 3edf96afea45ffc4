#pragma once
// A real project directory opened in a ProjectModel, for the cross reference and the
// module import, and compiled module files made by the code generator's own writer.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/project/project_model.h"
#include "stl/codegen/translator.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::build::testing {

namespace fs = std::filesystem;

// A compiled module of `language` with the usage records `usage`; `minor` is the format's
// minor version, `code` the machine code between header and records.
std::string ModuleFile(const stl::code::UsageRecords& usage = {}, std::uint16_t language = 0,
                       std::uint16_t minor = 0x24, std::size_t code = 16);

class ProjectFixture : public ::testing::Test {
 protected:
  static constexpr const char* kProjectName = "DEMO";
  void SetUp() override;
  void TearDown() override;

  // Writes section "MODULES" and opens the project.
  void openProject(const std::vector<std::string>& entries);
  void writeFile(const std::string& name, const std::string& content) const;
  std::string readFile(const std::string& name) const;  // "<missing>" when absent
  bool hasFile(const std::string& name) const;
  void setTime(const std::string& name, std::int64_t t) const;
  std::vector<std::string> storedEntries() const;
  std::vector<std::string> texts() const { return m_answers->texts(); }

  std::optional<test::TempDir> m_temp;
  std::optional<test::ScriptedAnswers> m_answers;
  fs::path m_root;  // the project directory holding the project
  fs::path m_dir;   // the project's own directory
  app::ProjectModel m_model;
};

}  // namespace zel::build::testing
