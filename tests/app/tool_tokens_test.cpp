#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/tools/replace_tokens.h"
#include "app/tools/tool_command.h"
#include "support/temp_dir.h"

namespace zel::app {
namespace {

TokenValues Values() {
  TokenValues v;
  v.programDirectory = "/opt/zel";
  v.type = "VM1X";
  v.projectDirectory = "/data/Projects";
  v.projectName = "DEMO";
  v.comPort = "COM2";
  v.baudRate = 19200;
  return v;
}

TEST(ReplaceTokens, BothModes) {
  struct Case {
    const char* text;
    std::optional<std::string> install;
    std::optional<std::string> full;
  };
  const std::optional<std::string> fails;
  const std::vector<Case> cases = {
      {"plain", "plain", "plain"},
      {"<<<ZELDIR>>>/x", "/opt/zel/x", "/opt/zel/x"},
      {"<<<RUNTIMEDIR>>>", "/opt/zel/RUNTIME.VM1X", "/opt/zel/RUNTIME.VM1X"},
      {"<<<TARGET>>>-<<<LANGUAGE>>>", "VM1X-GB", "VM1X-GB"},
      {"<<<CURRENTPROJECT>>>\\Project.RUN", "/data/Projects/DEMO/Project.RUN",
       "/data/Projects/DEMO/Project.RUN"},
      {"<<<ALLPROJECTS>>> <<<ALLPROJECTS>>>", "/data/Projects /data/Projects",
       "/data/Projects /data/Projects"},
      {"<<<COM_PORT>>>:<<<COM_BAUDRATE>>>", fails, "COM2:19200"},
      {"<<<#1>>><<<#2>>><<<#4>>>", fails, "VFNMxKZC"},
      {"<<<#3>>>", fails, "/data/Projects/DEMO"},
      {"-c <<<#5>>>", fails, "-c COM2/19200/9000"},
      {"<<<UNKNOWN>>>", fails, fails},
      {"a >>> b", fails, fails},
      {"<<<ZELDIR", fails, fails},
      {"<<<<<<TARGET>>>>>>", fails, fails},
      {"<<<target>>>", fails, fails},  // token names are not case-blind
      // A token assembled from text around another is replaced by a later pass.
      {"<<<<<<#4>>>>>>", fails, fails},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReplaceTokens(c.text, Values(), TokenMode::Install), c.install);
    EXPECT_EQ(ReplaceTokens(c.text, Values(), TokenMode::Full), c.full);
  }
}

TEST(ReplaceTokens, LaterPassesReplaceTokensThatValuesBringIn) {
  TokenValues v = Values();
  v.projectName = "<<<TARGET>>>";
  EXPECT_EQ(ReplaceTokens("<<<CURRENTPROJECT>>>", v, TokenMode::Install), "/data/Projects/VM1X");
}

TEST(ReplaceTokens, AValueHoldingItsOwnTokenDoesNotLoop) {
  TokenValues v = Values();
  v.type = "<<<TARGET>>>";
  EXPECT_EQ(ReplaceTokens("<<<TARGET>>>", v, TokenMode::Full), std::nullopt);
}

TEST(ReplaceTokens, TokensWithoutAValueFail) {
  TokenValues none = Values();
  none.projectName.clear();
  none.type.clear();
  none.comPort.clear();
  none.baudRate = 0;
  for (const char* text : {"<<<CURRENTPROJECT>>>", "<<<#3>>>", "<<<TARGET>>>", "<<<RUNTIMEDIR>>>",
                           "<<<COM_PORT>>>", "<<<COM_BAUDRATE>>>", "<<<#5>>>"}) {
    EXPECT_EQ(ReplaceTokens(text, none, TokenMode::Full), std::nullopt) << text;
  }
  EXPECT_EQ(ReplaceTokens("<<<ALLPROJECTS>>>", none, TokenMode::Full), "/data/Projects");
}

TEST(ReplaceTokens, RuntimeDirectoryIsFoundWithoutRegardToCase) {
  test::TempDir temp;
  std::filesystem::create_directory(temp / "runtime.vm1x");
  TokenValues v = Values();
  v.programDirectory = temp.path();
  EXPECT_EQ(ReplaceTokens("<<<RUNTIMEDIR>>>", v, TokenMode::Install),
            (temp / "runtime.vm1x").string());
}

TEST(SplitToolCommand, ProgramAndArguments) {
  test::TempDir temp;
  temp.writeFile("my tools/run it", "#!/bin/sh\n");
  temp.writeFile("local.sh", "#!/bin/sh\n");
  const std::string dir = temp.path().string();
  struct Case {
    std::string program, parameters;
    ToolCommand expected;
  };
  const std::vector<Case> cases = {
      {"prog", "", {"prog", {}}},
      {"prog", "a  b\tc", {"prog", {"a", "b", "c"}}},
      {"prog", "\"a b\" c\"d e\"", {"prog", {"a b", "cd e"}}},
      {"prog", "\"\"", {"prog", {""}}},
      {"prog",
       "; rm -rf / | cat $HOME `x`",
       {"prog", {";", "rm", "-rf", "/", "|", "cat", "$HOME", "`x`"}}},
      {"prog -v", "x", {"prog", {"-v", "x"}}},
      {"\"" + dir + "/my tools/run it\"", "x", {dir + "/my tools/run it", {"x"}}},
      {dir + "/my tools/run it", "x", {dir + "/my tools/run it", {"x"}}},
      {"my tools/run it", "", {dir + "/my tools/run it", {}}},
      {"local.sh", "", {dir + "/local.sh", {}}},
      {"sub/tool", "", {dir + "/sub/tool", {}}},
      {"", "a", {"", {"a"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program + " | " + c.parameters);
    EXPECT_EQ(SplitToolCommand(c.program, c.parameters, temp.path()), c.expected);
  }
}

TEST(ToolCommandLine, BlankOnlyBetweenTwoParts) {
  EXPECT_EQ(ToolCommandLine("p", "a b"), "p a b");
  EXPECT_EQ(ToolCommandLine("p", ""), "p");
  EXPECT_EQ(ToolCommandLine("", "a"), "a");
}

}  // namespace
}  // namespace zel::app
