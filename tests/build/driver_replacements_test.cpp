#include "build/driver_replacements.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace zel::build {
namespace {

TEST(DriverReplacements, TheTableKeepsItsOrderConstantsThenOptions) {
  test::TempDir dir;
  dir.writeFile("projects/P1/Project.FW4",
                "[VM1X_DRV_SER]\r\nPORT=COM2\r\nSPEED=9600\r\n[VM1X_DRV_OTHER]\r\nX=1\r\n");
  const auto script =
      library::DriverScript::parse("[CONST]\r\nB=\"quoted\" rest\r\nA=  plain  \r\n", "SER");
  const DriverContext context{dir / "zel", "VM1X", dir / "projects", "P1",
                              dir / "projects" / "P1" / "Project.FW4"};
  const ReplacementTable table = MakeReplacementTable(context, script);
  std::vector<std::string> keys;
  for (const Replacement& r : table) keys.push_back(r.key);
  EXPECT_EQ(keys, (std::vector<std::string>{"<<<ZELDIR>>>", "<<<RUNTIMEDIR>>>",
                                            "<<<CURRENTPROJECT>>>", "<<<PROJECT>>>", "<<<TARGET>>>",
                                            "<<<LANGUAGE>>>", "<<<ALLPROJECTS>>>", "<<<B>>>",
                                            "<<<A>>>", "<<<PORT>>>", "<<<SPEED>>>"}));
  ASSERT_EQ(table.size(), 11u);
  EXPECT_EQ(table[0].value, (dir / "zel").string());
  EXPECT_EQ(table[1].value, (dir / "zel" / "RUNTIME.VM1X").string());
  EXPECT_EQ(table[2].value, (dir / "projects" / "P1").string());
  EXPECT_EQ(table[3].value, "P1");
  EXPECT_EQ(table[4].value, "VM1X");
  EXPECT_EQ(table[5].value, "GB");
  EXPECT_EQ(table[6].value, (dir / "projects").string());
  EXPECT_EQ(table[7].value, "quoted");
  EXPECT_EQ(table[8].value, "plain");
  EXPECT_EQ(table[9].value, "COM2");
  EXPECT_EQ(table[10].value, "9600");
}

TEST(DriverReplacements, ConstantQuotes) {
  struct Case {
    const char* raw;
    const char* value;
  };
  const Case cases[] = {
      {"  abc  ", "abc"}, {"'a b' c", "a b"}, {"\"x'y\" z", "x'y"},
      {"'open", "open"},  {"\t\"\"", ""},     {"a 'b' c", "a 'b' c"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ConstantValue(c.raw), c.value) << c.raw;
}

TEST(DriverReplacements, PassesReplaceFirstOccurrencesUpToTheTableSize) {
  struct Case {
    const char* name;
    ReplacementTable table;
    const char* text;
    const char* result;
    bool complete;
  };
  const Case cases[] = {
      {"nothing to do", {{"<<<A>>>", "a", false}}, "plain", "plain", true},
      {"a later key brought in by an earlier one, same pass",
       {{"<<<A>>>", "<<<B>>>", false}, {"<<<B>>>", "b", false}},
       "<<<A>>>",
       "b",
       true},
      {"an earlier key brought in by a later one, next pass",
       {{"<<<A>>>", "a", false}, {"<<<B>>>", "<<<A>>>", false}},
       "<<<B>>>",
       "a",
       true},
      {"one occurrence per key and pass, two passes",
       {{"<<<A>>>", "x", false}, {"<<<B>>>", "y", false}},
       "<<<A>>><<<A>>><<<A>>>",
       "xx<<<A>>>",
       false},
      {"a key that brings itself back",
       {{"<<<A>>>", "<<<A>>>!", false}, {"<<<B>>>", "", false}},
       "<<<A>>>",
       "<<<A>>>!!",
       false},
      {"an unknown key", {{"<<<A>>>", "a", false}}, "<<<A>>> <<<C>>>", "a <<<C>>>", false},
      {"a stray closing mark", {{"<<<A>>>", "a", false}}, "<<<A>>> x>>>", "a x>>>", false},
      {"a directory joins the separator after it",
       {{"<<<D>>>", "/opt/zel", true}, {"<<<F>>>", "/opt/f", false}},
       "<<<D>>>\\sub\\x <<<F>>>\\y",
       "/opt/zel/sub\\x /opt/f\\y",
       true},
  };
  for (const Case& c : cases) {
    const ReplacedText replaced = ApplyReplacements(c.text, c.table);
    EXPECT_EQ(replaced.text, c.result) << c.name;
    EXPECT_EQ(replaced.complete, c.complete) << c.name;
  }
}

TEST(DriverReplacements, GrowthStopsAtTheLimit) {
  ReplacementTable table(20, Replacement{"<<<A>>>", std::string(40000, 'x') + "<<<A>>>", false});
  const ReplacedText replaced = ApplyReplacements("<<<A>>>", table);
  EXPECT_FALSE(replaced.complete);
  EXPECT_LE(replaced.text.size(), kReplacedTextMax + 40007);

  TextLog log;
  EXPECT_FALSE(ReplaceDriverText("<<<A>>>", table, log).complete);
  EXPECT_EQ(log.text(), "ERROR: Invalid replacement in driver script\r\n");
  EXPECT_EQ(log.errors(), 1u);
}

}  // namespace
}  // namespace zel::build
