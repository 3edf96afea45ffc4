#include "stl/codegen/intermediate_scanner.h"

#include <algorithm>
#include <array>
#include <limits>

#include "stl/codegen/messages.h"

namespace zel::stl::code {
namespace {

constexpr std::int64_t kSaturated = std::numeric_limits<std::int32_t>::max();

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsDigitOrPoint(char c) {
  return IsDigit(c) || c == '.';
}
// Stored constants write hex digits in upper case; the lower-case letters are keyword codes
// (`d` THEN, `f` OTHRW ...) that may follow a constant directly.
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'A' && c <= 'F');
}

struct Letters {
  std::string_view text;
  TokenKind kind;
};

// Two-letter prefixes ahead of the one-letter ones that begin them.
constexpr std::array<Letters, 22> kLetters{{
    {"EW", TokenKind::WordOperand}, {"AW", TokenKind::WordOperand}, {"MW", TokenKind::WordOperand},
    {"FW", TokenKind::WordOperand}, {"ZW", TokenKind::WordOperand}, {"ZV", TokenKind::WordOperand},
    {"TV", TokenKind::WordOperand}, {"TW", TokenKind::WordOperand}, {"TA", TokenKind::BitOperand},
    {"TE", TokenKind::BitOperand},  {"PS", TokenKind::BitOperand},  {"R", TokenKind::WordOperand},
    {"O", TokenKind::WordOperand},  {"E", TokenKind::BitOperand},   {"A", TokenKind::BitOperand},
    {"M", TokenKind::BitOperand},   {"F", TokenKind::BitOperand},   {"S", TokenKind::BitOperand},
    {"P", TokenKind::BitOperand},   {"Z", TokenKind::BitOperand},   {"T", TokenKind::BitOperand},
    {"@", TokenKind::Constant},
}};

constexpr std::array<Op, 9> kUnaryOps{Op::Swap, Op::Shl, Op::Shr, Op::Rol, Op::Ror,
                                      Op::Inv,  Op::Cpl, Op::Bid, Op::Deb};

// The keyword codes, brackets and operators that stand for themselves.
constexpr std::string_view kCharacters = "#abcdfgijlmnoqrsuvwx()+-*/";

std::int32_t Decimal(std::string_view digits) {
  std::int64_t value = 0;
  for (char c : digits) value = std::min(value * 10 + (c - '0'), kSaturated);
  return static_cast<std::int32_t>(value);
}

}  // namespace

TokenBufferOverflow::TokenBufferOverflow() : std::runtime_error(msg::kTokenBufferOverflow) {}

std::int32_t TimeValueUnits(std::string_view text) {
  const auto point = text.find('.');
  const std::int64_t seconds = Decimal(text.substr(0, point));
  std::int64_t hundredths = 0;
  if (point != std::string_view::npos) {
    std::string_view fraction = text.substr(point + 1);
    fraction = fraction.substr(0, 4);
    static constexpr std::array<int, 5> kScale{0, 10, 1, 10, 100};
    const std::int64_t digits = Decimal(fraction);
    hundredths =
        fraction.size() <= 2 ? digits * kScale[fraction.size()] : digits / kScale[fraction.size()];
  }
  return static_cast<std::int32_t>(std::min(seconds * 100 + hundredths, kSaturated));
}

char IntermediateScanner::peek(std::size_t ahead) const {
  return m_pos + ahead < m_text.size() ? m_text[m_pos + ahead] : '\0';
}

std::string_view IntermediateScanner::take(std::size_t from) {
  if (m_pos - from > kTokenBufferSize) throw TokenBufferOverflow();
  return m_text.substr(from, m_pos - from);
}

std::string_view IntermediateScanner::takeWhile(bool (*belongs)(char)) {
  const std::size_t from = m_pos;
  while (m_pos < m_text.size() && belongs(m_text[m_pos])) ++m_pos;
  return take(from);
}

