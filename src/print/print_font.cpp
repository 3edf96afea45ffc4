#include "print/print_font.h"

#include <charconv>
#include <climits>
#include <optional>

namespace zel::print {

namespace {

bool IsFaceChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ';
}

// One "%d" field: optional blanks, a sign, digits; `rest` moves past it.
std::optional<int> ReadInt(std::string_view& rest) {
  while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  int value = 0;
  const char* first = rest.data();
  if (!rest.empty() && rest.front() == '+') ++first;
  const auto [end, ec] = std::from_chars(first, rest.data() + rest.size(), value);
  if (ec != std::errc() || end == first) return std::nullopt;
  rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
  return value;
}

bool ReadComma(std::string_view& rest) {
  if (rest.empty() || rest.front() != ',') return false;
  rest.remove_prefix(1);
  return true;
}

}  // namespace

PrintFont ParsePrintFont(std::string_view text) {
  std::size_t faceEnd = 0;
  while (faceEnd < text.size() && IsFaceChar(text[faceEnd])) ++faceEnd;
  PrintFont font;
  std::string_view rest = text.substr(faceEnd);
  if (faceEnd == 0 || !ReadComma(rest)) return PrintFont{};
  font.face = std::string(text.substr(0, faceEnd));
  const auto points = ReadInt(rest);
  if (!points || !ReadComma(rest)) return PrintFont{};
  const auto weight = ReadInt(rest);
  if (!weight || !ReadComma(rest)) return PrintFont{};
  const auto italic = ReadInt(rest);
  // A size beyond any paper is as unusable as none.
  if (!italic || *points <= 0 || *points > 1000 || *weight <= 0 || *weight > 1000)
    return PrintFont{};
  font.points = *points;
  font.weight = *weight;
  font.italic = *italic != 0;
  return font;
}

int PrintFontHeight(const PrintFont& font, int dpiY) {
  const long long height = static_cast<long long>(font.points) * dpiY / 72;
  return height > INT_MAX ? INT_MAX : static_cast<int>(height);
}

}  // namespace zel::print
