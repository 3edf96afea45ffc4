#pragma once
// How text of the stored form is cut into tokens where no delimiter separates them. The
// compiler's scanner cuts the same way, so the conversions both read by these rules and
// write only what they will read back.

#include <cstddef>
#include <string>
#include <string_view>

namespace zel::stl::stored {

inline constexpr char kUnconvertedMark = '?';  // a stored line holding display text
inline constexpr char kCommentMark = '"';
inline constexpr char kSymbolStart = ':';
inline constexpr char kLabelEnd = ';';  // ends labels and symbols
inline constexpr char kStepCode = '#';
inline constexpr char kJumpCode = 'b';
inline constexpr char kCmpCode = 'c';
inline constexpr char kCfmCode = 'g';

bool IsBlank(char c);  // a blank or a TAB
bool IsDigit(char c);
bool IsComparisonChar(char c);  // `<`, `=` or `>`

// First letters of operands in the stored notation.
bool IsOperandLetter(char c);
// A character after the first letter that continues the operand.
bool ContinuesOperandLetter(char c);
// A character after the second that continues the operand.
bool ContinuesOperand(char c);
// Length of the operand token at the start of `text` (which starts with an operand
// letter): the letter, then when the next character continues the letter, it and all
// following continuation characters.
std::size_t OperandTokenLength(std::string_view text);

// Length of the time value at the start of `text`: digits with at most one point.
std::size_t NumberTokenLength(std::string_view text);

// Length of the comparison operator at the start of `text` (which starts with `<` or
// `>`): further `<`, `=` and `>` belong to it, blanks between them are skipped.
std::size_t ComparisonTokenLength(std::string_view text);
// That operator without the blanks inside it.
std::string ComparisonOperator(std::string_view text);

}  // namespace zel::stl::stored
