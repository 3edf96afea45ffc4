// Project > Make Project, Build Project, Clean Up and List Project File in the main
// frame: the build runs as the frame's job, the frame is busy meanwhile, the status bar
// follows its modules, and a compile error of the build is one double click away.

#include <gtest/gtest.h>

#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>

#include "build/project_build.h"
#include "support/step_gate.h"
#include "ui/editor/stl_editor.h"
#include "ui/editor/stl_view.h"
#include "ui/frame/message_pump.h"
#include "ui/frame/message_window.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

class ProjectBuildMenu : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_ws.start()); }
  MainFrame& frame() { return m_ws.frame(); }
  fs::path demo() const { return m_ws.projects() / "DEMO"; }
  void waitForBuild() {
    for (int i = 0; i < 400 && frame().builder().running(); ++i) ProcessEvents();
    // The done message follows the worker's end.
    for (int i = 0; i < 20; ++i) ProcessEvents();
  }
  QString messages() { return frame().showMessageWindow(false)->shownText(); }

  UiWorkspace m_ws;
  MessagePump m_pump;  // the build's worker posts its messages
};

TEST_F(ProjectBuildMenu, MakeRunsAsAJobWhileTheProjectCommandsWait) {
  const MainActions& a = frame().actions();
  ASSERT_TRUE(a.makeProject->isEnabled());
  EXPECT_EQ(a.makeProject->shortcut(), QKeySequence(Qt::Key_F7));
  zel::test::StepGate gate(2);
  frame().builder().setStepHook([&](const app::JobProgress& p) { gate.atStep(p.step); });
  a.makeProject->trigger();
  ASSERT_TRUE(gate.waitUntilReached());
  for (int i = 0; i < 10; ++i) ProcessEvents();
  EXPECT_EQ(frame().statusBar()->currentMessage(), "Module 1 of 5: CZ0P00V1.awl");
  for (QAction* action : {a.makeProject, a.buildProject, a.cleanUp, a.listProjectFile,
                          a.closeProject, a.newProgram}) {
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
  }
  EXPECT_TRUE(build::IsBuildRunning());
  gate.release();
  waitForBuild();
  EXPECT_FALSE(build::IsBuildRunning());
  EXPECT_TRUE(a.makeProject->isEnabled());
  EXPECT_EQ(frame().statusBar()->currentMessage(), "0 Error(s), 0 Warning(s)");
  EXPECT_TRUE(fs::exists(demo() / "Project.RUN"));
  EXPECT_FALSE(m_ws.projectValue("DEMO", "DOWNLOAD", "MAKE").empty());
  const QString text = messages();
  EXPECT_TRUE(text.startsWith("\nZEL Project Make\n\nProject:  DEMO, VM1X, 'Bottling line demo'\n"))
      << text.toStdString();
  EXPECT_TRUE(text.endsWith("\n  0 Error(s) and  0 Warning(s)  for Project  DEMO \n"))
      << text.toStdString();

  // The listing goes to the message window, after what was there.
  a.listProjectFile->trigger();
  EXPECT_TRUE(messages().contains("ZEL Project Run File Content")) << messages().toStdString();
  EXPECT_TRUE(messages().contains("Program 00, STL")) << messages().toStdString();

  a.cleanUp->trigger();
  EXPECT_TRUE(messages().contains("Removed intermediate files from project."));
  EXPECT_FALSE(fs::exists(demo() / "Project.RUN"));
  EXPECT_FALSE(fs::exists(demo() / "CZ0P00V1.VM1X.OBJ"));
  EXPECT_TRUE(m_ws.projectValue("DEMO", "DOWNLOAD", "MAKE").empty());
}

TEST_F(ProjectBuildMenu, ABuildSavesTheEditorsAndItsCompileErrorLeadsToTheLine) {
  ASSERT_TRUE(frame().openWindowByName("CZ0P01V1.awl"));
  StlView* view = frame().activeStlView();
  ASSERT_NE(view, nullptr);
  view->editor()->goToLine(4);
  view->editor()->moveCursor(QTextCursor::EndOfBlock);
  QTest::keyClick(view->editor(), Qt::Key_Return);
  QTest::keyClicks(view->editor(), "frobnicate i0.0");
  QTest::keyClick(view->editor(), Qt::Key_Down);
  QCoreApplication::processEvents();
  ASSERT_TRUE(view->isModified());

  frame().actions().buildProject->trigger();
  EXPECT_FALSE(view->isModified()) << "the build compiles what the editor shows";
  waitForBuild();
  EXPECT_FALSE(fs::exists(demo() / "Project.RUN"));
  EXPECT_TRUE(m_ws.projectValue("DEMO", "DOWNLOAD", "MAKE").empty());
  EXPECT_TRUE(frame().statusBar()->currentMessage().startsWith("2 Error(s)"))
      << frame().statusBar()->currentMessage().toStdString();

  MessageWindow* window = frame().showMessageWindow(false);
  QTextBlock error = window->document()->firstBlock();
  while (error.isValid() && !error.text().startsWith("CZ0P01V1.AWL(5)")) error = error.next();
  ASSERT_TRUE(error.isValid()) << window->shownText().toStdString();
  ASSERT_TRUE(frame().openWindowByName("CZ0P00V1.awl"));
  window->verticalScrollBar()->setValue(0);
  window->ensureCursorVisible();
  QTextCursor cursor(error);
  window->setTextCursor(cursor);
  window->ensureCursorVisible();
  const QRect at = window->cursorRect(cursor);
  QTest::mouseDClick(window->viewport(), Qt::LeftButton, {}, at.center());
  ASSERT_EQ(frame().activeStlView(), view);
  EXPECT_EQ(view->editor()->caretLine(), 5);
}

}  // namespace
}  // namespace zel::ui::testing
