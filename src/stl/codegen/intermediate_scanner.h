#pragma once
// Cuts the intermediate text that the check writes into the tokens of the code
// generator's parser. The text is machine-written without separators, so a token ends
// where the next one's first character begins; line feeds only count lines.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string_view>

#include "stl/codegen/tree.h"

namespace zel::stl::code {

// The longest token the scanner holds; a longer one ends the pass.
inline constexpr std::size_t kTokenBufferSize = 300;

enum class TokenKind {
  End,
  BitOperand,   // operand: E A M F S P PS Z T TA TE with their numbers
  WordOperand,  // operand: EW AW MW FW ZW ZV R O TV TW with their numbers
  Constant,     // value: @n, @-n, @$hex
  TimeValue,    // value: seconds with a point, in units of 10 ms
  Number,       // value: digits without a point
  Step,         // value: #n
  Unary,        // op: SWAP .. DEB (z0 .. z8)
  Compare,      // op: < <= = >= > <>
  Character,    // character: a keyword code, a bracket or an arithmetic operator
  Unknown,      // character: anything else
};

struct Token {
  TokenKind kind = TokenKind::End;
  int line = 1;
  char character = 0;
  Op op = Op::Nop;
  std::int32_t value = 0;
  OperandText operand;
};

// Thrown for a token longer than the token buffer; the generator reports its text.
class TokenBufferOverflow : public std::runtime_error {
 public:
  TokenBufferOverflow();
};

class IntermediateScanner {
 public:
  explicit IntermediateScanner(std::string_view text) : m_text(text) {}

  Token next();
  int line() const { return m_line; }

 private:
  char peek(std::size_t ahead = 0) const;
  std::string_view take(std::size_t from);
  std::string_view takeWhile(bool (*belongs)(char));
  Token operand(Token token);
  Token constant(Token token);
  Token number(Token token);
  Token compare(Token token);

  std::string_view m_text;
  std::size_t m_pos = 0;
  int m_line = 1;
};

// Seconds written with up to four decimals, in units of 10 ms; saturates instead of
// overflowing, so the code generator sees a value that does not fit its word.
std::int32_t TimeValueUnits(std::string_view text);

}  // namespace zel::stl::code
