#include "library/driver_option.h"

#include <charconv>
#include <cstdint>
#include <string>

#include "library/library_messages.h"
#include "platform/no_case.h"

namespace zel::library {

namespace {

constexpr std::string_view kTypeYesNo = "$YESNO";
constexpr std::string_view kTypeDrive = "$IDV";
constexpr std::string_view kTypeText = "$TEXT";
constexpr std::string_view kTypeDecimal = "$DEC";
constexpr std::string_view kTypeHex = "$HEX";
constexpr std::string_view kRangeDots = "..";
constexpr std::string_view kDriveLetters[] = {"A", "B", "C", "D"};

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = SkipBlanks(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A number at the start of `text` (sign allowed), advancing past it; nullopt when none
// reads or it does not fit.
std::optional<long long> TakeNumber(std::string_view& text, int base) {
  std::string_view rest = text;
  bool negative = false;
  if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
    negative = rest.front() == '-';
    rest.remove_prefix(1);
  }
  if (base == 16 && rest.size() > 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X')) {
    rest.remove_prefix(2);
  }
  long long value = 0;
  const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value, base);
  if (error != std::errc{}) return std::nullopt;
  text = rest.substr(static_cast<std::size_t>(end - rest.data()));
  return negative ? -value : value;
}

// The whole of `text` (blanks around allowed) as one number.
std::optional<long long> WholeNumber(std::string_view text, int base) {
  text = Trim(text);
  const auto value = TakeNumber(text, base);
  if (!value || !text.empty()) return std::nullopt;
  return value;
}

// "lo..hi" or one number, nothing else.
std::optional<NumberRange> ParseRangePart(std::string_view part, int base) {
  part = Trim(part);
  const auto lo = TakeNumber(part, base);
  if (!lo) return std::nullopt;
  if (part.empty()) return NumberRange{*lo, *lo};
  if (!part.starts_with(kRangeDots)) return std::nullopt;
  part.remove_prefix(kRangeDots.size());
  const auto hi = WholeNumber(part, base);
  if (!hi) return std::nullopt;
  return NumberRange{*lo, *hi};
}

std::vector<NumberRange> ParseRanges(std::string_view range, int base) {
  std::vector<NumberRange> parts;
  while (true) {
    const std::size_t semicolon = range.find(';');
    if (auto part = ParseRangePart(range.substr(0, semicolon), base)) parts.push_back(*part);
    if (semicolon == std::string_view::npos) break;
    range.remove_prefix(semicolon + 1);
  }
  return parts;
}

// The strings in double quotes inside a choice list.
std::vector<std::string> QuotedChoices(std::string_view range) {
  std::vector<std::string> choices;
  while (true) {
    const std::size_t open = range.find('"');
    if (open == std::string_view::npos) break;
    const std::size_t close = range.find('"', open + 1);
    if (close == std::string_view::npos) break;
    choices.emplace_back(range.substr(open + 1, close - open - 1));
    range.remove_prefix(close + 1);
  }
  return choices;
}

bool StartsWithNumber(std::string_view text) {
  text = SkipBlanks(text);
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  return !text.empty() && IsDigit(text.front());
}

// "$TEXT": limits, a choice list, or (no range at all) free text.
void ReadTextRange(DriverOption& option) {
  if (!option.hasRange || Trim(option.range).empty()) {
    option.type = OptionType::Text;
    return;
  }
  if (!StartsWithNumber(option.range)) {
    option.type = OptionType::TextList;
    option.choices = QuotedChoices(option.range);
    return;
  }
  option.type = OptionType::Text;
  std::string_view range = SkipBlanks(option.range);
  const auto lo = TakeNumber(range, 10);
  if (!lo || !range.starts_with(kRangeDots)) return;
  range.remove_prefix(kRangeDots.size());
  const auto hi = TakeNumber(range, 10);
  if (!hi || *lo < 0 || *hi < 0 || *lo > INT32_MAX || *hi > INT32_MAX) return;
  option.minLength = static_cast<int>(*lo);
  option.maxLength = static_cast<int>(*hi);
}

void ReadType(DriverOption& option) {
  const std::string_view word = option.typeWord;
  if (platform::EqualsNoCase(word, kTypeYesNo)) {
    option.type = OptionType::YesNo;
  } else if (platform::EqualsNoCase(word, kTypeDrive)) {
    option.type = OptionType::Drive;
    if (!option.hasRange) option.choices.assign(std::begin(kDriveLetters), std::end(kDriveLetters));
  } else if (platform::EqualsNoCase(word, kTypeText)) {
    ReadTextRange(option);
  } else if (platform::EqualsNoCase(word, kTypeDecimal)) {
    option.type = OptionType::Decimal;
    option.ranges = ParseRanges(option.range, 10);
  } else if (platform::EqualsNoCase(word, kTypeHex)) {
    option.type = OptionType::Hex;
    option.ranges = ParseRanges(option.range, 16);
  } else {
    option.type = OptionType::Other;
  }
}

std::string ReplaceNumber(std::string_view pattern, long long number) {
  std::string text(pattern);
  const std::size_t at = text.find("%d");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(number));
  return text;
}

