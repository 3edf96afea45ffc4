#pragma once
// The small pieces of text every command handler reads and writes: numbers as the
// environment sends them ("$" hexadecimal or decimal with a sign), operand numbers
// ("w.b"), and the values a reply carries.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel::kzcsim {

inline constexpr char kBel = '\x07';
inline constexpr char kDc1 = '\x11';
inline constexpr char kProbe = '\x14';
// Commands and their echo are kept in 352-byte entries on the PC side; a longer line is
// refused whole rather than executed cut.
inline constexpr std::size_t kMaxCommand = 352;
// The PC keeps 350 bytes of an answer; a longer one is refused rather than sent cut.
inline constexpr std::size_t kMaxReply = 350;

// Reads decimal digits at the front of `text` and removes them; nullopt (text untouched)
// when there is no digit or the number exceeds `max`.
std::optional<std::uint32_t> TakeUnsigned(std::string_view& text, std::uint32_t max = 0xFFFFFFFFu);
// Removes `prefix` from the front of `text` when it is there (letters without case).
bool TakePrefix(std::string_view& text, std::string_view prefix);
// The whole of `text` as a value: "$" and 1 to 8 hexadecimal digits, or an optional sign
// and decimal digits. Blanks around it are allowed (the environment strips them, a
// terminal user may not). nullopt when anything else is in it.
std::optional<std::int64_t> ParseValue(std::string_view text);
// A 16-bit word as the environment writes one: -32768..65535 (negative values wrap).
std::optional<std::uint16_t> ParseWord(std::string_view text);
// "0" or "1".
std::optional<bool> ParseBit(std::string_view text);

std::string Trim(std::string_view text);
// Printable rendering of bytes for the exchange log: control bytes as <XX>.
std::string Escaped(std::string_view bytes);

}  // namespace zel::kzcsim
