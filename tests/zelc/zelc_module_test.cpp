// End-to-end: module commands of zelc on a copy of the demo workspace.

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>

#include "app/project/exclusion_file.h"
#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

std::string Timestamp(const DemoWorkspace& ws) {
  const std::string file = ReadFile(ws.project("DEMO") / "Project.FW4");
  const auto at = file.find("TIMESTAMP=");
  return file.substr(at, file.find('\r', at) - at);
}

void Write(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

// The listing of the demo project as shipped, one module a line.
const std::string kP00 =
    "CZ0P00V1.awl\t1\tProgram  0 (V1)\tMain cycle: start/stop and mode selection\n";
const std::string kP01 = "CZ0P01V1.awl\t1\tProgram  1 (V1)\tConveyor control\n";
const std::string kP02 = "CZ0P02V1.awl\t1\tProgram  2 (V1)\tError handler\n";
const std::string kP03 =
    "CZ0P03V1.awl\t0\tProgram  3 (V1)\tCommissioning tests, not for production\n";
const std::string kB10 = "CZ0B10V1.awl\t1\tCMP 10 (V1)\tFilling valve\n";
const std::string kF20 = "CZ0F20V1.awl\t1\tCFM 20 (V1)\tBottle counter with batch total\n";

TEST(ZelcModules, ListsModulesInModelOrder) {
  DemoWorkspace ws;
  const auto r = ws.run({"modules", "-p", "demo"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, kP00 + kP01 + kP02 + kP03 + kB10 + kF20);
  // Listing only reads: no exclusion file, no recent-list entry.
  EXPECT_FALSE(fs::exists(ws.project("DEMO") / "Project._PA"));
}

TEST(ZelcModules, NewVersionStartsAsACopyOfThePreviousOne) {
  DemoWorkspace ws;
  Write(ws.project("DEMO") / "CZ0P01V1.awl", "version one source\r\n");
  const auto r = ws.run({"module-new", "-p", "DEMO", "--kind", "program", "--number", "1",
                         "--version", "3", "--comment", "Conveyor, faster"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFile(ws.project("DEMO") / "CZ0P01V3.awl"), "version one source\r\n");
  EXPECT_EQ(ws.run({"modules", "-p", "DEMO"}).out,
            kP00 + kP01 + kP02 + kP03 + kB10 + kF20 +
                "CZ0P01V3.awl\t0\tProgram  1 (V3)\tConveyor, faster\n");
}

TEST(ZelcModules, CommentsAreStoredInTheProjectFilesEncodingAndShownAsUtf8) {
  DemoWorkspace ws;
  ASSERT_EQ(ws.run({"module-new", "-p", "DEMO", "--kind", "cmp", "--number", "11", "--version", "1",
                    "--comment",
                    "Ventil gr\xC3\xB6\xC3\x9F"
                    "er \xE2\x82\xAC"})
                .status,
            0);
  // The module list is written anew as the file's last section.
  EXPECT_EQ(ReadFile(ws.project("DEMO") / "Project.FW4"),
            "[PROJECT]\r\n"
            "CREATED=ZEL: Monday, 07 December 2026 09:00:00 by demo\r\n"
            "TARGET=VM1X\r\n"
            "COMMENT=Bottling line demo\r\n"
            "USE_MPRAM_IO=0\r\n"
            "TIMESTAMP=1796634000l\r\n"
            "DOCFILE=./Project.txt\r\n"
            "\r\n"
            "[RUD_IO]\r\n"
            "IO_0=RUD.IOD,0,0,0\r\n"
            "\r\n"
            "[VM0X_IO]\r\n"
            "IO_0=VM0X.IOD,0,0,0\r\n"
            "\r\n"
            "[VM1X_IO]\r\n"
            "IO_0=VM1X.IOD,0,0,0\r\n"
            "IO_1=DI16.IOD,0,1,0\r\n"
            "IO_2=DI16.IOD,1,2,0\r\n"
            "IO_3=DO16.IOD,0,0,1\r\n"
            "IO_4=AI4.IOD,0,4,0\r\n"
            "IO_5=AO2.IOD,0,0,2\r\n"
            "\r\n"
            "[VM1X_SETTINGS]\r\n"
            "RUN_MODE=13\r\n"
            "ERROR_PRGM=2\r\n"
            "DRIVE_PROJECT=C\r\n"
            "DRIVE_STARTUP=C\r\n"
            "DRIVE_KERNEL=A\r\n"
            "KERNEL_COM_PORT=1\r\n"
            "DOWNLOAD_SRC=1\r\n"
            "\r\n"
            "[VM1X_DRV]\r\n"
            "DRV_0=FIELDBUS\r\n"
            "DRV_1=OPTDEMO\r\n"
            "DRV_2=PANEL\r\n"
            "DRV_3=SERIAL\r\n"
            "\r\n"
            "[VM1X_DRV_FIELDBUS]\r\n"
            "CP61SWPOS=5\r\n"
            "FBINTNUM=0\r\n"
            "FBBAUD=2\r\n"
            "SOFTERR=J\r\n"
            "NOMINALCONFIG=N\r\n"
            "\r\n"
            "[VM1X_DRV_OPTDEMO]\r\n"
            "TRACE=J\r\n"
            "TRACEDRV=C\r\n"
            "TRACEFILE=TRACE\r\n"
            "LEVEL=errors\r\n"
            "CYCLE=8\r\n"
            "SEGMENT=D800\r\n"
            "BUILD=17\r\n"
            "\r\n"
            "[VM1X_DRV_SERIAL]\r\n"
            "SERPORT=2\r\n"
            "SERBAUD=19200\r\n"
            "SERADDR=1\r\n"
            "\r\n"
            "[VM1X_DRV_PANEL]\r\n"
            "SCREENS=SCREENS.BIN\r\n"
            "\r\n"
            "[MODULES]\r\n"
            "SRC_0=CZ0P00V1.awl,1,Main cycle: start/stop and mode selection\r\n"
            "SRC_1=CZ0P01V1.awl,1,Conveyor control\r\n"
            "SRC_2=CZ0P02V1.awl,1,Error handler\r\n"
            "SRC_3=CZ0P03V1.awl,0,Commissioning tests, not for production\r\n"
            "SRC_4=CZ0B10V1.awl,1,Filling valve\r\n"
            "SRC_5=CZ0F20V1.awl,1,Bottle counter with batch total\r\n"
            "SRC_6=CZ0B11V1.awl,0,Ventil gr\xF6\xDF"
            "er \x80\r\n");
  EXPECT_EQ(ws.run({"modules", "-p", "DEMO"}).out, kP00 + kP01 + kP02 + kP03 + kB10 + kF20 +
                                                       "CZ0B11V1.awl\t0\tCMP 11 (V1)\tVentil "
                                                       "gr\xC3\xB6\xC3\x9F"
                                                       "er \xE2\x82\xAC\n");
}

TEST(ZelcModules, OutOfRangeAndDuplicateModulesAreRefused) {
  DemoWorkspace ws;
  const auto tooHigh =
      ws.run({"module-new", "-p", "DEMO", "--kind", "program", "--number", "64", "--version", "1"});
  EXPECT_EQ(tooHigh.status, 1);
  EXPECT_EQ(tooHigh.err, "ZEL: Please enter an integer between 0 and 63.\n");
  EXPECT_EQ(
      ws.run({"module-new", "-p", "DEMO", "--kind", "cmp", "--number", "99", "--version", "1"})
          .status,
      0);
  const auto duplicate = ws.run(
      {"--no", "module-new", "-p", "DEMO", "--kind", "cfm", "--number", "20", "--version", "1"});
  EXPECT_EQ(duplicate.status, 1);
  EXPECT_EQ(duplicate.err, "ZEL: This program already exists.\nOverwrite the existing program?\n");
  const auto unknownKind =
      ws.run({"module-new", "-p", "DEMO", "--kind", "valve", "--number", "1", "--version", "1"});
  EXPECT_EQ(unknownKind.status, 1);
  EXPECT_EQ(unknownKind.err, "ZEL: Unknown module kind 'valve'. Use program, cmp or cfm.\n");
}

TEST(ZelcModules, ChangingTheVersionRenamesTheWholeFileSet) {
  DemoWorkspace ws;
  const fs::path dir = ws.project("DEMO");
  for (const char* f : {"CZ0P02V1.LOG", "CZ0P02V1.XREF", "CZ0P02V1.VM1X.OBJ", "CZ0P02V1.RUD.OBJ"})
    Write(dir / f, f);
  const auto r = ws.run({"module-set", "-p", "DEMO", "CZ0P02V1.awl", "--version", "2"});
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* f :
       {"CZ0P02V2.awl", "CZ0P02V2.LOG", "CZ0P02V2.XREF", "CZ0P02V2.VM1X.OBJ", "CZ0P02V2.RUD.OBJ"})
    EXPECT_TRUE(fs::exists(dir / f)) << f;
  EXPECT_FALSE(fs::exists(dir / "CZ0P02V1.awl"));
  EXPECT_EQ(ReadFile(dir / "CZ0P02V2.LOG"), "CZ0P02V1.LOG");
  // The record keeps its place in the list.
  EXPECT_EQ(ws.run({"modules", "-p", "DEMO"}).out,
            kP00 + kP01 + "CZ0P02V2.awl\t1\tProgram  2 (V2)\tError handler\n" + kP03 + kB10 + kF20);
}

TEST(ZelcModules, SelectionChangesTheTimestampOnlyWhenItChanges) {
  DemoWorkspace ws;
  const std::string before = Timestamp(ws);
  ASSERT_EQ(ws.run({"select", "-p", "DEMO", "CZ0P01V1.awl", "on"}).status, 0);
  EXPECT_EQ(Timestamp(ws), before);
  ASSERT_EQ(ws.run({"select", "-p", "DEMO", "cz0p01v1.AWL", "off"}).status, 0);
  EXPECT_NE(Timestamp(ws), before);
  EXPECT_EQ(
      ws.run({"modules", "-p", "DEMO"}).out,
      kP00 + "CZ0P01V1.awl\t0\tProgram  1 (V1)\tConveyor control\n" + kP02 + kP03 + kB10 + kF20);
  const auto maybe = ws.run({"select", "-p", "DEMO", "CZ0P01V1.awl", "maybe"});
  EXPECT_EQ(maybe.status, 1);
  EXPECT_EQ(maybe.err, "ZEL: Say 'on' or 'off' for the download selection.\n");
  const auto missing = ws.run({"select", "-p", "DEMO", "CZ0P09V1.awl", "on"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "ZEL: 'CZ0P09V1.awl'\n\nThere is no such program in the project.\n");
}

TEST(ZelcModules, TimestampsFollowTheLocalBiasOfThePreferences) {
  DemoWorkspace ws;
  std::string ini = ReadFile(ws.dir() / "ZEL.INI");
  ini += "TIMEZONELOCALBIAS=-100000\r\n";
  Write(ws.dir() / "ZEL.INI", ini);
  const long long before = static_cast<long long>(std::time(nullptr));
  ASSERT_EQ(ws.run({"select", "-p", "DEMO", "CZ0P01V1.awl", "off"}).status, 0);
  const long long stamp = std::stoll(Timestamp(ws).substr(std::string("TIMESTAMP=").size()));
  EXPECT_GE(stamp, before - 100000);
  EXPECT_LE(stamp, static_cast<long long>(std::time(nullptr)) - 100000);
}

TEST(ZelcModules, DeleteAsksAndRemovesTheFiles) {
  DemoWorkspace ws;
  const fs::path dir = ws.project("DEMO");
  Write(dir / "cz0p03v1.vm2x.obj", "object");
  const auto refused = ws.run({"--no", "module-delete", "-p", "DEMO", "CZ0P03V1.awl"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.err, "ZEL: 'Program  3 (V1)'\nDo you really want to delete the program?\n");
  EXPECT_TRUE(fs::exists(dir / "CZ0P03V1.awl"));
  ASSERT_EQ(ws.run({"--yes", "module-delete", "-p", "DEMO", "CZ0P03V1.awl"}).status, 0);
  EXPECT_FALSE(fs::exists(dir / "CZ0P03V1.awl"));
  EXPECT_FALSE(fs::exists(dir / "cz0p03v1.vm2x.obj"));
  EXPECT_EQ(ws.run({"modules", "-p", "DEMO"}).out, kP00 + kP01 + kP02 + kB10 + kF20);
}

// A project another program holds (its lock is live) is asked about; a lock left by a
// program that ended is taken over and said so.
TEST(ZelcModules, ALockedProjectAsksAbortRetryIgnore) {
  DemoWorkspace ws;
  {
    app::ExclusionFile holder;
    ASSERT_EQ(app::ExclusionFile::create(ws.project("DEMO") / "Project._PA", holder),
              app::ExclusionFile::CreateResult::Ok);
    const auto aborted = ws.run({"select", "-p", "DEMO", "CZ0P01V1.awl", "off"});
    EXPECT_EQ(aborted.status, 1);
    EXPECT_EQ(aborted.err,
              "ZEL: Open project failed.\nThe project is already open in another ZEL session..\n");
    EXPECT_TRUE(fs::exists(ws.project("DEMO") / "Project._PA"));
    // Ignore opens it anyway; the holder's file stays until the holder ends.
    ASSERT_EQ(ws.run({"--yes", "select", "-p", "DEMO", "CZ0P01V1.awl", "off"}).status, 0);
  }
  Write(ws.project("DEMO") / "Project._PA", "lock");
  const auto stale = ws.run({"select", "-p", "DEMO", "CZ0P01V1.awl", "on"});
  EXPECT_EQ(stale.status, 0) << stale.err;
  EXPECT_EQ(stale.err, "");
  EXPECT_FALSE(fs::exists(ws.project("DEMO") / "Project._PA"));
}

TEST(ZelcModules, DamagedProjectFileNeverCrashes) {
  DemoWorkspace ws;
  std::string garbage = "[MODULES]\r\nSRC_0=CZ0P";
  for (int i = 0; i < 2000; ++i) garbage += static_cast<char>((i * 37) % 256);
  garbage += "\r\nSRC_1=CZ0Q01V1.awl,1,x\r\nSRC_2=,,,\r\n";
  Write(ws.project("DEMO") / "Project.FW4", garbage);
  const auto r = ws.run({"modules", "-p", "DEMO"});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
}

}  // namespace
}  // namespace zel::testing
