// The program as a user runs it: exit status, console form of the message, and the demo
// workspace's screen file kept in step with its definition.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/hex_bytes.h"
#include "support/temp_dir.h"
#include "tools/tamsel/screen_converter.h"

namespace zel::tamsel::testing {
namespace {

using test::Hex;
using test::ToHex;

// Runs the program in `dir`; its exit status.
int RunProgram(const test::TempDir& dir, const std::string& args) {
  const std::string command = "cd '" + dir.path().string() + "' && '" TAMSEL_BINARY "' " + args +
                              " >stdout.txt 2>stderr.txt";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(TamselProgramTest, ConvertsARelativeBaseNameAndExitsZero) {
  test::TempDir dir;
  dir.writeFile("sub/Panel.Txt", "screen 'A'\n");
  EXPECT_EQ(RunProgram(dir, "sub/Panel"), 0);
  EXPECT_EQ(ToHex(dir.readFile("sub/Panel.BIN")),
            ToHex(Hex("0000 0000 0100 FFFF 0A00 02 4100 02")));
  EXPECT_EQ(dir.readFile("stderr.txt"), "");
}

TEST(TamselProgramTest, FailureGoesToStderrWithTheCaptionAndExitsOne) {
  test::TempDir dir;
  dir.writeFile("zel.ini", "[PREFERENCES]\nLANGUAGE=D\n");
  dir.writeFile("P.TXT", "screen 'A'\ntext 0 99 0 'x'\n");
  EXPECT_EQ(RunProgram(dir, "P"), 1);
  EXPECT_EQ(dir.readFile("stderr.txt"),
            "Tamsel: Fehler in Datei.\nZeile 2: die Bildschirmzeile muss kleiner als 25 sein.\n");
  EXPECT_EQ(dir.readFile("stdout.txt"), "invalid position \n");
  EXPECT_FALSE(std::filesystem::exists(dir / "P.BIN"));

  EXPECT_EQ(RunProgram(dir, ""), 1);
  EXPECT_EQ(dir.readFile("stderr.txt"), "Tamsel: Parameter fehler.\n");
}

TEST(TamselProgramTest, DemoScreenFileMatchesItsDefinition) {
  const std::string demo = TAMSEL_DEMO_DIR "/Projects/DEMO/";
  const std::string definition = test::ReadFile(demo + "SCREENS.TXT");
  ASSERT_FALSE(definition.empty());
  const ConversionResult result = ConvertScreenDefinition(definition);
  ASSERT_TRUE(result.ok()) << "line " << result.failure->line;
  EXPECT_EQ(ToHex(result.bytes), ToHex(test::ReadFile(demo + "SCREENS.BIN")));
}

}  // namespace
}  // namespace zel::tamsel::testing
