// The controller settings dialog: what each controller type enables, the checks of the
// "Run Mode" page and writing only what changed.

#include "ui/dialogs/controller_settings_dialog.h"

#include <gtest/gtest.h>

#include "app/settings/controller_settings.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

QStringList Items(const QComboBox* box) {
  QStringList items;
  for (int i = 0; i < box->count(); ++i) items << box->itemText(i);
  return items;
}

class ControllerSettingsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_ws.start());
    m_file = m_ws.frame().session()->model().projectFilePath();
  }
  app::ControllerSettings settings() const {
    return app::ControllerSettings(app::ProjectFile(m_file));
  }
  std::string fileText() const { return test::ReadFile(m_file); }

  UiWorkspace m_ws;
  fs::path m_file;
};

TEST_F(ControllerSettingsDialogTest, EnablesDrivesAndPortsByType) {
  struct Row {
    std::string type;
    bool drives;
    bool port;
    QStringList ports;
  };
  const std::vector<Row> rows = {
      {"RUD", false, false, {"0", "1", "2"}}, {"RUD2", false, false, {"0", "1", "2"}},
      {"VM0X", false, true, {"0", "1", "2"}}, {"VM1X", true, true, {"1", "2"}},
      {"VM2X", true, true, {"1", "2"}},       {"XYZ", true, true, {"0", "1", "2"}},
  };
  for (const auto& row : rows) {
    app::ProjectFile(m_file).setTarget(row.type);
    app::ProjectFile(m_file).removeSection(row.type + "_SETTINGS");
    ControllerSettingsDialog dialog(settings());
    EXPECT_EQ(dialog.driveProject->isEnabled(), row.drives) << row.type;
    EXPECT_EQ(dialog.driveKernel->isEnabled(), row.drives) << row.type;
    EXPECT_EQ(dialog.comPort->isEnabled(), row.port) << row.type;
    EXPECT_EQ(Items(dialog.comPort), row.ports) << row.type;
  }
}

TEST_F(ControllerSettingsDialogTest, OkWithoutAChangeWritesNothing) {
  const std::string before = fileText();
  ControllerSettingsDialog dialog(settings());
  dialog.accept();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(fileText(), before);
}

TEST_F(ControllerSettingsDialogTest, APasswordAloneWritesPasswordAndTimeStamp) {
  const std::string stamp = m_ws.projectValue("DEMO", "PROJECT", "TIMESTAMP");
  const std::string section = platform::ReadProfileString(m_file, "VM1X_SETTINGS", "RUN_MODE", "");
  ControllerSettingsDialog dialog(settings());
  dialog.password->setText("Secret");
  dialog.accept();
  EXPECT_EQ(m_ws.projectValue("DEMO", "PROJECT", "PASSWORD"), "Secret");
  EXPECT_EQ(m_ws.projectValue("DEMO", "VM1X_SETTINGS", "EXTERNAL_INPUT"), "");
  EXPECT_EQ(m_ws.projectValue("DEMO", "VM1X_SETTINGS", "RUN_MODE"), section);
  EXPECT_NE(m_ws.projectValue("DEMO", "PROJECT", "TIMESTAMP"), stamp);
}

TEST_F(ControllerSettingsDialogTest, RunModeChecksOperandsOnlyWhileTheirBoxIsSet) {
  struct Row {
    bool checked;
    QString operand;
    QString errorProgram;
    bool accepted;
    std::string message;
  };
  const std::vector<Row> rows = {
      {true, "12.16", "0", false, "Invalid absolute operand!"},
      {true, "255.15", "0", true, ""},
      {false, "12.16", "0", true, ""},
      {true, "1.2", "64", false, "Please enter an integer between 0 and 63."},
      {true, "1.2", "x", false, "Please enter an integer between 0 and 63."},
  };
  for (const auto& row : rows) {
    m_ws.answers().clear();
    ControllerSettingsDialog dialog(settings());
    dialog.runStopInput->setChecked(row.checked);
    dialog.runStopOperand->setText(row.operand);
    dialog.errorProgram->setText(row.errorProgram);
    EXPECT_EQ(dialog.runStopOperand->isEnabled(), row.checked);
    dialog.accept();
    EXPECT_EQ(dialog.result() == QDialog::Accepted, row.accepted) << row.operand.toStdString();
    if (!row.accepted) {
      EXPECT_EQ(m_ws.answers().texts(), std::vector<std::string>{row.message});
    }
  }
  // The last accepted row cleared the box: its text stays, its bit goes.
  EXPECT_EQ(m_ws.projectValue("DEMO", "VM1X_SETTINGS", "EXTERNAL_INPUT"), "12.16");
  EXPECT_EQ(settings().runMode() & app::kRunModeRunStopInput, 0);
}

}  // namespace
}  // namespace zel::ui::testing
