#include "library/io_module_script.h"

#include <charconv>

#include "platform/no_case.h"

namespace zel::library {
namespace {

constexpr std::string_view kNameMarker = ";$NE";  // ";$N" + the message set's letter
constexpr std::string_view kLayoutMarker = ";$EA";
constexpr std::string_view kVersion3NameMarker = ";$NR";
constexpr std::string_view kInputScanMarker = ";$CE";
constexpr std::string_view kOutputScanMarker = ";$CA";
// Sizes beyond the 16-bit address space of the controller are not a card's.
constexpr int kMaxLayoutNumber = 0xFFFF;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (IsBlank(s.front()) || s.front() == '\r')) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

// The rest of the line that follows the first occurrence of `marker`, or nullopt.
std::optional<std::string_view> RestOfMarkerLine(std::string_view text, std::string_view marker) {
  const auto at = text.find(marker);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view rest = text.substr(at + marker.size());
  return rest.substr(0, rest.find('\n'));
}

std::vector<std::string_view> SplitBlanks(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (IsBlank(line[i]) || line[i] == '\r')) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i]) && line[i] != '\r') ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

std::optional<int> ReadLayoutNumber(std::string_view word) {
  int value = 0;
  const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  if (ec != std::errc{} || end != word.data() + word.size() || value < 0 ||
      value > kMaxLayoutNumber)
    return std::nullopt;
  return value;
}

std::optional<std::uint32_t> ReadSwitchAddress(std::string_view word) {
  if (word.size() < 2 || word.front() != '$') return std::nullopt;
  std::uint32_t value = 0;
  const char* first = word.data() + 1;
  const char* last = word.data() + word.size();
  const auto [end, ec] = std::from_chars(first, last, value, 16);
  if (ec != std::errc{} || end != last) return std::nullopt;
  return value;
}

// ";$EA" IW-size OW-size In Out then "$" addresses until the first word that is none.
bool ReadLayout(std::string_view line, IoModuleScript& module) {
  const auto words = SplitBlanks(line);
  if (words.size() < 4) return false;
  int* const fields[] = {&module.iwSize, &module.owSize, &module.in, &module.out};
  for (std::size_t i = 0; i < 4; ++i) {
    const auto number = ReadLayoutNumber(words[i]);
    if (!number) return false;
    *fields[i] = *number;
  }
  for (std::size_t i = 4; i < words.size() && i - 4 < kMaxSwitchPositions; ++i) {
    const auto address = ReadSwitchAddress(words[i]);
    if (!address) break;
    module.switchAddresses[i - 4] = *address;
  }
  return true;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// The lines after the first line that starts with `start`, up to a line starting with
// `stop` or the end of the text.
std::vector<std::string> Section(const std::vector<std::string_view>& lines, std::string_view start,
                                 std::string_view stop) {
  std::vector<std::string> section;
  std::size_t i = 0;
  while (i < lines.size() && !lines[i].starts_with(start)) ++i;
  for (++i; i < lines.size() && !lines[i].starts_with(stop); ++i) section.emplace_back(lines[i]);
  return section;
}

}  // namespace

std::uint32_t IoModuleScript::addressOf(int switchPosition) const {
  if (switchPosition < 0 || static_cast<std::size_t>(switchPosition) >= switchAddresses.size())
    return 0;
  return switchAddresses[static_cast<std::size_t>(switchPosition)];
}

std::vector<int> IoModuleScript::allowedPositions() const {
  std::vector<int> positions;
  for (std::size_t i = 0; i < switchAddresses.size(); ++i)
    if (switchAddresses[i] != 0) positions.push_back(static_cast<int>(i));
  return positions;
}

std::optional<IoModuleScript> ParseIoModuleScript(std::string_view text,
                                                  std::string_view fileName) {
  IoModuleScript module;
  module.fileName = platform::UpperAscii(fileName);
  const auto name = RestOfMarkerLine(text, kNameMarker);
  if (!name) return std::nullopt;
  module.displayName = std::string(TrimBlanks(*name));
  const auto layout = RestOfMarkerLine(text, kLayoutMarker);
  if (!layout || !ReadLayout(*layout, module)) return std::nullopt;
  if (const auto v3 = RestOfMarkerLine(text, kVersion3NameMarker))
    module.version3Name = std::string(TrimBlanks(*v3));
  const auto lines = Lines(text);
  module.inputScan = Section(lines, kInputScanMarker, kOutputScanMarker);
  module.outputScan = Section(lines, kOutputScanMarker, kInputScanMarker);
  return module;
}

std::string ListSwitchPositionsDecimal(const IoModuleScript& module) {
  std::string list;
  for (const int position : module.allowedPositions()) {
    if (!list.empty()) list += ", ";
    list += std::to_string(position);
  }
  return list;
}

namespace {
std::string Hex(int value) {
  char buffer[8];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
  std::string text(buffer, end);
  return platform::UpperAscii(text);
}
}  // namespace

std::string ListSwitchPositionsHex(const IoModuleScript& module) {
  const auto positions = module.allowedPositions();
  std::string list;
  for (std::size_t i = 0; i < positions.size();) {
    std::size_t j = i;
    while (j + 1 < positions.size() && positions[j + 1] == positions[j] + 1) ++j;
    if (!list.empty()) list += ", ";
    list += Hex(positions[i]);
    if (j - i >= 2)
      list += "-" + Hex(positions[j]);
    else if (j - i == 1)
      list += "+" + Hex(positions[j]);
    i = j + 1;
  }
  return list;
}

}  // namespace zel::library