Token IntermediateScanner::next() {
  while (peek() == '\n' && m_pos < m_text.size()) {
    ++m_line;
    ++m_pos;
  }
  Token token;
  token.line = m_line;
  if (m_pos >= m_text.size()) return token;
  const char c = peek();
  if (c == 'z' && peek(1) >= '0' && peek(1) <= '8') {
    m_pos += 2;
    token.kind = TokenKind::Unary;
    token.op = kUnaryOps[static_cast<std::size_t>(m_text[m_pos - 1] - '0')];
    return token;
  }
  if (c == '#' && IsDigit(peek(1))) {
    ++m_pos;
    token.kind = TokenKind::Step;
    token.value = Decimal(takeWhile(IsDigit));
    return token;
  }
  if (c == '<' || c == '>' || c == '=') return compare(token);
  if (IsDigit(c)) return number(token);
  for (const Letters& letters : kLetters)
    if (m_text.substr(m_pos).starts_with(letters.text)) {
      m_pos += letters.text.size();
      token.kind = letters.kind;
      if (letters.kind == TokenKind::Constant) return constant(token);
      token.operand.letters = std::string(letters.text);
      return operand(token);
    }
  ++m_pos;
  token.character = c;
  token.kind =
      kCharacters.find(c) != std::string_view::npos ? TokenKind::Character : TokenKind::Unknown;
  return token;
}

// Up to three groups of digits joined by single points; anything else is no operand.
Token IntermediateScanner::operand(Token token) {
  const std::string_view groups = takeWhile(IsDigitOrPoint);
  std::array<std::int32_t*, 3> numbers{&token.operand.number, &token.operand.second,
                                       &token.operand.third};
  std::size_t start = 0;
  for (std::size_t group = 0; start < groups.size() || (group > 0 && start == groups.size());
       ++group) {
    const std::size_t point = std::min(groups.find('.', start), groups.size());
    if (group == numbers.size() || point == start) {
      token.kind = TokenKind::Unknown;
      token.character = token.operand.letters.front();
      return token;
    }
    *numbers[group] = Decimal(groups.substr(start, point - start));
    if (point == groups.size()) break;
    start = point + 1;
  }
  return token;
}

Token IntermediateScanner::constant(Token token) {
  const std::size_t from = m_pos;
  std::int64_t value = 0;
  if (peek() == '$') {
    ++m_pos;
    const std::string_view digits = takeWhile(IsHexDigit);
    for (char c : digits) {
      const int digit = IsDigit(c) ? c - '0' : c - 'A' + 10;
      value = std::min(value * 16 + digit, kSaturated);
    }
  } else {
    const bool negative = peek() == '-';
    if (negative || peek() == '+') ++m_pos;
    value = Decimal(takeWhile(IsDigit));
    if (negative) value = -value;
  }
  if (take(from).find_first_of("0123456789ABCDEF") == std::string_view::npos) {
    token.kind = TokenKind::Unknown;
    token.character = '@';
  }
  token.value = static_cast<std::int32_t>(value);
  return token;
}

Token IntermediateScanner::number(Token token) {
  const std::string_view text = takeWhile(IsDigitOrPoint);
  if (text.find('.') == std::string_view::npos) {
    token.kind = TokenKind::Number;
    token.value = Decimal(text);
  } else {
    token.kind = TokenKind::TimeValue;
    token.value = TimeValueUnits(text);
  }
  return token;
}

Token IntermediateScanner::compare(Token token) {
  token.kind = TokenKind::Compare;
  const char first = peek();
  const char second = peek(1);
  if (first == '<' && second == '=')
    token.op = Op::LessEqual;
  else if (first == '<' && second == '>')
    token.op = Op::NotEqual;
  else if (first == '>' && second == '=')
    token.op = Op::GreaterEqual;
  else if (first == '<')
    token.op = Op::Less;
  else if (first == '>')
    token.op = Op::Greater;
  else
    token.op = Op::Equal;
  const bool two =
      token.op == Op::LessEqual || token.op == Op::NotEqual || token.op == Op::GreaterEqual;
  m_pos += two ? 2 : 1;
  return token;
}

}  // namespace zel::stl::code
