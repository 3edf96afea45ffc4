#include "stl/check/check_output.h"

#include <charconv>

#include "platform/no_case.h"

namespace zel::stl {
namespace {

// A module name that holds a blank, a bracket, a point or a path separator is a file
// name of some other sort, or part of a line that merely starts like a location.
bool IsModuleNameCharacter(char c) {
  static constexpr std::string_view kRefused = " \t()./\\:";
  return static_cast<unsigned char>(c) >= 0x20 && kRefused.find(c) == std::string_view::npos;
}

// The positive decimal at the start of `text`, closed by ')'; nothing for anything else,
// and for a number beyond int rather than a wrapped one.
std::optional<int> BracketedLine(std::string_view text) {
  std::size_t digits = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
  if (digits == 0 || digits == text.size() || text[digits] != ')') return std::nullopt;
  int line = 0;
  if (std::from_chars(text.data(), text.data() + digits, line).ec != std::errc() || line <= 0)
    return std::nullopt;
  return line;
}

}  // namespace

void ErrorCounter::error(int line, std::string_view text) {
  ++m_count;
  m_report.error(line, text);
}

std::string MessageWindowLine(std::string_view module, int line, std::string_view text) {
  std::string out(module);
  out += kSourceExtension;
  out += '(' + std::to_string(line) + ')';
  out += PrintableText(text);
  out += "\r\n";
  return out;
}

std::string LogLine(int line, std::string_view text) {
  return " Line: " + std::to_string(line) + PrintableText(text) + "\n";
}

std::string PrintableText(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  return out;
}

std::optional<SourceLocation> SourceLocationOf(std::string_view messageLine) {
  const std::size_t start = messageLine.find_first_not_of(" \t");
  if (start == std::string_view::npos) return std::nullopt;
  std::string_view text = messageLine.substr(start);
  std::size_t nameLength = 0;
  while (nameLength < text.size() && nameLength <= kMaxModuleNameLength &&
         IsModuleNameCharacter(text[nameLength]))
    ++nameLength;
  if (nameLength == 0 || nameLength > kMaxModuleNameLength) return std::nullopt;
  const std::string_view name = text.substr(0, nameLength);
  text.remove_prefix(nameLength);
  if (!platform::StartsWithNoCase(text, kSourceExtension)) return std::nullopt;
  text.remove_prefix(kSourceExtension.size());
  if (text.empty() || text.front() != '(') return std::nullopt;
  const auto line = BracketedLine(text.substr(1));
  if (!line) return std::nullopt;
  return SourceLocation{std::string(name), *line};
}

void MessageLines::error(int line, std::string_view text) {
  m_text += MessageWindowLine(m_module, line, text);
}

void MessageLines::notice(std::string_view text) {
  m_text += PrintableText(text);
  m_text += "\r\n";
}

}  // namespace zel::stl
