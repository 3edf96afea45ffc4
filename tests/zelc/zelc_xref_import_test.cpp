// End-to-end: zelc xref, import and module-info on a copy of the demo workspace.

#include <gtest/gtest.h>

#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find('\n', at);
    lines.push_back(text.substr(at, end - at));
    if (end == std::string::npos) break;
    at = end + 1;
  }
  return lines;
}

TEST(ZelcXref, ListsCompiledModulesAndWarnsAboutTheRest) {
  DemoWorkspace ws;
  ASSERT_EQ(ws.run({"compile", "-p", "DEMO", "CZ0B10V1"}).status, 0);
  const auto r = ws.run({"xref", "-p", "DEMO", "--width", "40"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  // Progress first, then the list; only the compiled CMP has a cross reference.
  EXPECT_NE(r.out.find("analysing CZ0B10V1.awl\n"), std::string::npos);
  EXPECT_NE(r.out.find("Cross Reference: Cannot access"), std::string::npos);
  const auto title = std::find(lines.begin(), lines.end(), "Cross Reference for Project DEMO");
  ASSERT_NE(title, lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "O0.4                B10V1         4    5"),
            lines.end());
  EXPECT_EQ(lines.back(), "WARNING: This Cross Reference is not recent.");
  // The same list lands in the project directory with CR LF.
  const std::string file = ReadFile(ws.project("DEMO") / "XREF.txt");
  EXPECT_EQ(file.substr(0, 34), "Cross Reference for Project DEMO\r\n");
}

TEST(ZelcXref, AnUnknownProjectFails) {
  DemoWorkspace ws;
  EXPECT_NE(ws.run({"xref", "-p", "NOSUCH"}).status, 0);
}

TEST(ZelcImport, ImportsTheLibraryModuleAndListsItsOperands) {
  DemoWorkspace ws;
  const fs::path library = ws.dir() / "RUNTIME.VM1X" / "FILLVALV.OBJ";
  const auto r = ws.run({"import", "-p", "DEMO", library.string(), "--kind", "cmp", "--number",
                         "40", "--version", "1", "--comment", "Valve from the library"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFile(ws.project("DEMO") / "CZ0B40V1.VM1X.OBJ"), ReadFile(library));
  EXPECT_TRUE(fs::exists(ws.project("DEMO") / "CZ0B40V1.MFU"));
  const auto modules = ws.run({"modules", "-p", "DEMO"}).out;
  EXPECT_NE(modules.find("CZ0B40V1.IMP\t1\tCMP 40 (V1)\tValve from the library\n"),
            std::string::npos);

  const auto xref = ws.run({"xref", "-p", "DEMO"});
  ASSERT_EQ(xref.status, 0) << xref.err;
  for (const char* line :
       {"OW0                 B40V1         0", "FW10     SETPOINT   B40V1         0",
        "FW12                B40V1         0"}) {
    EXPECT_NE(xref.out.find(std::string(line) + "\n"), std::string::npos) << line;
  }
}

TEST(ZelcImport, RefusesWhatIsNoModuleAndBadKinds) {
  DemoWorkspace ws;
  const auto notModule =
      ws.run({"import", "-p", "DEMO", (ws.project("DEMO") / "CZ0B10V1.awl").string(), "--kind",
              "cmp", "--number", "10", "--version", "1"});
  EXPECT_NE(notModule.status, 0);
  EXPECT_NE(notModule.err.find("This file is not a compiled module."), std::string::npos);
  EXPECT_TRUE(fs::exists(ws.project("DEMO") / "CZ0B10V1.awl"));
  const auto kind = ws.run(
      {"import", "-p", "DEMO", "x.obj", "--kind", "block", "--number", "1", "--version", "1"});
  EXPECT_NE(kind.status, 0);
}

TEST(ZelcModuleInfo, DescribesAndSaysWhetherItIsAModule) {
  DemoWorkspace ws;
  const auto good = ws.run({"module-info", (ws.dir() / "RUNTIME.VM1X" / "FILLVALV.OBJ").string()});
  EXPECT_EQ(good.status, 0);
  EXPECT_EQ(good.out, "Language: \tSTL (compiled)\nVersion: \t2.24\n");
  const fs::path text = ws.dir() / "ZEL.INI";
  const auto bad = ws.run({"module-info", text.string()});
  EXPECT_NE(bad.status, 0);
  EXPECT_EQ(bad.out, "File: \t\t" + text.string() + "\n\n\n\tNOT A ZEL MODULE\n");
  const auto missing = ws.run({"module-info", "nothing.obj"});
  EXPECT_NE(missing.status, 0);
  EXPECT_EQ(missing.out, "File: \t\tnothing.obj\n\n\n\t NOT FOUND\n");
}

}  // namespace
}  // namespace zel::testing
