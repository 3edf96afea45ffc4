// End-to-end: module commands of zelc on a copy of the demo workspace.

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>

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

TEST(ZelcModules, ListsModulesInModelOrder) {
  DemoWorkspace ws;
  const auto r = ws.run({"modules", "-p", "demo"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "CZ0P00V1.awl\t1\tProgram  0 (V1)\tMain cycle: start/stop and mode selection\n"
            "CZ0P01V1.awl\t1\tProgram  1 (V1)\tConveyor control\n"
            "CZ0P02V1.awl\t1\tProgram  2 (V1)\tError handler\n"
            "CZ0P03V1.awl\t0\tProgram  3 (V1)\tCommissioning tests, not for production\n"
            "CZ0B10V1.awl\t1\tCMP 10 (V1)\tFilling valve\n"
            "CZ0F20V1.awl\t1\tCFM 20 (V1)\tBottle counter with batch total\n");
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
  const auto list = ws.run({"modules", "-p", "DEMO"}).out;
  EXPECT_NE(list.find("CZ0P01V3.awl\t0\tProgram  1 (V3)\tConveyor, faster\n"), std::string::npos)
      << list;
}

TEST(ZelcModules, CommentsAreStoredInTheProjectFilesEncodingAndShownAsUtf8) {
  DemoWorkspace ws;
  ASSERT_EQ(ws.run({"module-new", "-p", "DEMO", "--kind", "cmp", "--number", "11", "--version", "1",
                    "--comment",
                    "Ventil gr\xC3\xB6\xC3\x9F"
                    "er \xE2\x82\xAC"})
                .status,
            0);
  EXPECT_NE(ReadFile(ws.project("DEMO") / "Project.FW4")
                .find("Ventil gr\xF6\xDF"
                      "er \x80"),
            std::string::npos);
  EXPECT_NE(ws.run({"modules", "-p", "DEMO"})
                .out.find("CMP 11 (V1)\tVentil gr\xC3\xB6\xC3\x9F"
                          "er \xE2\x82\xAC\n"),
            std::string::npos);
}

TEST(ZelcModules, OutOfRangeAndDuplicateModulesAreRefused) {
  DemoWorkspace ws;
  const auto tooHigh =
      ws.run({"module-new", "-p", "DEMO", "--kind", "program", "--number", "64", "--version", "1"});
  EXPECT_EQ(tooHigh.status, 1);
  EXPECT_NE(tooHigh.err.find("63"), std::string::npos) << tooHigh.err;
  EXPECT_EQ(
      ws.run({"module-new", "-p", "DEMO", "--kind", "cmp", "--number", "99", "--version", "1"})
          .status,
      0);
  const auto duplicate = ws.run(
      {"--no", "module-new", "-p", "DEMO", "--kind", "cfm", "--number", "20", "--version", "1"});
  EXPECT_EQ(duplicate.status, 1);
  EXPECT_NE(duplicate.err.find("This program already exists.\nOverwrite the existing program?"),
            std::string::npos)
      << duplicate.err;
  EXPECT_EQ(
      ws.run({"module-new", "-p", "DEMO", "--kind", "valve", "--number", "1", "--version", "1"})
          .status,
      1);
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
  const auto list = ws.run({"modules", "-p", "DEMO"}).out;
  EXPECT_NE(list.find("CZ0P01V1.awl\t1\tProgram  1 (V1)\tConveyor control\n"
                      "CZ0P02V2.awl\t1\tProgram  2 (V2)\tError handler\n"),
            std::string::npos)
      << list;
}

TEST(ZelcModules, SelectionChangesTheTimestampOnlyWhenItChanges) {
  DemoWorkspace ws;
  const std::string before = Timestamp(ws);
  ASSERT_EQ(ws.run({"select", "-p", "DEMO", "CZ0P01V1.awl", "on"}).status, 0);
  EXPECT_EQ(Timestamp(ws), before);
  ASSERT_EQ(ws.run({"select", "-p", "DEMO", "cz0p01v1.AWL", "off"}).status, 0);
  EXPECT_NE(Timestamp(ws), before);
  EXPECT_NE(ws.run({"modules", "-p", "DEMO"}).out.find("CZ0P01V1.awl\t0\t"), std::string::npos);
  EXPECT_EQ(ws.run({"select", "-p", "DEMO", "CZ0P01V1.awl", "maybe"}).status, 1);
  EXPECT_EQ(ws.run({"select", "-p", "DEMO", "CZ0P09V1.awl", "on"}).status, 1);
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
  EXPECT_NE(refused.err.find("'Program  3 (V1)'\nDo you really want to delete the program?"),
            std::string::npos)
      << refused.err;
  EXPECT_TRUE(fs::exists(dir / "CZ0P03V1.awl"));
  ASSERT_EQ(ws.run({"--yes", "module-delete", "-p", "DEMO", "CZ0P03V1.awl"}).status, 0);
  EXPECT_FALSE(fs::exists(dir / "CZ0P03V1.awl"));
  EXPECT_FALSE(fs::exists(dir / "cz0p03v1.vm2x.obj"));
  EXPECT_EQ(ws.run({"modules", "-p", "DEMO"}).out.find("CZ0P03V1"), std::string::npos);
}

TEST(ZelcModules, ALockedProjectAsksAbortRetryIgnore) {
  DemoWorkspace ws;
  Write(ws.project("DEMO") / "Project._PA", "lock");
  const auto aborted = ws.run({"select", "-p", "DEMO", "CZ0P01V1.awl", "off"});
  EXPECT_EQ(aborted.status, 1);
  EXPECT_NE(aborted.err.find(
                "Open project failed.\nThe project is already open in another ZEL session.."),
            std::string::npos)
      << aborted.err;
  EXPECT_TRUE(fs::exists(ws.project("DEMO") / "Project._PA"));
  // Ignore takes the stale lock over; the run then releases it.
  ASSERT_EQ(ws.run({"--yes", "select", "-p", "DEMO", "CZ0P01V1.awl", "off"}).status, 0);
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
