#include "module_test_project.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/profile.h"

namespace zel::app::testing {

void RecordingHooks::projectChanged(const ProjectModel&) {
  calls.push_back("changed");
}
void RecordingHooks::openModule(const ModuleRecord& m) {
  calls.push_back("open " + m.fileName);
}
void RecordingHooks::saveModuleEditor(const ModuleRecord& m) {
  calls.push_back("save " + m.fileName);
}
void RecordingHooks::closeModuleEditor(const ModuleRecord& m) {
  calls.push_back("close " + m.fileName);
}
void RecordingHooks::moduleRenamed(const ModuleRecord& from, const ModuleRecord& to) {
  calls.push_back("renamed " + from.fileName + " " + to.fileName);
}

void ModuleProjectTest::SetUp() {
  m_temp.emplace();
  m_answers.emplace();
  m_root = m_temp->path();
  m_dir = m_root / kProjectName;
  ASSERT_TRUE(fs::create_directory(m_dir));
  ASSERT_TRUE(platform::WriteProfileString(m_dir / "Project.FW4", "PROJECT", "TARGET", "VM1X"));
  ASSERT_TRUE(platform::WriteProfileString(m_dir / "Project.FW4", "PROJECT", "TIMESTAMP", "7l"));
}

void ModuleProjectTest::TearDown() {
  m_model.close();
  m_answers.reset();
  m_temp.reset();
}

void ModuleProjectTest::openProject(const std::vector<std::string>& entries) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    ASSERT_TRUE(platform::WriteProfileString(m_dir / "Project.FW4", "MODULES",
                                             "SRC_" + std::to_string(i), entries[i]));
  }
  ExclusionFile exclusion;
  ASSERT_EQ(ExclusionFile::create(m_dir / "Project._PA", exclusion),
            ExclusionFile::CreateResult::Ok);
  m_model.open(kProjectName, m_root, std::move(exclusion));
  ASSERT_EQ(m_model.modules().size(), entries.size());
}

void ModuleProjectTest::writeFile(const std::string& name, const std::string& content) const {
  m_temp->writeFile(fs::path(kProjectName) / name, content);
}

std::string ModuleProjectTest::readFile(const std::string& name) const {
  return platform::ReadWholeFile(m_dir / name).value_or("<missing>");
}

bool ModuleProjectTest::hasFile(const std::string& name) const {
  return fs::exists(m_dir / name);
}

std::vector<std::string> ModuleProjectTest::moduleFiles() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(m_dir)) {
    const std::string name = entry.path().filename().string();
    if (name != "Project.FW4" && name != "Project._PA") names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> ModuleProjectTest::storedEntries() const {
  std::vector<std::string> entries;
  for (const auto& key : platform::ProfileKeys(m_dir / "Project.FW4", "MODULES")) {
    entries.push_back(platform::ReadProfileString(m_dir / "Project.FW4", "MODULES", key, ""));
  }
  return entries;
}

std::string ModuleProjectTest::projectValue(const std::string& key) const {
  return platform::ReadProfileString(m_dir / "Project.FW4", "PROJECT", key, "");
}

}  // namespace zel::app::testing
