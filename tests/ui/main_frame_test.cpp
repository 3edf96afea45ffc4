// The main frame's commands, their enabling and the windows a project remembers.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

#include "app/shell/message_service.h"
#include "ui/frame/document_window.h"
#include "ui/frame/frame_title.h"
#include "ui/project/project_tree.h"
#include "ui/widgets/stored_text.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

QStringList Texts(const QMenu& menu) {
  QStringList texts;
  for (const QAction* action : menu.actions()) texts << action->text();
  return texts;
}

TEST(MainFrame, ProjectCommandsFollowTheOpenProjectAndABusyBuild) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  const MainActions& a = ws.frame().actions();
  const std::vector<QAction*> projectCommands = {
      a.closeProject, a.projectSettings, a.projectTree,   a.controllerSettings,
      a.newProgram,   a.programOpen,     a.programDelete, a.selectForDownload};
  for (QAction* action : projectCommands)
    EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
  ws.frame().setBusy(true);
  for (QAction* action : projectCommands)
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
  EXPECT_FALSE(a.newProject->isEnabled());
  ws.frame().setBusy(false);
  ASSERT_TRUE(ws.frame().closeProjectCommand());
  for (QAction* action : projectCommands)
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
  EXPECT_TRUE(a.newProject->isEnabled());
  EXPECT_TRUE(a.openProject->isEnabled());
  EXPECT_EQ(ws.frame().windowTitle(), "ZEL");
}

TEST(MainFrame, ABusyBuildHoldsBackTheTreeCommandsToo) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ProjectTree& tree = *ws.frame().projectTree();
  ws.frame().setBusy(true);
  bool dialogShown = false;
  WhenModal([&](QWidget& modal) {
    dialogShown = true;
    modal.close();
  });
  tree.openItem(tree.topItem(app::TreeItem::ProjectSettings));
  tree.setCurrentItem(tree.moduleItem("CZ0P03V1.awl"));
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QCoreApplication::sendEvent(&tree, &del);
  tree.moduleItem("CZ0P03V1.awl")->setCheckState(0, Qt::Checked);
  ProcessEvents();
  EXPECT_FALSE(dialogShown);
  EXPECT_TRUE(ws.answers().texts().empty());
  EXPECT_TRUE(fs::exists(ws.projects() / "DEMO" / "CZ0P03V1.awl"));
  EXPECT_EQ(ws.projectValue("DEMO", "MODULES", "SRC_3"),
            "CZ0P03V1.awl,0,Commissioning tests, not for production");
  EXPECT_EQ(tree.moduleItem("CZ0P03V1.awl")->checkState(0), Qt::Unchecked);
  ws.frame().setBusy(false);
}

TEST(MainFrame, RecentProjectsMenuListsTheStoredEntriesNewestFirst) {
  UiWorkspace ws;
  platform::WriteProfileString(ws.iniFile(), "PREFERENCES", "PROJECT_CUR", "");
  platform::WriteProfileString(ws.iniFile(), "Recent File List", "File1",
                               (ws.projects() / "PUMPS").generic_string());
  ASSERT_TRUE(ws.start());
  QMenu* recent = ws.frame().actions().recentMenu;
  const auto entry = [&ws](int number, const char* project) {
    return QString("&%1 ").arg(number) + FromStored((ws.projects() / project).generic_string());
  };
  EXPECT_EQ(Texts(*recent), QStringList{entry(1, "PUMPS")});
  EXPECT_TRUE(recent->menuAction()->isEnabled());
  ASSERT_TRUE(ws.frame().session()->openProject("DEMO"));
  QMenu* project = ws.frame().menuBar()->actions().front()->menu();
  emit project->aboutToShow();
  ASSERT_EQ(Texts(*recent), (QStringList{entry(1, "DEMO"), entry(2, "PUMPS")}));
  recent->actions().back()->trigger();
  ProcessEvents();
  EXPECT_EQ(ws.frame().session()->model().name(), "PUMPS");
}

TEST(MainFrame, LaterCommandsAreShownDisabledWithTheirAccelerators) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  const MainActions& a = ws.frame().actions();
  const std::vector<std::pair<QAction*, QKeySequence>> rows = {
      {a.download, QKeySequence(Qt::Key_F5)},
      {a.update, QKeySequence(Qt::CTRL | Qt::Key_F5)},
  };
  for (const auto& [action, key] : rows) {
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    EXPECT_EQ(action->shortcut(), key) << action->text().toStdString();
  }
}

TEST(MainFrame, ClosingAndReopeningRestoresTheTreeWhereItWas) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  DocumentWindow* tree = ws.frame().showProjectTree(false);
  ASSERT_NE(tree, nullptr);
  tree->setGeometry(30, 40, 300, 200);
  ASSERT_TRUE(ws.frame().closeProjectCommand());
  EXPECT_EQ(ws.frame().findWindow(app::WindowKind::ProjectTree), nullptr);
  EXPECT_EQ(ws.projectValue("DEMO", "WINDOWS", "ProjectTree"), "0,1,-1,-1,-1,-1,30,40,330,240");
  ASSERT_TRUE(ws.frame().session()->openProject("DEMO"));
  DocumentWindow* again = ws.frame().findWindow(app::WindowKind::ProjectTree);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->geometry(), QRect(30, 40, 300, 200));
}

