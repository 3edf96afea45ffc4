#include "stl/editor/display_words.h"

#include "stl/lang/keywords.h"
#include "stl/lang/stored_form.h"

namespace zel::stl {
namespace {

bool IsSign(char c) {
  return c == '+' || c == '-';
}

// A time value: digits, at most one point with optional digits after it, and an optional
// unit `s` that the stored form drops.
std::optional<std::string> TimeValue(std::string_view word) {
  const std::size_t length = stored::NumberTokenLength(word);
  if (length == 0) return std::nullopt;
  const std::string_view rest = word.substr(length);
  if (!rest.empty() && !(rest.size() == 1 && (rest[0] == 's' || rest[0] == 'S')))
    return std::nullopt;
  return std::string(word.substr(0, length));
}

// The sign of a constant does not count towards the word's length.
std::size_t CountedLength(std::string_view word) {
  return (word.size() > 1 && IsSign(word[1])) ? word.size() - 1 : word.size();
}

}  // namespace

bool IsDisplayDelimiter(char c) {
  static constexpr std::string_view kDelimiters = " \t()<>=+-*/\"'";
  return c != '\0' && kDelimiters.find(c) != std::string_view::npos;
}

std::size_t WordLength(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size()) {
    const bool constantSign = n == 1 && (text[0] == 'V' || text[0] == 'v') && IsSign(text[1]);
    if (IsDisplayDelimiter(text[n]) && !constantSign) break;
    ++n;
  }
  return n;
}

std::size_t KeywordLength(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && !IsDisplayDelimiter(text[n]) && text[n] != '.') ++n;
  return n;
}

ReadWord ReadDisplayWord(std::string_view word) {
  ReadWord result;
  if (auto time = TimeValue(word)) {
    result.kind = WordKind::TimeValue;
    result.stored = std::move(*time);
    return result;
  }
  if (word.empty() || CountedLength(word) > kMaxWordLength) return result;
  if (auto operand = ParseDisplayOperand(word)) {
    result.kind = WordKind::Operand;
    result.stored = operand->stored;
    result.operand = std::move(operand);
  } else if (IsSymbolSyntax(word)) {
    result.kind = WordKind::Symbol;
    result.stored = std::string(1, stored::kSymbolStart) + std::string(word) + stored::kLabelEnd;
  }
  return result;
}

bool IsLabelText(std::string_view label) {
  return std::none_of(label.begin(), label.end(),
                      [](char c) { return IsDisplayDelimiter(c) || c == stored::kLabelEnd; });
}

bool ReadsBack(std::string_view shown, std::string_view stored) {
  if (KeywordByDisplay(shown.substr(0, KeywordLength(shown)))) return false;
  return WordLength(shown) == shown.size() && ReadDisplayWord(shown).stored == stored;
}

}  // namespace zel::stl
