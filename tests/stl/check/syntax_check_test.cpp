// The rules of the two checking passes, one program per case: the message window lines
// each program draws, exactly.

#include "stl/check/syntax_check.h"

#include <gtest/gtest.h>

#include <string>

#include "stl/check/check_output.h"
#include "stl/check/check_test_list.h"

namespace zel::stl {
namespace {

using testing::Lines;

constexpr const char* kModule = "CZ0P05V1";

struct Case {
  const char* name;
  std::string program;
  std::string expected;  // message window text
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
  return out << c.name;
}

std::string M(int line, std::string_view text) {
  return MessageWindowLine(kModule, line, text);
}

struct Checked {
  std::string messages;
  CheckResult result;
};

Checked Check(std::string_view program, std::string module = kModule,
              std::optional<std::string> fieldbus = std::nullopt) {
  static const AllocationList symbols = testing::TestSymbols();
  MessageLines lines(module);
  CheckSetup setup;
  setup.program = program;
  setup.module = module;
  setup.symbols = &symbols;
  setup.readFieldbusConfig = [fieldbus] { return fieldbus; };
  Checked checked;
  checked.result = RunSyntaxCheck(setup, lines);
  checked.messages = lines.text();
  return checked;
}

std::string Brackets(int depth) {
  return "w" + std::string(depth, '(') + "E0.0" + std::string(depth, ')') + "dsA0.0";
}

std::string Steps(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += "#S" + std::to_string(i) + ";\r\nwadsA0.0\r\n";
  return text;
}

class SyntaxRules : public ::testing::TestWithParam<Case> {};

TEST_P(SyntaxRules, ReportExactly) {
  EXPECT_EQ(Check(GetParam().program).messages, GetParam().expected);
}

const Case kProgramCases[] = {
    {"OnlyCommentsIsEmpty", Lines({"\"\"first", "", "  \"\"second"}), M(3, " Program is empty ")},
    {"SingleStatement", Lines({"sA0.0"}), ""},
    {"SingleExecutivePartOverLines", Lines({"sA0.0", "sA0.1"}), ""},
    {"NothingAfterSingleExecutivePart", Lines({"sA0.0", "wE0.0dsA0.1"}),
     M(2, " No further sentence after single executive part possible")},
    {"IfThenOtherwise", Lines({"wE0.0dsA0.0frA0.0"}), ""},
    {"ThenMissing", Lines({"wE0.0 sA0.0"}), M(1, " THEN expected")},
    {"ThenMissingAtEndOfLineIsReportedWhereFound", Lines({"wE0.0", "sA0.0"}),
     M(2, " THEN expected")},
    {"WordConditionWithoutComparison", Lines({"wMW1dsA0.0"}), M(1, " Missing comparison operator")},
    {"WordConditionWithComparison", Lines({"wMW1=@5dsA0.0"}), ""},
    {"StepProgramWithJumps", Lines({"#A;", "wE0.0dbB;", "#B;", "wadbA;"}), ""},
    {"DoubleStep", Lines({"#A;#B;", "wadsA0.0"}), M(1, " Double STEP statement")},
    {"StepAtTheEnd", Lines({"#A;"}), "unexpected EOF\r\n"},
    {"StepInParallelProgram", Lines({"wE0.0dsA0.0", "#A;", "wadsA0.1"}),
     M(2, " STEP not permitted in parallel logic program")},
    {"UnknownJumpTarget", Lines({"#A;", "wE0.0dbB;"}),
     M(2, " Invalid / missing jump target , Operand: B")},
    {"MissingJumpTarget", Lines({"#A;", "wE0.0db"}), M(2, " Invalid / missing jump target ")},
    {"JumpInParallelProgram", Lines({"wE0.0dbA;"}),
     M(1, " Invalid / missing jump target , Operand: A")},
    {"DuplicateStepStopsBeforePassTwo", Lines({"#A;", "wE0.0 sA0.0", "#a;"}),
     M(3, " Multiply defined step mark: A")},
    {"StepLimit", Steps(255), ""},
    {"StepBeyondLimit", Steps(257),
     M(511, " No more than 255 steps possible ") + M(513, " No more than 255 steps possible ")},
    {"SentenceStartsWithOtherwise", Lines({"fsA0.0", "wE0.0dsA0.1"}),
     M(1, " Sentence begins without IF or THEN part")},
    {"ThenSentence", Lines({"dsA0.0", "wE0.0dsA0.1"}), ""},
    {"ThenSentenceWithOtherwise", Lines({"dsA0.0fsA0.1", "wE0.0dsA0.1"}),
     M(1, " IF or STEP expected")},
    {"IfNop", Lines({"wadsA0.0"}), ""},
    {"IfNopWithoutThen", Lines({"waE0.0dsA0.0"}), M(1, " THEN expected, Operand: I0.0")},
    {"ThenNopFollowedByStatement", Lines({"wE0.0dasA0.0"}), M(1, " IF, OTHERW or STEP expected")},
    {"OtherwiseNopFollowedByStatement", Lines({"wE0.0dsA0.0fasA0.1"}),
     M(1, " IF or STEP expected")},
    {"StatementAfterJump", Lines({"#A;", "wE0.0dbA;sA0.0"}), M(2, " IF, OTHERW or STEP expected")},
    {"EmptyThenPart", Lines({"wE0.0d"}), M(1, " Empty sentence part ")},
    {"EmptyOtherwisePart", Lines({"wE0.0dsA0.0f", "wE0.1dsA0.1"}), M(2, " Empty sentence part ")},
    {"ThenInsideExecutivePart", Lines({"wE0.0dsA0.0dsA0.1"}),
     M(1, " Invalid sequence of sentence part")},
    // A fault goes on with the sentence's next THEN or OTHRW part.
    {"ConditionFaultGoesOnWithThenAndOtherwise", Lines({"wE0.0+E0.1dsA0.0", "frA0.0"}),
     M(1, " Only multi-bit operands permitted for arithmetic")},
    {"ThenPartFaultGoesOnWithOtherwise", Lines({"wE0.0dsEW1frEW2", "wE0.1dsA0.1"}),
     M(1, " Invalid operand , Operand: IW1") + M(1, " Invalid operand , Operand: IW2")},
    {"ConditionFaultGoesOnWithOtherwise", Lines({"wE0.0+E0.1 sA0.0 fiEW1"}),
     M(1, " Only multi-bit operands permitted for arithmetic") +
         M(1, " Multi-bit operand expected , Operand: IW1")},
    {"RecoveryReportsEverySentence", Lines({"wE0.0 sA0.0 frA0.0", "wMW1dsA0.0", "wE0.0dsEW1"}),
     M(1, " THEN expected") + M(2, " Missing comparison operator") +
         M(3, " Invalid operand , Operand: IW1")},
};
INSTANTIATE_TEST_SUITE_P(Program, SyntaxRules, ::testing::ValuesIn(kProgramCases),
                         [](const auto& info) { return std::string(info.param.name); });

const Case kExpressionCases[] = {
    {"BitArithmetic", Lines({"wE0.0+E0.1dsA0.0"}),
     M(1, " Only multi-bit operands permitted for arithmetic")},
    {"BitModifier", Lines({"wE0.0z0dsA0.0"}),
     M(1, " Only multi-bit operands permitted for arithmetic")},
    {"WordModifiersAndArithmetic", Lines({"wMW1z0z1z2z3z4z5z6z7z8+@1-R1*O2/@$FF<>@0dsA0.0"}), ""},
    {"SixteenBrackets", Lines({Brackets(16)}), ""},
    {"SeventeenBrackets", Lines({Brackets(17)}), M(1, " Too many opening brackets ")},
    {"BracketNotClosed", Lines({"w(E0.0dsA0.0", "wE0.1dsA0.1"}),
     M(2, " Bracket expression not closed ")},
    {"TooManyClosing", Lines({"wE0.0)dsA0.0"}), M(1, " Too many closing brackets ")},
    {"SecondComparison", Lines({"wMW1=@1=@2dsA0.0"}),
     M(1, " Comparison operator already in brackets")},
    {"ComparisonsInOwnBrackets", Lines({"w(MW1=@1)u(MW2<>@2)dsA0.0"}), ""},
    {"ComparisonOfBits", Lines({"wE0.0=E0.1dsA0.0"}), M(1, " Invalid operation ")},
    {"DoubleNot", Lines({"wnnE0.0dsA0.0"}), M(1, " Invalid operation ")},
    {"NotBracketNot", Lines({"wn(nE0.0)dsA0.0"}), ""},
    {"NotBeforeWord", Lines({"wnMW1=@1dsA0.0"}), M(1, " Invalid operation , Operand: FW1")},
    {"NoFirstOperand", Lines({"wdsA0.0"}),
     M(1, " No or invalid operator/operand in logic operation ")},
    {"WordAfterBitAnd", Lines({"wE0.0uMW1dsA0.0"}),
     M(1, " One-bit operand expected, Operand: FW1")},
    {"NothingAfterBitAnd", Lines({"wE0.0udsA0.0"}), M(1, " One-bit operand expected")},
    {"NothingInBracketAfterBitAnd", Lines({"wE0.0u(dsA0.0"}), M(1, " Invalid operand ")},
    {"BitAfterWordAnd", Lines({"wMW1uE0.0=@1dsA0.0"}),
     M(1, " Multi-bit operand expected , Operand: I0.0")},
    {"NotAfterWordOr", Lines({"wMW1onMW2=@1dsA0.0"}), M(1, " Invalid operation ")},
    {"BitAfterPlus", Lines({"wMW1+E0.0=@1dsA0.0"}),
     M(1, " Multi-bit operand expected , Operand: I0.0")},
    {"NegatedWordBracket", Lines({"wn(MW1+MW2)=@5dsA0.0"}),
     M(1, " One-bit expression in brackets expected")},
    {"WordBracketMakesWord", Lines({"w(MW1+MW2)=@5dsA0.0"}), ""},
    {"LoadInCondition", Lines({"wlE0.0uE0.1dsA0.0"}), ""},
    {"BitTargetInConditionContinues", Lines({"wE0.0qM0.0uE0.1vA0.1dsA0.0"}), ""},
    {"ComparisonToBitInCondition", Lines({"wMW1>@3qM0.0uE0.1dsA0.0"}), ""},
    {"WordTargetInCondition", Lines({"wMW1qMW2=@1dsA0.0"}),
     M(1, " Invalid operation , Operand: FW2")},
};
INSTANTIATE_TEST_SUITE_P(Expression, SyntaxRules, ::testing::ValuesIn(kExpressionCases),
                         [](const auto& info) { return std::string(info.param.name); });

const Case kExecutiveCases[] = {
    {"LoadBitToWord", Lines({"lE0.0qMW1"}),
     M(1, " TO between single and multi-bit operands not permitted , Operand: FW1")},
    {"LoadWordToWord", Lines({"lMW1qMW2"}), ""},
    {"LoadBitsToFlag", Lines({"lE0.0uE0.1qM0.0"}), ""},
    {"LoadComparisonToWord", Lines({"lMW1=@5qMW2"}), M(1, " Invalid operation , Operand: FW2")},
    {"LoadWordToBit", Lines({"lMW1qM0.0"}), M(1, " Invalid operation , Operand: F0.0")},
    {"LoadToInputWord", Lines({"lMW1qEW1"}),
     M(1, " Invalid operand after TO or SHIFT, Operand: IW1")},
    {"LoadToConstant", Lines({"lMW1q@1"}), M(1, " Invalid operand after TO or SHIFT, Operand: V1")},
    {"ShiftToWord", Lines({"lMW1vMW2"}), M(1, " Invalid operand after TO or SHIFT, Operand: FW2")},
    {"ShiftToFlagAndOutput", Lines({"lE0.0vM0.0vA0.0"}), ""},
    {"LoadWithoutTo", Lines({"lMW1"}), M(1, " TO expected")},
    {"ModifierAfterLoadTarget", Lines({"lMW1qMW2z0"}), M(1, " Invalid operation ")},
    {"LoadToEveryWordTarget", Lines({"lMW1qO1qAW1qTW1qZW1qR1qTV1qZV1qMW2qFW"}), ""},
    {"TimeValueLimit", Lines({"sT1m655.35"}), ""},
    {"TimeValueTooLarge", Lines({"sT1m655.36"}), M(1, " Invalid time specification ")},
    {"TimeValueTwoPoints", Lines({"sT1m1.5.2"}), M(1, " Invalid time specification ")},
    {"TimeValueMissing", Lines({"sT1m", "sA0.0"}), M(1, " Invalid time specification ")},
    {"TimersWithTime", Lines({"sTE2m10sTA3m0.05s:T_ON;m.5"}), ""},
    {"SetInputWord", Lines({"sEW1"}), M(1, " Invalid operand , Operand: IW1")},
    {"SetE", Lines({"sF"}), M(1, " Invalid operand , Operand: E")},
    {"SetFi", Lines({"sS"}), M(1, " Invalid operand , Operand: FI")},
    {"IncEw", Lines({"iFW"}), M(1, " Multi-bit operand expected , Operand: EW")},
    {"ResetE", Lines({"rF"}), ""},
    {"SetEverything", Lines({"sM0.0sA0.0sT1sZ1sPS1sP2"}), ""},
    // Skipped tokens are still read: the time value outside a SET means nothing.
    {"WithAfterReset", Lines({"rT1m5"}), M(1, " Invalid operation ") + M(1, " Unknown operand 5")},
    {"IncInputWord", Lines({"iEW1"}), M(1, " Multi-bit operand expected , Operand: IW1")},
    {"IncFu", Lines({"jO5"}), M(1, " Multi-bit operand expected , Operand: FU5")},
    {"IncCounter", Lines({"iZ3jTW1iZW1jR1iAW1jTV1iZV1jMW1"}), ""},
    {"CallWithParameters", Lines({"c5mMW1m@5g7mR1"}), ""},
    {"CallWithBit", Lines({"c5mE0.0"}), M(1, " Invalid operand , Operand: I0.0")},
    {"CallWithQuotedText", Lines({"c5m'abc'"}), M(1, " Invalid operand ")},
    {"NopAsStatement", Lines({"wE0.0dsA0.0a"}), M(1, " Invalid operation ")},
};
INSTANTIATE_TEST_SUITE_P(Executive, SyntaxRules, ::testing::ValuesIn(kExecutiveCases),
                         [](const auto& info) { return std::string(info.param.name); });

const Case kScannerCases[] = {
    {"UnconvertedLine", Lines({"sA0.0", "?SET O0.1 + junk"}), M(2, " Unknown STL expression")},
    {"UnknownSymbol", Lines({"s:NOSUCH;"}),
     M(1, " Unknown operand NOSUCH") + M(1, " Invalid operand ")},
    {"InvalidOperandShownInDisplayNotation", Lines({"sE999.0"}),
     M(1, " Unknown operand I999.0") + M(1, " Invalid operand ")},
    {"SymbolsIgnoreCase", Lines({"w:sensor;u:Bus;ds:motor;s:T_ON;m", "s:cnt;"}),
     M(1, " Field-bus operand not configured I1.0.3") + M(1, " Invalid time specification ")},
    {"XOperandIsNoOperand", Lines({"iX1"}),
     M(1, " Unknown operand X1") + M(1, " Multi-bit operand expected ")},
    {"ReservedCode", Lines({"p"}), M(1, " Unknown operand p") + M(1, " Invalid operation ")},
    {"RotateCodeNine", Lines({"lMW1z9qMW2"}), M(1, " Unknown operand z9") + M(1, " TO expected")},
};
INSTANTIATE_TEST_SUITE_P(Scanner, SyntaxRules, ::testing::ValuesIn(kScannerCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SyntaxCheck, CfmModulesHaveNoSteps) {
  const auto cfm = Check(Lines({"#A;", "wadsA0.0"}), "CZ0F20V1");
  EXPECT_EQ(cfm.messages, MessageWindowLine("CZ0F20V1", 1, " No STEPs allowed in CFMs"));
  EXPECT_EQ(Check(Lines({"#A;", "wadsA0.0"}), "CZ0B20V1").messages, "");
}

TEST(SyntaxCheck, FieldbusOperandsAgainstTheConfiguration) {
  const std::string program = Lines({"wE1.0.3uE2.0.0dsA1.1.9"});
  std::string config(kFieldbusConfigSize, '\0');
  config[7 * 1 + 0] = 0x01;  // station 1: one input unit, two output units
  config[7 * 1 + 3] = 1;
  config[7 * 1 + 6] = 2;
  EXPECT_EQ(Check(program, kModule, config).messages,
            M(1, " Field-bus operand not configured I2.0.0") +
                M(1, " Field-bus operand not configured O1.1.9"));
  EXPECT_EQ(Check(program, kModule, std::string(5, '\0')).messages,
            M(1, " ERROR while reading the field-bus configuration. "));
  EXPECT_EQ(Check(program).messages, M(1, " Field-bus operand not configured I1.0.3") +
                                         M(1, " Field-bus operand not configured I2.0.0") +
                                         M(1, " Field-bus operand not configured O1.1.9"));
}

TEST(SyntaxCheck, ConfigurationIsReadOncePerCheck) {
  int reads = 0;
  MessageLines lines(kModule);
  CheckSetup setup;
  const std::string program = Lines({"wE1.0.0dsA1.0.0", "wEW1.0=AW1.1dsA0.0"});
  setup.program = program;
  setup.module = kModule;
  setup.readFieldbusConfig = [&reads]() -> std::optional<std::string> {
    ++reads;
    return std::nullopt;
  };
  EXPECT_EQ(RunSyntaxCheck(setup, lines).errors, 4);
  EXPECT_EQ(reads, 1);
}

TEST(SyntaxCheck, RewritesIntoIntermediateAndCrossReference) {
  const auto checked = Check(
      Lines({"\"\"steps", "#Start;", "w:Sensor; u(MW1 >= @-5) d s:MOTOR;", "", "wa d bSTART;"}));
  ASSERT_EQ(checked.messages, "");
  EXPECT_TRUE(checked.result.passTwoRan);
  EXPECT_EQ(checked.result.lines, 5);
  EXPECT_EQ(checked.result.output.intermediate, "\n#1\nwE0.3u(MW1>=@-5)dsA0.5\n\nwadb1\n");
  EXPECT_EQ(checked.result.output.crossReference, "E0.3 3\nMW1 3\nA0.5 3\n");
}

TEST(SyntaxCheck, PassOneErrorsLeaveNoOutput) {
  const auto checked = Check(Lines({"#A;", "#A;"}));
  EXPECT_EQ(checked.result.errors, 1);
  EXPECT_FALSE(checked.result.passTwoRan);
  EXPECT_EQ(checked.result.output.intermediate, "");
  EXPECT_EQ(checked.result.lines, 2);
}

TEST(SyntaxCheck, NoticeIsNoError) {
  EXPECT_EQ(Check(Lines({"#A;"})).result.errors, 0);
  EXPECT_EQ(Check(Lines({"#A;#B;"})).result.errors, 1);
}

}  // namespace
}  // namespace zel::stl
