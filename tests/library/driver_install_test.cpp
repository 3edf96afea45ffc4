#include "library/driver_install.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tools/tool_record.h"
#include "library/driver_script.h"
#include "library/need_files.h"
#include "platform/files.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::library {
namespace {

namespace fs = std::filesystem;
using platform::Answer;

constexpr const char* kToolScript =
    "[DRIVER]\r\nNAME_GB=Panel driver\r\nDRIVERNO=7\r\nTARGET=VM1X,VM2X\r\n"
    "[INSTALL]\r\nNEEDFILE_0=panel.o <<<RUNTIMEDIR>>>\r\n"
    "NEEDFILE_1=panel.dmk <<<RUNTIMEDIR>>>\r\n"
    "NEEDFILE_2=paneltool <<<ZELDIR>>>\\tools\r\n"
    "[TOOLS]\r\nTOOL_0_GB=Panel editor\r\nCALL_0_GB=<<<ZELDIR>>>/tools/paneltool\r\n"
    "PARAM_0_GB=<<<CURRENTPROJECT>>>\r\nFLAGS_0_GB=1\r\n";

class DriverInstallTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir.writeFile("zel/ZEL.INI",
                    "[PREFERENCES]\r\nPROJECT_DIR=Projects\r\n[TOOLS]\r\nTOOL_0_GB=Mine\r\n"
                    "CALL_0_GB=/bin/true\r\nPARAM_0_GB=\r\nFLAGS_0_GB=0\r\n");
    m_dir.writeFile("src/panel.dmk", kToolScript);
    m_dir.writeFile("src/panel.o", "object");
    m_dir.writeFile("src/paneltool", "tool");
    m_place.programDirectory = m_dir / "zel";
    m_place.type = "VM1X";
    m_place.projectDirectory = m_dir / "zel/Projects";
  }
  fs::path runtime(const std::string& file) const { return m_dir / "zel/RUNTIME.VM1X" / file; }
  std::vector<app::ToolRecord> tools() const { return app::ReadTools(m_dir / "zel/ZEL.INI"); }
  std::vector<std::string> toolTitles() const {
    std::vector<std::string> titles;
    for (const auto& tool : tools()) titles.push_back(tool.title);
    return titles;
  }

  test::TempDir m_dir;
  test::ScriptedAnswers m_answers;
  LibraryPlace m_place;
};

TEST_F(DriverInstallTest, InstallsNeededFilesScriptAndToolsOnce) {
  ASSERT_EQ(InstallDriver(m_dir / "src/panel.dmk", m_place), LibraryResult::Done);
  EXPECT_EQ(test::ReadFile(runtime("panel.o")), "object");
  EXPECT_EQ(test::ReadFile(runtime("panel.dmk")), kToolScript);
  EXPECT_EQ(test::ReadFile(m_dir / "zel/tools/paneltool"), "tool");
  EXPECT_EQ(toolTitles(), (std::vector<std::string>{"Mine", "Panel editor"}));
  EXPECT_TRUE(m_answers.texts().empty());

  m_answers.push(Answer::Yes);
  ASSERT_EQ(InstallDriver(m_dir / "src/panel.dmk", m_place), LibraryResult::Done);
  EXPECT_EQ(m_answers.texts(),
            std::vector<std::string>{"'PANEL'\n\nThis driver already exists.\nOverwrite?"});
  EXPECT_EQ(toolTitles(), (std::vector<std::string>{"Mine", "Panel editor"}));

  m_answers.push(Answer::No);
  m_dir.writeFile("src/panel.o", "changed");
  EXPECT_EQ(InstallDriver(m_dir / "src/panel.dmk", m_place), LibraryResult::Skipped);
  EXPECT_EQ(test::ReadFile(runtime("panel.o")), "object");
}

TEST_F(DriverInstallTest, ARelativeProgramDirectoryIsNotCountedTwice) {
  m_place.programDirectory = fs::relative(m_dir / "zel");
  ASSERT_FALSE(m_place.programDirectory.is_absolute());
  ASSERT_EQ(InstallDriver(m_dir / "src/panel.dmk", m_place), LibraryResult::Done);
  EXPECT_EQ(test::ReadFile(runtime("panel.o")), "object");
  EXPECT_EQ(test::ReadFile(m_dir / "zel/tools/paneltool"), "tool");
}

TEST_F(DriverInstallTest, InstallingFromTheLibraryItselfLeavesTheFilesIntact) {
  const std::string script =
      "[DRIVER]\r\nTARGET=VM1X\r\n[INSTALL]\r\nNEEDFILE_0=panel.o <<<RUNTIMEDIR>>>\r\n";
  m_dir.writeFile("src/simple.dmk", script);
  ASSERT_EQ(InstallDriver(m_dir / "src/simple.dmk", m_place), LibraryResult::Done);
  m_answers.push(Answer::Yes);
  ASSERT_EQ(InstallDriver(runtime("simple.dmk"), m_place), LibraryResult::Done);
  EXPECT_EQ(test::ReadFile(runtime("simple.dmk")), script);
  EXPECT_EQ(test::ReadFile(runtime("panel.o")), "object");
}

