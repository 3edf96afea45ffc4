#include "app/settings/controller_settings.h"

#include <gtest/gtest.h>

#include "app/project/project_file.h"
#include "app/settings/controller_settings_summary.h"
#include "platform/profile.h"
#include "platform/timebase.h"
#include "support/temp_dir.h"

namespace zel::app {
namespace {

using test::TempDir;

class ControllerSettingsTest : public ::testing::Test {
 protected:
  void writeProject(std::string_view content) { m_dir.writeFile("P/Project.FW4", content); }
  std::string fileBytes() const { return m_dir.readFile("P/Project.FW4"); }

  TempDir m_dir;
  ProjectFile m_file{m_dir / "P" / "Project.FW4"};
  ControllerSettings m_settings{m_file};
};

TEST_F(ControllerSettingsTest, DefaultsFollowTheControllerType) {
  struct {
    const char* type;
    const char* drives;  // project, start-up, kernel
    const char* port;
  } const cases[] = {
      {"RUD", "BBA", "0"},  {"RUD2", "BBA", "0"}, {"VM0X", "BBA", "0"}, {"VM1X", "CCA", "1"},
      {"vm1x", "CCA", "1"}, {"VM2X", "CCC", "1"}, {"XYZ", "CCC", "1"},
  };
  for (const auto& c : cases) {
    writeProject(std::string("[PROJECT]\r\nTARGET=") + c.type + "\r\n");
    const ControllerSettingsValues v = m_settings.read();
    EXPECT_EQ(v.driveProject + v.driveStartup + v.driveKernel, c.drives) << c.type;
    EXPECT_EQ(v.kernelComPort, c.port) << c.type;
    EXPECT_EQ(v.runMode, 12) << c.type;
    EXPECT_EQ(v.externalInput, "0.0");
    EXPECT_EQ(v.externalOutput, "0.0");
    EXPECT_EQ(v.errorProgram, 0);
    EXPECT_FALSE(v.downloadStopPrograms);
    EXPECT_FALSE(v.downloadSources);
    EXPECT_TRUE(v.downloadNewDrivers);
    EXPECT_EQ(v.kernelParams, "");
    EXPECT_EQ(v.password, "");
  }
}

TEST_F(ControllerSettingsTest, EmptyValuesCountAsAbsent) {
  writeProject(
      "[PROJECT]\r\nTARGET=VM1X\r\n[VM1X_SETTINGS]\r\nRUN_MODE=\r\nEXTERNAL_INPUT=\r\n"
      "DRIVE_PROJECT=\r\nKERNEL_COM_PORT=\r\n");
  const ControllerSettingsValues v = m_settings.read();
  EXPECT_EQ(v.runMode, 12);
  EXPECT_EQ(v.externalInput, "0.0");
  EXPECT_EQ(v.driveProject, "C");
  EXPECT_EQ(v.kernelComPort, "1");
}

TEST_F(ControllerSettingsTest, DownloadOptionsReadTheirFirstCharacter) {
  struct {
    const char* value;
    bool stopPrograms;  // and sources: on unless empty or starting with "0"
    bool newDrivers;    // on when empty or starting with "1"
  } const cases[] = {
      {"", false, true},  {"0", false, false}, {"1", true, true},    {"01", false, false},
      {"10", true, true}, {"2", true, false},  {"yes", true, false},
  };
  for (const auto& c : cases) {
    writeProject(std::string("[PROJECT]\r\nTARGET=VM1X\r\n[VM1X_SETTINGS]\r\n") +
                 "DOWNLOAD_STOP_PROGRAMS=" + c.value + "\r\nDOWNLOAD_SRC=" + c.value +
                 "\r\nDOWNLOAD_NEWDRIVERS=" + c.value + "\r\n");
    EXPECT_EQ(m_settings.downloadStopPrograms(), c.stopPrograms) << "'" << c.value << "'";
    EXPECT_EQ(m_settings.downloadSources(), c.stopPrograms) << "'" << c.value << "'";
    EXPECT_EQ(m_settings.downloadNewDrivers(), c.newDrivers) << "'" << c.value << "'";
  }
}

TEST_F(ControllerSettingsTest, EachTypeKeepsItsOwnSectionButThePasswordIsShared) {
  writeProject("[PROJECT]\r\nTARGET=VM1X\r\n");
  m_settings.setDriveKernel("D");
  m_settings.setPassword("pw");
  EXPECT_EQ(m_file.read("VM1X_SETTINGS", "DRIVE_KERNEL"), "D");
  EXPECT_EQ(m_file.read("PROJECT", "PASSWORD"), "pw");
  m_file.setTarget("RUD2");
  EXPECT_EQ(m_settings.section(), "RUD2_SETTINGS");
  EXPECT_EQ(m_settings.driveKernel(), "A");
  EXPECT_EQ(m_settings.password(), "pw");
  m_file.setTarget("VM1X");
  EXPECT_EQ(m_settings.driveKernel(), "D");
}

TEST_F(ControllerSettingsTest, ConfirmingWithoutAChangeWritesNothing) {
  writeProject(
      "[PROJECT]\r\nTARGET=VM1X\r\nTIMESTAMP=5l\r\n; note\r\n[VM1X_SETTINGS]\r\n"
      "DRIVE_PROJECT=c\r\nKERNEL_PARAMS=/X\r\n");
  const std::string before = fileBytes();
  const ControllerSettingsValues read = m_settings.read();
  ControllerSettingsValues edited = read;
  edited.driveProject = "C";  // texts compare without regard to case
  edited.kernelParams = "/x";
  EXPECT_FALSE(m_settings.apply(read, edited));
  EXPECT_EQ(fileBytes(), before);
}

TEST_F(ControllerSettingsTest, ChangingOnlyThePasswordWritesItAndTheTimeStamp) {
  writeProject("[PROJECT]\r\nTARGET=VM1X\r\nPASSWORD=abc\r\n");
  const ControllerSettingsValues read = m_settings.read();
  ControllerSettingsValues edited = read;
  edited.password = "ABC";  // the password compares exactly
  const auto start = platform::Now();
  EXPECT_TRUE(m_settings.apply(read, edited));
  const auto doc = platform::IniDocument::parse(fileBytes());
  EXPECT_EQ(doc.sections(), std::vector<std::string>{"PROJECT"});
  EXPECT_EQ(doc.keys("PROJECT"), (std::vector<std::string>{"TARGET", "PASSWORD", "TIMESTAMP"}));
  EXPECT_EQ(doc.get("PROJECT", "PASSWORD"), "ABC");
  const auto stamp = m_file.timestamp();
  ASSERT_TRUE(stamp);
  EXPECT_GE(*stamp, start);
  EXPECT_LE(*stamp, platform::Now());
}

TEST_F(ControllerSettingsTest, ClearedCheckBoxKeepsTheOperandText) {
  writeProject(
      "[PROJECT]\r\nTARGET=VM1X\r\n[VM1X_SETTINGS]\r\nRUN_MODE=14\r\nEXTERNAL_INPUT=3.4\r\n");
  const ControllerSettingsValues read = m_settings.read();
  ControllerSettingsValues edited = read;
  edited.runMode &= ~kRunModeRunStopInput;
  EXPECT_TRUE(m_settings.apply(read, edited));
  const auto doc = platform::IniDocument::parse(fileBytes());
  EXPECT_EQ(doc.keys("VM1X_SETTINGS"), (std::vector<std::string>{"RUN_MODE", "EXTERNAL_INPUT"}));
  EXPECT_EQ(doc.get("VM1X_SETTINGS", "RUN_MODE"), "12");
  EXPECT_EQ(doc.get("VM1X_SETTINGS", "EXTERNAL_INPUT"), "3.4");
}

TEST_F(ControllerSettingsTest, EveryChangedValueIsWrittenInItsStoredForm) {
  writeProject("[PROJECT]\r\nTARGET=VM2X\r\n");
  const ControllerSettingsValues read = m_settings.read();
  ControllerSettingsValues edited = read;
  edited.runMode = 31;
  edited.externalInput = "1.2";
  edited.externalOutput = "3.4";
  edited.errorProgram = 9;
  edited.downloadStopPrograms = true;
  edited.driveProject = "D";
  edited.driveStartup = "B";
  edited.driveKernel = "A";
  edited.kernelComPort = "2";
  edited.kernelParams = "/Q";
  edited.downloadSources = true;
  edited.downloadNewDrivers = false;
  ASSERT_TRUE(m_settings.apply(read, edited));
  const auto doc = platform::IniDocument::parse(fileBytes());
  const std::pair<const char*, const char*> expected[] = {
      {"RUN_MODE", "31"},      {"EXTERNAL_INPUT", "1.2"},       {"EXTERNAL_OUTPUT", "3.4"},
      {"ERROR_PRGM", "9"},     {"DOWNLOAD_STOP_PROGRAMS", "1"}, {"DRIVE_PROJECT", "D"},
      {"DRIVE_STARTUP", "B"},  {"DRIVE_KERNEL", "A"},           {"KERNEL_COM_PORT", "2"},
      {"KERNEL_PARAMS", "/Q"}, {"DOWNLOAD_SRC", "1"},           {"DOWNLOAD_NEWDRIVERS", "0"},
  };
  for (const auto& [key, value] : expected) {
    EXPECT_EQ(doc.get("VM2X_SETTINGS", key), value) << key;
  }
  EXPECT_EQ(m_settings.read(), edited);
}

TEST(ControllerSettingsSummaryTest, BlocksOfPaddedLabels) {
  ControllerSettingsValues v;
  v.runMode = kRunModeAutostart | kRunModeErrorOutput | kRunModeResetOutputs;
  v.externalInput = "1.1";
  v.externalOutput = "7.3";
  v.errorProgram = 5;
  v.driveProject = "C";
  v.driveStartup = "C";
  v.driveKernel = "A";
  v.kernelComPort = "0";
  v.kernelParams = "/V";
  const std::string expected =
      "Controller Settings\n"
      "\n"
      "Run Mode\n"
      "Autostart                     : YES\n"
      "Run/Stop Input                : NO\n"
      "Stop during Download          : NO\n"
      "Error Output                  : 7.3\n"
      "Error Program                 : 5\n"
      "Reset Programs                : NO\n"
      "Reset Outputs                 : YES\n"
      "\n"
      "Drives\n"
      "Project Drive                 : C\n"
      "Start-up Drive                : C\n"
      "Kernel Drive                  : A\n"
      "\n"
      "CI Options\n"
      "Controller CI port            :  internal COM port\n"
      "Special Parameters            : /V\n"
      "\n"
      "Password\n"
      "Password                      : <none>\n"
      "\n"
      "Download\n"
      "Download Sources              : NO\n";
  EXPECT_EQ(SettingsSummary(v), expected);

  v.kernelComPort = "2";
  v.password = "secret";
  const std::string text = SettingsSummary(v);
  EXPECT_NE(text.find("Controller CI port            : COM2\n"), std::string::npos);
  EXPECT_NE(text.find("Password                      : secret\n"), std::string::npos);
}

}  // namespace
}  // namespace zel::app
