#include "app/preferences/preferences.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/preferences/communication_settings.h"
#include "app/preferences/preference_checks.h"
#include "app/project/project_file.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::app {
namespace {

namespace fs = std::filesystem;
using platform::Answer;
using test::ScriptedAnswers;
using test::TempDir;

class PreferencesTest : public ::testing::Test {
 protected:
  void writePreferences(std::string_view lines) {
    m_dir.writeFile("ZEL.INI", "[PREFERENCES]\r\n" + std::string(lines));
  }

  TempDir m_dir;
  Preferences m_prefs{m_dir.path()};
};

TEST_F(PreferencesTest, WithoutAFileEveryKeyHasItsDefault) {
  EXPECT_EQ(m_prefs.projectDirectoryText(), "");
  EXPECT_EQ(m_prefs.projectDirectory(), fs::path());
  EXPECT_EQ(m_prefs.currentProject(), "");
  EXPECT_TRUE(m_prefs.promptForAllocationEntries());
  EXPECT_FALSE(m_prefs.useElseInsteadOfOthrw());
  EXPECT_EQ(m_prefs.editorFont(96), std::nullopt);
  EXPECT_EQ(m_prefs.printFont(96), std::nullopt);
  EXPECT_EQ(m_prefs.printMargins(), (PrintMargins{20, 8, 8, 8}));
  EXPECT_EQ(m_prefs.ciMethod(), 0);
  EXPECT_EQ(m_prefs.comCiPort(), "COM1");
  EXPECT_EQ(m_prefs.comCiBaudRate(), 9600);
  EXPECT_EQ(m_prefs.ipCiAddress(), "0.0.0.0");
  EXPECT_EQ(m_prefs.timeZoneLocalBias(), std::nullopt);
  EXPECT_EQ(m_prefs.timeZoneRemoteBias(), std::nullopt);
  EXPECT_EQ(m_prefs.mainWindow(), std::nullopt);
  EXPECT_EQ(m_prefs.stlBar(), std::nullopt);
  EXPECT_FALSE(fs::exists(m_dir / "ZEL.INI"));  // reading creates nothing
}

TEST_F(PreferencesTest, ReadsAFileOfAnyCaseSpelling) {
  m_dir.writeFile("zel.ini",
                  "[preferences]\r\nauto_alloc_list=0\r\nSTL_ELSE_OTHRW=1\r\n"
                  "STL_FONT=Courier New,10,400,0\r\nPRINT_MARGINS=10,10\r\nCI_METHOD=1\r\n"
                  "COM_CI_PORT=COM3\r\nCOM_CI_BAUDRATE=38400\r\nIP_CI_ADDRESS=10.1.2.3\r\n"
                  "TIMEZONELOCALBIAS=-3600\r\nTIMEZONEREMOTEBIAS=1000000\r\n");
  EXPECT_FALSE(m_prefs.promptForAllocationEntries());
  EXPECT_TRUE(m_prefs.useElseInsteadOfOthrw());
  EXPECT_EQ(m_prefs.editorFont(96), (FontSetting{"Courier New", -13, 400, false}));
  EXPECT_EQ(m_prefs.printMargins(), (PrintMargins{20, 8, 8, 8}));
  EXPECT_EQ(m_prefs.ciMethod(), 1);
  EXPECT_EQ(m_prefs.comCiPort(), "COM3");
  EXPECT_EQ(m_prefs.comCiBaudRate(), 38400);
  EXPECT_EQ(m_prefs.ipCiAddress(), "10.1.2.3");
  EXPECT_EQ(m_prefs.timeZoneLocalBias(), -3600);
  EXPECT_EQ(m_prefs.timeZoneRemoteBias(), std::nullopt);  // the sentinel means absent
}

TEST_F(PreferencesTest, ProjectDirectoryIsMadeAbsoluteAgainstTheProgramDirectory) {
  fs::create_directories(m_dir / "Projects" / "Plant");
  struct {
    const char* stored;
    fs::path expected;
  } const cases[] = {
      {".\\Projects", m_dir / "Projects"},
      {"./Projects/", m_dir / "Projects"},
      {"Projects\\Plant", m_dir / "Projects" / "Plant"},
      {".\\projects\\PLANT", m_dir / "Projects" / "Plant"},  // spelled as on disk
      {"..\\Elsewhere", m_dir.path().parent_path() / "Elsewhere"},
      {"/opt/zel/Projects", "/opt/zel/Projects"},
  };
  for (const auto& c : cases) {
    writePreferences(std::string("PROJECT_DIR=") + c.stored + "\r\n");
    EXPECT_EQ(m_prefs.projectDirectory(), c.expected) << c.stored;
  }
}

TEST_F(PreferencesTest, WritesPathsWithForwardSlashesAndFontsAsPoints) {
  m_prefs.setProjectDirectory(".\\Projects\\Plant");
  EXPECT_EQ(m_prefs.projectDirectoryText(), "./Projects/Plant");

  m_prefs.setEditorFont({"Courier New", -17, 700, true}, 120);
  EXPECT_EQ(m_prefs.read(kKeyStlFont), "Courier New,10,700,1");
  m_prefs.setEditorFont({"Courier New", 0, 400, false}, 120);  // "Default"
  EXPECT_EQ(m_prefs.read(kKeyStlFont, "<absent>"), "<absent>");

  m_prefs.writeLanguage();
  m_prefs.setPrintMargins({15, 10, 5, 5});
  EXPECT_EQ(m_prefs.read(kKeyLanguage), "GB");
  EXPECT_EQ(m_prefs.read(kKeyPrintMargins), "15,10,5,5");
}

// The project's own communication values win while the project is open.
class CommunicationTest : public PreferencesTest {
 protected:
  CommunicationTest() { m_dir.writeFile("P/Project.FW4", "[PROJECT]\r\nTARGET=VM1X\r\n"); }
  ProjectFile m_project{m_dir / "P" / "Project.FW4"};
};

TEST_F(CommunicationTest, ProjectValuesWinOnlyWhenNotEmpty) {
  writePreferences("CI_METHOD=0\r\nCOM_CI_PORT=COM2\r\nCOM_CI_BAUDRATE=19200\r\n");
  m_project.write(kSectionPreferences, kKeyCiMethod, "1");
  m_project.write(kSectionPreferences, kKeyIpCiAddress, "192.168.0.9");
  m_project.write(kSectionPreferences, kKeyComCiPort, "");

  const auto withProject = ReadCommunicationSettings(m_prefs, &m_project);
  EXPECT_EQ(withProject.values, (CommunicationValues{1, "COM2", 19200, "192.168.0.9"}));
  EXPECT_TRUE(withProject.methodFromProject);
  EXPECT_FALSE(withProject.portFromProject);
  EXPECT_FALSE(withProject.baudRateFromProject);
  EXPECT_TRUE(withProject.addressFromProject);
  EXPECT_EQ(ConnectionString(withProject.values), "TCPIP 192.168.0.9");

  const auto withoutProject = ReadCommunicationSettings(m_prefs, nullptr);
  EXPECT_FALSE(withoutProject.anyFromProject());
  EXPECT_EQ(ConnectionString(withoutProject.values), "COM2 19200");
}

TEST(ConnectionStringTest, ByMethod) {
  EXPECT_EQ(ConnectionString({0, "COM1", 9600, "1.2.3.4"}), "COM1 9600");
  EXPECT_EQ(ConnectionString({1, "COM1", 9600, "1.2.3.4"}), "TCPIP 1.2.3.4");
  EXPECT_EQ(ConnectionString({2, "COM1", 9600, "1.2.3.4"}), "");
  EXPECT_EQ(ConnectionString({-1, "COM1", 9600, "1.2.3.4"}), "");
}

TEST_F(CommunicationTest, SaveInProjectWritesTheProjectOnly) {
  const CommunicationValues before;
  const CommunicationValues edited{1, "COM4", 57600, "10.0.0.5"};
  EXPECT_TRUE(ApplyCommunicationValues(m_prefs, &m_project, before, edited, true));
  EXPECT_EQ(m_project.read(kSectionPreferences, kKeyCiMethod), "1");
  EXPECT_EQ(m_project.read(kSectionPreferences, kKeyComCiPort), "COM4");
  EXPECT_EQ(m_project.read(kSectionPreferences, kKeyComCiBaudRate), "57600");
  EXPECT_EQ(m_project.read(kSectionPreferences, kKeyIpCiAddress), "10.0.0.5");
  EXPECT_FALSE(fs::exists(m_dir / "ZEL.INI"));

  // An unknown method is stored as serial in the project.
  ApplyCommunicationValues(m_prefs, &m_project, edited, {7, "COM4", 57600, "10.0.0.5"}, true);
  EXPECT_EQ(m_project.read(kSectionPreferences, kKeyCiMethod), "0");
}

TEST_F(CommunicationTest, SavingInThePreferencesFileDropsTheProjectsCopies) {
  ApplyCommunicationValues(m_prefs, &m_project, {}, {1, "COM4", 57600, "10.0.0.5"}, true);
  ApplyCommunicationValues(m_prefs, &m_project, {}, {1, "COM5", 4800, "10.0.0.6"}, false);
  EXPECT_TRUE(m_project.keys(kSectionPreferences).empty());
  EXPECT_EQ(ReadCommunicationSettings(m_prefs, &m_project).values,
            (CommunicationValues{1, "COM5", 4800, "10.0.0.6"}));
}

TEST(CommunicationChangeTest, PortCaseDoesNotCount) {
  const CommunicationValues base{0, "COM1", 9600, "1.2.3.4"};
  struct {
    CommunicationValues after;
    bool changed;
  } const cases[] = {
      {{0, "COM1", 9600, "1.2.3.4"}, false}, {{0, "com1", 9600, "1.2.3.4"}, false},
      {{1, "COM1", 9600, "1.2.3.4"}, true},  {{0, "COM2", 9600, "1.2.3.4"}, true},
      {{0, "COM1", 4800, "1.2.3.4"}, true},  {{0, "COM1", 9600, "1.2.3.5"}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CommunicationChanged(base, c.after), c.changed) << c.after.port;
  }
}

TEST_F(PreferencesTest, ProjectDirectoryEntryChecks) {
  {
    ScriptedAnswers answers;
    EXPECT_EQ(CheckProjectDirectoryEntry("", m_dir.path()), std::nullopt);
    EXPECT_EQ(answers.texts(), std::vector<std::string>{"Please enter a project path."});
  }
  {
    ScriptedAnswers answers({Answer::No});
    EXPECT_EQ(CheckProjectDirectoryEntry(".\\New", m_dir.path()), std::nullopt);
    EXPECT_EQ(answers.texts(),
              std::vector<std::string>{"The directory '.\\New' does not exist. \nCreate?"});
    EXPECT_FALSE(fs::exists(m_dir / "New"));
  }
  {
    ScriptedAnswers answers({Answer::Yes});
    EXPECT_EQ(CheckProjectDirectoryEntry(".\\New\\Deep", m_dir.path()), m_dir / "New" / "Deep");
    EXPECT_TRUE(fs::is_directory(m_dir / "New" / "Deep"));
  }
  {
    m_dir.writeFile("AFile", "x");
    ScriptedAnswers answers({Answer::Yes});
    EXPECT_EQ(CheckProjectDirectoryEntry("AFile/Sub", m_dir.path()), std::nullopt);
    EXPECT_EQ(answers.texts(),
              (std::vector<std::string>{"The directory 'AFile/Sub' does not exist. \nCreate?",
                                        "Cannot create project directory."}));
  }
  {
    ScriptedAnswers answers;
    EXPECT_EQ(CheckProjectDirectoryEntry("new", m_dir.path()), m_dir / "New");
    EXPECT_TRUE(answers.texts().empty());
  }
}

TEST(PreferenceChecksTest, IpAddressNeedsFourFields) {
  struct {
    const char* address;
    bool complete;
  } const cases[] = {
      {"10.0.0.5", true},    {"0.0.0.0", true},    {"255.255.255.255", true},
      {"10..0.5", false},    {"10.0.0.", false},   {"10.0.0", false},
      {"10.0.0.5.1", false}, {"256.0.0.1", false}, {"a.b.c.d", false},
      {" 10.0.0.5", false},  {"", false},          {"0010.0.0.5", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsCompleteIpAddress(c.address), c.complete) << c.address;
  }
  ScriptedAnswers answers;
  EXPECT_FALSE(CheckIpAddressEntry("10..0.5"));
  EXPECT_TRUE(CheckIpAddressEntry("10.0.0.5"));
  EXPECT_EQ(answers.texts(),
            std::vector<std::string>{"Please enter a number for each field of the IP address"});
}

}  // namespace
}  // namespace zel::app