TEST(MainFrame, RemembersEditorsItCannotShowYet) {
  UiWorkspace ws;
  platform::WriteProfileString(ws.projectFile("DEMO"), "MODULES", "SRC_6",
                               "CZ0P07V1.kop,0,Ladder program");
  platform::WriteProfileString(ws.projectFile("DEMO"), "WINDOWS", "CZ0P07V1.kop",
                               "0,1,-1,-1,-1,-1,5,6,105,106");
  ASSERT_TRUE(ws.start());
  EXPECT_EQ(
      ws.answers().texts(),
      std::vector<std::string>{"Sorry, Ladder Diagram is not yet implemented in this version."});
  ASSERT_TRUE(ws.frame().closeProjectCommand());
  EXPECT_EQ(ws.projectValue("DEMO", "WINDOWS", "CZ0P07V1.kop"), "0,1,-1,-1,-1,-1,5,6,105,106");
}

TEST(MainFrame, ReopensStatementListEditorsWhereTheyStood) {
  UiWorkspace ws;
  platform::WriteProfileString(ws.projectFile("DEMO"), "WINDOWS", "CZ0P01V1.awl",
                               "0,1,-1,-1,-1,-1,5,6,405,306");
  ASSERT_TRUE(ws.start());
  DocumentWindow* editor = ws.frame().findWindow(app::WindowKind::StlEditor, "CZ0P01V1.awl");
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->geometry(), QRect(5, 6, 400, 300));
  ASSERT_TRUE(ws.frame().closeProjectCommand());
  EXPECT_EQ(ws.projectValue("DEMO", "WINDOWS", "CZ0P01V1.awl"), "0,1,-1,-1,-1,-1,5,6,405,306");
}

TEST(MainFrame, UnknownWindowNameFailsWithTheProgramMessage) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  EXPECT_FALSE(ws.frame().openWindowByName("CZ0P42V1.awl"));
  EXPECT_EQ(ws.answers().texts(),
            std::vector<std::string>{"'CZ0P42V1.awl'\n\nFailed to open this program."});
  EXPECT_TRUE(ws.frame().openWindowByName("projecttree"));
  EXPECT_NE(ws.frame().projectTree(), nullptr);
}

// The default place, 0,0 to 250,350, made wider when the program names need it: every
// item's text shows in full, collapsed groups' too.
void ExpectDefaultTreePlacement(DocumentWindow& window) {
  EXPECT_EQ(window.geometry().topLeft(), QPoint(0, 0));
  EXPECT_EQ(window.height(), 350);
  EXPECT_GE(window.width(), 250);
  auto* tree = qobject_cast<ProjectTree*>(window.widget());
  ASSERT_NE(tree, nullptr);
  tree->expandAll();
  // Through the view base: the tree keeps its measure protected.
  const QAbstractItemView* view = tree;
  EXPECT_LE(view->sizeHintForColumn(0), tree->viewport()->width());
}

TEST(MainFrame, ResetTreePlacementUsesTheDefault) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  DocumentWindow* tree = ws.frame().showProjectTree(false);
  tree->setGeometry(100, 100, 400, 400);
  ws.frame().actions().projectTree->trigger();
  ExpectDefaultTreePlacement(*tree);
}

TEST(MainFrame, AProjectWithoutRememberedWindowsShowsItsTree) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  DocumentWindow* tree = ws.frame().findWindow(app::WindowKind::ProjectTree);
  ASSERT_NE(tree, nullptr);
  ExpectDefaultTreePlacement(*tree);
}

TEST(MainFrame, AnswersTheIdentityQuestionOfOtherPrograms) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  bool answered = false;
  for (platform::TargetId id = 1; id < 4096 && !answered; ++id) {
    if (!platform::TargetExists(id) || platform::TargetThread(id) != platform::CurrentThreadId())
      continue;
    answered =
        platform::DispatchMessage({id, platform::RegisterMessage("I_am_a_ZEL_program"), 0, 0}) == 1;
  }
  EXPECT_TRUE(answered);
}

TEST(FrameTitle, NamesProjectCommentAndTypeLabel) {
  UiWorkspace ws;
  platform::WriteProfileString(ws.projectFile("PUMPS"), "PROJECT", "TARGET", "RUD2");
  ASSERT_TRUE(ws.start());
  ASSERT_TRUE(ws.frame().session()->openProject("PUMPS"));
  const std::string comment = ws.projectValue("PUMPS", "PROJECT", "COMMENT");
  EXPECT_EQ(FrameTitle(ws.frame().session()->model()),
            "ZEL - PUMPS (" + comment + ") - RUD Standard");
}

}  // namespace
}  // namespace zel::ui::testing
