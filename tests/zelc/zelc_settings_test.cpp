// End-to-end: the controller-settings command of zelc on a copy of the demo workspace.

#include <gtest/gtest.h>

#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Settings(const std::string& project,
                                  const std::vector<std::string>& assignments) {
  std::vector<std::string> args{"controller-settings", "-p", project};
  for (const auto& assignment : assignments) {
    args.push_back("--set");
    args.push_back(assignment);
  }
  return args;
}

TEST(ZelcControllerSettings, ListsEveryKeyWithItsEffectiveValue) {
  DemoWorkspace ws;
  const auto demo = ws.run(Settings("DEMO", {}));
  ASSERT_EQ(demo.status, 0) << demo.err;
  EXPECT_EQ(demo.out,
            "RUN_MODE=13\nEXTERNAL_INPUT=0.0\nEXTERNAL_OUTPUT=0.0\nERROR_PRGM=2\n"
            "DOWNLOAD_STOP_PROGRAMS=0\nDRIVE_PROJECT=C\nDRIVE_STARTUP=C\nDRIVE_KERNEL=A\n"
            "KERNEL_COM_PORT=1\nKERNEL_PARAMS=\nPASSWORD=\nDOWNLOAD_SRC=1\n"
            "DOWNLOAD_NEWDRIVERS=1\n");
  // A RUD2 project without a settings section: every default of its type.
  const auto pumps = ws.run(Settings("pumps", {}));
  ASSERT_EQ(pumps.status, 0) << pumps.err;
  EXPECT_EQ(pumps.out,
            "RUN_MODE=12\nEXTERNAL_INPUT=0.0\nEXTERNAL_OUTPUT=0.0\nERROR_PRGM=0\n"
            "DOWNLOAD_STOP_PROGRAMS=0\nDRIVE_PROJECT=B\nDRIVE_STARTUP=B\nDRIVE_KERNEL=A\n"
            "KERNEL_COM_PORT=0\nKERNEL_PARAMS=\nPASSWORD=\nDOWNLOAD_SRC=0\n"
            "DOWNLOAD_NEWDRIVERS=1\n");
}

TEST(ZelcControllerSettings, RefusedEntriesNameTheKeyAndWriteNothing) {
  struct Case {
    const char* project;
    std::vector<std::string> set;
    const char* err;
  } const cases[] = {
      {"DEMO",
       {"RUN_MODE=32"},
       "ZEL: RUN_MODE: Use a run mode from 0 to 31 (a sum of 1, 2, 4, 8, 16).\n"},
      {"DEMO",
       {"RUN_MODE= 3"},
       "ZEL: RUN_MODE: Use a run mode from 0 to 31 (a sum of 1, 2, 4, 8, 16).\n"},
      {"DEMO", {"ERROR_PRGM=x"}, "ZEL: ERROR_PRGM: Please enter an integer.\n"},
      // The range is the whole set's check, as the dialog's page makes it.
      {"DEMO", {"ERROR_PRGM=64"}, "ZEL: Please enter an integer between 0 and 63.\n"},
      {"DEMO", {"DOWNLOAD_SRC=yes"}, "ZEL: DOWNLOAD_SRC: Use 1 or 0.\n"},
      {"DEMO", {"DRIVE_PROJECT=e"}, "ZEL: DRIVE_PROJECT: Use one of the drives A, B, C or D.\n"},
      {"DEMO",
       {"KERNEL_COM_PORT=0"},
       "ZEL: KERNEL_COM_PORT: Use one of the controller COM ports 1, 2.\n"},
      {"PUMPS",
       {"DRIVE_KERNEL=A"},
       "ZEL: DRIVE_KERNEL: The drives of controller type RUD2 cannot be changed.\n"},
      {"PUMPS",
       {"KERNEL_COM_PORT=0"},
       "ZEL: KERNEL_COM_PORT: The controller COM port of controller type RUD2 cannot be "
       "changed.\n"},
      {"DEMO",
       {"NOPE=1"},
       "ZEL: 'NOPE=1'\n\nExpected KEY=VALUE with one of the controller settings keys.\n"},
      {"DEMO",
       {"PASSWORD=x", "RUN_MODE"},
       "ZEL: 'RUN_MODE'\n\nExpected KEY=VALUE with one of the controller settings keys.\n"},
      {"DEMO", {"RUN_MODE=2", "EXTERNAL_INPUT=12.16"}, "ZEL: Invalid absolute operand!\n"},
      {"DEMO", {"RUN_MODE=16", "EXTERNAL_OUTPUT=1.2x"}, "ZEL: Invalid absolute operand!\n"},
  };
  DemoWorkspace ws;
  const std::string demo = ReadFile(ws.project("DEMO") / "Project.FW4");
  const std::string pumps = ReadFile(ws.project("PUMPS") / "Project.FW4");
  for (const auto& c : cases) {
    const auto r = ws.run(Settings(c.project, c.set));
    EXPECT_EQ(r.status, 1) << c.set.back();
    EXPECT_EQ(r.err, c.err) << c.set.back();
    EXPECT_EQ(ReadFile(ws.project("DEMO") / "Project.FW4"), demo) << c.set.back();
    EXPECT_EQ(ReadFile(ws.project("PUMPS") / "Project.FW4"), pumps) << c.set.back();
  }
}

