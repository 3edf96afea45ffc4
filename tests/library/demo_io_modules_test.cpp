// The IO module scripts shipped in demo/: every controller type has its base module and
// the cards, all of them parse, and the DEMO project's configuration loads as it is.

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>
#include <vector>

#include "library/io_configuration.h"
#include "library/io_module_list.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::library {
namespace {

namespace fs = std::filesystem;

const char* const kTypes[] = {"RUD", "RUD2", "VM0X", "VM1X", "VM2X"};

TEST(DemoIoModules, EveryTypeHasItsBaseModuleAndTheCards) {
  for (const std::string type : kTypes) {
    test::ScriptedAnswers answers;
    const auto modules = LoadIoModules(ZEL_DEMO_DIR, type);
    EXPECT_EQ(answers.texts(), std::vector<std::string>{}) << type;
    std::set<std::string> files;
    for (const auto& m : modules.modules()) files.insert(m.fileName);
    EXPECT_EQ(files,
              (std::set<std::string>{type + ".IOD", "AI4.IOD", "AO2.IOD", "DI16.IOD", "DO16.IOD"}))
        << type;
    const auto* di = modules.find("DI16.IOD");
    ASSERT_TRUE(di);
    EXPECT_EQ(ListSwitchPositionsHex(*di), "0-3, 6+7");
    for (const auto& m : modules.modules()) {
      EXPECT_TRUE(m.version3Name) << m.fileName;
      EXPECT_FALSE(m.inputScan.empty() && m.outputScan.empty()) << m.fileName;
    }
  }
}

// The build reads placeholders "<" name ["+"|"-" number] ">"; the demo shows each name
// and each kind of offset, so it exercises every form the build must encode.
TEST(DemoIoModules, ScanSectionsUseEveryPlaceholderForm) {
  const std::regex placeholder(R"(<(addr|ew|aw|eb|ab)(([+-])(\$?)[0-9A-Fa-f]+)?>)",
                               std::regex::icase);
  for (const std::string type : kTypes) {
    test::ScriptedAnswers answers;
    std::set<std::string> names;
    std::set<std::string> offsets;
    const auto modules = LoadIoModules(ZEL_DEMO_DIR, type);
    for (const auto& m : modules.modules()) {
      std::vector<std::string> lines = m.inputScan;
      lines.insert(lines.end(), m.outputScan.begin(), m.outputScan.end());
      for (const auto& line : lines) {
        for (std::sregex_iterator it(line.begin(), line.end(), placeholder), end; it != end; ++it) {
          std::string name = (*it)[1];
          for (auto& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
          names.insert(name);
          offsets.insert((*it)[2].matched ? (*it)[3].str() + (*it)[4].str() : "none");
        }
      }
    }
    EXPECT_EQ(names, (std::set<std::string>{"addr", "ab", "aw", "eb", "ew"})) << type;
    EXPECT_EQ(offsets, (std::set<std::string>{"none", "+", "+$", "-", "-$"})) << type;
  }
}

TEST(DemoIoModules, DemoProjectConfigurationLoadsWithoutAQuestion) {
  test::TempDir dir;
  fs::copy_file(fs::path(ZEL_DEMO_DIR) / "Projects/DEMO/Project.FW4", dir / "Project.FW4");
  const std::string before = dir.readFile("Project.FW4");
  test::ScriptedAnswers answers;
  const auto modules = LoadIoModules(ZEL_DEMO_DIR, "VM1X");
  IoConfiguration config(app::ProjectFile(dir / "Project.FW4"), "VM1X", modules);
  struct Refuse : IoEntryEditor {
    std::optional<IoEntry> edit(const IoEntry&, IoField) override { return std::nullopt; }
  } refuse;
  ASSERT_TRUE(config.load(refuse));
  EXPECT_EQ(config.entries().size(), 6u);
  EXPECT_EQ(answers.texts(), std::vector<std::string>{});
  EXPECT_EQ(dir.readFile("Project.FW4"), before);
  for (std::size_t i = 0; i < config.entries().size(); ++i) {
    const auto& entry = config.entries()[i];
    EXPECT_FALSE(ValidateIoEntry(entry, modules.find(entry.module))) << FormatIoEntry(entry);
    EXPECT_FALSE(FindIoCollision(entry, config.entries(), i, modules)) << FormatIoEntry(entry);
  }
}

}  // namespace
}  // namespace zel::library
