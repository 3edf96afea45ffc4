#include "app/preferences/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/timebase.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::app {
namespace {

namespace fs = std::filesystem;
using test::ScriptedAnswers;
using test::TempDir;

class StartupTest : public ::testing::Test {
 protected:
  void TearDown() override { platform::SetTimeBiases({}); }
  void writePreferences(std::string_view lines) {
    m_dir.writeFile("ZEL.INI", "[PREFERENCES]\r\n" + std::string(lines));
  }

  TempDir m_dir;
  Preferences m_prefs{m_dir.path()};
};

TEST_F(StartupTest, BeginStartupWritesTheLanguageAndSetsTheTimeBase) {
  writePreferences("LANGUAGE=DE\r\nTIMEZONELOCALBIAS=120\r\nTIMEZONEREMOTEBIAS=1000000\r\n");
  const Preferences prefs = BeginStartup(m_dir.path());
  EXPECT_EQ(prefs.file(), m_dir / "ZEL.INI");
  EXPECT_EQ(prefs.read(kKeyLanguage), "GB");
  EXPECT_EQ(platform::GetTimeBiases().local, 120);
  EXPECT_EQ(platform::GetTimeBiases().remote, 0);  // the sentinel leaves it unset
}

TEST_F(StartupTest, TimeBaseTakesBothBiases) {
  writePreferences("TIMEZONELOCALBIAS=-7200\r\nTIMEZONEREMOTEBIAS=3600\r\n");
  const auto biases = SetUpTimeBase(m_prefs);
  EXPECT_EQ(biases.local, -7200);
  EXPECT_EQ(biases.remote, 3600);
  EXPECT_EQ(platform::GetTimeBiases().remote, 3600);
}

TEST_F(StartupTest, ReopensTheLastProjectOnlyWhenItsFileIsThere) {
  m_dir.writeFile("Projects/Plant/PROJECT.fw4", "[PROJECT]\r\n");
  fs::create_directories(m_dir / "Projects" / "Empty");
  m_dir.writeFile("Project.FW4", "[PROJECT]\r\n");  // beside, not below, the project directory
  struct {
    const char* current;
    std::optional<std::string> reopen;
  } const cases[] = {
      {"", std::nullopt},
      {"Plant", "Plant"},
      {"plant", "plant"},
      {"Gone", std::nullopt},
      {"Empty", std::nullopt},
      {"..", std::nullopt},
      {"../Projects/Plant", std::nullopt},
  };
  ScriptedAnswers answers;
  for (const auto& c : cases) {
    m_prefs.setCurrentProject(c.current);
    EXPECT_EQ(ProjectToReopen(m_prefs, m_dir / "Projects"), c.reopen) << c.current;
  }
  EXPECT_TRUE(answers.texts().empty());
}

TEST_F(StartupTest, StoredWindowsCountOnlyOnTheSameScreen) {
  writePreferences(
      "SCREEN_SIZE=1024,768\r\nMAIN_WINDOW=2,3,-1,-1,-4,-4,10,10,900,700\r\n"
      "STL_BAR=1,0,200,-1,-1,59420\r\n");
  EXPECT_TRUE(StoredMainWindow(m_prefs, {1024, 768}));
  EXPECT_FALSE(StoredMainWindow(m_prefs, {1280, 1024}));
  EXPECT_EQ(FormatStlBar(StoredStlBar(m_prefs, {1024, 768}, 1000, 50)), "1,0,200,-1,-1,59420");
  EXPECT_EQ(FormatStlBar(StoredStlBar(m_prefs, {1280, 1024}, 1000, 50)), "1,1,230,770,70,59421");

  writePreferences("SCREEN_SIZE=1024,768\r\nSTL_BAR=1,0,200\r\n");
  EXPECT_EQ(FormatStlBar(StoredStlBar(m_prefs, {1024, 768}, 1000, 50)), "1,1,230,770,70,59421");
  writePreferences("MAIN_WINDOW=2,3,-1,-1,-4,-4,10,10,900,700\r\n");
  EXPECT_FALSE(StoredMainWindow(m_prefs, {1024, 768}));  // no screen size stored
}

TEST_F(StartupTest, ExitWritesBarWindowScreenAndProject) {
  ExitState state;
  state.stlBar = StlBarState{true, false, 240, -1, -1, kDockBottom};
  state.mainWindow = ExitState::MainWindow{*ParsePlacement("0,1,-1,-1,-1,-1,0,0,800,600"), true};
  state.screen = ScreenSize{1920, 1080};
  state.currentProject = "Plant";
  ASSERT_TRUE(WriteExitState(m_prefs, state));
  EXPECT_EQ(m_prefs.read(kKeyStlBar), "1,0,240,-1,-1,59422");
  EXPECT_EQ(m_prefs.read(kKeyMainWindow), "2,1,-1,-1,-1,-1,0,0,800,600");
  EXPECT_EQ(m_prefs.read(kKeyScreenSize), "1920,1080");
  EXPECT_EQ(m_prefs.read(kKeyProjectCur), "Plant");

  ASSERT_TRUE(WriteExitState(m_prefs, ExitState{}));  // no project open
  EXPECT_EQ(m_prefs.read(kKeyProjectCur, "<absent>"), "");
  EXPECT_EQ(m_prefs.read(kKeyScreenSize), "1920,1080");
}

}  // namespace
}  // namespace zel::app
