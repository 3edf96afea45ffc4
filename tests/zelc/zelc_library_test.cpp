// End-to-end: the run-time library and driver configuration commands of zelc on a copy of
// the demo workspace.

#include <gtest/gtest.h>

#include <fstream>

#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

const char* const kDemoDrivers =
    "FIELDBUS\t0\t-\tDemo fieldbus master\n"
    "OPTDEMO\t2\t-\tDemo options of every kind\n"
    "PANEL\t3\tSERIAL\tDemo operator panel\n"
    "SERIAL\t1\tFIELDBUS\tDemo serial protocol\n";

TEST(ZelcLibrary, DemoScriptsAreInstalledForEveryTypeAsShipped) {
  DemoWorkspace ws;
  for (const char* type : {"RUD", "RUD2", "VM0X", "VM1X", "VM2X"}) {
    SCOPED_TRACE(type);
    const auto r = ws.run({"library", "-t", type});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, kDemoDrivers);
    for (const auto& entry : fs::directory_iterator(fs::path(ZEL_DEMO_DIR) / "drivers")) {
      const fs::path installed =
          fs::path(ZEL_DEMO_DIR) / ("RUNTIME." + std::string(type)) / entry.path().filename();
      EXPECT_EQ(ReadFile(installed), ReadFile(entry.path())) << installed;
    }
  }
  EXPECT_EQ(ws.run({"library", "-t", "RUD Standard", "--drivers"}).out, kDemoDrivers);
  const auto wrong = ws.run({"library", "-t", "VM9X"});
  EXPECT_EQ(wrong.status, 1);
  EXPECT_EQ(wrong.err,
            "ZEL: Unknown controller type 'VM9X'. Use RUD Compact, RUD Standard, VM0X, VM1X or "
            "VM2X.\n");
}

