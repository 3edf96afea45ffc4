#include "project_root_fixture.h"

#include <algorithm>

#include "platform/profile.h"

namespace zel::app::testing {

namespace {
constexpr const char* kProjectsDir = "Projects";
}  // namespace

void ProjectRootTest::SetUp() {
  m_temp.emplace();
  m_answers.emplace();
  m_root = m_temp->path();
  m_projects = m_root / kProjectsDir;
  m_preferences = m_root / "ZEL.INI";
  ASSERT_TRUE(fs::create_directory(m_projects));
}

void ProjectRootTest::TearDown() {
  m_answers.reset();
  m_temp.reset();
}

void ProjectRootTest::makeProject(const std::string& name, const std::string& target,
                                  const std::string& comment) const {
  fs::create_directories(projectDir(name));
  ASSERT_TRUE(platform::WriteProfileString(projectFile(name), "PROJECT", "TARGET", target));
  ASSERT_TRUE(platform::WriteProfileString(projectFile(name), "PROJECT", "COMMENT", comment));
}

void ProjectRootTest::writeFile(const fs::path& relative, const std::string& content) const {
  m_temp->writeFile(kProjectsDir / relative, content);
}

std::string ProjectRootTest::read(const std::string& project, const std::string& section,
                                  const std::string& key) const {
  return platform::ReadProfileString(projectFile(project), section, key, "<absent>");
}

std::vector<std::string> ProjectRootTest::namesIn(const fs::path& dir) const {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace zel::app::testing
