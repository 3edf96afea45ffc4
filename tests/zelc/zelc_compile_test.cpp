// End-to-end: zelc compile on the demo project, on a faulty module and on a ladder module.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>

#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

// The 16-bit little-endian word at `offset` of a compiled module.
unsigned Word(const std::string& object, std::size_t offset) {
  return static_cast<std::uint8_t>(object[offset]) +
         256u * static_cast<std::uint8_t>(object[offset + 1]);
}

TEST(ZelcCompile, DemoModulesCompileIntoObjectFiles) {
  DemoWorkspace ws;
  const fs::path dir = ws.project("DEMO");
  const struct {
    std::string module;
    int lines;
    unsigned bytes;
  } modules[] = {{"CZ0P00V1", 29, 391}, {"CZ0P01V1", 36, 366}, {"CZ0P02V1", 13, 200},
                 {"CZ0P03V1", 28, 299}, {"CZ0B10V1", 10, 109}, {"CZ0F20V1", 14, 127}};
  for (const auto& [module, lines, bytes] : modules) {
    SCOPED_TRACE(module);
    const auto r = ws.run({"compile", "-p", "DEMO", module + ".awl"});
    EXPECT_EQ(r.status, 0) << r.err;
    char size[16];
    std::snprintf(size, sizeof size, "%5u", bytes);
    EXPECT_EQ(r.out, "compiling " + module + "\n" + size +
                         " Bytes Machine Code\n0 Error(s) in statement list " + module + ", " +
                         std::to_string(lines) + " Lines\n");
    EXPECT_EQ(r.err, "");
    const std::string object = ReadFile(dir / (module + ".VM1X.OBJ"));
    ASSERT_GT(object.size(), 128u);
    EXPECT_EQ(Word(object, 0), 0x7EEBu);
    // The usage map follows the code the report counted.
    EXPECT_EQ(Word(object, 24), bytes + 128);
    EXPECT_FALSE(fs::exists(dir / (module + ".INT")));
    EXPECT_TRUE(fs::exists(dir / (module + ".XREF")));
  }
}

TEST(ZelcCompile, FaultyModuleFailsAndLeavesNoObject) {
  DemoWorkspace ws;
  const fs::path dir = ws.project("DEMO");
  ASSERT_EQ(ws.run({"compile", "-p", "DEMO", "CZ0P03V1"}).status, 0);
  ASSERT_TRUE(fs::exists(dir / "CZ0P03V1.VM1X.OBJ"));
  Write(dir / "CZ0P03V1.awl", "\"\"faulty\r\nwE0.0 sA0.0\r\n");
  const auto r = ws.run({"compile", "-p", "demo", "cz0p03v1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "compiling CZ0P03V1\n"
            "CZ0P03V1.AWL(2) THEN expected\n"
            "1 Error(s) in statement list CZ0P03V1, 3 Lines\n");
  for (const char* name : {"CZ0P03V1.VM1X.OBJ", "CZ0P03V1.XREF", "CZ0P03V1.INT"}) {
    EXPECT_FALSE(fs::exists(dir / name)) << name;
  }
}

TEST(ZelcCompile, LadderMissingAndUnknownFail) {
  DemoWorkspace ws;
  // A ladder module the project lists, named without its extension.
  const fs::path projectFile = ws.project("DEMO") / "Project.FW4";
  std::string project = ReadFile(projectFile);
  const std::string lastModule = "SRC_5=CZ0F20V1.awl,1,Bottle counter with batch total\r\n";
  ASSERT_NE(project.find(lastModule), std::string::npos);
  project.insert(project.find(lastModule) + lastModule.size(), "SRC_6=CZ0P08V1.kop,1,Ladder\r\n");
  Write(projectFile, project);
  const struct {
    std::vector<std::string> args;
    std::string out;
    std::string err;
  } cases[] = {
      {{"compile", "-p", "DEMO", "CZ0P07V1.kop"},
       "ERROR: Sorry, Ladder Diagram is not implemented yet\n",
       ""},
      {{"compile", "-p", "DEMO", "CZ0P08V1"},
       "ERROR: Sorry, Ladder Diagram is not implemented yet\n",
       ""},
      {{"compile", "-p", "DEMO", "CZ0P09V1"}, "compiling CZ0P09V1\n\n File not found \n", ""},
      {{"compile", "-p", "NOPE", "CZ0P00V1"},
       "",
       "ZEL: Project not found in the current project directory.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[2] + " " + c.args.back());
    const auto r = ws.run(c.args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
  }
  for (const char* log : {"CZ0P07V1.LOG", "CZ0P08V1.LOG"}) {
    EXPECT_FALSE(fs::exists(ws.project("DEMO") / log)) << log;
  }
}

}  // namespace
}  // namespace zel::testing
