#include "stl/lang/operand.h"

#include <algorithm>
#include <limits>

#include "platform/no_case.h"

namespace zel::stl {
namespace {

using K = OperandKind;

constexpr std::array<OperandPrefix, kOperandClassCount> kPrefixes{{
    {"CFM", "g", K::ModuleCall}, {"CMP", "c", K::ModuleCall}, {"CW", "ZW", K::MultiBit},
    {"CP", "ZV", K::MultiBit},   {"C", "Z", K::OneBit},       {"TW", "TW", K::MultiBit},
    {"TP", "TV", K::MultiBit},   {"TON", "TE", K::OneBit},    {"TOFF", "TA", K::OneBit},
    {"T", "T", K::OneBit},       {"FI", "S", K::OneBit},      {"R", "R", K::MultiBit},
    {"PS", "PS", K::OneBit},     {"P", "P", K::OneBit},       {"FU", "O", K::MultiBit},
    {"FW", "MW", K::MultiBit},   {"F", "M", K::OneBit},       {"EW", "FW", K::MultiBit},
    {"E", "F", K::OneBit},       {"IW", "EW", K::MultiBit},   {"I", "E", K::OneBit},
    {"OW", "AW", K::MultiBit},   {"O", "A", K::OneBit},       {"V", "@", K::MultiBit},
}};

constexpr std::int64_t kSaturated = std::numeric_limits<std::int32_t>::max();

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  const char lower = platform::LowerAscii(c);
  if (lower >= 'a' && lower <= 'f') return lower - 'a' + 10;
  return -1;
}

std::int32_t Saturate(std::int64_t value) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, -kSaturated - 1, kSaturated));
}

// The number part of a constant: `$` and hex digits, or an optional sign and decimal
// digits, nothing else. Hex digits are kept in upper case.
std::optional<std::string> NormaliseConstant(std::string_view rest) {
  std::string out;
  if (!rest.empty() && rest.front() == '$') {
    if (rest.size() == 1) return std::nullopt;
    out = "$";
    for (char c : rest.substr(1)) {
      if (HexValue(c) < 0) return std::nullopt;
      out += platform::UpperAscii(c);
    }
    return out;
  }
  std::size_t i = (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) ? 1 : 0;
  if (i == rest.size()) return std::nullopt;
  for (std::size_t j = i; j < rest.size(); ++j)
    if (!IsDigit(rest[j])) return std::nullopt;
  return std::string(rest);
}

std::int32_t ConstantValue(std::string_view normalised) {
  if (!normalised.empty() && normalised.front() == '+') normalised.remove_prefix(1);
  return Saturate(ParseOperandNumber(normalised));
}

// Up to three groups of decimal digits separated by single points; the groups as typed.
std::optional<std::array<std::string_view, 3>> SplitGroups(std::string_view rest, int& count) {
  std::array<std::string_view, 3> groups{};
  count = 0;
  if (rest.empty()) return groups;
  while (true) {
    std::size_t n = 0;
    while (n < rest.size() && IsDigit(rest[n])) ++n;
    if (n == 0 || count == 3) return std::nullopt;
    groups[count++] = rest.substr(0, n);
    rest.remove_prefix(n);
    if (rest.empty()) return groups;
    if (rest.front() != '.') return std::nullopt;
    rest.remove_prefix(1);
  }
}

// The number text after the prefix, rebuilt exactly as typed (constants normalised).
std::optional<std::string> NumberText(OperandClass c, std::string_view rest) {
  if (c == OperandClass::Constant) return NormaliseConstant(rest);
  int count = 0;
  if (!SplitGroups(rest, count)) return std::nullopt;
  return std::string(rest);
}

template <typename Matches>
std::optional<OperandClass> MatchPrefix(Matches matches) {
  for (std::size_t i = 0; i < kPrefixes.size(); ++i)
    if (matches(kPrefixes[i])) return static_cast<OperandClass>(i);
  return std::nullopt;
}

bool InRange(std::int32_t value, std::int32_t low, std::int32_t high) {
  return value >= low && value <= high;
}

bool ValidIoBit(const Operand& o) {
  if (o.groupCount() == 2) return InRange(o.first, 0, 255) && InRange(o.second, 0, 15);
  return o.groupCount() == 3 && InRange(o.first, 1, 99) && InRange(o.second, 0, 15) &&
         InRange(o.third, 0, 15);
}

bool ValidIoWord(const Operand& o) {
  if (o.groupCount() == 1) return InRange(o.first, 0, 255);
  return o.groupCount() == 2 && InRange(o.first, 1, 99) && InRange(o.second, 0, 15);
}

bool OneGroup(const Operand& o, std::int32_t high) {
  return o.groupCount() == 1 && InRange(o.first, 0, high);
}

}  // namespace

const std::array<OperandPrefix, kOperandClassCount>& OperandPrefixes() {
  return kPrefixes;
}

const OperandPrefix& PrefixOf(OperandClass c) {
  return kPrefixes[static_cast<unsigned>(c)];
}

int Operand::groupCount() const {
  if (classIndex == OperandClass::Constant) return 1;
  return (first != kNoNumber) + (second != kNoNumber) + (third != kNoNumber);
}

std::optional<OperandClass> MatchDisplayPrefix(std::string_view display) {
  return MatchPrefix(
      [&](const OperandPrefix& p) { return platform::StartsWithNoCase(display, p.display); });
}

