#include "tools/kzcsim/ci_text.h"

#include <cctype>
#include <cstdio>

#include "platform/no_case.h"

namespace zel::kzcsim {

std::optional<std::uint32_t> TakeUnsigned(std::string_view& text, std::uint32_t max) {
  std::size_t i = 0;
  std::uint64_t value = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    if (value > max) return std::nullopt;
    ++i;
  }
  if (i == 0) return std::nullopt;
  text.remove_prefix(i);
  return static_cast<std::uint32_t>(value);
}

bool TakePrefix(std::string_view& text, std::string_view prefix) {
  if (!platform::StartsWithNoCase(text, prefix)) return false;
  text.remove_prefix(prefix.size());
  return true;
}

std::string Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return std::string(text);
}

std::optional<std::int64_t> ParseValue(std::string_view raw) {
  const std::string trimmed = Trim(raw);
  std::string_view text = trimmed;
  if (text.empty()) return std::nullopt;
  if (text.front() == '$') {
    text.remove_prefix(1);
    if (text.empty() || text.size() > 8) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
      if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
      const int digit = std::isdigit(static_cast<unsigned char>(c))
                            ? c - '0'
                            : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
      value = value * 16 + digit;
    }
    return value;
  }
  bool negative = false;
  if (text.front() == '-' || text.front() == '+') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const auto magnitude = TakeUnsigned(text, 0x7FFFFFFF);
  if (!magnitude || !text.empty()) return std::nullopt;
  return negative ? -static_cast<std::int64_t>(*magnitude) : static_cast<std::int64_t>(*magnitude);
}

std::optional<std::uint16_t> ParseWord(std::string_view text) {
  const auto value = ParseValue(text);
  if (!value || *value < -32768 || *value > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(*value & 0xFFFF);
}

std::optional<bool> ParseBit(std::string_view text) {
  const std::string trimmed = Trim(text);
  if (trimmed == "0") return false;
  if (trimmed == "1") return true;
  return std::nullopt;
}

std::string Escaped(std::string_view bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F && c != '<') {
      out += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "<%02X>", c);
      out += hex;
    }
  }
  return out;
}

}  // namespace zel::kzcsim
