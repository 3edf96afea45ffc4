#include "app/project/project_file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/profile.h"
#include "project_root_fixture.h"

namespace zel::app {
namespace {

class ProjectFileTest : public testing::ProjectRootTest {
 protected:
  void SetUp() override {
    ProjectRootTest::SetUp();
    makeProject("P1");
  }
  ProjectFile file() const { return ProjectFile::ofProject(m_projects, "P1"); }
  void store(const std::string& key, const std::string& value) const {
    ASSERT_TRUE(platform::WriteProfileString(projectFile("P1"), "PROJECT", key, value));
  }
};

TEST_F(ProjectFileTest, FoundByNameWithoutRegardToCase) {
  const ProjectFile byOtherCase = ProjectFile::ofProject(m_projects, "p1");
  EXPECT_TRUE(byOtherCase.exists());
  EXPECT_EQ(byOtherCase.path(), projectFile("P1"));
  EXPECT_FALSE(ProjectFile::ofProject(m_projects, "P2").exists());
}

TEST_F(ProjectFileTest, CreatedIsQuestionMarksWhenMissing) {
  EXPECT_EQ(file().created(), "???");
  EXPECT_EQ(ProjectFile::ofProject(m_projects, "NONE").created(), "???");
  ASSERT_TRUE(file().setCreated("ZEL: today by me"));
  EXPECT_EQ(file().created(), "ZEL: today by me");
}

TEST_F(ProjectFileTest, ValuesAreCutAt259Characters) {
  const std::string comment(400, 'c');
  ASSERT_TRUE(file().setComment(comment));
  EXPECT_EQ(file().comment(), std::string(259, 'c'));
  EXPECT_EQ(file().read("PROJECT", "COMMENT", "", 1000), comment);
}

TEST_F(ProjectFileTest, TimestampIsWrittenWithTrailingLetterL) {
  ASSERT_TRUE(file().setTimestamp(975000000));
  EXPECT_EQ(read("P1", "PROJECT", "TIMESTAMP"), "975000000l");
  EXPECT_EQ(file().timestamp(), 975000000);
  EXPECT_EQ(platform::ReadProfileInt(projectFile("P1"), "PROJECT", "TIMESTAMP", -1), 975000000);
  store("TIMESTAMP", "abc");
  EXPECT_EQ(file().timestamp(), std::nullopt);
}

TEST_F(ProjectFileTest, DocFileResolvesStoredFormsAgainstTheProjectDirectory) {
  const fs::path dir = projectDir("P1");
  const struct {
    std::string stored;
    fs::path expected;
  } cases[] = {
      {"", dir / "Project.txt"},
      {".\\Project.txt", dir / "Project.txt"},
      {"./Project.txt", dir / "Project.txt"},
      {".\\docs\\Manual.txt", dir / "docs/Manual.txt"},
      {"..\\Shared.txt", m_projects / "Shared.txt"},
      {"/srv/docs/Plant.txt", "/srv/docs/Plant.txt"},
  };
  for (const auto& c : cases) {
    store("DOCFILE", c.stored);
    EXPECT_EQ(file().docFile(), c.expected) << c.stored;
  }
}

TEST_F(ProjectFileTest, DocFileFindsTheFileWhateverItsCase) {
  writeFile("P1/PROJECT.TXT");
  EXPECT_EQ(file().docFile(), projectDir("P1") / "PROJECT.TXT");
}

TEST_F(ProjectFileTest, SetDocFileStoresRelativeBelowTheProjectElseAbsolute) {
  ASSERT_TRUE(file().setDocFile(projectDir("P1") / "docs" / "Manual.txt"));
  EXPECT_EQ(read("P1", "PROJECT", "DOCFILE"), "./docs/Manual.txt");
  EXPECT_EQ(file().docFile(), projectDir("P1") / "docs/Manual.txt");

  ASSERT_TRUE(file().setDocFile(m_projects / "Shared.txt"));
  EXPECT_EQ(read("P1", "PROJECT", "DOCFILE"), (m_projects / "Shared.txt").generic_string());
  EXPECT_EQ(file().docFile(), m_projects / "Shared.txt");
}

TEST_F(ProjectFileTest, TypeSwitchKeepsTheOtherTypesSettings) {
  const ProjectFile f = file();
  ASSERT_TRUE(f.write("VM1X_SETTINGS", "RUN_MODE", "12"));
  ASSERT_TRUE(f.setTarget("RUD2"));
  ASSERT_TRUE(f.write("RUD2_SETTINGS", "RUN_MODE", "3"));
  EXPECT_EQ(f.read("VM1X_SETTINGS", "RUN_MODE"), "12");
  ASSERT_TRUE(f.setTarget("VM1X"));
  EXPECT_EQ(f.target(), "VM1X");
  EXPECT_EQ(f.read(f.target() + "_SETTINGS", "RUN_MODE"), "12");
  EXPECT_EQ(f.read("RUD2_SETTINGS", "RUN_MODE"), "3");
}

TEST_F(ProjectFileTest, GenericAccessSeesEachWriteAtOnce) {
  const ProjectFile f = file();
  ASSERT_TRUE(f.write("WINDOWS", "ProjectTree", "0,1,-1,-1,-1,-1,0,0,250,350"));
  ASSERT_TRUE(f.write("WINDOWS", "AllocList", "x"));
  EXPECT_EQ(f.keys("windows"), (std::vector<std::string>{"ProjectTree", "AllocList"}));
  ASSERT_TRUE(f.removeKey("WINDOWS", "allocList"));
  EXPECT_EQ(f.keys("WINDOWS"), (std::vector<std::string>{"ProjectTree"}));
  ASSERT_TRUE(f.removeSection("WINDOWS"));
  EXPECT_TRUE(f.keys("WINDOWS").empty());
  EXPECT_EQ(f.read("WINDOWS", "ProjectTree", "dflt"), "dflt");
  ASSERT_TRUE(f.setPassword("secret"));
  EXPECT_EQ(f.password(), "secret");
  EXPECT_EQ(f.target(), "VM1X");
}

}  // namespace
}  // namespace zel::app
