#include "stl/lang/cp1252_case.h"

#include <algorithm>

namespace zel::stl {

char UpperCp1252(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 'a' && byte <= 'z') return static_cast<char>(byte - 0x20);
  // à..þ fold onto À..Þ, except ÷ (0xF7) whose counterpart × is no letter.
  if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<char>(byte - 0x20);
  switch (byte) {
    case 0x9A:  // š
    case 0x9C:  // œ
    case 0x9E:  // ž
      return static_cast<char>(byte - 0x10);
    case 0xFF:  // ÿ
      return static_cast<char>(0x9F);
    default:
      return c;
  }
}

std::string UpperCp1252(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), [](char c) { return UpperCp1252(c); });
  return out;
}

bool EqualsNoCaseCp1252(std::string_view a, std::string_view b) {
  return CompareNoCaseCp1252(a, b) == 0;
}

int CompareNoCaseCp1252(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(UpperCp1252(a[i]));
    const auto y = static_cast<unsigned char>(UpperCp1252(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

}  // namespace zel::stl
