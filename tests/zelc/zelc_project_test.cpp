// End-to-end: project commands of zelc on a copy of the demo workspace.

#include <gtest/gtest.h>

#include <fstream>

#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

TEST(ZelcProjects, ListsEveryProjectWithItsTypeLabel) {
  DemoWorkspace ws;
  fs::create_directories(ws.dir() / "Projects" / "NOTAPROJ");  // no project file: not listed
  const auto r = ws.run({"projects"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "DEMO\tBottling line demo\tVM1X\n"
            "PUMPS\tPump station with two pumps\tRUD Standard\n");
}

TEST(ZelcProjects, FiltersByLabelOrNameAndRejectsUnknownTypes) {
  DemoWorkspace ws;
  struct Case {
    const char* filter;
    int status;
    const char* out;
  } cases[] = {
      {"RUD Standard", 0, "PUMPS\tPump station with two pumps\tRUD Standard\n"},
      {"rud2", 0, "PUMPS\tPump station with two pumps\tRUD Standard\n"},
      {"VM1X", 0, "DEMO\tBottling line demo\tVM1X\n"},
      {"VM2X", 0, ""},
      {"(all)", 0,
       "DEMO\tBottling line demo\tVM1X\nPUMPS\tPump station with two pumps\tRUD Standard\n"},
      {"S7", 1, ""},
  };
  for (const auto& c : cases) {
    const auto r = ws.run({"projects", "--type", c.filter});
    EXPECT_EQ(r.status, c.status) << c.filter;
    EXPECT_EQ(r.out, c.out) << c.filter;
  }
}

TEST(ZelcProjects, NewProjectIsCreatedWithTheDefaultFile) {
  DemoWorkspace ws;
  const auto r = ws.run({"new", "LINE2"});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string file = ReadFile(ws.project("LINE2") / "Project.FW4");
  EXPECT_NE(file.find("TARGET=VM1X"), std::string::npos);
  EXPECT_NE(file.find("COMMENT=No comment"), std::string::npos);
  EXPECT_NE(file.find("IO_0=RUD.IOD,0,0,0"), std::string::npos);
  EXPECT_TRUE(fs::exists(ws.project("LINE2") / "Project.txt"));
  // zelc closes what it opened: no exclusion file is left behind.
  EXPECT_FALSE(fs::exists(ws.project("LINE2") / "Project._PA"));
  EXPECT_EQ(ws.run({"projects", "--type", "VM1X"}).out,
            "DEMO\tBottling line demo\tVM1X\nLINE2\tNo comment\tVM1X\n");
}

TEST(ZelcProjects, BadNewNamesAreRefusedWithTheirMessages) {
  DemoWorkspace ws;
  struct Case {
    const char* name;
    const char* message;
  } cases[] = {
      {"A B", "The  project name must not contain spaces."},
      {"DEMO", "A project with the same name already exists."},
      {"demo", "A project with the same name already exists."},
      {"", "Please enter a project name."},
  };
  for (const auto& c : cases) {
    const auto r = ws.run({"new", c.name});
    EXPECT_EQ(r.status, 1) << c.name;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.name << ": " << r.err;
  }
  for (const char* escape : {"../OUT", "A/B", "ABCDEFGHI"}) {
    const auto r = ws.run({"new", escape});
    EXPECT_EQ(r.status, 1) << escape;
    EXPECT_FALSE(r.err.empty()) << escape;
  }
  EXPECT_FALSE(fs::exists(ws.dir() / "OUT"));
}

TEST(ZelcProjects, SettingsChangeCommentTypeAndName) {
  DemoWorkspace ws;
  ASSERT_EQ(ws.run({"settings", "PUMPS", "--comment", "Three pumps", "--type", "VM2X"}).status, 0);
  ASSERT_EQ(ws.run({"settings", "PUMPS", "--rename", "PUMPS3"}).status, 0);
  EXPECT_EQ(ws.run({"projects", "--type", "VM2X"}).out, "PUMPS3\tThree pumps\tVM2X\n");
  EXPECT_FALSE(fs::exists(ws.project("PUMPS")));

  const auto clash = ws.run({"settings", "PUMPS3", "--rename", "DEMO"});
  EXPECT_EQ(clash.status, 1);
  EXPECT_NE(clash.err.find("A project with the same name already exists."), std::string::npos);
  EXPECT_TRUE(fs::exists(ws.project("PUMPS3") / "Project.FW4"));
}

TEST(ZelcProjects, CommentOfAProjectWithAnUnknownTypeCanBeChanged) {
  DemoWorkspace ws;
  std::string file = ReadFile(ws.project("PUMPS") / "Project.FW4");
  file.replace(file.find("TARGET=RUD2"), 11, "TARGET=S5X");
  std::ofstream(ws.project("PUMPS") / "Project.FW4", std::ios::binary) << file;
  ASSERT_EQ(ws.run({"settings", "PUMPS", "--comment", "Old pumps"}).status, 0);
  EXPECT_NE(ws.run({"projects"}).out.find("PUMPS\tOld pumps\tS5X\n"), std::string::npos);
  const auto refused = ws.run({"settings", "PUMPS", "--type", "S7"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("'S7'\n\nThis is not a known controller type."), std::string::npos)
      << refused.err;
}

TEST(ZelcProjects, CopyAndDeleteAskAndKeepSubdirectories) {
  DemoWorkspace ws;
  ASSERT_EQ(ws.run({"copy", "DEMO", "DEMO2"}).status, 0);
  EXPECT_EQ(ReadFile(ws.project("DEMO2") / "Project.FW4"),
            ReadFile(ws.project("DEMO") / "Project.FW4"));

  const auto refused = ws.run({"--no", "delete", "DEMO2"});
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("'DEMO2'\n\nDo you really want to delete this project?"),
            std::string::npos)
      << refused.err;
  EXPECT_TRUE(fs::exists(ws.project("DEMO2") / "Project.FW4"));

  fs::create_directories(ws.project("DEMO2") / "backup");
  ASSERT_EQ(ws.run({"--yes", "delete", "DEMO2"}).status, 0);
  EXPECT_FALSE(fs::exists(ws.project("DEMO2") / "Project.FW4"));
  EXPECT_TRUE(fs::exists(ws.project("DEMO2") / "backup"));
}

TEST(ZelcProjects, MissingProjectDirectoryIsReported) {
  DemoWorkspace ws;
  fs::rename(ws.dir() / "Projects", ws.dir() / "Elsewhere");
  const auto r = ws.run({"projects"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("No (valid) Project Path"), std::string::npos) << r.err;
}

TEST(ZelcProjects, UsageErrorsExitWithoutTouchingAnything) {
  DemoWorkspace ws;
  const std::string before = ReadFile(ws.dir() / "ZEL.INI");
  EXPECT_NE(ws.run({}).status, 0);
  EXPECT_NE(ws.run({"frobnicate"}).status, 0);
  EXPECT_NE(ws.run({"--yes", "--no", "projects"}).status, 0);
  EXPECT_EQ(ReadFile(ws.dir() / "ZEL.INI"), before);
}

}  // namespace
}  // namespace zel::testing
