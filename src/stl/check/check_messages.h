#pragma once
// Every text the checking passes and their run step report. The leading and trailing
// blanks belong to the texts: the lines are matched by scripts and by users' eyes alike.

#include <string_view>

namespace zel::stl::msg {

// Scanner.
inline constexpr std::string_view kUnknownStlExpression = " Unknown STL expression";
inline constexpr std::string_view kInvalidOperand = " Invalid operand ";
inline constexpr std::string_view kUnknownOperand = " Unknown operand ";
inline constexpr std::string_view kFieldbusNotConfigured = " Field-bus operand not configured ";
inline constexpr std::string_view kFieldbusReadError =
    " ERROR while reading the field-bus configuration. ";

// Pass one.
inline constexpr std::string_view kMultiplyDefinedStep = " Multiply defined step mark: ";
inline constexpr std::string_view kTooManySteps = " No more than 255 steps possible ";

// Program and sentence level.
inline constexpr std::string_view kProgramEmpty = " Program is empty ";
inline constexpr std::string_view kNoSentenceAfterSinglePart =
    " No further sentence after single executive part possible";
inline constexpr std::string_view kNoStepsInCfm = " No STEPs allowed in CFMs";
inline constexpr std::string_view kDoubleStep = " Double STEP statement";
inline constexpr std::string_view kUnexpectedEof = "unexpected EOF";
inline constexpr std::string_view kStepInParallelProgram =
    " STEP not permitted in parallel logic program";
inline constexpr std::string_view kIfOrStepExpected = " IF or STEP expected";
inline constexpr std::string_view kSentenceWithoutIfOrThen =
    " Sentence begins without IF or THEN part";
inline constexpr std::string_view kBracketNotClosed = " Bracket expression not closed ";
inline constexpr std::string_view kThenExpected = " THEN expected";
inline constexpr std::string_view kMissingComparison = " Missing comparison operator";
inline constexpr std::string_view kIfOtherwiseOrStepExpected = " IF, OTHERW or STEP expected";

// Logic expressions and targets.
inline constexpr std::string_view kInvalidOperation = " Invalid operation ";
inline constexpr std::string_view kNoOperand =
    " No or invalid operator/operand in logic operation ";
inline constexpr std::string_view kArithmeticNeedsMultiBit =
    " Only multi-bit operands permitted for arithmetic";
inline constexpr std::string_view kMultiBitExpected = " Multi-bit operand expected ";
inline constexpr std::string_view kOneBitExpected = " One-bit operand expected";
inline constexpr std::string_view kComparisonInBrackets =
    " Comparison operator already in brackets";
inline constexpr std::string_view kTooManyOpening = " Too many opening brackets ";
inline constexpr std::string_view kTooManyClosing = " Too many closing brackets ";
inline constexpr std::string_view kOneBitInBrackets = " One-bit expression in brackets expected";
inline constexpr std::string_view kToSingleMulti =
    " TO between single and multi-bit operands not permitted ";
inline constexpr std::string_view kInvalidTarget = " Invalid operand after TO or SHIFT";
inline constexpr std::string_view kToExpected = " TO expected";

// Executive parts.
inline constexpr std::string_view kEmptySentencePart = " Empty sentence part ";
inline constexpr std::string_view kInvalidSequence = " Invalid sequence of sentence part";
inline constexpr std::string_view kInvalidTime = " Invalid time specification ";
inline constexpr std::string_view kInvalidJumpTarget = " Invalid / missing jump target ";

// What operand messages append before the operand's display notation.
inline constexpr std::string_view kOperandSuffix = ", Operand: ";

// The run step.
inline constexpr std::string_view kCompiling = "compiling ";
inline constexpr std::string_view kCannotCreateLog =
    " Could not create error log file for statement list compiler ";
inline constexpr std::string_view kFileNotFound = " File not found ";
inline constexpr std::string_view kWriteError = " ERROR while writing the file ";
// printf form: error count, module name, lines.
inline constexpr const char* kSummaryFormat = "%d Error(s) in statement list %s, %d Lines";

}  // namespace zel::stl::msg
