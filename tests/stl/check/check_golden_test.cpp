// The corpus of programs under data/check: for each NAME.AWL the message window lines
// (NAME.MSG), and when pass two runs, the intermediate and cross-reference texts
// (NAME.INT, NAME.XREF) byte for byte. NAME.CFG, where present, is the fieldbus
// configuration; C.BEL the allocation list of all of them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "stl/check/check_output.h"
#include "stl/check/syntax_check.h"
#include "support/temp_dir.h"

namespace zel::stl {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(ZEL_STL_DATA_DIR) / "check";

std::vector<fs::path> Cases() {
  std::vector<fs::path> cases;
  for (const auto& entry : fs::directory_iterator(kCorpus))
    if (entry.path().extension() == ".AWL") cases.push_back(entry.path());
  std::sort(cases.begin(), cases.end());
  return cases;
}

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

TEST(CheckGolden, CorpusMatchesByteForByte) {
  AllocationList symbols;
  ASSERT_TRUE(symbols.load(kCorpus / "C.BEL"));
  const auto cases = Cases();
  ASSERT_GE(cases.size(), 8u);
  for (const fs::path& source : cases) {
    SCOPED_TRACE(source.filename().string());
    const std::string program = test::ReadFile(source);
    fs::path config = source;
    config.replace_extension(".CFG");
    CheckSetup setup;
    setup.program = program;
    setup.module = Upper(source.stem().string());
    setup.symbols = &symbols;
    setup.readFieldbusConfig = [config]() -> std::optional<std::string> {
      if (!fs::exists(config)) return std::nullopt;
      return test::ReadFile(config);
    };
    MessageLines messages(setup.module);
    const CheckResult result = RunSyntaxCheck(setup, messages);
    fs::path expected = source;
    EXPECT_EQ(messages.text(), test::ReadFile(expected.replace_extension(".MSG")));
    const bool passTwo = fs::exists(expected.replace_extension(".INT"));
    ASSERT_EQ(result.passTwoRan, passTwo);
    if (!passTwo) continue;
    EXPECT_EQ(result.output.intermediate, test::ReadFile(expected.replace_extension(".INT")));
    EXPECT_EQ(result.output.crossReference, test::ReadFile(expected.replace_extension(".XREF")));
  }
}

}  // namespace
}  // namespace zel::stl
