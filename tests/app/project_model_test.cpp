#include "app/project/project_model.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "app/project/exclusion_file.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "project_root_fixture.h"

namespace zel::app {
namespace {

class ProjectModelTest : public testing::ProjectRootTest {
 protected:
  void SetUp() override {
    ProjectRootTest::SetUp();
    makeProject("P1");
  }
  void TearDown() override {
    m_model.close();
    ProjectRootTest::TearDown();
  }
  void storeModules(const std::vector<std::pair<std::string, std::string>>& keyed) const {
    for (const auto& [key, value] : keyed) {
      ASSERT_TRUE(platform::WriteProfileString(projectFile("P1"), "MODULES", key, value));
    }
  }
  void open() {
    ExclusionFile exclusion;
    ASSERT_EQ(ExclusionFile::create(projectDir("P1") / "Project._PA", exclusion),
              ExclusionFile::CreateResult::Ok);
    m_model.open("P1", m_projects, std::move(exclusion));
  }
  std::vector<std::string> loadedNames() const {
    std::vector<std::string> names;
    for (const auto& m : m_model.modules()) names.push_back(m.fileName);
    return names;
  }

  ProjectModel m_model;
};

TEST_F(ProjectModelTest, LoadingStopsAtTheFirstMissingKey) {
  storeModules({{"SRC_0", "CZ0P01V1.awl,1,a"},
                {"SRC_1", "CZ0P02V1.awl,0,b"},
                {"SRC_3", "CZ0P04V1.awl,0,d"}});
  open();
  EXPECT_EQ(loadedNames(), (std::vector<std::string>{"CZ0P01V1.awl", "CZ0P02V1.awl"}));
}

TEST_F(ProjectModelTest, LoadingStopsAtAnEmptyKeyAndDropsUnparsableEntries) {
  storeModules({{"SRC_0", "README.awl,0,x"},
                {"SRC_1", "CZ0B07V2.awl,1,Valve, left side"},
                {"SRC_2", ""},
                {"SRC_3", "CZ0P04V1.awl,0,d"}});
  open();
  EXPECT_EQ(loadedNames(), (std::vector<std::string>{"CZ0B07V2.awl"}));
}

TEST_F(ProjectModelTest, EntriesNamingFilesOutsideTheProjectAreDropped) {
  writeFile("victim.awl", "keep me");
  storeModules({{"SRC_0", "CZ0P01V1/../../victim.awl,0,evil"}, {"SRC_1", "CZ0P02V1.awl,0,b"}});
  open();
  EXPECT_EQ(loadedNames(), (std::vector<std::string>{"CZ0P02V1.awl"}));
}

TEST_F(ProjectModelTest, SaveRewritesTheWholeSectionInModelOrder) {
  storeModules({{"SRC_0", "CZ0P01V1.awl,1,a"},
                {"SRC_1", "CZ0P02V1.awl,0,b"},
                {"SRC_2", "CZ0P03V1.awl,0,c"}});
  open();
  ASSERT_TRUE(m_model.removeModule("cz0p01v1.AWL"));
  m_model.addModule(MakeModule(Language::Stl, ModuleKind::Cmp, 5, 1, "new, one"));
  ASSERT_TRUE(m_model.saveModules());
  EXPECT_EQ(platform::ProfileKeys(projectFile("P1"), "MODULES"),
            (std::vector<std::string>{"SRC_0", "SRC_1", "SRC_2"}));
  EXPECT_EQ(read("P1", "MODULES", "SRC_0"), "CZ0P02V1.awl,0,b");
  EXPECT_EQ(read("P1", "MODULES", "SRC_2"), "CZ0B05V1.awl,0,new, one");
  m_model.loadModules();
  EXPECT_EQ(loadedNames(),
            (std::vector<std::string>{"CZ0P02V1.awl", "CZ0P03V1.awl", "CZ0B05V1.awl"}));
}

TEST_F(ProjectModelTest, FindsModulesByIdentityAndByName) {
  storeModules({{"SRC_0", "CZ0P01V1.awl,1,a"}, {"SRC_1", "CZ0P01V2.kop,0,b"}});
  open();
  EXPECT_EQ(m_model.findModule(Language::Unknown, ModuleKind::Program, 1, 2)->fileName,
            "CZ0P01V2.kop");
  EXPECT_EQ(m_model.findModule(Language::Stl, ModuleKind::Program, 1, 2), nullptr);
  EXPECT_EQ(m_model.findModule(Language::Stl, ModuleKind::Cmp, 1, 1), nullptr);
  EXPECT_EQ(m_model.findModuleByName("cz0p01v2.KOP")->fileName, "CZ0P01V2.kop");
  EXPECT_EQ(m_model.findModuleByName("CZ0P01V1")->fileName, "CZ0P01V1.awl");
  EXPECT_EQ(m_model.findModuleByName("CZ0P01V1.kop"), nullptr);
  EXPECT_EQ(m_model.findModuleByName("CZ0P01"), nullptr);
  EXPECT_EQ(m_model.moduleAt(1)->fileName, "CZ0P01V2.kop");
  EXPECT_EQ(m_model.moduleAt(2), nullptr);
  ASSERT_TRUE(m_model.replaceModule("CZ0P01V1.AWL",
                                    MakeModule(Language::Stl, ModuleKind::Program, 9, 1, "")));
  EXPECT_EQ(m_model.moduleAt(0)->fileName, "CZ0P09V1.awl");
  EXPECT_FALSE(m_model.removeModule("CZ0P01V1.awl"));
}

TEST_F(ProjectModelTest, ModulePathsFollowTheStoredCaseAndTheProjectType) {
  open();
  const ModuleRecord m = MakeModule(Language::Stl, ModuleKind::Program, 1, 1, "");
  writeFile("P1/cz0p01v1.log");
  const fs::path dir = projectDir("P1");
  EXPECT_EQ(m_model.modulePath(m), dir / "CZ0P01V1.awl");
  EXPECT_EQ(m_model.objectPath(m), dir / "CZ0P01V1.VM1X.OBJ");
  EXPECT_EQ(m_model.objectPath(m, "RUD"), dir / "CZ0P01V1.RUD.OBJ");
  EXPECT_EQ(m_model.logPath(m), dir / "cz0p01v1.log");
  EXPECT_EQ(m_model.mfuPath(m), dir / "CZ0P01V1.MFU");
  EXPECT_EQ(m_model.backupPath(m), dir / "CZ0P01V1.BAK");
  EXPECT_EQ(m_model.xrefPath(m), dir / "CZ0P01V1.XREF");
}

TEST_F(ProjectModelTest, OpenAndCloseFollowTheExclusionFile) {
  storeModules({{"SRC_0", "CZ0P01V1.awl,1,a"}});
  open();
  EXPECT_TRUE(m_model.isOpen());
  EXPECT_EQ(m_model.name(), "P1");
  EXPECT_EQ(m_model.projectFilePath(), projectFile("P1"));
  EXPECT_EQ(m_model.target(), "VM1X");
  const auto bytes = platform::ReadWholeFile(projectDir("P1") / "Project._PA");
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->size(), 4u);
  EXPECT_TRUE(IsExclusionFileHeld(projectDir("P1") / "Project._PA"));

