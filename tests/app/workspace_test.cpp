// The workspace every program opens: the project directory its preferences name, and one
// project opened in it for reading or for change.

#include "app/project/workspace.h"

#include <gtest/gtest.h>

#include "app/project/project_messages.h"
#include "platform/profile.h"
#include "platform/timebase.h"
#include "project_root_fixture.h"

namespace zel::app {
namespace {

using platform::Answer;
using Strings = std::vector<std::string>;

const std::string kNoProjectPath = "No (valid) Project Path";
const std::string kEnterPath = "Please enter a project path.";

class WorkspaceTest : public testing::ProjectRootTest {
 protected:
  void TearDown() override {
    platform::SetTimeBiases({});
    ProjectRootTest::TearDown();
  }
  void writePreferences(const std::string& lines) const {
    m_temp->writeFile("ZEL.INI", "[PREFERENCES]\r\n" + lines);
  }
  std::string preferencesBytes() const { return m_temp->readFile("ZEL.INI"); }
  bool exclusionFileThere(const std::string& project) const {
    return fs::exists(projectDir(project) / "Project._PA");
  }
};

TEST_F(WorkspaceTest, OpensOnlyOverAnExistingProjectDirectoryWithoutAsking) {
  writeFile("AFile", "x");
  struct {
    const char* preferences;  // nullptr: no ZEL.INI at all
    bool opens;
  } const cases[] = {
      {nullptr, false},
      {"", false},
      {"PROJECT_DIR=\r\n", false},
      {"PROJECT_DIR=./Missing\r\n", false},
      {"PROJECT_DIR=./Projects/AFile\r\n", false},
      {"PROJECT_DIR=./Projects\r\n", true},
      {"PROJECT_DIR=.\\projects\r\n", true},
  };
  for (const auto& c : cases) {
    const char* label = c.preferences ? c.preferences : "<no ZEL.INI>";
    fs::remove(m_preferences);
    if (c.preferences) writePreferences(c.preferences);
    m_answers->clear();
    const auto workspace = Workspace::open(m_root);
    EXPECT_EQ(workspace != nullptr, c.opens) << label;
    EXPECT_EQ(texts(), c.opens ? Strings{} : Strings{kNoProjectPath}) << label;
    if (workspace) {
      // Found without regard to case, as every later path is built on it.
      EXPECT_EQ(workspace->projectDirectory(), m_projects) << label;
      EXPECT_EQ(workspace->session().projectDirectory(), m_projects) << label;
      EXPECT_EQ(workspace->preferences().file(), m_preferences) << label;
    }
  }
}

TEST_F(WorkspaceTest, OpeningSetsTheTimeBaseAndWritesNoPreferences) {
  writePreferences("PROJECT_DIR=./Projects\r\nTIMEZONELOCALBIAS=-60\r\nTIMEZONEREMOTEBIAS=30\r\n");
  const std::string before = preferencesBytes();
  ASSERT_TRUE(Workspace::open(m_root));
  EXPECT_EQ(platform::GetTimeBiases().local, -60);
  EXPECT_EQ(platform::GetTimeBiases().remote, 30);
  EXPECT_EQ(preferencesBytes(), before);  // not even "LANGUAGE", which only the desktop writes
}

TEST_F(WorkspaceTest, ProjectDirectoryCheckAsksOnlyWhenItCan) {
  fs::create_directories(m_root / "Other");
  struct {
    const char* stored;        // "PROJECT_DIR" at start
    Answer answer;             // to "Please enter a project path."
    const char* dialogWrites;  // what the preferences dialog stores, nullptr: cancelled
    std::optional<fs::path> result;
    Strings texts;
    bool dialogRuns;
  } const cases[] = {
      {".\\Projects", Answer::Ok, nullptr, m_projects, {}, false},
      {"", Answer::Cancel, nullptr, std::nullopt, {kEnterPath, kNoProjectPath}, false},
      {"", Answer::Ok, "./other", m_root / "Other", {kEnterPath}, true},
      {"./Missing", Answer::Ok, nullptr, std::nullopt, {kEnterPath, kNoProjectPath}, true},
      {"ZEL.INI", Answer::Ok, "ZEL.INI", std::nullopt, {kEnterPath, kNoProjectPath}, true},
  };
  for (const auto& c : cases) {
    writePreferences(std::string("PROJECT_DIR=") + c.stored + "\r\n");
    m_answers.emplace(std::deque<Answer>{c.answer});
    const Preferences preferences(m_root);
    bool ran = false;
    const auto dir = CheckProjectDirectory(preferences, [&] {
      ran = true;
      if (c.dialogWrites) preferences.setProjectDirectory(c.dialogWrites);
    });
    EXPECT_EQ(dir, c.result) << c.stored;
    EXPECT_EQ(texts(), c.texts) << c.stored;
    EXPECT_EQ(ran, c.dialogRuns) << c.stored;
  }
}

TEST_F(WorkspaceTest, ReadingLoadsTheProjectWithoutItsExclusionFile) {
  writePreferences("PROJECT_DIR=./Projects\r\n");
  makeProject("Plant");
  ASSERT_TRUE(platform::WriteProfileString(projectFile("Plant"), "MODULES", "SRC_0",
                                           "CZ0P00V1.awl,1,Main"));
  auto workspace = Workspace::open(m_root);
  ASSERT_TRUE(workspace);
  EXPECT_FALSE(workspace->openForReading("Gone"));
  EXPECT_EQ(texts(), Strings{std::string(kMsgProjectNotFound)});
  ASSERT_TRUE(workspace->openForReading("plant"));
  EXPECT_EQ(workspace->model().name(), "Plant");
  ASSERT_EQ(workspace->model().modules().size(), 1u);
  EXPECT_EQ(workspace->model().modules()[0].fileName, "CZ0P00V1.awl");
  EXPECT_FALSE(exclusionFileThere("Plant"));
}

TEST_F(WorkspaceTest, ChangingHoldsTheExclusionFileUntilTheWorkspaceCloses) {
  writePreferences("PROJECT_DIR=./Projects\r\n");
  makeProject("Plant");
  auto workspace = Workspace::open(m_root);
  ASSERT_TRUE(workspace);
  EXPECT_FALSE(workspace->openForChange("Gone"));
  EXPECT_EQ(texts(), Strings{std::string(kMsgProjectNotFound)});
  ASSERT_TRUE(workspace->openForChange("PLANT"));
  EXPECT_EQ(workspace->model().name(), "Plant");
  EXPECT_TRUE(exclusionFileThere("Plant"));
  EXPECT_EQ(workspace->session().recentProjects(), Strings{(m_projects / "Plant").string()});
  workspace.reset();
  EXPECT_FALSE(exclusionFileThere("Plant"));
}

TEST_F(WorkspaceTest, AProjectHeldByAnotherSessionOpensOnlyForReading) {
  writePreferences("PROJECT_DIR=./Projects\r\n");
  makeProject("Plant");
  auto holder = Workspace::open(m_root);
  ASSERT_TRUE(holder && holder->openForChange("Plant"));
  const std::string before = m_temp->readFile("Projects/Plant/Project._PA");

  auto second = Workspace::open(m_root);
  ASSERT_TRUE(second);
  answer(Answer::Abort);
  EXPECT_FALSE(second->openForChange("Plant"));
  EXPECT_EQ(texts(), Strings{std::string(kMsgProjectOpenElsewhere)});
  EXPECT_FALSE(second->model().isOpen());

  m_answers->clear();
  ASSERT_TRUE(second->openForReading("Plant"));
  EXPECT_TRUE(texts().empty());
  second.reset();
  // Neither the refused change nor the reading touched the holder's file.
  EXPECT_TRUE(exclusionFileThere("Plant"));
  EXPECT_EQ(m_temp->readFile("Projects/Plant/Project._PA"), before);
}

}  // namespace
}  // namespace zel::app