TEST(ZelcControllerSettings, AcceptedEntriesAreStoredInTheirCanonicalForm) {
  DemoWorkspace ws;
  const auto r = ws.run(
      Settings("DEMO", {"drive_project=d", "run_mode=14", "EXTERNAL_INPUT=255.15", "ERROR_PRGM= 7 ",
                        "PASSWORD=s\xC3\xA9"
                        "cret",
                        "DOWNLOAD_NEWDRIVERS=0"}));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  const std::string file = ReadFile(ws.project("DEMO") / "Project.FW4");
  EXPECT_NE(file.find("PASSWORD=s\xE9"
                      "cret\r\n"),
            std::string::npos);  // Windows-1252
  const auto listed = ws.run(Settings("DEMO", {}));
  EXPECT_EQ(listed.out,
            "RUN_MODE=14\nEXTERNAL_INPUT=255.15\nEXTERNAL_OUTPUT=0.0\nERROR_PRGM=7\n"
            "DOWNLOAD_STOP_PROGRAMS=0\nDRIVE_PROJECT=D\nDRIVE_STARTUP=C\nDRIVE_KERNEL=A\n"
            "KERNEL_COM_PORT=1\nKERNEL_PARAMS=\nPASSWORD=s\xC3\xA9"
            "cret\nDOWNLOAD_SRC=1\n"
            "DOWNLOAD_NEWDRIVERS=0\n");
  // A cleared run/stop bit leaves its operand unchecked.
  EXPECT_EQ(ws.run(Settings("DEMO", {"RUN_MODE=12", "EXTERNAL_INPUT=12.16"})).status, 0);
  EXPECT_FALSE(fs::exists(ws.project("DEMO") / "Project._PA"));
}

TEST(ZelcControllerSettings, SummaryAfterTheChange) {
  DemoWorkspace ws;
  const auto r =
      ws.run({"controller-settings", "-p", "DEMO", "--set", "KERNEL_COM_PORT=2", "--summary"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "Controller Settings\n\nRun Mode\n"
            "Autostart                     : YES\n"
            "Run/Stop Input                : NO\n"
            "Stop during Download          : NO\n"
            "Error Output                  : NO\n"
            "Error Program                 : 2\n"
            "Reset Programs                : YES\n"
            "Reset Outputs                 : YES\n\nDrives\n"
            "Project Drive                 : C\n"
            "Start-up Drive                : C\n"
            "Kernel Drive                  : A\n\nCI Options\n"
            "Controller CI port            : COM2\n"
            "Special Parameters            : \n\nPassword\n"
            "Password                      : <none>\n\nDownload\n"
            "Download Sources              : YES\n");
}

}  // namespace
}  // namespace zel::testing
