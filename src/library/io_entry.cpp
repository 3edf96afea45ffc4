#include "library/io_entry.h"

#include <charconv>

namespace zel::library {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r' || s.back() == '\n'))
    s.remove_suffix(1);
  return s;
}

std::optional<int> ReadNumber(std::string_view field) {
  field = Trim(field);
  int value = 0;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || ec != std::errc{} || end != field.data() + field.size() || value < 0 ||
      value > kMaxIoEntryNumber)
    return std::nullopt;
  return value;
}

}  // namespace

std::optional<IoEntry> ParseIoEntry(std::string_view text) {
  std::string_view fields[4];
  for (std::size_t i = 0; i < 3; ++i) {
    const auto comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    fields[i] = text.substr(0, comma);
    text.remove_prefix(comma + 1);
  }
  fields[3] = text;  // a further comma makes this field unreadable
  IoEntry entry;
  entry.module = std::string(Trim(fields[0]));
  if (entry.module.empty()) return std::nullopt;
  int* const numbers[] = {&entry.switchPosition, &entry.iw, &entry.ow};
  for (std::size_t i = 0; i < 3; ++i) {
    const auto number = ReadNumber(fields[i + 1]);
    if (!number) return std::nullopt;
    *numbers[i] = *number;
  }
  return entry;
}

std::string FormatIoEntry(const IoEntry& entry) {
  return entry.module + "," + std::to_string(entry.switchPosition) + "," +
         std::to_string(entry.iw) + "," + std::to_string(entry.ow);
}

}  // namespace zel::library
