#include "stl/lang/stored_form.h"

namespace zel::stl::stored {
namespace {

bool IsUpperHex(char c) {
  return c >= 'A' && c <= 'F';
}

}  // namespace

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsComparisonChar(char c) {
  return c == '<' || c == '=' || c == '>';
}

bool IsOperandLetter(char c) {
  static constexpr std::string_view kLetters = "@AEFMOPRSTXYZ";
  return c != '\0' && kLetters.find(c) != std::string_view::npos;
}

bool ContinuesOperandLetter(char c) {
  static constexpr std::string_view kSecond = "$+-AESVW[";
  return IsDigit(c) || (c != '\0' && kSecond.find(c) != std::string_view::npos);
}

bool ContinuesOperand(char c) {
  return IsDigit(c) || IsUpperHex(c) || c == '.' || c == 'X' || c == 'Y' || c == '[' || c == ']';
}

std::size_t OperandTokenLength(std::string_view text) {
  if (text.size() < 2 || !ContinuesOperandLetter(text[1])) return text.empty() ? 0 : 1;
  std::size_t n = 2;
  while (n < text.size() && ContinuesOperand(text[n])) ++n;
  return n;
}

std::size_t NumberTokenLength(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && IsDigit(text[n])) ++n;
  if (n == 0 || n == text.size() || text[n] != '.') return n;
  ++n;
  while (n < text.size() && IsDigit(text[n])) ++n;
  return n;
}

std::size_t ComparisonTokenLength(std::string_view text) {
  std::size_t end = 1;
  for (std::size_t n = 1; n < text.size(); ++n) {
    if (IsComparisonChar(text[n]))
      end = n + 1;
    else if (!IsBlank(text[n]))
      break;
  }
  return end;
}

std::string ComparisonOperator(std::string_view text) {
  std::string op;
  for (char c : text.substr(0, ComparisonTokenLength(text)))
    if (!IsBlank(c)) op += c;
  return op;
}

}  // namespace zel::stl::stored