TEST_F(DriverInstallTest, RefusalsTellWhy) {
  struct Case {
    const char* file;
    const char* content;
    const char* type;
    std::string message;
    LibraryResult result;
  };
  const std::string src = (m_dir / "src").string();
  const std::vector<Case> cases = {
      {"drv.txt", "[DRIVER]\nTARGET=VM1X\n", "VM1X",
       "Skipping '" + src + "/drv.txt'.\n\nNot an ZEL driver script (*.dmk)",
       LibraryResult::Skipped},
      {"drv.dmk", "[DRIVER]\nTARGET=VM1X,VM2X\n", "VM0X",
       "Skipping '" + src + "/drv.dmk'.\n\nController type VM0X not supported by this driver.",
       LibraryResult::Skipped},
      {"drv.dmk", "[DRIVER]\nTARGET=RUD2,VM0X\n", "RUD",
       "Skipping '" + src + "/drv.dmk'.\n\nController type RUD not supported by this driver.",
       LibraryResult::Skipped},
      {"drv.dmk", "[DRIVER]\nTARGET=VM1X\n[INSTALL]\nNEEDFILE_0=a.o <<<COM_PORT>>>\n", "VM1X",
       "'a.o <<<COM_PORT>>>'\n\nInvalid replacements in NEEDFILE.", LibraryResult::Failed},
      {"drv.dmk", "[DRIVER]\nTARGET=VM1X\n[INSTALL]\nNEEDFILE_0=a.o <<<FOO>>>\n", "VM1X",
       "'a.o <<<FOO>>>'\n\nInvalid replacements in NEEDFILE.", LibraryResult::Failed},
      {"drv.dmk", "[DRIVER]\nTARGET=VM1X\n[INSTALL]\nNEEDFILE_0=a.o <<<CURRENTPROJECT>>>\n", "VM1X",
       "'a.o <<<CURRENTPROJECT>>>'\n\nInvalid replacements in NEEDFILE.", LibraryResult::Failed},
      {"drv.dmk", "[DRIVER]\nTARGET=VM1X\n[INSTALL]\nNEEDFILE_0=a.o\n", "VM1X",
       "'a.o'\n\nInvalid replacements in NEEDFILE.", LibraryResult::Failed},
      {"drv.dmk", "[DRIVER]\nTARGET=VM1X\n[INSTALL]\nNEEDFILE_0=../secret <<<RUNTIMEDIR>>>\n",
       "VM1X", "'../secret <<<RUNTIMEDIR>>>'\n\nA needed file must be named without a directory.",
       LibraryResult::Failed},
      {"drv.dmk", "[DRIVER]\nTARGET=VM1X\n[INSTALL]\nNEEDFILE_0=a.o <<<ZELDIR>>>/..\n", "VM1X",
       "'a.o <<<ZELDIR>>>/..'\n\nThe destination lies outside the program directory.",
       LibraryResult::Failed},
      {"drv.dmk", "[DRIVER]\nTARGET=VM1X\n[INSTALL]\nNEEDFILE_0=a.o /tmp\n", "VM1X",
       "'a.o /tmp'\n\nThe destination lies outside the program directory.", LibraryResult::Failed},
      {"drv.dmk", "[DRIVER]\nTARGET=VM1X\n[INSTALL]\nNEEDFILE_0=missing.o <<<RUNTIMEDIR>>>\n",
       "VM1X", "'" + src + "/missing.o'\n\nFailed to copy the file.", LibraryResult::Failed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.content);
    m_answers.clear();
    m_dir.writeFile(fs::path("src") / c.file, c.content);
    m_place.type = c.type;
    EXPECT_EQ(InstallDriver(m_dir / "src" / c.file, m_place), c.result);
    EXPECT_EQ(m_answers.texts(), std::vector<std::string>{c.message});
    EXPECT_FALSE(
        platform::PathExistsNoCase(m_dir / "zel" / ("RUNTIME." + std::string(c.type)) / c.file));
  }
}

TEST_F(DriverInstallTest, NeedFilesSplitBeforeReplacingAndStopAtTheFirstEmpty) {
  const fs::path zel = m_dir / "with blank";
  m_place.programDirectory = zel;
  auto script = DriverScript::parse(
      "[INSTALL]\nNEEDFILE_0= drv.o   <<<RUNTIMEDIR>>>\\sub  ignored\nNEEDFILE_2=x.o "
      "<<<ZELDIR>>>\n",
      "D");
  const auto needed = ReadNeedFiles(script, TokenValuesFor(m_place), true);
  ASSERT_EQ(needed.files.size(), 1u);
  EXPECT_FALSE(needed.refused);
  EXPECT_EQ(needed.files[0].source, "drv.o");
  EXPECT_EQ(needed.files[0].destination, zel / "RUNTIME.VM1X/sub");
  EXPECT_TRUE(m_answers.texts().empty());

  auto emptyFirst =
      DriverScript::parse("[INSTALL]\nNEEDFILE_0=\nNEEDFILE_1=a.o <<<ZELDIR>>>\n", "E");
  EXPECT_TRUE(ReadNeedFiles(emptyFirst, TokenValuesFor(m_place), true).files.empty());
}

