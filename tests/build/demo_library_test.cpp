// The compiled module the demo's run-time library offers for import is committed as
// bytes; it must stay exactly what our compiler makes of the source committed beside it.

#include <gtest/gtest.h>

#include "build/compiled_module.h"
#include "build/module_import.h"
#include "platform/files.h"
#include "stl/check/syntax_check.h"
#include "stl/codegen/code_generator.h"

namespace zel::build {
namespace {

namespace fs = std::filesystem;

class IgnoreReport : public stl::CheckReport {
 public:
  void error(int line, std::string_view text) override { ADD_FAILURE() << line << ": " << text; }
  void notice(std::string_view) override {}
};

TEST(DemoLibrary, TheLibraryModuleIsTheCompiledSourceBesideIt) {
  const fs::path folder = fs::path(ZEL_DEMO_DIR) / "RUNTIME.VM1X";
  const auto source = platform::ReadWholeFile(folder / "FILLVALV.awl");
  const auto object = platform::ReadWholeFile(folder / "FILLVALV.OBJ");
  ASSERT_TRUE(source && object);

  IgnoreReport report;
  stl::CheckSetup setup;
  setup.program = *source;
  setup.module = "CZ0B40V1";
  const auto check = stl::RunSyntaxCheck(setup, report);
  ASSERT_EQ(check.errors, 0);
  const auto code = stl::GenerateCode(check.output.intermediate, {setup.module, {}});
  ASSERT_EQ(code.errors, 0);
  EXPECT_EQ(std::string(code.object.begin(), code.object.end()), *object);

  const auto modules = LibraryModules(ZEL_DEMO_DIR, "VM1X");
  ASSERT_EQ(modules.size(), 1u);
  EXPECT_EQ(modules[0].fileName, "FILLVALV.OBJ");
}

}  // namespace
}  // namespace zel::build
