#include "stl/lang/module_name.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "platform/no_case.h"

namespace zel::stl {

namespace {

constexpr std::string_view kFileNamePrefix = "CZ0";

std::optional<ModuleKind> KindOfLetter(char letter) {
  switch (letter) {
    case 'P':
    case 'p':
      return ModuleKind::Program;
    case 'B':
    case 'b':
      return ModuleKind::Cmp;
    case 'F':
    case 'f':
      return ModuleKind::Cfm;
    default:
      return std::nullopt;
  }
}

// A "%d" as the name was always read with: white space first, an optional sign, at least
// one digit. A number too long for an int is no number.
std::optional<int> ScanNumber(std::string_view text, std::size_t& pos) {
  while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  const std::size_t first = pos;
  long long value = 0;
  while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
    value = value * 10 + (text[pos++] - '0');
    if (value > std::numeric_limits<int>::max()) return std::nullopt;
  }
  if (pos == first) return std::nullopt;
  return static_cast<int>(negative ? -value : value);
}

// Every module operation joins the name to the project's directory, and a hand-edited
// project file must not lead a delete or rename outside of it.
bool IsPlainFileName(std::string_view name) {
  return std::none_of(name.begin(), name.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return c == '/' || c == '\\' || u < 0x20 || u == 0x7f;
  });
}

}  // namespace

// The letters match without regard to case, as the file names they stand for do. Numbers
// that no module file name can carry (a negative one, a number of more than two digits, a
// version of more than one) are refused like a name that does not follow the pattern.
std::optional<ModuleIdentity> ParseModuleName(std::string_view name) {
  if (name.size() <= kFileNamePrefix.size() || !platform::StartsWithNoCase(name, kFileNamePrefix) ||
      !IsPlainFileName(name)) {
    return std::nullopt;
  }
  const auto kind = KindOfLetter(name[kFileNamePrefix.size()]);
  const std::string_view rest = name.substr(kFileNamePrefix.size() + 1);
  std::size_t pos = 0;
  const auto number = ScanNumber(rest, pos);
  if (!kind || !number || pos >= rest.size() || (rest[pos] != 'V' && rest[pos] != 'v')) {
    return std::nullopt;
  }
  ++pos;
  const auto version = ScanNumber(rest, pos);
  if (!version || *number < 0 || *number > kMaxFunctionModuleNumber || *version < 0 ||
      *version > kMaxVersion) {
    return std::nullopt;
  }
  return ModuleIdentity{*kind, *number, *version};
}

int MaxModuleNumber(ModuleKind kind) {
  return kind == ModuleKind::Program ? kMaxProgramNumber : kMaxFunctionModuleNumber;
}

char KindLetter(ModuleKind kind) {
  switch (kind) {
    case ModuleKind::Program:
      return 'P';
    case ModuleKind::Cmp:
      return 'B';
    case ModuleKind::Cfm:
      return 'F';
  }
  return 'P';
}

}  // namespace zel::stl
