#pragma once
// Time values of timers (SET T WITH seconds): written in seconds, kept by the controller
// in units of 10 ms in a 16-bit word.

#include <cstddef>
#include <optional>
#include <string_view>

namespace zel::stl {

inline constexpr int kMaxTimeHundredths = 65535;  // 655.35 s
// The code generator scales at most four decimals.
inline constexpr std::size_t kMaxTimeDecimals = 4;

// Digits with at most one point and at most four decimals, from 0 to 655.35; the value in
// ten-thousandths of a second. Nothing for anything else.
std::optional<long> ParseTimeValue(std::string_view text);

}  // namespace zel::stl
