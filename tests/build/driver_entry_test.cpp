#include "build/driver_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "build/fieldbus_settings.h"
#include "support/temp_dir.h"

namespace zel::build {
namespace {

class DriverEntryTest : public ::testing::Test {
 protected:
  DriverEntryTest() {
    m_context = {m_dir / "zel", "VM1X", m_dir / "projects", "P1",
                 m_dir / "projects" / "P1" / "Project.FW4"};
    m_dir.writeFile("projects/P1/Project.FW4",
                    "[VM1X_DRV_SER]\r\nPORT=COM2\r\n"
                    "[VM1X_DRV_BUS]\r\nCP61SWPOS=7\r\nFBBAUD=x\r\nSOFTERR=Yes\r\n");
  }

  void script(std::string_view name, std::string_view text) {
    m_dir.writeFile(std::filesystem::path("zel/RUNTIME.VM1X") / (std::string(name) + ".DMK"), text);
  }

  std::string runtime() const { return (m_dir / "zel" / "RUNTIME.VM1X").string(); }

  test::TempDir m_dir;
  DriverContext m_context;
  RuntimeMode m_mode;
  TextLog m_log;
};

TEST_F(DriverEntryTest, ReadsTheLinkAndLoadSectionThroughTheReplacements) {
  script("SER",
         "[DRIVER]\r\nDRIVERNO=3\r\nUSESDRIVER=NET, 4\r\n"
         "[CONST]\r\nOUT=  'out file.bin' ignored\r\nDIR=<<<RUNTIMEDIR>>>\r\n"
         "[LINK_LOAD]\r\n"
         "STARTUPLINE_0=C:\\DRV.EXE <<<PORT>>>\r\nSTARTUPLINE_1=REM <<<TARGET>>> <<<LANGUAGE>>>\r\n"
         "EXECBEFORELINK_0=<<<ZELDIR>>>\\tool.sh <<<PROJECT>>> \"<<<OUT>>>\"\r\n"
         "EXECBEFORELINKERRORFILE=<<<RUNTIMEDIR>>>\\err.txt\r\n"
         "FILETOLINK_0=<<<CURRENTPROJECT>>>\\a.bin\r\nFILETOLINK_1=<<<DIR>>>\\b.bin\r\n"
         "FILETOLOAD_0=C:\\DRV.EXE   <<<RUNTIMEDIR>>>\\drv.exe\r\n"
         "SAVESOURCE_0=<<<ALLPROJECTS>>>\\src.txt\r\nSAVESOURCE_2=never.txt\r\n");
  const std::optional<DriverEntry> entry = IncludeDriver("SER", m_context, m_mode, m_log);
  ASSERT_TRUE(entry);
  EXPECT_EQ(m_log.text(), "include driver: SER\r\n");
  EXPECT_EQ(m_log.errors(), 0u);
  const std::string project = (m_dir / "projects" / "P1").string();
  EXPECT_EQ(entry->name, "SER");
  EXPECT_EQ(entry->number, 3);
  EXPECT_EQ(entry->uses, "NET, 4");
  EXPECT_EQ(entry->startupLines, (std::vector<std::string>{"C:\\DRV.EXE COM2", "REM VM1X GB"}));
  ASSERT_EQ(entry->commands.size(), 1u);
  EXPECT_EQ(entry->commands[0].line, (m_dir / "zel").string() + "/tool.sh P1 \"out file.bin\"");
  EXPECT_TRUE(entry->commands[0].replaced);
  EXPECT_EQ(entry->commandErrorFile, runtime() + "/err.txt");
  EXPECT_EQ(entry->filesToLink,
            (std::vector<std::string>{project + "/a.bin", runtime() + "/b.bin"}));
  ASSERT_EQ(entry->filesToLoad.size(), 1u);
  EXPECT_EQ(entry->filesToLoad[0].remote, "C:\\DRV.EXE");
  EXPECT_EQ(entry->filesToLoad[0].local, runtime() + "/drv.exe");
  EXPECT_EQ(entry->saveSources,
            (std::vector<std::string>{(m_dir / "projects").string() + "/src.txt"}));
  EXPECT_EQ(StartupText(*entry), "C:\\DRV.EXE COM2\r\nREM VM1X GB\r\n");
  EXPECT_EQ(m_mode, RuntimeMode());  // only the fieldbus driver touches the mode
}

TEST_F(DriverEntryTest, TwoFilesToLinkAreTakenAThirdIsTakenAndFailsTheBuild) {
  struct Case {
    int files;
    std::uint32_t errors;
  };
  const Case cases[] = {{0, 0}, {1, 0}, {2, 0}, {3, 1}, {4, 1}};
  for (const Case& c : cases) {
    std::string text = "[DRIVER]\r\nDRIVERNO=4\r\n[LINK_LOAD]\r\n";
    for (int n = 0; n < c.files; ++n) {
      text += "FILETOLINK_" + std::to_string(n) + "=f" + std::to_string(n) + ".bin\r\n";
    }
    script("LNK", text);
    TextLog log;
    const auto entry = IncludeDriver("LNK", m_context, m_mode, log);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->filesToLink.size(), static_cast<std::size_t>(std::min(c.files, 3))) << c.files;
    EXPECT_EQ(log.errors(), c.errors) << c.files;
    const bool complained =
        log.text().find("ERROR: Too many files to link\r\n") != std::string::npos;
    EXPECT_EQ(complained, c.errors > 0) << c.files;
  }
}

TEST_F(DriverEntryTest, MissingScriptsAndLeftTokensAreErrors) {
  EXPECT_FALSE(IncludeDriver("NOPE", m_context, m_mode, m_log));
  EXPECT_EQ(m_log.text(), "include driver: NOPE\r\nERROR: Driver script not found [" + runtime() +
                              "/NOPE.dmk]\r\n");
  EXPECT_EQ(m_log.errors(), 1u);

  script(
      "BAD",
      "[LINK_LOAD]\r\nSTARTUPLINE_0=X <<<UNKNOWN>>>\r\nEXECBEFORELINK_0=/bin/true <<<UNKNOWN>>>\r\n"
      "FILETOLOAD_0=C:\\ONLYREMOTE\r\n");
  TextLog log;
  const auto entry = IncludeDriver("BAD", m_context, m_mode, log);
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->number, -1);
  EXPECT_EQ(entry->startupLines, (std::vector<std::string>{"X <<<UNKNOWN>>>"}));
  ASSERT_EQ(entry->commands.size(), 1u);
  EXPECT_FALSE(entry->commands[0].replaced);
  EXPECT_TRUE(entry->filesToLoad.empty());
  EXPECT_EQ(log.text(),
            "include driver: BAD\r\n"
            "ERROR: Invalid replacement in driver script\r\n"
            "ERROR: Invalid replacement in driver script\r\n"
            "ERROR: Invalid file to load [C:\\ONLYREMOTE] in driver BAD\r\n");
  EXPECT_EQ(log.errors(), 3u);

