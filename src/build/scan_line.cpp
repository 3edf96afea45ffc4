#include "build/scan_line.h"

#include <array>
#include <cctype>

#include "build/scan_commands.h"

namespace zel::build {

namespace {

enum class Read { Ok, Invalid, OutOfRange };

constexpr std::uint64_t kArg1Max = 0xFFFFFFFF;
constexpr std::uint64_t kArg2Max = 0xFFFF;
constexpr std::int64_t kPlaceholderMax = 0xFFFF;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsControl(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
}

void SkipBlanks(std::string_view& s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
}

int DigitValue(char c, int base) {
  int value = 99;
  if (c >= '0' && c <= '9') value = c - '0';
  if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
  return value < base ? value : -1;
}

// number = "$" hex-digits | decimal-digits. Every digit is consumed even past `max`, so an
// oversized number is reported as such rather than as a stray character.
Read ReadNumber(std::string_view& s, std::uint64_t max, std::uint64_t& out) {
  int base = 10;
  if (!s.empty() && s.front() == '$') {
    base = 16;
    s.remove_prefix(1);
  }
  std::uint64_t value = 0;
  bool any = false;
  bool over = false;
  while (!s.empty()) {
    const int digit = DigitValue(s.front(), base);
    if (digit < 0) break;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (value > max) {
      over = true;
      value = max;  // keeps the arithmetic from wrapping while the digits are read
    }
    any = true;
    s.remove_prefix(1);
  }
  if (!any) return Read::Invalid;
  out = value;
  return over ? Read::OutOfRange : Read::Ok;
}

struct Keyword {
  std::string_view name;
  std::int64_t (*value)(const ScanPlaceholders&);
};

constexpr std::array<Keyword, 5> kKeywords = {{
    {"addr", [](const ScanPlaceholders& v) { return static_cast<std::int64_t>(v.address); }},
    {"ew", [](const ScanPlaceholders& v) { return static_cast<std::int64_t>(v.inputWord); }},
    {"aw", [](const ScanPlaceholders& v) { return static_cast<std::int64_t>(v.outputWord); }},
    {"eb", [](const ScanPlaceholders& v) { return 2 * static_cast<std::int64_t>(v.inputWord); }},
    {"ab", [](const ScanPlaceholders& v) { return 2 * static_cast<std::int64_t>(v.outputWord); }},
}};

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// placeholder = "<" [blanks] keyword [("+" | "-") number] ">"
Read ReadPlaceholder(std::string_view& s, const ScanPlaceholders& values, std::uint64_t& out) {
  s.remove_prefix(1);  // "<"
  SkipBlanks(s);
  std::size_t length = 0;
  while (length < s.size() && std::isalpha(static_cast<unsigned char>(s[length]))) ++length;
  const std::string_view word = s.substr(0, length);
  s.remove_prefix(length);
  const Keyword* keyword = nullptr;
  for (const Keyword& k : kKeywords) {
    if (EqualsNoCase(word, k.name)) keyword = &k;
  }
  if (keyword == nullptr) return Read::Invalid;
  std::int64_t result = keyword->value(values);
  Read status = Read::Ok;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    const bool minus = s.front() == '-';
    s.remove_prefix(1);
    std::uint64_t offset = 0;
    status = ReadNumber(s, kArg1Max, offset);
    if (status == Read::Invalid) return status;
    result += minus ? -static_cast<std::int64_t>(offset) : static_cast<std::int64_t>(offset);
  }
  if (s.empty() || s.front() != '>') return Read::Invalid;
  s.remove_prefix(1);
  if (status == Read::OutOfRange || result < 0 || result > kPlaceholderMax) {
    return Read::OutOfRange;
  }
  out = static_cast<std::uint64_t>(result);
  return Read::Ok;
}

// An argument ends at a blank, the line's end or a comment.
Read ReadArgument(std::string_view& s, const ScanPlaceholders& values, std::uint64_t max,
                  std::uint64_t& out) {
  const Read status =
      !s.empty() && s.front() == '<' ? ReadPlaceholder(s, values, out) : ReadNumber(s, max, out);
  if (status == Read::Invalid) return status;
  if (!s.empty() && !IsBlank(s.front()) && s.front() != ';') return Read::Invalid;
  if (status == Read::Ok && out > max) return Read::OutOfRange;
  return status;
}

ScanLine Fail(Read status) {
  return {status == Read::OutOfRange ? ScanLineStatus::OutOfRange : ScanLineStatus::Invalid, {}};
}

}  // namespace

ScanLine ParseScanLine(std::string_view line, const ScanPlaceholders& values) {
  while (!line.empty() && IsControl(line.back())) line.remove_suffix(1);
  SkipBlanks(line);
  if (line.empty() || line.front() == ';') return {ScanLineStatus::Blank, {}};

  std::size_t length = 0;
  while (length < line.size() && !IsBlank(line[length])) ++length;
  const std::optional<std::uint16_t> code = LookupScanCommand(line.substr(0, length));
  if (!code) return {ScanLineStatus::Invalid, {}};
  line.remove_prefix(length);

  std::uint64_t arguments[2] = {0, 0};
  const std::uint64_t limits[2] = {kArg1Max, kArg2Max};
  for (int i = 0; i < 2; ++i) {
    if (line.empty() || !IsBlank(line.front())) return {ScanLineStatus::Invalid, {}};
    SkipBlanks(line);
    const Read status = ReadArgument(line, values, limits[i], arguments[i]);
    if (status != Read::Ok) return Fail(status);
  }
  SkipBlanks(line);
  if (!line.empty() && line.front() != ';') return {ScanLineStatus::Invalid, {}};
  return {
      ScanLineStatus::Command,
      {*code, static_cast<std::uint32_t>(arguments[0]), static_cast<std::uint16_t>(arguments[1])}};
}

}  // namespace zel::build
