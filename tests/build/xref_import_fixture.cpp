#include "xref_import_fixture.h"

#include "app/project/exclusion_file.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/timebase.h"
#include "stl/codegen/object_file.h"

namespace zel::build::testing {

std::string ModuleFile(const stl::code::UsageRecords& usage, std::uint16_t language,
                       std::uint16_t minor, std::size_t code) {
  const auto bytes = stl::ObjectFileBytes(std::vector<std::uint8_t>(code, 0x90), usage);
  std::string file(bytes.begin(), bytes.end());
  file[2] = static_cast<char>(language & 0xFF);
  file[3] = static_cast<char>(language >> 8);
  file[4] = static_cast<char>(minor & 0xFF);
  file[5] = static_cast<char>(minor >> 8);
  return file;
}

void ProjectFixture::SetUp() {
  m_temp.emplace();
  m_answers.emplace();
  m_root = m_temp->path();
  m_dir = m_root / kProjectName;
  ASSERT_TRUE(fs::create_directory(m_dir));
  ASSERT_TRUE(platform::WriteProfileString(m_dir / "Project.FW4", "PROJECT", "TARGET", "VM1X"));
}

void ProjectFixture::TearDown() {
  m_model.close();
  m_answers.reset();
  m_temp.reset();
}

void ProjectFixture::openProject(const std::vector<std::string>& entries) {
  for (std::size_t i = 0; i < entries.size(); ++i) {
    ASSERT_TRUE(platform::WriteProfileString(m_dir / "Project.FW4", "MODULES",
                                             "SRC_" + std::to_string(i), entries[i]));
  }
  app::ExclusionFile exclusion;
  ASSERT_EQ(app::ExclusionFile::create(m_dir / "Project._PA", exclusion),
            app::ExclusionFile::CreateResult::Ok);
  m_model.open(kProjectName, m_root, std::move(exclusion));
}

void ProjectFixture::writeFile(const std::string& name, const std::string& content) const {
  m_temp->writeFile(fs::path(kProjectName) / name, content);
}

std::string ProjectFixture::readFile(const std::string& name) const {
  return platform::ReadWholeFile(m_dir / name).value_or("<missing>");
}

bool ProjectFixture::hasFile(const std::string& name) const {
  return fs::exists(m_dir / name);
}

void ProjectFixture::setTime(const std::string& name, std::int64_t t) const {
  ASSERT_TRUE(platform::SetFileTime(m_dir / name, t)) << name;
}

std::vector<std::string> ProjectFixture::storedEntries() const {
  std::vector<std::string> entries;
  for (const auto& key : platform::ProfileKeys(m_dir / "Project.FW4", "MODULES")) {
    entries.push_back(platform::ReadProfileString(m_dir / "Project.FW4", "MODULES", key, ""));
  }
  return entries;
}

}  // namespace zel::build::testing
