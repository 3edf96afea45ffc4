// Stored lines of a program file as the editor shows them: words, columns and the facts
// the editor keeps about each line.

#include "stl/editor/display.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "stl/alloc/allocation_list.h"

namespace zel::stl {
namespace {

// A display line built from (column, token) pairs: blanks up to the column, or one blank
// when the line already reaches it.
std::string At(std::initializer_list<std::pair<std::size_t, std::string>> tokens) {
  std::string line;
  for (const auto& [column, token] : tokens) {
    line += line.size() < column ? std::string(column - line.size(), ' ')
                                 : std::string(line.empty() ? "" : " ");
    line += token;
  }
  return line;
}

std::string Show(std::string_view stored, bool elseForOtherwise = false) {
  ConversionContext context;
  context.elseForOtherwise = elseForOtherwise;
  return StoredLineToDisplay(stored, context).text;
}

TEST(StlDisplay, ConditionAndStatementLinesTakeTheirColumns) {
  EXPECT_EQ(Show("wE0.0"), " IF                   I0.0");
  EXPECT_EQ(Show("dsA0.0"), " THEN  SET            O0.0");
}

struct ShowCase {
  std::string stored;
  std::string display;
};

// Test names show the line, not the bytes of the struct.
void PrintTo(const ShowCase& c, std::ostream* out) {
  *out << c.stored;
}

class StlDisplayCases : public ::testing::TestWithParam<ShowCase> {};

TEST_P(StlDisplayCases, ShowsTheLine) {
  EXPECT_EQ(Show(GetParam().stored), GetParam().display);
}

INSTANTIATE_TEST_SUITE_P(
    Tokens, StlDisplayCases,
    ::testing::Values(
        ShowCase{"", ""}, ShowCase{"   \t ", ""}, ShowCase{"#START;", "STEP START"},
        ShowCase{"#START;wM1.0", At({{0, "STEP START"}, {1, "IF"}, {22, "F1.0"}})},
        ShowCase{"bLOOP;", At({{7, "JMP TO LOOP"}})},
        ShowCase{"db LOOP", At({{1, "THEN"}, {7, "JMP TO LOOP"}})},
        ShowCase{"c10", At({{7, "CMP 10"}})}, ShowCase{"g5", At({{7, "CFM 5"}})},
        ShowCase{"c", At({{7, "CMP"}})}, ShowCase{":MOTOR;", At({{22, "MOTOR"}})},
        ShowCase{"sT1", At({{7, "SET"}, {22, "T1"}})},
        ShowCase{"m2", At({{9, "WITH"}, {22, "2s"}})},
        ShowCase{"m1.5", At({{9, "WITH"}, {22, "1.5s"}})},
        ShowCase{"unE0.1", At({{7, "AND"}, {15, "N"}, {22, "I0.1"}})},
        ShowCase{"u(E0.1", At({{7, "AND"}, {17, "("}, {22, "I0.1"}})},
        ShowCase{"oE0.2)", At({{7, "OR"}, {22, "I0.2"}, {32, ")"}})},
        ShowCase{">=@5", At({{9, ">="}, {22, "V5"}})},
        ShowCase{"< >R2", At({{9, "<>"}, {22, "R2"}})}, ShowCase{"+R2", At({{9, "+"}, {22, "R2"}})},
        ShowCase{"a", At({{22, "NOP"}})}, ShowCase{"z3R1", At({{9, "ROL"}, {22, "R1"}})},
        ShowCase{"Z3", At({{22, "C3"}})},
        ShowCase{"lTE5qTA6", At({{7, "LOAD"}, {22, "TON5"}, {9, "TO"}, {22, "TOFF6"}})},
        ShowCase{"F FW S", At({{22, "E"}, {22, "EW"}, {22, "FI"}})},
        ShowCase{"@$FF @-32768 @+7", At({{22, "V$FF"}, {22, "V-32768"}, {22, "V+7"}})},
        ShowCase{"EW1.15 A1.0.0", At({{22, "IW1.15"}, {22, "O1.0.0"}})},
        // comments: the column, a long comment where it stands
        ShowCase{"wE0.0\"start", At({{1, "IF"}, {22, "I0.0"}, {37, "\"start"}})},
        ShowCase{"\" note", At({{37, "\" note"}})}, ShowCase{"\"\" header", "\"\" header"},
        ShowCase{"sA1.0\"\"x", At({{7, "SET"}, {22, "O1.0"}, {23, "\"\"x"}})},
        // a `?` line shows its text unchanged
        ShowCase{"?if bogus \"x", "if bogus \"x"},
        // leftovers: what no rule reads stays visible
        ShowCase{"wE256.0", At({{1, "IF"}}) + " ????? E256.0"},
        ShowCase{"sX5", At({{7, "SET"}}) + " ????? X5"}, ShowCase{"pA1.0", " ????? pA1.0"},
        ShowCase{"w'x'", At({{1, "IF"}}) + " ????? 'x'"},
        ShowCase{":I0.0;", " ????? :I0.0;"},  // would read back as an operand
        ShowCase{":TO;", " ????? :TO;"},      // would read back as a keyword
        ShowCase{":MOTOR", " ????? :MOTOR"},  // no end
        ShowCase{":TOOLONGNAME;", " ????? :TOOLONGNAME;"},
        ShowCase{"#A B;", " ????? #A B;"},      // a label the display cannot read back
        ShowCase{"#;wE0.0", " ????? #;wE0.0"},  // IF would read back as the label
        ShowCase{"b;(", At({{7, "JMP TO"}, {17, "("}})}, ShowCase{"te5", " ????? te5"},
        // labels beyond 9 characters would be cut when stored again
        ShowCase{"#ABCDEFGHI;", "STEP ABCDEFGHI"}, ShowCase{"#ABCDEFGHIJ;", " ????? #ABCDEFGHIJ;"},
        ShowCase{"bABCDEFGHIJ;", " ????? bABCDEFGHIJ;"},
        // the compiler reads z35 as one token, which is no keyword
        ShowCase{"z35", " ????? z35"}, ShowCase{"z3 5", At({{9, "ROL"}, {22, "5s"}})},
        ShowCase{"sM0000000001.0", At({{7, "SET"}}) + " ????? M0000000001.0"}));  // > 9

TEST(StlDisplay, OtherwiseShowsAsTheChosenWordWithoutChangingTheFile) {
  EXPECT_EQ(Show("f", false), " OTHRW");
  EXPECT_EQ(Show("f", true), " ELSE");
}

TEST(StlDisplay, FactsNameTheLastOperandSymbolAndCall) {
  const ConversionContext context;
  const DisplayLine line = StoredLineToDisplay("wE0.0uE0.1", context);
  ASSERT_TRUE(line.lastOperand);
  EXPECT_EQ(line.lastOperand->stored, "E0.1");
  EXPECT_EQ(line.lastOperand->display, "I0.1");
  EXPECT_FALSE(line.lastSymbol);
  EXPECT_FALSE(line.moduleCall);

  const DisplayLine symbol = StoredLineToDisplay("s:Pump;", context);
  EXPECT_EQ(symbol.lastSymbol, "Pump");
  EXPECT_FALSE(symbol.lastOperand);

  const DisplayLine call = StoredLineToDisplay("dg42\"fill", context);
  EXPECT_EQ(call.moduleCall, (ModuleCallRef{app::ModuleKind::Cfm, 42}));
  EXPECT_TRUE(call.hasComment);
  EXPECT_FALSE(call.hasLeftover);

  EXPECT_FALSE(StoredLineToDisplay("c99999999999", context).moduleCall);
  EXPECT_TRUE(StoredLineToDisplay("wQ", context).hasLeftover);
}

class StlDisplayListComments : public ::testing::Test {
 protected:
  StlDisplayListComments() {
    Add("O0.0", "PUMP", "Main pump");
    Add("I0.0", "", "Start button");
    Add("I0.1", "STOP", "");
    m_context.allocationList = &m_list;
    m_context.moduleComment = [this](app::ModuleKind kind, int number) {
      m_asked.emplace_back(kind, number);
      return number == 10 ? std::optional<std::string>("Filling\r\nvalve") : std::nullopt;
    };
  }
  void Add(std::string_view operand, std::string symbol, std::string comment) {
    m_list.append({*ParseDisplayOperand(operand), std::move(symbol), std::move(comment)});
  }
  std::string Show(std::string_view stored) { return StoredLineToDisplay(stored, m_context).text; }

