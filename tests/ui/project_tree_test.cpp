// The project tree window and the module dialogs it and the Program menu open.

#include "ui/project/project_tree.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QKeyEvent>
#include <QRegularExpression>
#include <fstream>

#include "ui/project/module_list_dialog.h"
#include "ui/project/new_program_dialog.h"
#include "ui/project/program_properties_dialog.h"
#include "ui/widgets/stored_text.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

using platform::Answer;

ProjectTree& OpenTree(UiWorkspace& ws) {
  ws.frame().showProjectTree(false);
  return *ws.frame().projectTree();
}

void Press(QWidget& widget, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &press);
}

TEST(ProjectTree, ShowsTheNineItemsAndTheModulesOfEachGroup) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ProjectTree& tree = OpenTree(ws);
  QStringList labels;
  for (int i = 0; i < tree.topLevelItemCount(); ++i) labels << tree.topLevelItem(i)->text(0);
  EXPECT_EQ(labels, (QStringList{"Project Settings", "Project Documentation", "Allocation List",
                                 "Programs", "CMPs", "CFMs", "Controller Settings",
                                 "IO Configuration", "Driver Configuration"}));
  QTreeWidgetItem* programs = tree.topItem(app::TreeItem::Programs);
  EXPECT_TRUE(programs->isExpanded());
  EXPECT_FALSE(tree.topItem(app::TreeItem::Cmps)->isExpanded());
  ASSERT_EQ(programs->childCount(), 4);
  EXPECT_EQ(ProjectTree::ModuleOf(programs->child(0)), "CZ0P00V1.awl");
  EXPECT_EQ(programs->child(3)->checkState(0), Qt::Unchecked);  // commissioning tests
  EXPECT_EQ(programs->child(0)->checkState(0), Qt::Checked);
  EXPECT_EQ(tree.topItem(app::TreeItem::Cmps)->childCount(), 1);
  EXPECT_EQ(tree.topItem(app::TreeItem::Cfms)->childCount(), 1);
}

TEST(ProjectTree, SpaceAndCheckClickToggleTheDownloadSelectionAndTheTimeStamp) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ProjectTree& tree = OpenTree(ws);
  const std::string stampBefore = ws.projectValue("DEMO", "PROJECT", "TIMESTAMP");
  tree.setCurrentItem(tree.moduleItem("CZ0P03V1.awl"));
  Press(tree, Qt::Key_Space);
  EXPECT_EQ(tree.moduleItem("CZ0P03V1.awl")->checkState(0), Qt::Checked);
  EXPECT_EQ(ws.projectValue("DEMO", "MODULES", "SRC_3"),
            "CZ0P03V1.awl,1,Commissioning tests, not for production");
  EXPECT_NE(ws.projectValue("DEMO", "PROJECT", "TIMESTAMP"), stampBefore);
  tree.moduleItem("CZ0P03V1.awl")->setCheckState(0, Qt::Unchecked);
  ProcessEvents();
  EXPECT_EQ(ws.projectValue("DEMO", "MODULES", "SRC_3"),
            "CZ0P03V1.awl,0,Commissioning tests, not for production");
  EXPECT_EQ(tree.moduleItem("CZ0P03V1.awl")->checkState(0), Qt::Unchecked);
}

TEST(ProjectTree, DeleteKeyAsksAndDeletesTheModuleWithItsFiles) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ProjectTree& tree = OpenTree(ws);
  tree.setCurrentItem(tree.moduleItem("CZ0P03V1.awl"));
  ws.answers().push(Answer::Yes);
  Press(tree, Qt::Key_Delete);
  EXPECT_EQ(ws.answers().texts().size(), 1u);
  EXPECT_EQ(tree.moduleItem("CZ0P03V1.awl"), nullptr);
  EXPECT_FALSE(fs::exists(ws.projects() / "DEMO" / "CZ0P03V1.awl"));
}

TEST(ProjectTree, OpeningAnImportedModuleIsRefused) {
  UiWorkspace ws;
  platform::WriteProfileString(ws.projectFile("DEMO"), "MODULES", "SRC_6", "CZ0P09V1.IMP,0,Old");
  ASSERT_TRUE(ws.start());
  ProjectTree& tree = OpenTree(ws);
  tree.openItem(tree.moduleItem("CZ0P09V1.IMP"));
  EXPECT_EQ(ws.answers().texts(),
            std::vector<std::string>{"Sorry, imported (i.e. compiled) modules cannot be opened."});
}

