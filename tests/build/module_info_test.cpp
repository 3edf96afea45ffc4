#include "build/module_info.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"
#include "xref_import_fixture.h"

namespace zel::build::testing {
namespace {

TEST(DescribeCompiledModule, TextsByWhatTheHeaderSays) {
  test::TempDir dir;
  const std::string notModule = "\r\r\n\n\tNOT A ZEL MODULE\r\n";
  std::string wrongJump = ModuleFile();
  wrongJump[0] = '\x00';  // 0x7E00: the validity test's byte, but no jump over the header
  struct Case {
    const char* what;
    std::optional<std::string> content;  // nullopt: no such file
    std::string text;                    // after "File: \t\t<path>\r\n" when not a module
    bool isModule;
  };
  const Case cases[] = {
      {"statement list", ModuleFile({}, 0, 0x24),
       "Language: \tSTL (compiled)\r\nVersion: \t2.24\r\n", true},
      {"ladder", ModuleFile({}, 1, 0x10), "Language: \tLadder (compiled)\r\nVersion: \t2.10\r\n",
       true},
      {"C, minor in hexadecimal", ModuleFile({}, 2, 0x9A - 1),
       "Language: \tC (compiled)\r\nVersion: \t2.99\r\n", true},
      {"language word 3", ModuleFile({}, 3), "Language: \tunknown type\r\nVersion: \t2.24\r\n",
       false},
      {"minor below the range is described but refused", ModuleFile({}, 0, 0x0F),
       "Language: \tSTL (compiled)\r\nVersion: \t2.0F\r\n", false},
      {"only the header", ModuleFile().substr(0, 128),
       "Language: \tSTL (compiled)\r\nVersion: \t2.24\r\n", true},
      {"a byte short of a header", ModuleFile().substr(0, 127), notModule, false},
      {"empty", std::string(), notModule, false},
      {"text", std::string(200, 'a'), notModule, false},
      {"high byte right, low byte wrong", wrongJump, notModule, false},
      {"missing", std::nullopt, "\r\n\r\n\t NOT FOUND\r\n", false},
  };
  int i = 0;
  for (const Case& c : cases) {
    const auto path = dir / ("m" + std::to_string(i++) + ".OBJ");
    if (c.content) dir.writeFile(path.filename(), *c.content);
    const auto description = DescribeCompiledModule(path);
    const bool header = c.text.starts_with("Language");
    EXPECT_EQ(description.text, header ? c.text : "File: \t\t" + path.string() + "\r\n" + c.text)
        << c.what;
    EXPECT_EQ(description.isModule, c.isModule) << c.what;
  }
}

TEST(DescribeCompiledModule, ADirectoryIsNotFound) {
  test::TempDir dir;
  std::filesystem::create_directory(dir / "CMP.OBJ");
  EXPECT_EQ(DescribeCompiledModule(dir / "CMP.OBJ").text,
            "File: \t\t" + (dir / "CMP.OBJ").string() + "\r\n\r\n\r\n\t NOT FOUND\r\n");
}

TEST(CompiledLanguageName, TheWordThePropertiesShow) {
  test::TempDir dir;
  struct Case {
    std::optional<std::string> content;
    std::string name;
  };
  const Case cases[] = {
      {ModuleFile({}, 0), "STL (compiled)"},    {ModuleFile({}, 1), "Ladder (compiled)"},
      {ModuleFile({}, 2), "C (compiled)"},      {ModuleFile({}, 7), "unknown type"},
      {std::string("abc"), "NOT A ZEL MODULE"}, {std::nullopt, "NOT FOUND"},
  };
  int i = 0;
  for (const Case& c : cases) {
    const auto name = "x" + std::to_string(i++) + ".obj";
    if (c.content) dir.writeFile(name, *c.content);
    // Found without regard to case, as every object file of a project is.
    EXPECT_EQ(CompiledLanguageName(dir / ("X" + name.substr(1))), c.name) << name;
  }
}

}  // namespace
}  // namespace zel::build::testing
