// The corpus of programs under data/check: for each NAME.AWL the message window lines
// (NAME.MSG), and when pass two runs, the intermediate and cross-reference texts
// (NAME.INT, NAME.XREF) byte for byte. NAME.CFG, where present, is the fieldbus
// configuration; C.BEL the allocation list of all of them. Each program is a test of its
// own, so one run reports every program that differs.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "stl/check/check_output.h"
#include "stl/check/syntax_check.h"
#include "support/temp_dir.h"

namespace zel::stl {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(ZEL_STL_DATA_DIR) / "check";

// The file names of the programs, sorted.
std::vector<std::string> Cases() {
  std::vector<std::string> cases;
  std::error_code error;
  for (fs::directory_iterator it(kCorpus, error); !error && it != fs::directory_iterator();
       it.increment(error))
    if (it->path().extension() == ".AWL") cases.push_back(it->path().filename().string());
  std::sort(cases.begin(), cases.end());
  return cases;
}

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

fs::path Beside(const fs::path& source, const char* extension) {
  fs::path file = source;
  return file.replace_extension(extension);
}

// The expected text of a file the corpus must hold; a missing one fails the case instead
// of comparing with nothing.
std::string Expected(const fs::path& file) {
  EXPECT_TRUE(fs::exists(file)) << file << " is missing";
  return test::ReadFile(file);
}

TEST(CheckGoldenCorpus, HoldsEveryKindOfProgram) {
  EXPECT_GE(Cases().size(), 8u);
}

class CheckGolden : public ::testing::TestWithParam<std::string> {};

TEST_P(CheckGolden, MatchesByteForByte) {
  const fs::path source = kCorpus / GetParam();
  AllocationList symbols;
  ASSERT_TRUE(symbols.load(kCorpus / "C.BEL"));
  const fs::path config = Beside(source, ".CFG");
  const std::string program = test::ReadFile(source);
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
  EXPECT_EQ(messages.text(), Expected(Beside(source, ".MSG")));
  const bool passTwo = fs::exists(Beside(source, ".INT"));
  EXPECT_EQ(result.passTwoRan, passTwo);
  if (!passTwo || !result.passTwoRan) return;
  EXPECT_EQ(result.output.intermediate, Expected(Beside(source, ".INT")));
  EXPECT_EQ(result.output.crossReference, Expected(Beside(source, ".XREF")));
}

std::string CaseName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name = fs::path(info.param).stem().string();
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, CheckGolden, ::testing::ValuesIn(Cases()), CaseName);

}  // namespace
}  // namespace zel::stl
