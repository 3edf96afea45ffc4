#pragma once
// The names of the IO scan commands, by command code. Scripts name commands by them and
// the run file listing prints them.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zel::build {

inline constexpr std::size_t kScanCommandCount = 75;

// The name of `code`; empty for a code beyond the table.
std::string_view ScanCommandName(std::uint16_t code);

}  // namespace zel::build
