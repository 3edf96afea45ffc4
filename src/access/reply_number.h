#pragma once
// Numbers in the controller's replies and the value replies built of them. A number is
// "$" and hexadecimal digits (either case), or an optional "-" and decimal digits; reading
// stops at the first other character. A reply that cannot be read as expected is shown as
// "<corrupted>" by its reader's caller.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zel::access {

inline constexpr std::string_view kCorruptedText = "<corrupted>";  // 7051

struct ReplyNumber {
  std::int64_t value = 0;
  bool hex = false;  // written with "$"
  bool operator==(const ReplyNumber&) const = default;
};

// Reads one number at the front of `text` and advances past it. nullopt, with `text` left
// as it was, when no digit follows the "$" or the "-", or the number exceeds 32 bits
// (hexadecimal: 0..FFFFFFFF; decimal: -2147483648..4294967295).
std::optional<ReplyNumber> ReadReplyNumber(std::string_view& text);

// A value reply: "=" and a number, then more numbers each introduced by "=" or ",".
// Reading stops at the first separator not followed by a number, at anything else, or
// after `maxValues` numbers. nullopt when the reply does not begin with "=" and a number.
std::optional<std::vector<ReplyNumber>> ReadValueList(std::string_view reply,
                                                      std::size_t maxValues = 64);

// A value reply holding (at least) one number: "=" value.
std::optional<std::int64_t> ReadSingleValue(std::string_view reply);

}  // namespace zel::access
