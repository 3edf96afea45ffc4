// End-to-end: the io command of zelc on a copy of the demo workspace and its IO module
// scripts.

#include <gtest/gtest.h>

#include <fstream>

#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

const std::string kDemoListing =
    "0\tVM1X.IOD,0,0,0\tVM1X base module\n"
    "1\tDI16.IOD,0,1,0\tDigital Input 16\n"
    "2\tDI16.IOD,1,2,0\tDigital Input 16\n"
    "3\tDO16.IOD,0,0,1\tDigital Output 16\n"
    "4\tAI4.IOD,0,4,0\tAnalogue Input 4x12 Bit\n"
    "5\tAO2.IOD,0,0,2\tAnalogue Output 2x12 Bit\n";

std::string IoSection(const DemoWorkspace& ws) {
  const std::string file = ReadFile(ws.project("DEMO") / "Project.FW4");
  const auto start = file.find("[VM1X_IO]");
  return file.substr(start, file.find("[MODULES]") - start);
}

TEST(ZelcIo, ListsTheDemoConfiguration) {
  DemoWorkspace ws;
  const auto listed = ws.run({"io", "-p", "DEMO"});
  ASSERT_EQ(listed.status, 0) << listed.err;
  EXPECT_EQ(listed.out, kDemoListing);
  EXPECT_EQ(listed.err, "");
}

TEST(ZelcIo, RefusalsLeaveTheFileAlone) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const std::vector<Case> cases = {
      {{"--add", "DI16.IOD,4,9,0"}, "ZEL: Valid switch positions are:\n\n0, 1, 2, 3, 6, 7\n"},
      {{"--add", "DI16.IOD,1,9,0"},
       "ZEL: 'DI16.IOD,1,2,0'\n\nIO address collision.\nSelect another switch position.\n"},
      {{"--add", "DI16.IOD,2,2,0"}, "ZEL: 'DI16.IOD,1,2,0'\n\nZEL IW collision.\n"},
      {{"--add", "AO2.IOD,1,0,3"}, "ZEL: 'AO2.IOD,0,0,2'\n\nZEL OW collision.\n"},
      {{"--add", "NONE.IOD,0,0,0"}, "ZEL: 'NONE.IOD'\n\nUnknown IO Module.\n"},
      {{"--add", "DI16.IOD;1;2;3"},
       "ZEL: Skipping 'DI16.IOD;1;2;3'\n\nInvalid format of IO entry.\n"},
      {{"--set", "1", "DI16.IOD,1,1,0"},
       "ZEL: 'DI16.IOD,1,2,0'\n\nIO address collision.\nSelect another switch position.\n"},
      {{"--set", "6", "DI16.IOD,6,1,0"}, "ZEL: No IO entry 6.\n"},
      {{"--delete", "6"}, "ZEL: No IO entry 6.\n"},
  };
  for (const auto& c : cases) {
    DemoWorkspace ws;
    const std::string before = ReadFile(ws.project("DEMO") / "Project.FW4");
    std::vector<std::string> args{"io", "-p", "DEMO"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto refused = ws.run(args);
    EXPECT_EQ(refused.status, 1) << c.args.at(1);
    EXPECT_EQ(refused.err, c.err);
    EXPECT_EQ(refused.out, "");
    EXPECT_EQ(ReadFile(ws.project("DEMO") / "Project.FW4"), before);
  }
}

TEST(ZelcIo, AddSetDelete) {
  DemoWorkspace ws;
  // Blanks after the commas are read; the entry is stored without them.
  const auto added = ws.run({"io", "-p", "DEMO", "--add", "DI16.IOD, 6, 3, 0"});
  ASSERT_EQ(added.status, 0) << added.err;
  EXPECT_EQ(added.out, kDemoListing + "6\tDI16.IOD,6,3,0\tDigital Input 16\n");
  const auto set = ws.run({"io", "-p", "DEMO", "--set", "2", "DI16.IOD,7,20,0"});
  ASSERT_EQ(set.status, 0) << set.err;
  const auto deleted = ws.run({"io", "-p", "DEMO", "--delete", "0"});
  ASSERT_EQ(deleted.status, 0) << deleted.err;
  EXPECT_EQ(IoSection(ws),
            "[VM1X_IO]\r\nIO_0=DI16.IOD,0,1,0\r\nIO_1=DI16.IOD,7,20,0\r\nIO_2=DO16.IOD,0,0,1\r\n"
            "IO_3=AI4.IOD,0,4,0\r\nIO_4=AO2.IOD,0,0,2\r\nIO_5=DI16.IOD,6,3,0\r\n");
  EXPECT_EQ(ReadFile(ws.project("DEMO") / "Project.FW4").find("TIMESTAMP=1796634000l"),
            std::string::npos);
}

TEST(ZelcIo, UnknownModulesSurviveAChange) {
  DemoWorkspace ws;
  fs::remove(ws.dir() / "RUNTIME.VM1X" / "AI4.IOD");
  const auto listed = ws.run({"io", "-p", "DEMO"});
  ASSERT_EQ(listed.status, 0) << listed.err;
  EXPECT_NE(listed.out.find("4\tAI4.IOD,0,4,0\tUnknown IO Module.\n"), std::string::npos);
  // A change loads the configuration as the window does: the unknown entry is reported,
  // kept and written back with the rest.
  const auto deleted = ws.run({"io", "-p", "DEMO", "--delete", "5"});
  ASSERT_EQ(deleted.status, 0) << deleted.err;
  EXPECT_EQ(deleted.err, "ZEL: 'AI4.IOD,0,4,0'\n\nUnknown IO Module.\n");
  EXPECT_EQ(IoSection(ws),
            "[VM1X_IO]\r\nIO_0=VM1X.IOD,0,0,0\r\nIO_1=DI16.IOD,0,1,0\r\nIO_2=DI16.IOD,1,2,0\r\n"
            "IO_3=DO16.IOD,0,0,1\r\nIO_4=AI4.IOD,0,4,0\r\n");
}

}  // namespace
}  // namespace zel::testing