TEST(ZelcLibrary, InstallingTwiceKeepsOneToolAndRemovingTakesItAway) {
  DemoWorkspace ws;
  const std::string panel = (fs::path(ZEL_DEMO_DIR) / "drivers/PANEL.dmk").string();
  const auto declined = ws.run({"--no", "library-install", "-t", "VM1X", panel});
  EXPECT_EQ(declined.status, 1);
  EXPECT_EQ(declined.err, "ZEL: 'PANEL'\n\nThis driver already exists.\nOverwrite?\n");
  ASSERT_EQ(ws.run({"--yes", "library-install", "-t", "VM1X", panel}).status, 0);
  ASSERT_EQ(ws.run({"--yes", "library-install", "-t", "VM2X", panel}).status, 0);
  EXPECT_EQ(Count(ReadFile(ws.dir() / "ZEL.INI"), "TOOL_"), 1u);

  EXPECT_EQ(ws.run({"--no", "library-remove", "-t", "VM1X", "PANEL"}).status, 1);
  EXPECT_TRUE(fs::exists(ws.dir() / "RUNTIME.VM1X/PANEL.dmk"));
  const auto removed = ws.run({"--yes", "library-remove", "-t", "VM1X", "panel"});
  ASSERT_EQ(removed.status, 0) << removed.err;
  EXPECT_FALSE(fs::exists(ws.dir() / "RUNTIME.VM1X/PANEL.dmk"));
  EXPECT_FALSE(fs::exists(ws.dir() / "RUNTIME.VM1X/PANEL.FNT"));
  EXPECT_TRUE(fs::exists(ws.dir() / "RUNTIME.VM2X/PANEL.FNT"));
  EXPECT_EQ(Count(ReadFile(ws.dir() / "ZEL.INI"), "TOOL_"), 0u);

  const auto unknown = ws.run({"--yes", "library-remove", "-t", "VM1X", "PANEL"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.err, "ZEL: 'PANEL'\n\nUnknown Driver.\n");
}

TEST(ZelcLibrary, RefusesScriptsForOtherTypesAndEscapingFiles) {
  DemoWorkspace ws;
  const fs::path other = ws.dir() / "incoming/other.dmk";
  Write(other, "[DRIVER]\r\nTARGET=RUD2,VM0X\r\n");
  const auto type = ws.run({"library-install", "-t", "RUD", other.string()});
  EXPECT_EQ(type.status, 1);
  EXPECT_EQ(type.err, "ZEL: Skipping '" + other.string() +
                          "'.\n\nController type RUD not supported by this driver.\n");
  const fs::path escaping = ws.dir() / "incoming/escape.dmk";
  Write(escaping,
        "[DRIVER]\r\nTARGET=RUD\r\n[INSTALL]\r\nNEEDFILE_0=x.o <<<ALLPROJECTS>>>/../..\r\n");
  Write(ws.dir() / "incoming/x.o", "x");
  const auto outside = ws.run({"library-install", "-t", "RUD", escaping.string()});
  EXPECT_EQ(outside.status, 1);
  EXPECT_EQ(outside.err,
            "ZEL: 'x.o <<<ALLPROJECTS>>>/../..'\n\nThe destination lies outside the program "
            "directory.\n");
  EXPECT_FALSE(fs::exists(ws.dir() / "RUNTIME.RUD/escape.dmk"));
}

TEST(ZelcLibrary, ExtractCopiesTheScriptAndItsFiles) {
  DemoWorkspace ws;
  const fs::path out = ws.dir() / "out";
  fs::create_directories(out);
  ASSERT_EQ(ws.run({"library-extract", "-t", "VM0X", "SERIAL", (out / "SER.dmk").string()}).status,
            0);
  EXPECT_EQ(ReadFile(out / "SER.dmk"), ReadFile(fs::path(ZEL_DEMO_DIR) / "drivers/SERIAL.dmk"));
  EXPECT_TRUE(fs::exists(out / "SERPROT.BIN"));
  EXPECT_TRUE(fs::exists(out / "SERPROT.CFG"));
  const auto renamed =
      ws.run({"library-extract", "-t", "VM0X", "SERIAL", (out / "SER.txt").string()});
  EXPECT_EQ(renamed.status, 1);
  EXPECT_EQ(renamed.err, "ZEL: Skipping '" + (out / "SER.txt").string() +
                             "'.\n\nYou must not change the extension.\n");
}

TEST(ZelcLibrary, IoModuleScriptsShareTheLibraryCommands) {
  DemoWorkspace ws;
  const auto list = ws.run({"library", "-t", "VM1X", "--io"});
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out,
            "Analogue Input 4x12 Bit\tAI4.IOD\t8\t1\t8\t0\t0-3\n"
            "Analogue Output 2x12 Bit\tAO2.IOD\t0\t4\t0\t4\t0-3\n"
            "Digital Input 16\tDI16.IOD\t2\t0\t2\t0\t0-3, 6+7\n"
            "Digital Output 16\tDO16.IOD\t1\t2\t0\t2\t0-3\n"
            "VM1X base module\tVM1X.IOD\t2\t2\t2\t2\t0\n");
  EXPECT_EQ(ws.run({"library", "-t", "VM1X", "--io", "--drivers"}).status, 2);

  ASSERT_EQ(ws.run({"--yes", "library-remove", "-t", "VM1X", "ai4.iod"}).status, 0);
  EXPECT_FALSE(fs::exists(ws.dir() / "RUNTIME.VM1X/AI4.IOD"));
  const fs::path out = ws.dir() / "out/AI4.IOD";
  fs::create_directories(out.parent_path());
  ASSERT_EQ(ws.run({"library-extract", "-t", "VM2X", "AI4.IOD", out.string()}).status, 0);
  ASSERT_EQ(ws.run({"library-install", "-t", "VM1X", out.string()}).status, 0);
  EXPECT_EQ(ws.run({"library", "-t", "VM1X", "--io"}).out, list.out);
}