TEST(NewProgram, RefusesNumbersOutOfTheKindsRange) {
  struct Row {
    app::ModuleKind kind;
    QString number;
    bool accepted;
    std::string message;
  };
  const std::vector<Row> rows = {
      {app::ModuleKind::Program, "64", false, "Please enter an integer between 0 and 63."},
      {app::ModuleKind::Program, "x", false, "Please enter an integer between 0 and 63."},
      {app::ModuleKind::Cmp, "99", true, ""},
  };
  for (const auto& row : rows) {
    UiWorkspace ws;
    ASSERT_TRUE(ws.start());
    NewProgramDialog dialog(ws.frame().session()->model(), &ws.frame(), row.kind);
    dialog.fields()->numberField()->setText(row.number);
    dialog.accept();
    EXPECT_EQ(dialog.result() == QDialog::Accepted, row.accepted) << row.number.toStdString();
    if (!row.accepted) {
      EXPECT_EQ(ws.answers().texts(), std::vector<std::string>{row.message});
    }
  }
}

TEST(NewProgram, ANewVersionStartsAsACopyAndShowsInTheTree) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ProjectTree& tree = OpenTree(ws);
  NewProgramDialog dialog(ws.frame().session()->model(), &ws.frame(), app::ModuleKind::Program);
  dialog.fields()->numberField()->setText("1");
  dialog.fields()->versionField()->setCurrentText("2");
  dialog.accept();
  ASSERT_NE(tree.moduleItem("CZ0P01V2.awl"), nullptr);
  EXPECT_EQ(test::ReadFile(ws.projects() / "DEMO" / "CZ0P01V2.awl"),
            test::ReadFile(ws.projects() / "DEMO" / "CZ0P01V1.awl"));
}

TEST(ProgramProperties, ANewVersionRenamesTheModuleFiles) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  const fs::path dir = ws.projects() / "DEMO";
  std::ofstream(dir / "CZ0P02V1.LOG") << "log text\n";
  ProgramPropertiesDialog dialog(ws.frame().session()->model(), "CZ0P02V1.awl", &ws.frame());
  ASSERT_EQ(dialog.pages()->count(), 2);
  EXPECT_EQ(dialog.pages()->tabText(1), "Log File");
  // The file's time is the copy's: it is put as <date>.
  const QString info =
      dialog.infoText()->text().replace(QRegularExpression("(Date:\t\t)[^\n]+"), "\\1<date>");
  const std::string source = test::ReadFile(dir / "CZ0P02V1.awl");
  EXPECT_EQ(info, FromStored("File:\t\t" + (dir / "CZ0P02V1.awl").string() + "\nSize:\t\t" +
                             std::to_string(source.size()) +
                             " Bytes\nDate:\t\t<date>\n\nLast Compiled:\t\nLanguage:\tSTL"));
  dialog.fields()->versionField()->setCurrentText("3");
  dialog.accept();
  EXPECT_TRUE(fs::exists(dir / "CZ0P02V3.awl"));
  EXPECT_TRUE(fs::exists(dir / "CZ0P02V3.LOG"));
  EXPECT_FALSE(fs::exists(dir / "CZ0P02V1.awl"));
}

TEST(ModuleLists, FilterAndSortByFileNameReversingOnASecondClick) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ModuleListDialog dialog(ModuleListDialog::Mode::Open, ws.frame().session()->model(), &ws.frame());
  EXPECT_EQ(dialog.listedFileNames(),
            (QStringList{"CZ0B10V1.awl", "CZ0F20V1.awl", "CZ0P00V1.awl", "CZ0P01V1.awl",
                         "CZ0P02V1.awl", "CZ0P03V1.awl"}));
  emit dialog.list()->header()->sectionClicked(0);
  EXPECT_EQ(dialog.listedFileNames().front(), "CZ0P03V1.awl");
  dialog.typeFilter()->setCurrentText("CMPs");
  EXPECT_EQ(dialog.listedFileNames(), QStringList{"CZ0B10V1.awl"});
  dialog.languageFilter()->setCurrentText("OBJ");
  EXPECT_TRUE(dialog.listedFileNames().isEmpty());
  dialog.accept();
  EXPECT_EQ(ws.answers().texts(), std::vector<std::string>{"Please select a program."});
}

TEST(ModuleLists, SelectForDownloadTakesEveryListedCheckMark) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  const std::string stamp = ws.projectValue("DEMO", "PROJECT", "TIMESTAMP");
  ModuleListDialog dialog(ModuleListDialog::Mode::SelectForDownload, ws.frame().session()->model(),
                          &ws.frame());
  for (int i = 0; i < dialog.list()->topLevelItemCount(); ++i) {
    dialog.list()->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
  }
  dialog.accept();
  for (const auto& m : ws.frame().session()->model().modules()) EXPECT_FALSE(m.selected);
  EXPECT_EQ(ws.projectValue("DEMO", "MODULES", "SRC_0"),
            "CZ0P00V1.awl,0,Main cycle: start/stop and mode selection");
  EXPECT_EQ(ws.projectValue("DEMO", "PROJECT", "TIMESTAMP"), stamp);
}

}  // namespace
}  // namespace zel::ui::testing