TEST_F(DriverInstallTest, DeinstallKeepsFilesAnotherScriptNeedsAndRemovesItsTools) {
  ASSERT_EQ(InstallDriver(m_dir / "src/panel.dmk", m_place), LibraryResult::Done);
  m_dir.writeFile("zel/RUNTIME.VM1X/other.dmk",
                  "[DRIVER]\nTARGET=VM1X\n[INSTALL]\nNEEDFILE_0=panel.o <<<RUNTIMEDIR>>>\n");
  // A tool of the user's with the same title but another program stays.
  auto list = tools();
  list.push_back({"Panel editor", "/usr/bin/other", "", 0});
  ASSERT_TRUE(app::WriteTools(m_dir / "zel/ZEL.INI", list));

  m_answers.push(Answer::No);
  EXPECT_EQ(DeinstallDriver("PANEL", m_place), LibraryResult::Cancelled);
  EXPECT_TRUE(platform::PathExistsNoCase(runtime("panel.dmk")));

  m_answers.clear();
  m_answers.push(Answer::Yes);
  EXPECT_EQ(DeinstallDriver("panel", m_place), LibraryResult::Done);
  EXPECT_EQ(m_answers.texts(),
            std::vector<std::string>{"'panel'\n\nDo you really want to delete this driver?"});
  EXPECT_FALSE(platform::PathExistsNoCase(runtime("panel.dmk")));
  EXPECT_TRUE(platform::PathExistsNoCase(runtime("panel.o")));
  EXPECT_FALSE(platform::PathExistsNoCase(m_dir / "zel/tools/paneltool"));
  ASSERT_EQ(tools().size(), 2u);
  EXPECT_EQ(tools()[1].program, "/usr/bin/other");
}

TEST_F(DriverInstallTest, DeinstallDeletesNothingOutsideTheProgramDirectory) {
  m_dir.writeFile("victim", "keep me");
  m_dir.writeFile("zel/RUNTIME.VM1X/evil.dmk",
                  "[DRIVER]\nTARGET=VM1X\n[INSTALL]\nNEEDFILE_0=victim <<<ZELDIR>>>/..\n");
  m_answers.push(Answer::Yes);
  EXPECT_EQ(DeinstallDriver("EVIL", m_place), LibraryResult::Done);
  EXPECT_EQ(test::ReadFile(m_dir / "victim"), "keep me");
  EXPECT_FALSE(platform::PathExistsNoCase(runtime("evil.dmk")));
  EXPECT_EQ(m_answers.texts().back(),
            "'victim <<<ZELDIR>>>/..'\n\nThe destination lies outside the program directory.");
}

TEST_F(DriverInstallTest, ExtractCopiesNeededFilesBesideTheScript) {
  ASSERT_EQ(InstallDriver(m_dir / "src/panel.dmk", m_place), LibraryResult::Done);
  EXPECT_EQ(ExtractDriver("PANEL", m_dir / "out/copy.txt", m_place), LibraryResult::Skipped);
  EXPECT_EQ(m_answers.texts().back(), "Skipping '" + (m_dir / "out/copy.txt").string() +
                                          "'.\n\nYou must not change the extension.");
  fs::create_directories(m_dir / "out");
  ASSERT_EQ(ExtractDriver("PANEL", m_dir / "out/copy.DMK", m_place), LibraryResult::Done);
  EXPECT_EQ(test::ReadFile(m_dir / "out/copy.DMK"), kToolScript);
  EXPECT_EQ(test::ReadFile(m_dir / "out/panel.o"), "object");
  EXPECT_EQ(test::ReadFile(m_dir / "out/paneltool"), "tool");
  EXPECT_FALSE(platform::PathExistsNoCase(m_dir / "out/panel.dmk"));
}

TEST(CopyFileAtomically, LeavesAFileCopiedOntoItselfAlone) {
  test::TempDir dir;
  dir.writeFile("a/x.o", "content");
  EXPECT_TRUE(CopyFileAtomically(dir / "a/x.o", dir / "a/../a/x.o"));
  EXPECT_EQ(test::ReadFile(dir / "a/x.o"), "content");
  EXPECT_TRUE(CopyFileAtomically(dir / "a/x.o", dir / "a/y.o"));
  EXPECT_EQ(test::ReadFile(dir / "a/y.o"), "content");
  EXPECT_FALSE(CopyFileAtomically(dir / "a/none.o", dir / "a/z.o"));
  EXPECT_FALSE(platform::PathExistsNoCase(dir / "a/z.o"));
}

}  // namespace
}  // namespace zel::library
