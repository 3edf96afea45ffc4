// The command line: where it finds things, what it converts and its exit status.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>

#include "orvix/v3_fixture.h"
#include "platform/profile.h"
#include "support/temp_dir.h"
#include "tools/orvix/orvix_cli.h"
#include "tools/orvix/v3_installation.h"

namespace zel::orvix {
namespace {

using test::Installation;
using zel::test::ReadFile;
using zel::test::TempDir;

class CommandLine : public ::testing::Test {
 protected:
  void SetUp() override {
    for (std::string_view name : {"ALPHA", "BETA", "GAMMA"}) {
      in.write(in.v3Project(name) / "c.doc", "doc");
    }
    in.write(in.v3Project("BETA") / "eacfg.rud", "");
    in.writeProjectList({{"ALPHA", "first"}, {"BETA", "second \x81"}, {"GAMMA", ""}});
  }
  int run(std::vector<std::string> args) {
    console.str("");
    return RunCommandLine(args, in.programDirectory(), console);
  }
  std::string target(std::string_view project) {
    return platform::ReadProfileString(in.projectDirectory() / std::string(project) / "Project.FW4",
                                       "PROJECT", "TARGET", "<none>");
  }

  TempDir tmp;
  Installation in = test::MakeInstallation(tmp.path());
  std::ostringstream console;
};

TEST_F(CommandLine, RefusesWhatItCannotRead) {
  const std::vector<std::string> bad[] = {
      {},
      {"--project", "ALPHA"},
      {"--from"},
      {"--from", "x", "--bogus", "y"},
      {"--from", "x", "--type", "ALPHA"},
      {"--from", "x", "--type", "ALPHA=VM3X"},
  };
  for (const auto& args : bad) {
    EXPECT_EQ(run(args), 2) << args.size();
    EXPECT_FALSE(console.str().empty());
  }
  EXPECT_TRUE(std::filesystem::is_empty(in.projectDirectory()));
}

TEST_F(CommandLine, ConvertsEveryListedProjectWithTheDetectedOrTheGivenType) {
  EXPECT_EQ(run({"--from", in.v3().string(), "--type", "gamma=RUD Standard"}), 0) << console.str();
  EXPECT_EQ(console.str(),
            "ALPHA: converted (VM1X)\nBETA: converted (RUD)\nGAMMA: converted (RUD2)\n");
  EXPECT_EQ(target("ALPHA"), "VM1X");
  EXPECT_EQ(target("BETA"), "RUD");
  EXPECT_EQ(target("GAMMA"), "RUD2");
  EXPECT_EQ(platform::ReadProfileString(in.projectDirectory() / "BETA" / "Project.FW4", "PROJECT",
                                        "COMMENT", ""),
            "second \xFC");
}

TEST_F(CommandLine, ExitsWithOneWhenAChosenProjectIsNotConverted) {
  in.write(in.projectDirectory() / "BETA" / "keep.txt", "");
  EXPECT_EQ(run({"--from", in.v3().string(), "--project", "alpha", "--project", "BETA", "--project",
                 "NOSUCH"}),
            1);
  EXPECT_EQ(console.str(),
            "NOSUCH: 'NOSUCH' No such project in the version-3 list.\n"
            "ALPHA: converted (VM1X)\n"
            "BETA: Project exists yet.\n");
  EXPECT_EQ(target("ALPHA"), "VM1X");
  EXPECT_EQ(target("GAMMA"), "<none>");
}

TEST_F(CommandLine, NeedsTheNewProjectDirectoryAndAVersion3List) {
  TempDir other;
  EXPECT_EQ(RunCommandLine({"--from", in.v3().string()}, other.path(), console), 1);
  EXPECT_EQ(console.str(),
            "Cannot find the ZEL-KZC Version 4 Software. Please run from the right Directory.\n");
  EXPECT_EQ(
      run({"--from", (in.v3() / "ALPHA").string(), "--workdir", in.programDirectory().string()}), 0)
      << "a project's own directory stands for the installation above it";
  EXPECT_EQ(run({"--from", in.projectDirectory().string()}), 1);
  EXPECT_NE(console.str().find("No version-3 project list"), std::string::npos) << console.str();
}

TEST_F(CommandLine, ConvertsAtMostAHundredProjects) {
  std::vector<std::pair<std::string, std::string>> list;
  for (int i = 0; i < 102; ++i) {
    const std::string name = "P" + std::to_string(i);
    std::filesystem::create_directories(in.v3Project(name));
    list.emplace_back(name, "");
  }
  in.writeProjectList(list);
  EXPECT_EQ(run({"--from", in.v3().string()}), 1);
  EXPECT_NE(console.str().find("P99: converted"), std::string::npos);
  EXPECT_NE(console.str().find("P100: 'P100' Not converted: at most 100 projects"),
            std::string::npos);
  EXPECT_EQ(target("P100"), "<none>");
  EXPECT_EQ(target("P101"), "<none>");
}

TEST(ProjectsDirectory, FollowsKonfigThenTheProjectListThenTheParent) {
  TempDir tmp;
  const Installation in = test::MakeInstallation(tmp.path());
  in.write(tmp / "a" / "kzcproj.zel", "");
  in.write(tmp / "b" / "konfig.kzc", test::KonfigFile("..\\a\\"));
  in.write(tmp / "c" / "konfig.kzc", test::KonfigFile("C:\\NOWHERE\\"));
  in.write(tmp / "c" / "KZCPROJ.ZEL", "");
  in.write(tmp / "d" / "konfig.kzc", test::KonfigFile(""));
  in.write(tmp / "e" / "konfig.kzc", test::KonfigFile((tmp / "a").string() + "/"));
  std::filesystem::create_directories(tmp / "f" / "g");
  struct Case {
    std::filesystem::path chosen;
    std::filesystem::path expected;
  };
  const Case cases[] = {
      {tmp / "a", tmp / "a"},       {tmp / "b", tmp / "a"},  // relative DOS path
      {tmp / "c", tmp / "c"},   // a path of another machine: the list beside it
      {tmp / "d", tmp.path()},  // empty path, no list: the parent
      {tmp / "e", tmp / "a"},   // absolute path
      {tmp / "f" / "g", tmp / "f"}, {tmp / "f" / "g" / "", tmp / "f"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ProjectsDirectory(c.chosen).lexically_normal(), c.expected.lexically_normal())
        << c.chosen;
  }
}

TEST(NewProjectDirectory, MustExist) {
  TempDir tmp;
  EXPECT_EQ(NewProjectDirectory(tmp.path()), std::nullopt);
  tmp.writeFile("ZEL.INI", "[PREFERENCES]\r\nPROJECT_DIR=Missing\r\n");
  EXPECT_EQ(NewProjectDirectory(tmp.path()), std::nullopt);
  std::filesystem::create_directories(tmp / "Missing");
  EXPECT_EQ(NewProjectDirectory(tmp.path()), tmp / "Missing");
}

TEST(OrvixProgram, ReportsOnStderrAndExitsWithTheStatus) {
  TempDir tmp;
  const Installation in = test::MakeInstallation(tmp.path());
  in.write(in.v3Project("ONE") / "c.doc", "doc");
  in.writeProjectList({{"ONE", ""}});
  const auto run = [&](const std::string& args) {
    const std::string command = "cd '" + in.programDirectory().string() + "' && '" + ORVIX_BINARY +
                                "' " + args + " 2>'" + (tmp / "err").string() + "' >'" +
                                (tmp / "out").string() + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  EXPECT_EQ(run("--from '" + in.v3().string() + "'"), 0);
  EXPECT_EQ(ReadFile(tmp / "err"), "ONE: converted (VM1X)\n");
  EXPECT_EQ(ReadFile(tmp / "out"), "");
  EXPECT_EQ(run("--from '" + in.v3().string() + "'"), 1);
  EXPECT_EQ(ReadFile(tmp / "err"), "ONE: Project exists yet.\n");
  EXPECT_EQ(run("--from"), 2);
}

}  // namespace
}  // namespace zel::orvix
