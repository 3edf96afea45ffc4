// End-to-end: zelc make, build and clean on the demo project; the exit status says
// whether the build had errors.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(ZelcBuild, BuildMakeAndCleanTheDemo) {
  DemoWorkspace ws;
  const fs::path dir = ws.project("DEMO");
  struct Step {
    std::vector<std::string> args;
    int status;
    std::vector<std::string> printed;
    std::vector<std::string> absent;
    bool runFile;
  };
  const Step steps[] = {
      {{"make", "-p", "DEMO"},
       0,
       {"\nZEL Project Make\n", "compiling CZ0P00V1", "linking  CZ0P00V1.VM1X.OBJ",
        "  0 Error(s) and  0 Warning(s)  for Project  DEMO \n"},
       {"CZ0P03V1"},
       true},
      // Nothing changed: nothing is compiled, everything linked.
      {{"make", "-p", "DEMO"},
       0,
       {"linking  CZ0F20V1.VM1X.OBJ", "Project complete, Size "},
       {"compiling"},
       true},
      {{"build", "-p", "DEMO"}, 0, {"\nZEL Project Build\n", "compiling CZ0F20V1"}, {}, true},
      {{"clean", "-p", "DEMO"},
       0,
       {"ZEL Project Cleanup", "Removed intermediate files from project."},
       {},
       false},
      {{"make", "-p", "NOSUCH"}, 1, {}, {"ZEL Project Make"}, false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.args.front() + " " + step.args.back());
    const auto r = ws.run(step.args);
    EXPECT_EQ(r.status, step.status) << r.out << r.err;
    for (const std::string& text : step.printed) EXPECT_TRUE(Has(r.out, text)) << text << r.out;
    for (const std::string& text : step.absent) EXPECT_FALSE(Has(r.out, text)) << text << r.out;
    EXPECT_EQ(fs::exists(dir / "Project.RUN"), step.runFile);
    EXPECT_EQ(fs::exists(dir / "CZ0P00V1.VM1X.OBJ"), step.runFile);
  }
}

TEST(ZelcBuild, ABuildWithErrorsExitsWithFailure) {
  DemoWorkspace ws;
  const fs::path file = ws.project("DEMO") / "Project.FW4";
  std::string text = ReadFile(file);
  text.replace(text.find("ERROR_PRGM=2"), 12, "ERROR_PRGM=64");
  std::ofstream(file, std::ios::binary) << text;
  const auto r = ws.run({"build", "-p", "DEMO"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Has(r.out, "ERROR: Invalid number for Error Program\n")) << r.out;
  EXPECT_TRUE(Has(r.out, "  1 Error(s) and  0 Warning(s)  for Project  DEMO \n")) << r.out;
  EXPECT_FALSE(fs::exists(ws.project("DEMO") / "Project.RUN"));
}

}  // namespace
}  // namespace zel::testing