  AllocationList m_list;
  ConversionContext m_context;
  std::vector<std::pair<app::ModuleKind, int>> m_asked;
};

TEST_F(StlDisplayListComments, TheSymbolsOrOperandsListCommentFillsAnEmptyCommentColumn) {
  EXPECT_EQ(Show("s:pump;"), At({{7, "SET"}, {22, "pump"}, {37, "'Main pump"}}));
  EXPECT_EQ(Show("sA0.0"), At({{7, "SET"}, {22, "O0.0"}, {37, "'Main pump"}}));
  EXPECT_EQ(Show("wE0.0"), At({{1, "IF"}, {22, "I0.0"}, {37, "'Start button"}}));
  // The line's own comment wins; an entry without comment shows nothing.
  EXPECT_EQ(Show("sA0.0\"mine"), At({{7, "SET"}, {22, "O0.0"}, {37, "\"mine"}}));
  EXPECT_EQ(Show("uE0.1"), At({{7, "AND"}, {22, "I0.1"}}));
  EXPECT_EQ(Show("sA9.0"), At({{7, "SET"}, {22, "O9.0"}}));
  EXPECT_TRUE(m_asked.empty());
}

TEST_F(StlDisplayListComments, ACallLineShowsTheCalledModulesCommentOnOneLine) {
  EXPECT_EQ(Show("c10"), At({{7, "CMP 10"}, {37, "'Filling  valve"}}));
  EXPECT_EQ(Show("g11"), At({{7, "CFM 11"}}));
  EXPECT_EQ(Show("c10\"own"), At({{7, "CMP 10"}, {37, "\"own"}}));
  EXPECT_EQ(m_asked, (std::vector<std::pair<app::ModuleKind, int>>{{app::ModuleKind::Cmp, 10},
                                                                   {app::ModuleKind::Cfm, 11}}));
}

TEST_F(StlDisplayListComments, LinesThatDoNotConvertGetNoListComment) {
  EXPECT_EQ(Show("?SET O0.0"), "SET O0.0");
  EXPECT_EQ(Show("sA0.0Q"), At({{7, "SET"}, {22, "O0.0"}}) + " ????? Q");
}

}  // namespace
}  // namespace zel::stl
