#pragma once
// The column layout of a display line: every token starts at the column of its kind,
// padded with blanks, and is always preceded by at least one blank (except a token at the
// very start of the line in column 0).

#include <cstddef>
#include <string>
#include <string_view>

namespace zel::stl {

inline constexpr std::size_t kStepColumn = 0;
inline constexpr std::size_t kConditionColumn = 1;  // IF, THEN, OTHRW/ELSE
inline constexpr std::size_t kStatementColumn = 7;  // SET, RESET, LOAD, ..., CMP, CFM, JMP
inline constexpr std::size_t kModifierColumn = 9;   // TO, WITH, SWAP ..., operators
inline constexpr std::size_t kNotColumn = 15;       // N
inline constexpr std::size_t kOpenBracketColumn = 17;
inline constexpr std::size_t kOperandColumn = 22;  // operands, symbols, time values, NOP
inline constexpr std::size_t kCloseBracketColumn = 32;
inline constexpr std::size_t kCommentColumn = 37;

// Appends `token` to `line` starting at `column`, or one blank after the line's end when
// the line already reaches the column.
void PlaceToken(std::string& line, std::size_t column, std::string_view token);

}  // namespace zel::stl
