// The scanner of the stored form: lines, cutting, and the classes of codes and operands.

#include "stl/check/scanner.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "stl/lang/keywords.h"

namespace zel::stl {
namespace {

struct Cutting {
  const char* name;
  std::string_view line;
  std::vector<std::pair<Cut, std::string>> tokens;
};

std::ostream& operator<<(std::ostream& out, const Cutting& c) {
  return out << c.name;
}

std::vector<std::pair<Cut, std::string>> CutLine(std::string_view line) {
  StlScanner scanner(line);
  std::vector<std::pair<Cut, std::string>> tokens;
  if (!scanner.nextLine()) return tokens;
  for (CutToken t = scanner.nextToken(); t.cut != Cut::EndOfLine; t = scanner.nextToken())
    tokens.emplace_back(t.cut, t.text);
  return tokens;
}

class ScannerCuts : public ::testing::TestWithParam<Cutting> {};

TEST_P(ScannerCuts, Tokens) {
  EXPECT_EQ(CutLine(GetParam().line), GetParam().tokens);
}

const Cutting kCuttings[] = {
    {"NoBlanksNeeded",
     "wE0.0dsA1.0",
     {{Cut::Single, "w"},
      {Cut::Operand, "E0.0"},
      {Cut::Single, "d"},
      {Cut::Single, "s"},
      {Cut::Operand, "A1.0"}}},
    {"RotateCodeAndCounter",
     "z3 Z3 z10 c12g7",
     {{Cut::Numbered, "z3"},
      {Cut::Operand, "Z3"},
      {Cut::Numbered, "z10"},
      {Cut::Numbered, "c12"},
      {Cut::Numbered, "g7"}}},
    {"LettersAlone",
     "F FW S T",
     {{Cut::Operand, "F"}, {Cut::Operand, "FW"}, {Cut::Operand, "S"}, {Cut::Operand, "T"}}},
    {"Constants",
     "@-5 @$FF @+3 @$ff",
     {{Cut::Operand, "@-5"},
      {Cut::Operand, "@$FF"},
      {Cut::Operand, "@+3"},
      {Cut::Operand, "@$"},
      {Cut::Single, "f"},
      {Cut::Single, "f"}}},
    {"StepAndJumpLabels",
     "# start ;bStart;b",
     {{Cut::Step, "START"},
      {Cut::Single, "b"},
      {Cut::Label, "START"},
      {Cut::Single, "b"},
      {Cut::Label, ""}}},
    {"LabelToEndOfLine", "#a b c", {{Cut::Step, "A B C"}}},
    {"Symbol",
     ":Motor;u:rest",
     {{Cut::Symbol, "MOTOR"}, {Cut::Single, "u"}, {Cut::Symbol, "REST"}}},
    {"Comparisons",
     "< = MW1>=@1<>R1 < >=",
     {{Cut::Comparison, "<="},
      {Cut::Operand, "MW1"},
      {Cut::Comparison, ">="},
      {Cut::Operand, "@1"},
      {Cut::Comparison, "<>"},
      {Cut::Operand, "R1"},
      {Cut::Comparison, "<>="}}},
    {"QuotedText",
     "m'a b'm'open",
     {{Cut::Single, "m"}, {Cut::Quoted, "'a b'"}, {Cut::Single, "m"}, {Cut::Quoted, "'open"}}},
    {"CommentCut", "sA0.0 \"set it \" really", {{Cut::Single, "s"}, {Cut::Operand, "A0.0"}}},
    {"TabsSeparate",
     "s\tA0.0\tM1.2",
     {{Cut::Single, "s"}, {Cut::Operand, "A0.0"}, {Cut::Operand, "M1.2"}}},
    {"OperatorsAndBrackets",
     "(MW1+@1)*R2",
     {{Cut::Single, "("},
      {Cut::Operand, "MW1"},
      {Cut::Single, "+"},
      {Cut::Operand, "@1"},
      {Cut::Single, ")"},
      {Cut::Single, "*"},
      {Cut::Operand, "R2"}}},
};
INSTANTIATE_TEST_SUITE_P(Lines, ScannerCuts, ::testing::ValuesIn(kCuttings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Scanner, CountsEveryPhysicalLine) {
  StlScanner scanner("sA0.0\r\n\r\n   \r\n\"\"comment\nsA0.1");
  std::vector<std::size_t> tokensPerLine;
  while (scanner.nextLine()) {
    std::size_t n = 0;
    while (scanner.nextToken().cut != Cut::EndOfLine) ++n;
    tokensPerLine.push_back(n);
  }
  EXPECT_EQ(tokensPerLine, (std::vector<std::size_t>{2, 0, 0, 0, 2}));
  EXPECT_EQ(scanner.lineCounter(), 5);
}

TEST(Scanner, UnconvertedLinesAreMarked) {
  StlScanner scanner("?IF X\r\n ?IF\r\n");
  ASSERT_TRUE(scanner.nextLine());
  EXPECT_TRUE(scanner.isUnconvertedLine());
  ASSERT_TRUE(scanner.nextLine());
  EXPECT_FALSE(scanner.isUnconvertedLine());
  EXPECT_FALSE(scanner.nextLine());
}

TEST(Scanner, TimeValueTakesDigitsAndPointsOnly) {
  StlScanner scanner("1.5.2s  ");
  ASSERT_TRUE(scanner.nextLine());
  EXPECT_EQ(scanner.nextTimeValue().text, "1.5.2");
  EXPECT_EQ(scanner.nextToken().text, "s");
  EXPECT_EQ(scanner.nextTimeValue().text, "");
  EXPECT_EQ(scanner.nextToken().cut, Cut::EndOfLine);
}

struct ClassCase {
  std::string_view text;
  TokenClass tokenClass;
};

TEST(Scanner, OperandClassesByLetterPair) {
  using T = TokenClass;
  const ClassCase cases[] = {
      {"M0.0", T::FlagBit},
      {"A1.0", T::OutputBit},
      {"E0.0", T::InputBit},
      {"T1", T::TimerBit},
      {"TA1", T::TimerBit},
      {"TE1", T::TimerBit},
      {"Z3", T::CounterBit},
      {"PS1", T::PsBit},
      {"P1", T::ProgramBit},
      {"O1", T::FuWord},
      {"TW1", T::TimerWord},
      {"ZW1", T::CounterWord},
      {"R1", T::RegisterWord},
      {"EW1", T::InputWord},
      {"AW1", T::OutputWord},
      {"@5", T::Constant},
      {"@-5", T::Constant},
      {"@$FF", T::Constant},
      {"TV1", T::TimerPreselect},
      {"ZV1", T::CounterPreselect},
      {"MW1", T::FlagWord},
      {"F", T::FBit},
      {"FW", T::FWord},
      {"X1", T::XOperand},
      {"Y1", T::YOperand},
      {"S", T::SBit},
      {"c5", T::Cmp},
      {"g5", T::Cfm},
      {"MA", T::None},
      {"ES", T::None},
      {"OW1", T::None},
      {"", T::None},
  };
  for (const auto& c : cases) EXPECT_EQ(OperandTokenClass(c.text), c.tokenClass) << c.text;
}

TEST(Scanner, CodeClassesAreExact) {
  for (const auto& keyword : Keywords())
    EXPECT_EQ(CodeTokenClass(keyword.code), keyword.tokenClass) << keyword.display;
  using T = TokenClass;
  const ClassCase cases[] = {
      {"(", T::OpenBracket}, {")", T::CloseBracket},  {"+", T::Plus},    {"-", T::Minus},
      {"*", T::Times},       {"/", T::Divide},        {"=", T::Equal},   {"<", T::Less},
      {"<=", T::LessEqual},  {">=", T::GreaterEqual}, {">", T::Greater}, {"<>", T::NotEqual},
      {"z9", T::None},       {"z10", T::None},        {"<<", T::None},   {"p", T::None},
  };
  for (const auto& c : cases) EXPECT_EQ(CodeTokenClass(c.text), c.tokenClass) << c.text;
}

}  // namespace
}  // namespace zel::stl
