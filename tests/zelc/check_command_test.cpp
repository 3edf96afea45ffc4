// End-to-end: zelc check on the demo project and on faulty modules.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

// The log with the time of the run in its first line ("Mon Jan 02 15:04:05 2006") put
// as "<time>", so that the whole log compares.
std::string LogWithoutTime(const fs::path& log) {
  static const std::regex kTime(
      "^[A-Z][a-z]{2} [A-Z][a-z]{2} \\d{2} \\d{2}:\\d{2}:\\d{2} \\d{4}\n");
  return std::regex_replace(ReadFile(log), kTime, "<time>\n",
                            std::regex_constants::format_first_only);
}

TEST(ZelcCheck, DemoModulesPass) {
  DemoWorkspace ws;
  const std::pair<const char*, int> modules[] = {{"CZ0P00V1", 29}, {"CZ0P01V1", 36},
                                                 {"CZ0P02V1", 13}, {"CZ0P03V1", 28},
                                                 {"CZ0B10V1", 10}, {"CZ0F20V1", 14}};
  for (const auto& [module, lines] : modules) {
    const auto r = ws.run({"check", "-p", "DEMO", std::string(module) + ".awl"});
    const std::string summary = "0 Error(s) in statement list " + std::string(module) + ", " +
                                std::to_string(lines) + " Lines";
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "compiling " + std::string(module) + "\n" + summary + "\n");
    const fs::path dir = ws.project("DEMO");
    EXPECT_EQ(LogWithoutTime(dir / (std::string(module) + ".LOG")),
              "<time>\ncompiling " + std::string(module) + "\n" + summary + "\n");
    EXPECT_TRUE(fs::exists(dir / (std::string(module) + ".INT")));
    EXPECT_FALSE(ReadFile(dir / (std::string(module) + ".XREF")).empty());
  }
}

TEST(ZelcCheck, FaultyModuleReportsEveryFaultAndFails) {
  DemoWorkspace ws;
  const fs::path dir = ws.project("DEMO");
  Write(dir / "CZ0P03V1.awl", "\"\"faulty\r\nwE0.0 sA0.0\r\nw:NOSUCH;d s:Pump1;\r\n");
  const auto r = ws.run({"check", "-p", "demo", "cz0p03v1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "compiling CZ0P03V1\n"
            "CZ0P03V1.AWL(2) THEN expected\n"
            "CZ0P03V1.AWL(3) Unknown operand NOSUCH\n"
            "CZ0P03V1.AWL(3) No or invalid operator/operand in logic operation \n"
            "3 Error(s) in statement list CZ0P03V1, 4 Lines\n");
  EXPECT_EQ(LogWithoutTime(dir / "CZ0P03V1.LOG"),
            "<time>\n"
            "compiling CZ0P03V1\n"
            " Line: 2 THEN expected\n"
            " Line: 3 Unknown operand NOSUCH\n"
            " Line: 3 No or invalid operator/operand in logic operation \n"
            "3 Error(s) in statement list CZ0P03V1, 4 Lines\n");
  // A check keeps both files for inspection, errors or not.
  EXPECT_EQ(ReadFile(dir / "CZ0P03V1.INT"), "\nwE0.0sA0.0\nwNOSUCHdsA0.0\n");
  EXPECT_EQ(ReadFile(dir / "CZ0P03V1.XREF"), "E0.0 2\nA0.0 2\nA0.0 3\n");
}

TEST(ZelcCheck, EmptyOrMissingSourceIsNotFound) {
  DemoWorkspace ws;
  Write(ws.project("DEMO") / "CZ0P02V1.awl", "");
  for (const std::string module : {"CZ0P02V1", "CZ0P09V1"}) {
    const auto r = ws.run({"check", "-p", "DEMO", module});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "compiling " + module + "\n\n File not found \n");
    EXPECT_EQ(LogWithoutTime(ws.project("DEMO") / (module + ".LOG")),
              "<time>\ncompiling " + module + "\n File not found \n");
  }
}

TEST(ZelcCheck, PassOneFaultsLeaveNoStaleOutput) {
  DemoWorkspace ws;
  const fs::path dir = ws.project("DEMO");
  Write(dir / "CZ0P01V1.INT", "old");
  Write(dir / "CZ0P01V1.XREF", "old");
  Write(dir / "CZ0P01V1.awl", "#A;\r\nwadsA0.0\r\n#A;\r\n");
  const auto r = ws.run({"check", "-p", "DEMO", "CZ0P01V1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "compiling CZ0P01V1\n"
            "CZ0P01V1.AWL(3) Multiply defined step mark: A\n"
            "1 Error(s) in statement list CZ0P01V1, 4 Lines\n");
  EXPECT_FALSE(fs::exists(dir / "CZ0P01V1.INT"));
  EXPECT_FALSE(fs::exists(dir / "CZ0P01V1.XREF"));
}

TEST(ZelcCheck, UnwritableIntermediateFileIsAWriteError) {
  DemoWorkspace ws;
  const fs::path dir = ws.project("DEMO");
  fs::create_directory(dir / "CZ0P00V1.INT");
  const auto r = ws.run({"check", "-p", "DEMO", "CZ0P00V1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "compiling CZ0P00V1\n"
            "\n ERROR while writing the file \n"
            "1 Error(s) in statement list CZ0P00V1, 29 Lines\n");
  EXPECT_FALSE(fs::exists(dir / "CZ0P00V1.LOG"));
  EXPECT_FALSE(fs::exists(dir / "CZ0P00V1.XREF"));
}

TEST(ZelcCheck, UnknownProjectFails) {
  DemoWorkspace ws;
  const auto r = ws.run({"check", "-p", "NOPE", "CZ0P00V1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "ZEL: Project not found in the current project directory.\n");
}

}  // namespace
}  // namespace zel::testing
