// The project dialogs: New, Open, Project Explorer (list, sort, rename, delete, copy)
// and Project Settings.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>

#include "ui/project/project_explorer_dialog.h"
#include "ui/project/project_name_dialog.h"
#include "ui/project/project_settings_dialog.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

using platform::Answer;

QStringList Names(ProjectListView& list) {
  QStringList names;
  for (int row = 0; row < list.model().rowCount(); ++row) {
    names << list.model().index(row, 0).data().toString();
  }
  return names;
}

TEST(NewProject, RefusesBadNamesWithTheirMessagesAndKeepsTheDialogOpen) {
  const std::vector<std::pair<QString, std::string>> rows = {
      {"", "Please enter a project name."},
      {"A B", "The  project name must not contain spaces."},
      {"pumps", "A project with the same name already exists."},
  };
  for (const auto& [name, message] : rows) {
    UiWorkspace ws;
    ASSERT_TRUE(ws.start());
    WhenModal([name](QWidget& modal) {
      auto& dialog = dynamic_cast<ProjectNameDialog&>(modal);
      dialog.nameField()->setText(name);
      dialog.accept();
      EXPECT_TRUE(dialog.isVisible());
      dialog.reject();
    });
    ws.frame().newProject();
    EXPECT_EQ(ws.answers().texts(), std::vector<std::string>{message}) << name.toStdString();
    EXPECT_EQ(ws.frame().session()->model().name(), "DEMO");
  }
}

TEST(NewProject, CreatesOpensAndShowsTheSettings) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  WhenModal([](QWidget& modal) {
    auto& dialog = dynamic_cast<ProjectNameDialog&>(modal);
    EXPECT_EQ(dialog.windowTitle(), "New Project");
    dialog.nameField()->setText("LINE2");
    WhenModal([](QWidget& next) {
      auto& settings = dynamic_cast<ProjectSettingsDialog&>(next);
      settings.commentField()->setText("Second line");
      settings.controllerField()->setCurrentText("RUD Compact");
      settings.accept();
    });
    dialog.accept();
  });
  ws.frame().newProject();
  EXPECT_EQ(ws.frame().session()->model().name(), "LINE2");
  EXPECT_EQ(ws.projectValue("LINE2", "PROJECT", "COMMENT"), "Second line");
  EXPECT_EQ(ws.projectValue("LINE2", "PROJECT", "TARGET"), "RUD");
  EXPECT_EQ(ws.frame().windowTitle(), "ZEL - LINE2 (Second line) - RUD Compact");
  EXPECT_NE(ws.frame().projectTree(), nullptr);
}

TEST(OpenProject, AnUnknownNameKeepsTheDialogOpen) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  WhenModal([](QWidget& modal) {
    auto& dialog = dynamic_cast<ProjectNameDialog&>(modal);
    dialog.nameField()->setText("NOSUCH");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    dialog.projectList()->selectName("PUMPS");
    EXPECT_EQ(dialog.name(), "PUMPS");
    dialog.accept();
  });
  ws.frame().openProjectDialog();
  EXPECT_EQ(ws.answers().texts(),
            std::vector<std::string>{"Project not found in the current project directory."});
  EXPECT_EQ(ws.frame().session()->model().name(), "PUMPS");
}

TEST(ProjectExplorer, SortsByTheClickedColumnAndReversesOnASecondClick) {
  UiWorkspace ws;
  fs::create_directory(ws.projects() / "NOTAPROJ");
  ASSERT_TRUE(ws.start());
  ProjectExplorerDialog dialog(*ws.frame().session(), {});
  ProjectListView& list = *dialog.projectList();
  EXPECT_EQ(Names(list), (QStringList{"DEMO", "PUMPS"}));
  QHeaderView* header = list.reportView()->horizontalHeader();
  emit header->sectionClicked(0);
  EXPECT_EQ(Names(list), (QStringList{"PUMPS", "DEMO"}));
  emit header->sectionClicked(0);
  EXPECT_EQ(Names(list), (QStringList{"DEMO", "PUMPS"}));
  list.typeFilter()->setCurrentText("RUD Compact");
  EXPECT_TRUE(Names(list).isEmpty());
  EXPECT_FALSE(list.reportView()->isEnabled());
}

