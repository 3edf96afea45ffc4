#include "tools/tamsel/line_scanner.h"

#include "tools/tamsel/screen_format.h"

namespace zel::tamsel {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsWordChar(char c) {
  return IsDigit(c) || c == '_' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

}  // namespace

void LineScanner::skipBlanks() {
  while (m_pos < m_line.size() && IsBlank(m_line[m_pos])) ++m_pos;
}

bool LineScanner::atEnd() {
  skipBlanks();
  return m_pos == m_line.size() || m_line[m_pos] == ';';
}

std::string_view LineScanner::word() {
  skipBlanks();
  const std::size_t start = m_pos;
  while (m_pos < m_line.size() && IsWordChar(m_line[m_pos])) ++m_pos;
  return m_line.substr(start, m_pos - start);
}

bool LineScanner::accept(char c) {
  skipBlanks();
  if (m_pos < m_line.size() && m_line[m_pos] == c) {
    ++m_pos;
    return true;
  }
  return false;
}

// "12x" or "$1G" is a mistyped number, not a number followed by something else.
bool LineScanner::valueEndsHere() const {
  return m_pos == m_line.size() || IsBlank(m_line[m_pos]) || m_line[m_pos] == ';';
}

std::nullopt_t LineScanner::fail(Fault kind, unsigned limit) {
  m_fault = ScreenFault{kind, limit, {}, false};
  return std::nullopt;
}

std::optional<std::uint16_t> LineScanner::number() {
  skipBlanks();
  if (m_pos < m_line.size() && m_line[m_pos] == '$') {
    ++m_pos;
    return hexNumber();
  }
  return decimalNumber();
}

std::optional<std::uint16_t> LineScanner::decimalNumber() {
  unsigned long value = 0;
  const std::size_t start = m_pos;
  for (; m_pos < m_line.size() && IsDigit(m_line[m_pos]); ++m_pos) {
    value = value * 10 + static_cast<unsigned>(m_line[m_pos] - '0');
    if (value > kMaxNumber) value = kMaxNumber + 1;  // stays above the limit, never wraps
  }
  if (m_pos == start) return fail(Fault::NumberExpected);
  if (!valueEndsHere()) return fail(Fault::NumberExpected);
  if (value > kMaxNumber) return fail(Fault::NumberTooLarge, kMaxNumber);
  return static_cast<std::uint16_t>(value);
}

std::optional<std::uint16_t> LineScanner::hexNumber() {
  unsigned value = 0;
  std::size_t digits = 0;
  for (; m_pos < m_line.size() && HexValue(m_line[m_pos]) >= 0; ++m_pos, ++digits) {
    if (digits < kMaxHexDigits) value = value * 16 + static_cast<unsigned>(HexValue(m_line[m_pos]));
  }
  if (digits == 0 || !valueEndsHere()) return fail(Fault::NumberExpected);
  if (digits > kMaxHexDigits) return fail(Fault::NumberTooLarge, kMaxNumber);
  return static_cast<std::uint16_t>(value);
}

std::optional<std::string> LineScanner::text() {
  skipBlanks();
  if (m_pos == m_line.size() || (m_line[m_pos] != '"' && m_line[m_pos] != '\'')) {
    return fail(Fault::TextExpected);
  }
  const char quote = m_line[m_pos++];
  const std::size_t close = m_line.find(quote, m_pos);
  if (close == std::string_view::npos) return fail(Fault::TextNotClosed);
  std::string value(m_line.substr(m_pos, close - m_pos));
  if (value.find('\0') != std::string::npos) return fail(Fault::ZeroByteInText);
  m_pos = close + 1;
  return value;
}

}  // namespace zel::tamsel