std::string ReplaceText(std::string_view pattern, std::string_view value) {
  std::string text(pattern);
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, value);
  return text;
}

bool InRanges(const std::vector<NumberRange>& ranges, long long value) {
  for (const auto& part : ranges) {
    if (value >= part.lo && value <= part.hi) return true;
  }
  return false;
}

}  // namespace

std::optional<DriverOption> ParseOptionControl(std::string_view line) {
  line = Trim(line);
  if (line.empty()) return std::nullopt;
  DriverOption option;
  std::size_t keyEnd = 0;
  while (keyEnd < line.size() && !IsBlank(line[keyEnd])) ++keyEnd;
  option.key = line.substr(0, keyEnd);
  std::string_view rest = line.substr(keyEnd);
  const std::size_t open = rest.find('"');
  if (open != std::string_view::npos) {
    const std::size_t close = rest.find('"', open + 1);
    option.defaultValue = rest.substr(
        open + 1, close == std::string_view::npos ? std::string_view::npos : close - open - 1);
    rest = close == std::string_view::npos ? std::string_view{} : rest.substr(close + 1);
  }
  rest = SkipBlanks(rest);
  std::size_t wordEnd = 0;
  while (wordEnd < rest.size() && !IsBlank(rest[wordEnd]) && rest[wordEnd] != '[') ++wordEnd;
  option.typeWord = rest.substr(0, wordEnd);
  rest.remove_prefix(wordEnd);
  if (const std::size_t bracket = rest.find('['); bracket != std::string_view::npos) {
    option.hasRange = true;
    const std::size_t end = rest.find(']', bracket + 1);
    option.range = rest.substr(
        bracket + 1, end == std::string_view::npos ? std::string_view::npos : end - bracket - 1);
  }
  ReadType(option);
  return option;
}

bool IsYes(std::string_view stored) {
  if (stored.empty()) return false;
  const char first = stored.front();
  return first != 'N' && first != 'n' && first != '0';
}

std::optional<std::string> CheckOptionValue(const DriverOption& option, std::string_view value) {
  switch (option.type) {
    case OptionType::Text:
      if (option.minLength && value.size() < static_cast<std::size_t>(*option.minLength)) {
        return ReplaceNumber(kMsgMinTextLength, *option.minLength);
      }
      return std::nullopt;
    case OptionType::Decimal:
    case OptionType::Hex: {
      const int base = option.type == OptionType::Hex ? 16 : 10;
      const auto number = WholeNumber(value, base);
      // Without a range any number will do.
      if (number && (!option.hasRange || InRanges(option.ranges, *number))) return std::nullopt;
      return ReplaceText(option.type == OptionType::Hex ? kMsgHexRange : kMsgDecimalRange,
                         option.range);
    }
    default:
      return std::nullopt;
  }
}

}  // namespace zel::library