TEST(ProjectExplorer, RenamesInPlaceAndReopensTheOpenProject) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ProjectExplorerDialog dialog(*ws.frame().session(), {});
  ProjectListModel& model = dialog.projectList()->model();
  model.setData(model.index(model.rowOf("DEMO"), 0), "BOTTLES", Qt::EditRole);
  ProcessEvents();
  EXPECT_TRUE(fs::exists(ws.projectFile("BOTTLES")));
  EXPECT_EQ(ws.frame().session()->model().name(), "BOTTLES");
  model.setData(model.index(model.rowOf("BOTTLES"), 0), "PUMPS", Qt::EditRole);
  ProcessEvents();
  EXPECT_EQ(ws.answers().texts(),
            std::vector<std::string>{"A project with the same name already exists."});
  EXPECT_EQ(ws.frame().session()->model().name(), "BOTTLES");
  EXPECT_EQ(dialog.projectList()->selectedNames(), QStringList{"BOTTLES"});
}

TEST(ProjectExplorer, InsertAndDeleteKeysActOnTheListButNotWhileANameIsEdited) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  int newCalls = 0;
  ProjectExplorerDialog::Commands commands;
  commands.newProject = [&] {
    ++newCalls;
    return QString();
  };
  ProjectExplorerDialog dialog(*ws.frame().session(), commands);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  ProjectListView& list = *dialog.projectList();
  list.selectName("PUMPS");
  list.reportView()->setFocus();
  ProcessEvents();
  ASSERT_EQ(QApplication::focusWidget(), list.reportView());
  const auto press = [](Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(QApplication::focusWidget(), &event);
  };
  ws.answers().push(Answer::No);
  press(Qt::Key_Delete);
  press(Qt::Key_Insert);
  EXPECT_EQ(ws.answers().texts().size(), 1u);
  EXPECT_EQ(newCalls, 1);
  list.editCurrentName();
  ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
  press(Qt::Key_Insert);
  press(Qt::Key_Delete);
  EXPECT_EQ(newCalls, 1);
  EXPECT_EQ(ws.answers().texts().size(), 1u);
  EXPECT_TRUE(fs::exists(ws.projectFile("PUMPS")));
}

TEST(ProjectExplorer, DeleteAsksForEachSelectedProject) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ProjectExplorerDialog dialog(*ws.frame().session(), {});
  dialog.projectList()->selectName("PUMPS");
  ws.answers().push(Answer::No);
  dialog.deleteSelected();
  EXPECT_TRUE(fs::exists(ws.projectFile("PUMPS")));
  ws.answers().push(Answer::Yes);
  dialog.deleteSelected();
  EXPECT_FALSE(fs::exists(ws.projects() / "PUMPS"));
  EXPECT_EQ(ws.answers().texts(),
            std::vector<std::string>(2, "'PUMPS'\n\nDo you really want to delete this project?"));
  EXPECT_EQ(Names(*dialog.projectList()), QStringList{"DEMO"});
}

TEST(ProjectExplorer, CopyAddsAndSelectsTheCopy) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ProjectExplorerDialog dialog(*ws.frame().session(), {});
  dialog.projectList()->selectName("PUMPS");
  WhenModal([](QWidget& modal) {
    auto& name = dynamic_cast<ProjectNameDialog&>(modal);
    EXPECT_EQ(name.windowTitle(), "Copy Project");
    EXPECT_EQ(name.name(), "PUMPS");
    name.nameField()->setText("PUMPS2");
    name.accept();
  });
  dialog.copySelected();
  EXPECT_TRUE(fs::exists(ws.projects() / "PUMPS2" / "CZ0P00V1.awl"));
  EXPECT_EQ(dialog.projectList()->selectedNames(), QStringList{"PUMPS2"});
}

TEST(ProjectSettings, ChangesCommentAndTypeOfTheOpenProject) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ProjectSettingsDialog dialog(*ws.frame().session(), "DEMO");
  EXPECT_EQ(dialog.controllerField()->currentText(), "VM1X");
  dialog.commentField()->setText("Renamed line");
  dialog.controllerField()->setCurrentText("VM2X");
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(ws.projectValue("DEMO", "PROJECT", "TARGET"), "VM2X");
  EXPECT_EQ(ws.frame().windowTitle(), "ZEL - DEMO (Renamed line) - VM2X");
}

}  // namespace
}  // namespace zel::ui::testing
