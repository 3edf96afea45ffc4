#include "stl/check/scanner.h"

#include <array>
#include <utility>

#include "stl/lang/cp1252_case.h"
#include "stl/lang/keywords.h"
#include "stl/lang/stored_form.h"

namespace zel::stl {
namespace {

constexpr char kQuote = '\'';
constexpr char kBlank = ' ';

bool IsTimeCharacter(char c) {
  return stored::IsDigit(c) || c == '.';
}

bool IsNumberedLetter(char c) {
  return c == stored::kCmpCode || c == stored::kCfmCode || c == 'z';
}

struct CodeClass {
  std::string_view text;
  TokenClass tokenClass;
};

constexpr std::array<CodeClass, 12> kOperators{{
    {"(", TokenClass::OpenBracket},
    {")", TokenClass::CloseBracket},
    {"+", TokenClass::Plus},
    {"-", TokenClass::Minus},
    {"*", TokenClass::Times},
    {"/", TokenClass::Divide},
    {"=", TokenClass::Equal},
    {"<", TokenClass::Less},
    {"<=", TokenClass::LessEqual},
    {">=", TokenClass::GreaterEqual},
    {">", TokenClass::Greater},
    {"<>", TokenClass::NotEqual},
}};

// Operand letter and second character (a blank standing for a digit or nothing).
struct OperandPair {
  char letter;
  char second;
  TokenClass tokenClass;
};

using T = TokenClass;
constexpr std::array<OperandPair, 27> kOperandPairs{{
    {'@', ' ', T::Constant},    {'A', ' ', T::OutputBit},
    {'E', ' ', T::InputBit},    {'F', ' ', T::FBit},
    {'M', ' ', T::FlagBit},     {'O', ' ', T::FuWord},
    {'P', ' ', T::ProgramBit},  {'R', ' ', T::RegisterWord},
    {'S', ' ', T::SBit},        {'T', ' ', T::TimerBit},
    {'X', ' ', T::XOperand},    {'Y', ' ', T::YOperand},
    {'Z', ' ', T::CounterBit},  {'c', ' ', T::Cmp},
    {'g', ' ', T::Cfm},         {'A', 'W', T::OutputWord},
    {'E', 'W', T::InputWord},   {'F', 'W', T::FWord},
    {'M', 'W', T::FlagWord},    {'T', 'W', T::TimerWord},
    {'Z', 'W', T::CounterWord}, {'T', 'A', T::TimerBit},
    {'T', 'E', T::TimerBit},    {'T', 'V', T::TimerPreselect},
    {'P', 'S', T::PsBit},       {'Z', 'V', T::CounterPreselect},
}};

}  // namespace

bool StlScanner::nextLine() {
  if (m_next >= m_program.size()) return false;
  const std::size_t end = m_program.find('\n', m_next);
  const std::size_t stop = end == std::string_view::npos ? m_program.size() : end;
  m_line.assign(m_program.substr(m_next, stop - m_next));
  m_next = end == std::string_view::npos ? m_program.size() : end + 1;
  ++m_lineCounter;
  if (const auto comment = m_line.find(stored::kCommentMark); comment != std::string::npos)
    m_line.resize(comment);
  // A CR other than the line end can only come from a damaged file; it separates like a TAB.
  for (char& c : m_line)
    if (c == '\t' || c == '\r') c = kBlank;
  while (!m_line.empty() && m_line.back() == kBlank) m_line.pop_back();
  m_pos = 0;
  m_labelFollows = false;
  return true;
}

bool StlScanner::isUnconvertedLine() const {
  return !m_line.empty() && m_line.front() == stored::kUnconvertedMark;
}

void StlScanner::skipBlanks() {
  while (m_pos < m_line.size() && m_line[m_pos] == kBlank) ++m_pos;
}

// Up to `;` (consumed) or the end of the line, in upper case. Trailing blanks before the
// `;` are no part of the label.
std::string StlScanner::readLabel() {
  const std::size_t end = m_line.find(stored::kLabelEnd, m_pos);
  const std::size_t stop = end == std::string::npos ? m_line.size() : end;
  std::string label = UpperCp1252(std::string_view(m_line).substr(m_pos, stop - m_pos));
  while (!label.empty() && label.back() == kBlank) label.pop_back();
  m_pos = end == std::string::npos ? m_line.size() : end + 1;
  return label;
}

CutToken StlScanner::take(Cut cut, std::size_t length) {
  CutToken token{cut, m_line.substr(m_pos, length)};
  m_pos += length;
  return token;
}

CutToken StlScanner::nextToken() {
  skipBlanks();
  if (std::exchange(m_labelFollows, false)) return {Cut::Label, readLabel()};
  if (m_pos >= m_line.size()) return {};
  return cutAt(m_line[m_pos]);
}

CutToken StlScanner::cutAt(char first) {
  const std::string_view rest = std::string_view(m_line).substr(m_pos);
  if (first == stored::kStepCode) {
    ++m_pos;
    skipBlanks();
    return {Cut::Step, readLabel()};
  }
  if (first == kQuote) {
    const std::size_t close = rest.find(kQuote, 1);
    return take(Cut::Quoted, close == std::string_view::npos ? rest.size() : close + 1);
  }
  if (first == stored::kSymbolStart) {
    ++m_pos;
    return {Cut::Symbol, readLabel()};
  }
  if (first == '<' || first == '>') {
    CutToken token{Cut::Comparison, stored::ComparisonOperator(rest)};
    m_pos += stored::ComparisonTokenLength(rest);
    return token;
  }
  if (stored::IsOperandLetter(first)) return take(Cut::Operand, stored::OperandTokenLength(rest));
  if (IsNumberedLetter(first)) {
    std::size_t n = 1;
    while (n < rest.size() && stored::IsDigit(rest[n])) ++n;
    return take(Cut::Numbered, n);
  }
  if (first == stored::kJumpCode) m_labelFollows = true;
  return take(Cut::Single, 1);
}

CutToken StlScanner::nextTimeValue() {
  skipBlanks();
  std::size_t n = 0;
  while (m_pos + n < m_line.size() && IsTimeCharacter(m_line[m_pos + n])) ++n;
  return take(Cut::TimeValue, n);
}

TokenClass OperandTokenClass(std::string_view text) {
  if (text.empty()) return TokenClass::None;
  // Constants carry a sign or `$` right after the letter; the validation judges the rest.
  if (text.front() == '@') return TokenClass::Constant;
  const char second = text.size() < 2 || stored::IsDigit(text[1]) ? ' ' : text[1];
  for (const auto& pair : kOperandPairs)
    if (pair.letter == text.front() && pair.second == second) return pair.tokenClass;
  return TokenClass::None;
}

TokenClass CodeTokenClass(std::string_view text) {
  for (const auto& op : kOperators)
    if (op.text == text) return op.tokenClass;
  for (const auto& keyword : Keywords())
    if (keyword.code == text) return keyword.tokenClass;
  return TokenClass::None;
}

}  // namespace zel::stl