  m_model.close();
  EXPECT_FALSE(m_model.isOpen());
  EXPECT_TRUE(m_model.modules().empty());
  EXPECT_FALSE(fs::exists(projectDir("P1") / "Project._PA"));
}

TEST_F(ProjectModelTest, ExclusionFileCreationFailsWithoutItsDirectory) {
  ExclusionFile exclusion;
  EXPECT_EQ(ExclusionFile::create(m_projects / "NONE" / "Project._PA", exclusion),
            ExclusionFile::CreateResult::CannotCreate);
  EXPECT_FALSE(exclusion.held());
}

TEST_F(ProjectModelTest, ExclusionFileMovesAndReleasesOnce) {
  const fs::path path = projectDir("P1") / "Project._PA";
  {
    ExclusionFile first;
    ASSERT_EQ(ExclusionFile::create(path, first), ExclusionFile::CreateResult::Ok);
    ExclusionFile second(std::move(first));
    EXPECT_FALSE(first.held());
    EXPECT_TRUE(second.held());
    EXPECT_EQ(second.path(), path);
    EXPECT_TRUE(fs::exists(path));
  }
  EXPECT_FALSE(fs::exists(path));
  EXPECT_FALSE(IsExclusionFileHeld(path));
  // A stale file that no program holds.
  writeFile("P1/Project._PA", "1234");
  EXPECT_FALSE(IsExclusionFileHeld(path));
}

}  // namespace
}  // namespace zel::app
