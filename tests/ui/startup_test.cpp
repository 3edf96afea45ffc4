// Start-up and exit of the desktop program in a copy of the demo workspace.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QScreen>

#include "app/preferences/window_placement.h"
#include "ui/dialogs/preferences_dialog.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

using platform::Answer;

TEST(Startup, ReopensTheProjectOfTheLastSessionWithItsTitle) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ASSERT_TRUE(ws.frame().session()->model().isOpen());
  EXPECT_EQ(ws.frame().session()->model().name(), "DEMO");
  EXPECT_EQ(ws.frame().windowTitle(), "ZEL - DEMO (Bottling line demo) - VM1X");
  EXPECT_TRUE(fs::exists(ws.projects() / "DEMO" / "Project._PA"));
  EXPECT_EQ(ws.pref("LANGUAGE"), "GB");
  EXPECT_TRUE(ws.answers().texts().empty());
}

TEST(Startup, ForgetsALastProjectThatWentAwayWithoutAWord) {
  UiWorkspace ws;
  fs::remove_all(ws.projects() / "DEMO");
  ASSERT_TRUE(ws.start());
  EXPECT_FALSE(ws.frame().session()->model().isOpen());
  EXPECT_EQ(ws.frame().windowTitle(), "ZEL");
  EXPECT_TRUE(ws.answers().texts().empty());
}

TEST(Startup, WithoutAProjectPathCancelEndsTheProgram) {
  UiWorkspace ws;
  fs::remove(ws.iniFile());
  ws.answers().push(Answer::Cancel);
  EXPECT_FALSE(ws.start());
  EXPECT_EQ(ws.answers().texts(),
            (std::vector<std::string>{"Please enter a project path.", "No (valid) Project Path"}));
}

TEST(Startup, WithoutAProjectPathThePreferencesDialogSetsOne) {
  UiWorkspace ws;
  fs::remove(ws.iniFile());
  ws.answers().push(Answer::Ok);   // "Please enter a project path."
  ws.answers().push(Answer::Yes);  // create the directory
  WhenModal([](QWidget& modal) {
    auto& dialog = dynamic_cast<PreferencesDialog&>(modal);
    dialog.projectDirectory->setText("./Fresh");
    dialog.accept();
  });
  ASSERT_TRUE(ws.start());
  EXPECT_TRUE(fs::is_directory(ws.dir() / "Fresh"));
  EXPECT_EQ(ws.frame().session()->projectDirectory().filename(), "Fresh");
  EXPECT_EQ(ws.pref("PROJECT_DIR"), "./Fresh");
}

TEST(Startup, ExitWritesPlacementScreenSizeAndCurrentProject) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ws.frame().setGeometry(40, 50, 800, 600);
  ws.frame().close();
  EXPECT_EQ(ws.pref("PROJECT_CUR"), "DEMO");
  EXPECT_EQ(ws.pref("MAIN_WINDOW"), "0,1,-1,-1,-1,-1,40,50,840,650");
  EXPECT_FALSE(ws.pref("SCREEN_SIZE").empty());
  EXPECT_EQ(ws.pref("STL_BAR").substr(0, 4), "1,1,");
  EXPECT_FALSE(fs::exists(ws.projects() / "DEMO" / "Project._PA"));
}

TEST(Startup, PlacementOfAnotherScreenSizeIsIgnored) {
  for (const bool sameScreen : {true, false}) {
    UiWorkspace ws;
    ASSERT_TRUE(ws.start());
    const QSize screen = ws.frame().screen()->size();
    ws.dropFrame();
    auto prefs = ws.preferences();
    prefs.write("MAIN_WINDOW", "0,1,-1,-1,-1,-1,60,70,760,570");
    prefs.write("SCREEN_SIZE",
                sameScreen ? QString("%1,%2").arg(screen.width()).arg(screen.height()).toStdString()
                           : "1,1");
    ASSERT_TRUE(ws.start());
    EXPECT_EQ(ws.frame().geometry() == QRect(60, 70, 700, 500), sameScreen) << sameScreen;
  }
}

// The stored placement is taken early, but the frame shows only after the project
// directory check and the project of the last session.
TEST(Startup, AStoredPlacementDoesNotShowTheFrameEarly) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  const QSize screen = ws.frame().screen()->size();
  ws.dropFrame();
  auto prefs = ws.preferences();
  prefs.write("MAIN_WINDOW", "2,3,-1,-1,-1,-1,60,70,760,570");
  prefs.write("SCREEN_SIZE",
              QString("%1,%2").arg(screen.width()).arg(screen.height()).toStdString());
  MainFrame frame(ws.preferences());
  frame.applyStoredPlacement();
  EXPECT_FALSE(frame.isVisible());
  EXPECT_TRUE(frame.windowState() & Qt::WindowMaximized);
  frame.show();
  EXPECT_TRUE(frame.isMaximized());
  EXPECT_EQ(frame.normalGeometry(), QRect(60, 70, 700, 500));
}

}  // namespace
}  // namespace zel::ui::testing
