#include "library/io_module_install.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::library {
namespace {

using platform::Answer;

constexpr std::string_view kScript = ";$NE Card\r\n;$EA 2 0 1 0 $300\r\n";
constexpr std::string_view kOther = ";$NE Old card\r\n;$EA 2 0 1 0 $310\r\n";

TEST(IoModuleInstall, InstallAsksBeforeOverwritingAndRefusesNonScripts) {
  struct Case {
    const char* name;
    std::string_view content;
    std::deque<Answer> answers;
    bool installed;
    std::string message;  // with <src> for the chosen file
    std::string_view libraryAfter;
  };
  const std::vector<Case> cases = {
      {"NEW.IOD", kScript, {}, true, "", kScript},
      {"card.iod",
       kScript,
       {Answer::No},
       false,
       "'card.iod'\n\nThe IO module already exists.\nOverwrite?",
       kOther},
      {"card.iod",
       kScript,
       {Answer::Yes},
       true,
       "'card.iod'\n\nThe IO module already exists.\nOverwrite?",
       kScript},
      {"card.txt", kScript, {}, false, "Skipping '<src>'.\n\nNot an IO Script (*.iod)", kOther},
      {"bad.iod",
       ";$NE Card\r\n;$EA 2 0 1\r\n",
       {},
       false,
       "'<src>'\n\nInvalid IOD file format.",
       ""},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    dir.writeFile("RUNTIME.VM1X/CARD.IOD", kOther);
    dir.writeFile(std::string("src/") + c.name, c.content);
    test::ScriptedAnswers answers(c.answers);
    const auto source = dir / "src" / c.name;
    EXPECT_EQ(InstallIoModule(dir.path(), "vm1x", source), c.installed) << c.name;
    std::string expected = c.message;
    if (const auto at = expected.find("<src>"); at != std::string::npos)
      expected.replace(at, 5, source.string());
    EXPECT_EQ(answers.texts(),
              expected.empty() ? std::vector<std::string>{} : std::vector<std::string>{expected});
    const std::string name = c.name;
    const std::string installedAs = name.starts_with("card") ? "CARD.IOD" : name;
    EXPECT_EQ(dir.readFile("RUNTIME.VM1X/" + installedAs), c.libraryAfter) << c.name;
  }
}

TEST(IoModuleInstall, DeinstallAndExtract) {
  test::TempDir dir;
  dir.writeFile("RUNTIME.VM1X/CARD.IOD", kScript);
  test::ScriptedAnswers answers;
  EXPECT_FALSE(ExtractIoModule(dir.path(), "VM1X", "card.iod", dir / "out.txt"));
  EXPECT_TRUE(ExtractIoModule(dir.path(), "VM1X", "card.iod", dir / "out.IOD"));
  EXPECT_EQ(dir.readFile("out.IOD"), kScript);
  answers.push(Answer::No);
  answers.push(Answer::Yes);
  answers.push(Answer::Yes);
  EXPECT_FALSE(DeinstallIoModule(dir.path(), "VM1X", "CARD.IOD"));
  EXPECT_TRUE(DeinstallIoModule(dir.path(), "VM1X", "CARD.IOD"));
  EXPECT_FALSE(std::filesystem::exists(dir / "RUNTIME.VM1X/CARD.IOD"));
  EXPECT_FALSE(DeinstallIoModule(dir.path(), "VM1X", "CARD.IOD"));
  EXPECT_EQ(answers.texts(), (std::vector<std::string>{
                                 "Skipping '" + (dir / "out.txt").string() +
                                     "'.\n\nYou must not change the extension.",
                                 "'CARD.IOD'\n\nDo you really want to delete the IO module?",
                                 "'CARD.IOD'\n\nDo you really want to delete the IO module?",
                                 "'CARD.IOD'\n\nDo you really want to delete the IO module?",
                                 "'CARD.IOD'\n\nFailed to delete the file.",
                             }));
}

}  // namespace
}  // namespace zel::library
