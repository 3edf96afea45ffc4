#include "tools/tamsel/tamsel_run.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "platform/files.h"
#include "platform/message_box.h"
#include "support/hex_bytes.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::tamsel::testing {
namespace {

using test::Hex;
using test::ToHex;

namespace fs = std::filesystem;

constexpr std::string_view kDefinition = "screen 'A'\nmessage 'm'\n";
constexpr std::string_view kBinary = "0000 0000 0100 FFFF 0A00 02 4100 08 6D00 02";

class TamselRunTest : public ::testing::Test {
 protected:
  RunOutcome run(const std::string& base) { return RunTamsel({base}, m_dir.path(), m_console); }
  std::string base(std::string_view name) const { return (m_dir / name).string(); }
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& entry : platform::ListDirectory(m_dir.path())) names.push_back(entry.name);
    return names;
  }

  test::TempDir m_dir;
  std::ostringstream m_console;
};

TEST_F(TamselRunTest, WritesTheBinaryBesideTheDefinitionFoundWithoutCase) {
  m_dir.writeFile("screens.txt", kDefinition);
  EXPECT_EQ(run(base("screens")), std::nullopt);
  EXPECT_EQ(ToHex(test::ReadFile(m_dir / "screens.BIN")), ToHex(Hex(kBinary)));
  EXPECT_EQ(entries(), (std::vector<std::string>{"screens.BIN", "screens.txt"}));
  EXPECT_EQ(m_console.str(), "");
}

TEST_F(TamselRunTest, ReplacesAnOldBinaryOfAnotherCase) {
  m_dir.writeFile("S.TXT", kDefinition);
  m_dir.writeFile("S.bin", "old content");
  EXPECT_EQ(run(base("S")), std::nullopt);
  EXPECT_EQ(ToHex(test::ReadFile(m_dir / "S.bin")), ToHex(Hex(kBinary)));
  EXPECT_EQ(entries(), (std::vector<std::string>{"S.bin", "S.TXT"}));
}

TEST_F(TamselRunTest, LargestInputIsAccepted) {
  std::string text(kDefinition);
  text += std::string(65400 - text.size(), ';');
  m_dir.writeFile("S.TXT", text);
  EXPECT_EQ(run(base("S")), std::nullopt);
  EXPECT_EQ(ToHex(test::ReadFile(m_dir / "S.BIN")), ToHex(Hex(kBinary)));
}

struct FailingRun {
  std::string_view name;
  void (*setUp)(const test::TempDir& dir);
  std::string_view message;  // "@" stands for the directory
  std::vector<std::string> entriesAfter;
};

TEST_F(TamselRunTest, FailuresReportTheirMessageAndLeaveNoBinary) {
  const std::vector<FailingRun> cases = {
      {"missing", [](const test::TempDir&) {}, "File:\n@/S.TXT\nnot found.", {}},
      {"too large",
       [](const test::TempDir& d) { d.writeFile("S.TXT", std::string(65401, ';')); },
       "File:\n@/S.TXT\n too large.",
       {"S.TXT"}},
      {"unreadable",
       [](const test::TempDir& d) { fs::create_directory(d / "s.txt"); },
       "Cannot read file @/s.txt",
       {"s.txt"}},
      {"uncreatable",
       [](const test::TempDir& d) {
         d.writeFile("S.TXT", kDefinition);
         fs::create_directory(d / "S.BIN");
       },
       "Cannot create file @/S.BIN",
       {"S.BIN", "S.TXT"}},
      {"wrong definition",
       [](const test::TempDir& d) {
         d.writeFile("S.TXT", "screen 'A'\r\n; next line is wrong\r\nbogus 1\r\n");
         d.writeFile("S.BIN", "from an earlier run");
       },
       "Error in screen definition file\nLine 3: unknown keyword \"bogus\".",
       {"S.TXT"}},
      {"51st screen",
       [](const test::TempDir& d) {
         std::string text;
         for (int i = 0; i < 51; ++i) text += "screen 'x'\n";
         d.writeFile("S.TXT", text);
       },
       "Error in screen definition file\nLine 51: more than 50 screens.",
       {"S.TXT"}},
  };
  for (const FailingRun& c : cases) {
    test::TempDir dir;
    c.setUp(dir);
    std::string expected(c.message);
    if (const std::size_t at = expected.find('@'); at != std::string::npos) {
      expected.replace(at, 1, dir.path().string());
    }
    std::ostringstream console;
    EXPECT_EQ(RunTamsel({(dir / "S").string()}, dir.path(), console), expected) << c.name;
    std::vector<std::string> names;
    for (const auto& entry : platform::ListDirectory(dir.path())) names.push_back(entry.name);
    EXPECT_EQ(names, c.entriesAfter) << c.name;
    EXPECT_EQ(console.str(), "") << c.name;
  }
}

TEST_F(TamselRunTest, TextBelowTheDisplayIsAlsoNotedOnTheConsole) {
  m_dir.writeFile("S.TXT", "screen 'A'\ntext 0 25 0 'x'\n");
  EXPECT_EQ(run(base("S")), "Error in screen definition file\nLine 2: the row must be below 25.");
  EXPECT_EQ(m_console.str(), "invalid position \n");
}

TEST_F(TamselRunTest, OneBaseNameIsRequired) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {""}, {base("a"), base("b")}}) {
    EXPECT_EQ(RunTamsel(args, m_dir.path(), m_console), "Parameter error.") << args.size();
  }
}

TEST_F(TamselRunTest, GermanPreferencesGiveGermanMessages) {
  m_dir.writeFile("Zel.Ini", "[PREFERENCES]\r\nLANGUAGE=D\r\n");
  EXPECT_EQ(RunTamsel({}, m_dir.path(), m_console), "Parameter fehler.");
  EXPECT_EQ(run(base("S")), "Datei:\n" + base("S.TXT") + "\nnicht gefunden.");
  m_dir.writeFile("S.TXT", "frame 0 0 2 2 ''\n");
  EXPECT_EQ(run(base("S")),
            "Fehler in Datei.\nZeile 1: diese Anweisung muss nach einer screen-Anweisung stehen.");
}

TEST(TamselReportTest, FailureIsShownWithTheCaptionAndExitsOne) {
  test::ScriptedAnswers answers;
  EXPECT_EQ(ReportOutcome(std::nullopt), 0);
  EXPECT_TRUE(answers.shown().empty());
  EXPECT_EQ(ReportOutcome(std::string("Parameter error.")), 1);
  ASSERT_EQ(answers.shown().size(), 1u);
  EXPECT_EQ(answers.shown()[0].caption, "Tamsel");
  EXPECT_EQ(answers.shown()[0].text, "Parameter error.");
  EXPECT_EQ(answers.shown()[0].icon, platform::Icon::Error);
}

TEST(TamselReportTest, ConsoleShowsCaptionAndTextOnStderr) {
  test::ScriptedAnswers restoresTheHost;
  platform::SetMessageBoxHost(std::make_shared<platform::ConsoleHost>());
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(ReportOutcome(std::string("File:\nx.TXT\nnot found.")), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Tamsel: File:\nx.TXT\nnot found.\n");
}

}  // namespace
}  // namespace zel::tamsel::testing
