#pragma once
// The scanner of the stored program text: physical lines, cleaned, cut into raw tokens by
// their first character. It knows nothing of symbols, steps or messages; the checking
// passes give the tokens their meaning (token_reader.h).

#include <optional>
#include <string>
#include <string_view>

#include "stl/lang/token_class.h"

namespace zel::stl {

// How a token was cut, which decides how it is classified.
enum class Cut {
  EndOfLine,
  Step,        // `#` with its label (text: the label, upper case)
  Label,       // the jump target after `b` (text: the label, upper case)
  TimeValue,   // digits and points after WITH in a SET of a timer
  Quoted,      // `'...'` with both quotes
  Symbol,      // `:name;` (text: the name, upper case)
  Comparison,  // `<` or `>` and what follows of `<`, `=`, `>` (blanks dropped)
  Operand,     // an operand letter and its continuation
  Numbered,    // `c`, `g` or `z` and the digits after it
  Single,      // one character
};

struct CutToken {
  Cut cut = Cut::EndOfLine;
  std::string text;
};

class StlScanner {
 public:
  explicit StlScanner(std::string_view program) : m_program(program) {}

  // Moves to the next physical line: TABs (and stray CRs) become blanks, a comment from
  // the first double quote on is cut, trailing blanks go. False at the end of the program.
  // Every line counts, empty or not.
  bool nextLine();
  // The line holds display text the editor could not convert (first character `?`).
  bool isUnconvertedLine() const;
  void skipRestOfLine() { m_pos = m_line.size(); }
  int lineCounter() const { return m_lineCounter; }

  // The next token of the current line, or EndOfLine. After a JMP code the token is its
  // label even when the line ends there (an empty label).
  CutToken nextToken();
  // The time value after WITH: digits and points, possibly none; never leaves the line.
  CutToken nextTimeValue();

 private:
  void skipBlanks();
  std::string readLabel();
  CutToken cutAt(char first);
  CutToken take(Cut cut, std::size_t length);

  std::string_view m_program;
  std::size_t m_next = 0;  // start of the next physical line in m_program
  std::string m_line;
  std::size_t m_pos = 0;
  int m_lineCounter = 0;
  bool m_labelFollows = false;
};

// The class of an operand token by its first letter and second character (a digit or
// nothing after the letter counts as a blank); None when the pair names no operand. The
// token still has to pass the operand validation.
TokenClass OperandTokenClass(std::string_view text);

// The class of a keyword code, operator or bracket that is exactly `text`; None otherwise.
TokenClass CodeTokenClass(std::string_view text);

}  // namespace zel::stl