std::optional<OperandClass> MatchStoredPrefix(std::string_view stored) {
  return MatchPrefix([&](const OperandPrefix& p) { return stored.starts_with(p.stored); });
}

std::optional<std::string> DisplayToStored(std::string_view display) {
  const auto c = MatchDisplayPrefix(display);
  if (!c) return std::nullopt;
  const auto number = NumberText(*c, display.substr(PrefixOf(*c).display.size()));
  if (!number) return std::nullopt;
  return std::string(PrefixOf(*c).stored) + *number;
}

std::optional<Operand> ReadStoredOperand(std::string_view stored) {
  const auto c = MatchStoredPrefix(stored);
  if (!c) return std::nullopt;
  const std::string_view rest = stored.substr(PrefixOf(*c).stored.size());
  const auto number = NumberText(*c, rest);
  if (!number) return std::nullopt;
  Operand operand;
  operand.classIndex = *c;
  operand.stored = std::string(PrefixOf(*c).stored) + *number;
  operand.display = std::string(PrefixOf(*c).display) + *number;
  if (*c == OperandClass::Constant) {
    operand.first = ConstantValue(*number);
    return operand;
  }
  int count = 0;
  const auto groups = SplitGroups(rest, count);
  std::int32_t* numbers[] = {&operand.first, &operand.second, &operand.third};
  for (int i = 0; i < count; ++i) *numbers[i] = Saturate(ParseOperandNumber((*groups)[i]));
  return operand;
}

bool IsValidOperand(const Operand& o) {
  using C = OperandClass;
  switch (o.classIndex) {
    case C::Input:
    case C::Output:
      return ValidIoBit(o);
    case C::InputWord:
    case C::OutputWord:
      return ValidIoWord(o);
    case C::Flag:
      return o.groupCount() == 2 && InRange(o.first, 0, 9999) && InRange(o.second, 0, 15);
    case C::FlagWord:
      return OneGroup(o, 9999);
    case C::Program:
    case C::Ps:
      return OneGroup(o, 63);
    case C::Cfm:
    case C::Cmp:
      return OneGroup(o, 99);
    case C::Fi:
    case C::E:
    case C::Ew:
      return o.groupCount() == 0;
    case C::Constant:
      return o.first >= -32768 && o.first < 65536;
    default:
      return OneGroup(o, 255);
  }
}

bool StoredToDisplay(std::string_view stored, Operand& out) {
  auto operand = ReadStoredOperand(stored);
  if (!operand) return false;
  out = std::move(*operand);
  return IsValidOperand(out);
}

std::optional<Operand> ParseDisplayOperand(std::string_view display) {
  const auto stored = DisplayToStored(display);
  Operand operand;
  if (!stored || !StoredToDisplay(*stored, operand)) return std::nullopt;
  return operand;
}

std::int64_t ParseOperandNumber(std::string_view text) {
  std::int64_t value = 0;
  if (!text.empty() && text.front() == '$') {
    for (char c : text.substr(1)) {
      const int digit = HexValue(c);
      if (digit < 0) break;
      value = std::min<std::int64_t>(value * 16 + digit, kSaturated);
    }
    return value;
  }
  const bool negative = !text.empty() && text.front() == '-';
  for (char c : text.substr(negative ? 1 : 0)) {
    if (!IsDigit(c)) break;
    value = std::min<std::int64_t>(value * 10 + (c - '0'), kSaturated + 1);
  }
  return negative ? -value : value;
}

bool IsSymbolCharacter(unsigned char c) {
  static constexpr std::string_view kAccented =
      "\xD1\xF1\xFA\xF3\xED\xE1\x83\xD7\xD8\xA3\xF8\xDC\xD6\xFF\xF9\xFB\xF2\xF6\xF4"
      "\xC6\xE6\xC9\xC5\xC4\xEC\xEE\xEF\xE8\xEB\xEA\xE7\xE5\xE0\xE4\xE2\xE9\xFC\xC7";
  const char upper = platform::UpperAscii(static_cast<char>(c));
  return (upper >= 'A' && upper <= 'Z') || upper == '_' ||
         kAccented.find(static_cast<char>(c)) != std::string_view::npos;
}

bool IsSymbolSyntax(std::string_view text) {
  if (text.empty() || !IsSymbolCharacter(static_cast<unsigned char>(text.front()))) return false;
  return std::all_of(text.begin() + 1, text.end(), [](char c) {
    return IsSymbolCharacter(static_cast<unsigned char>(c)) || IsDigit(c) || c == '.';
  });
}

bool IsOneBit(OperandClass c) {
  return PrefixOf(c).kind == OperandKind::OneBit;
}
bool IsMultiBit(OperandClass c) {
  return PrefixOf(c).kind == OperandKind::MultiBit;
}
bool IsModuleCall(OperandClass c) {
  return PrefixOf(c).kind == OperandKind::ModuleCall;
}

bool IsFieldbus(const Operand& o) {
  switch (o.classIndex) {
    case OperandClass::Input:
    case OperandClass::Output:
      return o.groupCount() == 3;
    case OperandClass::InputWord:
    case OperandClass::OutputWord:
      return o.groupCount() == 2;
    default:
      return false;
  }
}

}  // namespace zel::stl
