// The preferences dialog's checks and what its OK writes.

#include "ui/dialogs/preferences_dialog.h"

#include <gtest/gtest.h>

#include "app/preferences/communication_settings.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

using platform::Answer;

TEST(PreferencesDialog, RefusesAnEmptyPathAndAnIncompleteAddress) {
  struct Row {
    QString dir;
    QString address;
    std::string message;
  };
  const std::vector<Row> rows = {
      {"", "127.0.0.1", "Please enter a project path."},
      {"./Projects", "10.0..1", "Please enter a number for each field of the IP address"},
  };
  for (const auto& row : rows) {
    UiWorkspace ws;
    ASSERT_TRUE(ws.start());
    PreferencesDialog dialog(ws.frame().preferences(), nullptr);
    dialog.projectDirectory->setText(row.dir);
    dialog.useTcpip->setChecked(true);
    dialog.ipAddress->setText(row.address);
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(ws.answers().texts(), std::vector<std::string>{row.message});
  }
}

TEST(PreferencesDialog, SaveInProjectWritesTheProjectAndOtherwiseThePreferences) {
  for (const bool inProject : {true, false}) {
    UiWorkspace ws;
    ASSERT_TRUE(ws.start());
    const app::ProjectFile& project = ws.frame().session()->model().file();
    PreferencesDialog dialog(ws.frame().preferences(), &project);
    EXPECT_FALSE(dialog.saveInProject->isChecked());
    dialog.ipAddress->setText("10.1.2.3");
    dialog.saveInProject->setChecked(inProject);
    dialog.accept();
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.outcome().communicationChanged);
    EXPECT_EQ(ws.projectValue("DEMO", "PREFERENCES", "IP_CI_ADDRESS"), inProject ? "10.1.2.3" : "");
    EXPECT_EQ(ws.pref("IP_CI_ADDRESS"), inProject ? "127.0.0.1" : "10.1.2.3");
    EXPECT_EQ(app::ConnectionString(
                  app::ReadCommunicationSettings(ws.frame().preferences(), &project).values),
              "TCPIP 10.1.2.3");
  }
}

TEST(PreferencesDialog, WritesEditorChoicesFontsAndMargins) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  PreferencesDialog dialog(ws.frame().preferences(), nullptr);
  dialog.useElse->setChecked(true);
  dialog.setEditorFont(app::FontSetting{"Courier New", app::PointsToHeight(10, 96), 400, false});
  dialog.marginLeft->setValue(25);
  dialog.accept();
  EXPECT_EQ(
      ws.answers().texts(),
      std::vector<std::string>{"Change will take effect\nnext time an editor window is opened."});
  EXPECT_EQ(ws.pref("STL_ELSE_OTHRW"), "1");
  EXPECT_EQ(ws.pref("PRINT_MARGINS"), "25,8,8,8");
  EXPECT_EQ(ws.pref("STL_FONT"), "Courier New,10,400,0");
  EXPECT_FALSE(dialog.outcome().newProjectDirectory.has_value());
}

TEST(PreferencesDialog, OnlyAnotherProjectDirectoryClosesTheProjectAndSwitches) {
  const std::vector<std::pair<QString, std::string>> rows = {
      {"./Other", "Other"}, {"./Projects/", "Projects"}, {"Projects/.", "Projects"}};
  for (const auto& [entry, directory] : rows) {
    UiWorkspace ws;
    ASSERT_TRUE(ws.start());
    fs::create_directory(ws.dir() / "Other");
    WhenModal([entry](QWidget& modal) {
      auto& dialog = dynamic_cast<PreferencesDialog&>(modal);
      dialog.projectDirectory->setText(entry);
      dialog.accept();
    });
    ws.frame().preferencesDialog();
    const bool switched = directory == "Other";
    EXPECT_EQ(ws.frame().session()->model().isOpen(), !switched) << entry.toStdString();
    EXPECT_EQ(ws.frame().session()->projectDirectory().filename(), directory);
    EXPECT_EQ(fs::exists(ws.projects() / "DEMO" / "Project._PA"), !switched);
  }
}

}  // namespace
}  // namespace zel::ui::testing
