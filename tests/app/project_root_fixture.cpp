#include "project_root_fixture.h"

#include <stdlib.h>

#include <algorithm>

#include "platform/files.h"
#include "platform/profile.h"

namespace zel::app::testing {

void ProjectRootTest::SetUp() {
  std::string pattern = (fs::temp_directory_path() / "zel_projects_XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  m_root = pattern;
  m_projects = m_root / "Projects";
  m_preferences = m_root / "ZEL.INI";
  ASSERT_TRUE(fs::create_directory(m_projects));
  m_host = std::make_shared<platform::ScriptedHost>();
  platform::SetMessageBoxHost(m_host);
}

void ProjectRootTest::TearDown() {
  platform::SetMessageBoxHost(nullptr);
  std::error_code ec;
  fs::remove_all(m_root, ec);
}

void ProjectRootTest::makeProject(const std::string& name, const std::string& target,
                                  const std::string& comment) const {
  fs::create_directories(projectDir(name));
  ASSERT_TRUE(platform::WriteProfileString(projectFile(name), "PROJECT", "TARGET", target));
  ASSERT_TRUE(platform::WriteProfileString(projectFile(name), "PROJECT", "COMMENT", comment));
}

void ProjectRootTest::writeFile(const fs::path& relative, const std::string& content) const {
  fs::create_directories((m_projects / relative).parent_path());
  ASSERT_TRUE(platform::WriteFileAtomically(m_projects / relative, content));
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
