// The code generator's scanner and parser: what trees the intermediate text makes.

#include "stl/codegen/parser.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "stl/codegen/intermediate_scanner.h"
#include "stl/codegen/translator.h"

namespace zel::stl::code {
namespace {

std::string OpName(Op op) {
  static constexpr std::array kNames{
      "Operand",  "Constant",  "TimeValue", "BitAnd",       "BitOr",   "BitExor",  "BitNot",
      "Less",     "LessEqual", "Equal",     "GreaterEqual", "Greater", "NotEqual", "Add",
      "Subtract", "Multiply",  "Divide",    "WordAnd",      "WordOr",  "WordExor", "Swap",
      "Shl",      "Shr",       "Rol",       "Ror",          "Inv",     "Cpl",      "Bid",
      "Deb",      "To",        "Shift",     "Load",         "Set",     "Reset",    "Inc",
      "Dec",      "Jump",      "CallCmp",   "CallCfm",      "Nop",     "Actions",  "Sentence",
      "Step"};
  return kNames.at(static_cast<std::size_t>(op));
}

std::string Dump(const SentenceTree& tree, NodeId id) {
  if (id == kNoNode) return "-";
  const Node& node = tree.at(id);
  switch (node.op) {
    case Op::Operand: {
      std::string text = node.operand.letters;
      for (std::int32_t n : {node.operand.number, node.operand.second, node.operand.third})
        if (n >= 0)
          text += (text.back() >= '0' && text.back() <= '9' ? "." : "") + std::to_string(n);
      return text;
    }
    case Op::Constant:
      return "@" + std::to_string(node.value);
    case Op::TimeValue:
      return "t" + std::to_string(node.value);
    default:
      break;
  }
  std::string text = "(" + OpName(node.op);
  if (node.op == Op::Jump || node.op == Op::CallCmp || node.op == Op::CallCfm ||
      node.op == Op::Step)
    text += " " + std::to_string(node.value);
  for (NodeId child : node.children) text += " " + Dump(tree, child);
  return text + ")";
}

struct Collected : ParseSink {
  void item(const SentenceTree& tree, NodeId root) override {
    items.push_back(Dump(tree, root));
    lines.push_back(tree.at(root).line);
  }
  void parseError(int line, std::string_view text) override {
    errors.push_back(std::to_string(line) + ":" + std::string(text));
  }
  std::vector<std::string> items;
  std::vector<int> lines;
  std::vector<std::string> errors;
};

struct TreeCase {
  const char* name;
  const char* intermediate;
  std::vector<std::string> items;
};

void PrintTo(const TreeCase& c, std::ostream* os) {
  *os << c.name;
}

class CodeParserTrees : public testing::TestWithParam<TreeCase> {};

TEST_P(CodeParserTrees, BuildsTheTreeOfEachItem) {
  Collected sink;
  EXPECT_TRUE(ParseIntermediate(GetParam().intermediate, sink));
  EXPECT_TRUE(sink.errors.empty()) << sink.errors.front();
  EXPECT_EQ(sink.items, GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Intermediate, CodeParserTrees,
    testing::Values(
        TreeCase{"NegatedOperandAndTimer",
                 "wE0.0unE0.1dsT1m2.5\n",
                 {"(Sentence (BitAnd E0.0 (BitNot E0.1)) (Actions (Set T1 t250)) -)"}},
        TreeCase{"LogicRunsLeftToRight",
                 "wE0.0oE0.1uE0.2xE0.3dsA0.0",
                 {"(Sentence (BitExor (BitAnd (BitOr E0.0 E0.1) E0.2) E0.3) (Actions (Set "
                  "A0.0)) -)"}},
        TreeCase{"ComparisonSplitsItsLevel",
                 "wMW1+@5>MW10z1dsA0.0",
                 {"(Sentence (Greater (Add MW1 @5) (Shl MW10)) (Actions (Set A0.0)) -)"}},
        TreeCase{"WordOperatorAfterComparisonBelongsToTheRightSide",
                 "wMW1=@1uMW2dsA0.0",
                 {"(Sentence (Equal MW1 (WordAnd @1 MW2)) (Actions (Set A0.0)) -)"}},
        TreeCase{"BracketedComparisonsCombine",
                 "w(R2<>@$FFFF)u(R3<=@-1)dg20mR2m@1",
                 {"(Sentence (BitAnd (NotEqual R2 @65535) (LessEqual R3 @-1)) (Actions "
                  "(CallCfm 20 R2 @1)) -)"}},
        TreeCase{"ThenAndOtherwise",
                 "w(MW11<MW10)unM0.1dsA0.0frA0.0",
                 {"(Sentence (BitAnd (Less MW11 MW10) (BitNot M0.1)) (Actions (Set A0.0)) "
                  "(Actions (Reset A0.0)))"}},
        TreeCase{"NegatedBracketAndExor",
                 "wn(E0.4oE0.5)xM1.1drM1.1",
                 {"(Sentence (BitExor (BitNot (BitOr E0.4 E0.5)) M1.1) (Actions (Reset "
                  "M1.1)) -)"}},
        TreeCase{"StoreInsideACondition",
                 "wE0.6qM2.0uE0.7dsA0.3",
                 {"(Sentence (BitAnd (To E0.6 M2.0) E0.7) (Actions (Set A0.3)) -)"}},
        TreeCase{"WordArithmeticLeftToRight",
                 "wMW1-MW2>=@100dlMW1*@2/@3qR2",
                 {"(Sentence (GreaterEqual (Subtract MW1 MW2) @100) (Actions (Load (To "
                  "(Divide (Multiply MW1 @2) @3) R2))) -)"}},
        TreeCase{"SingleExecutivePart",
                 "lEW0z2+@10qMW11\nlE0.3vM1.0\niZ4\njZW2\nsZ1m@20\nrF",
                 {"(Load (To (Add (Shr EW0) @10) MW11))", "(Load (Shift E0.3 M1.0))", "(Inc Z4)",
                  "(Dec ZW2)", "(Set Z1 @20)", "(Reset F)"}},
        TreeCase{"StepsJumpsAndCalls",
                 "\n#1\nwE0.0dsA0.0b2\n\n#2\nwadc12mMW10m@-7",
                 {"(Step 1)", "(Sentence E0.0 (Actions (Set A0.0) (Jump 2)) -)", "(Step 2)",
                  "(Sentence - (Actions (CallCmp 12 MW10 @-7)) -)"}},
        TreeCase{"ThenOnlyAndNopParts",
                 "dsA0.0\nwE0.0dafsA0.1\nwE0.1dsA0.2fa",
                 {"(Sentence - (Actions (Set A0.0)) -)",
                  "(Sentence E0.0 (Actions) (Actions (Set A0.1)))",
                  "(Sentence E0.1 (Actions (Set A0.2)) (Actions))"}},
        TreeCase{"TimerWithWholeSecondsAndFieldbus",
                 "dsTE2m10sTA3m0.05\nwE1.1.7dsA1.0.8lEW3.0qAW1.0",
                 {"(Sentence - (Actions (Set TE2 t1000) (Set TA3 t5)) -)",
                  "(Sentence E1.1.7 (Actions (Set A1.0.8) (Load (To EW3.0 AW1.0))) -)"}},
        TreeCase{"LoadBeforeACondition",
                 "wlE0.0uE0.1dsA0.0",
                 {"(Sentence (BitAnd E0.0 E0.1) (Actions (Set A0.0)) -)"}},
        TreeCase{"EmptyProgram", "\n\n", {}}));

TEST(CodeParser, NodesCarryTheirIntermediateLine) {
  Collected sink;
  ASSERT_TRUE(ParseIntermediate("\n\nwE0.0\ndsA0.0\n\nwM0.1dsA0.1", sink));
  EXPECT_EQ(sink.lines, (std::vector<int>{3, 6}));
}

TEST(CodeParser, ReportsSyntaxErrorsAndGivesUpAfterTheLastAttempt) {
  struct Case {
    const char* intermediate;
    bool completes;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      // THEN missing; the next statement parses
      {"wE0.0sA0.0\nsA0.1\n", true, {"1:Syntax error"}},
      {"wE0.0sA0.0\nwE0.1sA0.1\nwE0.2sA0.2\n",
       true,
       {"1:Syntax error", "2:Syntax error", "3:Syntax error"}},
      {"wE0.0sA0.0\nwE0.1sA0.1\nwE0.2sA0.2\nwE0.3sA0.3\nwE0.4sA0.4\n",
       false,
       {"1:Syntax error", "2:Syntax error", "3:Syntax error", "4:Syntax error"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.intermediate);
    Collected sink;
    EXPECT_EQ(ParseIntermediate(c.intermediate, sink), c.completes);
    EXPECT_EQ(sink.errors, c.errors);
  }
}

TEST(CodeParser, DeepBracketsOverflowTheParserStackWithoutCrashing) {
  Collected sink;
  const std::string deep = "w" + std::string(200, '(') + "E0.0" + std::string(200, ')') + "dsA0.0";
  EXPECT_FALSE(ParseIntermediate(deep, sink));
  EXPECT_EQ(sink.errors, std::vector<std::string>{"1:Parser stack overflow"});
  Collected shallow;
  const std::string sixteen = "w" + std::string(16, '(') + "E0.0" + std::string(16, ')') + "dsA0.0";
  EXPECT_TRUE(ParseIntermediate(sixteen, shallow));
  EXPECT_TRUE(shallow.errors.empty());
}

TEST(CodeParser, UnknownCharacterAndOverlongTokenEndThePass) {
  Collected sink;
  try {
    ParseIntermediate("wE0.0\nd%sA0.0", sink);
    ADD_FAILURE() << "no stop";
  } catch (const CodeStop& stop) {
    EXPECT_EQ(stop.line, 2);
    EXPECT_EQ(stop.text, "Unknown operation ");
  }
  EXPECT_THROW(ParseIntermediate("sM" + std::string(301, '1') + ".0", sink), TokenBufferOverflow);
  EXPECT_NO_THROW(ParseIntermediate("sM" + std::string(290, '0') + "1.0", sink));
}

TEST(CodeScanner, ValuesOfConstantsTimesAndOperands) {
  struct Case {
    const char* text;
    TokenKind kind;
    std::int32_t value;
  };
  const Case cases[] = {
      {"@$FFFF", TokenKind::Constant, 65535},
      {"@$1F", TokenKind::Constant, 31},
      {"@-32768", TokenKind::Constant, -32768},
      {"@+7", TokenKind::Constant, 7},
      {"2.5", TokenKind::TimeValue, 250},
      {"0.05", TokenKind::TimeValue, 5},
      {"655.35", TokenKind::TimeValue, 65535},
      {"1.2345", TokenKind::TimeValue, 123},
      {"1.234", TokenKind::TimeValue, 123},
      {"10", TokenKind::Number, 10},
      {"#12", TokenKind::Step, 12},
      {"@", TokenKind::Unknown, 0},
      {"E1..2", TokenKind::Unknown, 0},
      {"E1.2.3.4", TokenKind::Unknown, 0},
      {"M1.", TokenKind::Unknown, 0},
      {"X1", TokenKind::Unknown, 0},
  };
  for (const Case& c : cases) {
    IntermediateScanner scanner(c.text);
    const Token token = scanner.next();
    EXPECT_EQ(token.kind, c.kind) << c.text;
    if (c.kind != TokenKind::Unknown) {
      EXPECT_EQ(token.value, c.value) << c.text;
    }
  }
}

TEST(CodeScanner, CutsTokensWithoutSeparators) {
  IntermediateScanner scanner("wTE2<=ZW3z8)\nPS5<>@$FFd");
  std::vector<std::string> seen;
  for (Token token = scanner.next(); token.kind != TokenKind::End; token = scanner.next())
    seen.push_back(token.operand.letters.empty()
                       ? std::string(1, token.character)
                       : token.operand.letters + std::to_string(token.operand.number));
  EXPECT_EQ(seen, (std::vector<std::string>{"w", "TE2", std::string(1, '\0'), "ZW3",
                                            std::string(1, '\0'), ")", "PS5", std::string(1, '\0'),
                                            std::string(1, '\0'), "d"}));
  EXPECT_EQ(scanner.line(), 2);
}

}  // namespace
}  // namespace zel::stl::code
