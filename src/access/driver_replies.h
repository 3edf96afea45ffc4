#pragma once
// Readers of the replies of the drivers' own commands: the fieldbus ("!0F...") and the
// strings driver ("!3...").

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel::access {

// "!0FC": "=" count of the fieldbus slaves.
std::optional<std::int64_t> ReadFieldbusSlaveCount(std::string_view reply);

// "!0FN": "= " slave " " flags " " outputs " " inputs, blank-separated.
struct FieldbusSlave {
  std::int64_t address = 0;
  std::int64_t flags = 0;
  std::int64_t outputWords = 0;
  std::int64_t inputWords = 0;
  // Bit 5 of the flags hides the slave's words from the page.
  bool wordsShown() const { return (flags & 0x20) == 0; }
  bool operator==(const FieldbusSlave&) const = default;
};
std::optional<FieldbusSlave> ReadFieldbusSlave(std::string_view reply);

// "!3S": the number of strings, written from the reply's ninth character on.
std::optional<std::int64_t> ReadStringCount(std::string_view reply);

// "!3D" n: "=", an opening delimiter, the text, a closing delimiter. The text is cut to
// the 127 characters a page shows.
inline constexpr std::size_t kMaxStringShown = 127;
std::optional<std::string> ReadStringValue(std::string_view reply);

}  // namespace zel::access
