// The wizard on the offscreen platform: the pages hand the user's choices to the core,
// and the last page reports what was converted and what was not.

#include "tools/orvix/wizard/orvix_wizard.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QPushButton>

#include "orvix/v3_fixture.h"
#include "platform/profile.h"
#include "support/temp_dir.h"
#include "tools/orvix/wizard/select_controller_dialog.h"

namespace zel::orvix {
namespace {

using zel::test::TempDir;

TEST(OrvixWizard, ConvertsTheSelectedProjectsWithTheChosenTypes) {
  TempDir tmp;
  const test::Installation in = test::MakeInstallation(tmp.path());
  test::WritePlantProject(in);
  in.write(in.v3Project("BETA") / "eacfg.rud", "");
  in.write(in.v3Project("SKIPPED") / "c.doc", "");
  in.write(in.projectDirectory() / "BETA" / "mine.txt", "");
  in.writeProjectList({{"PLANT", "Pumpenh\x81tte"}, {"BETA", "b"}, {"SKIPPED", ""}});

  OrvixWizard wizard(in.programDirectory(), in.projectDirectory());
  wizard.show();
  EXPECT_EQ(wizard.windowTitle(), "ZEL-KZC V3.x to V4 Converter");
  wizard.folderPage()->choose(in.v3Project("PLANT"));  // a project's own folder will do
  EXPECT_EQ(wizard.folderPage()->chosen(), in.v3Project("PLANT"));
  EXPECT_TRUE(wizard.folderPage()->isComplete());
  wizard.next();

  ProjectsPage* projects = wizard.projectsPage();
  EXPECT_EQ(projects->title(), "ZEL 3 to 4 Converter - Select one or more ZEL Projects");
  QListWidget* list = projects->list();
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(0)->text(), QString::fromUtf8("PLANT\tPumpenh\u00FCtte"));
  EXPECT_EQ(list->item(1)->text(), "BETA\tb");
  EXPECT_FALSE(projects->isComplete());
  list->item(0)->setSelected(true);
  list->item(1)->setSelected(true);
  EXPECT_TRUE(projects->isComplete());
  wizard.next();

  std::vector<std::pair<std::string, app::ControllerType>> asked;
  wizard.convertPage()->chooseType = [&](const V3Project& project, app::ControllerType detected) {
    asked.emplace_back(project.name, detected);
    return std::optional(app::ControllerType::Vm2x);
  };
  EXPECT_FALSE(wizard.convertPage()->validatePage());  // converts and shows the summary
  EXPECT_EQ(asked, (std::vector<std::pair<std::string, app::ControllerType>>{
                       {"PLANT", app::ControllerType::Vm1x}}));
  const QString summary = wizard.convertPage()->summary();
  EXPECT_TRUE(summary.contains("Converted:\n  PLANT (VM2X)\n")) << summary.toStdString();
  EXPECT_TRUE(summary.contains("Skipped:\n  BETA: Project exists yet.\n")) << summary.toStdString();
  EXPECT_FALSE(summary.contains("SKIPPED"));
  EXPECT_EQ(platform::ReadProfileString(in.projectDirectory() / "PLANT" / "Project.FW4", "PROJECT",
                                        "TARGET", ""),
            "VM2X");
  EXPECT_TRUE(wizard.convertPage()->validatePage());  // the second Finish closes
}

TEST(OrvixWizard, StopCancelsTheRunningProjectAndConvertsNoFurther) {
  TempDir tmp;
  const test::Installation in = test::MakeInstallation(tmp.path());
  for (std::string_view name : {"ONE", "TWO"}) in.write(in.v3Project(name) / "c.doc", "doc");
  in.writeProjectList({{"ONE", ""}, {"TWO", ""}});

  OrvixWizard wizard(in.programDirectory(), in.projectDirectory());
  wizard.show();
  wizard.folderPage()->choose(in.v3());
  wizard.next();
  wizard.projectsPage()->list()->selectAll();
  wizard.next();
  QPushButton* stop = nullptr;
  for (auto* button : wizard.convertPage()->findChildren<QPushButton*>()) {
    if (button->text() == "Stop") stop = button;
  }
  ASSERT_NE(stop, nullptr);
  EXPECT_FALSE(stop->isEnabled());
  int asked = 0;
  wizard.convertPage()->chooseType = [&](const V3Project&, app::ControllerType detected) {
    ++asked;
    EXPECT_TRUE(stop->isEnabled());
    stop->click();  // while the first project is about to run
    return std::optional(detected);
  };
  EXPECT_FALSE(wizard.convertPage()->validatePage());
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(stop->isEnabled());
  const QString summary = wizard.convertPage()->summary();
  EXPECT_TRUE(summary.contains("Converted:\n  none\n")) << summary.toStdString();
  EXPECT_TRUE(
      summary.contains("  ONE: Not converted: cancelled.\n  TWO: Not converted: cancelled.\n"))
      << summary.toStdString();
  EXPECT_TRUE(std::filesystem::is_empty(in.projectDirectory()));
}

TEST(SelectControllerDialog, OffersTheFiveTypesWithTheDetectedOnePreset) {
  for (const auto& info : app::ControllerTypes()) {
    SelectControllerDialog dialog("P", info.type);
    EXPECT_EQ(dialog.windowTitle(), "Select Controller");
    EXPECT_EQ(dialog.chosen(), info.type) << info.name;
    const auto* types = dialog.findChild<QListWidget*>();
    ASSERT_NE(types, nullptr);
    QStringList labels;
    for (int row = 0; row < types->count(); ++row) labels << types->item(row)->text();
    EXPECT_EQ(labels, (QStringList{"RUD Compact", "RUD Standard", "VM0X", "VM1X", "VM2X"}));
  }
}

}  // namespace
}  // namespace zel::orvix
