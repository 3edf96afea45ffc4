#pragma once
// The scan commands the controller's kernel runs to move IO data: a code is the command's
// place in the table. IO module scripts name commands by number or by name; the run file
// listing prints the names back.

#include <cstdint>
#include <optional>
#include <string_view>

namespace zel::build {

inline constexpr std::uint16_t kScanCommandCount = 75;

// The name of `code`; empty for a code the table does not hold.
std::string_view ScanCommandName(std::uint16_t code);

// The code a script's command text stands for: decimal digits give it directly (any value
// that fits 16 bits; the kernel refuses the ones it does not know), otherwise the first
// name in code order that the text begins with, compared without regard to case, so
// "JUMP" is 58 while "JUMPONZERO" is 24. nullopt when neither reads.
std::optional<std::uint16_t> LookupScanCommand(std::string_view text);

}  // namespace zel::build