  TextLog escape;
  EXPECT_FALSE(IncludeDriver("../RUNTIME.VM1X/BAD", m_context, m_mode, escape));
}

TEST_F(DriverEntryTest, TheFieldbusDriverSetsTheRuntimeMode) {
  script("BUS", "[DRIVER]\r\nDRIVERNO=0\r\n");
  const auto entry = IncludeDriver("BUS", m_context, m_mode, m_log);
  ASSERT_TRUE(entry);
  EXPECT_EQ(m_mode.flags & kModeKolvaFieldbus, kModeKolvaFieldbus);
  EXPECT_EQ(m_mode.flags & kModeFieldbusSoftErrors, kModeFieldbusSoftErrors);
  EXPECT_EQ(m_mode.fieldbusSwitch, 7);
  EXPECT_EQ(m_mode.fieldbusBaud, 0);  // "x" is no number
  EXPECT_EQ(m_log.text(), "include driver: BUS\r\nERROR: Invalid fieldbus setting FBBAUD=x\r\n");
  EXPECT_EQ(m_log.errors(), 1u);
}

TEST(FieldbusSettings, ValuesAndDefaults) {
  struct Case {
    const char* settings;
    std::uint16_t switchPosition, interrupt, baud;
    bool softErrors, nominal;
    std::uint32_t errors;
  };
  const Case cases[] = {
      {"", 5, 0, 0, false, false, 0},
      {"CP61SWPOS=3\r\nFBINTNUM=10\r\nFBBAUD=2\r\n", 3, 10, 2, false, false, 0},
      {"SOFTERR=J\r\nNOMINALCONFIG=yes\r\n", 5, 0, 0, true, true, 0},
      {"SOFTERR=n\r\nNOMINALCONFIG=No\r\n", 5, 0, 0, false, false, 0},
      {"SOFTERR=0\r\n", 5, 0, 0, true, false, 0},  // only "N" means no
      {"CP61SWPOS=65536\r\nFBINTNUM=-1\r\n", 5, 0, 0, false, false, 2},
      {"FBBAUD= 65535 \r\n", 5, 0, 65535, false, false, 0},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    dir.writeFile("Project.FW4", std::string("[VM1X_DRV_BUS]\r\n") + c.settings);
    RuntimeMode mode;
    mode.flags |= kModeFieldbusSoftErrors;
    mode.fieldbusFlags = kModeNominalConfiguration;
    TextLog log;
    ApplyFieldbusSettings(app::ProjectFile(dir / "Project.FW4"), "VM1X_DRV_BUS", mode, log);
    EXPECT_EQ(mode.fieldbusSwitch, c.switchPosition) << c.settings;
    EXPECT_EQ(mode.fieldbusInterrupt, c.interrupt) << c.settings;
    EXPECT_EQ(mode.fieldbusBaud, c.baud) << c.settings;
    EXPECT_EQ((mode.flags & kModeFieldbusSoftErrors) != 0, c.softErrors) << c.settings;
    EXPECT_EQ((mode.fieldbusFlags & kModeNominalConfiguration) != 0, c.nominal) << c.settings;
    EXPECT_NE(mode.flags & kModeKolvaFieldbus, 0) << c.settings;
    EXPECT_EQ(log.errors(), c.errors) << c.settings;
  }
}

TEST(FileToLoad, RemoteNameThenLocalPath) {
  struct Case {
    const char* line;
    std::optional<std::pair<std::string, std::string>> parts;
  };
  const Case cases[] = {
      {"C:\\A.EXE /lib/a.exe", std::pair<std::string, std::string>{"C:\\A.EXE", "/lib/a.exe"}},
      {" \tC:\\A.EXE \t /lib/my file.exe  ",
       std::pair<std::string, std::string>{"C:\\A.EXE", "/lib/my file.exe"}},
      {"C:\\A.EXE", std::nullopt},
      {"C:\\A.EXE   ", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    const auto file = SplitFileToLoad(c.line);
    ASSERT_EQ(file.has_value(), c.parts.has_value()) << c.line;
    if (file) {
      EXPECT_EQ(file->remote, c.parts->first);
      EXPECT_EQ(file->local, c.parts->second);
    }
  }
}

}  // namespace
}  // namespace zel::build
