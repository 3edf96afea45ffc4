#include "app/text/field_scanner.h"

#include <cctype>
#include <climits>

namespace zel::app {

namespace {

bool IsBlank(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Far beyond any value the formats hold; stops the accumulation before it overflows.
constexpr long long kNumberLimit = LLONG_MAX / 10 - 10;

}  // namespace

std::optional<long long> FieldScanner::number() {
  std::size_t pos = m_pos;
  while (pos < m_text.size() && IsBlank(m_text[pos])) ++pos;
  bool negative = false;
  if (pos < m_text.size() && (m_text[pos] == '-' || m_text[pos] == '+')) {
    negative = m_text[pos] == '-';
    ++pos;
  }
  if (pos >= m_text.size() || !IsDigit(m_text[pos])) return std::nullopt;
  long long value = 0;
  while (pos < m_text.size() && IsDigit(m_text[pos])) {
    if (value > kNumberLimit) return std::nullopt;
    value = value * 10 + (m_text[pos] - '0');
    ++pos;
  }
  m_pos = pos;
  return negative ? -value : value;
}

bool FieldScanner::literal(char c) {
  if (m_pos >= m_text.size() || m_text[m_pos] != c) return false;
  ++m_pos;
  return true;
}

std::optional<std::string> FieldScanner::run(bool (*allowed)(char), std::size_t maxLength) {
  std::size_t end = m_pos;
  while (end < m_text.size() && allowed(m_text[end])) ++end;
  const std::size_t length = end - m_pos;
  if (length == 0 || length > maxLength) return std::nullopt;
  std::string result(m_text.substr(m_pos, length));
  m_pos = end;
  return result;
}

bool FieldScanner::atEnd() const {
  for (std::size_t pos = m_pos; pos < m_text.size(); ++pos) {
    if (!IsBlank(m_text[pos])) return false;
  }
  return true;
}

namespace {

std::size_t ScanInto(FieldScanner& scanner, char separator, std::span<long long> out) {
  std::size_t count = 0;
  while (count < out.size()) {
    if (count > 0 && !scanner.literal(separator)) break;
    const auto value = scanner.number();
    if (!value) break;
    out[count++] = *value;
  }
  return count;
}

}  // namespace

std::size_t ScanNumbers(std::string_view text, char separator, std::span<long long> out) {
  FieldScanner scanner(text);
  return ScanInto(scanner, separator, out);
}

bool ScanExactly(std::string_view text, char separator, std::span<long long> out) {
  FieldScanner scanner(text);
  return ScanInto(scanner, separator, out) == out.size() && scanner.atEnd();
}

std::optional<long long> LeadingNumber(std::string_view text) {
  return FieldScanner(text).number();
}

int LeadingIntOr(std::string_view text, int def) {
  const auto value = LeadingNumber(text);
  return value && FitsInt(*value) ? static_cast<int>(*value) : def;
}

bool FitsInt(long long value) {
  return value >= INT_MIN && value <= INT_MAX;
}
bool FitsUnsigned(long long value) {
  return value >= 0 && value <= UINT_MAX;
}

std::optional<std::uint16_t> DecimalWord(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
    if (value > 0xFFFF) return std::nullopt;
  }
  return static_cast<std::uint16_t>(value);
}

}  // namespace zel::app
