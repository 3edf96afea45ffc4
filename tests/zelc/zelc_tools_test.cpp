// End-to-end: the tools and run-tool commands of zelc on a copy of the demo workspace.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tools/tool_record.h"
#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

void WriteScript(const DemoWorkspace& ws, const std::string& name, const std::string& body) {
  const fs::path path = ws.dir() / name;
  std::FILE* f = std::fopen(path.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fputs(("#!/bin/sh\n" + body + "\n").c_str(), f);
  std::fclose(f);
  fs::permissions(path, fs::perms::owner_all);
}

void WriteTools(const DemoWorkspace& ws, const std::vector<app::ToolRecord>& tools) {
  ASSERT_TRUE(app::WriteTools(ws.dir() / "ZEL.INI", tools));
}

TEST(ZelcTools, ListsTheToolsAndMarksWhereTheMenuEnds) {
  DemoWorkspace ws;
  const auto demo = ws.run({"tools"});
  EXPECT_EQ(demo.status, 0) << demo.err;
  EXPECT_EQ(demo.out, "0\tConvert panel screens\ttamsel\t<<<CURRENTPROJECT>>>/SCREENS\t1\n");
  std::vector<app::ToolRecord> tools;
  for (int i = 0; i < 26; ++i) tools.push_back({"T" + std::to_string(i), "p", "a b", i % 8});
  WriteTools(ws, tools);
  const auto listed = ws.run({"tools"});
  ASSERT_EQ(listed.status, 0) << listed.err;
  std::string expected;
  for (int i = 0; i < 26; ++i) {
    if (i == 25) expected += "-\tnot in the menu\n";
    expected +=
        std::to_string(i) + "\tT" + std::to_string(i) + "\tp\ta b\t" + std::to_string(i % 8) + "\n";
  }
  EXPECT_EQ(listed.out, expected);
}

TEST(ZelcTools, RunToolExpandsTokensAndReportsTheExitCode) {
  DemoWorkspace ws;
  WriteScript(ws, "show.sh", "echo \"$@\" > shown.txt; exit 4");
  WriteTools(ws, {{"Show", "show.sh", "<<<CURRENTPROJECT>>>\\Project.RUN <<<TARGET>>> <<<#5>>>",
                   app::kToolWait | app::kToolReloadProject}});
  const auto r = ws.run({"run-tool", "0", "-p", "DEMO"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Exit code 4\n");
  EXPECT_EQ(ReadFile(ws.dir() / "shown.txt"),
            (ws.project("DEMO") / "Project.RUN").string() + " VM1X COM1/9600/9000\n");
}

TEST(ZelcTools, RefusalsExitWithOne) {
  DemoWorkspace ws;
  WriteScript(ws, "show.sh", "exit 0");
  WriteTools(ws, {{"Show", "show.sh", "<<<CURRENTPROJECT>>>", 0},
                  {"Gone", "no-such-tool", "x", app::kToolWait}});
  struct Case {
    std::vector<std::string> args;
    std::string err;
  } const cases[] = {
      {{"run-tool", "2"}, "ZEL: There is no tool 2 (2 tools).\n"},
      // Without a project the token has no value.
      {{"run-tool", "0"},
       "ZEL: Cannot execute Command:  \"show.sh <<<CURRENTPROJECT>>>\", Error 1004\n"},
      {{"run-tool", "1"}, "ZEL: Cannot execute Command:  \"no-such-tool x\", Error 2\n"},
  };
  for (const Case& c : cases) {
    const auto r = ws.run(c.args);
    EXPECT_EQ(r.status, 1) << c.args[1];
    EXPECT_EQ(r.err, c.err) << c.args[1];
  }
}

}  // namespace
}  // namespace zel::testing