TEST(ZelcDrivers, ListsTheDemoConfigurationWithOptionValues) {
  DemoWorkspace ws;
  const auto r = ws.run({"drivers", "-p", "DEMO"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "FIELDBUS\t0\t-\tDemo fieldbus master\n"
            "  CP61SWPOS=5\n  FBINTNUM=0\n  FBBAUD=2\n  SOFTERR=J\n  NOMINALCONFIG=N\n"
            "OPTDEMO\t2\t-\tDemo options of every kind\n"
            "  TRACE=J\n  TRACEDRV=C\n  TRACEFILE=TRACE\n  LEVEL=errors\n  CYCLE=8\n"
            "  SEGMENT=D800\n  BUILD=17\n"
            "PANEL\t3\tSERIAL\tDemo operator panel\n  SCREENS=SCREENS.BIN\n"
            "SERIAL\t1\tFIELDBUS\tDemo serial protocol\n"
            "  SERPORT=2\n  SERBAUD=19200\n  SERADDR=1\n");
}

TEST(ZelcDrivers, RefusalsChangeNothing) {
  DemoWorkspace ws;
  const fs::path file = ws.project("DEMO") / "Project.FW4";
  const std::string before = ReadFile(file);
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{"--set", "OPTDEMO", "CYCLE=5"},
       "ZEL: OPTDEMO CYCLE: Please enter a decimal number in the range of [1..4;8].\n"},
      {{"--set", "OPTDEMO", "SEGMENT=E000"},
       "ZEL: OPTDEMO SEGMENT: Please enter a hexadecimal number in the range of "
       "[C800..CFFF;D000;D800..DFFF].\n"},
      {{"--set", "OPTDEMO", "TRACEFILE=AB"},
       "ZEL: OPTDEMO TRACEFILE: Please enter at least 3 characters.\n"},
      {{"--set", "OPTDEMO", "NOSUCH=1"},
       "ZEL: 'NOSUCH=1'\n\nExpected KEY=VALUE with an option key of driver 'OPTDEMO'.\n"},
      {{"--set", "GONE", "A=1"}, "ZEL: 'GONE'\n\nUnknown Driver.\n"},
      {{"--delete", "GONE"}, "ZEL: 'GONE'\n\nUnknown Driver.\n"},
      {{"--add", "NOSUCH"}, "ZEL: 'NOSUCH'\n\nUnknown Driver.\n"},
      {{"--add", "SERIAL"}, "ZEL: 'SERIAL'\n\nDriver with same number already exists.\n"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"drivers", "-p", "DEMO"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = ws.run(args);
    EXPECT_EQ(r.status, 1) << c.err;
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(ReadFile(file), before) << c.err;
  }
}

TEST(ZelcDrivers, DeleteAndAddAgainKeepsOptionsAndUnknownDriversStay) {
  DemoWorkspace ws;
  const fs::path file = ws.project("DEMO") / "Project.FW4";
  std::string text = ReadFile(file);
  text.replace(text.find("DRV_3=SERIAL\r\n"), 14, "DRV_3=SERIAL\r\nDRV_4=GONE\r\n");
  Write(file, text);
  ASSERT_EQ(ws.run({"drivers", "-p", "DEMO", "--delete", "SERIAL", "--set", "FIELDBUS", "SOFTERR=0",
                    "--set", "OPTDEMO", "SEGMENT=c900"})
                .status,
            0);
  auto r = ws.run({"drivers", "-p", "DEMO"});
  EXPECT_EQ(Count(r.out, "SERIAL\t1"), 0u);
  EXPECT_NE(r.out.find("GONE\t-1\t\t< unknown >\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("  SOFTERR=N\n"), std::string::npos);
  EXPECT_NE(r.out.find("  SEGMENT=C900\n"), std::string::npos);
  ASSERT_EQ(ws.run({"drivers", "-p", "DEMO", "--add", "serial"}).status, 0);
  r = ws.run({"drivers", "-p", "DEMO"});
  EXPECT_NE(r.out.find("SERIAL\t1\tFIELDBUS\tDemo serial protocol\n  SERPORT=2\n  SERBAUD=19200\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("GONE\t-1"), std::string::npos);
}

}  // namespace
}  // namespace zel::testing
